#pragma once
// The calculator engine: one state, changed only by the operations below, shown through the
// CalculatorView. It never calls the window system.

#include <cstdint>

#include "engine/calculator_view.h"
#include "engine/tape.h"
#include "model/fixed_text.h"

constexpr int kMaxEntryLength = 8;
using EntryBuffer = FixedText<kMaxEntryLength>;

struct CalculatorState {
    std::int32_t iMode = 0;         // current mode
    std::int32_t iAccMode = 0;      // mode in which iAccumulator is held
    std::int32_t iAccumulator = 0;  // running result
    char cPendingOp = ' ';          // ' ', '+', '-', '*' or '/'
    EntryBuffer szEntry;            // digits typed so far, upper-case hex letters, no separators
    std::int32_t iMemory = 0;
    std::int32_t iMemMode = 0;      // mode in which iMemory is held, converted lazily
    TextBuffer szDisplay{"0"};      // text on the display line

    // 0: no entry.
    std::int32_t iEntryLen() const { return static_cast<std::int32_t>(szEntry.size()); }
};

// The calculator's one state. Only the operations below change it; everyone else reads.
extern const CalculatorState& g_calc;

// Keypad button ids, in creation (and tab) order 1166-1185.
constexpr int kFirstKeypadId = 1166;
constexpr int kKeypadButtonCount = 20;

struct KeypadButton {
    int x;
    int y;
    const char* label;  // "&" underlines the next letter
    int id;
};
extern const KeypadButton KeypadTable[kKeypadButtonCount];

struct KeyCharEntry {
    char key;
    int buttonId;
};
constexpr int kKeyCharCount = 20;
extern const KeyCharEntry KeyCharTable[kKeyCharCount];

// Puts the state and the tape back to their start-up values without telling the view.
void ResetEngine();

// Start-up in the saved mode (mode 0 when that row is absent): display "0", memory indicator
// " ", no entry, tape cleared, mode line written.
void StartCalculator(int savedMode);

// Input.
void KeyChar(char c, bool flash);
void KeypadCommand(int controlId);
// A paste: the entry is emptied, then the digits of the mode among the text's first 127
// characters are typed without flashing; every other character is skipped, and so are the
// prefix and trailing text of the mode's clipboard format when the text carries them, so that
// what Copy wrote reads back as the value. The display shows the entry once, after the last digit.
void PasteText(const char* text);

// Key operations.
void FlashKey(char c, bool flash);
void EnterDigit(char c);
void Backspace();
void ClearCalculator();

// Operators, memory and modes.
void ApplyOperator(char op);
void MemoryPlusMinus(char sign);
void MemoryRecall();
void ClearMemory();
void SwitchMode(int mode);
void UpdateMemoryIndicator();

// The one way text reaches the display: formatted for the mode and remembered in szDisplay.
void ShowValue(const char* digits, int mode);
