#include "cli/exact_value.h"

#include <cstdint>

#include "cli/ascii_text.h"
#include "cli/quoted_text.h"
#include "model/chars.h"
#include "model/digit_string.h"
#include "model/drop_frame.h"
#include "model/mode_table.h"

namespace {

// How the digits of each kind may be grouped.
struct KindGrammar {
    std::string_view fieldSeparators;  // between fields
    int maxFields;
    bool commas;  // thousands groups in the first field
};

constexpr KindGrammar kGrammars[kKindCount] = {
    {":;.", 4, false},  // HMSF
    {":;.", 4, false},  // HMSD
    {"+-.", 2, true},   // feet and frames
    {"", 1, false},     // hexadecimal
    {"", 1, true},      // decimal
    {"", 1, true},      // octal
};

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

bool IsDigitOfKind(char c, std::int32_t kind) {
    switch (kind) {
        case KindHex: return IsHexDigit(c);
        case KindOct: return c >= '0' && c <= '7';
        default: return IsDecimalDigit(c);
    }
}

bool HasDigitOfKind(std::string_view text, std::int32_t kind) {
    for (const char c : text)
        if (IsDigitOfKind(c, kind)) return true;
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
        for (const char c : text) {
            if (IsDigitOfKind(c, kind_)) TakeDigit(c);
            else if (c == ',' && grammar_.commas && fields_ == 1) {
                if (!EndGroup(value)) return false;
            } else if (grammar_.fieldSeparators.find(c) != std::string_view::npos) {
                if (!EndField(value)) return false;
            } else {
                value.problem = ValueProblem::Character;
                value.character = c;
                return false;
            }
        }
        if (!EndField(value)) return false;
        return CheckWidths(value);
    }

    const char* digits() const { return digits_; }

private:
    void TakeDigit(char c) {
        if (count_ < kDigitCount) digits_[count_] = c;
        ++count_;
        ++fieldWidth_;
        ++groupWidth_;
    }

    // A comma closes a group: the first may have one to three digits, the others three.
    bool EndGroup(ExactValue& value) {
        const bool fits = groups_ == 0 ? groupWidth_ >= 1 && groupWidth_ <= kGroupWidth : groupWidth_ == kGroupWidth;
        ++groups_;
        groupWidth_ = 0;
        if (!fits) value.problem = ValueProblem::GroupWidth;
        return fits;
    }

    bool EndField(ExactValue& value) {
        if (fields_ == 1 && groups_ > 0 && groupWidth_ != kGroupWidth) {
            value.problem = ValueProblem::GroupWidth;
            return false;
        }
        if (fields_ > 1 && fieldWidth_ != kFieldWidth) badWidth_ = true;
        if (fields_ == 1) firstWidth_ = fieldWidth_;
        // A separator with no digit before it (":00", "1::00") leaves a field empty.
        if (fieldWidth_ == 0) badWidth_ = true;
        ++fields_;
        fieldWidth_ = 0;
        groupWidth_ = 0;
        return true;
    }

    // Fields counted by EndField, so one more than the value has.
    bool CheckWidths(ExactValue& value) {
        const int fields = fields_ - 1;
        if (count_ > kDigitCount) value.problem = ValueProblem::TooManyDigits;
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
    char digits_[kDigitCount + 1] = {};
    std::size_t count_ = 0;
    int fields_ = 1;  // the field being read, from 1
    std::size_t fieldWidth_ = 0;
    std::size_t firstWidth_ = 0;
    std::size_t groupWidth_ = 0;
    int groups_ = 0;  // commas met in the first field
    bool badWidth_ = false;
};

// The count the digits name in the mode, before any wrap.
std::int64_t UnwrappedCount(const char* digits, int mode) {
    const std::int32_t kind = ModeKindOf(mode);
    if (IsWeightedKind(kind) && mode < kWeightedModeCount) return WeightedValue(digits, mode);
    std::int64_t count = 0;
    for (const char* p = digits; *p != '\0'; ++p) count = count * KindRadix[kind] + HexDigitValue(*p);
    return count;
}

// A label the mode writes, for the time and feet kinds; the strict check's own judgement.
ValueProblem CheckLabel(ExactValue& value, int mode, bool movesDroppedLabels) {
    const DigitString label = MakeDigitString(value.digits.c_str());
    if (IsDroppedLabel(label, mode)) return movesDroppedLabels ? ValueProblem::None : ValueProblem::DroppedLabel;
    value.field = FirstBadEntryField(value.digits.c_str(), mode);
    // Hours past 23 with every other field in range: a time at or past the day's end.
    if (value.field == EntryField::Hours) return ValueProblem::PastWrap;
    return value.field == EntryField::None ? ValueProblem::None : ValueProblem::FieldRange;
}

}  // namespace

ValueProblem BlankOrNul(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return ValueProblem::NulByte;
    return Trimmed(text).empty() ? ValueProblem::Blank : ValueProblem::None;
}

ExactValue ReadExactValue(std::string_view text, int mode, bool movesDroppedLabels) {
    ExactValue value;
    value.problem = BlankOrNul(text);
    if (value.problem != ValueProblem::None) return value;
    const ModeRecord& row = ModeRow(mode);
    const std::int32_t kind = row.iKind;
    text = Trimmed(text);
    if (!HasDigitOfKind(text, kind)) {
        value.problem = ValueProblem::NoDigit;
        return value;
    }
    if (text.front() == '-') {
        value.problem = ValueProblem::Negative;
        return value;
    }
    Shape shape(kind);
    if (!shape.Read(WithoutPrefix(WithoutSuffix(text, row), row), value)) return value;
    value.digits.assign(shape.digits());

    if (IsWeightedKind(kind)) value.problem = CheckLabel(value, mode, movesDroppedLabels);
    if (value.problem == ValueProblem::None && UnwrappedCount(value.digits.c_str(), mode) >= WrapModulus(mode))
        value.problem = ValueProblem::PastWrap;
    return value;
}

std::string ProblemText(const ExactValue& value, int mode) {
    const std::string name = ModeRow(mode).szShortName.c_str();
    switch (value.problem) {
        case ValueProblem::None:
        case ValueProblem::Blank: return {};
        case ValueProblem::NulByte: return "a NUL character in the line";
        case ValueProblem::NoDigit: return "not a value in " + name;
        case ValueProblem::Negative: return "a minus sign: no mode has values below zero";
        case ValueProblem::Character: return Quoted(std::string_view(&value.character, 1)) + " is not part of a value in " + name;
        case ValueProblem::FieldWidth:
            if (ModeKindOf(mode) == KindFeetFrames) return "a field of the wrong width: the frames of FEET+FF have two digits";
            return "a field of the wrong width: after the first, each field of H:MM:SS:FF has two digits";
        case ValueProblem::GroupWidth: return "a field of the wrong width: thousands are grouped by three digits";
        case ValueProblem::TooManyDigits: return "more digits than " + name + " holds (8)";
        case ValueProblem::PastWrap: return "at or past the wrap of " + name + " (" + kWrapTexts[ModeKindOf(mode)] + ")";
        case ValueProblem::FieldRange:
            return std::string("a label ") + name + " never writes: the " + kFieldNames[static_cast<int>(value.field)] +
                   " are out of range";
        case ValueProblem::DroppedLabel:
            return "a drop-frame label that " + name + " skips (--auto-df minus or plus moves it)";
    }
    return {};
}

std::string ResultPastWrapText(int toMode) {
    return std::string("the result is at or past the wrap of ") + ModeRow(toMode).szShortName.c_str() + " (" +
           kWrapTexts[ModeKindOf(toMode)] + ")";
}
