#include "model/drop_frame.h"
#include "tests/support/model_fixture.h"

namespace {

using DropFrameTest = ModelTest;

TEST_F(DropFrameTest, OnlySkippedLabelsMoveToThePreviousMinute) {
    const struct {
        const char* label;
        bool exists;
        const char* moved;  // the label two frames earlier, for a skipped one
    } cases[] = {
        {"00010000", false, "00005928"}, {"01230001", false, "01225929"}, {"000:0000", false, "00095928"},
        {"000:0001", false, "00095929"}, {"00100000", true, nullptr},     {"00010002", true, nullptr},
        {"00010100", true, nullptr},     {"00011000", true, nullptr},     {"00000000", true, nullptr},
    };
    for (const auto& c : cases) {
        DigitString label(c.label);
        EXPECT_EQ(DropFrameLabelExists(label), c.exists) << c.label;
        if (c.exists) continue;
        MoveToPreviousMinute(label);
        EXPECT_STREQ(label.c_str(), c.moved) << c.label;
    }
    EXPECT_FALSE(IsDropFrameLabelValid("1:00;00"));
    EXPECT_TRUE(IsDropFrameLabelValid("10:00;00"));
    EXPECT_TRUE(IsDropFrameLabelValid("59;28"));
}

struct FieldCase {
    int mode;
    const char* entry;
    EntryField field;
};

constexpr FieldCase kFieldCases[] = {
    {0, "1234", EntryField::Frames},      {0, "6000", EntryField::Seconds},
    {0, "600000", EntryField::Minutes},   {0, "24000000", EntryField::Hours},
    {0, "23595929", EntryField::None},    {0, "99999999", EntryField::Frames},
    {1, "29", EntryField::None},          {1, "30", EntryField::Frames},
    {1, "10000", EntryField::None},  // a label that does not exist is the drop-frame gate's business
    {3, "23", EntryField::None},          {3, "24", EntryField::Frames},
    {4, "15", EntryField::None},          {4, "16", EntryField::Frames},
    {4, "99999915", EntryField::None},    {5, "39", EntryField::None},
    {5, "40", EntryField::Frames},        {10, "FFFFFFFF", EntryField::None},
    {11, "99999999", EntryField::None},   {12, "77777777", EntryField::None},
};

TEST_F(DropFrameTest, FirstBadFieldInTheOrderFramesSecondsMinutesHours) {
    for (const FieldCase& c : kFieldCases)
        EXPECT_EQ(FirstBadEntryField(c.entry, c.mode), c.field) << c.entry << " in mode " << c.mode;
}

}  // namespace
