#include "cli/quoted_text.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr unsigned char kDelete = 0x7f;

struct NamedEscape {
    char c;
    char name;
};

constexpr NamedEscape kNamedEscapes[] = {{'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}};

void AppendEscaped(std::string& out, char c) {
    for (const NamedEscape& escape : kNamedEscapes) {
        if (escape.c == c) {
            out += '\\';
            out += escape.name;
            return;
        }
    }
    const auto byte = static_cast<unsigned char>(c);
    out += "\\x";
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xf];
}

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == kDelete;
}

}  // namespace

std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (IsControl(c)) AppendEscaped(out, c);
        else out += c;
    }
    return out;
}

std::string Quoted(std::string_view text, char quote) { return quote + Escaped(text) + quote; }
