#include <string>
#include <vector>

#include "model/drop_frame.h"
#include "tests/support/model_fixture.h"

namespace {

using DropFrameTest = ModelTest;

struct RecordingSink : MessageSink {
    std::vector<std::string> messages;
    void ShowMessage(const char* text, const char* caption) override {
        messages.push_back(std::string(text) + " | " + (caption ? caption : "(none)"));
    }
};

TEST_F(DropFrameTest, CheckDropFrameLabelRepairsOnlyNonexistentLabels) {
    const struct {
        const char* label;
        bool exists;
        const char* repaired;
    } cases[] = {
        {"00010000", false, "00005928"}, {"01230001", false, "01225929"}, {"000:0000", false, "00095928"},
        {"000:0001", false, "00095929"}, {"00100000", true, "00100000"},  {"00010002", true, "00010002"},
        {"00010100", true, "00010100"},  {"00011000", true, "00011000"},  {"00000000", true, "00000000"},
    };
    for (const auto& c : cases) {
        DigitString untouched(c.label);
        EXPECT_EQ(CheckDropFrameLabel(untouched, false), c.exists) << c.label;
        EXPECT_STREQ(untouched.c_str(), c.label);
        DigitString label(c.label);
        EXPECT_TRUE(CheckDropFrameLabel(label, true));
        EXPECT_STREQ(label.c_str(), c.repaired) << c.label;
    }
    EXPECT_FALSE(IsDropFrameLabelValid("1:00;00"));
    EXPECT_TRUE(IsDropFrameLabelValid("10:00;00"));
    EXPECT_TRUE(IsDropFrameLabelValid("59;28"));
}

struct StrictCase {
    int mode;
    const char* entry;
    const char* message;  // null: passes
};

constexpr StrictCase kStrictCases[] = {
    {0, "1234", "Invalid Frames Entry"},   {0, "6000", "Invalid Seconds Entry"},
    {0, "600000", "Invalid Minutes Entry"}, {0, "24000000", "Invalid Hours Entry"},
    {0, "23595929", nullptr},               {0, "99999999", "Invalid Frames Entry"},
    {1, "29", nullptr},                     {1, "30", "Invalid Frames Entry"},
    {1, "10000", nullptr},  // a label that does not exist is the drop-frame gate's business
    {3, "23", nullptr},                     {3, "24", "Invalid Frames Entry"},
    {4, "15", nullptr},                     {4, "16", "Invalid Frames Entry"},
    {4, "99999915", nullptr},               {5, "39", nullptr},
    {5, "40", "Invalid Frames Entry"},      {10, "FFFFFFFF", nullptr},
    {11, "99999999", nullptr},              {12, "77777777", nullptr},
};

TEST_F(DropFrameTest, StrictCheckNamesTheFirstBadField) {
    g_options.bStrictCheck = 1;
    for (const StrictCase& c : kStrictCases) {
        RecordingSink sink;
        const bool passed = StrictEntryCheck(c.entry, c.mode, true, sink);
        EXPECT_EQ(passed, c.message == nullptr) << c.entry << " in mode " << c.mode;
        if (c.message == nullptr) {
            EXPECT_TRUE(sink.messages.empty()) << c.entry;
        } else {
            ASSERT_EQ(sink.messages.size(), 1u) << c.entry;
            EXPECT_EQ(sink.messages[0], std::string(c.message) + " | Strict Number Check");
        }
    }
}

TEST_F(DropFrameTest, StrictCheckOffPassesEverythingSilently) {
    RecordingSink sink;
    for (const StrictCase& c : kStrictCases) EXPECT_TRUE(StrictEntryCheck(c.entry, c.mode, true, sink)) << c.entry;
    EXPECT_TRUE(sink.messages.empty());
    g_options.bStrictCheck = 1;
    EXPECT_FALSE(StrictEntryCheck("1234", 0, false, sink));
    EXPECT_TRUE(sink.messages.empty());
}

}  // namespace
