#include "model/mode_names.h"

#include "model/ascii_text.h"
#include "model/mode_table.h"

int ModeNamed(const ModeTable& modes, std::string_view name) {
    for (int mode = 0; mode < kModeCount; ++mode)
        if (IsModePresent(modes, mode) && SameIgnoringCase(name, modes.rows[mode].szShortName.c_str())) return mode;
    return -1;
}

ModeNameMatch ModeNameAt(const ModeTable& modes, std::string_view text) {
    ModeNameMatch best;
    for (int mode = 0; mode < kModeCount; ++mode) {
        if (!IsModePresent(modes, mode)) continue;
        const std::string_view shortName = modes.rows[mode].szShortName.c_str();
        if (shortName.size() > best.length && StartsWithIgnoringCase(text, shortName)) {
            best.mode = mode;
            best.length = shortName.size();
        }
    }
    return best;
}

std::string PresentModeNames(const ModeTable& modes) {
    std::string names;
    for (int mode = 0; mode < kModeCount; ++mode) {
        if (!IsModePresent(modes, mode)) continue;
        if (!names.empty()) names += ", ";
        names += modes.rows[mode].szShortName.c_str();
    }
    return names;
}
