#include "cli/key_script.h"

#include <string_view>

#include "cli/ascii_text.h"
#include "cli/mode_names.h"
#include "engine/calculator.h"

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

// Reads one word into the script; false with the error set when a name is not known.
bool ReadWord(std::string_view word, KeyScript& script) {
    std::size_t i = 0;
    while (i < word.size()) {
        const char c = word[i];
        if (c == '<') {
            const std::size_t close = word.find('>', i);
            if (close == std::string_view::npos) {
                script.error = "no '>' after '<' in '" + std::string(word) + "'";
                return false;
            }
            const std::string_view name = word.substr(i + 1, close - i - 1);
            const NamedKey* key = FindNamedKey(name);
            if (key == nullptr) {
                script.error = "unknown key <" + std::string(name) + ">";
                return false;
            }
            script.actions.push_back({.kind = key->kind, .key = key->key});
            i = close + 1;
        } else if (c == '@') {
            const std::string_view rest = word.substr(i + 1);
            const ModeNameMatch match = ModeNameAt(rest);
            if (match.mode < 0) {
                script.error = "unknown mode '" + std::string(rest.substr(0, rest.find(' '))) + "'";
                return false;
            }
            script.actions.push_back({.kind = KeyActionKind::SwitchMode, .mode = match.mode});
            i += 1 + match.length;
        } else {
            script.actions.push_back({.kind = KeyActionKind::Type, .key = c});
            ++i;
        }
    }
    return true;
}

}  // namespace

KeyScript ParseKeyScript(std::span<const char* const> words) {
    KeyScript script;
    for (const char* word : words)
        if (!ReadWord(word, script)) break;
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
