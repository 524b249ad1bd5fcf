#include <climits>

#include "model/convert.h"
#include "model/digit_string.h"
#include "model/user_mode.h"
#include "tests/support/model_fixture.h"

namespace {

using ConvertTest = ModelTest;

TEST_F(ConvertTest, RoundWholeTakesHalvesAwayFromZero) {
    const struct {
        double x, rounded;
    } cases[] = {{2.5, 3}, {-2.5, -3}, {29.97, 30}, {23.976, 24}, {0.4, 0}, {1498.5, 1499}, {1798.2, 1798}, {-0.4, 0}};
    for (const auto& c : cases) EXPECT_EQ(RoundWhole(c.x), c.rounded) << c.x;
}

struct ConvertCase {
    std::int32_t count;
    int from, to;
    bool framesKept;  // NDF<>DF As Frames
    std::int32_t result;
};

constexpr ConvertCase kConvertCases[] = {
    {1800, 0, 1, false, 1798},       {1800, 0, 1, true, 1800},         {1798, 1, 0, false, 1800},
    {107892, 1, 0, false, 108000},   {108000, 0, 1, false, 107892},    {2591999, 0, 1, false, 2589407},
    {1500, 0, 1, false, 1499},       {2, 3, 0, false, 3},              {3, 0, 2, false, 3},
    {25, 2, 3, false, 24},           {12345, 4, 3, false, 12345},      {12345, 0, 10, false, 12345},
    {12345, 11, 2, false, 12345},    {0, 0, 2, false, 0},              {3839999, 4, 0, false, 4799999},
    {1800, 0, 0, false, 1800},       {1500, 2, 0, true, 1800},  // 25 and 30 differ: converted
};

TEST_F(ConvertTest, ConvertFramesKeepsTheTime) {
    for (const ConvertCase& c : kConvertCases) {
        EXPECT_EQ(ConvertFrames(modes, c.count, c.from, c.to, c.framesKept), c.result)
            << c.count << " from " << c.from << " to " << c.to << (c.framesKept ? " (frames kept)" : "");
    }
}

TEST_F(ConvertTest, UserDropFrameModeConvertsLikeThirtyDf) {
    ASSERT_TRUE(ParseUserMode(modes, 7, "Half DF,HDF, HDF,29.97,1,hmsd,0"));
    EXPECT_EQ(ConvertFrames(modes, 1800, 0, 7, false), 1798);
    EXPECT_EQ(ConvertFrames(modes, 1800, 0, 7, true), 1800);
}

// A feet mode's conversion rate is not bounded by its place values; a result beyond 32 bits
// is wrapped into the target's day, as the next operation would wrap it.
TEST_F(ConvertTest, ResultsBeyondThirtyTwoBitsWrapIntoTheTargetRange) {
    ASSERT_TRUE(ParseUserMode(modes, 6, "Fast,Fast, ,1e-3,16,FF,0"));
    // 2591999 frames at 30 fps last 86399.97 s: 86.4 frames at a thousandth of a frame a second.
    EXPECT_EQ(ConvertFrames(modes, 2591999, 0, 6, false), 86);
    // Back up, n frames become 30000 n, far beyond 32 bits; modulo a day of 2592000 frames,
    // 30000 (2592000 - 1) leaves 2592000 - 30000, and 30000 (2^31 - 1) leaves 2082000.
    EXPECT_EQ(ConvertFrames(modes, 2591999, 6, 0, false), 2562000);
    EXPECT_EQ(ConvertFrames(modes, INT_MAX, 6, 0, false), 2082000);
}

}  // namespace
