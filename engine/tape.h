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

// "%c %s ": an operand with the operator that applies to it, a result after "=", or the blank
// line that "C" writes. The oldest line goes when 150 are held; the view is told.
void AddOperandLine(char op, const char* value, int mode);
void AddMemoryLine(MemoryLine kind, const char* value, int mode);

// Empties the tape and fills it with as many one-space lines (mode 0) as the view shows, then
// has the view show it again.
void ClearTape();

// Removes every line without telling the view: for putting the engine back to its start.
void EmptyTape();

int TapeLineCount();
// Line 0 is the oldest; an index out of range gives an empty line.
const TapeLine& TapeLineAt(int index);
