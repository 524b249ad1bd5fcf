// A label passes the strict check exactly when the calculator can show it, and a shown label
// reads back to its count, in every mode: built-in, and user modes at the rates people use and
// at odd ones.

#include <cstdio>
#include <string>
#include <vector>

#include "model/digit_string.h"
#include "model/entry_check.h"
#include "model/user_mode.h"
#include "tests/support/model_fixture.h"

namespace {

using EntryCheckTest = ModelTest;


struct FieldCase {
    const char* definition;  // of user mode 6, or null for a built-in mode
    int mode;
    const char* entry;
    EntryField field;
};

const FieldCase kFieldCases[] = {
    {nullptr, 0, "1234", EntryField::Frames},      {nullptr, 0, "6000", EntryField::Seconds},
    {nullptr, 0, "600000", EntryField::Minutes},   {nullptr, 0, "24000000", EntryField::Hours},
    {nullptr, 0, "23595929", EntryField::None},    {nullptr, 0, "99999999", EntryField::Frames},
    {nullptr, 1, "29", EntryField::None},          {nullptr, 1, "30", EntryField::Frames},
    {nullptr, 1, "10000", EntryField::Frames},     {nullptr, 1, "6000", EntryField::Seconds},
    {nullptr, 1, "100000", EntryField::None},      {nullptr, 3, "24", EntryField::Frames},
    {nullptr, 4, "15", EntryField::None},          {nullptr, 4, "16", EntryField::Frames},
    {nullptr, 4, "99999915", EntryField::None},    {nullptr, 5, "40", EntryField::Frames},
    {nullptr, 10, "FFFFFFFF", EntryField::None},   {nullptr, 12, "77777777", EntryField::None},
    // 12.8 frames a foot counts 13 frames to the foot: the calculator shows count 25 as 1-12.
    {"R128,R128, x,24,12.8,FF,0", ModeUser1, "112", EntryField::None},
    // At 29.4 a second has 29 frames, 0 to 28.
    {"U294,U, x,29.4,1,HMSF,0", ModeUser1, "29", EntryField::Frames},
    // 23.976 labels 24 frames a second, 00 to 23, in every second.
    {"23.98,2398, 23.98,23.976,1,HMSF,0", ModeUser1, "5923", EntryField::None},
    {"23.98,2398, 23.98,23.976,1,HMSF,0", ModeUser1, "5924", EntryField::Frames},
    // 47.91 counts 2874 frames a minute: its last second ends at frame 41, but the tenth minute's
    // last second runs on to frame 47.
    {"4791,4791, ,47.91,1,HMSF,0", ModeUser1, "5941", EntryField::None},
    {"4791,4791, ,47.91,1,HMSF,0", ModeUser1, "5942", EntryField::Frames},
    {"4791,4791, ,47.91,1,HMSF,0", ModeUser1, "95947", EntryField::None},
    {"23.98,2398, 23.98,23.976,1,HMSF,0", ModeUser1, "24000000", EntryField::Hours},
    {"5994,5994, ,59.94,1,HMSD,0", ModeUser1, "10003", EntryField::Frames},
    {"5994,5994, ,59.94,1,HMSD,0", ModeUser1, "10004", EntryField::None},
};

TEST_F(EntryCheckTest, NamesTheFieldAtFault) {
    for (const FieldCase& c : kFieldCases) {
        modes = ModeTable{};
        if (c.definition != nullptr) {
            ASSERT_TRUE(ParseUserMode(modes, ModeUser1, c.definition)) << c.definition;
        }
        EXPECT_EQ(FirstBadEntryField(modes, c.entry, c.mode), c.field) << c.entry << " in mode " << c.mode;
    }
}

// Where each field of a label stands in a flat index of the label space: time labels by hours,
// minutes, seconds and frames, feet labels by feet and frames (feet below kFeetShown only).
constexpr std::int32_t kFeetShown = 3000;

std::int64_t LabelIndex(const DigitString& d, bool feet) {
    auto field = [&](int at, int width) {
        int value = 0;
        for (int i = at; i < at + width; ++i) value = value * 10 + (d[i] - '0');
        return value;
    };
    if (feet) return field(0, 6) * 100LL + field(6, 2);
    return ((field(0, 2) * 100LL + field(2, 2)) * 100 + field(4, 2)) * 100 + field(6, 2);
}

std::string LabelAt(std::int64_t index, bool feet) {
    char text[24];
    const long long value = index;
    if (feet) std::snprintf(text, sizeof text, "%06lld%02lld", value / 100, value % 100);
    else std::snprintf(text, sizeof text, "%08lld", value);
    return text;
}

bool IsAllDecimal(const DigitString& d) {
    for (std::size_t i = 0; i < d.size(); ++i)
        if (d[i] < '0' || d[i] > '9') return false;
    return d.size() == 8;
}

// Every count of the day (or, for feet, of the first kFeetShown feet) is shown with digits 0-9,
// within 23 hours for the time kinds, passes the check and reads back to itself; and of the labels
// whose hours (or feet) those counts reach, exactly the shown ones pass.
void ExpectShownLabelsAreThePassingOnes(const ModeTable& modes, int mode, std::int32_t countStep) {
    const bool feet = ModeKindOf(modes, mode) == KindFeetFrames;
    const std::int32_t counts = feet ? kFeetShown * modes.placeValues[mode][2] : WrapModulus(modes, mode);
    std::vector<bool> shown(feet ? kFeetShown * 100 : 24 * 1000000, false);
    int failures = 0;
    for (std::int32_t count = 0; count < counts && failures < 5; count += countStep) {
        const DigitString d = FramesToDigitString(modes, count, mode);
        const bool fine = IsAllDecimal(d) && (feet || d[0] < '2' || d[1] <= '3') &&
                          FirstBadEntryField(modes, d.c_str(), mode) == EntryField::None &&
                          TextToFrames(modes, d.c_str(), mode) == count;
        if (!fine) {
            ADD_FAILURE() << "mode " << mode << " count " << count << " shown as " << d.c_str();
            ++failures;
            continue;
        }
        const std::int64_t index = LabelIndex(d, feet);
        if (index < static_cast<std::int64_t>(shown.size())) shown[index] = true;
    }
    if (countStep != 1) return;
    // The labels of the day's first ten minutes and its last ten, every frame field from 00 to
    // 99 (for feet: the first feet shown), where the minute, ten-minute and day edges lie.
    const std::int64_t firsts[] = {0, feet ? 0 : 23500000};
    const std::int64_t span = feet ? (kFeetShown - 1) * 100LL : 110000;
    for (std::int64_t first : firsts) {
        for (std::int64_t index = first; index < first + span && failures < 5; ++index) {
            if (!feet && (index / 100 % 100 > 59 || index / 10000 % 100 > 59)) continue;
            const std::string label = LabelAt(index, feet);
            const bool passes = FirstBadEntryField(modes, label.c_str(), mode) == EntryField::None;
            if (passes != shown[index]) {
                ADD_FAILURE() << "mode " << mode << " label " << label << (passes ? " passes but is never shown"
                                                                                  : " is shown but refused");
                ++failures;
            }
        }
    }
}

const char* const kUserModes[] = {
    "23.98,2398, 23.98,23.976,1,HMSF,0", "25 DF,25D, D,25,1,HMSD,0",       "Half DF,HDF, HDF,29.97,1,HMSD,0",
    "59.94,5994, ,59.94,1,HMSF,0",       "59.94 DF,5994D, D,59.94,1,HMSD,0", "Reel 12.8,R128, R,24,12.8,FF,0",
    "Reel 20,R20, R,24,20,FF,0",         "U294,U, x,29.4,1,HMSF,0",          "4791,4791, ,47.91,1,HMSF,0",
};

TEST_F(EntryCheckTest, ExactlyTheShownLabelsPassInEveryMode) {
    for (int mode = 0; mode <= 5; ++mode) ExpectShownLabelsAreThePassingOnes(modes, mode, 1);
    for (const char* definition : kUserModes) {
        SCOPED_TRACE(definition);
        modes = ModeTable{};
        ASSERT_TRUE(ParseUserMode(modes, ModeUser1, definition));
        ExpectShownLabelsAreThePassingOnes(modes, ModeUser1, 1);
    }
}

// Whatever rate a definition is accepted with, its shown labels pass and read back; rates whose
// place values leave gaps are refused.
TEST_F(EntryCheckTest, AnyAcceptedRateShowsLabelsThatPass) {
    int accepted = 0, refused = 0;
    for (const char* kind : {"HMSF", "HMSD", "FF"}) {
        for (double rate = 0.5; rate < 100; rate += 0.37) {
            modes = ModeTable{};
            char text[128];
            std::snprintf(text, sizeof text, "Any,Any, ,%.3f,%.3f,%s,0", rate, rate, kind);
            if (!ParseUserMode(modes, ModeUser1, text)) {
                ++refused;
                continue;
            }
            ++accepted;
            SCOPED_TRACE(text);
            ExpectShownLabelsAreThePassingOnes(modes, ModeUser1, 997);
        }
    }
    EXPECT_GT(accepted, 4 * refused) << accepted << " accepted, " << refused << " refused";
}

}  // namespace
