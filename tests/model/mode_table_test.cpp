#include <array>

#include "model/mode_table.h"
#include "tests/support/model_fixture.h"

namespace {

using ModeTableTest = ModelTest;

// Place values from first principles: a non-drop HMSF row counts r frames a second, 60 seconds
// a minute and 60 minutes an hour; a feet row counts its frames per foot and ten of each digit;
// SMPTE drop-frame counting drops 2 labels a minute except each tenth, 108 an hour.
struct RateCase {
    int mode;
    std::int32_t kind;
    std::int32_t unit;  // frames a second, or a foot
};

constexpr RateCase kBuiltInRates[] = {
    {0, KindHmsf, 30}, {2, KindHmsf, 25}, {3, KindHmsf, 24}, {4, KindFeetFrames, 16}, {5, KindFeetFrames, 40},
};

TEST_F(ModeTableTest, BuiltInPlaceValuesCountTheirRate) {
    for (const RateCase& c : kBuiltInRates) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        const std::int32_t u = c.unit;
        using Weights = std::array<std::int32_t, kDigitCount>;
        const Weights expected = c.kind == KindHmsf
                                     ? Weights{1, 10, u, 10 * u, 60 * u, 600 * u, 3600 * u, 36000 * u}
                                     : Weights{1, 10, u, 10 * u, 100 * u, 1000 * u, 10000 * u, 100000 * u};
        EXPECT_EQ(modes.rows[c.mode].iKind, c.kind);
        for (int i = 0; i < kDigitCount; ++i) EXPECT_EQ(modes.placeValues[c.mode][i], expected[i]) << "w" << i;
        // A day of 24 hours, or 240000 feet.
        EXPECT_EQ(WrapModulus(modes, c.mode), c.kind == KindHmsf ? 24 * 3600 * u : 240000 * u);
    }
    const std::int32_t dropFrame[kDigitCount] = {1, 10, 30, 300, 1800 - 2, 18000 - 18, 108000 - 108, 1080000 - 1080};
    for (int i = 0; i < kDigitCount; ++i) EXPECT_EQ(modes.placeValues[1][i], dropFrame[i]) << "30 DF w" << i;
    EXPECT_EQ(WrapModulus(modes, 1), 24 * (108000 - 108));
    for (int mode : {10, 11, 12}) EXPECT_EQ(WrapModulus(modes, mode), 1 << 24) << mode;
}

TEST_F(ModeTableTest, UserRowsStartAbsentWithBareDigitClipboardFormat) {
    for (int mode = kFirstUserMode; mode < kFirstUserMode + kUserModeCount; ++mode) {
        EXPECT_FALSE(IsModePresent(modes, mode)) << mode;
        EXPECT_EQ(modes.rows[mode].iClipFlags, LeadNone | SepNone) << mode;
    }
    for (int mode : {0, 1, 2, 3, 4, 5, 10, 11, 12}) EXPECT_TRUE(IsModePresent(modes, mode)) << mode;
    EXPECT_FALSE(IsModePresent(modes, -1));
    EXPECT_FALSE(IsModePresent(modes, 13));
}

TEST_F(ModeTableTest, RowsOutsideTheTableCountAsModeZero) {
    EXPECT_EQ(&ModeRow(modes, 13), &modes.rows[0]);
    EXPECT_EQ(&ModeRow(modes, -1), &modes.rows[0]);
}

TEST_F(ModeTableTest, DisplayFlagsNeverCarryTrailingText) {
    for (int kind = 0; kind < kKindCount; ++kind) EXPECT_EQ(KindDisplayFlags[kind] & Trailing, 0u) << kind;
    EXPECT_STREQ(KindNames[KindHmsf], KindNames[KindHmsfDrop]);
}

// A table is a value: what one holds, another made after it does not.
TEST_F(ModeTableTest, AFreshTableHoldsNoneOfAnothersChanges) {
    modes.rows[6].szName.assign("Temp");
    modes.rows[0].iClipFlags = 0x11;
    modes.placeValues[6][2] = 24;
    const ModeTable fresh;
    EXPECT_FALSE(IsModePresent(fresh, 6));
    EXPECT_EQ(fresh.rows[0].iClipFlags, LeadZeros | SepColons | Trailing);
    EXPECT_EQ(fresh.placeValues[6][2], 100);
}

}  // namespace
