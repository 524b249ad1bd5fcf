#include "engine/tape.h"

#include "engine/calculator_view.h"

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

// The slot of a new line at the end, the oldest line dropped when the tape is full; the line is
// written in place, without telling the view.
TapeLine& NewLine(int mode) {
    if (g_tape.count >= kMaxTapeLines) {
        g_tape.first = (g_tape.first + 1) % kMaxTapeLines;
        --g_tape.count;
    }
    TapeLine& line = SlotOf(g_tape.count++);
    line.iMode = mode;
    return line;
}

int NewestIndex() { return g_tape.count - 1; }

void AddLine(const char* prefix, const char* value, int mode) {
    TextBuffer& text = NewLine(mode).text;
    text.assign(prefix);
    text.append(value);
    text.append(' ');
    EngineView().TapeAdded(NewestIndex());
}

}  // namespace

void AddOperandLine(char op, const char* value, int mode) {
    const char prefix[] = {op, ' ', '\0'};
    AddLine(prefix, value, mode);
}

void AddMemoryLine(MemoryLine kind, const char* value, int mode) {
    static constexpr const char* kPrefixes[] = {"M= ", "M+ ", "M- "};
    AddLine(kPrefixes[static_cast<int>(kind)], value, mode);
}

void ClearTape() {
    EmptyTape();
    const int visible = EngineView().TapeVisibleLines();
    // A view taller than the tape can hold still gets only as many blank lines as it keeps.
    const int blanks = visible < kMaxTapeLines ? visible : kMaxTapeLines;
    for (int i = 0; i < blanks; ++i) NewLine(0).text.assign(" ");
    EngineView().TapeCleared();
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
