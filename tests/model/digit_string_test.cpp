#include <cstdio>
#include <string>

#include "model/digit_string.h"
#include "model/user_mode.h"
#include "tests/support/model_fixture.h"

namespace {

using DigitStringTest = ModelTest;

TEST_F(DigitStringTest, MakeDigitStringKeepsHexDigitsRightAligned) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"1:23", "00000123"},
        {"0x1A2b", "00001A2b"},  // the x is dropped, the letters keep their case
        {"xyz:;- ", "00000000"},
        {"", "00000000"},
        {"no digit here", "00000dee"},  // d and e are hexadecimal digits in every mode
        {"+ 1:00:00 ", "00010000"},
        {"123456789", "23456789"},
    };
    for (const auto& c : cases) EXPECT_STREQ(MakeDigitString(c.text).c_str(), c.expected) << '"' << c.text << '"';
    EXPECT_TRUE(MakeDigitString(std::string(128, '1').c_str()).empty());
    EXPECT_STREQ(MakeDigitString(std::string(127, '1').c_str()).c_str(), "11111111");
}

struct TextCase {
    int mode;
    const char* text;
    std::int32_t frames;
};

constexpr TextCase kTextCases[] = {
    {0, "1234", 394},           // 12 seconds 34 frames: fields are not range-checked
    {0, "00:00:99:00", 2970},
    {0, "123456789", 2567099},  // the rightmost eight digits
    {0, "", 0},
    {0, "abc", 0},
    {0, "1:00:00:00", 108000},
    {0, "24:00:00:00", 0},
    {1, "1:00:00;02", 107894},
    {1, "10000", 1798},
    {4, "1000-00", 16000},
    {4, "239,999-15", 3839999},
    {10, "abc", 2748},
    {10, "FFFFFFFF", 16777215},  // -1, wrapped
    {10, "0x1F", 31},
    {11, "1,000", 1000},
    {11, "16777216", 0},
    {12, "777", 511},
    {12, "1789", 15},  // reading stops at the first 8 or 9
    {12, "9", 0},
};

TEST_F(DigitStringTest, TextToFramesReadsThePlaceValues) {
    for (const TextCase& c : kTextCases)
        EXPECT_EQ(TextToFrames(modes, c.text, c.mode), c.frames) << "mode " << c.mode << " text \"" << c.text << '"';
    EXPECT_EQ(TextToFrames(modes, std::string(128, '1').c_str(), 11), 0);
}

TEST_F(DigitStringTest, WrapFramesBringsAnyCountIntoRange) {
    const struct {
        std::int64_t count;
        int mode;
        std::int32_t wrapped;
    } cases[] = {
        {2592000, 0, 0},      {-1, 0, 2591999},         {16777216, 10, 0},
        {-2592000 * 5LL - 3, 0, 2591997}, {INT32_MIN, 11, 0}, {INT32_MAX, 11, 16777215},
        {4799999, 0, 2207999},
    };
    for (const auto& c : cases) EXPECT_EQ(WrapFrames(modes, c.count, c.mode), c.wrapped) << c.count << " in mode " << c.mode;
}

struct FramesCase {
    std::int32_t count;
    int mode;
    const char* digits;
};

constexpr FramesCase kFramesCases[] = {
    {2591999, 0, "23595929"}, {1799, 1, "00005929"}, {3598, 1, "00020002"},  {17982, 1, "00100000"},
    {107892, 1, "01000000"},  {2589407, 1, "23595929"}, {1798, 1, "00005928"}, {1800, 1, "00010002"},
    {17980, 1, "00095928"},   {17981, 1, "00095929"}, {16777215, 10, "00ffffff"}, {16777215, 12, "77777777"},
    {16777215, 11, "16777215"}, {3839999, 4, "23999915"}, {4799999, 0, "44263929"},
    // Converted counts beyond the plain counts' day show while eight digits of the radix hold them.
    {19800000, 11, "19800000"}, {INT32_MAX, 10, "7fffffff"}, {16777216, 12, "00000000"},
};

TEST_F(DigitStringTest, FramesToDigitStringWritesEachKind) {
    for (const FramesCase& c : kFramesCases)
        EXPECT_STREQ(FramesToDigitString(modes, c.count, c.mode).c_str(), c.digits) << c.count << " in mode " << c.mode;
}

// Counts that 8 positions cannot hold are written wrapped rather than with a character that
// the display would drop.
TEST_F(DigitStringTest, CountsBeyondEightDigitsAreWrittenWrapped) {
    const std::int32_t hundredHours = 100 * 108000 + 1;
    EXPECT_STREQ(FramesToDigitString(modes, hundredHours, 0).c_str(), FramesToDigitString(modes, WrapFrames(modes, hundredHours, 0), 0).c_str());
    EXPECT_STREQ(FramesToDigitString(modes, -1, 0).c_str(), "23595929");
    EXPECT_STREQ(FramesToDigitString(modes, 100000000, 11).c_str(), FramesToDigitString(modes, WrapFrames(modes, 100000000, 11), 11).c_str());
    EXPECT_STREQ(FramesToDigitString(modes, -1, 11).c_str(), "16777215");
    EXPECT_STREQ(FramesToDigitString(modes, -1, 10).c_str(), "00ffffff");
}

TEST_F(DigitStringTest, EveryCountKindValueRoundTrips) {
    for (int mode = 10; mode <= 12; ++mode)
        for (std::int32_t count = 0; count < kCountModulus; count += 4099)
            ASSERT_EQ(TextToFrames(modes, FramesToDigitString(modes, count, mode).c_str(), mode), count) << mode;
}

// 47.91 counts 2874 frames a minute but 28746 per ten minutes: the counts 28740 to 28745 of each
// ten-minute block are written with the seconds taking the rest, not with a minute digit of ten.
TEST_F(DigitStringTest, FractionalRateMinuteEdge) {
    char text[] = "4791,4791, ,47.91,1,HMSF,0";
    ASSERT_TRUE(ParseUserMode(modes, 6, text));
    const struct {
        std::int32_t count;
        const char* digits;
    } cases[] = {{28739, "00095941"}, {28740, "00095942"}, {28745, "00095947"}, {28746, "00100000"}};
    for (const auto& c : cases) EXPECT_STREQ(FramesToDigitString(modes, c.count, 6).c_str(), c.digits) << c.count;
}

}  // namespace
