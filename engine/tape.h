#pragma once
// The paper tape: the last 150 operands and results, each with the mode it was written in.

#include <cstdint>

#include "model/fixed_text.h"

constexpr int kMaxTapeLines = 150;

struct TapeLine {
    TextBuffer text;
    std::int32_t iMode = 0;
};

// The memory lines: "M= %s " for the total, "M+ %s " and "M- %s " for the value added or taken.
enum class MemoryLine { Total, Plus, Minus };

class Tape {
public:
    // "%c %s ": an operand with the operator that applies to it, a result after "=", or the
    // blank line that "C" writes. When 150 lines are held the oldest goes: true then.
    bool AddOperandLine(char op, const char* value, int mode);
    bool AddMemoryLine(MemoryLine kind, const char* value, int mode);

    // Empties the tape and fills it with as many one-space lines of mode 0 as asked, at most
    // as many as it keeps.
    void Refill(int blankLines);

    int Count() const { return count_; }
    // Line 0 is the oldest; an index out of range gives an empty line.
    const TapeLine& At(int index) const;
    const TapeLine& Newest() const { return At(count_ - 1); }

private:
    // A ring of fixed slots: when it is full the newest line takes the oldest line's slot, so
    // dropping the oldest line costs nothing and no line is ever copied.
    TapeLine lines_[kMaxTapeLines];
    int first_ = 0;  // slot of the oldest line
    int count_ = 0;
    TapeLine empty_;  // what an index out of range reads

    TapeLine& SlotOf(int index) { return lines_[(first_ + index) % kMaxTapeLines]; }
    bool AddLine(const char* prefix, const char* value, int mode);
};
