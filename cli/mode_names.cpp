#include "cli/mode_names.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>

#include "model/ascii_text.h"
#include "model/mode_names.h"
#include "cli/quoted_text.h"
#include "model/chars.h"
#include "model/drop_frame.h"
#include "model/mode_table.h"
#include "model/user_mode.h"

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

// A rate name: one or two whole digits, up to three decimals, and "df" for drop-frame.
constexpr std::size_t kMaxWholeDigits = 2;
constexpr std::size_t kMaxDecimals = 3;
constexpr std::string_view kDropSuffix = "df";

struct RateName {
    bool valid = false;
    double fps = 0;
    bool drop = false;
    std::string_view number;  // the rate as written, without "df"
};

RateName ReadRateName(std::string_view name) {
    RateName rate;
    rate.drop = name.size() > kDropSuffix.size() &&
                SameIgnoringCase(name.substr(name.size() - kDropSuffix.size()), kDropSuffix);
    rate.number = rate.drop ? name.substr(0, name.size() - kDropSuffix.size()) : name;
    const std::size_t point = rate.number.find('.');
    const std::string_view whole = rate.number.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? "" : rate.number.substr(point + 1);
    if (whole.empty() || whole.size() > kMaxWholeDigits || decimals.size() > kMaxDecimals) return rate;
    if (point != std::string_view::npos && decimals.empty()) return rate;
    for (const std::string_view part : {whole, decimals})
        for (const char c : part)
            if (!IsDecimalDigit(c)) return rate;
    // Read as a settings file's rate is, so that "29.97" is the very number of the DF row.
    rate.fps = std::strtod(std::string(rate.number).c_str(), nullptr);
    rate.valid = rate.fps > 0;
    return rate;
}

// The built-in time mode that runs at the rate, drop-frame or not; -1 for none.
int BuiltInModeAtRate(const ModeTable& modes, const RateName& rate) {
    for (int mode = 0; mode < kFirstUserMode; ++mode) {
        const ModeRecord& row = modes.rows[mode];
        const bool time = row.iKind == KindHmsf || row.iKind == KindHmsfDrop;
        if (time && row.dFps == rate.fps && (row.iKind == KindHmsfDrop) == rate.drop) return mode;
    }
    return -1;
}

int FreeUserRow(const ModeTable& modes) {
    for (int mode = kFirstUserMode; mode < kFirstUserMode + kUserModeCount; ++mode)
        if (!IsModePresent(modes, mode)) return mode;
    return -1;
}

// A user mode at the rate, named by it: "59.94 fps DF" in the lists, the name given as its
// short name, so that a second mention of the name finds it.
NamedMode DefineModeAtRate(ModeTable& modes, std::string_view name, const RateName& rate) {
    const std::string number(rate.number);
    if (rate.drop && DroppedLabelsAtRate(rate.fps) == 0)
        return {-1, "no drop-frame counting at " + number + " frames a second (only at 29.97 and 59.94)"};
    const int row = FreeUserRow(modes);
    if (row < 0)
        return {-1, "no free user mode for rate " + Quoted(name) + ": the settings file defines all " +
                        std::to_string(kUserModeCount)};
    const std::string definition = number + " fps" + (rate.drop ? " DF" : "") + "," + std::string(name) + ", ," +
                                   number + ",1," + KindKeywords[rate.drop ? KindHmsfDrop : KindHmsf] + ",0";
    if (!ParseUserMode(modes, row, definition.c_str()))
        return {-1, "no mode can count at " + number + " frames a second"};
    return {row, {}};
}

constexpr std::size_t kShortNameWidth = 10;
constexpr std::size_t kLongNameWidth = 33;
constexpr std::size_t kKindWidth = 14;
constexpr std::size_t kRateWidth = 24;

}  // namespace

NamedMode ModeForOption(ModeTable& modes, std::string_view name) {
    const int mode = ModeNamed(modes, name);
    if (mode >= 0) return {mode, {}};
    const RateName rate = ReadRateName(name);
    if (!rate.valid)
        return {-1, "unknown mode " + Quoted(name) + " (" + PresentModeNames(modes) +
                        ", or a rate below 100 such as 23.976, 50 or 29.97df)"};
    const int builtIn = BuiltInModeAtRate(modes, rate);
    if (builtIn >= 0) return {builtIn, {}};
    return DefineModeAtRate(modes, name, rate);
}

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
    text += "\nA mode may also be named by its rate below 100 frames a second: 23.976, 24, 25, 29.97, 30,\n"
            "47.952, 48, 50, 59.94, 60 or any other, with \"df\" for drop-frame (29.97df, 59.94df).\n";
    return text;
}
