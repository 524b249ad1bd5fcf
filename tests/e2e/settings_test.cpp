// The settings file beside the program: what a start reads from it, what Save Setup Now and
// closing write into it, and what hand-edited or hostile files do.
#include "win32/resource.h"
#include "tests/e2e/driver.h"
#include "tests/support/layout.h"

#include <algorithm>
#include <string>
#include <vector>

namespace e2e {
namespace {

using layout::kClientHeight;
using layout::kClientWidth;
using layout::kTapeHeight;
constexpr int kModeHeight = layout::kModeLineHeight;
const char kNdfModeText[] = "HMSF   30.00 F/S";
const char kDefaultFormat1[] = "4132, 4228, 4132, 4132, 3841, 3841, 17";
const char kDefaultFormat2[] = "17, 17, 17, 8193, 6657, 4609, 0";

struct KeyValue {
    const char* key;
    const char* value;
};

// What Save Setup Now writes on a fresh start.
const KeyValue kFreshSave[] = {
    {"iMode", "0"},         {"bStrictCheck", "0"},   {"bUpperCase", "1"},
    {"bDispTape", "0"},     {"bDispMode", "0"},      {"bDFNDFFrameConv", "0"},
    {"iAutoDfFix", "0"},    {"bOnTop", "0"},         {"szFormat1", kDefaultFormat1},
    {"szFormat2", kDefaultFormat2},
};

// Polls the settings file until `key` of section Vexo reads `wanted`.
::testing::AssertionResult IniHas(const Vexo& v, const char* key, const std::string& wanted,
                                  int timeoutMs = kDefaultTimeoutMs)
{
    std::string got = "<absent>";
    if (Poll([&] {
            std::string value;
            if (!IniValue(ReadIni(v.IniPath()), "Vexo", key, &value))
                return false;
            got = value;
            return got == wanted;
        }, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "[Vexo] " << key << ": got \"" << got << "\", wanted \"" << wanted << "\"";
}

::testing::AssertionResult IniLacks(const Vexo& v, const char* key)
{
    std::string value;
    if (!IniValue(ReadIni(v.IniPath()), "Vexo", key, &value))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "[Vexo] " << key << " is \"" << value << "\", wanted absent";
}

// The keys of `section`, in file order.
std::vector<std::string> SectionKeys(const std::string& iniText, const std::string& section)
{
    std::vector<std::string> keys;
    size_t start = 0;
    bool inSection = false;
    while (start < iniText.size()) {
        size_t end = iniText.find('\n', start);
        if (end == std::string::npos)
            end = iniText.size();
        std::string line = iniText.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inSection = line == "[" + section + "]";
        else if (inSection && line.find('=') != std::string::npos)
            keys.push_back(line.substr(0, line.find('=')));
    }
    return keys;
}

bool Visible(const Vexo& v, int id) { return IsWindowVisible(Control(v, id)) != 0; }

// The window's top-left corner when centred on the screen.
POINT Centred(const Vexo& v)
{
    const RECT rect = WindowRect(v.main);
    return POINT{(GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2};
}

std::string Position(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top);
}

TEST(Settings, FreshStartUsesTheDefaultsAndSavesThem)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, kNdfModeText));
    EXPECT_FALSE(Visible(v, IDC_TAPE));
    EXPECT_FALSE(Visible(v, IDC_MODE_DISPLAY));
    EXPECT_TRUE(ClientSizeIs(v, kClientWidth, kClientHeight));
    const RECT rect = WindowRect(v.main);
    const POINT centred = Centred(v);
    EXPECT_EQ(rect.left, centred.x) << "centred horizontally";
    EXPECT_EQ(rect.top, centred.y) << "centred vertically";
    EXPECT_EQ(GetWindowLongA(v.main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not on top";
    bool exists = true;
    ReadIni(v.IniPath(), &exists);
    EXPECT_FALSE(exists) << "nothing is written before Save Setup Now";

    PostCommand(v, IDM_SAVE_SETUP);
    for (const KeyValue& row : kFreshSave)
        EXPECT_TRUE(IniHas(v, row.key, row.value));
    EXPECT_TRUE(IniLacks(v, "szXYPos")) << "Save Setup Now does not write the position";
    std::vector<std::string> wantedKeys;
    for (const KeyValue& row : kFreshSave)
        wantedKeys.push_back(row.key);
    std::vector<std::string> keys = SectionKeys(ReadIni(v.IniPath()), "Vexo");
    std::sort(keys.begin(), keys.end());
    std::sort(wantedKeys.begin(), wantedKeys.end());
    EXPECT_EQ(keys, wantedKeys) << "the keys Save Setup Now writes, and no others";

    DWORD exitCode = 99;
    ASSERT_TRUE(CloseVexo(v, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(IniHas(v, "szXYPos", Position(rect), 0)) << "closing writes the top-left corner";
    for (const KeyValue& row : kFreshSave)
        EXPECT_TRUE(IniHas(v, row.key, row.value, 0)) << "closing keeps what was saved";
}

// Display Tape and Display Mode grow the window and move the display and the keypad.
TEST(Settings, TapeAndModeDisplayLayout)
{
    struct LayoutRow {
        const char* label;
        int command;
        bool tape, mode;
    };
    static const LayoutRow kRows[] = {
        {"start", 0, false, false},
        {"tape on", IDM_DISPLAY_TAPE, true, false},
        {"mode on", IDM_DISPLAY_MODE, true, true},
        {"tape off", IDM_DISPLAY_TAPE, false, true},
        {"mode off", IDM_DISPLAY_MODE, false, false},
    };
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    const RECT startRect = WindowRect(v.main);
    for (const LayoutRow& row : kRows) {
        SCOPED_TRACE(row.label);
        if (row.command) {
            PostCommand(v, row.command);
            SyncPosted(v);
        }
        const int height = kClientHeight + (row.tape ? kTapeHeight : 0) + (row.mode ? kModeHeight : 0);
        EXPECT_TRUE(ClientSizeIs(v, kClientWidth, height));
        EXPECT_EQ(Visible(v, IDC_TAPE), row.tape);
        EXPECT_EQ(Visible(v, IDC_MODE_DISPLAY), row.mode);
        const int shift = row.tape ? kTapeHeight : 0;
        struct Placed {
            int id;
            int x, y;  // top-left in client coordinates
        };
        using namespace layout;
        const Placed placed[] = {
            {IDC_FRAME, kFrameLeft, kFrameTop + shift},
            {IDC_DISPLAY, kDisplayLeft, kDisplayTop + shift},
            {IDC_MEMORY, kMemoryLeft, kDisplayTop + shift},
            {IDC_KEY_CLEAR, 2, 84 + kKeypadTop + shift},
            {IDC_KEY_DIVIDE, 107, kKeypadTop + shift},
            {IDC_MODE_DISPLAY, kModeDisplayLeft, height - kModeDisplayFromBottom},
        };
        for (const Placed& control : placed) {
            RECT rect = WindowRect(Control(v, control.id));
            MapWindowPoints(nullptr, v.main, reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_EQ(rect.left, control.x) << "x of control " << control.id;
            EXPECT_EQ(rect.top, control.y) << "y of control " << control.id;
        }
        const RECT rect = WindowRect(v.main);
        EXPECT_EQ(Position(rect), Position(startRect)) << "the window does not move";
    }
    EXPECT_TRUE(CloseVexo(v));
}

TEST(Settings, OptionsChangedWithoutSavingAreLost)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    for (int command : {IDM_DISPLAY_TAPE, IDM_DISPLAY_MODE, IDM_STRICT_CHECK, IDM_AUTODF_PLUS2,
                        IDM_DFNDF_FRAMES})
        PostCommand(v, command);
    PressCtrl(v, 'E');
    EXPECT_TRUE(ClientSizeIs(v, kClientWidth, kClientHeight + kTapeHeight + kModeHeight));
    ASSERT_TRUE(CloseVexo(v));
    EXPECT_TRUE(IniLacks(v, "bDispTape"));
    EXPECT_TRUE(IniLacks(v, "iMode"));

    ASSERT_TRUE(StartVexoIn(v, v.folder));
    EXPECT_TRUE(ClientSizeIs(v, kClientWidth, kClientHeight));
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, kNdfModeText));
    // Saved, they come back.
    PostCommand(v, IDM_DISPLAY_TAPE);
    PressCtrl(v, 'E');
    PostCommand(v, IDM_SAVE_SETUP);
    EXPECT_TRUE(IniHas(v, "bDispTape", "1"));
    EXPECT_TRUE(IniHas(v, "iMode", "11"));
    ASSERT_TRUE(CloseVexo(v));

    ASSERT_TRUE(StartVexoIn(v, v.folder));
    EXPECT_TRUE(ClientSizeIs(v, kClientWidth, kClientHeight + kTapeHeight));
    EXPECT_TRUE(Visible(v, IDC_TAPE));
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, "DEC   (10)"));
    EXPECT_TRUE(CloseVexo(v));
}

TEST(Settings, ClosingWritesThePositionUnlessMinimised)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, "[Vexo]\r\nszXYPos=40,30\r\n"));
    EXPECT_EQ(Position(WindowRect(v.main)), "40,30");
    PostMessageA(v.main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(Poll([&] { return IsIconic(v.main) != 0; })) << "the window did not minimise";
    ASSERT_TRUE(CloseVexo(v));
    EXPECT_TRUE(IniHas(v, "szXYPos", "40,30", 0)) << "a minimised window keeps the stored position";

    ASSERT_TRUE(StartVexoIn(v, v.folder));
    EXPECT_EQ(Position(WindowRect(v.main)), "40,30");
    SetWindowPos(v.main, nullptr, 70, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Poll([&] { return Position(WindowRect(v.main)) == "70,60"; }));
    ASSERT_TRUE(CloseVexo(v));
    EXPECT_TRUE(IniHas(v, "szXYPos", "70,60", 0)) << "closing writes where the window was moved";
}

// Stored positions: -1 on an axis centres on it; anything but two fields centres on both.
struct PositionRow {
    const char* name;
    const char* value;  // nullptr: no szXYPos key
    int x, y;           // -1: centred on that axis
};

const std::string kLongPosition = "100," + std::string(130, ' ') + "50";

const PositionRow kPositions[] = {
    {"NoKey", nullptr, -1, -1},
    {"Given", "100,50", 100, 50},
    {"CentredHorizontally", "-1,120", -1, 120},
    {"CentredVertically", "90,-1", 90, -1},
    {"Blanks", "30 , 40", 30, 40},
    {"OneNumber", "12", -1, -1},
    {"ThreeNumbers", "1,2,3", -1, -1},
    {"RunsOfCommas", ",,,70,,80,,", 70, 80},
    {"NoDigits", "abc,def", 0, 0},
    {"Empty", "", -1, -1},
    // Only 127 characters of a value count: the 50 lies beyond them.
    {"LongerThan127", kLongPosition.c_str(), 100, 0},
    // Partly off the 800 x 600 screen, with enough of the title bar on it to grab.
    {"PartlyOffTheScreen", "700,300", 700, 300},
};

class StoredPosition : public ::testing::TestWithParam<PositionRow> {};

TEST_P(StoredPosition, PlacesTheWindow)
{
    const PositionRow& row = GetParam();
    std::string ini = "[Vexo]\r\n";
    if (row.value)
        ini += std::string("szXYPos=") + row.value + "\r\n";
    Vexo v;
    ASSERT_TRUE(StartVexo(v, ini.c_str(), std::string("StoredPosition.") + row.name));
    const RECT rect = WindowRect(v.main);
    const POINT centred = Centred(v);
    EXPECT_EQ(rect.left, row.x == -1 ? centred.x : row.x) << "szXYPos=" << (row.value ? row.value : "<none>");
    EXPECT_EQ(rect.top, row.y == -1 ? centred.y : row.y) << "szXYPos=" << (row.value ? row.value : "<none>");
    EXPECT_TRUE(CloseVexo(v));
}

INSTANTIATE_TEST_SUITE_P(Values, StoredPosition, ::testing::ValuesIn(kPositions),
                         [](const ::testing::TestParamInfo<PositionRow>& info) {
                             return std::string(info.param.name);
                         });

// A position saved on a monitor that is gone, off the 800 x 600 screen to the right or to the
// left, opens the window on the screen's work area, moved no further than needed. The settings
// file keeps the saved value until the window closes, which writes where it was.
TEST(Settings, PositionOffTheScreenOpensOnIt)
{
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    struct OffRow {
        const char* name;
        const char* saved;
        int top;
    };
    static const OffRow kRows[] = {{"Right", "5000,100", 100}, {"Left", "-5000,100", 100}};
    for (const OffRow& row : kRows) {
        SCOPED_TRACE(row.saved);
        Vexo v;
        const std::string ini = std::string("[Vexo]\r\nszXYPos=") + row.saved + "\r\n";
        ASSERT_TRUE(StartVexo(v, ini.c_str(), std::string("PositionOffTheScreen.") + row.name));
        const RECT rect = WindowRect(v.main);
        RECT onScreen{};
        IntersectRect(&onScreen, &rect, &work);
        EXPECT_TRUE(EqualRect(&onScreen, &rect)) << "window at " << Position(rect);
        EXPECT_EQ(rect.top, row.top) << "the saved height is in reach and stays";
        EXPECT_TRUE(IniHas(v, "szXYPos", row.saved, 0)) << "nothing is written at start-up";
        ASSERT_TRUE(CloseVexo(v));
        EXPECT_TRUE(IniHas(v, "szXYPos", Position(rect), 0));
    }
}

// User modes are defined by hand in "Vexo Special" and selected with Ctrl+F5 to Ctrl+F8.
TEST(Settings, UserModesFromTheFile)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v,
                          "[Vexo Special]\r\n"
                          "szCfr2=Half DF,HDF, HDF,29.97,1,hmsd,0\r\n"
                          "szCfr4=23.98,2398, 23.98,23.976,1,HMSF,0\r\n"));
    TypeText(v, "10000");
    PressCtrl(v, VK_F5);  // row 6 is not defined
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "1:00:00"));
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, kNdfModeText));
    PressCtrl(v, VK_F6);
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "59;28")) << "1800 frames at 30 are 1798 at 29.97";
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, "HMSF   29.97 F/S"));
    PressCtrl(v, VK_F8);
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, "HMSF   23.98 F/S"));
    PressCtrl(v, VK_F6);
    PostCommand(v, IDM_SAVE_SETUP);
    EXPECT_TRUE(IniHas(v, "iMode", "7"));
    ASSERT_TRUE(CloseVexo(v));

    // The saved user mode is the mode of the next start.
    ASSERT_TRUE(StartVexoIn(v, v.folder));
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, "HMSF   29.97 F/S"));
    EXPECT_TRUE(CloseVexo(v));
}

TEST(Settings, SavedModeOfAnAbsentUserRowStartsInNdf)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, "[Vexo]\r\niMode=7\r\n[Vexo Special]\r\nszCfr1=Only One,One, 1,25,1,hmsf,0\r\n"));
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, kNdfModeText));
    TypeText(v, "10000");
    PressCtrl(v, 'P');
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, "HMSF   25.00 F/S")) << "it really was 30 NDF";
    PressCtrl(v, 'N');
    PostCommand(v, IDM_SAVE_SETUP);
    EXPECT_TRUE(IniHas(v, "iMode", "0"));
    EXPECT_TRUE(CloseVexo(v));
}

// Definitions the calculator cannot work with leave their mode absent; the other rows stand.
struct RefusedRow {
    const char* name;
    const char* definition;
};

const RefusedRow kRefused[] = {
    {"RateBelowOneHalf", "Slow,Slow, S,0.2,1,hmsf,0"},
    {"Rate150", "Fast,Fast, F,150,1,hmsf,0"},
    {"RateOverflowsToInfinity", "Inf,Inf, I,1e999,1,hmsf,0"},
    {"RateNegative", "Back,Back, B,-25,1,hmsf,0"},
    {"FeetRateBelowOneHalf", "Tiny,Tiny, T,24,0.2,ff,0"},
    {"FeetRate150", "Huge,Huge, H,24,150,ff,0"},
    {"FeetRateInf", "FInf,FInf, I,24,1e999,ff,0"},
};

class RefusedUserMode : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedUserMode, LeavesTheModeAbsent)
{
    const RefusedRow& row = GetParam();
    const std::string ini = std::string("[Vexo Special]\r\nszCfr1=") + row.definition +
                            "\r\nszCfr2=Half DF,HDF, HDF,29.97,1,hmsd,0\r\n";
    Vexo v;
    ASSERT_TRUE(StartVexo(v, ini.c_str(), std::string("RefusedUserMode.") + row.name));
    TypeText(v, "10000");
    PressCtrl(v, VK_F5);
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, kNdfModeText)) << row.definition;
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "1:00:00")) << row.definition;
    TypeText(v, "+");
    EXPECT_TRUE(TapeEndsWith(v, {"  1:00:00 "})) << "the calculator still works";
    PressCtrl(v, VK_F6);
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "59;28")) << "the next user row is defined";
    EXPECT_TRUE(CloseVexo(v));
}

// "inf" and "nan" are no decimal numbers: such a rate reads as 0, which means the default.
struct NumberTextRow {
    const char* name;
    const char* definition;
    const char* modeText;
};

const NumberTextRow kNumberTexts[] = {
    {"RateInf", "Inf,Inf, I,inf,1,hmsf,0", "HMSF   30.00 F/S"},
    {"RateNan", "NaN,NaN, N,nan,1,hmsf,0", "HMSF   30.00 F/S"},
    {"RateMinusInf", "MInf,MInf, I,-inf,1,hmsf,0", "HMSF   30.00 F/S"},
    {"FeetNan", "FNaN,FNaN, F,24,nan,ff,0", "FF   1.00 F/F"},
};

class UserModeRateText : public ::testing::TestWithParam<NumberTextRow> {};

TEST_P(UserModeRateText, ReadsAsTheDefault)
{
    const NumberTextRow& row = GetParam();
    const std::string ini = std::string("[Vexo Special]\r\nszCfr1=") + row.definition + "\r\n";
    Vexo v;
    ASSERT_TRUE(StartVexo(v, ini.c_str(), std::string("UserModeRateText.") + row.name));
    PressCtrl(v, 'P');  // from 25 F/S, so that the switch shows
    TypeText(v, "10000");
    PressCtrl(v, VK_F5);
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, row.modeText)) << row.definition;
    EXPECT_TRUE(CloseVexo(v));
}

INSTANTIATE_TEST_SUITE_P(Definitions, UserModeRateText, ::testing::ValuesIn(kNumberTexts),
                         [](const ::testing::TestParamInfo<NumberTextRow>& info) {
                             return std::string(info.param.name);
                         });

INSTANTIATE_TEST_SUITE_P(Definitions, RefusedUserMode, ::testing::ValuesIn(kRefused),
                         [](const ::testing::TestParamInfo<RefusedRow>& info) {
                             return std::string(info.param.name);
                         });

// Hand-edited files: what is unusable gives the default, the rest is read, and a save keeps
// every other line of the file.
struct HandEditedRow {
    const char* name;
    std::string ini;
    bool tape;
    const char* modeText;
    std::vector<KeyValue> saved;  // written by Save Setup Now
};

const std::string kLongFormat1 = "4132, 4228, 4132, 4132, 3841, 3841," + std::string(120, ' ') + "99";
const std::string kLongGarbage(2000, '7');

const HandEditedRow kHandEdited[] = {
    {"MissingKeys", "[Vexo]\r\nbDispTape=1\r\n", true, kNdfModeText,
     {{"iMode", "0"}, {"bDispTape", "1"}, {"bDispMode", "0"}, {"bUpperCase", "1"},
      {"szFormat1", kDefaultFormat1}, {"szFormat2", kDefaultFormat2}}},
    {"FormatWithSixNumbers", "[Vexo]\r\nszFormat1=1, 2, 3, 4, 5, 6\r\niMode=12\r\n", false, "OCT   (8)",
     {{"szFormat1", kDefaultFormat1}, {"szFormat2", kDefaultFormat2}, {"iMode", "12"}}},
    {"FormatWithEightNumbers", "[Vexo]\r\nszFormat1=1, 2, 3, 4, 5, 6, 7, 8\r\n", false, kNdfModeText,
     {{"szFormat1", "1, 2, 3, 4, 5, 6, 7"}, {"szFormat2", kDefaultFormat2}}},
    {"FormatGarbage", "[Vexo]\r\nszFormat1=junk\r\nszFormat2=1,,2,,3,4,5,6,7\r\n", false, kNdfModeText,
     {{"szFormat1", kDefaultFormat1}, {"szFormat2", "1, 2, 3, 4, 5, 6, 0"}}},
    // Only 127 characters count: the seventh field is the blanks before the cut.
    {"FormatLongerThan127", "[Vexo]\r\nszFormat1=" + kLongFormat1 + "\r\n", false, kNdfModeText,
     {{"szFormat1", "4132, 4228, 4132, 4132, 3841, 3841, 0"}}},
    {"ModeOutOfRange", "[Vexo]\r\niMode=13\r\nbDispMode=1\r\n", false, kNdfModeText,
     {{"iMode", "0"}, {"bDispMode", "1"}}},
    {"NegativeMode", "[Vexo]\r\niMode=-3\r\n", false, kNdfModeText, {{"iMode", "0"}}},
    {"LongValuesEverywhere",
     "[Vexo]\r\niMode=" + kLongGarbage + "\r\nszXYPos=" + kLongGarbage + "\r\nszFormat1=" +
         kLongGarbage + "\r\nszFormat2=" + kLongGarbage + "\r\n[Vexo Special]\r\nszCfr1=" + kLongGarbage + "\r\nszCfr2=" + std::string(200, ',') +
         "\r\nszCfr3=" + std::string(40, 'N') + ",S, S,25,1,hmsf,0" + std::string(300, ' ') + "x\r\n",
     false, kNdfModeText,
     // szCfr3's name is too long, so the mode stays absent, but its other fields are stored:
     // row 8 gets the default clipboard format of its kind, 4132.
     {{"iMode", "0"}, {"szFormat1", kDefaultFormat1}, {"szFormat2", "17, 4132, 17, 8193, 6657, 4609, 0"}}},
    // A user mode whose seventh field lies beyond the 127 characters has six fields: ignored.
    {"UserModeCutAt127",
     "[Vexo]\r\niMode=6\r\n[Vexo Special]\r\nszCfr1=Long,L, L,25,1," + std::string(120, ' ') + ",hmsf,0\r\n",
     false, kNdfModeText, {{"iMode", "0"}}},
};

class HandEditedFile : public ::testing::TestWithParam<HandEditedRow> {};

TEST_P(HandEditedFile, StartsWithTheUsableValues)
{
    const HandEditedRow& row = GetParam();
    Vexo v;
    ASSERT_TRUE(StartVexo(v, row.ini.c_str(), std::string("HandEditedFile.") + row.name));
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, row.modeText));
    EXPECT_EQ(Visible(v, IDC_TAPE), row.tape);
    EXPECT_TRUE(ClientSizeIs(v, kClientWidth, kClientHeight + (row.tape ? kTapeHeight : 0) +
                                                   (Visible(v, IDC_MODE_DISPLAY) ? kModeHeight : 0)));
    TypeText(v, "\x1b" "7+");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "7")) << "the calculator works";
    PostCommand(v, IDM_SAVE_SETUP);
    for (const KeyValue& saved : row.saved)
        EXPECT_TRUE(IniHas(v, saved.key, saved.value));
    EXPECT_TRUE(CloseVexo(v));
}

INSTANTIATE_TEST_SUITE_P(Files, HandEditedFile, ::testing::ValuesIn(kHandEdited),
                         [](const ::testing::TestParamInfo<HandEditedRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(Settings, SavingKeepsEveryOtherLine)
{
    static const char kIni[] =
        "; Lumo II settings, edited by hand\r\n"
        "[Vexo]\r\n"
        "; the position is written at close\r\n"
        "iMode=11\r\n"
        "unknownKey=keep me\r\n"
        "bDispTape=0\r\n"
        "[Elsewhere]\r\n"
        "something=else\r\n"
        "[Vexo Special]\r\n"
        "; no user modes yet\r\n"
        "szCfrX=not a user mode key\r\n";
    static const char* const kKeptLines[] = {
        "; Lumo II settings, edited by hand", "; the position is written at close",
        "unknownKey=keep me",                  "[Elsewhere]",
        "something=else",                      "[Vexo Special]",
        "; no user modes yet",                 "szCfrX=not a user mode key",
    };
    Vexo v;
    ASSERT_TRUE(StartVexo(v, kIni));
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, "DEC   (10)"));
    PostCommand(v, IDM_DISPLAY_MODE);
    PostCommand(v, IDM_SAVE_SETUP);
    EXPECT_TRUE(IniHas(v, "bDispMode", "1"));
    ASSERT_TRUE(CloseVexo(v));
    const std::string text = ReadIni(v.IniPath());
    for (const char* line : kKeptLines)
        EXPECT_NE(text.find(line), std::string::npos) << "lost the line \"" << line << "\"; file:\n" << text;
    EXPECT_TRUE(IniHas(v, "iMode", "11", 0));
    std::string other;
    EXPECT_TRUE(IniValue(text, "Elsewhere", "something", &other) && other == "else") << text;
}

// A folder the program may not write to: it starts, and Save Setup Now and the close fail
// silently. The runner makes the folders unwritable from the Linux side.
TEST(Settings, ReadOnlyFolder)
{
    if (Cfg().readOnlyFolder.empty())
        GTEST_SKIP() << "LUMO_E2E_READONLY not set: the runner script prepares the read-only folders";
    struct ReadOnlyRow {
        const char* folder;
        bool hasIni;
    };
    static const ReadOnlyRow kRows[] = {{"with-ini", true}, {"no-ini", false}};
    for (const ReadOnlyRow& row : kRows) {
        SCOPED_TRACE(row.folder);
        const std::string folder = Cfg().readOnlyFolder + "\\" + row.folder;
        bool existed = false;
        const std::string before = ReadIni(folder + "\\vexo.INI", &existed);
        ASSERT_EQ(existed, row.hasIni);
        Vexo v;
        ASSERT_TRUE(StartVexoIn(v, folder));
        if (row.hasIni) {
            EXPECT_EQ(Position(WindowRect(v.main)), "50,60") << "the file was read";
        }
        PostCommand(v, IDM_DISPLAY_TAPE);
        PostCommand(v, IDM_SAVE_SETUP);
        TypeText(v, "12");
        EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "12"));
        EXPECT_TRUE(NoMessageBox(v)) << "a failed save is silent";
        DWORD exitCode = 99;
        ASSERT_TRUE(CloseVexo(v, &exitCode));
        EXPECT_EQ(exitCode, 0u);
        bool exists = false;
        EXPECT_EQ(ReadIni(folder + "\\vexo.INI", &exists), before) << "the file is unchanged";
        EXPECT_EQ(exists, row.hasIni);
    }
}

// The names of the INI files in the Windows folder, where the profile functions put a settings
// file whose path has no folder (".INI" for an empty program path).
std::vector<std::string> WindowsFolderIniFiles()
{
    std::vector<std::string> names;
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(windows) + "\\*.ini").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// A vexo.exe that Wine starts from the Unix side opens on the suite's desktop (and not on the
// display's own), where the driver can find its window, while this lives.
class DesktopOfUnixStarts {
public:
    DesktopOfUnixStarts()
    {
        char desktop[64] = "";
        GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop,
                                  nullptr);
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        ok_ = RegSetValueExA(key, "Desktop", 0, REG_SZ, reinterpret_cast<const BYTE*>(desktop),
                             static_cast<DWORD>(lstrlenA(desktop) + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~DesktopOfUnixStarts()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kAppKey);
    }
    DesktopOfUnixStarts(const DesktopOfUnixStarts&) = delete;
    DesktopOfUnixStarts& operator=(const DesktopOfUnixStarts&) = delete;
    bool ok() const { return ok_; }

private:
    static constexpr const char* kAppKey = "Software\\Wine\\AppDefaults\\vexo.exe";
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\vexo.exe\\Explorer";
    bool ok_ = false;
};

// Started from a folder whose path is longer than MAX_PATH, the program is handed its own path
// cut short. A settings file named after that would be some other file, so the program reads
// none and writes none: it starts with the defaults, although a settings file lies beside it,
// and Save Setup Now and closing leave every file as it was, in its folders and in the Windows
// folder. Wine starts such a program only from the Unix side.
TEST(Settings, NoSettingsFileWhenThePathIsLongerThanMaxPath)
{
    const std::string folder = MakeTestFolder();
    const std::string deep =
        UnixPath(folder) + "/" + std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(60, 'c');
    ASSERT_GT(WinPath(deep).size() + std::string("\\vexo.exe").size(), static_cast<size_t>(MAX_PATH));
    const std::string listing = UnixPath(folder) + "/files.txt";
    const std::string list = "(cd '" + UnixPath(folder) + "' && find . -type f ! -name files.txt ! -name unix-done "
                             "-exec md5sum {} + | sort) > '" + listing + "'";
    ASSERT_TRUE(RunUnix(folder, "mkdir -p '" + deep + "' && cp '" + UnixPath(folder) + "/vexo.exe' '" + deep +
                                    "/' && printf '[Vexo]\\r\\nbDispTape=1\\r\\n' > '" + deep + "/vexo.INI' && " + list));
    const std::string before = ReadIni(folder + "\\files.txt");
    const std::vector<std::string> windowsIniFiles = WindowsFolderIniFiles();
    ASSERT_NE(before.find("vexo.INI"), std::string::npos) << before;

    DesktopOfUnixStarts sameDesktop;
    ASSERT_TRUE(sameDesktop.ok());
    ASSERT_TRUE(RunUnix(folder, "cd '" + deep + "' && (wine ./vexo.exe > /dev/null 2>&1 &)"));
    Vexo v;
    v.folder = folder;
    ASSERT_TRUE(Poll([&] {
        v.main = FindWindowA("vexo", nullptr);
        return v.main != nullptr && IsWindowVisible(v.main) && Control(v, IDC_MODE_DISPLAY) != nullptr;
    }, 15000)) << "the program did not start";
    DWORD processId = 0;
    v.process.dwThreadId = GetWindowThreadProcessId(v.main, &processId);
    v.process.dwProcessId = processId;
    v.process.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    ASSERT_NE(v.process.hProcess, nullptr);

    EXPECT_FALSE(Visible(v, IDC_TAPE)) << "the settings file beside the program was read";
    EXPECT_TRUE(ClientSizeIs(v, kClientWidth, kClientHeight));
    PostCommand(v, IDM_DISPLAY_MODE);
    PostCommand(v, IDM_SAVE_SETUP);
    SyncPosted(v);
    EXPECT_TRUE(Visible(v, IDC_MODE_DISPLAY)) << "the program works";
    ASSERT_TRUE(CloseVexo(v));

    ASSERT_TRUE(RunUnix(folder, list));
    EXPECT_EQ(ReadIni(folder + "\\files.txt"), before) << "files were written";
    EXPECT_EQ(WindowsFolderIniFiles(), windowsIniFiles) << "a settings file in the Windows folder";
}

}  // namespace
}  // namespace e2e
