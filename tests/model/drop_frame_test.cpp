#include "model/drop_frame.h"
#include "model/entry_check.h"
#include "model/user_mode.h"
#include "tests/support/model_fixture.h"

namespace {

using DropFrameTest = ModelTest;


TEST_F(DropFrameTest, DropRulesBelongToTheNtscRatesAsWritten) {
    const struct {
        double fps;
        int wholeRate, dropped;
    } cases[] = {{29.97, 30, 2},  {29.970, 30, 2}, {29.97003, 30, 2}, {59.94, 60, 4}, {59.940, 60, 4},
                 {23.976, 24, 0}, {23.98, 24, 0},  {47.952, 48, 0},   {95.904, 96, 0}, {30, 0, 0},
                 {25, 0, 0},      {59.9, 0, 0},    {29.96, 0, 0},     {47.91, 0, 0},   {99.9, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(NtscWholeRate(c.fps), c.wholeRate) << c.fps;
        EXPECT_EQ(DroppedLabelsAtRate(c.fps), c.dropped) << c.fps;
    }
    ASSERT_TRUE(ParseUserMode(modes, ModeUser1, "HD,HD, ,59.94,1,HMSF,0"));
    EXPECT_EQ(DroppedLabelsPerMinute(modes, ModeUser1), 0) << "a non-drop kind drops nothing at any rate";
}

TEST_F(DropFrameTest, SkippedLabelsMoveByTheLabelsTheModeDrops) {
    ASSERT_TRUE(ParseUserMode(modes, ModeUser1, "59.94 DF,5994DF, DF,59.94,1,HMSD,0"));
    const struct {
        int mode;
        const char* label;
        bool skipped;
        const char* back;     // to the end of the previous minute
        const char* forward;  // to the first label of its minute
    } cases[] = {
        {ModeDf, "00010000", true, "00005928", "00010002"},   {ModeDf, "01230001", true, "01225929", "01230003"},
        {ModeDf, "000:0000", true, "00095928", nullptr},      {ModeDf, "00100000", false, nullptr, nullptr},
        {ModeDf, "00010002", false, nullptr, nullptr},        {ModeDf, "00010100", false, nullptr, nullptr},
        {ModeUser1, "00010000", true, "00005956", "00010004"}, {ModeUser1, "00010003", true, "00005959", "00010007"},
        {ModeUser1, "000:0002", true, "00095958", nullptr},    {ModeUser1, "00010004", false, nullptr, nullptr},
        {ModeUser1, "00200000", false, nullptr, nullptr},      {0, "00010000", false, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " label " << c.label);
        EXPECT_EQ(IsDroppedLabel(modes, DigitString(c.label), c.mode), c.skipped);
        if (c.back == nullptr) continue;
        DigitString back(c.label);
        MoveToPreviousMinute(modes, back, c.mode);
        EXPECT_STREQ(back.c_str(), c.back);
        if (c.forward == nullptr) continue;
        DigitString forward(c.label);
        MoveToLabelsThatExist(modes, forward, c.mode);
        EXPECT_STREQ(forward.c_str(), c.forward);
    }
}

// SMPTE ST 12-1 drop-frame numbering, computed from the rule alone: each ten minutes hold
// 600 x nominal frames less 9 x the labels dropped per minute; each minute but the tenth loses
// its first labels; with none dropped, the plain division at nominal labels a second. The label
// as hhmmssff in one number.
std::int32_t SmpteLabel(std::int32_t frame, int nominal, int dropped) {
    const std::int32_t perTenMinutes = 600 * nominal - 9 * dropped;
    const std::int32_t perMinute = 60 * nominal - dropped;
    const std::int32_t tens = frame / perTenMinutes;
    const std::int32_t rest = frame % perTenMinutes;
    std::int32_t n = frame + 9 * dropped * tens;
    if (rest >= dropped) n += dropped * ((rest - dropped) / perMinute);
    return ((n / (3600 * nominal) * 100 + n / (60 * nominal) % 60) * 100 + n / nominal % 60) * 100 + n % nominal;
}

std::int32_t LabelNumber(const DigitString& label) {
    std::int32_t n = 0;
    for (std::size_t i = 0; i < label.size(); ++i) n = n * 10 + (label[i] - '0');
    return n;
}

// Every count of the day is labelled by SMPTE numbering at the whole rate (non-drop at the NTSC
// rates but 29.97 and 59.94 drop-frame), reads back to itself and passes the strict check.
TEST_F(DropFrameTest, LabelsFollowSmpteNumberingAllDay) {
    const struct {
        const char* definition;  // of user mode 6, or null for 30 DF
        int nominal, dropped;
    } rateModes[] = {
        {nullptr, 30, 2},
        {"Half DF,HDF, HDF,29.97,1,hmsd,0", 30, 2},
        {"59.94 DF,5994DF, DF,59.94,1,HMSD,0", 60, 4},
        {"23.976,2398, ,23.976,1,HMSF,0", 24, 0},
        {"29.97,2997, ,29.97,1,HMSF,0", 30, 0},
        {"47.952,4795, ,47.952,1,HMSF,0", 48, 0},
        {"59.94,5994, ,59.94,1,HMSF,0", 60, 0},
        {"23.98 D,2398D, ,23.98,1,HMSD,0", 24, 0},
    };
    for (const auto& m : rateModes) {
        const int mode = m.definition == nullptr ? ModeDf : ModeUser1;
        modes = ModeTable{};
        if (m.definition != nullptr) {
            ASSERT_TRUE(ParseUserMode(modes, ModeUser1, m.definition)) << m.definition;
        }
        SCOPED_TRACE(m.definition == nullptr ? "30 DF" : m.definition);
        EXPECT_EQ(WrapModulus(modes, mode), 24 * 6 * (600 * m.nominal - 9 * m.dropped));
        int failures = 0;
        for (std::int32_t count = 0; count < WrapModulus(modes, mode) && failures < 5; ++count) {
            const DigitString label = FramesToDigitString(modes, count, mode);
            const std::int32_t expected = SmpteLabel(count, m.nominal, m.dropped);
            if (expected != LabelNumber(label) || TextToFrames(modes, label.c_str(), mode) != count ||
                FirstBadEntryField(modes, label.c_str(), mode) != EntryField::None) {
                ADD_FAILURE() << "count " << count << ": wrote " << label.c_str() << ", SMPTE " << expected;
                ++failures;
            }
        }
    }
}

}  // namespace
