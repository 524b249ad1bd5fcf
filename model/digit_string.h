#pragma once
// The canonical digit form of a value and the moves between text, digits and frame counts.

#include <cstdint>

#include "model/fixed_text.h"
#include "model/mode_table.h"

// Exactly 8 characters, right-aligned and zero-filled; empty only when MakeDigitString was
// given a text longer than 127 characters.
using DigitString = FixedText<8>;

// Character positions of a time label's DigitString, counted from 0 at the left: HH MM SS FF.
constexpr std::size_t kHourTens = 0;
constexpr std::size_t kMinuteTens = 2;
constexpr std::size_t kMinuteUnits = 3;
constexpr std::size_t kSecondTens = 4;
constexpr std::size_t kSecondUnits = 5;
constexpr std::size_t kFrameTens = 6;
constexpr std::size_t kFrameUnits = 7;

// The two-digit field whose tens stand at that position, as a number.
inline int LabelField(const DigitString& label, std::size_t tens) {
    return (label[tens] - '0') * 10 + (label[tens + 1] - '0');
}

// Keeps the characters 0-9, a-f and A-F of the text (case unchanged), right-aligned into 8
// characters. More than 8 such characters keep the rightmost 8.
DigitString MakeDigitString(const char* text);

// The count written in the mode: through the place values for the weighted kinds (a skipped
// drop-frame label moved onto the existing label of the same count), in the kind's radix for the
// plain counts. A count that eight digits cannot hold is written wrapped into the mode's day.
DigitString FramesToDigitString(const ModeTable& modes, std::int32_t count, int mode);

// True when every count can be written with digits 0-9 through these place values of a
// weighted kind, and read back to itself.
bool PlaceValuesWriteEveryCount(const PlaceValues& weights, std::int32_t kind);

// The count brought into 0 .. modulus-1 of the mode by a whole multiple of the modulus.
std::int32_t WrapFrames(const ModeTable& modes, std::int64_t count, int mode);

// The value of the mode's digits in the text, wrapped.
std::int32_t TextToFrames(const ModeTable& modes, const char* text, int mode);

// The count that the rightmost eight decimal digits of the text name through the place values of
// a weighted mode, not wrapped.
std::int64_t WeightedValue(const ModeTable& modes, const char* text, int mode);
