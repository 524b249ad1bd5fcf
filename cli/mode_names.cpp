#include "cli/mode_names.h"

#include <charconv>
#include <cstdint>

#include "model/drop_frame.h"
#include "model/mode_table.h"

namespace {

// How `lumo modes` names each ModeKind.
constexpr const char* kKindDescriptions[kKindCount] = {
    "timecode", "drop-frame", "feet+frames", "hexadecimal", "decimal", "octal",
};

// A drop-frame mode at a rate without a drop rule writes every label, and says so.
std::string_view KindDescription(const ModeTable& modes, int mode) {
    const std::int32_t kind = modes.rows[mode].iKind;
    if (kind == KindHmsfDrop && DroppedLabelsPerMinute(modes, mode) == 0) return "HMSD, no drop";
    return kKindDescriptions[kind];
}

template <typename Number>
void AppendNumber(std::string& text, Number value) {
    char digits[32];
    const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

void AppendColumn(std::string& text, std::string_view cell, std::size_t width) {
    text.append(cell);
    text.append(cell.size() < width ? width - cell.size() : 1, ' ');
}

// "30 fps", "24 fps, 16 frames/ft" or "-" for the plain counts.
std::string RateText(const ModeRecord& row) {
    if (!IsWeightedKind(row.iKind)) return "-";
    std::string rate;
    AppendNumber(rate, row.dFps);
    rate += " fps";
    if (row.iKind == KindFeetFrames) {
        rate += ", ";
        AppendNumber(rate, row.dFramesPerFoot);
        rate += " frames/ft";
    }
    return rate;
}

constexpr std::size_t kShortNameWidth = 10;
constexpr std::size_t kLongNameWidth = 33;
constexpr std::size_t kKindWidth = 14;
constexpr std::size_t kRateWidth = 24;

}  // namespace

std::string ModeListing(const ModeTable& modes) {
    std::string text;
    AppendColumn(text, "Mode", kShortNameWidth);
    AppendColumn(text, "Name", kLongNameWidth);
    AppendColumn(text, "Kind", kKindWidth);
    AppendColumn(text, "Rate", kRateWidth);
    text += "Wraps at (frames)\n";
    for (int mode = 0; mode < kModeCount; ++mode) {
        if (!IsModePresent(modes, mode)) continue;
        const ModeRecord& row = modes.rows[mode];
        AppendColumn(text, row.szShortName.c_str(), kShortNameWidth);
        AppendColumn(text, row.szName.c_str(), kLongNameWidth);
        AppendColumn(text, KindDescription(modes, mode), kKindWidth);
        AppendColumn(text, RateText(row), kRateWidth);
        AppendNumber(text, WrapModulus(modes, mode));
        text += '\n';
    }
    return text;
}
