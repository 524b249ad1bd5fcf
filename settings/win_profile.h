#pragma once
// The settings file through the platform's profile functions (GetPrivateProfileStringA,
// GetPrivateProfileIntA, WritePrivateProfileStringA). Windows only.

#include "settings/settings.h"

class WinProfileStore final : public ProfileStore {
public:
    // The file's full path; a bare file name would be looked for in the Windows folder.
    explicit WinProfileStore(const char* path);

    TextBuffer GetString(const char* section, const char* key, const char* defaultValue) override;
    std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue) override;
    bool WriteString(const char* section, const char* key, const char* value) override;

private:
    FixedText<260> path_;
};
