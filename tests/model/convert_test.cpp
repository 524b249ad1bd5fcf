#include <climits>
#include <cmath>

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
        g_options.bDFNDFFrameConv = c.framesKept ? 1 : 0;
        EXPECT_EQ(ConvertFrames(c.count, c.from, c.to), c.result)
            << c.count << " from " << c.from << " to " << c.to << (c.framesKept ? " (frames kept)" : "");
    }
}

TEST_F(ConvertTest, UserDropFrameModeConvertsLikeThirtyDf) {
    char text[] = "Half DF,HDF, HDF,29.97,1,hmsd,0";
    ASSERT_TRUE(ParseUserMode(7, text));
    EXPECT_EQ(ConvertFrames(1800, 0, 7), 1798);
    g_options.bDFNDFFrameConv = 1;
    EXPECT_EQ(ConvertFrames(1800, 0, 7), 1800);
}

// A feet mode's conversion rate is not bounded by its place values; a result beyond 32 bits
// is wrapped into the target's day, as the next operation would wrap it.
TEST_F(ConvertTest, ResultsBeyondThirtyTwoBitsWrapIntoTheTargetRange) {
    char text[] = "Fast,Fast, ,1e-3,16,FF,0";
    ASSERT_TRUE(ParseUserMode(6, text));
    const std::int32_t count = 2591999;
    const double exact = std::round(1e-3 * count / 30.0);
    EXPECT_EQ(ConvertFrames(count, 0, 6), static_cast<std::int32_t>(exact));
    const std::int32_t up = ConvertFrames(count, 6, 0);  // 2591999 x 30 / 0.001: far beyond 32 bits
    const double wrapped = std::fmod(std::round(30.0 * count / 1e-3), 2592000.0);
    EXPECT_EQ(up, static_cast<std::int32_t>(wrapped));
    EXPECT_GE(up, 0);
    EXPECT_LT(up, WrapModulus(0));
    EXPECT_EQ(ConvertFrames(INT_MAX, 6, 0), static_cast<std::int32_t>(std::fmod(std::round(30.0 * INT_MAX / 1e-3), 2592000.0)));
}

}  // namespace
