#pragma once
// convert's exact reading: a text is a value of a mode only when it names exactly one count of
// it. The mode's digits are grouped as the mode writes them: time as H:MM:SS:FF (each field
// after the first of two digits, ":" ";" or "." between them), feet and frames as FEET+FF
// ("+", "-" or "." before the frames, the feet in thousands groups of three when commas are
// used), counts as bare digits (decimal and octal with optional thousands commas, hexadecimal
// with an optional "0x"). A run of digits alone is the digits as they would be typed. Blanks
// around the value and the mode's own trailing text (" DF", " Frms") are allowed, so that
// every text lumo prints for a mode reads back.
//
// The reading only checks: the value's digits go on to the engine, which alone turns text
// into counts and counts into text.

#include <string>
#include <string_view>

#include "model/entry_check.h"
#include "model/fixed_text.h"

struct ModeTable;

enum class ValueProblem {
    None,
    Blank,          // nothing but blanks: not an error, an empty line out
    NulByte,
    NoDigit,        // no digit of the mode at all
    Negative,
    Character,      // a character that has no place in the mode's values
    FieldWidth,     // a field after the first that has not two digits; a feet count's frames too
    GroupWidth,     // a thousands group that has not three digits
    TooManyDigits,  // more than the eight digits of a value
    PastWrap,       // a count at or past the mode's wrap
    FieldRange,     // a field outside its range: a label the mode never writes
    DroppedLabel,   // a drop-frame label that the mode skips
};

struct ExactValue {
    ValueProblem problem = ValueProblem::None;
    EntryField field = EntryField::None;  // FieldRange: the field at fault
    char character = 0;                   // Character: the one at fault
    FixedText<8> digits;                  // None: the digits, eight, zero-filled, upper case
};

// Reads the shape of the text in the mode: the blank and NUL checks, the mode's digits, the
// sign, the fields and their widths. Whether the digits are a label the mode writes is for the
// engine to show: see SameDigits.
ExactValue ReadExactValue(const ModeTable& modes, std::string_view text, int mode);

// Only the blank and NUL checks, which hold for every reading.
ValueProblem BlankOrNul(std::string_view text);

// True when a shown text has the same digits as the value's eight (leading zeros aside). The
// engine shows an operand that "=" takes as the label its mode writes for the count, wrapped
// into the mode's range: the same digits mean the value was a label of the mode, within its
// wrap. This is the strict entry check's own test (a label is written when the count's label is
// the label itself), made on what the engine computes anyway.
bool SameDigits(const char* shown, const char* digits);

// True for a drop-frame label that the mode skips, which Auto DF Correct moves.
bool IsMovedLabel(const ModeTable& modes, const ExactValue& value, int mode);

// Sets the problem of a value whose label the mode does not write: a dropped label, a field
// out of range, a count at or past the wrap.
void ExplainUnwrittenLabel(const ModeTable& modes, ExactValue& value, int mode);

// The problem in the user's words, for the error line; mode is the mode read in.
std::string ProblemText(const ModeTable& modes, const ExactValue& value, int mode);

// The words for a result that toMode cannot write within its wrap.
std::string ResultPastWrapText(const ModeTable& modes, int toMode);
