#pragma once
// Modes on lumo's command line: by the short names of their rows (model/mode_names.h) or by
// their rates; and the table that `lumo modes` prints.

#include <cstddef>
#include <string>
#include <string_view>

struct ModeTable;

// The mode an option names: a short name, or a rate below 100 frames a second with at
// most three decimals ("23.976", "50"), with "df" for drop-frame counting ("29.97df"). A rate
// that a built-in time mode runs at is that mode (24 Film, 25 Pal, 30 NDF, 29.97df DF); any
// other is defined as a user mode for the run, in the first free user row, as a settings file
// would define it. error is empty when mode is set.
struct NamedMode {
    int mode = -1;
    std::string error;
};
NamedMode ModeForOption(ModeTable& modes, std::string_view name);

// One line per present mode: short name, long name, kind, rate and the count at which its
// results wrap, under a heading line; then how to name a mode by its rate.
std::string ModeListing(const ModeTable& modes);
