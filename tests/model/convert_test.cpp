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

// Between the slowest and the fastest rates a mode takes, a count can grow beyond 32 bits; the
// result is wrapped into the target's day, as the next operation would wrap it.
TEST_F(ConvertTest, ResultsBeyondThirtyTwoBitsWrapIntoTheTargetRange) {
    ASSERT_TRUE(ParseUserMode(modes, 6, "Slow,Slow, ,0.5,99,FF,0"));
    ASSERT_TRUE(ParseUserMode(modes, 7, "Fast,Fast, ,99.9,1,HMSF,0"));
    ASSERT_EQ(WrapModulus(modes, 7), 8631360);  // 24 x 3600 x 99.9
    // The last frame of the feet day, 23,759,999 at half a frame a second, is 4,747,247,800 frames
    // at 99.9: 200 short of 550 days.
    EXPECT_EQ(ConvertFrames(modes, 23759999, 6, 7, false), 8631360 - 200);
}

}  // namespace
