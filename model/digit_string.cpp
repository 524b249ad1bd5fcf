#include "model/digit_string.h"

#include <climits>
#include <cstring>

#include "model/chars.h"
#include "model/drop_frame.h"
#include "model/mode_table.h"

namespace {

constexpr char kZeroDigits[] = "00000000";

// Calls take(c, n) for the rightmost characters of text (of that length) that pass the filter,
// from the right, n counting them from 0, until kDigitCount have passed.
template <typename Filter, typename Take>
void ForRightmostDigits(const char* text, std::size_t length, Filter passes, Take take) {
    int taken = 0;
    for (const char* p = text + length; p != text && taken < kDigitCount;) {
        const char c = *--p;
        if (passes(c)) take(c, taken++);
    }
}

// Plain counts: the count in the kind's radix, zero-filled to 8 digits. A value carried unwrapped
// from another mode shows as it is while eight digits of the radix hold it (up to 99,999,999 in
// decimal); beyond, or below zero, it is written wrapped.
DigitString CountToDigitString(const ModeTable& modes, std::int32_t count, int mode, std::int32_t kind) {
    const std::uint32_t radix = static_cast<std::uint32_t>(KindRadix[kind]);
    std::int64_t limit = 1;
    for (int i = 0; i < kDigitCount; ++i) limit *= radix;
    std::uint32_t value = static_cast<std::uint32_t>(count);
    if (count < 0 || count >= limit) value = static_cast<std::uint32_t>(WrapFrames(modes, count, mode));
    char digits[kDigitCount + 1] = "00000000";
    for (int i = kDigitCount - 1; i >= 0 && value != 0; --i) {
        digits[i] = "0123456789abcdef"[value % radix];
        value /= radix;
    }
    return DigitString(digits);
}

// The most units each position may take when a count is written with digits 0-9, w0 first.
// Seconds and minutes tens stop at 5 so that a time reads as a time; the leftmost position
// takes whatever is left.
constexpr std::int32_t kNoCap = INT32_MAX;
constexpr std::int32_t kHmsfDigitCaps[kDigitCount] = {9, 9, 9, 5, 9, 5, 9, kNoCap};
constexpr std::int32_t kFeetDigitCaps[kDigitCount] = {9, 9, 9, 9, 9, 9, 9, kNoCap};

const std::int32_t* DigitCaps(std::int32_t kind) {
    return kind == KindFeetFrames ? kFeetDigitCaps : kHmsfDigitCaps;
}

std::int32_t Capped(std::int32_t units, const std::int32_t* caps, int position) {
    return caps != nullptr && units > caps[position] ? caps[position] : units;
}

// Each position takes as many units of its weight as fit. With caps, a position takes at most
// its cap and leaves the rest to the positions below: place values that are not whole
// multiples of each other (a user mode at 23.976 has 14385 frames per ten minutes but 1438
// per minute) would otherwise count a minute digit of ten.
constexpr int kFrameDigits = 2;

DigitString WeightedDigits(std::int32_t count, const PlaceValues& weights, const std::int32_t* caps) {
    std::int32_t rest = count;
    char digits[kDigitCount];
    for (int position = kDigitCount - 1; position >= kFrameDigits; --position) {
        const std::int32_t units = Capped(rest / weights[position], caps, position);
        rest -= units * weights[position];
        digits[kDigitCount - 1 - position] = static_cast<char>('0' + units);
    }
    // The frames' tens and units weigh 10 and 1 in every mode: a division the compiler can do
    // by multiplying.
    const std::int32_t frameTens = Capped(rest / 10, caps, 1);
    digits[kDigitCount - 2] = static_cast<char>('0' + frameTens);
    digits[kDigitCount - 1] = static_cast<char>('0' + Capped(rest - 10 * frameTens, caps, 0));
    return DigitString(digits, kDigitCount);
}

// Weighted kinds. A count that the 8 positions cannot hold (below zero, or ten or more units
// of the leftmost weight, as after converting 100 hours from 16mm) is written wrapped.
DigitString WeightedToDigitString(const ModeTable& modes, std::int32_t count, int mode, std::int32_t kind) {
    const PlaceValues& weights = modes.placeValues[mode];
    const std::int64_t topLimit = 10LL * weights[kDigitCount - 1];
    if (count < 0 || count >= topLimit) count = WrapFrames(modes, count, mode);
    const int dropped = DroppedLabelsPerMinute(modes, mode);
    if (dropped == 0) return WeightedDigits(count, weights, DigitCaps(kind));
    // Drop-frame place values are whole multiples of each other but for the minute: the first
    // labels of a minute read as the last ones of the minute before, and the last labels of
    // each ten-minute block count a minute digit of ten. Both are moved onto the label that
    // exists for the count.
    DigitString label = WeightedDigits(count, weights, nullptr);
    if (IsSkippedLabel(label, dropped)) MoveToPreviousMinute(modes, label, mode);
    return label;
}

}  // namespace

bool PlaceValuesWriteEveryCount(const PlaceValues& weights, std::int32_t kind) {
    // Writing greedily under the caps leaves nothing over exactly when, at every position,
    // the positions below can hold one less than its weight.
    const std::int32_t* caps = DigitCaps(kind);
    std::int64_t below = 0;
    for (int position = 0; position < kDigitCount; ++position) {
        if (weights[position] < 1 || below < weights[position] - 1) return false;
        if (caps[position] != kNoCap) below += static_cast<std::int64_t>(caps[position]) * weights[position];
    }
    return true;
}

DigitString MakeDigitString(const char* text) {
    if (text == nullptr) return DigitString(kZeroDigits);
    const std::size_t length = std::strlen(text);
    if (length > kMaxTextLength) return DigitString();
    char digits[kDigitCount + 1] = "00000000";
    ForRightmostDigits(text, length, IsHexDigit, [&digits](char c, int n) { digits[kDigitCount - 1 - n] = c; });
    return DigitString(digits, kDigitCount);
}

DigitString FramesToDigitString(const ModeTable& modes, std::int32_t count, int mode) {
    if (!IsValidMode(mode)) mode = 0;
    const std::int32_t kind = modes.rows[mode].iKind;
    if (!HasPlaceValues(modes, mode)) return CountToDigitString(modes, count, mode, kind);
    return WeightedToDigitString(modes, count, mode, kind);
}

std::int32_t WrapFrames(const ModeTable& modes, std::int64_t count, int mode) {
    const std::int64_t modulus = WrapModulus(modes, mode);
    std::int64_t rest = count % modulus;
    if (rest < 0) rest += modulus;
    return static_cast<std::int32_t>(rest);
}

namespace {

std::int64_t WeightedValueOf(const char* text, std::size_t length, const PlaceValues& weights) {
    std::int64_t sum = 0;
    ForRightmostDigits(text, length, IsDecimalDigit,
                       [&](char c, int n) { sum += static_cast<std::int64_t>(c - '0') * weights[n]; });
    return sum;
}

// Plain counts read as one number in 32 bits, as a typed or pasted run of digits is; longer
// runs keep their low 32 bits (the wrap at 2 to the 24th makes that the same value). Eight
// hexadecimal digits from 80000000 up are a negative count. Octal reading stops at 8 or 9.
std::int64_t RadixValue(const char* text, std::int32_t kind) {
    const std::uint32_t radix = static_cast<std::uint32_t>(KindRadix[kind]);
    std::uint32_t value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        const bool isDigit = kind == KindHex ? IsHexDigit(*p) : IsDecimalDigit(*p);
        if (!isDigit) continue;
        const std::uint32_t digit = static_cast<std::uint32_t>(HexDigitValue(*p));
        if (digit >= radix) break;
        value = value * radix + digit;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::int64_t WeightedValue(const ModeTable& modes, const char* text, int mode) {
    if (text == nullptr || !IsValidMode(mode) || mode >= kWeightedModeCount) return 0;
    return WeightedValueOf(text, std::strlen(text), modes.placeValues[mode]);
}

std::int32_t TextToFrames(const ModeTable& modes, const char* text, int mode) {
    if (text == nullptr) return 0;
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > kMaxTextLength) return 0;
    if (!IsValidMode(mode)) mode = 0;
    if (!HasPlaceValues(modes, mode)) return WrapFrames(modes, RadixValue(text, modes.rows[mode].iKind), mode);
    return WrapFrames(modes, WeightedValueOf(text, length, modes.placeValues[mode]), mode);
}
