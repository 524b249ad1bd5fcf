#pragma once
// A portable reader and writer of INI files that behaves like the platform's profile functions
// (GetPrivateProfileStringA, GetPrivateProfileIntA, WritePrivateProfileStringA as Wine 8
// implements them), so that the settings logic can be run and tested without Windows. The
// cross-built test settings_profile_match feeds the same files to both and requires identical
// results.
//
// The rules matched:
// - Lines end at any run of CR and LF characters. Each line is trimmed of blanks (tab, LF, VT,
//   FF, CR, space and ^Z); blank lines vanish when the file is rewritten.
// - "[name]" starts a section: the name runs to the last "]" of the line and is trimmed; text
//   after that "]" is dropped. A "[" line without "]" is an ordinary line.
// - Any other line is an entry: the key is the text before the first "=", trimmed, the value the
//   text after it, trimmed. A line without "=" (a comment, a stray word) is an entry without a
//   value: it is kept and rewritten, but reads as missing. A line with an empty key directly
//   after another one with an empty key in the same section is dropped.
// - Section and key names compare case-insensitively (ASCII letters), after trimming the names
//   asked for. Only the first section of a name counts, and in it the first key of a name: later
//   duplicates are kept in the file but never read or written.
// - A value read has one pair of surrounding quotes (' or ") removed and is cut to the buffer,
//   127 characters for strings. Quirk kept: when the quoted text is exactly as long as the
//   buffer, its last character is lost instead of the closing quote.
// - An integer is the string read into a 30-character buffer (29 characters), then: leading
//   characters up to the space skipped, an optional sign, a base prefix "0x", "0o" or "0b"
//   (lower case), then digits of that base (10 without prefix); the first other character ends
//   the number; overflow wraps modulo 2 to the 32nd. An empty or missing value gives the default.
// - Writing strips the value's leading blanks. Writing the value already there changes nothing.
//   Otherwise the whole file is rewritten from what was read: "[name]" headers and "key=value"
//   lines, CRLF line ends, a UTF-8 byte-order mark kept if the file had one. A new key goes at
//   the end of its section, a new section at the end of the file; a missing file is created.
// - A file that cannot be opened or created for writing is left as it is and the write
//   returns false.
//
// Not matched: files in UTF-16 and non-ASCII text, which the platform converts through the
// ANSI code page; here bytes are taken as they are.

#include <cstdint>
#include <memory>
#include <string>

#include "settings/settings.h"

class IniFileStore final : public ProfileStore {
public:
    explicit IniFileStore(std::string path);

    TextBuffer GetString(const char* section, const char* key, const char* defaultValue) override;
    std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue) override;
    // A null value writes nothing and returns false.
    bool WriteString(const char* section, const char* key, const char* value) override;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

struct IniText;  // a file's sections and entries, as parsed

// The same reading rules over the bytes of a file read beforehand: the text is parsed once and
// every read is answered from it. Writes change nothing and return false. For a reader that
// must read a file once and bound what it reads.
class IniTextStore final : public ProfileStore {
public:
    explicit IniTextStore(const std::string& bytes);
    ~IniTextStore();
    IniTextStore(const IniTextStore&) = delete;
    IniTextStore& operator=(const IniTextStore&) = delete;

    TextBuffer GetString(const char* section, const char* key, const char* defaultValue) override;
    std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue) override;
    bool WriteString(const char* section, const char* key, const char* value) override;

private:
    std::unique_ptr<IniText> ini_;
};
