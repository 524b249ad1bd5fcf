#include "format/formatter.h"

#include "model/chars.h"
#include "model/digit_string.h"
#include "model/mode_table.h"

namespace {

// A field template: each 'x' takes the next digit, '?' becomes the frames separator.
using Body = FixedText<16>;

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

Body FillTemplate(const DigitString& digits, const Layout& layout) {
    if (layout.fieldTemplate == nullptr) return Body(digits.c_str());
    Body body;
    std::size_t next = 0;
    for (const char* t = layout.fieldTemplate; *t != '\0'; ++t) {
        if (*t == 'x') body.append(digits[next++]);
        else if (*t == '?') body.append(layout.separator);
        else body.append(*t);
    }
    return body;
}

bool IsSignificant(char c) { return (c >= '1' && c <= '9') || IsAsciiLetter(c); }

// Drops zeros and separators up to the first significant digit or letter; a body of zeros
// keeps its last character, so the result is never empty.
Body StripLeading(const Body& body) {
    std::size_t first = 0;
    while (first < body.size() && !IsSignificant(body[first])) ++first;
    if (first == body.size() && first > 0) first = body.size() - 1;
    Body rest = body;
    rest.erase_front(first);
    return rest;
}

void UpperCaseInPlace(TextBuffer& text) {
    for (std::size_t i = 0; i < text.size(); ++i) text.set(i, ToUpperAscii(text[i]));
}

}  // namespace

TextBuffer FormatDigits(const char* text, int mode, FormatFlags flags) {
    const ModeRecord& row = ModeRow(mode);
    DigitString digits = MakeDigitString(text);
    if (digits.size() != kDigitCount) digits.assign("00000000");

    Body body = FillTemplate(digits, LayoutFor(row.iKind, flags));
    std::size_t stripped = 0;
    if (!Has(flags, LeadZeros)) {
        const Body kept = StripLeading(body);
        stripped = body.size() - kept.size();
        body = kept;
    }

    TextBuffer result;
    if (Has(flags, LeadSpaces)) result.append(' ', stripped);
    if (row.iKind == KindHex || row.iKind == KindOct) {
        if (Has(flags, LeadingZero)) body = StripLeading(body);
        if (Has(flags, PrefixOx)) result.append(row.szPrefix.c_str());
        if (Has(flags, LeadingZero)) result.append('0');
    }
    result.append(body.c_str());
    if (Has(flags, Trailing)) result.append(row.szSuffix.c_str());
    if (Has(flags, UpperCase)) UpperCaseInPlace(result);
    return result;
}

TextBuffer FormatCount(std::int32_t count, int mode, FormatFlags flags) {
    return FormatDigits(FramesToDigitString(count, mode).c_str(), mode, flags);
}
