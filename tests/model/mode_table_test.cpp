#include <cstring>

#include "model/mode_table.h"
#include "tests/support/model_fixture.h"

namespace {

using ModeTableTest = ModelTest;

struct RowCase {
    int mode;
    const char* name;
    const char* shortName;
    const char* prefix;
    const char* suffix;
    double fps;
    double framesPerFoot;
    std::int32_t kind;
    FormatFlags clipFlags;
    std::int32_t modulus;
};

constexpr RowCase kRows[] = {
    {0, "30 NDF", "NDF", "", " NDF", 30, 0, KindHmsf, 0x1024, 2592000},
    {1, "30 DF", "DF", "", " DF", 29.97, 0, KindHmsfDrop, 0x1084, 2589408},
    {2, "Pal", "Pal", "", " PAL", 25, 0, KindHmsf, 0x1024, 2160000},
    {3, "Film", "Film", "", "", 24, 0, KindHmsf, 0x1024, 2073600},
    {4, "35mm", "35mm", "", " 35mm", 24, 16, KindFeetFrames, 0x0F01, 3840000},
    {5, "16mm", "16mm", "", " 16mm", 24, 40, KindFeetFrames, 0x0F01, 9600000},
    {6, "", "Usr 1", "", "", 30, 1, KindHmsf, 0x0011, 24000000},
    {9, "", "Usr 4", "", "", 30, 1, KindHmsf, 0x0011, 24000000},
    {10, "Hexadecimal", "Hex", "0x", "h", 0, 0, KindHex, 0x2001, 16777216},
    {11, "Decimal", "Dec", "", " Frms", 0, 0, KindDec, 0x1A01, 16777216},
    {12, "Octal", "Oct", "0", "Q", 0, 0, KindOct, 0x1201, 16777216},
};

TEST_F(ModeTableTest, BuiltInRowsAndModuli) {
    for (const RowCase& c : kRows) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        const ModeRecord& row = ModeTable[c.mode];
        EXPECT_STREQ(row.szName.c_str(), c.name);
        EXPECT_STREQ(row.szShortName.c_str(), c.shortName);
        EXPECT_STREQ(row.szPrefix.c_str(), c.prefix);
        EXPECT_STREQ(row.szSuffix.c_str(), c.suffix);
        EXPECT_EQ(row.iMenuId, 1006 + c.mode);
        EXPECT_EQ(row.dFps, c.fps);
        EXPECT_EQ(row.dFramesPerFoot, c.framesPerFoot);
        EXPECT_EQ(row.iKind, c.kind);
        EXPECT_EQ(row.iClipFlags, c.clipFlags);
        EXPECT_EQ(WrapModulus(c.mode), c.modulus);
        EXPECT_EQ(IsModePresent(c.mode), c.name[0] != '\0');
    }
}

TEST_F(ModeTableTest, UserRowsStartAbsentWithBareDigitClipboardFormat) {
    for (int mode = kFirstUserMode; mode < kFirstUserMode + kUserModeCount; ++mode) {
        EXPECT_FALSE(IsModePresent(mode)) << mode;
        EXPECT_EQ(ModeTable[mode].iClipFlags, FormatFlags{0x0011}) << mode;
        EXPECT_NE(ModeTable[mode].iClipFlags, KindDefaultClipFlags[ModeTable[mode].iKind]) << mode;
    }
    EXPECT_FALSE(IsModePresent(-1));
    EXPECT_FALSE(IsModePresent(13));
}

TEST_F(ModeTableTest, DisplayFlagsNeverCarryTrailingText) {
    for (int kind = 0; kind < kKindCount; ++kind) EXPECT_EQ(KindDisplayFlags[kind] & Trailing, 0u) << kind;
    EXPECT_STREQ(KindNames[KindHmsf], KindNames[KindHmsfDrop]);
}

TEST_F(ModeTableTest, ResetUndoesEveryChange) {
    ModeTable[6].szName.assign("Temp");
    ModeTable[0].iClipFlags = 0x11;
    PlaceValueTable[6][2] = 24;
    ResetModeTables();
    EXPECT_FALSE(IsModePresent(6));
    EXPECT_EQ(ModeTable[0].iClipFlags, FormatFlags{0x1024});
    EXPECT_EQ(PlaceValueTable[6][2], 100);
}

}  // namespace
