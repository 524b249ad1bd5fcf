#include "engine/calculator.h"

#include <cstdint>

#include "engine/engine_internal.h"
#include "format/formatter.h"
#include "model/convert.h"
#include "model/digit_string.h"
#include "model/drop_frame.h"
#include "model/mode_table.h"
#include "settings/options.h"

CalculatorState g_calc;

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

constexpr const char* kDividingByZero = "Dividing By Zero";
constexpr const char* kInvalidFramesEntry = "Invalid Frames Entry";
constexpr const char* kStrictCheckCaption = "Strict Number Check";

// Stands in until the shell sets its view, so that no operation needs to test for one.
class SilentView final : public CalculatorView {
public:
    void ShowMessage(const char*, const char*) override {}
    void SetDisplayText(const char*) override {}
    void SetMemoryIndicatorText(const char*) override {}
    void FlashButton(int) override {}
    void Beep() override {}
    void ModeChanged(int) override {}
    void TapeAdded(int) override {}
    int TapeVisibleLines() override { return 0; }
};

SilentView g_silentView;
CalculatorView* g_view = &g_silentView;

int CurrentKind() { return ModeKindOf(g_calc.iMode); }

FormatFlags DisplayFlagsOf(int mode) { return KindDisplayFlags[ModeKindOf(mode)]; }

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpperHexLetter(char c) { return c >= 'A' && c <= 'F'; }
bool IsLowerHexLetter(char c) { return c >= 'a' && c <= 'f'; }
char ToUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

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

// --- The entry -----------------------------------------------------------------------------

bool HasEntry() { return g_calc.iEntryLen > 0; }

void EmptyEntry() {
    g_calc.szEntry.clear();
    g_calc.iEntryLen = 0;
}

// Replaces the entry by text that is already the mode's bare digits. Only the rightmost eight
// digits carry meaning for the entry (the oldest typed digit is the one dropped), so a longer
// text keeps those.
void SetEntry(const char* text, std::size_t length) {
    const std::size_t skip = length > kMaxEntryLength ? length - kMaxEntryLength : 0;
    g_calc.szEntry.assign(text + skip);
    g_calc.iEntryLen = static_cast<std::int32_t>(g_calc.szEntry.size());
}

// The count's digits as if typed: no separators, no leading zeros, upper-case letters.
void SetEntryToCount(std::int32_t count, int mode) {
    const TextBuffer digits = FormatCount(count, mode, BareDigitFlags);
    SetEntry(digits.c_str(), digits.size());
}

bool EntryIsAllZeros() {
    for (std::size_t i = 0; i < g_calc.szEntry.size(); ++i)
        if (g_calc.szEntry[i] != '0') return false;
    return true;
}

// Shifts a digit of the entry by delta character codes, counting places from its end.
void ShiftEntryDigit(std::size_t placeFromEnd, int delta) {
    const std::size_t i = g_calc.szEntry.size() - placeFromEnd;
    g_calc.szEntry.set(i, static_cast<char>(g_calc.szEntry[i] + delta));
}

void SetEntryDigit(std::size_t placeFromEnd, char digit) {
    g_calc.szEntry.set(g_calc.szEntry.size() - placeFromEnd, digit);
}

// Drop-frame labels 00 and 01 do not exist at the start of a minute unless the minute is a
// multiple of ten. Minus two frames moves mm:00;0f to (mm-1):59;2(8+f), the same count under
// the drop-frame place values; plus two frames moves it to mm:00;0(f+2), the first labels that
// exist in that minute. A label that does not exist has a nonzero minute-units digit, so the
// entry has at least five characters here.
void CorrectDropFrameEntry(DfFix fix) {
    if (fix == DfFix::MinusTwoFrames) {
        ShiftEntryDigit(1, 8);
        SetEntryDigit(2, '2');
        SetEntryDigit(3, '9');
        SetEntryDigit(4, '5');
        ShiftEntryDigit(5, -1);
    } else if (fix == DfFix::PlusTwoFrames) {
        ShiftEntryDigit(1, 2);
    }
}

// The strict check, then the drop-frame gate. False when the entry is refused; the message has
// been shown and nothing has changed.
bool AcceptEntry() {
    if (!StrictEntryCheck(g_calc.szEntry.c_str(), g_calc.iMode, true, *g_view)) return false;
    const DfFix fix = AutoDfFix();
    if (!StrictCheckOn() && fix == DfFix::Off) return true;
    if (CurrentKind() != KindHmsfDrop || IsDropFrameLabelValid(g_calc.szEntry.c_str())) return true;
    // The strict check wins over the auto-correct.
    if (StrictCheckOn() || fix == DfFix::Off) {
        g_view->ShowMessage(kInvalidFramesEntry, kStrictCheckCaption);
        return false;
    }
    CorrectDropFrameEntry(fix);
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

std::int32_t DisplayedValue() { return TextToFrames(g_calc.szDisplay.c_str(), g_calc.iMode); }

void ShowCount(std::int32_t count, int mode) {
    ShowValue(FramesToDigitString(count, mode).c_str(), mode);
}

void WriteResultLine() {
    AddTapeLine(g_calc.szDisplay.c_str(), g_calc.iMode, '=', TapeLineKind::TapeOperand);
}

void EndCalculation() {
    g_calc.iAccumulator = 0;
    g_calc.cPendingOp = ' ';
}

// An operator with no entry works on the value on the display.
void ApplyOperatorToDisplay(char op) {
    if (op == '=') {
        WriteResultLine();
        return;
    }
    g_calc.iAccumulator = DisplayedValue();
    g_calc.iAccMode = g_calc.iMode;
    g_calc.cPendingOp = op;
}

// The entry is the right-hand operand of the pending operator.
void ApplyOperatorToEntry(char op) {
    if (!AcceptEntry()) return;
    const int mode = g_calc.iMode;
    const TextBuffer operand = FormatDigits(g_calc.szEntry.c_str(), mode, DisplayFlagsOf(mode));
    AddTapeLine(operand.c_str(), mode, g_calc.cPendingOp, TapeLineKind::TapeOperand);

    const std::int32_t b = TextToFrames(g_calc.szEntry.c_str(), mode);
    if (g_calc.cPendingOp == '/' && b == 0) {
        // The operand line stays on the tape; the entry stays for correction.
        g_view->ShowMessage(kDividingByZero, nullptr);
        return;
    }
    g_calc.iAccumulator = WrapFrames(Combine(g_calc.cPendingOp, g_calc.iAccumulator, b), mode);
    ShowCount(g_calc.iAccumulator, mode);

    g_calc.cPendingOp = op;
    g_calc.iAccMode = mode;
    EmptyEntry();
    if (op == '=') {
        WriteResultLine();
        EndCalculation();
    }
}

void UpdateMemoryForMode() {
    g_calc.iMemory = ConvertFrames(g_calc.iMemory, g_calc.iMemMode, g_calc.iMode);
    g_calc.iMemMode = g_calc.iMode;
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
    if (c == 'm' || c == 'p' || c == 'r') return ToUpper(c);
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

CalculatorView& EngineView() { return *g_view; }

void SetCalculatorView(CalculatorView* view) { g_view = view != nullptr ? view : &g_silentView; }

void ResetEngine() {
    g_calc = CalculatorState{};
    EmptyTape();
}

void StartCalculator() {
    const int mode = IsModePresent(g_calc.iMode) ? g_calc.iMode : 0;
    g_calc = CalculatorState{};
    g_calc.iMode = mode;
    g_calc.iAccMode = mode;
    ShowValue("0", mode);
    UpdateMemoryIndicator();
    ClearTape();
    g_view->ModeChanged(mode);
}

void KeyChar(char c, bool flash) {
    if (IsUpperHexLetter(c) || IsLowerHexLetter(c)) {
        // The hexadecimal digits have no button; elsewhere the letters mean nothing (the
        // keyboard's clear key is Esc, not C).
        if (CurrentKind() == KindHex) EnterDigit(ToUpper(c));
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

void FlashKey(char c, bool flash) {
    if (!flash) return;
    for (const KeyCharEntry& entry : KeyCharTable) {
        if (entry.key == c) {
            g_view->FlashButton(entry.buttonId);
            return;
        }
    }
}

void EnterDigit(char c) {
    const int kind = CurrentKind();
    const bool isDigitOfMode = IsDecimalDigit(c) || (kind == KindHex && IsUpperHexLetter(c));
    if (!isDigitOfMode) return;
    if (kind == KindOct && (c == '8' || c == '9')) {
        g_view->Beep();
        return;
    }
    // A ninth digit pushes the oldest one out: the entry keeps the last eight typed.
    if (g_calc.szEntry.full()) g_calc.szEntry.erase_front(1);
    g_calc.szEntry.append(c);
    if (EntryIsAllZeros()) g_calc.szEntry.assign("0");
    g_calc.iEntryLen = static_cast<std::int32_t>(g_calc.szEntry.size());
    ShowValue(g_calc.szEntry.c_str(), g_calc.iMode);
}

void Backspace() {
    if (!HasEntry()) {
        g_view->Beep();
        return;
    }
    g_calc.szEntry.truncate(g_calc.szEntry.size() - 1);
    g_calc.iEntryLen = static_cast<std::int32_t>(g_calc.szEntry.size());
    ShowValue(HasEntry() ? g_calc.szEntry.c_str() : "0", g_calc.iMode);
}

void ClearCalculator() {
    EmptyEntry();
    g_calc.iAccMode = g_calc.iMode;
    EndCalculation();
    ShowValue("0", g_calc.iMode);
    AddTapeLine(" ", g_calc.iMode, ' ', TapeLineKind::TapeOperand);
}

void ApplyOperator(char op) {
    if (!IsOperator(op)) return;
    if (HasEntry()) ApplyOperatorToEntry(op);
    else ApplyOperatorToDisplay(op);
}

void MemoryPlusMinus(char sign) {
    if (sign != '+' && sign != '-') return;
    UpdateMemoryForMode();
    const int mode = g_calc.iMode;
    const std::int32_t d = DisplayedValue();
    // The memory may hold an unwrapped converted count; 64 bits keep the sum exact.
    const std::int64_t sum = sign == '+' ? std::int64_t{g_calc.iMemory} + d
                                         : std::int64_t{g_calc.iMemory} - d;
    g_calc.iMemory = WrapFrames(sum, mode);
    UpdateMemoryIndicator();

    const FormatFlags flags = DisplayFlagsOf(mode);
    const TapeLineKind operandKind =
        sign == '+' ? TapeLineKind::TapeMemoryPlus : TapeLineKind::TapeMemoryMinus;
    AddTapeLine(FormatCount(d, mode, flags).c_str(), mode, sign, operandKind);
    AddTapeLine(FormatCount(g_calc.iMemory, mode, flags).c_str(), mode, sign,
                TapeLineKind::TapeMemoryTotal);
}

void MemoryRecall() {
    const std::int32_t recalled = ConvertFrames(g_calc.iMemory, g_calc.iMemMode, g_calc.iMode);
    SetEntryToCount(recalled, g_calc.iMode);
    ShowValue(g_calc.szEntry.c_str(), g_calc.iMode);
    // An empty memory leaves no entry, so a following operator takes the displayed 0 as the
    // accumulator rather than as an operand.
    if (recalled == 0) EmptyEntry();
}

void ClearMemory() {
    g_calc.iMemory = 0;
    g_calc.iMemMode = g_calc.iMode;
    UpdateMemoryIndicator();
    AddTapeLine("0", g_calc.iMode, 'C', TapeLineKind::TapeMemoryTotal);
}

void SwitchMode(int mode) {
    const int oldMode = g_calc.iMode;
    if (mode == oldMode || !IsModePresent(mode)) return;

    // Converted values are not wrapped: the next operation reads them back and wraps them.
    g_calc.iAccumulator = ConvertFrames(g_calc.iAccumulator, g_calc.iAccMode, mode);
    g_calc.iAccMode = mode;

    const std::int32_t shown = ConvertFrames(DisplayedValue(), oldMode, mode);
    ShowValue(FormatCount(shown, mode, BareDigitFlags).c_str(), mode);

    if (HasEntry()) {
        const std::int32_t typed = TextToFrames(g_calc.szEntry.c_str(), oldMode);
        SetEntryToCount(ConvertFrames(typed, oldMode, mode), mode);
    }
    g_calc.iMode = mode;
    g_view->ModeChanged(mode);
}

void UpdateMemoryIndicator() { g_view->SetMemoryIndicatorText(g_calc.iMemory != 0 ? "*" : " "); }

void ShowValue(const char* digits, int mode) {
    g_calc.szDisplay = FormatDigits(digits, mode, DisplayFlagsOf(mode));
    g_view->SetDisplayText(g_calc.szDisplay.c_str());
}
