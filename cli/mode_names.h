#pragma once
// Modes are named on the command line by the short names of their rows (the titles of the
// Clipboard Formats pages: NDF, DF, Pal, Film, 35mm, 16mm, Hex, Dec, Oct and the user modes'
// own), in any case. Only present rows have a name.

#include <cstddef>
#include <string>
#include <string_view>

// The present mode whose short name is the text; -1 for none.
int ModeNamed(std::string_view name);

struct ModeNameMatch {
    int mode = -1;  // -1: no name begins the text
    std::size_t length = 0;
};

// The present mode with the longest short name that begins the text, so that "@Dec12" in a
// key script is Dec followed by the keys 1 and 2.
ModeNameMatch ModeNameAt(std::string_view text);

// The mode an option names: a short name as above, or a rate below 100 frames a second with at
// most three decimals ("23.976", "50"), with "df" for drop-frame counting ("29.97df"). A rate
// that a built-in time mode runs at is that mode (24 Film, 25 Pal, 30 NDF, 29.97df DF); any
// other is defined as a user mode for the run, in the first free user row, as a settings file
// would define it. error is empty when mode is set.
struct NamedMode {
    int mode = -1;
    std::string error;
};
NamedMode ModeForOption(std::string_view name);

// The names of the present modes, for a message: "NDF, DF, Pal, ...".
std::string PresentModeNames();

// One line per present mode: short name, long name, kind, rate and the count at which its
// results wrap, under a heading line; then how to name a mode by its rate.
std::string ModeListing();
