// Copy then Paste in the same mode gives back the value on the display, whatever clipboard
// format the Clipboard Formats sheet set for the mode.

#include <vector>

#include "format/formatter.h"
#include "model/user_mode.h"
#include "tests/engine/recording_view.h"

namespace {

// What a page of each kind offers: one of the leading choices, one of the separators (a kind
// without separator buttons has the one choice 0), and any set of the check boxes.
struct SheetPage {
    FormatFlags leading;
    FormatFlags separators;
    FormatFlags checkBoxes;
};

constexpr SheetPage kSheetPages[kKindCount] = {
    {LeadNone | LeadSpaces | LeadZeros, SepNone | SepColons, Trailing},
    {LeadNone | LeadSpaces | LeadZeros, SepNone | SepColons | SepPeriod | SepSemicolon, Trailing},
    {LeadNone | LeadSpaces, SepNone | SepPeriod | SepHyphen, Commas | Trailing},
    {LeadNone | LeadSpaces, 0, PrefixOx | LeadingZero | Trailing | UpperCase},
    {LeadNone | LeadSpaces, 0, Commas | Trailing},
    {LeadNone | LeadSpaces, 0, LeadingZero | Commas | Trailing},
};

// User modes whose trailing texts hold digits of their mode, as a user's own names do.
constexpr const char* kUserModes[kUserModeCount] = {
    "23.976 fps,23.976, 23.976,23.976,1,HMSF,0",
    "59.94 drop-frame,59.94DF, 59.94DF,59.94,1,HMSD,0",
    "Hex at 25,Hex25, hex 25,0,0,UHEX,0",
    "Octal 12,Oct12, o12,0,0,UOCT,0",
};

// Each set bit of mask alone; a mask of 0 gives the one choice 0.
std::vector<FormatFlags> OneOf(FormatFlags mask) {
    std::vector<FormatFlags> bits;
    for (FormatFlags bit = 1; bit != 0 && bit <= mask; bit <<= 1)
        if ((mask & bit) != 0) bits.push_back(bit);
    if (bits.empty()) bits.push_back(0);
    return bits;
}

std::vector<FormatFlags> SheetFormats(std::int32_t kind) {
    const SheetPage& page = kSheetPages[kind];
    std::vector<FormatFlags> formats;
    for (FormatFlags leading : OneOf(page.leading))
        for (FormatFlags separator : OneOf(page.separators))
            for (FormatFlags boxes = page.checkBoxes;; boxes = (boxes - 1) & page.checkBoxes) {
                formats.push_back(leading | separator | boxes);
                if (boxes == 0) break;
            }
    return formats;
}

using PasteTest = EngineFixture;

TEST_F(PasteTest, CopyThenPasteGivesTheDisplayedValueBack) {
    for (int i = 0; i < kUserModeCount; ++i) ASSERT_TRUE(ParseUserMode(modes, kFirstUserMode + i, kUserModes[i])) << i;
    for (int mode = 0; mode < kModeCount; ++mode) {
        const std::int32_t kind = ModeKindOf(modes, mode);
        const std::int32_t modulus = WrapModulus(modes, mode);
        StartIn(mode);
        for (FormatFlags flags : SheetFormats(kind)) {
            modes.rows[mode].iClipFlags = flags;
            // Strides across the day, its last count included.
            for (std::int32_t count = modulus - 1; count >= 0; count -= modulus / 29 + 1) {
                const TextBuffer shown = FormatCount(modes, count, mode, KindDisplayFlags[kind]);
                const TextBuffer copied = FormatDigits(modes, shown.c_str(), mode, flags);
                calc.PasteText(copied.c_str());
                ASSERT_STREQ(calc.State().szDisplay.c_str(), shown.c_str())
                    << "mode " << mode << " flags 0x" << std::hex << flags << " copied \"" << copied.c_str() << '"';
            }
        }
    }
}

}  // namespace
