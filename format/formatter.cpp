#include "format/formatter.h"

#include "model/chars.h"
#include "model/digit_string.h"
#include "model/mode_table.h"

namespace {

// A field template: each 'x' takes the next digit, '?' becomes the frames separator. The
// longest template has 11 characters.
constexpr std::size_t kMaxBody = 11;

constexpr const char* kHmsfTemplate = "xx:xx:xx?xx";
constexpr const char* kFeetTemplate = "xxxxxx?xx";
constexpr const char* kFeetCommasTemplate = "xxx,xxx?xx";
constexpr const char* kCountCommasTemplate = "xx,xxx,xxx";

struct Layout {
    const char* fieldTemplate;  // null: the bare digits
    char separator;
};

bool Has(FormatFlags flags, FormatFlags bit) { return (flags & bit) != 0; }

char HmsfSeparator(FormatFlags flags) {
    if (Has(flags, SepSemicolon)) return ';';
    if (Has(flags, SepPeriod)) return '.';
    return ':';
}

Layout LayoutFor(std::int32_t kind, FormatFlags flags) {
    switch (kind) {
        case KindHmsf:
        case KindHmsfDrop:
            if (!Has(flags, SepNone)) return {kHmsfTemplate, HmsfSeparator(flags)};
            break;
        case KindFeetFrames:
            if (!Has(flags, SepNone))
                return {Has(flags, Commas) ? kFeetCommasTemplate : kFeetTemplate, Has(flags, SepPeriod) ? '.' : '-'};
            break;
        case KindDec:
        case KindOct:
            if (Has(flags, Commas)) return {kCountCommasTemplate, '\0'};
            break;
        default: break;
    }
    return {nullptr, '\0'};
}

// Writes the digits into the layout's template, or bare, into body; returns the length.
std::size_t FillTemplate(const DigitString& digits, const Layout& layout, char (&body)[kMaxBody + 1]) {
    std::size_t length = 0;
    if (layout.fieldTemplate == nullptr) {
        for (; length < kDigitCount; ++length) body[length] = digits[length];
    } else {
        std::size_t next = 0;
        for (const char* t = layout.fieldTemplate; *t != '\0'; ++t, ++length)
            body[length] = *t == 'x' ? digits[next++] : *t == '?' ? layout.separator : *t;
    }
    body[length] = '\0';
    return length;
}

bool IsSignificant(char c) { return (c >= '1' && c <= '9') || IsAsciiLetter(c); }

// How many leading zeros and separators to strip from text, up to the first significant digit or
// letter; a text of zeros keeps its last character, so nothing is ever stripped to empty.
std::size_t LeadingLength(const char* text, std::size_t length) {
    std::size_t first = 0;
    while (first < length && !IsSignificant(text[first])) ++first;
    return first == length && first > 0 ? length - 1 : first;
}

void UpperCaseInPlace(TextBuffer& text) {
    for (std::size_t i = 0; i < text.size(); ++i) text.set(i, ToUpperAscii(text[i]));
}

// The formatter's steps, in an order that matters for how the options combine: template, strip
// (remembering how much), spaces for what was stripped, the radix prefix and leading zero, the
// body, the trailing text, upper case.
TextBuffer FormatDigitString(const DigitString& digits, const ModeRecord& row, FormatFlags flags) {
    char body[kMaxBody + 1];
    const std::size_t length = FillTemplate(digits, LayoutFor(row.iKind, flags), body);
    std::size_t first = Has(flags, LeadZeros) ? 0 : LeadingLength(body, length);

    TextBuffer result;
    if (Has(flags, LeadSpaces)) result.append(' ', first);
    if (row.iKind == KindHex || row.iKind == KindOct) {
        if (Has(flags, LeadingZero)) first += LeadingLength(body + first, length - first);
        if (Has(flags, PrefixOx)) result.append(row.szPrefix.c_str(), row.szPrefix.size());
        if (Has(flags, LeadingZero)) result.append('0');
    }
    result.append(body + first, length - first);
    if (Has(flags, Trailing)) result.append(row.szSuffix.c_str(), row.szSuffix.size());
    if (Has(flags, UpperCase)) UpperCaseInPlace(result);
    return result;
}

}  // namespace

TextBuffer FormatDigits(const char* text, int mode, FormatFlags flags) {
    DigitString digits = MakeDigitString(text);
    if (digits.size() != kDigitCount) digits.assign("00000000");
    return FormatDigitString(digits, ModeRow(mode), flags);
}

TextBuffer FormatCount(std::int32_t count, int mode, FormatFlags flags) {
    return FormatDigitString(FramesToDigitString(count, mode), ModeRow(mode), flags);
}
