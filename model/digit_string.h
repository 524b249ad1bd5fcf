#pragma once
// The canonical digit form of a value and the moves between text, digits and frame counts.

#include <cstdint>

#include "model/fixed_text.h"
#include "model/mode_table.h"

// Exactly 8 characters, right-aligned and zero-filled; empty only when MakeDigitString was
// given a text longer than 127 characters.
using DigitString = FixedText<8>;

// Keeps the characters 0-9, a-f and A-F of the text (case unchanged), right-aligned into 8
// characters. More than 8 such characters keep the rightmost 8.
DigitString MakeDigitString(const char* text);

// The count written in the mode: through the place values for the weighted kinds (a skipped
// drop-frame label moved onto the existing label of the same count), in the kind's radix for the
// plain counts. A count that eight digits cannot hold is written wrapped into the mode's day.
DigitString FramesToDigitString(std::int32_t count, int mode);

// True when every count can be written with digits 0-9 through these place values of a
// weighted kind, and read back to itself.
bool PlaceValuesWriteEveryCount(const std::int32_t (&weights)[kDigitCount], std::int32_t kind);

// The count brought into 0 .. modulus-1 of the mode by a whole multiple of the modulus.
std::int32_t WrapFrames(std::int64_t count, int mode);

// The value of the mode's digits in the text, wrapped.
std::int32_t TextToFrames(const char* text, int mode);

// The count that the rightmost eight decimal digits of the text name through the place values of
// a weighted mode, not wrapped.
std::int64_t WeightedValue(const char* text, int mode);
