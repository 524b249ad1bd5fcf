#include "engine/calculator.h"

#include <cstdint>
#include <cstring>

#include "format/formatter.h"
#include "model/chars.h"
#include "model/convert.h"
#include "model/digit_string.h"
#include "model/drop_frame.h"
#include "model/entry_check.h"
#include "model/mode_table.h"
#include "settings/options.h"

namespace {

// The keypad's ids run 1166-1185 in table order, and no key stands for two buttons.
constexpr bool KeypadIdsAreConsecutive() {
    for (int i = 0; i < kKeypadButtonCount; ++i)
        if (KeypadKeys[i].buttonId != kFirstKeypadId + i) return false;
    return true;
}
static_assert(KeypadIdsAreConsecutive(), "keypad ids must run 1166-1185 in table order");

constexpr bool EveryKeyIsOnce() {
    for (int i = 0; i < kKeypadButtonCount; ++i)
        for (int j = i + 1; j < kKeypadButtonCount; ++j)
            if (KeypadKeys[i].key == KeypadKeys[j].key) return false;
    return true;
}
static_assert(EveryKeyIsOnce(), "each keypad button needs a key of its own");

// The messages of the calculator; a refused field is named in "Invalid %s Entry".
constexpr const char* kDividingByZero = "Dividing By Zero";
constexpr const char* kStrictCheckCaption = "Strict Number Check";
constexpr const char* kFieldNames[] = {"Frames", "Seconds", "Minutes", "Hours"};

FormatFlags DisplayFlagsOf(const ModeTable& modes, int mode) { return KindDisplayFlags[ModeKindOf(modes, mode)]; }

bool IsUpperHexLetter(char c) { return c >= 'A' && c <= 'F'; }

bool IsOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '='; }

bool IsAllZeros(const EntryBuffer& entry) {
    for (std::size_t i = 0; i < entry.size(); ++i)
        if (entry[i] != '0') return false;
    return true;
}

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

// The KeypadKeys key that a typed character stands for, or 0 for none.
char KeyOfCharacter(char c) {
    if (c == kEnterKey) return '=';
    if (c == 'm' || c == 'p' || c == 'r') return ToUpperAscii(c);
    for (const KeypadKey& entry : KeypadKeys)
        if (entry.key == c) return c;
    return 0;
}

char KeyOfButton(int buttonId) {
    const int index = buttonId - kFirstKeypadId;
    return index >= 0 && index < kKeypadButtonCount ? KeypadKeys[index].key : 0;
}

// Replaces the entry by text that is already the mode's bare digits. Only the rightmost eight
// digits carry meaning for the entry (the oldest typed digit is the one dropped), so a longer
// text keeps those.
void SetEntry(EntryBuffer& entry, const char* text, std::size_t length) {
    const std::size_t skip = length > kMaxEntryLength ? length - kMaxEntryLength : 0;
    entry.assign(text + skip);
}

}  // namespace

const KeypadKey* KeypadKeyNamed(const char* name) {
    for (const KeypadKey& key : KeypadKeys)
        if (std::strcmp(key.name, name) == 0) return &key;
    return nullptr;
}

Calculator::Calculator(CalculatorView& view, const ModeTable& modes, const Options& options)
    : view_(view), modes_(modes), options_(options) {}

// --- Input ---------------------------------------------------------------------------------

void Calculator::Start(int savedMode) {
    const int mode = IsModePresent(modes_, savedMode) ? savedMode : 0;
    state_ = CalculatorState{};
    state_.iMode = mode;
    state_.iAccMode = mode;
    ShowValue("0", mode);
    UpdateMemoryIndicator();
    ClearTape();
    view_.ModeChanged(mode);
}

void Calculator::KeyChar(char c, bool flash) {
    if (IsHexDigit(c) && !IsDecimalDigit(c)) {
        // The hexadecimal digits have no button; elsewhere the letters mean nothing (the
        // keyboard's clear key is Esc, not C).
        if (ModeKindOf(modes_, state_.iMode) == KindHex) EnterDigit(ToUpperAscii(c));
        return;
    }
    const char key = KeyOfCharacter(c);
    if (key == 0) return;
    FlashKey(key, flash);
    PerformKey(key);
}

void Calculator::KeypadCommand(int controlId) {
    const char key = KeyOfButton(controlId);
    if (key != 0) PerformKey(key);
}

bool Calculator::PasteText(const char* text) {
    state_.szEntry.clear();
    if (text == nullptr) return false;
    const ModeRecord& row = ModeRow(modes_, state_.iMode);
    // The digits of the mode are typed as their keys would type them; the display shows the
    // entry once they are all in, not each digit on its way.
    bool typed = false;
    for (const char c : WithoutClipboardDecorations(text, row, row.iClipFlags)) typed = TypeDigit(ToUpperAscii(c)) || typed;
    if (typed) ShowValue(state_.szEntry.c_str(), state_.iMode);
    return typed;
}

void Calculator::SwitchMode(int mode) {
    const int oldMode = state_.iMode;
    if (mode == oldMode || !IsModePresent(modes_, mode)) return;

    // Converted values are not wrapped: the next operation reads them back and wraps them.
    state_.iAccumulator = Convert(state_.iAccumulator, state_.iAccMode, mode);
    state_.iAccMode = mode;

    ShowCount(Convert(DisplayedValue(), oldMode, mode), mode);

    if (!state_.szEntry.empty()) {
        const std::int32_t typed = TextToFrames(modes_, state_.szEntry.c_str(), oldMode);
        SetEntryToCount(Convert(typed, oldMode, mode), mode);
    }
    state_.iMode = mode;
    view_.ModeChanged(mode);
}

void Calculator::ClearMemory() {
    state_.iMemory = 0;
    state_.iMemMode = state_.iMode;
    UpdateMemoryIndicator();
    AddMemoryLine(MemoryLine::Total, "0", state_.iMode);
}

void Calculator::ClearTape() {
    tape_.Refill(view_.TapeVisibleLines());
    view_.TapeCleared(tape_);
}

// --- Keys ----------------------------------------------------------------------------------

// The action of a key of KeypadKeys.
void Calculator::PerformKey(char key) {
    switch (key) {
        case kEscapeKey: Clear(); return;
        case kBackspaceKey: Backspace(); return;
        case 'R': MemoryRecall(); return;
        case 'P': MemoryPlusMinus('+'); return;
        case 'M': MemoryPlusMinus('-'); return;
        default: break;
    }
    if (IsOperator(key)) ApplyOperator(key);
    else if (IsDecimalDigit(key)) EnterDigit(key);
}

void Calculator::FlashKey(char key, bool flash) {
    if (!flash) return;
    for (const KeypadKey& entry : KeypadKeys) {
        if (entry.key == key) {
            view_.FlashButton(entry.buttonId);
            return;
        }
    }
}

void Calculator::EnterDigit(char c) {
    if (TypeDigit(c)) ShowValue(state_.szEntry.c_str(), state_.iMode);
}

// Appends a digit to the entry: 0-9, and A-F in hexadecimal. False for any other character,
// and for 8 and 9 in octal, which beep.
bool Calculator::TypeDigit(char c) {
    const int kind = ModeKindOf(modes_, state_.iMode);
    const bool isDigitOfMode = IsDecimalDigit(c) || (kind == KindHex && IsUpperHexLetter(c));
    if (!isDigitOfMode) return false;
    if (kind == KindOct && (c == '8' || c == '9')) {
        view_.Beep();
        return false;
    }
    // A ninth digit pushes the oldest one out: the entry keeps the last eight typed.
    if (state_.szEntry.full()) state_.szEntry.erase_front(1);
    state_.szEntry.append(c);
    if (IsAllZeros(state_.szEntry)) state_.szEntry.assign("0");
    return true;
}

void Calculator::Backspace() {
    if (state_.szEntry.empty()) {
        view_.Beep();
        return;
    }
    state_.szEntry.truncate(state_.szEntry.size() - 1);
    ShowValue(!state_.szEntry.empty() ? state_.szEntry.c_str() : "0", state_.iMode);
}

void Calculator::Clear() {
    state_.szEntry.clear();
    state_.iAccMode = state_.iMode;
    state_.iAccumulator = 0;
    state_.cPendingOp = ' ';
    ShowValue("0", state_.iMode);
    AddOperandLine(' ', " ", state_.iMode);
}

// --- The entry -----------------------------------------------------------------------------

// The count's digits as if typed: no separators, no leading zeros, upper-case letters.
void Calculator::SetEntryToCount(std::int32_t count, int mode) {
    const TextBuffer digits = FormatCount(modes_, count, mode, BareDigitFlags);
    SetEntry(state_.szEntry, digits.c_str(), digits.size());
}

// Auto DF Correct on a skipped drop-frame label: the label moves back to the end of the
// previous minute or on to the first label of its minute. A skipped label has a nonzero minute
// digit, so the entry holds at least the five digits that the move rewrites.
void Calculator::CorrectDroppedLabel(AutoDfCorrect fix) {
    const int mode = state_.iMode;
    DigitString label = MakeDigitString(state_.szEntry.c_str());
    if (fix == AutoDfMinusTwoFrames) MoveToPreviousMinute(modes_, label, mode);
    else MoveToLabelsThatExist(modes_, label, mode);
    state_.szEntry.assign(label.c_str() + (kDigitCount - state_.szEntry.size()));
}

// With the strict check on, an entry that names no label the mode writes is refused, naming the
// field at fault.
bool Calculator::StrictEntryCheck() {
    if (options_.bStrictCheck == 0) return true;
    const EntryField field = FirstBadEntryField(modes_, state_.szEntry.c_str(), state_.iMode);
    if (field == EntryField::None) return true;
    TextBuffer message("Invalid ");
    message.append(kFieldNames[static_cast<int>(field)]);
    message.append(" Entry");
    view_.ShowMessage(message.c_str(), kStrictCheckCaption);
    return false;
}

// The strict check, then the drop-frame correction. False when the entry is refused; the
// message has been shown and nothing has changed. The strict check refuses skipped drop-frame
// labels itself, and with both options off such a label is taken as typed: its place values read
// it as the label as many frames earlier.
bool Calculator::AcceptEntry() {
    if (!StrictEntryCheck()) return false;
    const AutoDfCorrect fix = AutoDfChoice(options_.iAutoDfFix);
    if (options_.bStrictCheck != 0 || fix == AutoDfOff) return true;
    if (IsDroppedLabel(modes_, MakeDigitString(state_.szEntry.c_str()), state_.iMode)) CorrectDroppedLabel(fix);
    return true;
}

// --- Arithmetic ----------------------------------------------------------------------------

std::int32_t Calculator::Convert(std::int32_t count, int fromMode, int toMode) const {
    return ConvertFrames(modes_, count, fromMode, toMode, options_.bDFNDFFrameConv != 0);
}

std::int32_t Calculator::DisplayedValue() const { return TextToFrames(modes_, state_.szDisplay.c_str(), state_.iMode); }

void Calculator::ApplyOperator(char op) {
    if (!IsOperator(op)) return;
    if (!state_.szEntry.empty()) ApplyOperatorToEntry(op);
    else ApplyOperatorToDisplay(op);
}

// An operator with no entry works on the value on the display.
void Calculator::ApplyOperatorToDisplay(char op) {
    if (op == '=') {
        AddOperandLine('=', state_.szDisplay.c_str(), state_.iMode);
        return;
    }
    state_.iAccumulator = DisplayedValue();
    state_.iAccMode = state_.iMode;
    state_.cPendingOp = op;
}

// The entry is the right-hand operand of the pending operator.
void Calculator::ApplyOperatorToEntry(char op) {
    const EntryBuffer typed = state_.szEntry;
    if (!AcceptEntry()) return;
    const int mode = state_.iMode;
    // While there is an entry the display shows it, so the operand's text is the display's, unless
    // Auto DF Correct has just moved the label.
    if (state_.szEntry == typed) {
        AddOperandLine(state_.cPendingOp, state_.szDisplay.c_str(), mode);
    } else {
        AddOperandLine(state_.cPendingOp,
                       FormatDigits(modes_, state_.szEntry.c_str(), mode, DisplayFlagsOf(modes_, mode)).c_str(), mode);
    }

    const std::int32_t b = TextToFrames(modes_, state_.szEntry.c_str(), mode);
    if (state_.cPendingOp == '/' && b == 0) {
        // The operand line stays on the tape; the entry stays for correction.
        view_.ShowMessage(kDividingByZero, nullptr);
        return;
    }
    state_.iAccumulator = WrapFrames(modes_, Combine(state_.cPendingOp, state_.iAccumulator, b), mode);
    ShowCount(state_.iAccumulator, mode);

    state_.cPendingOp = op;
    state_.iAccMode = mode;
    state_.szEntry.clear();
    if (op == '=') {
        AddOperandLine('=', state_.szDisplay.c_str(), state_.iMode);
        state_.iAccumulator = 0;
        state_.cPendingOp = ' ';
    }
}

// --- Memory --------------------------------------------------------------------------------

void Calculator::UpdateMemoryForMode() {
    state_.iMemory = Convert(state_.iMemory, state_.iMemMode, state_.iMode);
    state_.iMemMode = state_.iMode;
}

void Calculator::MemoryPlusMinus(char sign) {
    UpdateMemoryForMode();
    const int mode = state_.iMode;
    const std::int32_t d = DisplayedValue();
    // The memory may hold an unwrapped converted count; 64 bits keep the sum exact.
    const std::int64_t sum = sign == '+' ? std::int64_t{state_.iMemory} + d : std::int64_t{state_.iMemory} - d;
    state_.iMemory = WrapFrames(modes_, sum, mode);
    UpdateMemoryIndicator();

    const FormatFlags flags = DisplayFlagsOf(modes_, mode);
    AddMemoryLine(sign == '+' ? MemoryLine::Plus : MemoryLine::Minus, FormatCount(modes_, d, mode, flags).c_str(), mode);
    AddMemoryLine(MemoryLine::Total, FormatCount(modes_, state_.iMemory, mode, flags).c_str(), mode);
}

void Calculator::MemoryRecall() {
    const std::int32_t recalled = Convert(state_.iMemory, state_.iMemMode, state_.iMode);
    SetEntryToCount(recalled, state_.iMode);
    ShowValue(state_.szEntry.c_str(), state_.iMode);
    // An empty memory leaves no entry, so a following operator takes the displayed 0 as the
    // accumulator rather than as an operand.
    if (recalled == 0) state_.szEntry.clear();
}

void Calculator::UpdateMemoryIndicator() { view_.SetMemoryIndicatorText(state_.iMemory != 0 ? "*" : " "); }

// --- What is shown -------------------------------------------------------------------------

// The one way text reaches the display: formatted for the mode and remembered in szDisplay.
void Calculator::ShowValue(const char* digits, int mode) {
    ShowText(FormatDigits(modes_, digits, mode, DisplayFlagsOf(modes_, mode)));
}

// A count goes to the display without a detour through its digits as text.
void Calculator::ShowCount(std::int32_t count, int mode) {
    ShowText(FormatCount(modes_, count, mode, DisplayFlagsOf(modes_, mode)));
}

void Calculator::ShowText(const TextBuffer& text) {
    state_.szDisplay = text;
    view_.SetDisplayText(state_.szDisplay.c_str());
}

void Calculator::AddOperandLine(char op, const char* value, int mode) {
    const bool dropped = tape_.AddOperandLine(op, value, mode);
    view_.TapeAdded(tape_.Newest(), dropped);
}

void Calculator::AddMemoryLine(MemoryLine kind, const char* value, int mode) {
    const bool dropped = tape_.AddMemoryLine(kind, value, mode);
    view_.TapeAdded(tape_.Newest(), dropped);
}
