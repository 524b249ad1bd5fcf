#pragma once
// Keys as lumo's arguments write them. Each character is typed as on the window's keyboard
// (digits, a-f in Hex, + - * / =, m p r for the memory; others mean nothing, spaces included);
// <Bs>, <Esc> and <Enter> name the keys that a shell cannot type, <ClearMem> is the menu's
// Clear Memory, and @NAME switches to the mode named as the Setup menu does.

#include <span>
#include <string>
#include <vector>

enum class KeyActionKind { Type, SwitchMode, ClearMemory };

struct KeyAction {
    KeyActionKind kind = KeyActionKind::Type;
    char key = 0;  // Type: the character typed
    int mode = 0;  // SwitchMode: the row
};

struct KeyScript {
    std::vector<KeyAction> actions;
    std::string error;  // empty when every word could be read
};

// Reads the words in order as one script, typed from startMode on. Mode names are looked up
// now, so the user modes must be defined before. A word without a key is an error: one with no
// digit of the mode, operator, <key> or @MODE, unless it holds only the memory letters, is
// taken for a word meant as something else ("help", "abc" outside Hex).
KeyScript ParseKeyScript(std::span<const char* const> words, int startMode);

// Plays the script through the engine, as typed on the keyboard without the buttons' flash.
void PlayKeyScript(const KeyScript& script);
