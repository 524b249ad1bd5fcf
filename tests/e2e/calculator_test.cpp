// The calculator typed for real: keystrokes in, display, memory indicator, mode display and
// tape out, one row per step.
#include "win32/resource.h"
#include "tests/e2e/driver.h"

#include <string>
#include <vector>

namespace e2e {
namespace {

struct Step {
    const char* label;
    const char* keys;     // typed characters, nullptr for none
    WORD ctrlKey;         // then Control with this key, 0 for none
    int command;          // then this menu command posted, 0 for none
    const char* display;  // wanted display, nullptr when not checked
    std::vector<std::string> tapeTail;  // wanted last tape lines, oldest first
    const char* memory = nullptr;       // wanted memory indicator
    const char* modeDisplay = nullptr;  // wanted mode display text
};

struct Scenario {
    const char* name;
    const char* ini;  // settings file, nullptr for none
    std::vector<Step> steps;
};

const char kBlank[] = "    ";

const Scenario kScenarios[] = {
    {"RoadOfOneCalculation", nullptr,
     {
         {"1", "1", 0, 0, "1", {}},
         {"0000", "0000", 0, 0, "1:00:00", {}},
         {"+", "+", 0, 0, "1:00:00", {"  1:00:00 "}},
         {"Ctrl+D", nullptr, 'D', 0, "59;28", {"  1:00:00 "}},
         {"Display Mode", nullptr, 0, IDM_DISPLAY_MODE, "59;28", {}, " ", "HMSF   29.97 F/S"},
     }},
    {"TapeOfASum", nullptr,
     {
         {"Esc", "\x1b", 0, 0, "0", {kBlank}},
         {"10000+", "10000+", 0, 0, "1:00:00", {kBlank, "  1:00:00 "}},
         {"20000=", "20000=", 0, 0, "3:00:00", {kBlank, "  1:00:00 ", "+ 2:00:00 ", "= 3:00:00 "}},
     }},
    {"EqualsWithoutEntryKeepsPendingOperator", nullptr,
     {
         {"5+", "5+", 0, 0, "5", {"  5 "}},
         {"=", "=", 0, 0, "5", {"  5 ", "= 5 "}},
         {"=", "=", 0, 0, "5", {"  5 ", "= 5 ", "= 5 "}},
         {"3=", "3=", 0, 0, "8", {"= 5 ", "+ 3 ", "= 8 "}},
     }},
    {"SubtractionWrapsThroughZero", nullptr,
     {
         {"Esc - 1 =", "\x1b-1=", 0, 0, "23:59:59:29", {kBlank, "- 1 ", "= 23:59:59:29 "}},
     }},
    {"EnterIsEqualsAndEscapeIsClear", nullptr,
     {
         {"2+3 Enter", "2+3\r", 0, 0, "5", {"  2 ", "+ 3 ", "= 5 "}},
         {"Esc", "\x1b", 0, 0, "0", {"= 5 ", kBlank}},
     }},
    {"EntryKeepsTheLastEightDigits", nullptr,
     {
         {"123456789", "123456789", 0, 0, "23:45:67:89", {}},
         {"Backspace", "\b", 0, 0, "2:34:56:78", {}},
         {"Esc then 000", "\x1b" "000", 0, 0, "0", {}},
         {"005", "05", 0, 0, "5", {}},
         {"Backspace twice", "\b\b", 0, 0, "0", {}},
     }},
    {"DecimalLeftToRightWithoutPrecedence", nullptr,
     {
         {"Ctrl+E", nullptr, 'E', IDM_DISPLAY_MODE, "0", {}, " ", "DEC   (10)"},
         {"1+2*", "1+2*", 0, 0, "3", {"  1 ", "+ 2 "}},
         {"3=", "3=", 0, 0, "9", {"  1 ", "+ 2 ", "* 3 ", "= 9 "}},
         {"7/2=", "7/2=", 0, 0, "3", {"  7 ", "/ 2 ", "= 3 "}},
         {"1234", "1234", 0, 0, "1,234", {}},
         {"a is not a decimal digit", "a", 0, 0, "1,234", {}},
     }},
    {"HexOctalDecimalConvertTheEntry", nullptr,
     {
         {"Ctrl+H", nullptr, 'H', IDM_DISPLAY_MODE, "0", {}, " ", "HEX   (16)"},
         {"1fff", "1fff", 0, 0, "1FFF", {}},
         {"c is a digit here", "c", 0, 0, "1FFFC", {}},
         {"Ctrl+O", nullptr, 'O', 0, "377774", {}, " ", "OCT   (8)"},
         {"8 and 9 are refused", "89", 0, 0, "377774", {}},
         {"Ctrl+E", nullptr, 'E', 0, "131,068", {}, " ", "DEC   (10)"},
         {"+ writes the converted entry", "+", 0, 0, "131,068", {"  131,068 "}},
     }},
    {"ModeSwitchKeepsTheTimeOfTheEntry", nullptr,
     {
         {"10000", "10000", 0, IDM_DISPLAY_MODE, "1:00:00", {}, " ", "HMSF   30.00 F/S"},
         {"Ctrl+P", nullptr, 'P', 0, "1:00:00", {}, " ", "HMSF   25.00 F/S"},
         {"Ctrl+F", nullptr, 'F', 0, "1:00:00", {}, " ", "HMSF   24.00 F/S"},
         {"Ctrl+F5 with no user mode", nullptr, VK_F5, 0, "1:00:00", {}, " ", "HMSF   24.00 F/S"},
         {"Ctrl+N", nullptr, 'N', 0, "1:00:00", {}, " ", "HMSF   30.00 F/S"},
         {"+", "+", 0, 0, "1:00:00", {"  1:00:00 "}},
         {"Ctrl+F3", nullptr, VK_F3, 0, nullptr, {}, " ", "FF   16.00 F/F"},
     }},
    {"Memory", nullptr,
     {
         {"10000 p", "10000p", 0, 0, "1:00:00", {"M+ 1:00:00 ", "M= 1:00:00 "}, "*"},
         {"m", "m", 0, 0, "1:00:00", {"M- 1:00:00 ", "M= 0 "}, " "},
         {"+ uses the entry still", "+", 0, 0, "1:00:00", {"M= 0 ", "  1:00:00 "}, " "},
         {"Esc 1 M", "\x1b" "1M", 0, 0, "1", {kBlank, "M- 1 ", "M= 23:59:59:29 "}, "*"},
         {"R recalls", "\x1bR", 0, 0, "23:59:59:29", {}, "*"},
         {"Clear Memory", nullptr, 0, IDM_CLEAR_MEMORY, "23:59:59:29", {"M= 0 "}, " "},
         {"r with empty memory", "r", 0, 0, "0", {"M= 0 "}, " "},
         {"+ takes the displayed 0, writes nothing", "+", 0, 0, "0", {"M= 0 "}, " "},
     }},
};

class Calculation : public ::testing::TestWithParam<Scenario> {};

TEST_P(Calculation, StepsShowTheirResults)
{
    const Scenario& scenario = GetParam();
    Vexo v;
    ASSERT_TRUE(StartVexo(v, scenario.ini, std::string("Calculation.") + scenario.name));
    for (const Step& step : scenario.steps) {
        SCOPED_TRACE(std::string(scenario.name) + ", step \"" + step.label + "\"");
        if (step.keys)
            TypeText(v, step.keys);
        if (step.ctrlKey)
            PressCtrl(v, step.ctrlKey);
        if (step.command) {
            PostCommand(v, step.command);
            SyncPosted(v);
        }
        if (step.display) {
            EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, step.display));
        }
        if (!step.tapeTail.empty()) {
            EXPECT_TRUE(TapeEndsWith(v, step.tapeTail));
        }
        if (step.memory) {
            EXPECT_TRUE(ControlTextIs(v, IDC_MEMORY, step.memory));
        }
        if (step.modeDisplay) {
            EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, step.modeDisplay));
        }
    }
    EXPECT_TRUE(NoMessageBox(v, 0));
    EXPECT_TRUE(CloseVexo(v));
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Calculation, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) {
                             return std::string(info.param.name);
                         });

// Each tape line carries the row it was written in; the blank lines of a cleared tape row 0.
TEST(Tape, LinesCarryTheirModeRow)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    const std::vector<LRESULT> blanks = ReadTapeData(v);
    for (size_t i = 0; i < blanks.size(); ++i)
        EXPECT_EQ(blanks[i], 0) << "blank line " << i;
    PostCommand(v, IDM_DISPLAY_TAPE);
    PressCtrl(v, 'H');
    TypeText(v, "ff+");
    PressCtrl(v, 'E');
    TypeText(v, "1=");
    ASSERT_TRUE(TapeEndsWith(v, {"  FF ", "+ 1 ", "= 256 "}));
    const std::vector<LRESULT> rows = ReadTapeData(v);
    ASSERT_GE(rows.size(), 3u);
    const LRESULT wanted[] = {IDM_MODE_HEX - IDM_MODE_NDF, IDM_MODE_DEC - IDM_MODE_NDF,
                              IDM_MODE_DEC - IDM_MODE_NDF};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(rows[rows.size() - 3 + i], wanted[i]) << "row of tape line " << i << " of the last 3";

    PostCommand(v, IDM_CLEAR_TAPE);
    SyncPosted(v);
    const std::vector<std::string> cleared = ReadTapeLines(v);
    EXPECT_FALSE(cleared.empty()) << "a shown tape is refilled with blank lines";
    for (const std::string& line : cleared)
        EXPECT_EQ(line, " ");
    EXPECT_TRUE(CloseVexo(v));
}

TEST(Tape, KeepsAtMostOneHundredFiftyLines)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    PressCtrl(v, 'E');
    // Each M+ writes two lines: 76 of them are 152 lines, more than the tape keeps.
    TypeText(v, "1" + std::string(76, 'p'));
    ASSERT_TRUE(TapeEndsWith(v, {"M+ 1 ", "M= 76 "}, 15000));
    const std::vector<std::string> lines = ReadTapeLines(v);
    EXPECT_EQ(lines.size(), 150u);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "M+ 1 ") << "the oldest lines are dropped first";
    EXPECT_EQ(lines[1], "M= 2 ") << "the oldest lines are dropped first";
    EXPECT_TRUE(CloseVexo(v));
}

// Keys typed while a keypad button or the tape has the focus still reach the calculator.
TEST(Keyboard, TypingReachesTheCalculatorWhereverTheFocusIs)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    TypeText(v, "1");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "1"));
    EXPECT_EQ(FocusWindow(v), Control(v, IDC_KEY_1)) << "a typed key flashes its button and focuses it";
    TypeText(v, "2");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "12"));

    // Space on the focused button is not a click: the display stays as it is.
    const HWND focusedButton = FocusWindow(v);
    PressKey(v, VK_SPACE);
    Sleep(200);
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "12", 0)) << "focus was on " << focusedButton;

    PostCommand(v, IDM_DISPLAY_TAPE);
    SyncPosted(v);
    TypeText(v, "+");
    HWND tape = Control(v, IDC_TAPE);
    const SIZE tapeSize = ClientSize(tape);
    Click(v, tape, POINT{tapeSize.cx / 2, tapeSize.cy - 4});
    EXPECT_EQ(FocusWindow(v), tape) << "a click gives the tape the focus";
    DWORD_PTR selected = 0;
    SendMessageTimeoutA(tape, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selected);
    TypeText(v, "34");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "34"));
    PressKey(v, VK_UP);
    DWORD_PTR selectedAfter = 0;
    SendMessageTimeoutA(tape, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selectedAfter);
    EXPECT_EQ(selectedAfter, selected) << "the arrow keys do not move the tape's selection";
    TypeText(v, "\r");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "1:16")) << "12 + 34 frames at 30 F/S";
    EXPECT_TRUE(TapeEndsWith(v, {"  12 ", "+ 34 ", "= 1:16 "}));
    EXPECT_TRUE(CloseVexo(v));
}

TEST(Keyboard, ModeDisplayNeverTakesTheFocus)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    PostCommand(v, IDM_DISPLAY_MODE);
    SyncPosted(v);
    HWND modeDisplay = Control(v, IDC_MODE_DISPLAY);
    ASSERT_TRUE(Poll([&] { return IsWindowVisible(modeDisplay) != 0; }));
    const SIZE size = ClientSize(modeDisplay);
    const POINT middle{size.cx / 2, size.cy / 2};

    // The mode display swallows WM_SETFOCUS, so the edit control never makes its caret; the
    // window system may still count it as the focus window.
    Click(v, modeDisplay, middle);
    EXPECT_NE(CaretWindow(v), modeDisplay) << "no caret in the mode display";
    Click(v, modeDisplay, middle, true);
    HWND popup = FindWindowA("#32768", nullptr);
    const bool menuOpen = popup && IsWindowVisible(popup);
    EXPECT_FALSE(menuOpen) << "a right click opens no context menu";
    if (menuOpen) {
        Screenshot(v, "mode-display-right-click");
        PressKey(v, VK_ESCAPE);
    }
    TypeText(v, "\x1b" "5");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "5"));
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, "HMSF   30.00 F/S"));
    EXPECT_TRUE(CloseVexo(v));
}

// Clicks on the keypad buttons act like their keys, without any flash being needed.
TEST(Keyboard, KeypadClicks)
{
    struct ButtonClick {
        int button;
        const char* display;
    };
    static const ButtonClick kClicks[] = {
        {IDC_KEY_7, "7"},    {IDC_KEY_0, "70"},    {IDC_KEY_BACK, "7"}, {IDC_KEY_TIMES, "7"},
        {IDC_KEY_3, "3"},    {IDC_KEY_EQUALS, "21"}, {IDC_KEY_MPLUS, "21"}, {IDC_KEY_CLEAR, "0"},
        {IDC_KEY_MR, "21"},  {IDC_KEY_DIVIDE, "21"}, {IDC_KEY_0, "0"},   {IDC_KEY_PLUS, "0"},
    };
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    PressCtrl(v, 'E');
    for (const ButtonClick& click : kClicks) {
        SCOPED_TRACE("button " + std::to_string(click.button));
        HWND button = Control(v, click.button);
        const SIZE size = ClientSize(button);
        if (click.button == IDC_KEY_PLUS) {
            // 21 / 0 after "0" pressed "+": division by zero.
            Click(v, button, POINT{size.cx / 2, size.cy / 2});
            HWND box = WaitForMessageBox(v);
            ASSERT_NE(box, nullptr) << "no message box for 21 / 0";
            EXPECT_EQ(MessageBoxText(box), "Dividing By Zero");
            EXPECT_TRUE(AnswerMessageBox(box));
            continue;
        }
        Click(v, button, POINT{size.cx / 2, size.cy / 2});
        EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, click.display));
    }
    EXPECT_TRUE(ControlTextIs(v, IDC_MEMORY, "*"));
    EXPECT_TRUE(CloseVexo(v));
}

// Input errors at the key level beep (an X bell under Wine); ignored characters do not.
TEST(Beeps, RefusedKeysBeepIgnoredKeysDoNot)
{
    struct BeepRow {
        const char* label;
        WORD modeKey;         // Control with this key first
        const char* prepare;  // typed before counting
        const char* keys;     // typed while counting
        int bells;
        const char* display;
    };
    static const BeepRow kRows[] = {
        {"Backspace with no entry", 'N', "\x1b", "\b", 1, "0"},
        {"Backspace past the entry", 'N', "\x1b" "5", "\b\b", 1, "0"},
        {"8 in Octal", 'O', "\x1b" "17", "8", 1, "17"},
        {"9 in Octal", 'O', "\x1b" "17", "9", 1, "17"},
        {"8 and 9 in Octal", 'O', "\x1b", "89", 2, "0"},
        {"a in Decimal is ignored", 'E', "\x1b" "12", "a", 0, "12"},
        {"digits do not beep", 'E', "\x1b", "89", 0, "89"},
        {"blank is ignored", 'N', "\x1b" "3", " ", 0, "3"},
    };
    ASSERT_GE(BellCount(), 0) << "no bell watcher log (LUMO_E2E_BELLS)";
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    for (const BeepRow& row : kRows) {
        SCOPED_TRACE(row.label);
        PressCtrl(v, row.modeKey);
        TypeText(v, row.prepare);
        const int before = BellsAfter(0, 0, 300);
        TypeText(v, row.keys);
        const int after = BellsAfter(before + row.bells);
        EXPECT_EQ(after - before, row.bells) << "bells rung";
        EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, row.display));
    }
    EXPECT_TRUE(CloseVexo(v));
}

// The messages of the operators: text, caption and the state left after OK.
TEST(Messages, DivisionByZero)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    PressCtrl(v, 'E');
    TypeText(v, "12/0");
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE("= pressed " + std::to_string(attempt) + " time(s)");
        TypeText(v, "=");
        HWND box = WaitForMessageBox(v);
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(MessageBoxText(box), "Dividing By Zero");
        const std::string caption = WindowCaption(box);
        EXPECT_EQ(caption, "Error") << "no caption given: the system's default shows";
        EXPECT_TRUE(AnswerMessageBox(box));
        EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "0"));
    }
    EXPECT_TRUE(TapeEndsWith(v, {"  12 ", "/ 0 ", "/ 0 "}));
    TypeText(v, "\b3=");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "4"));
    EXPECT_TRUE(TapeEndsWith(v, {"/ 0 ", "/ 3 ", "= 4 "}));
    EXPECT_TRUE(NoMessageBox(v));
    EXPECT_TRUE(CloseVexo(v));
}

TEST(Messages, StrictCheckRefusesInvalidEntries)
{
    struct StrictRow {
        const char* label;
        WORD modeKey;
        const char* entry;
        const char* shown;  // the entry as displayed, kept after the refusal
        const char* text;
    };
    static const StrictRow kRows[] = {
        {"frames 34 at 30 F/S", 'N', "1234", "12:34", "Invalid Frames Entry"},
        {"label 00:01:00;00 in drop frame", 'D', "10000", "1:00;00", "Invalid Frames Entry"},
        {"frames 25 at 25 F/S", 'P', "125", "1:25", "Invalid Frames Entry"},
        {"seconds 60", 'N', "6000", "60:00", "Invalid Seconds Entry"},
        {"minutes 60", 'N', "600000", "60:00:00", "Invalid Minutes Entry"},
        {"hours 24", 'N', "24000000", "24:00:00:00", "Invalid Hours Entry"},
        {"several bad fields name the frames", 'N', "99999999", "99:99:99:99", "Invalid Frames Entry"},
    };
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    PostCommand(v, IDM_STRICT_CHECK);
    SyncPosted(v);
    for (const StrictRow& row : kRows) {
        SCOPED_TRACE(row.label);
        PressCtrl(v, row.modeKey);
        TypeText(v, "\x1b");
        TypeText(v, row.entry);
        const std::vector<std::string> tapeBefore = ReadTapeLines(v);
        TypeText(v, "+");
        HWND box = WaitForMessageBox(v);
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(MessageBoxText(box), row.text);
        EXPECT_EQ(WindowCaption(box), "Strict Number Check");
        EXPECT_TRUE(AnswerMessageBox(box));
        EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, row.shown)) << "the entry stays for correction";
        EXPECT_EQ(ReadTapeLines(v), tapeBefore) << "a refused entry writes no tape line";
    }
    // Corrected, the entry goes through.
    PressCtrl(v, 'N');
    TypeText(v, "\x1b" "1229+");
    EXPECT_TRUE(TapeEndsWith(v, {"  12:29 "}));
    EXPECT_TRUE(NoMessageBox(v));

    // Strict check off again: the same entry passes.
    PostCommand(v, IDM_STRICT_CHECK);
    SyncPosted(v);
    TypeText(v, "1234+");
    EXPECT_TRUE(NoMessageBox(v));
    EXPECT_TRUE(TapeEndsWith(v, {"  12:29 ", "+ 12:34 "}));
    EXPECT_TRUE(CloseVexo(v));
}

}  // namespace
}  // namespace e2e
