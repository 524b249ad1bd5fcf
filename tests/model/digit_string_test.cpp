#include <cstdio>
#include <string>

#include "model/digit_string.h"
#include "model/drop_frame.h"
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
        EXPECT_EQ(TextToFrames(c.text, c.mode), c.frames) << "mode " << c.mode << " text \"" << c.text << '"';
    EXPECT_EQ(TextToFrames(std::string(128, '1').c_str(), 11), 0);
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
    for (const auto& c : cases) EXPECT_EQ(WrapFrames(c.count, c.mode), c.wrapped) << c.count << " in mode " << c.mode;
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
};

TEST_F(DigitStringTest, FramesToDigitStringWritesEachKind) {
    for (const FramesCase& c : kFramesCases)
        EXPECT_STREQ(FramesToDigitString(c.count, c.mode).c_str(), c.digits) << c.count << " in mode " << c.mode;
}

// Counts that 8 positions cannot hold are written wrapped rather than with a character that
// the display would drop.
TEST_F(DigitStringTest, CountsBeyondEightDigitsAreWrittenWrapped) {
    const std::int32_t hundredHours = 100 * 108000 + 1;
    EXPECT_STREQ(FramesToDigitString(hundredHours, 0).c_str(), FramesToDigitString(WrapFrames(hundredHours, 0), 0).c_str());
    EXPECT_STREQ(FramesToDigitString(-1, 0).c_str(), "23595929");
    EXPECT_STREQ(FramesToDigitString(100000000, 11).c_str(), FramesToDigitString(WrapFrames(100000000, 11), 11).c_str());
    EXPECT_STREQ(FramesToDigitString(-1, 10).c_str(), "00ffffff");
}

bool IsAllDecimal(const DigitString& d) {
    if (d.size() != 8) return false;
    for (std::size_t i = 0; i < d.size(); ++i)
        if (d[i] < '0' || d[i] > '9') return false;
    return true;
}

// Every count of the day is written with digits 0-9 and reads back to itself.
void ExpectWholeDayRoundTrip(int mode) {
    const std::int32_t modulus = WrapModulus(mode);
    int failures = 0;
    for (std::int32_t count = 0; count < modulus && failures < 5; ++count) {
        const DigitString d = FramesToDigitString(count, mode);
        const std::int32_t back = TextToFrames(d.c_str(), mode);
        if (!IsAllDecimal(d) || back != count) {
            ADD_FAILURE() << "mode " << mode << " count " << count << " wrote " << d.c_str() << " read back " << back;
            ++failures;
        }
    }
}

TEST_F(DigitStringTest, EveryBuiltInWeightedCountRoundTrips) {
    for (int mode = 0; mode <= 5; ++mode) ExpectWholeDayRoundTrip(mode);
}

TEST_F(DigitStringTest, EveryCountKindValueRoundTrips) {
    for (int mode = 10; mode <= 12; ++mode)
        for (std::int32_t count = 0; count < kCountModulus; count += 4099)
            ASSERT_EQ(TextToFrames(FramesToDigitString(count, mode).c_str(), mode), count) << mode;
}

// SMPTE ST 12-1 drop-frame numbering, computed independently of the place values: every ten
// minutes hold 17982 frames, every minute but the tenth 1798 (labels 00 and 01 skipped).
std::string SmpteDropFrameLabel(std::int32_t frame) {
    const std::int32_t tens = frame / 17982;
    const std::int32_t rest = frame % 17982;
    std::int32_t n = frame + 18 * tens;
    if (rest >= 2) n += 2 * ((rest - 2) / 1798);
    char label[32];
    const int ff = n % 30, ss = n / 30 % 60, mm = n / 1800 % 60, hh = n / 108000;
    std::snprintf(label, sizeof label, "%02d%02d%02d%02d", hh, mm, ss, ff);
    return label;
}

TEST_F(DigitStringTest, DropFrameLabelsFollowSmpteNumberingAllDay) {
    int failures = 0;
    for (std::int32_t count = 0; count < WrapModulus(1) && failures < 5; ++count) {
        const DigitString label = FramesToDigitString(count, 1);
        const std::string expected = SmpteDropFrameLabel(count);
        if (expected != label.c_str() || !DropFrameLabelExists(label)) {
            ADD_FAILURE() << "count " << count << ": wrote " << label.c_str() << ", SMPTE " << expected;
            ++failures;
        }
    }
}

struct UserRate {
    const char* definition;
    bool dropFrame;
};

// Fractional rates give place values that are not multiples of each other.
constexpr UserRate kFractionalModes[] = {
    {"23.976,2398, 23.98,23.976,1,HMSF,0", false},
    {"59.94,5994, 59.94,59.94,1,HMSF,0", false},
    {"Reel 20,R20, R20,24,20,FF,0", false},
    {"Reel 12.8,R128, R128,24,12.8,FF,0", false},
    {"23.976 DF,2398D, D,23.976,1,HMSD,0", true},
    {"59.94 DF,5994D, D,59.94,1,HMSD,0", true},
};

TEST_F(DigitStringTest, FractionalUserModesWriteOnlyDigitsAllDay) {
    for (const UserRate& rate : kFractionalModes) {
        SCOPED_TRACE(rate.definition);
        ResetModeTables();
        char text[128];
        std::snprintf(text, sizeof text, "%s", rate.definition);
        ASSERT_TRUE(ParseUserMode(6, text));
        if (!rate.dropFrame) {
            ExpectWholeDayRoundTrip(6);
            continue;
        }
        // Drop-frame user modes keep the two-label repair, which names a different count at
        // these rates; what must hold is that nothing beyond '9' reaches the display.
        int failures = 0;
        for (std::int32_t count = 0; count < WrapModulus(6) && failures < 5; ++count) {
            const DigitString d = FramesToDigitString(count, 6);
            if (!IsAllDecimal(d)) {
                ADD_FAILURE() << "count " << count << " wrote " << d.c_str();
                ++failures;
            }
        }
    }
}

TEST_F(DigitStringTest, TwentyThreeNineSevenSixMinuteEdge) {
    char text[] = "23.976,2398, 23.98,23.976,1,HMSF,0";
    ASSERT_TRUE(ParseUserMode(6, text));
    const struct {
        std::int32_t count;
        const char* digits;
    } cases[] = {{14379, "00095921"}, {14380, "00095922"}, {14384, "00095926"}, {14385, "00100000"}};
    for (const auto& c : cases) EXPECT_STREQ(FramesToDigitString(c.count, 6).c_str(), c.digits) << c.count;
}

// Sampled counts over a spread of rates: whatever rate a definition is accepted with, its
// digits read back to the count. Rates whose place values leave gaps are refused.
TEST_F(DigitStringTest, AnyAcceptedRateRoundTrips) {
    const char* kinds[] = {"HMSF", "FF"};
    int accepted = 0, refused = 0;
    for (const char* kind : kinds) {
        for (double rate = 0.5; rate < 100; rate += 0.37) {
            ResetModeTables();
            char text[128];
            std::snprintf(text, sizeof text, "Any,Any, ,%.3f,%.3f,%s,0", rate, rate, kind);
            if (!ParseUserMode(6, text)) {
                ++refused;
                continue;
            }
            ++accepted;
            const std::int32_t modulus = WrapModulus(6);
            for (std::int32_t count = 0; count < modulus; count += 997) {
                const DigitString d = FramesToDigitString(count, 6);
                ASSERT_TRUE(IsAllDecimal(d) && TextToFrames(d.c_str(), 6) == count)
                    << text << " count " << count << " wrote " << d.c_str();
            }
        }
    }
    // Most rates are usable; only fractions far from their whole number at high rates are not.
    EXPECT_GT(accepted, 4 * refused) << accepted << " accepted, " << refused << " refused";
}

}  // namespace
