#pragma once
// The thirteen counting modes: how a frame count is written, at what rate, under which names.
// One global instance of each table, filled with the built-in rows at start-up; the settings
// reader adds the user modes and the saved clipboard formats, the Clipboard Formats sheet edits
// the clipboard formats, nothing else changes.

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

constexpr int kKindCount = 6;
constexpr int kModeCount = 13;
constexpr int kFirstUserMode = 6;
constexpr int kUserModeCount = 4;
constexpr int kWeightedModeCount = 10;  // rows of the place-value table: modes 0 to 9
constexpr int kDigitCount = 8;          // digits of a DigitString
constexpr int kFirstModeMenuId = 1006;  // a row's menu command is 1006 plus its number
constexpr std::int32_t kCountModulus = 16777216;  // 2 to the 24th: wrap of the plain counts

struct ModeRecord {
    FixedText<32> szName;       // long name; empty marks an absent row
    FixedText<8> szShortName;   // title of the row's Clipboard Formats page
    FixedText<4> szPrefix;      // "0x", "0": put in front under PrefixOx
    FixedText<32> szSuffix;     // trailing text under Trailing
    std::int32_t iMenuId;       // the menu command that selects the mode
    double dFps;                // frames per second (0 in the built-in count modes)
    double dFramesPerFoot;      // feet-and-frames kinds only
    std::int32_t iKind;         // a ModeKind
    FormatFlags iClipFlags;     // clipboard format
};

extern ModeRecord ModeTable[kModeCount];

// Frames that one unit of each DigitString position is worth, w0 (rightmost) to w7.
extern std::int32_t PlaceValueTable[kWeightedModeCount][kDigitCount];

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
bool IsModePresent(int mode);

// The row of a mode; a number outside 0-12 counts as mode 0.
inline const ModeRecord& ModeRow(int mode) { return ModeTable[IsValidMode(mode) ? mode : 0]; }

// The mode row whose menu command is commandId, or -1.
int ModeOfMenuCommand(int commandId);

// Kinds 0-2 map digits to frames through place values; kinds 3-5 are plain counts.
constexpr bool IsWeightedKind(std::int32_t kind) { return kind >= KindHmsf && kind <= KindFeetFrames; }
constexpr bool IsCountKind(std::int32_t kind) { return kind >= KindHex && kind <= KindOct; }

// The kind of a mode row; a number outside 0-12 counts as mode 0.
inline std::int32_t ModeKindOf(int mode) { return ModeRow(mode).iKind; }

// The count at which a mode's results wrap to zero: 24 times w6 for the weighted kinds,
// 2 to the 24th for the plain counts.
std::int32_t WrapModulus(int mode);

// Puts both tables back to their start-up contents (the built-in rows, no user modes).
void ResetModeTables();
