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
    FixedText<8> digits;                  // None: the mode's digits, as if typed
};

// Reads text in the mode. With movesDroppedLabels (Auto DF Correct on), a dropped drop-frame
// label passes, for the engine to move.
ExactValue ReadExactValue(std::string_view text, int mode, bool movesDroppedLabels);

// Only the blank and NUL checks, which hold for every reading.
ValueProblem BlankOrNul(std::string_view text);

// The problem in the user's words, for the error line; mode is the mode read in.
std::string ProblemText(const ExactValue& value, int mode);

// The words for a result that toMode cannot write within its wrap.
std::string ResultPastWrapText(int toMode);
