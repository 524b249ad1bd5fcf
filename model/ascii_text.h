#pragma once
// Comparisons of names and words, where ASCII letters match in either case.

#include <cstddef>
#include <string_view>

#include "model/chars.h"

constexpr bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (ToLowerAscii(text[i]) != ToLowerAscii(prefix[i])) return false;
    return true;
}

constexpr bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}
