#include "engine/calculator.h"

#include <cstdint>

#include "format/formatter.h"
#include "model/chars.h"
#include "model/convert.h"
#include "model/digit_string.h"
#include "model/drop_frame.h"
#include "model/entry_check.h"
#include "model/mode_table.h"
#include "settings/options.h"

namespace {
CalculatorState g_state;
}  // namespace

const CalculatorState& g_calc = g_state;

constexpr KeypadButton KeypadTable[kKeypadButtonCount] = {
    {2, 84, "C", 1166},     {37, 84, "0", 1167},     {72, 84, "<<", 1168},    {107, 84, "=", 1169},
    {2, 63, "1", 1170},     {37, 63, "2", 1171},     {72, 63, "3", 1172},     {107, 63, "+", 1173},
    {2, 42, "4", 1174},     {37, 42, "5", 1175},     {72, 42, "6", 1176},     {107, 42, "-", 1177},
    {2, 21, "7", 1178},     {37, 21, "8", 1179},     {72, 21, "9", 1180},     {107, 21, "*", 1181},
    {2, 0, "M&R", 1182},    {37, 0, "M&P+", 1183},   {72, 0, "M&M-", 1184},   {107, 0, "/", 1185},
};

namespace {

constexpr char kBackspaceKey = 8;
constexpr char kEnterKey = 13;
constexpr char kEscapeKey = 27;

}  // namespace

// Every key that has a button; the keyboard's M, P and R arrive here in upper case and Enter
// as "=".
constexpr KeyCharEntry KeyCharTable[kKeyCharCount] = {
    {kEscapeKey, 1166}, {kBackspaceKey, 1168}, {'0', 1167}, {'1', 1170}, {'2', 1171},
    {'3', 1172},        {'4', 1174},           {'5', 1175}, {'6', 1176}, {'7', 1178},
    {'8', 1179},        {'9', 1180},           {'R', 1182}, {'P', 1183}, {'M', 1184},
    {'/', 1185},        {'*', 1181},           {'-', 1177}, {'+', 1173}, {'=', 1169},
};

namespace {

// The keypad's ids are consecutive, and every button has exactly one key.
constexpr bool KeypadIdsAreConsecutive() {
    for (int i = 0; i < kKeypadButtonCount; ++i)
        if (KeypadTable[i].id != kFirstKeypadId + i) return false;
    return true;
}
static_assert(KeypadIdsAreConsecutive(), "keypad ids must run 1166-1185 in table order");

constexpr bool EveryButtonHasOneKey() {
    for (const KeypadButton& button : KeypadTable) {
        int keys = 0;
        for (const KeyCharEntry& entry : KeyCharTable) keys += entry.buttonId == button.id ? 1 : 0;
        if (keys != 1) return false;
    }
    return true;
}
static_assert(EveryButtonHasOneKey(), "each keypad button needs exactly one key");

// The messages of the calculator; a refused field is named in "Invalid %s Entry".
constexpr const char* kDividingByZero = "Dividing By Zero";
constexpr const char* kStrictCheckCaption = "Strict Number Check";
constexpr const char* kFieldNames[] = {"Frames", "Seconds", "Minutes", "Hours"};

// The paste reads at most the clipboard's first 127 characters.
constexpr std::size_t kMaxPasteLength = kMaxTextLength;

int CurrentKind() { return ModeKindOf(g_state.iMode); }

FormatFlags DisplayFlagsOf(int mode) { return KindDisplayFlags[ModeKindOf(mode)]; }

bool IsUpperHexLetter(char c) { return c >= 'A' && c <= 'F'; }

bool IsOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '='; }

// Auto DF Correct as a choice; an unknown value (a hand-edited settings file) counts as Off.
enum class DfFix { Off, MinusTwoFrames, PlusTwoFrames };

DfFix AutoDfFix() {
    switch (g_options.iAutoDfFix) {
        case 1: return DfFix::MinusTwoFrames;
        case 2: return DfFix::PlusTwoFrames;
        default: return DfFix::Off;
    }
}

bool StrictCheckOn() { return g_options.bStrictCheck != 0; }

std::int32_t Convert(std::int32_t count, int fromMode, int toMode) {
    return ConvertFrames(count, fromMode, toMode, g_options.bDFNDFFrameConv != 0);
}

// --- The entry -----------------------------------------------------------------------------

bool HasEntry() { return !g_state.szEntry.empty(); }

void EmptyEntry() { g_state.szEntry.clear(); }

// Replaces the entry by text that is already the mode's bare digits. Only the rightmost eight
// digits carry meaning for the entry (the oldest typed digit is the one dropped), so a longer
// text keeps those.
void SetEntry(const char* text, std::size_t length) {
    const std::size_t skip = length > kMaxEntryLength ? length - kMaxEntryLength : 0;
    g_state.szEntry.assign(text + skip);
}

// The count's digits as if typed: no separators, no leading zeros, upper-case letters.
void SetEntryToCount(std::int32_t count, int mode) {
    const TextBuffer digits = FormatCount(count, mode, BareDigitFlags);
    SetEntry(digits.c_str(), digits.size());
}

bool EntryIsAllZeros() {
    for (std::size_t i = 0; i < g_state.szEntry.size(); ++i)
        if (g_state.szEntry[i] != '0') return false;
    return true;
}

// Auto DF Correct on a skipped drop-frame label: the label moves back to the end of the
// previous minute or on to the first label of its minute. A skipped label has a nonzero minute
// digit, so the entry holds at least the five digits that the move rewrites.
void CorrectDroppedLabel(DfFix fix) {
    const int mode = g_state.iMode;
    DigitString label = MakeDigitString(g_state.szEntry.c_str());
    if (fix == DfFix::MinusTwoFrames) MoveToPreviousMinute(label, mode);
    else MoveToLabelsThatExist(label, mode);
    g_state.szEntry.assign(label.c_str() + (kDigitCount - g_state.szEntry.size()));
}

void RefuseEntry(EntryField field) {
    TextBuffer message("Invalid ");
    message.append(kFieldNames[static_cast<int>(field)]);
    message.append(" Entry");
    EngineView().ShowMessage(message.c_str(), kStrictCheckCaption);
}

// With the strict check on, an entry that names no label the mode writes is refused, naming the
// field at fault.
bool StrictEntryCheck(const char* text, int mode) {
    if (!StrictCheckOn()) return true;
    const EntryField field = FirstBadEntryField(text, mode);
    if (field == EntryField::None) return true;
    RefuseEntry(field);
    return false;
}

// The strict check, then the drop-frame correction. False when the entry is refused; the
// message has been shown and nothing has changed. The strict check refuses skipped drop-frame
// labels itself, and with both options off such a label is taken as typed: its place values read
// it as the label as many frames earlier.
bool AcceptEntry() {
    if (!StrictEntryCheck(g_state.szEntry.c_str(), g_state.iMode)) return false;
    const DfFix fix = AutoDfFix();
    if (StrictCheckOn() || fix == DfFix::Off) return true;
    if (IsDroppedLabel(MakeDigitString(g_state.szEntry.c_str()), g_state.iMode)) CorrectDroppedLabel(fix);
    return true;
}

// Appends a digit to the entry: 0-9, and A-F in hexadecimal. False for any other character,
// and for 8 and 9 in octal, which beep.
bool TypeDigit(char c) {
    const int kind = CurrentKind();
    const bool isDigitOfMode = IsDecimalDigit(c) || (kind == KindHex && IsUpperHexLetter(c));
    if (!isDigitOfMode) return false;
    if (kind == KindOct && (c == '8' || c == '9')) {
        EngineView().Beep();
        return false;
    }
    // A ninth digit pushes the oldest one out: the entry keeps the last eight typed.
    if (g_state.szEntry.full()) g_state.szEntry.erase_front(1);
    g_state.szEntry.append(c);
    if (EntryIsAllZeros()) g_state.szEntry.assign("0");
    return true;
}

// --- Arithmetic ----------------------------------------------------------------------------

// The calculator combines in 32-bit two's complement: a product that overflows wraps before the
// mode's modulus is applied. Unsigned arithmetic gives exactly that without undefined
// behaviour, and the conversion back to signed is modular since C++20.
std::int32_t Combine(char op, std::int32_t a, std::int32_t b) {
    const auto ua = static_cast<std::uint32_t>(a);
    const auto ub = static_cast<std::uint32_t>(b);
    switch (op) {
        case '-': return static_cast<std::int32_t>(ua - ub);
        case '*': return static_cast<std::int32_t>(ua * ub);
        // b is a wrapped, nonzero count, so the quotient always fits; 64 bits keep even
        // INT32_MIN / -1 defined. Truncates toward zero.
        case '/': return static_cast<std::int32_t>(static_cast<std::int64_t>(a) / b);
        default: return static_cast<std::int32_t>(ua + ub);  // '+' and no operator
    }
}

std::int32_t DisplayedValue() { return TextToFrames(g_state.szDisplay.c_str(), g_state.iMode); }

// The display text, remembered in szDisplay first.
void ShowText(const TextBuffer& text) {
    g_state.szDisplay = text;
    EngineView().SetDisplayText(g_state.szDisplay.c_str());
}

// A count goes to the display without a detour through its digits as text.
void ShowCount(std::int32_t count, int mode) { ShowText(FormatCount(count, mode, DisplayFlagsOf(mode))); }

void WriteResultLine() { AddOperandLine('=', g_state.szDisplay.c_str(), g_state.iMode); }

void EndCalculation() {
    g_state.iAccumulator = 0;
    g_state.cPendingOp = ' ';
}

// An operator with no entry works on the value on the display.
void ApplyOperatorToDisplay(char op) {
    if (op == '=') {
        WriteResultLine();
        return;
    }
    g_state.iAccumulator = DisplayedValue();
    g_state.iAccMode = g_state.iMode;
    g_state.cPendingOp = op;
}

// The entry is the right-hand operand of the pending operator.
void ApplyOperatorToEntry(char op) {
    if (!AcceptEntry()) return;
    const int mode = g_state.iMode;
    const TextBuffer operand = FormatDigits(g_state.szEntry.c_str(), mode, DisplayFlagsOf(mode));
    AddOperandLine(g_state.cPendingOp, operand.c_str(), mode);

    const std::int32_t b = TextToFrames(g_state.szEntry.c_str(), mode);
    if (g_state.cPendingOp == '/' && b == 0) {
        // The operand line stays on the tape; the entry stays for correction.
        EngineView().ShowMessage(kDividingByZero, nullptr);
        return;
    }
    g_state.iAccumulator = WrapFrames(Combine(g_state.cPendingOp, g_state.iAccumulator, b), mode);
    ShowCount(g_state.iAccumulator, mode);

    g_state.cPendingOp = op;
    g_state.iAccMode = mode;
    EmptyEntry();
    if (op == '=') {
        WriteResultLine();
        EndCalculation();
    }
}

void UpdateMemoryForMode() {
    g_state.iMemory = Convert(g_state.iMemory, g_state.iMemMode, g_state.iMode);
    g_state.iMemMode = g_state.iMode;
}

// --- Key dispatch --------------------------------------------------------------------------

// The action of a key of KeyCharTable.
void PerformKey(char key) {
    switch (key) {
        case kEscapeKey: ClearCalculator(); return;
        case kBackspaceKey: Backspace(); return;
        case 'R': MemoryRecall(); return;
        case 'P': MemoryPlusMinus('+'); return;
        case 'M': MemoryPlusMinus('-'); return;
        default: break;
    }
    if (IsOperator(key)) ApplyOperator(key);
    else if (IsDecimalDigit(key)) EnterDigit(key);
}

// The KeyCharTable key that a typed character stands for, or 0 for none.
char KeyOfCharacter(char c) {
    if (c == kEnterKey) return '=';
    if (c == 'm' || c == 'p' || c == 'r') return ToUpperAscii(c);
    for (const KeyCharEntry& entry : KeyCharTable)
        if (entry.key == c) return c;
    return 0;
}

char KeyOfButton(int buttonId) {
    for (const KeyCharEntry& entry : KeyCharTable)
        if (entry.buttonId == buttonId) return entry.key;
    return 0;
}

}  // namespace

void ResetEngine() {
    g_state = CalculatorState{};
    EmptyTape();
}

void StartCalculator(int savedMode) {
    const int mode = IsModePresent(savedMode) ? savedMode : 0;
    g_state = CalculatorState{};
    g_state.iMode = mode;
    g_state.iAccMode = mode;
    ShowValue("0", mode);
    UpdateMemoryIndicator();
    ClearTape();
    EngineView().ModeChanged(mode);
}

void KeyChar(char c, bool flash) {
    if (IsHexDigit(c) && !IsDecimalDigit(c)) {
        // The hexadecimal digits have no button; elsewhere the letters mean nothing (the
        // keyboard's clear key is Esc, not C).
        if (CurrentKind() == KindHex) EnterDigit(ToUpperAscii(c));
        return;
    }
    const char key = KeyOfCharacter(c);
    if (key == 0) return;
    FlashKey(key, flash);
    PerformKey(key);
}

void KeypadCommand(int controlId) {
    const char key = KeyOfButton(controlId);
    if (key != 0) PerformKey(key);
}

void PasteText(const char* text) {
    EmptyEntry();
    if (text == nullptr) return;
    const ModeRecord& row = ModeRow(g_state.iMode);
    const TextBuffer value = WithoutClipboardDecorations(text, row, row.iClipFlags);
    // The digits of the mode are typed as their keys would type them; the display shows the
    // entry once they are all in, not each digit on its way.
    bool typed = false;
    for (std::size_t i = 0; i < kMaxPasteLength && value[i] != '\0'; ++i)
        typed = TypeDigit(ToUpperAscii(value[i])) || typed;
    if (typed) ShowValue(g_state.szEntry.c_str(), g_state.iMode);
}

void FlashKey(char c, bool flash) {
    if (!flash) return;
    for (const KeyCharEntry& entry : KeyCharTable) {
        if (entry.key == c) {
            EngineView().FlashButton(entry.buttonId);
            return;
        }
    }
}

void EnterDigit(char c) {
    if (TypeDigit(c)) ShowValue(g_state.szEntry.c_str(), g_state.iMode);
}

void Backspace() {
    if (!HasEntry()) {
        EngineView().Beep();
        return;
    }
    g_state.szEntry.truncate(g_state.szEntry.size() - 1);
    ShowValue(HasEntry() ? g_state.szEntry.c_str() : "0", g_state.iMode);
}

void ClearCalculator() {
    EmptyEntry();
    g_state.iAccMode = g_state.iMode;
    EndCalculation();
    ShowValue("0", g_state.iMode);
    AddOperandLine(' ', " ", g_state.iMode);
}

void ApplyOperator(char op) {
    if (!IsOperator(op)) return;
    if (HasEntry()) ApplyOperatorToEntry(op);
    else ApplyOperatorToDisplay(op);
}

void MemoryPlusMinus(char sign) {
    if (sign != '+' && sign != '-') return;
    UpdateMemoryForMode();
    const int mode = g_state.iMode;
    const std::int32_t d = DisplayedValue();
    // The memory may hold an unwrapped converted count; 64 bits keep the sum exact.
    const std::int64_t sum = sign == '+' ? std::int64_t{g_state.iMemory} + d
                                         : std::int64_t{g_state.iMemory} - d;
    g_state.iMemory = WrapFrames(sum, mode);
    UpdateMemoryIndicator();

    const FormatFlags flags = DisplayFlagsOf(mode);
    AddMemoryLine(sign == '+' ? MemoryLine::Plus : MemoryLine::Minus, FormatCount(d, mode, flags).c_str(), mode);
    AddMemoryLine(MemoryLine::Total, FormatCount(g_state.iMemory, mode, flags).c_str(), mode);
}

void MemoryRecall() {
    const std::int32_t recalled = Convert(g_state.iMemory, g_state.iMemMode, g_state.iMode);
    SetEntryToCount(recalled, g_state.iMode);
    ShowValue(g_state.szEntry.c_str(), g_state.iMode);
    // An empty memory leaves no entry, so a following operator takes the displayed 0 as the
    // accumulator rather than as an operand.
    if (recalled == 0) EmptyEntry();
}

void ClearMemory() {
    g_state.iMemory = 0;
    g_state.iMemMode = g_state.iMode;
    UpdateMemoryIndicator();
    AddMemoryLine(MemoryLine::Total, "0", g_state.iMode);
}

void SwitchMode(int mode) {
    const int oldMode = g_state.iMode;
    if (mode == oldMode || !IsModePresent(mode)) return;

    // Converted values are not wrapped: the next operation reads them back and wraps them.
    g_state.iAccumulator = Convert(g_state.iAccumulator, g_state.iAccMode, mode);
    g_state.iAccMode = mode;

    ShowCount(Convert(DisplayedValue(), oldMode, mode), mode);

    if (HasEntry()) {
        const std::int32_t typed = TextToFrames(g_state.szEntry.c_str(), oldMode);
        SetEntryToCount(Convert(typed, oldMode, mode), mode);
    }
    g_state.iMode = mode;
    EngineView().ModeChanged(mode);
}

void UpdateMemoryIndicator() { EngineView().SetMemoryIndicatorText(g_state.iMemory != 0 ? "*" : " "); }

void ShowValue(const char* digits, int mode) { ShowText(FormatDigits(digits, mode, DisplayFlagsOf(mode))); }
