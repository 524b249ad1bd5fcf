#include "settings/ini_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "model/chars.h"

// The file is parsed into sections of entries and, when a write changes it, written back whole
// from them, as the platform does; so the layout of a rewritten file is the platform's
// (trimmed lines, no blank lines, CRLF), and no entry or comment is lost.

namespace {

struct Entry {
    std::string key;
    std::string value;
    bool hasValue = false;  // false for a line without "=": a comment or a stray word
};

struct Section {
    std::string name;  // empty for the entries before the first header (written without one)
    std::vector<Entry> entries;
};

}  // namespace

struct IniText {
    bool utf8Mark = false;
    std::vector<Section> sections;
};

namespace {

constexpr const char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr std::size_t kUtf8MarkLength = 3;

// The buffers the platform reads into: the caller's 128 bytes for a string, its own 30
// characters for an integer.
constexpr std::size_t kStringBufferLength = kMaxTextLength + 1;
constexpr std::size_t kIntegerBufferLength = 30;

// ^Z counts as a blank: old DOS files end with it.
bool IsBlank(char c) { return (c >= '\t' && c <= '\r') || c == '\x1a' || c == ' '; }

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

std::string Trimmed(const std::string& text, std::size_t begin, std::size_t end) {
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string Trimmed(const char* text) {
    const std::string s = text != nullptr ? text : "";
    return Trimmed(s, 0, s.size());
}

std::string WithoutLeadingBlanks(const char* text) {
    if (text == nullptr) return {};
    while (*text != '\0' && IsBlank(*text)) ++text;
    return text;
}


bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return false;
    return true;
}

// A "[" line is a header when it has a "]" somewhere after the "[": the name runs to the last.
bool ParseHeader(const std::string& line, std::string& name) {
    const std::size_t close = line.rfind(']');
    if (close == std::string::npos || close == 0) return false;
    name = Trimmed(line, 1, close);
    return true;
}

Entry ParseEntry(const std::string& line) {
    Entry entry;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        entry.key = line;
        return entry;
    }
    entry.key = Trimmed(line, 0, equals);
    entry.value = Trimmed(line, equals + 1, line.size());
    entry.hasValue = true;
    return entry;
}

void AddLine(IniText& ini, const std::string& line) {
    if (line[0] == '[') {
        std::string name;
        if (ParseHeader(line, name)) {
            ini.sections.push_back(Section{name, {}});
            return;
        }
    }
    Entry entry = ParseEntry(line);
    std::vector<Entry>& entries = ini.sections.back().entries;
    // The platform drops a line with an empty key that follows another such line.
    if (entry.key.empty() && !entries.empty() && entries.back().key.empty()) return;
    entries.push_back(std::move(entry));
}

IniText ParseIni(const std::string& bytes) {
    IniText ini;
    std::size_t pos = 0;
    if (bytes.compare(0, kUtf8MarkLength, kUtf8Mark) == 0) {
        ini.utf8Mark = true;
        pos = kUtf8MarkLength;
    }
    ini.sections.push_back(Section{});
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && !IsLineEnd(bytes[end])) ++end;
        const std::string line = Trimmed(bytes, pos, end);
        while (end < bytes.size() && IsLineEnd(bytes[end])) ++end;
        pos = end;
        if (!line.empty()) AddLine(ini, line);
    }
    return ini;
}

std::string FormatIni(const IniText& ini) {
    std::string out = ini.utf8Mark ? kUtf8Mark : "";
    for (const Section& section : ini.sections) {
        if (!section.name.empty()) out += "[" + section.name + "]\r\n";
        for (const Entry& entry : section.entries) {
            out += entry.key;
            if (entry.hasValue) out += "=" + entry.value;
            out += "\r\n";
        }
    }
    return out;
}

enum class ReadResult { Read, Missing, Failed };

// A write opens the file for update first, so that a file it may not change fails the write
// even when the value would stay the same, as on the platform.
ReadResult ReadWholeFile(const std::string& path, bool forUpdate, std::string& bytes) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), forUpdate ? "r+b" : "rb");
    if (file == nullptr) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? ReadResult::Failed : ReadResult::Read;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

// Only the first section of a name is ever looked at.
Section* FindSection(IniText& ini, const std::string& name) {
    for (Section& section : ini.sections)
        if (SameName(section.name, name)) return &section;
    return nullptr;
}

Entry* FindEntry(Section& section, const std::string& key) {
    for (Entry& entry : section.entries)
        if (SameName(entry.key, key)) return &entry;
    return nullptr;
}

// The value's text as the platform copies it into a buffer of `length` characters, the NUL
// included: one pair of surrounding quotes removed, the rest cut to fit. When the text after the
// opening quote just fits, its last character goes instead of the closing quote; that is kept.
std::string CopiedValue(const std::string& value, std::size_t length) {
    std::size_t start = 0;
    bool quoted = false;
    if (value.size() >= 2 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0]) {
        quoted = true;
        start = 1;
    }
    const std::size_t rest = value.size() - start;
    std::string copied = value.substr(start, rest < length ? rest : length - 1);
    if (quoted && length >= rest && !copied.empty()) copied.pop_back();
    return copied;
}

// A default with trailing spaces loses them, as on the platform.
std::string TrimmedDefault(const char* defaultValue) {
    std::string text = defaultValue != nullptr ? defaultValue : "";
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The raw value of the key, or nullptr when the file, the section, the key or its "=" is missing.
const std::string* LookUp(IniText& ini, const char* section, const char* key) {
    Section* found = FindSection(ini, Trimmed(section));
    if (found == nullptr) return nullptr;
    const Entry* entry = FindEntry(*found, Trimmed(key));
    if (entry == nullptr || !entry->hasValue) return nullptr;
    return &entry->value;
}

// The value as read into a buffer of `length` characters; ini is null when the file could not
// be read.
std::string ProfileString(IniText* ini, const char* section, const char* key, const char* defaultValue,
                          std::size_t length) {
    const std::string fallback = TrimmedDefault(defaultValue);
    if (key == nullptr) return {};
    if (ini == nullptr) return fallback.substr(0, length - 1);
    const std::string* value = LookUp(*ini, section, key);
    return CopiedValue(value != nullptr ? *value : fallback, length);
}

std::string ProfileString(const std::string& path, const char* section, const char* key,
                          const char* defaultValue, std::size_t length) {
    std::string bytes;
    const ReadResult read = ReadWholeFile(path, false, bytes);
    IniText ini = read == ReadResult::Failed ? IniText{} : ParseIni(bytes);
    return ProfileString(read == ReadResult::Failed ? nullptr : &ini, section, key, defaultValue, length);
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

// The platform's integer reading: blanks (anything up to the space), a sign, a lower-case base
// prefix, digits of that base. Unsigned arithmetic, because overflow wraps there.
std::uint32_t ParseProfileInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        const char prefix = text[i + 1];
        const int prefixBase = prefix == 'b' ? 2 : prefix == 'o' ? 8 : prefix == 'x' ? 16 : 0;
        if (prefixBase != 0) {
            base = prefixBase;
            i += 2;
        }
    }
    std::uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit < 0 || digit >= base) break;
        total = total * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    return negative ? 0u - total : total;
}

// An integer as read from its text; an empty text gives the default.
std::int32_t ProfileInt(const std::string& text, std::int32_t defaultValue) {
    if (text.empty()) return defaultValue;
    return static_cast<std::int32_t>(ParseProfileInteger(text));
}

}  // namespace

IniFileStore::IniFileStore(std::string path) : path_(std::move(path)) {}

TextBuffer IniFileStore::GetString(const char* section, const char* key, const char* defaultValue) {
    return TextBuffer(ProfileString(path_, section, key, defaultValue, kStringBufferLength).c_str());
}

std::int32_t IniFileStore::GetInt(const char* section, const char* key, std::int32_t defaultValue) {
    return ProfileInt(ProfileString(path_, section, key, "", kIntegerBufferLength), defaultValue);
}

bool IniFileStore::WriteString(const char* section, const char* key, const char* value) {
    if (section == nullptr || key == nullptr || value == nullptr) return false;
    std::string bytes;
    if (ReadWholeFile(path_, true, bytes) == ReadResult::Failed) return false;
    IniText ini = ParseIni(bytes);

    // A new section or key keeps the name as given, less its leading blanks.
    Section* target = FindSection(ini, Trimmed(section));
    if (target == nullptr) {
        ini.sections.push_back(Section{WithoutLeadingBlanks(section), {}});
        target = &ini.sections.back();
    }
    Entry* entry = FindEntry(*target, Trimmed(key));
    if (entry == nullptr) {
        target->entries.push_back(Entry{WithoutLeadingBlanks(key), {}, false});
        entry = &target->entries.back();
    }

    const std::string newValue = WithoutLeadingBlanks(value);
    if (entry->hasValue && entry->value == newValue) return true;
    entry->value = newValue;
    entry->hasValue = true;
    return WriteWholeFile(path_, FormatIni(ini));
}

IniTextStore::IniTextStore(const std::string& bytes) : ini_(std::make_unique<IniText>(ParseIni(bytes))) {}

IniTextStore::~IniTextStore() = default;

TextBuffer IniTextStore::GetString(const char* section, const char* key, const char* defaultValue) {
    return TextBuffer(ProfileString(ini_.get(), section, key, defaultValue, kStringBufferLength).c_str());
}

std::int32_t IniTextStore::GetInt(const char* section, const char* key, std::int32_t defaultValue) {
    return ProfileInt(ProfileString(ini_.get(), section, key, "", kIntegerBufferLength), defaultValue);
}

bool IniTextStore::WriteString(const char*, const char*, const char*) { return false; }
