#pragma once
// The one formatter of every text the calculator shows or hands out.

#include <cstdint>

#include "model/format_flags.h"
#include "model/fixed_text.h"

struct ModeTable;

// The digits (0-9, a-f, A-F; at most 8) of text laid out for the mode under the flags.
TextBuffer FormatDigits(const ModeTable& modes, const char* text, int mode, FormatFlags flags);

// The same, starting from a frame count.
TextBuffer FormatCount(const ModeTable& modes, std::int32_t count, int mode, FormatFlags flags);
