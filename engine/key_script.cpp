#include "engine/key_script.h"

#include <charconv>
#include <initializer_list>
#include <string_view>

#include "engine/calculator.h"
#include "model/ascii_text.h"
#include "model/chars.h"
#include "model/mode_names.h"
#include "model/mode_table.h"

namespace {

// Built by appending: GCC 12 at -O3 warns (wrongly) about overlapping copies in "'" + text.
std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted += '\'';
    return quoted;
}

// The words of an error: each piece appended in turn.
std::string ErrorText(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (const std::string_view piece : pieces) text.append(piece);
    return text;
}

enum class NameKind { Key, ClearMemory, Click, Paste, Character };

struct NamedKey {
    std::string_view name;
    NameKind kind;
    char key;  // Key: the character the keyboard sends
};

// Names that take an argument ("Click 7", "Paste 1:00") end in a space.
constexpr NamedKey kNamedKeys[] = {
    {"Bs", NameKind::Key, kBackspaceKey},     {"Esc", NameKind::Key, kEscapeKey},
    {"Enter", NameKind::Key, kEnterKey},      {"ClearMem", NameKind::ClearMemory, 0},
    {"Click ", NameKind::Click, 0},           {"Paste ", NameKind::Paste, 0},
    {"Chr ", NameKind::Character, 0},
};

const NamedKey* FindNamedKey(std::string_view text) {
    for (const NamedKey& key : kNamedKeys) {
        const bool takesArgument = key.name.back() == ' ';
        if (takesArgument ? StartsWithIgnoringCase(text, key.name) : SameIgnoringCase(text, key.name)) return &key;
    }
    return nullptr;
}

// A character code 0-255.
bool ReadCharacterCode(std::string_view digits, char& c) {
    unsigned value = 0;
    const auto [end, problem] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (problem != std::errc() || end != digits.data() + digits.size() || value > 255) return false;
    c = static_cast<char>(value);
    return true;
}

// The action that <text> names; false with the error set when it names none.
bool ReadNamedAction(std::string_view text, KeyScript& script) {
    const NamedKey* named = FindNamedKey(text);
    const std::string_view argument = named != nullptr ? text.substr(named->name.size()) : std::string_view();
    KeyAction action;
    bool known = named != nullptr;
    if (known) {
        switch (named->kind) {
            case NameKind::Key: action = {.kind = KeyActionKind::Type, .key = named->key}; break;
            case NameKind::ClearMemory: action = {.kind = KeyActionKind::ClearMemory}; break;
            case NameKind::Paste: action = {.kind = KeyActionKind::Paste, .text = std::string(argument)}; break;
            case NameKind::Click: {
                const KeypadKey* button = KeypadKeyNamed(std::string(argument).c_str());
                known = button != nullptr;
                if (known) action = {.kind = KeyActionKind::Click, .number = button->buttonId};
                break;
            }
            case NameKind::Character:
                action.kind = KeyActionKind::Type;
                known = ReadCharacterCode(argument, action.key);
                break;
        }
    }
    if (!known) {
        script.error = ErrorText({"unknown key <", text, ">"});
        return false;
    }
    script.actions.push_back(std::move(action));
    return true;
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

void NoteTyped(const ModeTable& modes, char c, int mode, WordKeys& keys) {
    const bool hexDigit = ModeKindOf(modes, mode) == KindHex && IsHexDigit(c);
    if (IsDecimalDigit(c) || hexDigit || kOperators.find(c) != std::string_view::npos || c == kEnterKey) keys.key = true;
    else if (kMemoryLetters.find(c) != std::string_view::npos) keys.memory = true;
    else if (IsAsciiLetter(c)) keys.strayLetter = true;
}

// Reads one word into the script, the mode changing with each @MODE; false with the error set
// when a name is not known or the word holds no key.
bool ReadWord(const ModeTable& modes, std::string_view word, int& mode, KeyScript& script) {
    WordKeys keys;
    std::size_t i = 0;
    while (i < word.size()) {
        const char c = word[i];
        if (c == '<') {
            const std::size_t close = word.find('>', i);
            if (close == std::string_view::npos) {
                script.error = ErrorText({"no '>' after '<' in ", Quoted(word)});
                return false;
            }
            if (!ReadNamedAction(word.substr(i + 1, close - i - 1), script)) return false;
            keys.key = true;
            i = close + 1;
        } else if (c == '@') {
            const std::string_view rest = word.substr(i + 1);
            const ModeNameMatch match = ModeNameAt(modes, rest);
            if (match.mode < 0) {
                script.error = ErrorText({"unknown mode ", Quoted(rest.substr(0, rest.find(' '))), " (",
                                          PresentModeNames(modes), ")"});
                return false;
            }
            script.actions.push_back({.kind = KeyActionKind::SwitchMode, .number = match.mode});
            mode = match.mode;
            keys.key = true;
            i += 1 + match.length;
        } else {
            script.actions.push_back({.kind = KeyActionKind::Type, .key = c});
            NoteTyped(modes, c, mode, keys);
            ++i;
        }
    }
    if (!keys.key && (!keys.memory || keys.strayLetter)) {
        script.error = ErrorText({"no keys in ", Quoted(word)});
        return false;
    }
    return true;
}

}  // namespace

KeyScript ParseKeyScript(const ModeTable& modes, std::span<const char* const> words, int startMode) {
    KeyScript script;
    int mode = startMode;
    for (const char* word : words)
        if (!ReadWord(modes, word, mode, script)) break;
    return script;
}

void PlayKeyScript(Calculator& calculator, const KeyScript& script, bool flash) {
    for (const KeyAction& action : script.actions) {
        switch (action.kind) {
            case KeyActionKind::Type: calculator.KeyChar(action.key, flash); break;
            case KeyActionKind::Click: calculator.KeypadCommand(action.number); break;
            case KeyActionKind::Paste: calculator.PasteText(action.text.c_str()); break;
            case KeyActionKind::SwitchMode: calculator.SwitchMode(action.number); break;
            case KeyActionKind::ClearMemory: calculator.ClearMemory(); break;
        }
    }
}
