#include "format/formatter.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "model/ascii_text.h"
#include "model/chars.h"
#include "model/digit_string.h"
#include "model/mode_table.h"

namespace {

// A field template: the body's characters with the frames separator as '?', and where each of
// the eight digits of the DigitString goes. The longest has 11 characters.
constexpr std::size_t kMaxBody = 11;

struct FieldTemplate {
    char text[kMaxBody + 1];
    std::size_t length;
    std::size_t digitAt[kDigitCount];
    std::size_t separatorAt;  // kMaxBody when there is none
};

constexpr FieldTemplate kHmsfTemplate = {"xx:xx:xx?xx", 11, {0, 1, 3, 4, 6, 7, 9, 10}, 8};
constexpr FieldTemplate kFeetTemplate = {"xxxxxx?xx", 9, {0, 1, 2, 3, 4, 5, 7, 8}, 6};
constexpr FieldTemplate kFeetCommasTemplate = {"xxx,xxx?xx", 10, {0, 1, 2, 4, 5, 6, 8, 9}, 7};
constexpr FieldTemplate kCountCommasTemplate = {"xx,xxx,xxx", 10, {0, 1, 3, 4, 5, 7, 8, 9}, kMaxBody};
constexpr FieldTemplate kBareDigits = {"xxxxxxxx", 8, {0, 1, 2, 3, 4, 5, 6, 7}, kMaxBody};

struct Layout {
    const FieldTemplate* fieldTemplate;
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
            if (!Has(flags, SepNone)) return {&kHmsfTemplate, HmsfSeparator(flags)};
            break;
        case KindFeetFrames:
            if (!Has(flags, SepNone))
                return {Has(flags, Commas) ? &kFeetCommasTemplate : &kFeetTemplate, Has(flags, SepPeriod) ? '.' : '-'};
            break;
        case KindDec:
        case KindOct:
            if (Has(flags, Commas)) return {&kCountCommasTemplate, '\0'};
            break;
        default: break;
    }
    return {&kBareDigits, '\0'};
}

// Writes the digits into the layout's template; returns the length.
std::size_t FillTemplate(const DigitString& digits, const Layout& layout, char (&body)[kMaxBody + 1]) {
    const FieldTemplate& t = *layout.fieldTemplate;
    std::memcpy(body, t.text, kMaxBody + 1);
    const char* d = digits.c_str();
    for (std::size_t i = 0; i < kDigitCount; ++i) body[t.digitAt[i]] = d[i];
    body[t.separatorAt] = layout.separator;
    body[t.length] = '\0';
    return t.length;
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

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view WithoutBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The texts that the flags put around a value of the row. Only the plain counts that show a
// radix take the prefix.
struct Decorations {
    std::string_view prefix = "";  // never null: the formatter appends them whatever their size
    std::string_view suffix = "";
};

Decorations DecorationsOf(const ModeRecord& row, FormatFlags flags) {
    const bool radixShown = row.iKind == KindHex || row.iKind == KindOct;
    Decorations d;
    if (radixShown && Has(flags, PrefixOx)) d.prefix = {row.szPrefix.c_str(), row.szPrefix.size()};
    if (Has(flags, Trailing)) d.suffix = {row.szSuffix.c_str(), row.szSuffix.size()};
    return d;
}

// The formatter's steps, in an order that matters for how the options combine: template, strip
// (remembering how much), spaces for what was stripped, the radix prefix and leading zero, the
// body, the trailing text, upper case.
TextBuffer FormatDigitString(const DigitString& digits, const ModeRecord& row, FormatFlags flags) {
    char body[kMaxBody + 1];
    const std::size_t length = FillTemplate(digits, LayoutFor(row.iKind, flags), body);
    std::size_t first = Has(flags, LeadZeros) ? 0 : LeadingLength(body, length);

    const Decorations decorations = DecorationsOf(row, flags);
    TextBuffer result;
    if (Has(flags, LeadSpaces)) result.append(' ', first);
    if (row.iKind == KindHex || row.iKind == KindOct) {
        if (Has(flags, LeadingZero)) first += LeadingLength(body + first, length - first);
        result.append(decorations.prefix.data(), decorations.prefix.size());
        if (Has(flags, LeadingZero)) result.append('0');
    }
    result.append(body + first, length - first);
    result.append(decorations.suffix.data(), decorations.suffix.size());
    if (Has(flags, UpperCase)) UpperCaseInPlace(result);
    return result;
}

}  // namespace

TextBuffer FormatDigits(const ModeTable& modes, const char* text, int mode, FormatFlags flags) {
    DigitString digits = MakeDigitString(text);
    if (digits.size() != kDigitCount) digits.assign("00000000");
    return FormatDigitString(digits, ModeRow(modes, mode), flags);
}

TextBuffer FormatCount(const ModeTable& modes, std::int32_t count, int mode, FormatFlags flags) {
    return FormatDigitString(FramesToDigitString(modes, count, mode), ModeRow(modes, mode), flags);
}

std::string_view WithoutClipboardDecorations(const char* text, const ModeRecord& row, FormatFlags flags) {
    const char* stop = std::find(text, text + kMaxTextLength, '\0');
    std::string_view value = WithoutBlanks({text, static_cast<std::size_t>(stop - text)});
    const Decorations decorations = DecorationsOf(row, flags);
    // The trailing text's own blanks at its end would be gone from a line that a program trimmed.
    const std::string_view prefix = decorations.prefix;
    std::string_view suffix = decorations.suffix;
    while (!suffix.empty() && IsBlank(suffix.back())) suffix.remove_suffix(1);
    // Views cut by hand: string_view's substr would bring the C++ exception runtime along.
    if (!prefix.empty() && value.size() > prefix.size() && StartsWithIgnoringCase(value, prefix))
        value.remove_prefix(prefix.size());
    const std::string_view end(value.data() + value.size() - std::min(suffix.size(), value.size()), suffix.size());
    if (!suffix.empty() && value.size() > suffix.size() && SameIgnoringCase(end, suffix)) value.remove_suffix(suffix.size());
    return value;
}
