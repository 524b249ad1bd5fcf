#include "cli/key_script.h"

#include <string_view>

#include "cli/ascii_text.h"
#include "cli/mode_names.h"
#include "cli/quoted_text.h"
#include "engine/calculator.h"
#include "model/chars.h"
#include "model/mode_table.h"

namespace {

// The characters the window's keyboard sends for the keys that have no printable character.
constexpr char kBackspaceChar = 8;
constexpr char kEscapeChar = 27;
constexpr char kEnterChar = 13;

struct NamedKey {
    std::string_view name;
    KeyActionKind kind;
    char key;
};

constexpr NamedKey kNamedKeys[] = {
    {"Bs", KeyActionKind::Type, kBackspaceChar},
    {"Esc", KeyActionKind::Type, kEscapeChar},
    {"Enter", KeyActionKind::Type, kEnterChar},
    {"ClearMem", KeyActionKind::ClearMemory, 0},
};

const NamedKey* FindNamedKey(std::string_view name) {
    for (const NamedKey& key : kNamedKeys)
        if (SameIgnoringCase(key.name, name)) return &key;
    return nullptr;
}

// What a word's characters amount to: a key that does something, the memory letters alone, or
// letters that are no key.
struct WordKeys {
    bool key = false;
    bool memory = false;
    bool strayLetter = false;
};

constexpr std::string_view kOperators = "+-*/=";
constexpr std::string_view kMemoryLetters = "mprMPR";

void NoteTyped(char c, int mode, WordKeys& keys) {
    const bool hexDigit = ModeKindOf(mode) == KindHex && IsHexDigit(c);
    if (IsDecimalDigit(c) || hexDigit || kOperators.find(c) != std::string_view::npos || c == kEnterChar) keys.key = true;
    else if (kMemoryLetters.find(c) != std::string_view::npos) keys.memory = true;
    else if (IsAsciiLetter(c)) keys.strayLetter = true;
}

// Reads one word into the script, the mode changing with each @MODE; false with the error set
// when a name is not known or the word holds no key.
bool ReadWord(std::string_view word, int& mode, KeyScript& script) {
    WordKeys keys;
    std::size_t i = 0;
    while (i < word.size()) {
        const char c = word[i];
        if (c == '<') {
            const std::size_t close = word.find('>', i);
            if (close == std::string_view::npos) {
                script.error = "no '>' after '<' in " + Quoted(word);
                return false;
            }
            const std::string_view name = word.substr(i + 1, close - i - 1);
            const NamedKey* key = FindNamedKey(name);
            if (key == nullptr) {
                script.error = "unknown key <" + Escaped(name) + ">";
                return false;
            }
            script.actions.push_back({.kind = key->kind, .key = key->key});
            keys.key = true;
            i = close + 1;
        } else if (c == '@') {
            const std::string_view rest = word.substr(i + 1);
            const ModeNameMatch match = ModeNameAt(rest);
            if (match.mode < 0) {
                script.error = "unknown mode " + Quoted(rest.substr(0, rest.find(' '))) + " (" + PresentModeNames() + ")";
                return false;
            }
            script.actions.push_back({.kind = KeyActionKind::SwitchMode, .mode = match.mode});
            mode = match.mode;
            keys.key = true;
            i += 1 + match.length;
        } else {
            script.actions.push_back({.kind = KeyActionKind::Type, .key = c});
            NoteTyped(c, mode, keys);
            ++i;
        }
    }
    if (!keys.key && (!keys.memory || keys.strayLetter)) {
        script.error = "no keys in " + Quoted(word);
        return false;
    }
    return true;
}

}  // namespace

KeyScript ParseKeyScript(std::span<const char* const> words, int startMode) {
    KeyScript script;
    int mode = startMode;
    for (const char* word : words)
        if (!ReadWord(word, mode, script)) break;
    return script;
}

void PlayKeyScript(const KeyScript& script) {
    for (const KeyAction& action : script.actions) {
        switch (action.kind) {
            case KeyActionKind::Type: KeyChar(action.key, false); break;
            case KeyActionKind::SwitchMode: SwitchMode(action.mode); break;
            case KeyActionKind::ClearMemory: ClearMemory(); break;
        }
    }
}
