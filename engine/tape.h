#pragma once
// The paper tape: the last 150 operands and results, each with the mode it was written in.

#include <cstdint>

#include "model/fixed_text.h"

constexpr int kMaxTapeLines = 150;

struct TapeLine {
    TextBuffer text;
    std::int32_t iMode = 0;
};

enum class TapeLineKind { TapeOperand, TapeMemoryTotal, TapeMemoryPlus, TapeMemoryMinus };

// Builds the line ("%c %s ", "M= %s ", "M+ %s ", "M- %s "), drops the oldest line when 150 are
// held, appends it and tells the view.
void AddTapeLine(const char* value, int mode, char c, TapeLineKind kind);

// Empties the tape and fills it with as many one-space lines (mode 0) as the view shows.
void ClearTape();

int TapeLineCount();
// Line 0 is the oldest; an index out of range gives an empty line.
const TapeLine& TapeLineAt(int index);
