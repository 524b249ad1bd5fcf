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

void AddLine(const char* prefix, const char* value, int mode) {
    TextBuffer text(prefix);
    text.append(value);
    text.append(' ');
    EngineView().TapeAdded(AppendLine(text, mode));
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
    const TextBuffer blank{" "};
    for (int i = 0; i < blanks; ++i) AppendLine(blank, 0);
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
