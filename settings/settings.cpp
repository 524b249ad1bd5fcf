#include "settings/settings.h"

#include <cstdint>

#include "model/mode_table.h"
#include "model/user_mode.h"
#include "settings/options.h"

namespace {

constexpr const char* kUserModeKeys[kUserModeCount] = {"szCfr1", "szCfr2", "szCfr3", "szCfr4"};

// szFormat1 holds rows 0 to 6, szFormat2 rows 7 to 12 and a spare 0 that is never read.
constexpr int kFormat1FirstRow = 0;
constexpr int kFormat2FirstRow = 7;
constexpr int kFormatFieldCount = 7;
constexpr int kPositionFieldCount = 2;

// The on/off options, in the order they are read.
struct SwitchOption {
    const char* key;
    std::int32_t Options::*field;
    std::int32_t defaultValue;
};

constexpr SwitchOption kReadOrder[] = {
    {"bStrictCheck", &Options::bStrictCheck, 0},
    {"bDispTape", &Options::bDispTape, 0},
    {"bDispMode", &Options::bDispMode, 0},
    {"bUpperCase", &Options::bUpperCase, 1},
    {"bDFNDFFrameConv", &Options::bDFNDFFrameConv, 0},
};

// What Save Setup Now writes after iMode, in this order.
struct SavedOption {
    const char* key;
    std::int32_t Options::*field;
};

constexpr SavedOption kSaveOrder[] = {
    {"bStrictCheck", &Options::bStrictCheck},
    {"bUpperCase", &Options::bUpperCase},
    {"bDispTape", &Options::bDispTape},
    {"bDispMode", &Options::bDispMode},
    {"bDFNDFFrameConv", &Options::bDFNDFFrameConv},
    {"iAutoDfFix", &Options::iAutoDfFix},
    {"bOnTop", &Options::bOnTop},
};

bool IsPathSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

// "%i" without a formatting buffer. Unsigned arithmetic, so that the most negative value works.
template <std::size_t Capacity>
void AppendInteger(FixedText<Capacity>& text, std::int32_t value) {
    std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    if (value < 0) {
        text.append('-');
        magnitude = 0u - magnitude;
    }
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0) text.append(digits[--count]);
}

TextBuffer IntegerText(std::int32_t value) {
    TextBuffer text;
    AppendInteger(text, value);
    return text;
}

// A hand-edited on/off value other than 0 counts as on, and is held as 1 from here on, so the
// layout, the menu check marks and the next save all agree about it.
std::int32_t AsSwitch(std::int32_t value) { return value != 0 ? 1 : 0; }

// Definitions and comma lists are cut up in place, so each gets a buffer of its own.
struct SplittableText {
    char chars[kMaxTextLength + 1] = {};
};

SplittableText SplittableCopy(const TextBuffer& value) {
    SplittableText text;
    for (std::size_t c = 0; c < value.size(); ++c) text.chars[c] = value[c];
    return text;
}

void ReadUserModes(ProfileStore& profile, ModeTable& modes) {
    for (int i = 0; i < kUserModeCount; ++i) {
        const TextBuffer value = profile.GetString(kUserModeSection, kUserModeKeys[i], "");
        if (!value.empty()) ParseUserMode(modes, kFirstUserMode + i, value.c_str());
    }
}

void ReadWindowPosition(ProfileStore& profile, Options& options) {
    options.iWindowX = -1;
    options.iWindowY = -1;
    const TextBuffer value = profile.GetString(kSettingsSection, "szXYPos", "");
    if (value.empty()) return;
    SplittableText text = SplittableCopy(value);
    const CommaFields fields = SplitCommaFields(text.chars);
    if (fields.count != kPositionFieldCount) return;
    options.iWindowX = ReadIntegerField(fields.field[0]);
    options.iWindowY = ReadIntegerField(fields.field[1]);
}

std::int32_t ReadMode(ProfileStore& profile) {
    const std::int32_t mode = profile.GetInt(kSettingsSection, "iMode", 0);
    return IsValidMode(mode) ? mode : 0;
}

// A hand-edited Auto DF Correct value that names no menu choice counts as Off.
void ReadOptions(ProfileStore& profile, Options& options) {
    for (const SwitchOption& option : kReadOrder)
        options.*option.field = AsSwitch(profile.GetInt(kSettingsSection, option.key, option.defaultValue));
    options.iAutoDfFix = AutoDfChoice(profile.GetInt(kSettingsSection, "iAutoDfFix", AutoDfOff));
}

// The first `rows` fields become the clipboard formats from `firstRow` on; a line of fewer than
// seven fields is ignored as a whole.
void ReadFormats(ProfileStore& profile, ModeTable& modes, const char* key, int firstRow, int rows) {
    const TextBuffer value = profile.GetString(kSettingsSection, key, "");
    if (value.empty()) return;
    SplittableText text = SplittableCopy(value);
    const CommaFields fields = SplitCommaFields(text.chars);
    if (fields.count < kFormatFieldCount) return;
    // Stored as signed decimals, so a format with the top bit set comes back through the wrap.
    for (int i = 0; i < rows; ++i)
        modes.rows[firstRow + i].iClipFlags = static_cast<FormatFlags>(ReadIntegerField(fields.field[i]));
}

TextBuffer FormatsText(const ModeTable& modes, int firstRow, int rows) {
    TextBuffer text;
    for (int i = 0; i < kFormatFieldCount; ++i) {
        if (i > 0) text.append(", ");
        const FormatFlags flags = i < rows ? modes.rows[firstRow + i].iClipFlags : 0;
        AppendInteger(text, static_cast<std::int32_t>(flags));
    }
    return text;
}

}  // namespace

FixedText<260> SiblingPath(const char* exePath, const char* extension) {
    FixedText<260> path(exePath);
    // Only a dot in the file name counts: one in a folder name would put the file elsewhere.
    std::size_t dot = path.size();
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1])) break;
        if (path[i - 1] == '.') {
            dot = i - 1;
            break;
        }
    }
    path.truncate(dot);
    path.append(extension);
    return path;
}

SettingsPaths SettingsPathsOf(const char* exePath) {
    if (exePath == nullptr || *exePath == '\0') return {};
    const FixedText<260> settings = SiblingPath(exePath, ".INI");
    const FixedText<260> help = SiblingPath(exePath, ".HLP");
    // A path of MAX_PATH (260) characters leaves no room for its terminating zero: a full text
    // was cut, and the file it names would be another's.
    if (settings.full() || help.full()) return {};
    return {settings, help};
}

std::int32_t ReadSettings(ProfileStore& profile, ModeTable& modes, Options& options) {
    ReadUserModes(profile, modes);
    ReadWindowPosition(profile, options);
    const std::int32_t mode = ReadMode(profile);
    ReadOptions(profile, options);
    ReadFormats(profile, modes, "szFormat1", kFormat1FirstRow, kFormatFieldCount);
    ReadFormats(profile, modes, "szFormat2", kFormat2FirstRow, kModeCount - kFormat2FirstRow);
    options.bOnTop = AsSwitch(profile.GetInt(kSettingsSection, "bOnTop", 0));
    return mode;
}

// The results of the writes are not looked at: an unwritable file loses the settings silently.
void SaveSettings(ProfileStore& profile, const ModeTable& modes, const Options& options, std::int32_t currentMode) {
    profile.WriteString(kSettingsSection, "iMode", IntegerText(currentMode).c_str());
    for (const SavedOption& option : kSaveOrder)
        profile.WriteString(kSettingsSection, option.key, IntegerText(options.*option.field).c_str());
    profile.WriteString(kSettingsSection, "szFormat1",
                        FormatsText(modes, kFormat1FirstRow, kFormatFieldCount).c_str());
    profile.WriteString(kSettingsSection, "szFormat2",
                        FormatsText(modes, kFormat2FirstRow, kModeCount - kFormat2FirstRow).c_str());
}

void SavePosition(ProfileStore& profile, int left, int top, bool minimised) {
    if (minimised) return;
    TextBuffer text;
    AppendInteger(text, left);
    text.append(',');
    AppendInteger(text, top);
    profile.WriteString(kSettingsSection, "szXYPos", text.c_str());
}
