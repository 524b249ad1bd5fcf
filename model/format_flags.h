#pragma once
// The word of format flags that says how a value is written as text. Stored in the settings
// file (as each mode's clipboard format), so the bit values never change.

#include <cstdint>

using FormatFlags = std::uint32_t;

enum FormatFlagBits : FormatFlags {
    LeadNone = 0x0001,      // leading zeros stripped, nothing in their place
    LeadSpaces = 0x0002,    // stripped characters replaced by spaces
    LeadZeros = 0x0004,     // leading zeros kept
    SepNone = 0x0010,       // timecode and feet kinds: bare digits, no template
    SepColons = 0x0020,     // frames separator ":" (the default)
    SepPeriod = 0x0040,     // frames separator "."
    SepSemicolon = 0x0080,  // frames separator ";" (wins over SepPeriod)
    SepHyphen = 0x0100,     // feet-frames separator "-" (the default)
    Commas = 0x0200,        // thousands grouping for feet, decimal and octal
    PrefixOx = 0x0400,      // hexadecimal and octal: the row's prefix
    LeadingZero = 0x0800,   // hexadecimal and octal: one "0" before the significant digits
    Trailing = 0x1000,      // the row's trailing text
    UpperCase = 0x2000,     // the whole text in upper case
};

// The digits alone, as if typed: what a mode switch or a memory recall puts in the entry.
constexpr FormatFlags BareDigitFlags = LeadNone | SepNone | UpperCase;
