// The main window run inside this process: what another process cannot read under Wine (menu
// texts, check marks, greying) and the layout, the mode display, the tape view and the About box.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/tape.h"
#include "model/mode_table.h"
#include "settings/options.h"
#include "shell/about.h"
#include "shell/controls.h"
#include "shell/menus.h"
#include "win32/resource.h"
#include "shell/shell.h"
#include "shell/view.h"
#include "shell/application.h"
#include "tests/support/layout.h"

namespace {

class ShellWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InitApplication(GetModuleHandleA(nullptr), nullptr));
    }

    void TearDown() override { CloseWindow(); }

    // Creates the main window with the options and mode table as the test left them.
    HWND Start(int savedMode = 0) {
        CloseWindow();
        HWND window = CreateMainWindow(*app, GetModuleHandleA(nullptr), SW_SHOWNORMAL, savedMode);
        EXPECT_NE(window, nullptr);
        return window;
    }

    // Destroys the window without WM_CLOSE (which would write a settings file) and drops the
    // WM_QUIT that its WM_DESTROY posts.
    static void CloseWindow() {
        if (g_mainWindow == nullptr || !IsWindow(g_mainWindow)) return;
        DestroyWindow(g_mainWindow);
        g_mainWindow = nullptr;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // The application the window belongs to; a test changes its modes and options before Start.
    std::unique_ptr<Application> app = std::make_unique<Application>();

    static HMENU SetupMenu() { return GetSubMenu(GetMenu(g_mainWindow), kSetupMenuPosition); }

    static void OpenMenu() {
        SendMessageA(g_mainWindow, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(g_mainWindow)), 0);
    }

    static void Command(int id) { SendMessageA(g_mainWindow, WM_COMMAND, id, 0); }

    static void Click(int buttonId) {
        SendMessageA(g_mainWindow, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(g_mainWindow, buttonId)));
    }
};

std::string ItemText(HMENU menu, int position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string WindowText(HWND window) {
    char text[128] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

constexpr int kSeparator = 0;
constexpr int kPopup = -1;

struct MenuItem {
    const char* text;  // empty for a separator
    int id;            // kSeparator, kPopup or the command
};

void ExpectMenu(HMENU menu, const std::vector<MenuItem>& expected, const char* label) {
    ASSERT_NE(menu, nullptr) << label;
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size())) << label;
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        const MenuItem& item = expected[i];
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        if (item.id == kSeparator) {
            EXPECT_TRUE(state & MF_SEPARATOR) << label << " position " << i << " should be a separator";
            continue;
        }
        EXPECT_EQ(ItemText(menu, i), item.text) << label << " position " << i;
        if (item.id == kPopup) {
            EXPECT_NE(GetSubMenu(menu, i), nullptr) << label << " position " << i << " should open a submenu";
        } else {
            EXPECT_EQ(static_cast<int>(GetMenuItemID(menu, i)), item.id) << label << " position " << i;
        }
    }
}

const std::vector<MenuItem> kFixedModeItems = {
    {"&NDF [30]\tCtrl+N", IDM_MODE_NDF}, {"&DF [29.97]\tCtrl+D", IDM_MODE_DF},
    {"&PAL [25]\tCtrl+P", IDM_MODE_PAL}, {"&Film [24]\tCtrl+F", IDM_MODE_FILM},
    {"&35mm\tCtrl+F3", IDM_MODE_35MM},   {"&16mm\tCtrl+F1", IDM_MODE_16MM},
    {"", kSeparator},
};

const std::vector<MenuItem> kSetupTail = {
    {"&Hexadecimal\tCtrl+H", IDM_MODE_HEX}, {"D&ecimal\tCtrl+E", IDM_MODE_DEC},
    {"&Octal\tCtrl+O", IDM_MODE_OCT},       {"", kSeparator},
    {"&Roman Numerals...", IDM_ROMAN},      {"", kSeparator},
    {"Preferen&ces", kPopup},               {"&Save Setup Now", IDM_SAVE_SETUP},
};

TEST_F(ShellWindowTest, MenuBarTextsAndIds) {
    Start();
    HMENU bar = GetMenu(g_mainWindow);
    ExpectMenu(bar, {{"&Edit", kPopup}, {"&Setup", kPopup}, {"&Help", kPopup}}, "menu bar");
    ExpectMenu(GetSubMenu(bar, 0),
               {{"&Copy\tCtrl+C", IDM_COPY}, {"&Paste\tCtrl+V", IDM_PASTE}, {"", kSeparator},
                {"Clear &Tape", IDM_CLEAR_TAPE}, {"Clear &Memory", IDM_CLEAR_MEMORY}, {"", kSeparator},
                {"E&xit", IDM_EXIT}},
               "Edit");
    ExpectMenu(GetSubMenu(bar, 2),
               {{"&Contents\tF1", IDM_HELP_CONTENTS}, {"&Search for Help On...", IDM_HELP_SEARCH},
                {"&How to Use Help", IDM_HELP_ON_HELP}, {"", kSeparator}, {"&About Lumo II...", IDM_ABOUT}},
               "Help");
    HMENU preferences = GetSubMenu(SetupMenu(), PreferencesMenuPosition(app->modes));
    ExpectMenu(preferences,
               {{"&Clipboard Formats...", IDM_CLIPBOARD_FORMATS}, {"", kSeparator},
                {"&Strict Entry Check", IDM_STRICT_CHECK}, {"&Auto DF Correct", kPopup},
                {"NDF<>DF As &Frames", IDM_DFNDF_FRAMES}, {"", kSeparator},
                {"Display &Tape", IDM_DISPLAY_TAPE}, {"Display &Mode", IDM_DISPLAY_MODE}},
               "Preferences");
    ExpectMenu(GetSubMenu(preferences, kAutoDfCorrectPosition),
               {{"&Off", IDM_AUTODF_OFF}, {"&Minus 2 Frames", IDM_AUTODF_MINUS2},
                {"&Plus 2 Frames", IDM_AUTODF_PLUS2}},
               "Auto DF Correct");

    HMENU system = GetSystemMenu(g_mainWindow, FALSE);
    const int last = GetMenuItemCount(system) - 1;
    EXPECT_EQ(ItemText(system, last), "Always on &Top");
    EXPECT_EQ(GetMenuItemID(system, last), static_cast<UINT>(IDM_ALWAYS_ON_TOP));
    EXPECT_TRUE(GetMenuState(system, last - 1, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST_F(ShellWindowTest, SetupMenuShowsTheDefinedUserModes) {
    struct Case {
        const char* label;
        std::vector<const char*> names;  // rows 6-9; empty: absent
        std::vector<MenuItem> userItems;  // between the two separators
        int preferencesPosition;
    };
    const std::vector<Case> cases = {
        {"no user mode", {"", "", "", ""}, {}, 13},
        {"only user mode 2", {"", "Reel 2", "", ""}, {{"Reel 2\tCtrl+F6", IDM_MODE_USER2}}, 15},
        {"user modes 1 and 4", {"Slow", "", "", "Fast"},
         {{"Slow\tCtrl+F5", IDM_MODE_USER1}, {"Fast\tCtrl+F8", IDM_MODE_USER4}}, 16},
        {"all four", {"A", "B", "C", "D"},
         {{"A\tCtrl+F5", IDM_MODE_USER1}, {"B\tCtrl+F6", IDM_MODE_USER2},
          {"C\tCtrl+F7", IDM_MODE_USER3}, {"D\tCtrl+F8", IDM_MODE_USER4}},
         18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        app->modes = ModeTable{};
        for (int i = 0; i < kUserModeCount; ++i) app->modes.rows[kFirstUserMode + i].szName.assign(c.names[i]);
        Start();

        std::vector<MenuItem> expected = kFixedModeItems;
        if (!c.userItems.empty()) {
            expected.insert(expected.end(), c.userItems.begin(), c.userItems.end());
            expected.push_back({"", kSeparator});
        }
        expected.insert(expected.end(), kSetupTail.begin(), kSetupTail.end());
        ExpectMenu(SetupMenu(), expected, c.label);
        EXPECT_EQ(PreferencesMenuPosition(app->modes), c.preferencesPosition);
        EXPECT_EQ(ItemText(SetupMenu(), c.preferencesPosition), "Preferen&ces");
    }
}

TEST_F(ShellWindowTest, MenuInitialisationSetsChecksAndGreying) {
    struct Case {
        const char* label;
        Options options;
        int mode;
        bool userMode2;
        std::vector<int> checked;
        std::vector<int> unchecked;
        bool clearTapeEnabled;
        bool autoDfEnabled;
    };
    Options strict;
    strict.bStrictCheck = 1;
    strict.iAutoDfFix = 2;
    Options tape;
    tape.bDispTape = 1;
    tape.bDispMode = 1;
    tape.bDFNDFFrameConv = 1;
    tape.iAutoDfFix = 1;
    tape.bOnTop = 1;
    const std::vector<Case> cases = {
        {"defaults", Options{}, 0, false, {IDM_MODE_NDF, IDM_AUTODF_OFF},
         {IDM_MODE_DF, IDM_MODE_HEX, IDM_STRICT_CHECK, IDM_AUTODF_MINUS2, IDM_AUTODF_PLUS2,
          IDM_DFNDF_FRAMES, IDM_DISPLAY_TAPE, IDM_DISPLAY_MODE},
         false, true},
        {"strict check on greys Auto DF Correct, its check stays", strict, 10, false,
         {IDM_MODE_HEX, IDM_STRICT_CHECK, IDM_AUTODF_PLUS2}, {IDM_MODE_NDF, IDM_AUTODF_OFF}, false, false},
        {"strict check on with user mode 2: submenu found at its moved position", strict, 7, true,
         {IDM_MODE_USER2, IDM_STRICT_CHECK, IDM_AUTODF_PLUS2}, {IDM_MODE_NDF}, false, false},
        {"tape and mode shown", tape, 12, false,
         {IDM_MODE_OCT, IDM_AUTODF_MINUS2, IDM_DFNDF_FRAMES, IDM_DISPLAY_TAPE, IDM_DISPLAY_MODE},
         {IDM_MODE_NDF, IDM_STRICT_CHECK, IDM_AUTODF_OFF}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        app->modes = ModeTable{};
        if (c.userMode2) app->modes.rows[7].szName.assign("Reel 2");
        app->options = c.options;
        Start(c.mode);
        OpenMenu();
        HMENU bar = GetMenu(g_mainWindow);
        for (int id : c.checked) EXPECT_TRUE(GetMenuState(bar, id, MF_BYCOMMAND) & MF_CHECKED) << "id " << id;
        for (int id : c.unchecked) EXPECT_FALSE(GetMenuState(bar, id, MF_BYCOMMAND) & MF_CHECKED) << "id " << id;
        EXPECT_EQ((GetMenuState(bar, IDM_CLEAR_TAPE, MF_BYCOMMAND) & MF_GRAYED) == 0, c.clearTapeEnabled);
        HMENU preferences = GetSubMenu(SetupMenu(), PreferencesMenuPosition(app->modes));
        ASSERT_NE(preferences, nullptr);
        EXPECT_EQ((GetMenuState(preferences, kAutoDfCorrectPosition, MF_BYPOSITION) & MF_GRAYED) == 0,
                  c.autoDfEnabled);
        const UINT onTop = GetMenuState(GetSystemMenu(g_mainWindow, FALSE), IDM_ALWAYS_ON_TOP, MF_BYCOMMAND);
        EXPECT_EQ((onTop & MF_CHECKED) != 0, c.options.bOnTop != 0);
    }
}

TEST_F(ShellWindowTest, AbsentSavedModeStartsInModeZero) {
    Start(8);  // user mode 3, not defined
    EXPECT_EQ(app->calculator.State().iMode, 0);
    OpenMenu();
    EXPECT_TRUE(GetMenuState(GetMenu(g_mainWindow), IDM_MODE_NDF, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(WindowText(g_modeDisplay), "HMSF   30.00 F/S");
}

TEST_F(ShellWindowTest, OptionCommandsToggleAndShowAtNextMenuOpening) {
    struct Step {
        int command;
        int checkedId;  // expected checked after the command, 0 for none
        int uncheckedId;
    };
    const Step steps[] = {
        {IDM_STRICT_CHECK, IDM_STRICT_CHECK, 0},
        {IDM_STRICT_CHECK, 0, IDM_STRICT_CHECK},
        {IDM_AUTODF_MINUS2, IDM_AUTODF_MINUS2, IDM_AUTODF_OFF},
        {IDM_AUTODF_PLUS2, IDM_AUTODF_PLUS2, IDM_AUTODF_MINUS2},
        {IDM_AUTODF_OFF, IDM_AUTODF_OFF, IDM_AUTODF_PLUS2},
        {IDM_DFNDF_FRAMES, IDM_DFNDF_FRAMES, 0},
        {IDM_DISPLAY_TAPE, IDM_DISPLAY_TAPE, 0},
        {IDM_DISPLAY_MODE, IDM_DISPLAY_MODE, 0},
        {IDM_DISPLAY_TAPE, 0, IDM_DISPLAY_TAPE},
        {IDM_MODE_DF, IDM_MODE_DF, IDM_MODE_NDF},
        {IDM_MODE_USER1, IDM_MODE_DF, 0},  // an absent user mode changes nothing
    };
    Start();
    HMENU bar = GetMenu(g_mainWindow);
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "command " << step.command);
        Command(step.command);
        OpenMenu();
        if (step.checkedId != 0) {
            EXPECT_TRUE(GetMenuState(bar, step.checkedId, MF_BYCOMMAND) & MF_CHECKED);
        }
        if (step.uncheckedId != 0) {
            EXPECT_FALSE(GetMenuState(bar, step.uncheckedId, MF_BYCOMMAND) & MF_CHECKED);
        }
    }
    EXPECT_EQ(app->options.bStrictCheck, 0);
    EXPECT_EQ(app->options.iAutoDfFix, 0);
    EXPECT_EQ(app->options.bDFNDFFrameConv, 1);
    EXPECT_EQ(app->options.bDispTape, 0);
    EXPECT_EQ(app->options.bDispMode, 1);
}

TEST_F(ShellWindowTest, ModeDisplayNamesKindAndRate) {
    struct Case {
        int command;
        const char* text;
    };
    const Case cases[] = {
        {IDM_MODE_NDF, "HMSF   30.00 F/S"}, {IDM_MODE_DF, "HMSF   29.97 F/S"},
        {IDM_MODE_PAL, "HMSF   25.00 F/S"}, {IDM_MODE_FILM, "HMSF   24.00 F/S"},
        {IDM_MODE_35MM, "FF   16.00 F/F"},  {IDM_MODE_16MM, "FF   40.00 F/F"},
        {IDM_MODE_HEX, "HEX   (16)"},       {IDM_MODE_DEC, "DEC   (10)"},
        {IDM_MODE_OCT, "OCT   (8)"},
    };
    Start();
    EXPECT_EQ(WindowText(g_modeDisplay), "HMSF   30.00 F/S") << "written at start-up";
    for (const Case& c : cases) {
        Command(c.command);
        EXPECT_EQ(WindowText(g_modeDisplay), c.text) << "command " << c.command;
    }

    // A user mode's rate is rounded to hundredths.
    app->modes.rows[6].szName.assign("Film 23.976");
    app->modes.rows[6].dFps = 23.976;
    app->modes.rows[6].iKind = KindHmsf;
    EXPECT_EQ(ModeDisplayText(app->modes, 6), "HMSF   23.98 F/S");
}

TEST_F(ShellWindowTest, LayoutFollowsTapeAndModeDisplay) {
    struct Case {
        int tape;
        int mode;
        int clientHeight;
    };
    using namespace layout;
    const Case cases[] = {{0, 0, kClientHeight},
                          {1, 0, kClientHeight + kTapeHeight},
                          {0, 1, kClientHeight + kModeLineHeight},
                          {1, 1, kClientHeight + kTapeHeight + kModeLineHeight}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tape " << c.tape << ", mode display " << c.mode);
        app->options.bDispTape = c.tape;
        app->options.bDispMode = c.mode;
        Start();
        RECT client{};
        GetClientRect(g_mainWindow, &client);
        EXPECT_EQ(client.right, kClientWidth);
        EXPECT_EQ(client.bottom, c.clientHeight);
        EXPECT_EQ(IsWindowVisible(g_tapeView) != FALSE, c.tape == 1);
        EXPECT_EQ(IsWindowVisible(g_modeDisplay) != FALSE, c.mode == 1);

        const int shift = c.tape == 1 ? kTapeHeight : 0;
        auto position = [](int id) {
            RECT r{};
            HWND control = GetDlgItem(g_mainWindow, id);
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, g_mainWindow, reinterpret_cast<POINT*>(&r), 2);
            return r;
        };
        for (const KeypadButton& key : KeypadTable) {
            const RECT r = position(key.id);
            EXPECT_EQ(r.left, key.x) << "key " << key.id;
            EXPECT_EQ(r.top, key.y + kKeypadTop + shift) << "key " << key.id;
            EXPECT_EQ(r.right - r.left, kKeyWidth);
            EXPECT_EQ(r.bottom - r.top, kKeyHeight);
        }
        EXPECT_EQ(position(IDC_FRAME).left, kFrameLeft);
        EXPECT_EQ(position(IDC_FRAME).top, kFrameTop + shift);
        EXPECT_EQ(position(IDC_DISPLAY).left, kDisplayLeft);
        EXPECT_EQ(position(IDC_DISPLAY).top, kDisplayTop + shift);
        EXPECT_EQ(position(IDC_MEMORY).left, kMemoryLeft);
        EXPECT_EQ(position(IDC_MEMORY).top, kDisplayTop + shift);
        EXPECT_EQ(position(IDC_MODE_DISPLAY).left, kModeDisplayLeft);
        EXPECT_EQ(position(IDC_MODE_DISPLAY).top, c.clientHeight - kModeDisplayFromBottom);
        EXPECT_EQ(position(IDC_TAPE).top, kTapeTop) << "the tape never moves";
    }
}

TEST_F(ShellWindowTest, SwitchingTheTapeOnAndOffRestoresTheGeometry) {
    Start();
    RECT before{};
    GetWindowRect(g_mainWindow, &before);
    RECT keyBefore{};
    GetWindowRect(GetDlgItem(g_mainWindow, IDC_KEY_CLEAR), &keyBefore);

    Command(IDM_DISPLAY_TAPE);
    RECT grown{};
    GetWindowRect(g_mainWindow, &grown);
    RECT keyMoved{};
    GetWindowRect(GetDlgItem(g_mainWindow, IDC_KEY_CLEAR), &keyMoved);
    EXPECT_EQ(grown.bottom - grown.top, before.bottom - before.top + layout::kTapeHeight);
    EXPECT_EQ(grown.left, before.left);
    EXPECT_EQ(grown.top, before.top);
    EXPECT_EQ(keyMoved.top, keyBefore.top + layout::kTapeHeight);
    EXPECT_TRUE(IsWindowVisible(g_tapeView));

    Command(IDM_DISPLAY_TAPE);
    RECT after{};
    GetWindowRect(g_mainWindow, &after);
    RECT keyAfter{};
    GetWindowRect(GetDlgItem(g_mainWindow, IDC_KEY_CLEAR), &keyAfter);
    EXPECT_TRUE(EqualRect(&after, &before));
    EXPECT_TRUE(EqualRect(&keyAfter, &keyBefore));
    EXPECT_FALSE(IsWindowVisible(g_tapeView));
}

RECT ControlRect(int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(g_mainWindow, id), &rect);
    MapWindowPoints(nullptr, g_mainWindow, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The font a control draws with: its height, or 0 for none of its own (the system font).
LONG FontHeight(int id) {
    const auto font = reinterpret_cast<HFONT>(SendDlgItemMessageA(g_mainWindow, id, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    if (font == nullptr || GetObjectA(font, sizeof description, &description) == 0) return 0;
    return description.lfHeight;
}

// Sent in the process: Wine has one monitor on Xvfb and never sends WM_DPICHANGED itself (and
// still draws the frame at 96 DPI, so the size that the message suggests cannot fit exactly).
TEST_F(ShellWindowTest, MovingToAMonitorOfAnotherDpiLaysTheWindowOutAgain) {
    using namespace layout;
    app->options.bDispTape = 1;
    app->options.bDispMode = 1;
    Start();
    constexpr int kFirstId = IDC_DISPLAY;
    constexpr int kLastId = IDC_MODE_DISPLAY;
    std::vector<RECT> at96;
    for (int id = kFirstId; id <= kLastId; ++id) at96.push_back(ControlRect(id));
    const LRESULT line96 = SendMessageA(g_tapeView, LB_GETITEMHEIGHT, 0, 0);
    LOGFONTA systemFont{};
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof systemFont, &systemFont);
    const KeypadButton& topLeftKey = KeypadTable[IDC_KEY_MR - IDC_FIRST_KEY];

    struct Step {
        UINT dpi;
        POINT topLeft;  // of the suggested rectangle
    };
    const Step steps[] = {{144, {30, 20}}, {192, {0, 0}}, {120, {5, 6}}, {96, {40, 50}}};
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.dpi << " DPI");
        auto at = [&step](int length) { return MulDiv(length, static_cast<int>(step.dpi), 96); };
        const int clientHeight = at(kClientHeight) + at(kTapeHeight) + at(kModeLineHeight);
        RECT suggested{0, 0, at(kClientWidth), clientHeight};
        AdjustWindowRectExForDpi(&suggested, static_cast<DWORD>(GetWindowLongPtrA(g_mainWindow, GWL_STYLE)), TRUE, 0,
                                 step.dpi);
        OffsetRect(&suggested, step.topLeft.x - suggested.left, step.topLeft.y - suggested.top);
        SendMessageA(g_mainWindow, WM_DPICHANGED, MAKEWPARAM(step.dpi, step.dpi), reinterpret_cast<LPARAM>(&suggested));

        RECT window{};
        GetWindowRect(g_mainWindow, &window);
        EXPECT_EQ(window.left, step.topLeft.x);
        EXPECT_EQ(window.top, step.topLeft.y);
        RECT client{};
        GetClientRect(g_mainWindow, &client);
        EXPECT_EQ(client.right, at(kClientWidth));
        EXPECT_EQ(client.bottom, clientHeight);
        const RECT key = ControlRect(IDC_KEY_MR);
        EXPECT_EQ(key.left, at(topLeftKey.x));
        EXPECT_EQ(key.top, at(topLeftKey.y + kKeypadTop) + at(kTapeHeight));
        EXPECT_EQ(key.right - key.left, at(kKeyWidth));
        EXPECT_EQ(key.bottom - key.top, at(kKeyHeight));
        EXPECT_EQ(SendMessageA(g_tapeView, LB_GETITEMHEIGHT, 0, 0), at(static_cast<int>(line96)));
        // At every DPI, 96 too, the controls draw with a font of the system font's 96-DPI height
        // multiplied by DPI/96.
        for (int id : {IDC_DISPLAY, IDC_MEMORY, IDC_KEY_0, IDC_TAPE, IDC_MODE_DISPLAY}) {
            EXPECT_EQ(FontHeight(id), at(systemFont.lfHeight)) << "control " << id;
        }
    }
    for (int id = kFirstId; id <= kLastId; ++id) {
        const RECT& before = at96[id - kFirstId];
        const RECT after = ControlRect(id);
        EXPECT_TRUE(EqualRect(&before, &after)) << "control " << id << " is back in its 96-DPI place";
    }
}

struct ShownLine {
    std::string text;
    LRESULT mode;
    friend bool operator==(const ShownLine&, const ShownLine&) = default;
};

// The tape view's lines as a list box gives them: each line's text and its mode.
std::vector<ShownLine> TapeViewLines() {
    std::vector<ShownLine> lines;
    const int count = static_cast<int>(SendMessageA(g_tapeView, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128] = "";
        SendMessageA(g_tapeView, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        lines.push_back({text, SendMessageA(g_tapeView, LB_GETITEMDATA, i, 0)});
    }
    return lines;
}

std::vector<ShownLine> Repeated(const ShownLine& line, int count) { return std::vector<ShownLine>(count, line); }

TEST_F(ShellWindowTest, TapeViewFollowsTheEngineTape) {
    app->options.bDispTape = 1;
    Start();
    const int visible = app->view.TapeVisibleLines();
    ASSERT_GT(visible, 0);
    const ShownLine blank{" ", 0};
    EXPECT_EQ(TapeViewLines(), Repeated(blank, visible)) << "start-up fills the view with blank lines";

    Command(IDM_MODE_HEX);
    for (int key : {IDC_KEY_1, IDC_KEY_PLUS, IDC_KEY_2, IDC_KEY_EQUALS}) Click(key);
    std::vector<ShownLine> expected = Repeated(blank, visible);
    expected.insert(expected.end(), {{"  1 ", 10}, {"+ 2 ", 10}, {"= 3 ", 10}});
    EXPECT_EQ(TapeViewLines(), expected) << "after 1 + 2 =";
    EXPECT_EQ(WindowText(g_display), "3");

    // The engine keeps 150 lines; the view drops its first item with the engine's oldest line.
    // Hidden meanwhile: repainting after each of the 160 lines costs seconds under Xvfb.
    ShowWindow(g_mainWindow, SW_HIDE);
    for (int i = 0; i < 160; ++i) Click(IDC_KEY_CLEAR);
    ShowWindow(g_mainWindow, SW_SHOWNORMAL);
    EXPECT_EQ(TapeViewLines(), Repeated(ShownLine{"    ", 10}, kMaxTapeLines)) << "after 160 clears";
    EXPECT_EQ(SendMessageA(g_tapeView, LB_GETTOPINDEX, 0, 0), kMaxTapeLines - visible);

    Command(IDM_CLEAR_TAPE);
    EXPECT_EQ(TapeViewLines(), Repeated(blank, visible)) << "after Clear Tape";
}

TEST_F(ShellWindowTest, TypedCharactersReachTheEngineAndFlashTheirButton) {
    Start();
    SendMessageA(g_mainWindow, WM_CHAR, '7', 0);
    SendMessageA(g_mainWindow, WM_CHAR, '5', 0);
    EXPECT_EQ(WindowText(g_display), "75");
    EXPECT_EQ(GetFocus(), GetDlgItem(g_mainWindow, IDC_KEY_5)) << "the flashed button keeps the focus";
    EXPECT_EQ(SendMessageA(GetFocus(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "released after the flash";
    SendMessageA(g_mainWindow, WM_CHAR, 'p', 0);  // memory plus
    EXPECT_EQ(WindowText(g_memoryIndicator), "*");
}

TEST_F(ShellWindowTest, MessageLoopHandsEveryKeyToTheMainWindow) {
    Start();
    // Posted to the tape and a keypad button, as if they had the focus; the loop redirects them.
    PostMessageA(g_tapeView, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(g_tapeView, WM_CHAR, '4', 0);
    PostMessageA(GetDlgItem(g_mainWindow, IDC_KEY_9), WM_CHAR, '2', 0);
    PostMessageA(GetDlgItem(g_mainWindow, IDC_KEY_9), WM_CHAR, ' ', 0);  // a blank presses nothing
    PostQuitMessage(0);  // delivered once the queue is empty
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(WindowText(g_display), "42");
    EXPECT_EQ(SendMessageA(g_tapeView, LB_GETCURSEL, 0, 0), LB_ERR) << "the arrow key never reached the tape";
}

// Text on the clipboard as another program puts it there; null empties the clipboard.
void SetClipboardText(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (text != nullptr) {
        const size_t size = std::strlen(text) + 1;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        std::memcpy(GlobalLock(block), text, size);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

TEST_F(ShellWindowTest, PasteItemFollowsTheClipboardWhenTheWindowGetsTheFocusOrAMenuOpens) {
    enum class Moment { Focus, MenuOpens };
    struct Case {
        const char* clipboardText;  // null: an empty clipboard
        Moment moment;
        bool pasteEnabled;
    };
    const Case cases[] = {
        {nullptr, Moment::Focus, false},     {"01:00:00:00", Moment::Focus, true},
        {nullptr, Moment::Focus, false},     {"01:00:00:00", Moment::MenuOpens, true},
        {nullptr, Moment::MenuOpens, false},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.clipboardText != nullptr ? c.clipboardText : "(empty clipboard)")
                                        << (c.moment == Moment::Focus ? ", focus" : ", menu opens"));
        SetClipboardText(c.clipboardText);
        if (c.moment == Moment::Focus) {
            SendMessageA(g_mainWindow, WM_SETFOCUS, 0, 0);
        } else {
            OpenMenu();
        }
        const UINT state = GetMenuState(GetMenu(g_mainWindow), IDM_PASTE, MF_BYCOMMAND);
        EXPECT_EQ((state & MF_GRAYED) == 0, c.pasteEnabled);
    }
}

// The text arrives while the window keeps the focus and Paste is greyed. An accelerator of a
// greyed item does nothing: Ctrl+V works only because the menu initialisation that
// TranslateAccelerator asks for first brings Paste up to date.
TEST_F(ShellWindowTest, CtrlVPastesTextThatArrivedWhileTheWindowKeptTheFocus) {
    Start();
    SetClipboardText(nullptr);
    SendMessageA(g_mainWindow, WM_SETFOCUS, 0, 0);
    ASSERT_TRUE(GetMenuState(GetMenu(g_mainWindow), IDM_PASTE, MF_BYCOMMAND) & MF_GRAYED);
    SetClipboardText("4 2");

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE controlHeld[256];
    std::memcpy(controlHeld, keys, sizeof keys);
    controlHeld[VK_CONTROL] = 0x80;
    SetKeyboardState(controlHeld);
    PostMessageA(g_mainWindow, WM_KEYDOWN, 'V', 0);
    PostQuitMessage(0);
    RunMessageLoop();
    SetKeyboardState(keys);
    EXPECT_EQ(WindowText(g_display), "42");
}

TEST_F(ShellWindowTest, ControlColours) {
    Start();
    HDC dc = GetDC(g_mainWindow);
    struct Case {
        HWND control;
        UINT message;
        int stockBrush;
        COLORREF background;
    };
    const Case cases[] = {
        {g_display, WM_CTLCOLORSTATIC, WHITE_BRUSH, RGB(255, 255, 255)},
        {g_memoryIndicator, WM_CTLCOLORSTATIC, WHITE_BRUSH, RGB(255, 255, 255)},
        {g_modeDisplay, WM_CTLCOLORSTATIC, LTGRAY_BRUSH, RGB(192, 192, 192)},
        {g_modeDisplay, WM_CTLCOLOREDIT, LTGRAY_BRUSH, RGB(192, 192, 192)},
    };
    for (const Case& c : cases) {
        SetBkColor(dc, RGB(1, 2, 3));
        const LRESULT brush = SendMessageA(g_mainWindow, c.message, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(c.control));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(c.stockBrush))) << "control " << GetDlgCtrlID(c.control);
        EXPECT_EQ(GetBkColor(dc), c.background) << "control " << GetDlgCtrlID(c.control);
    }
    ReleaseDC(g_mainWindow, dc);
}

// A saved position is kept while the title bar can be grabbed there: a piece of it at least 40
// pixels wide and half its height tall on a monitor's work area. Otherwise the window opens on
// the work area, moved no further than needed.
TEST_F(ShellWindowTest, SavedPositionOutOfReachOpensOnTheWorkArea) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int titleBar = GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    enum class Kept { Both, X, Y };  // what stays of the saved position
    struct Case {
        const char* label;
        int x;
        int y;
        Kept kept;
    };
    const Case cases[] = {
        {"on the screen", 100, 100, Kept::Both},
        {"50 pixels of the title bar left at the right", work.right - 50, 100, Kept::Both},
        {"30 pixels of the title bar left at the right", work.right - 30, 100, Kept::Y},
        {"far to the right", 5000, 100, Kept::Y},
        {"far to the left", -5000, 100, Kept::Y},
        {"far below", 100, 5000, Kept::X},
        {"far above", 100, -3000, Kept::X},
        {"more than half the title bar on the screen", 100, work.top - (titleBar - 1) / 2, Kept::Both},
        {"less than half the title bar on the screen", 100, work.top - (titleBar + 2) / 2, Kept::X},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        app->options.iWindowX = c.x;
        app->options.iWindowY = c.y;
        Start();
        RECT window{};
        GetWindowRect(g_mainWindow, &window);
        if (c.kept != Kept::Y) {
            EXPECT_EQ(window.left, c.x);
        }
        if (c.kept != Kept::X) {
            EXPECT_EQ(window.top, c.y);
        }
        if (c.kept != Kept::Both) {
            RECT inside{};
            IntersectRect(&inside, &window, &work);
            EXPECT_TRUE(EqualRect(&inside, &window)) << "at " << window.left << "," << window.top;
        }
    }
}

TEST_F(ShellWindowTest, AlwaysOnTopTogglesFromTheSystemMenu) {
    Start();
    for (int expected : {1, 0, 1}) {
        SendMessageA(g_mainWindow, WM_SYSCOMMAND, IDM_ALWAYS_ON_TOP, 0);
        EXPECT_EQ(app->options.bOnTop, expected);
        EXPECT_EQ((GetWindowLongA(g_mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, expected == 1);
    }
}

// The About box runs modally; a thread timer acts on it from inside its own loop.
struct AboutScript {
    std::vector<UINT> messages;  // sent to the box in turn, WM_COMMAND or WM_SYSCOMMAND
    std::vector<WPARAM> params;
};
struct AboutRun {
    AboutScript script;
    std::string version;
    std::string name;
    bool stillOpenBeforeLast = false;
};
AboutRun* g_aboutRun = nullptr;

HWND FindAboutBox() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            char className[16] = "";
            GetClassNameA(window, className, sizeof className);
            if (std::string(className) == "#32770" && GetDlgItem(window, IDC_ABOUT_VERSION) != nullptr) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK DriveAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindAboutBox();
    if (box == nullptr) return;
    KillTimer(nullptr, timer);
    AboutRun& run = *g_aboutRun;
    run.name = WindowText(GetDlgItem(box, IDC_ABOUT_NAME));
    run.version = WindowText(GetDlgItem(box, IDC_ABOUT_VERSION));
    const AboutScript& script = run.script;
    for (size_t i = 0; i < script.messages.size(); ++i) {
        if (i + 1 == script.messages.size()) run.stillOpenBeforeLast = IsWindow(box) != FALSE;
        SendMessageA(box, script.messages[i], script.params[i], 0);
    }
}

TEST_F(ShellWindowTest, AboutBoxShowsVersionAndClosesOnlyByOkOrClose) {
    struct Case {
        const char* label;
        AboutScript script;
        INT_PTR result;
    };
    const Case cases[] = {
        {"OK", {{WM_COMMAND}, {IDOK}}, 1},
        {"Escape does nothing, then OK", {{WM_COMMAND, WM_COMMAND}, {IDCANCEL, IDOK}}, 1},
        {"close command", {{WM_COMMAND, WM_SYSCOMMAND}, {IDCANCEL, SC_CLOSE}}, 0},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        AboutRun run;
        run.script = c.script;
        g_aboutRun = &run;
        SetTimer(nullptr, 0, 20, DriveAboutBox);
        EXPECT_EQ(ShowAboutBox(g_mainWindow), c.result);
        g_aboutRun = nullptr;
        EXPECT_EQ(run.name, "Lumo II");
        EXPECT_EQ(run.version, "Version: 1.43");
        EXPECT_TRUE(run.stillOpenBeforeLast);
    }
}

}  // namespace
