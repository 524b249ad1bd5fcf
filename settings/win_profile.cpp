#include "settings/win_profile.h"

#include <windows.h>

WinProfileStore::WinProfileStore(const char* path) : path_(path) {}

TextBuffer WinProfileStore::GetString(const char* section, const char* key, const char* defaultValue) {
    char value[kMaxTextLength + 1] = {};
    GetPrivateProfileStringA(section, key, defaultValue, value, sizeof value, path_.c_str());
    return TextBuffer(value);
}

std::int32_t WinProfileStore::GetInt(const char* section, const char* key, std::int32_t defaultValue) {
    // The platform returns the value as unsigned; a negative one comes back through the wrap.
    return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, defaultValue, path_.c_str()));
}

bool WinProfileStore::WriteString(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, path_.c_str()) != FALSE;
}
