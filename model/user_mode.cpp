#include "model/user_mode.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/chars.h"
#include "model/convert.h"
#include "model/digit_string.h"
#include "model/drop_frame.h"
#include "model/mode_table.h"

namespace {

// Seconds (or feet) that one unit of each digit position stands for; entries 0 and 1 are the
// frame digits and are not used.
constexpr std::int64_t TimeDigitWeights[kDigitCount] = {1, 10, 1, 10, 60, 600, 3600, 36000};
constexpr std::int64_t FeetDigitWeights[kDigitCount] = {1, 10, 1, 10, 100, 1000, 10000, 100000};

// A frames field has two digits, so a rate of 100 or more could not write every frame.
constexpr double kRateLimit = 100;

enum FieldIndex { FieldName, FieldShortName, FieldSuffix, FieldFps, FieldFramesPerFoot, FieldKind, FieldClip };

const char* SkipSpaces(const char* p) {
    while (*p == ' ') ++p;
    return p;
}

bool IsOnlySpaces(const char* p) { return *SkipSpaces(p) == '\0'; }

// Length of the decimal number at the start of p: sign, digits, fraction, exponent.
std::size_t DecimalNumberLength(const char* p) {
    std::size_t n = 0;
    if (p[n] == '+' || p[n] == '-') ++n;
    std::size_t digits = 0;
    while (IsDecimalDigit(p[n])) ++n, ++digits;
    if (p[n] == '.') {
        ++n;
        while (IsDecimalDigit(p[n])) ++n, ++digits;
    }
    if (digits == 0) return 0;
    if (p[n] == 'e' || p[n] == 'E') {
        std::size_t e = n + 1;
        if (p[e] == '+' || p[e] == '-') ++e;
        if (IsDecimalDigit(p[e])) {
            while (IsDecimalDigit(p[e])) ++e;
            n = e;
        }
    }
    return n;
}

std::int32_t KindFromKeyword(char* field) {
    for (char* p = field; *p != '\0'; ++p) *p = ToUpperAscii(*p);
    const char* keyword = SkipSpaces(field);
    for (int kind = 0; kind < kKindCount; ++kind)
        if (std::strcmp(keyword, KindKeywords[kind]) == 0) return kind;
    return KindHmsf;
}

// The rate that sets a weighted kind's place values: per foot for feet and frames, per second
// for the two HMSF kinds.
double WeightRate(const ModeRecord& row) {
    return row.iKind == KindFeetFrames ? row.dFramesPerFoot : row.dFps;
}

// The whole part of base x rate, multiplied on the rate's decimal digits as a person wrote them
// (to fifteen significant digits, which a double gives back exactly): 47.91 x 36000 is 1724760,
// where the product of doubles lies a hair below and would lose a frame. The rate lies between
// 0.5 and 100, so %.15g writes it without an exponent.
std::int64_t WholeProduct(double rate, std::int64_t base) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.15g", rate);
    const char* point = std::strchr(digits, '.');
    const char* end = digits + std::strlen(digits);
    // Right to left, each fraction digit times base plus the carry; what is carried out of the
    // fraction is the whole part of base times the fraction.
    std::int64_t carry = 0;
    if (point != nullptr)
        for (const char* p = end - 1; p > point; --p) carry = ((*p - '0') * base + carry) / 10;
    return base * std::strtoll(digits, nullptr, 10) + carry;
}

// Positions 2 and 3 (seconds, or feet units and tens) use the rate rounded to a whole number,
// the positions above it the rate as written, cut toward zero. Timecode at an NTSC rate labels at
// its whole rate, as every other tool writes it: only its clock runs slower, which conversions
// keep by the rate as written. A drop-frame rate takes the place values of drop-frame counting at
// that whole rate.
void ComputeWeights(const ModeRecord& row, PlaceValues& weights) {
    const double rate = WeightRate(row);
    const int ntscWholeRate = row.iKind == KindFeetFrames ? 0 : NtscWholeRate(rate);
    const int dropped = row.iKind == KindHmsfDrop ? DroppedLabelsAtRate(rate) : 0;
    if (dropped > 0) {
        DropFramePlaceValues(ntscWholeRate, dropped, weights);
        return;
    }
    const double labelRate = ntscWholeRate > 0 ? ntscWholeRate : rate;
    const std::int64_t* base = row.iKind == KindFeetFrames ? FeetDigitWeights : TimeDigitWeights;
    weights[0] = 1;
    weights[1] = 10;
    for (int i = 2; i < kDigitCount; ++i) {
        const std::int64_t product =
            i <= 3 ? base[i] * static_cast<std::int64_t>(RoundWhole(labelRate)) : WholeProduct(labelRate, base[i]);
        weights[i] = static_cast<std::int32_t>(product);
    }
}

// A rate is usable when it rounds to at least 1 frame (the digit-string conversion subtracts the
// place values repeatedly, and a conversion into the mode needs a rate that is not vanishingly
// small) and every frame number fits the two-digit frames field. A rate that is not a number
// fails both comparisons, an infinite one fails one of them.
bool IsUsableRate(double rate) { return RoundWhole(rate) >= 1 && rate < kRateLimit; }

// A weighted row needs both its rates usable: the one of its place values and the frames per
// second of its conversions. Anything else is refused as a whole.
bool HasUsableRates(const ModeRecord& row) {
    return !IsWeightedKind(row.iKind) || (IsUsableRate(row.dFps) && IsUsableRate(WeightRate(row)));
}

void ApplyShortName(ModeRecord& row, const char* field) {
    const char* name = SkipSpaces(field);
    const std::size_t length = std::strlen(name);
    if (length >= 1 && length <= FixedText<8>::kCapacity) row.szShortName.assign(name);
}

void ApplySuffix(ModeRecord& row, const char* field) {
    if (std::strlen(field) <= FixedText<32>::kCapacity) row.szSuffix.assign(field);
    if (IsOnlySpaces(field)) row.szSuffix.clear();
}

// Only spaces come before the number: a tab (or any other character) leaves no number.
void ApplyClipFlags(ModeRecord& row, const char* field) {
    const int flags = ReadSignedDecimal(SkipSpaces(field));
    row.iClipFlags = flags != 0 ? static_cast<FormatFlags>(flags) : KindDefaultClipFlags[row.iKind];
}

// The long name must leave room in its 33-byte field: 1 to 31 characters.
bool IsUsableName(const char* name) {
    const std::size_t length = std::strlen(name);
    return length >= 1 && length < FixedText<32>::kCapacity;
}

}  // namespace

CommaFields SplitCommaFields(char* text) {
    CommaFields fields;
    if (text == nullptr) return fields;
    char* p = text;
    while (fields.count < kMaxCommaFields) {
        while (*p == ',') ++p;
        if (*p == '\0') break;
        fields.field[fields.count++] = p;
        while (*p != ',' && *p != '\0') ++p;
        if (*p == '\0') break;
        *p++ = '\0';
    }
    return fields;
}

double ReadNumberField(const char* field, double defaultValue) {
    const char* p = SkipSpaces(field);
    const std::size_t length = DecimalNumberLength(p);
    if (length == 0) return defaultValue;
    char number[kMaxTextLength + 1] = {};
    std::memcpy(number, p, length < kMaxTextLength ? length : kMaxTextLength);
    const double value = std::strtod(number, nullptr);
    return value == 0 ? defaultValue : value;
}

int ReadIntegerField(const char* field) {
    const char* p = field;
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    return ReadSignedDecimal(p);
}

int ReadSignedDecimal(const char* p) {
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    // Digits beyond 32 bits keep the low 32 bits, as a 32-bit register would.
    std::uint32_t value = 0;
    while (IsDecimalDigit(*p)) value = value * 10u + static_cast<std::uint32_t>(*p++ - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

bool ParseUserMode(ModeTable& modes, int mode, const char* text) {
    if (mode < kFirstUserMode || mode >= kFirstUserMode + kUserModeCount || text == nullptr) return false;
    // The definition is worked on in a buffer of the settings reader's size.
    char buffer[kMaxTextLength + 1] = {};
    std::strncpy(buffer, text, kMaxTextLength);
    const CommaFields fields = SplitCommaFields(buffer);
    if (fields.count != kMaxCommaFields) return false;

    ModeRecord row = modes.rows[mode];
    ApplyShortName(row, fields.field[FieldShortName]);
    ApplySuffix(row, fields.field[FieldSuffix]);
    row.dFps = ReadNumberField(fields.field[FieldFps], 30);
    row.dFramesPerFoot = ReadNumberField(fields.field[FieldFramesPerFoot], 1);
    row.iKind = KindFromKeyword(fields.field[FieldKind]);
    ApplyClipFlags(row, fields.field[FieldClip]);
    if (!HasUsableRates(row)) return false;

    const char* name = SkipSpaces(fields.field[FieldName]);
    if (!IsUsableName(name)) {
        // Without a name an absent row stays absent and keeps the other fields; a row that a
        // definition has named already keeps that definition whole, since fields without their
        // place values would make it read wrong.
        if (!IsModePresent(modes, mode)) modes.rows[mode] = row;
        return false;
    }
    PlaceValues weights;
    if (IsWeightedKind(row.iKind)) {
        ComputeWeights(row, weights);
        // A fractional rate far from its whole number (57.48 frames a foot, say) leaves counts
        // that no eight digits can write: such a mode would show wrong values.
        if (!PlaceValuesWriteEveryCount(weights, row.iKind)) return false;
    }
    row.szName.assign(name);
    modes.rows[mode] = row;
    if (IsWeightedKind(row.iKind)) std::memcpy(modes.placeValues[mode], weights, sizeof weights);
    return true;
}
