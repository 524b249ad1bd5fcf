#pragma once
// The thirteen counting modes: how a frame count is written, at what rate, under which names.
// A ModeTable is a value: it starts with the built-in rows, and whoever runs a calculator
// defines the user modes and sets the clipboard formats in its own table, which the calculator,
// the formatter and the converters then read.

#include <cstdint>

#include "model/format_flags.h"
#include "model/fixed_text.h"

// Stored in ModeRecord::iKind and named in user-mode definitions, so a plain enum with the
// values fixed.
enum ModeKind : std::int32_t {
    KindHmsf = 0,        // hours, minutes, seconds, frames
    KindHmsfDrop = 1,    // the same with drop-frame labels
    KindFeetFrames = 2,  // six digits of feet, two of frames
    KindHex = 3,         // plain counts from here on
    KindDec = 4,
    KindOct = 5,
};

// The rows by number; the number is stored in the settings file as the current mode.
enum BuiltInMode : int {
    ModeNdf = 0,
    ModeDf = 1,
    ModePal = 2,
    ModeFilm = 3,
    Mode35mm = 4,
    Mode16mm = 5,
    ModeUser1 = 6,  // to 9
    ModeHex = 10,
    ModeDec = 11,
    ModeOct = 12,
};

constexpr int kKindCount = 6;
constexpr int kModeCount = 13;
constexpr int kFirstUserMode = ModeUser1;
constexpr int kUserModeCount = 4;
constexpr int kWeightedModeCount = 10;  // rows with place values: modes 0 to 9
constexpr int kDigitCount = 8;          // digits of a DigitString
constexpr std::int32_t kCountModulus = 16777216;  // 2 to the 24th: wrap of the plain counts

struct ModeRecord {
    FixedText<32> szName;       // long name; empty marks an absent row
    FixedText<8> szShortName;   // title of the row's Clipboard Formats page
    FixedText<4> szPrefix;      // "0x", "0": put in front under PrefixOx
    FixedText<32> szSuffix;     // trailing text under Trailing
    double dFps;                // frames per second (0 in the built-in count modes)
    double dFramesPerFoot;      // feet-and-frames kinds only
    std::int32_t iKind;         // a ModeKind
    FormatFlags iClipFlags;     // clipboard format
};

// Frames that one unit of each DigitString position is worth, w0 (rightmost) to w7.
using PlaceValues = std::int32_t[kDigitCount];

struct ModeTable {
    ModeRecord rows[kModeCount];
    PlaceValues placeValues[kWeightedModeCount];

    // The built-in rows, no user modes.
    ModeTable();
};

// Per-kind tables, indexed by ModeKind.
constexpr const char* KindKeywords[kKindCount] = {"HMSF", "HMSD", "FF", "UHEX", "UDEC", "UOCT"};
constexpr const char* KindNames[kKindCount] = {"HMSF", "HMSF", "FF", "HEX", "DEC", "OCT"};
constexpr FormatFlags KindDisplayFlags[kKindCount] = {
    LeadNone | SepColons,
    LeadNone | SepSemicolon,
    LeadNone | SepHyphen | Commas | PrefixOx | LeadingZero,
    LeadNone | UpperCase,
    LeadNone | Commas | LeadingZero,
    LeadNone,
};
constexpr FormatFlags KindDefaultClipFlags[kKindCount] = {
    LeadZeros | SepColons | Trailing,
    LeadZeros | SepSemicolon | Trailing,
    LeadNone | SepHyphen | Commas | PrefixOx | LeadingZero,
    LeadNone | UpperCase,
    LeadNone | Commas | LeadingZero | Trailing,
    LeadNone | Commas | Trailing,
};
constexpr std::int32_t KindRadix[kKindCount] = {0, 0, 0, 16, 10, 8};  // 0: no radix shown

constexpr bool IsValidMode(int mode) { return mode >= 0 && mode < kModeCount; }

// True for a row 0-12 whose name is not empty; false for any other number.
bool IsModePresent(const ModeTable& modes, int mode);

// The row of a mode; a number outside 0-12 counts as mode 0.
inline const ModeRecord& ModeRow(const ModeTable& modes, int mode) {
    return modes.rows[IsValidMode(mode) ? mode : 0];
}

// Kinds 0-2 map digits to frames through place values; kinds 3-5 are plain counts.
constexpr bool IsWeightedKind(std::int32_t kind) { return kind >= KindHmsf && kind <= KindFeetFrames; }
constexpr bool IsCountKind(std::int32_t kind) { return kind >= KindHex && kind <= KindOct; }

// The kind of a mode row; a number outside 0-12 counts as mode 0.
inline std::int32_t ModeKindOf(const ModeTable& modes, int mode) { return ModeRow(modes, mode).iKind; }

// True when the mode writes its counts through place values: a row 0-9 of a weighted kind.
inline bool HasPlaceValues(const ModeTable& modes, int mode) {
    return IsValidMode(mode) && mode < kWeightedModeCount && IsWeightedKind(modes.rows[mode].iKind);
}

// The count at which a mode's results wrap to zero: 24 times w6 for the weighted kinds,
// 2 to the 24th for the plain counts.
std::int32_t WrapModulus(const ModeTable& modes, int mode);
