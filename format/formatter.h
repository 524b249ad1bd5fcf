#pragma once
// The one formatter of every text the calculator shows or hands out.

#include <cstdint>
#include <string_view>

#include "model/format_flags.h"
#include "model/fixed_text.h"

struct ModeRecord;
struct ModeTable;

// The digits (0-9, a-f, A-F; at most 8) of text laid out for the mode under the flags.
TextBuffer FormatDigits(const ModeTable& modes, const char* text, int mode, FormatFlags flags);

// The same, starting from a frame count.
TextBuffer FormatCount(const ModeTable& modes, std::int32_t count, int mode, FormatFlags flags);

// What pasted text (its first 127 characters) holds of a value, read back in the row's mode: the
// text without the prefix and trailing text that the row's clipboard format writes around a
// value, when it carries them, and otherwise the whole text. Letters match in either case, as
// UpperCase raises the decorations too, and blanks around the text are passed over. A view into
// the text.
std::string_view WithoutClipboardDecorations(const char* text, const ModeRecord& row, FormatFlags flags);
