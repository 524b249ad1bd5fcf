#pragma once
// Keys written as text, as lumo's arguments and the engine's tests write them. Each character
// is typed as on the window's keyboard (digits, a-f in Hex, + - * / =, m p r for the memory;
// others mean nothing, spaces included). Names in angle brackets stand for what a shell cannot
// type or the keyboard does not have: <Bs>, <Esc> and <Enter>; <ClearMem>, the menu's Clear
// Memory; <Click NAME>, a click on the keypad button named so (C, <<, MR, MP+, MM-, 7, ...);
// <Paste TEXT>, the text pasted (up to the next ">"); <Chr N>, the character with code N typed. @NAME switches to the
// mode named, as the Setup menu does.

#include <span>
#include <string>
#include <vector>

class Calculator;
struct ModeTable;

enum class KeyActionKind { Type, Click, Paste, SwitchMode, ClearMemory };

struct KeyAction {
    KeyActionKind kind = KeyActionKind::Type;
    char key = 0;       // Type: the character typed
    int number = 0;     // SwitchMode: the row; Click: the button id
    std::string text{};  // Paste: the text
};

struct KeyScript {
    std::vector<KeyAction> actions;
    std::string error;  // empty when every word could be read
};

// Reads the words in order as one script, typed from startMode on. Mode names are looked up in
// the table now, so its user modes must be defined before. A word without a key is an error:
// one with no digit of the mode, operator, <key> or @MODE, unless it holds only the memory
// letters, is taken for a word meant as something else ("help", "abc" outside Hex).
KeyScript ParseKeyScript(const ModeTable& modes, std::span<const char* const> words, int startMode);

// Plays the script through the calculator as typed on its keyboard, the buttons flashing when
// asked.
void PlayKeyScript(Calculator& calculator, const KeyScript& script, bool flash);
