#pragma once
// The settings file: an INI file beside the executable, read once at start-up and written by
// Save Setup Now (the options) and at close (the window position). The logic here is portable;
// it reaches the file through a ProfileStore, which the program backs with the platform's
// profile functions and the native tests with a portable INI reader and writer.

#include <cstdint>

#include "model/fixed_text.h"

struct ModeTable;
struct Options;

constexpr const char* kSettingsSection = "Vexo";
constexpr const char* kUserModeSection = "Vexo Special";

class ProfileStore {
public:
    // The key's value, at most 127 characters; the default when the key is missing.
    virtual TextBuffer GetString(const char* section, const char* key, const char* defaultValue) = 0;
    // The key's value read as a decimal integer; the default when the key is missing.
    virtual std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue) = 0;
    // Creates the file, the section or the key as needed; other lines stay as they are.
    virtual bool WriteString(const char* section, const char* key, const char* value) = 0;

protected:
    ~ProfileStore() = default;
};

// The executable's path with everything from its last "." replaced by the extension.
FixedText<260> SiblingPath(const char* exePath, const char* extension);

// Paths formed at start-up from the executable's path. When that path is not known whole
// (null: the system could not give it, or gave it cut short) or a path formed from it would not
// fit, both stay empty: the program then has no settings file, reads none and writes none, and
// runs on the defaults.
struct SettingsPaths {
    FixedText<260> settings;
    FixedText<260> help;

    bool HasSettingsFile() const { return !settings.empty(); }
};
SettingsPaths SettingsPathsOf(const char* exePath);

// Reads the user modes, the window position, the current mode, the options and the clipboard
// formats, in that order, into the mode table and the options. Returns the saved current mode
// (0-12; a value outside counts as 0), which start-up hands to the calculator.
std::int32_t ReadSettings(ProfileStore& profile, ModeTable& modes, Options& options);

// Save Setup Now: the current mode, the options and the clipboard formats.
void SaveSettings(ProfileStore& profile, const ModeTable& modes, const Options& options, std::int32_t currentMode);

// At close: the window's top-left corner, unless the window is minimised.
void SavePosition(ProfileStore& profile, int left, int top, bool minimised);
