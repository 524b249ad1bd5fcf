#pragma once
// Modes are named in text by the short names of their rows (the titles of the Clipboard Formats
// pages: NDF, DF, Pal, Film, 35mm, 16mm, Hex, Dec, Oct and the user modes' own), in any case.
// Only present rows have a name.

#include <cstddef>
#include <string>
#include <string_view>

struct ModeTable;

// The present mode whose short name is the text; -1 for none.
int ModeNamed(const ModeTable& modes, std::string_view name);

struct ModeNameMatch {
    int mode = -1;  // -1: no name begins the text
    std::size_t length = 0;
};

// The present mode with the longest short name that begins the text, so that "@Dec12" in a
// key script is Dec followed by the keys 1 and 2.
ModeNameMatch ModeNameAt(const ModeTable& modes, std::string_view text);

// The names of the present modes, for a message: "NDF, DF, Pal, ...".
std::string PresentModeNames(const ModeTable& modes);
