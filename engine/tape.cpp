#include "engine/tape.h"

#include "engine/calculator.h"
#include "engine/engine_internal.h"

namespace {

// A ring of fixed slots: when it is full the newest line takes the oldest line's slot, so
// dropping the oldest line costs nothing and no line is ever copied.
struct TapeRing {
    TapeLine lines[kMaxTapeLines];
    int first = 0;  // slot of the oldest line
    int count = 0;
};

TapeRing g_tape;

const TapeLine kEmptyLine{};

TapeLine& SlotOf(int index) { return g_tape.lines[(g_tape.first + index) % kMaxTapeLines]; }

// Appends without telling the view; returns the new line's index.
int AppendLine(const TextBuffer& text, int mode) {
    if (g_tape.count >= kMaxTapeLines) {
        g_tape.first = (g_tape.first + 1) % kMaxTapeLines;
        --g_tape.count;
    }
    TapeLine& line = SlotOf(g_tape.count);
    line.text = text;
    line.iMode = mode;
    return g_tape.count++;
}

// The leading text of each memory kind; TapeOperand writes its operator character instead.
const char* MemoryLinePrefix(TapeLineKind kind) {
    switch (kind) {
        case TapeLineKind::TapeMemoryTotal: return "M= ";
        case TapeLineKind::TapeMemoryPlus: return "M+ ";
        case TapeLineKind::TapeMemoryMinus: return "M- ";
        case TapeLineKind::TapeOperand: break;
    }
    return nullptr;
}

}  // namespace

void AddTapeLine(const char* value, int mode, char c, TapeLineKind kind) {
    TextBuffer text;
    if (kind == TapeLineKind::TapeOperand) {
        text.append(c);
        text.append(' ');
    } else {
        const char* prefix = MemoryLinePrefix(kind);
        if (prefix == nullptr) return;
        text.append(prefix);
    }
    text.append(value);
    text.append(' ');
    const int index = AppendLine(text, mode);
    EngineView().TapeAdded(index);
}

void ClearTape() {
    EmptyTape();
    const int visible = EngineView().TapeVisibleLines();
    // A view taller than the tape can hold still gets only as many blank lines as it keeps.
    const int blanks = visible < kMaxTapeLines ? visible : kMaxTapeLines;
    const TextBuffer blank{" "};
    for (int i = 0; i < blanks; ++i) AppendLine(blank, 0);
}

void EmptyTape() {
    g_tape.first = 0;
    g_tape.count = 0;
}

int TapeLineCount() { return g_tape.count; }

const TapeLine& TapeLineAt(int index) {
    if (index < 0 || index >= g_tape.count) return kEmptyLine;
    return SlotOf(index);
}
