#pragma once
// The calculator: a value that owns its state, its tape and its memory, works in the modes and
// with the options it is given, and shows everything through its CalculatorView. It never calls
// the window system. Two calculators share nothing.

#include <cstdint>

#include "engine/calculator_view.h"
#include "engine/tape.h"
#include "model/fixed_text.h"

struct ModeTable;
struct Options;
enum AutoDfCorrect : std::int32_t;

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
};

// The characters the keyboard sends for the keys that have no printable character.
constexpr char kBackspaceKey = 8;
constexpr char kEnterKey = 13;
constexpr char kEscapeKey = 27;

// Keypad button ids, in creation (and tab) order 1166-1185.
constexpr int kFirstKeypadId = 1166;
constexpr int kKeypadButtonCount = 20;

// Every key that has a button, with the button's name as it reads: the keyboard's M, P and R
// arrive in upper case and Enter as "=".
struct KeypadKey {
    char key;
    int buttonId;
    const char* name;
};
inline constexpr KeypadKey KeypadKeys[kKeypadButtonCount] = {
    {kEscapeKey, 1166, "C"}, {'0', 1167, "0"},   {kBackspaceKey, 1168, "<<"}, {'=', 1169, "="},
    {'1', 1170, "1"},        {'2', 1171, "2"},   {'3', 1172, "3"},            {'+', 1173, "+"},
    {'4', 1174, "4"},        {'5', 1175, "5"},   {'6', 1176, "6"},            {'-', 1177, "-"},
    {'7', 1178, "7"},        {'8', 1179, "8"},   {'9', 1180, "9"},            {'*', 1181, "*"},
    {'R', 1182, "MR"},       {'P', 1183, "MP+"}, {'M', 1184, "MM-"},          {'/', 1185, "/"},
};

// The keypad key named so ("MR", "<<", "7"), or null.
const KeypadKey* KeypadKeyNamed(const char* name);

class Calculator {
public:
    Calculator(CalculatorView& view, const ModeTable& modes, const Options& options);
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // Start-up in the saved mode (mode 0 when that row is absent): display "0", memory indicator
    // " ", no entry, tape cleared, mode line written.
    void Start(int savedMode);

    // A character typed on the keyboard, the buttons flashing when asked.
    void KeyChar(char c, bool flash);
    // A click on a keypad button; any other id does nothing.
    void KeypadCommand(int controlId);
    // A paste: the entry is emptied, then the digits of the mode among the text's first 127
    // characters are typed without flashing; every other character is skipped, and so are the
    // prefix and trailing text of the mode's clipboard format when the text carries them, so that
    // what Copy wrote reads back as the value. The display shows the entry once, after the last
    // digit. False when no digit was typed.
    bool PasteText(const char* text);
    // The Setup menu's mode commands: the values held are converted to the new mode's rate.
    void SwitchMode(int mode);
    void ClearMemory();
    void ClearTape();

    // What the calculator holds, for saving the mode and copying the display.
    const CalculatorState& State() const { return state_; }

private:
    CalculatorView& view_;
    const ModeTable& modes_;
    const Options& options_;
    CalculatorState state_;
    Tape tape_;

    void PerformKey(char key);
    void FlashKey(char key, bool flash);
    void EnterDigit(char c);
    bool TypeDigit(char c);
    void Backspace();
    void Clear();
    void ApplyOperator(char op);
    void ApplyOperatorToDisplay(char op);
    void ApplyOperatorToEntry(char op);
    void MemoryPlusMinus(char sign);
    void MemoryRecall();
    void UpdateMemoryForMode();
    void UpdateMemoryIndicator();

    bool AcceptEntry();
    bool StrictEntryCheck();
    void CorrectDroppedLabel(AutoDfCorrect fix);
    void SetEntryToCount(std::int32_t count, int mode);
    std::int32_t Convert(std::int32_t count, int fromMode, int toMode) const;
    std::int32_t DisplayedValue() const;

    void ShowValue(const char* digits, int mode);
    void ShowCount(std::int32_t count, int mode);
    void ShowText(const TextBuffer& text);
    void AddOperandLine(char op, const char* value, int mode);
    void AddMemoryLine(MemoryLine kind, const char* value, int mode);
};
