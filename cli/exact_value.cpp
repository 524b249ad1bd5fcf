#include "cli/exact_value.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "model/ascii_text.h"
#include "cli/quoted_text.h"
#include "model/chars.h"
#include "model/digit_string.h"
#include "model/drop_frame.h"
#include "model/mode_table.h"

namespace {

// What a character is in a value of each kind; a table per kind, since every character of
// every line asks.
enum class CharClass : unsigned char { Other, Digit, FieldSeparator, Comma };
using CharClasses = std::array<CharClass, 256>;

struct KindGrammar {
    std::string_view digits;
    std::string_view fieldSeparators;
    int maxFields;
    bool commas;  // thousands groups in the first field
};

constexpr KindGrammar kGrammars[kKindCount] = {
    {"0123456789", ":;.", 4, false},                     // HMSF
    {"0123456789", ":;.", 4, false},                     // HMSD
    {"0123456789", "+-.", 2, true},                      // feet and frames
    {"0123456789abcdefABCDEF", "", 1, false},            // hexadecimal
    {"0123456789", "", 1, true},                         // decimal
    {"01234567", "", 1, true},                           // octal
};

constexpr CharClasses ClassesOf(const KindGrammar& grammar) {
    CharClasses classes{};
    for (const char c : grammar.digits) classes[static_cast<unsigned char>(c)] = CharClass::Digit;
    for (const char c : grammar.fieldSeparators) classes[static_cast<unsigned char>(c)] = CharClass::FieldSeparator;
    if (grammar.commas) classes[static_cast<unsigned char>(',')] = CharClass::Comma;
    return classes;
}

constexpr std::array<CharClasses, kKindCount> kCharClasses = {
    ClassesOf(kGrammars[0]), ClassesOf(kGrammars[1]), ClassesOf(kGrammars[2]),
    ClassesOf(kGrammars[3]), ClassesOf(kGrammars[4]), ClassesOf(kGrammars[5]),
};

CharClass ClassOf(char c, std::int32_t kind) { return kCharClasses[kind][static_cast<unsigned char>(c)]; }

// How far each kind counts before it wraps, in its own units.
constexpr const char* kWrapTexts[kKindCount] = {
    "24 hours", "24 hours", "240,000 feet", "16,777,216", "16,777,216", "16,777,216",
};

// Every field after the first of a time, and the frames of a feet count, have two digits.
constexpr std::size_t kFieldWidth = 2;
constexpr std::size_t kGroupWidth = 3;

constexpr const char* kFieldNames[] = {"frames", "seconds", "minutes", "hours"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool HasDigitOfKind(std::string_view text, std::int32_t kind) {
    for (const char c : text)
        if (ClassOf(c, kind) == CharClass::Digit) return true;
    return false;
}

// The text without the mode's trailing text (" DF", " Frms", "h"), when it ends with it.
std::string_view WithoutSuffix(std::string_view text, const ModeRecord& row) {
    const std::string_view suffix = Trimmed(row.szSuffix.c_str());
    if (suffix.empty() || text.size() <= suffix.size()) return text;
    if (!SameIgnoringCase(text.substr(text.size() - suffix.size()), suffix)) return text;
    return Trimmed(text.substr(0, text.size() - suffix.size()));
}

// Hexadecimal may be written with its "0x" in front.
std::string_view WithoutPrefix(std::string_view text, const ModeRecord& row) {
    const std::string_view prefix = row.szPrefix.c_str();
    if (row.iKind != KindHex || prefix.empty() || text.size() <= prefix.size()) return text;
    return StartsWithIgnoringCase(text, prefix) ? text.substr(prefix.size()) : text;
}

// The digits and the widths of the fields and thousands groups, checked as they are met.
class Shape {
public:
    explicit Shape(std::int32_t kind) : kind_(kind), grammar_(kGrammars[kind]) {}

    // Takes the whole text; false with value.problem set at the first fault.
    bool Read(std::string_view text, ExactValue& value) {
        const CharClasses& classes = kCharClasses[kind_];
        for (const char c : text) {
            switch (classes[static_cast<unsigned char>(c)]) {
                case CharClass::Digit: TakeDigit(c); continue;
                case CharClass::Comma:
                    // Commas group the thousands of the first field only.
                    if (fields_ == 1) {
                        if (!EndGroup(value)) return false;
                        continue;
                    }
                    break;
                case CharClass::FieldSeparator:
                    if (!EndField(value)) return false;
                    continue;
                case CharClass::Other: break;
            }
            value.problem = ValueProblem::Character;
            value.character = c;
            return false;
        }
        if (!EndField(value)) return false;
        return CheckWidths(value);
    }

    // The digits as the engine holds them: eight, right-aligned, zero-filled, upper case.
    void CopyDigits(FixedText<kDigitCount>& digits) const {
        char aligned[kDigitCount];
        std::memset(aligned, '0', kDigitCount);
        for (std::size_t i = 0; i < count_; ++i) aligned[kDigitCount - count_ + i] = ToUpperAscii(digits_[i]);
        digits = FixedText<kDigitCount>(aligned, kDigitCount);
    }

private:
    // Widths are told by where a field or group began among the digits.
    void TakeDigit(char c) {
        if (count_ < kDigitCount) digits_[count_] = c;
        ++count_;
    }
    std::size_t FieldWidth() const { return count_ - fieldStart_; }
    std::size_t GroupWidth() const { return count_ - groupStart_; }

    // A comma closes a group: the first may have one to three digits, the others three.
    bool EndGroup(ExactValue& value) {
        const std::size_t width = GroupWidth();
        const bool fits = groups_ == 0 ? width >= 1 && width <= kGroupWidth : width == kGroupWidth;
        ++groups_;
        groupStart_ = count_;
        if (!fits) value.problem = ValueProblem::GroupWidth;
        return fits;
    }

    bool EndField(ExactValue& value) {
        if (fields_ == 1 && groups_ > 0 && GroupWidth() != kGroupWidth) {
            value.problem = ValueProblem::GroupWidth;
            return false;
        }
        const std::size_t width = FieldWidth();
        if (fields_ > 1 && width != kFieldWidth) badWidth_ = true;
        if (fields_ == 1) firstWidth_ = width;
        // A separator with no digit before it (":00", "1::00") leaves a field empty.
        if (width == 0) badWidth_ = true;
        ++fields_;
        fieldStart_ = count_;
        groupStart_ = count_;
        return true;
    }

    // Fields counted by EndField, so one more than the value has.
    bool CheckWidths(ExactValue& value) {
        const int fields = fields_ - 1;
        if (count_ == 0) value.problem = ValueProblem::NoDigit;
        else if (count_ > kDigitCount) value.problem = ValueProblem::TooManyDigits;
        else if (badWidth_ || fields > grammar_.maxFields) value.problem = ValueProblem::FieldWidth;
        // The hours (or the first field) of a time have at most two digits; one field alone is
        // the digits as typed.
        else if (kind_ != KindFeetFrames && fields > 1 && firstWidth_ > kFieldWidth) value.problem = ValueProblem::FieldWidth;
        // Commas belong to a feet count only before its frames.
        else if (kind_ == KindFeetFrames && fields == 1 && groups_ > 0) value.problem = ValueProblem::FieldWidth;
        return value.problem == ValueProblem::None;
    }

    std::int32_t kind_;
    const KindGrammar& grammar_;
    char digits_[kDigitCount];  // the first eight; count_ tells how many were met
    std::size_t count_ = 0;
    int fields_ = 1;  // the field being read, from 1
    std::size_t fieldStart_ = 0;
    std::size_t firstWidth_ = 0;
    std::size_t groupStart_ = 0;
    int groups_ = 0;  // commas met in the first field
    bool badWidth_ = false;
};

// The count the digits name in the mode, before any wrap.
std::int64_t UnwrappedCount(const ModeTable& modes, const char* digits, int mode) {
    const std::int32_t kind = ModeKindOf(modes, mode);
    if (IsWeightedKind(kind) && mode < kWeightedModeCount) return WeightedValue(modes, digits, mode);
    std::int64_t count = 0;
    for (const char* p = digits; *p != '\0'; ++p) count = count * KindRadix[kind] + HexDigitValue(*p);
    return count;
}

}  // namespace

ValueProblem BlankOrNul(std::string_view text) {
    if (std::memchr(text.data(), '\0', text.size()) != nullptr) return ValueProblem::NulByte;
    return Trimmed(text).empty() ? ValueProblem::Blank : ValueProblem::None;
}

ExactValue ReadExactValue(const ModeTable& modes, std::string_view text, int mode) {
    ExactValue value;
    text = Trimmed(text);
    value.problem = BlankOrNul(text);
    if (value.problem != ValueProblem::None) return value;
    const ModeRecord& row = ModeRow(modes, mode);
    const std::int32_t kind = row.iKind;
    if (text.front() == '-') {
        value.problem = HasDigitOfKind(text, kind) ? ValueProblem::Negative : ValueProblem::NoDigit;
        return value;
    }
    Shape shape(kind);
    // Only a value that does not end in a digit can carry the mode's trailing text.
    if (ClassOf(text.back(), kind) != CharClass::Digit) text = WithoutSuffix(text, row);
    if (shape.Read(WithoutPrefix(text, row), value)) {
        shape.CopyDigits(value.digits);
    } else if (value.problem == ValueProblem::Character && !HasDigitOfKind(text, kind)) {
        // A text without a single digit of the mode is not a value at all, whatever else is in it.
        value.problem = ValueProblem::NoDigit;
    }
    return value;
}

bool SameDigits(const char* shown, const char* digits) {
    // The shown text's digits in one pass: at most eight, as in every text the engine shows.
    char found[kDigitCount * 2];
    std::size_t count = 0;
    for (const char* p = shown; *p != '\0' && count < sizeof found; ++p)
        if (IsHexDigit(*p)) found[count++] = ToUpperAscii(*p);
    if (count > kDigitCount) return false;
    const std::size_t zeros = kDigitCount - count;
    for (std::size_t i = 0; i < zeros; ++i)
        if (digits[i] != '0') return false;
    return std::memcmp(found, digits + zeros, count) == 0;
}

bool IsMovedLabel(const ModeTable& modes, const ExactValue& value, int mode) { return IsDroppedLabel(modes, value.digits, mode); }

void ExplainUnwrittenLabel(const ModeTable& modes, ExactValue& value, int mode) {
    value.problem = ValueProblem::FieldRange;
    value.field = EntryField::Frames;
    if (IsWeightedKind(ModeKindOf(modes, mode))) {
        if (IsDroppedLabel(modes, value.digits, mode)) {
            value.problem = ValueProblem::DroppedLabel;
            return;
        }
        const EntryField field = FirstBadEntryField(modes, value.digits.c_str(), mode);
        // Hours past 23 with every other field in range: a time at or past the day's end.
        if (field == EntryField::Hours) value.problem = ValueProblem::PastWrap;
        if (field != EntryField::None) {
            value.field = field;
            return;
        }
    }
    if (UnwrappedCount(modes, value.digits.c_str(), mode) >= WrapModulus(modes, mode)) value.problem = ValueProblem::PastWrap;
}

std::string ProblemText(const ModeTable& modes, const ExactValue& value, int mode) {
    const std::string name = ModeRow(modes, mode).szShortName.c_str();
    switch (value.problem) {
        case ValueProblem::None:
        case ValueProblem::Blank: return {};
        case ValueProblem::NulByte: return "a NUL character in the line";
        case ValueProblem::NoDigit: return "not a value in " + name;
        case ValueProblem::Negative: return "a minus sign: no mode has values below zero";
        case ValueProblem::Character: return Quoted(std::string_view(&value.character, 1)) + " is not part of a value in " + name;
        case ValueProblem::FieldWidth:
            if (ModeKindOf(modes, mode) == KindFeetFrames) return "a field of the wrong width: the frames of FEET+FF have two digits";
            return "a field of the wrong width: after the first, each field of H:MM:SS:FF has two digits";
        case ValueProblem::GroupWidth: return "a field of the wrong width: thousands are grouped by three digits";
        case ValueProblem::TooManyDigits: return "more digits than " + name + " holds (8)";
        case ValueProblem::PastWrap: return "at or past the wrap of " + name + " (" + kWrapTexts[ModeKindOf(modes, mode)] + ")";
        case ValueProblem::FieldRange:
            return std::string("a label ") + name + " never writes: the " + kFieldNames[static_cast<int>(value.field)] +
                   " are out of range";
        case ValueProblem::DroppedLabel:
            return "a drop-frame label that " + name + " skips (--auto-df minus or plus moves it)";
    }
    return {};
}

std::string ResultPastWrapText(const ModeTable& modes, int toMode) {
    return std::string("the result is at or past the wrap of ") + ModeRow(modes, toMode).szShortName.c_str() + " (" +
           kWrapTexts[ModeKindOf(modes, toMode)] + ")";
}
