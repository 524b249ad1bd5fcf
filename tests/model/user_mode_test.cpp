#include <cstdio>
#include <string>
#include <vector>

#include "model/digit_string.h"
#include "model/user_mode.h"
#include "tests/support/model_fixture.h"

namespace {

class UserModeTest : public ModelTest {
protected:
    bool Define(int mode, const std::string& definition) {
        char text[128] = {};
        std::snprintf(text, sizeof text, "%s", definition.c_str());
        return ParseUserMode(modes, mode, text);
    }
};

std::vector<std::string> Split(const char* text) {
    char buffer[128] = {};
    std::snprintf(buffer, sizeof buffer, "%s", text);
    const CommaFields fields = SplitCommaFields(buffer);
    return std::vector<std::string>(fields.field, fields.field + fields.count);
}

TEST_F(UserModeTest, SplitCommaFieldsNeverMakesEmptyFields) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Split("a,b,c"), (V{"a", "b", "c"}));
    EXPECT_EQ(Split(",,a,,b,"), (V{"a", "b"}));
    EXPECT_EQ(Split("10, 20"), (V{"10", " 20"}));
    EXPECT_EQ(Split(""), V{});
    EXPECT_EQ(Split(",,,"), V{});
    EXPECT_EQ(Split("1,2,3,4,5,6,7,8,9"), (V{"1", "2", "3", "4", "5", "6", "7"}));
}

TEST_F(UserModeTest, ReadNumberFieldTakesTheLeadingDecimalNumber) {
    const struct {
        const char* field;
        double expected;
    } cases[] = {{" 23.976", 23.976}, {"0", 30}, {"abc", 30}, {"-12.5x", -12.5}, {"1e2", 100}, {"  .5", 0.5}, {"2e", 2}, {"+7", 7}};
    for (const auto& c : cases) EXPECT_EQ(ReadNumberField(c.field, 30), c.expected) << c.field;
    EXPECT_EQ(ReadIntegerField(" -42abc"), -42);
    EXPECT_EQ(ReadIntegerField("x"), 0);
    EXPECT_EQ(ReadIntegerField("4294967295"), -1);  // low 32 bits
}

struct WeightCase {
    const char* definition;
    std::int32_t weights[8];
    std::int32_t modulus;
};

constexpr WeightCase kWeightCases[] = {
    // An NTSC rate labels at its whole rate, however it is written; drop-frame keeps its own.
    {"A,A, ,29.97,1,HMSF,0", {1, 10, 30, 300, 1800, 18000, 108000, 1080000}, 2592000},
    {"A,A, ,29.97,1,HMSD,0", {1, 10, 30, 300, 1798, 17982, 107892, 1078920}, 2589408},
    {"A,A, ,23.976,1,HMSF,0", {1, 10, 24, 240, 1440, 14400, 86400, 864000}, 2073600},
    {"A,A, ,23.98,1,HMSD,0", {1, 10, 24, 240, 1440, 14400, 86400, 864000}, 2073600},
    {"A,A, ,59.94,1,HMSD,0", {1, 10, 60, 600, 3596, 35964, 215784, 2157840}, 5178816},
    {"A,A, ,29.969,1,HMSD,0", {1, 10, 30, 300, 1798, 17982, 107892, 1078920}, 2589408},
    {"A,A, ,25,1,HMSF,0", {1, 10, 25, 250, 1500, 15000, 90000, 900000}, 2160000},
    {"A,A, ,24,20,FF,0", {1, 10, 20, 200, 2000, 20000, 200000, 2000000}, 4800000},
    // A feet rate of 23.976 frames a foot is no timecode: its place values are the rate's.
    {"A,A, ,24,23.976,FF,0", {1, 10, 24, 240, 2397, 23976, 239760, 2397600}, 5754240},
    {"A,A, ,24,12.8,FF,0", {1, 10, 13, 130, 1280, 12800, 128000, 1280000}, 3072000},
    // Other fractional rates as written: 47.91 x 36000 is 1724760, ten hours, where doubles lose
    // a frame; 29.96 is a hundredth away from 29.97.
    {"A,A, ,47.91,1,HMSF,0", {1, 10, 48, 480, 2874, 28746, 172476, 1724760}, 4139424},
    {"A,A, ,29.96,1,HMSF,0", {1, 10, 30, 300, 1797, 17976, 107856, 1078560}, 2588544},
};

TEST_F(UserModeTest, WeightsFollowTheRate) {
    for (const WeightCase& c : kWeightCases) {
        modes = ModeTable{};
        ASSERT_TRUE(Define(8, c.definition)) << c.definition;
        for (int i = 0; i < 8; ++i) EXPECT_EQ(modes.placeValues[8][i], c.weights[i]) << c.definition << " w" << i;
        EXPECT_EQ(WrapModulus(modes, 8), c.modulus) << c.definition;
    }
}

struct ExampleCase {
    const char* definition;
    bool present;
    const char* shortName;
    const char* suffix;
    double fps, framesPerFoot;
    std::int32_t kind;
    FormatFlags clipFlags;
};

constexpr ExampleCase kExamples[] = {
    {"23.98,2398, 23.98,23.976,1,HMSF,0", true, "2398", " 23.98", 23.976, 1, KindHmsf, 0x1024},
    {"Half DF,HDF, HDF,29.97,1,hmsd,0", true, "HDF", " HDF", 29.97, 1, KindHmsfDrop, 0x1084},
    {"Reel,Reel, ,24,20,FF,3841", true, "Reel", "", 24, 20, KindFeetFrames, 0x0F01},
    {"Count,Cnt, Frms,0,0,UDEC,0", true, "Cnt", " Frms", 30, 1, KindDec, 0x1A01},
    {"Tape,Tape,x,30,1,FF ,0", true, "Tape", "x", 30, 1, KindHmsf, 0x1024},
    // Only spaces may stand before the clipboard format: after a tab no number is read.
    {"Tab,Tab, T,25,1,HMSF,\t17", true, "Tab", " T", 25, 1, KindHmsf, 0x1024},
    {"  Spaced,  Sp,  two,30,1,  hmsf,  17", true, "Sp", "  two", 30, 1, KindHmsf, 0x0011},
    // A name of 32 characters leaves the row absent, but the other fields are stored.
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345,Long, L,25,1,HMSF,0", false, "Long", " L", 25, 1, KindHmsf, 0x1024},
    // A short name of 9 characters keeps the default.
    {"Nine,123456789, N,25,1,HMSF,0", true, "Usr 1", " N", 25, 1, KindHmsf, 0x1024},
};

TEST_F(UserModeTest, DefinitionsSetTheRowFieldByField) {
    for (const ExampleCase& c : kExamples) {
        SCOPED_TRACE(c.definition);
        modes = ModeTable{};
        EXPECT_EQ(Define(6, c.definition), c.present);
        const ModeRecord& row = modes.rows[6];
        EXPECT_EQ(IsModePresent(modes, 6), c.present);
        EXPECT_STREQ(row.szShortName.c_str(), c.shortName);
        EXPECT_STREQ(row.szSuffix.c_str(), c.suffix);
        EXPECT_EQ(row.dFps, c.fps);
        EXPECT_EQ(row.dFramesPerFoot, c.framesPerFoot);
        EXPECT_EQ(row.iKind, c.kind);
        EXPECT_EQ(row.iClipFlags, c.clipFlags);
        if (!c.present) {
            EXPECT_EQ(modes.placeValues[6][2], 100) << "weights of an absent row stay";
        }
    }
}

TEST_F(UserModeTest, CountKindsKeepTheirPlaceValues) {
    ASSERT_TRUE(Define(9, "Count,Cnt, Frms,0,0,UDEC,0"));
    EXPECT_EQ(modes.placeValues[9][7], 10000000);
    EXPECT_EQ(WrapModulus(modes, 9), 16777216);
}

// Definitions that are incomplete, or whose rates would stall or overflow the place values,
// change nothing: the row stays as it was.
TEST_F(UserModeTest, UnusableDefinitionsAreRefusedWhole) {
    const char* refused[] = {
        "Six,Six, S,30,1,HMSF",          // six fields
        "Gap,Gap,,30,1,,HMSF,0",         // an empty field shifts the rest: six remain
        "Slow,Slow, S,0.4,1,HMSF,0",     // rounds to 0 frames a second
        "Neg,Neg, N,-25,1,HMSF,0",
        "Fast,Fast, F,100,1,HMSF,0",     // frame 99 would not fit
        "Huge,Huge, H,1e300,1,HMSD,0",
        "Inf,Inf, I,1e999,1,HMSF,0",     // overflows to infinity
        "FeetSlow,FS, F,24,0.2,FF,0",
        "FeetFast,FF, F,24,150,FF,0",
        "FeetInf,FI, F,1e999,16,FF,0",   // the conversion rate must be usable as well
        "FeetNeg,FN, F,-24,16,FF,0",
        "FeetTiny,FT, F,1e-300,16,FF,0",
        "FeetRush,FR, F,100,16,FF,0",
        "Gaps,Gaps, G,24,57.48,FF,0",    // place values that leave counts no digits can write
        "Gaps2,Gaps2, G,90.4,1,HMSF,0",
    };
    for (const char* definition : refused) {
        modes = ModeTable{};
        EXPECT_FALSE(Define(6, definition)) << definition;
        EXPECT_FALSE(IsModePresent(modes, 6)) << definition;
        EXPECT_STREQ(modes.rows[6].szShortName.c_str(), "Usr 1") << definition;
        EXPECT_EQ(modes.rows[6].dFps, 30) << definition;
        EXPECT_EQ(modes.placeValues[6][7], 10000000) << definition;
    }
    // Rates that are fine for the kind's place values are taken.
    EXPECT_TRUE(Define(6, "Edge,Edge, ,0.5,1,HMSF,0"));
    EXPECT_TRUE(Define(7, "Edge,Edge, ,99.9,1,HMSF,0"));
    EXPECT_TRUE(Define(8, "Hex,Hex, ,1e999,1e999,UHEX,0"));  // plain counts never use a rate
}

// A definition without a usable name leaves a row that an earlier one named exactly as it was:
// its other fields without new place values would read counts wrong.
TEST_F(UserModeTest, ANamelessDefinitionLeavesADefinedRowWhole) {
    ASSERT_TRUE(Define(7, "Reel,Reel, ,24,20,FF,0"));
    const ModeRecord before = modes.rows[7];
    EXPECT_FALSE(Define(7, " ,b, ,30,1,HMSF,0"));
    EXPECT_TRUE(IsModePresent(modes, 7));
    EXPECT_EQ(modes.rows[7].iKind, before.iKind);
    EXPECT_EQ(modes.rows[7].szShortName, before.szShortName);
    EXPECT_EQ(modes.placeValues[7][2], 20);
    EXPECT_EQ(TextToFrames(modes, "1-00", 7), 20);
}

TEST_F(UserModeTest, OnlyRowsSixToNineCanBeDefined) {
    EXPECT_FALSE(Define(5, "Bad,Bad, ,25,1,HMSF,0"));
    EXPECT_FALSE(Define(10, "Bad,Bad, ,25,1,HMSF,0"));
    EXPECT_STREQ(modes.rows[5].szName.c_str(), "16mm");
}

}  // namespace
