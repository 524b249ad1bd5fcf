#include "engine/tape.h"

bool Tape::AddLine(const char* prefix, const char* value, int mode) {
    const bool full = count_ >= kMaxTapeLines;
    if (full) {
        first_ = (first_ + 1) % kMaxTapeLines;
        --count_;
    }
    // Written in place in its slot.
    TapeLine& line = SlotOf(count_++);
    line.iMode = mode;
    line.text.assign(prefix);
    line.text.append(value);
    line.text.append(' ');
    return full;
}

bool Tape::AddOperandLine(char op, const char* value, int mode) {
    const char prefix[] = {op, ' ', '\0'};
    return AddLine(prefix, value, mode);
}

bool Tape::AddMemoryLine(MemoryLine kind, const char* value, int mode) {
    static constexpr const char* kPrefixes[] = {"M= ", "M+ ", "M- "};
    return AddLine(kPrefixes[static_cast<int>(kind)], value, mode);
}

void Tape::Refill(int blankLines) {
    first_ = 0;
    count_ = 0;
    // A view taller than the tape can hold still gets only as many blank lines as it keeps.
    const int blanks = blankLines < kMaxTapeLines ? blankLines : kMaxTapeLines;
    for (int i = 0; i < blanks; ++i) {
        TapeLine& line = SlotOf(count_++);
        line.iMode = 0;
        line.text.assign(" ");
    }
}

const TapeLine& Tape::At(int index) const {
    if (index < 0 || index >= count_) return empty_;
    return lines_[(first_ + index) % kMaxTapeLines];
}
