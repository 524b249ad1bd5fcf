// The built-in help run inside this process: every way to ask for help opens the help window on
// its topic, one window serves them all, the search narrows the list, the message loop leaves
// the help window its keys, and each control of the Clipboard Formats sheet has its popup.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/clipboard_formats.h"
#include "dialogs/help.h"
#include "dialogs/help_popup.h"
#include "dialogs/help_window.h"
#include "dialogs/roman_dialog.h"
#include "engine/calculator.h"
#include "model/mode_table.h"
#include "settings/options.h"
#include "settings/settings.h"
#include "shell/controls.h"
#include "win32/dialog_support.h"
#include "win32/resource.h"
#include "shell/application.h"
#include "shell/shell.h"

namespace {

// The help window and a control's popup, found by their window classes as a spy tool finds them.
HWND HelpWindow() { return FindWindowA("VexoHelp", nullptr); }
HWND HelpPopupWindow() { return FindWindowA("VexoHelpPopup", nullptr); }

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

const HelpTopic& NamedTopic(const char* name) {
    const int index = BuiltInHelp().TopicIndex(name);
    EXPECT_GE(index, 0) << "no topic " << name;
    return BuiltInHelp().Topics()[static_cast<std::size_t>(index < 0 ? 0 : index)];
}

// What the help window shows.
struct HelpView {
    std::string topic;  // the name of the topic selected in the list
    std::string title;
    std::string text;
    int focusId = 0;  // the help window's control with the focus
};

HelpView ReadHelpWindow() {
    HelpView view;
    const HWND help = HelpWindow();
    if (help == nullptr) return {"<no help window>", "", "", 0};
    const HWND list = GetDlgItem(help, IDC_HELP_TOPICS);
    const LRESULT item = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (item >= 0) {
        const auto index = static_cast<std::size_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(item), 0));
        view.topic = BuiltInHelp().Topics()[index].name;
    }
    view.title = WindowText(GetDlgItem(help, IDC_HELP_TITLE));
    view.text = WindowText(GetDlgItem(help, IDC_HELP_TEXT));
    if (GetParent(GetFocus()) == help) view.focusId = GetDlgCtrlID(GetFocus());
    return view;
}

std::vector<std::string> ListedTopics() {
    std::vector<std::string> names;
    const HWND list = GetDlgItem(HelpWindow(), IDC_HELP_TOPICS);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        names.emplace_back(BuiltInHelp().Topics()[index].name);
    }
    return names;
}

// A modal dialog's loop runs these steps from a thread timer, then the dialog is closed.
using ModalSteps = void (*)();
ModalSteps g_modalSteps = nullptr;

HWND FindThreadWindow(const char* className, int childId) {
    struct Search {
        const char* className;
        int childId;
        HWND found;
    } search{className, childId, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char name[32] = "";
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpA(name, s->className) != 0 || (s->childId != 0 && GetDlgItem(window, s->childId) == nullptr)) {
                return TRUE;
            }
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK RunModalSteps(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_modalSteps();
}

void InsideModalLoop(ModalSteps steps) {
    g_modalSteps = steps;
    SetTimer(nullptr, 0, 20, RunModalSteps);
}

class HelpWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InitApplication(GetModuleHandleA(nullptr), nullptr)); }
    // The next suite registers the main window's class again.
    static void TearDownTestSuite() { UnregisterClassA(g_className.c_str(), GetModuleHandleA(nullptr)); }

    // No VEXO.HLP lies beside the test program, so the built-in help answers.
    void SetUp() override {
        app->options.iWindowX = 20;
        app->options.iWindowY = 20;
        ASSERT_NE(CreateMainWindow(*app, GetModuleHandleA(nullptr), SW_SHOWNORMAL, 0), nullptr);
    }

    // The help window is the main window's: it goes with it. WM_DESTROY posts WM_QUIT, which is
    // dropped with the rest of the queue.
    void TearDown() override {
        DestroyWindow(g_mainWindow);
        g_mainWindow = nullptr;
        EXPECT_EQ(HelpWindow(), nullptr);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    static void Command(int id) { SendMessageA(g_mainWindow, WM_COMMAND, id, 0); }

    std::unique_ptr<Application> app = std::make_unique<Application>();

    // Runs the real message loop over what was posted.
    static void RunLoop() {
        PostQuitMessage(0);
        EXPECT_EQ(RunMessageLoop(), 0);
    }
};

// What the help window showed inside a modal dialog's loop, before the dialog closed.
HelpView g_seenInModalLoop;

void (*g_askInRomanDialog)(HWND roman);

// Opens the Roman dialog, asks for help in it with `ask` from inside its modal loop, and gives
// what the help window showed before the dialog closed again.
HelpView HelpSeenFromRomanDialog(void (*ask)(HWND roman)) {
    g_askInRomanDialog = ask;
    InsideModalLoop([] {
        const HWND roman = FindThreadWindow("#32770", IDC_ROMAN_HELP);
        g_askInRomanDialog(roman);
        g_seenInModalLoop = ReadHelpWindow();
        SendMessageA(roman, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    ShowRomanDialog(g_mainWindow, GetModuleHandleA(nullptr), AppOf(g_mainWindow).options);
    return g_seenInModalLoop;
}

void ExpectShows(const HelpView& view, const char* topicName, int focusId, const char* label) {
    const HelpTopic& topic = NamedTopic(topicName);
    EXPECT_EQ(view.topic, topicName) << label;
    EXPECT_EQ(view.title, topic.title) << label;
    EXPECT_EQ(view.text, TopicDisplayText(topic.body).c_str()) << label;
    EXPECT_EQ(view.focusId, focusId) << label;
}

TEST_F(HelpWindowTest, EachWayToAskOpensOneWindowOnItsTopic) {
    struct Row {
        const char* label;
        HelpView (*ask)();  // what the help window shows once asked
        const char* topic;
        int focusId;
    };
    const Row kRows[] = {
        {"Help > Contents",
         [] {
             Command(IDM_HELP_CONTENTS);
             return ReadHelpWindow();
         },
         help_topics::kContents, IDC_HELP_TEXT},
        {"Help > How to Use Help",
         [] {
             Command(IDM_HELP_ON_HELP);
             return ReadHelpWindow();
         },
         help_topics::kUsingHelp, IDC_HELP_TEXT},
        {"Help > Search for Help On keeps the topic",
         [] {
             Command(IDM_HELP_SEARCH);
             return ReadHelpWindow();
         },
         help_topics::kUsingHelp, IDC_HELP_SEARCH},
        {"F1 in the main window",
         [] {
             PostMessageA(g_tapeView, WM_KEYDOWN, VK_F1, 0);
             RunLoop();
             return ReadHelpWindow();
         },
         help_topics::kContents, IDC_HELP_TEXT},
        {"the Roman dialog's Help button",
         [] {
             return HelpSeenFromRomanDialog([](HWND roman) { SendMessageA(roman, WM_COMMAND, IDC_ROMAN_HELP, 0); });
         },
         help_topics::kRoman, IDC_HELP_TEXT},
        {"Help > Contents again",
         [] {
             Command(IDM_HELP_CONTENTS);
             return ReadHelpWindow();
         },
         help_topics::kContents, IDC_HELP_TEXT},
        {"F1 in the help window",
         [] {
             HELPINFO request{sizeof request, HELPINFO_WINDOW, IDC_HELP_TEXT,
                              GetDlgItem(HelpWindow(), IDC_HELP_TEXT), 0, {}};
             SendMessageA(HelpWindow(), WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
             return ReadHelpWindow();
         },
         help_topics::kUsingHelp, IDC_HELP_TEXT},
        {"F1 in the Roman dialog",
         [] {
             return HelpSeenFromRomanDialog([](HWND roman) {
                 HELPINFO request{sizeof request, HELPINFO_WINDOW, IDC_ROMAN_ARABIC,
                                  GetDlgItem(roman, IDC_ROMAN_ARABIC), 0, {}};
                 SendMessageA(roman, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
             });
         },
         help_topics::kRoman, IDC_HELP_TEXT},
        {"the Clipboard Formats sheet's Help button",
         [] {
             InsideModalLoop([] {
                 const HWND sheet = FindThreadWindow("#32770", IDOK);
                 SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_HELP, 0);
                 g_seenInModalLoop = ReadHelpWindow();
                 SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
             });
             OpenClipboardFormats(g_mainWindow, GetModuleHandleA(nullptr), AppOf(g_mainWindow).modes, 0);
             return g_seenInModalLoop;
         },
         help_topics::kClipboardFormats, IDC_HELP_TEXT},
    };
    HWND first = nullptr;
    for (const Row& row : kRows) {
        g_seenInModalLoop = HelpView{"<not asked>", "", "", 0};
        ExpectShows(row.ask(), row.topic, row.focusId, row.label);
        if (first == nullptr) first = HelpWindow();
        EXPECT_EQ(HelpWindow(), first) << row.label << ": the open window serves";
        EXPECT_TRUE(IsWindowVisible(HelpWindow())) << row.label;
        EXPECT_TRUE(IsWindowEnabled(g_mainWindow)) << row.label << ": the calculator is not blocked";
    }
}

TEST_F(HelpWindowTest, SearchNarrowsTheListToTopicsWithEveryWord) {
    Command(IDM_HELP_SEARCH);
    const HWND search = GetDlgItem(HelpWindow(), IDC_HELP_SEARCH);
    const std::size_t all = BuiltInHelp().Topics().size();
    ASSERT_EQ(ListedTopics().size(), all);
    for (const char* words : {"drop frame", "DROP FRAME strict", "szCfr1 59.94", "Roman", "no-such-word", ""}) {
        SetWindowTextA(search, words);
        std::vector<std::string> wanted;
        for (int topic : BuiltInHelp().Search(words)) {
            wanted.emplace_back(BuiltInHelp().Topics()[static_cast<std::size_t>(topic)].name);
        }
        EXPECT_EQ(ListedTopics(), wanted) << "\"" << words << "\"";
        if (*words != '\0') {
            EXPECT_LT(wanted.size(), all) << "\"" << words << "\" narrows the list";
        }
        const HelpView view = ReadHelpWindow();
        if (!wanted.empty()) {
            EXPECT_FALSE(view.topic.empty()) << "\"" << words << "\": a listed topic is shown";
            EXPECT_NE(std::find(wanted.begin(), wanted.end(), view.topic), wanted.end()) << "\"" << words << "\"";
        } else {
            EXPECT_EQ(view.text, "") << "nothing holds \"" << words << "\"";
        }
    }

    // A topic asked for by name is shown among all topics again.
    SetWindowTextA(search, "roman");
    Command(IDM_HELP_ON_HELP);
    EXPECT_EQ(WindowText(search), "");
    EXPECT_EQ(ListedTopics().size(), all);
    ExpectShows(ReadHelpWindow(), help_topics::kUsingHelp, IDC_HELP_TEXT, "after the search");

    // Picking a topic in the list shows it.
    const HWND list = GetDlgItem(HelpWindow(), IDC_HELP_TOPICS);
    const int roman = BuiltInHelp().TopicIndex(help_topics::kRoman);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(roman), 0);
    SendMessageA(HelpWindow(), WM_COMMAND, MAKEWPARAM(IDC_HELP_TOPICS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(ReadHelpWindow().title, NamedTopic(help_topics::kRoman).title);
}

TEST_F(HelpWindowTest, MessageLoopLeavesTheHelpWindowItsKeys) {
    Command(IDM_HELP_SEARCH);
    const HWND search = GetDlgItem(HelpWindow(), IDC_HELP_SEARCH);
    SetFocus(search);
    PostMessageA(search, WM_CHAR, '7', 0);
    PostMessageA(search, WM_CHAR, 'x', 0);
    RunLoop();
    EXPECT_EQ(WindowText(search), "7x") << "typed into the search field";
    EXPECT_EQ(WindowText(g_display), "0") << "the calculator saw none of it";

    // Ctrl+C in the text copies its selection, not the calculator's display.
    Command(IDM_HELP_CONTENTS);
    const HWND text = GetDlgItem(HelpWindow(), IDC_HELP_TEXT);
    SendMessageA(text, EM_SETSEL, 0, 4);
    SetFocus(text);
    PostMessageA(text, WM_CHAR, 'C' - '@', 0);
    RunLoop();
    ASSERT_TRUE(OpenClipboard(g_mainWindow));
    const HANDLE data = GetClipboardData(CF_TEXT);
    const std::string copied = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : "<no text>";
    if (data != nullptr) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, WindowText(text).substr(0, 4));

    // Tab goes on from the text to the search field; Alt+T goes to the list of topics.
    constexpr LPARAM kAltDown = 1 << 29;
    PostMessageA(text, WM_KEYDOWN, VK_TAB, 0);
    RunLoop();
    EXPECT_EQ(GetFocus(), search);
    PostMessageA(search, WM_SYSCHAR, 't', kAltDown);
    RunLoop();
    EXPECT_EQ(GetFocus(), GetDlgItem(HelpWindow(), IDC_HELP_TOPICS));

    PostMessageA(GetDlgItem(HelpWindow(), IDC_HELP_TOPICS), WM_KEYDOWN, VK_ESCAPE, 0);
    RunLoop();
    EXPECT_EQ(HelpWindow(), nullptr) << "Esc closes the help window";

    // With the help window gone, keys go to the calculator as before.
    PostMessageA(g_tapeView, WM_CHAR, '5', 0);
    RunLoop();
    EXPECT_EQ(WindowText(g_display), "5");
}

TEST_F(HelpWindowTest, OpensBesideTheMainWindowAndOnTheScreen) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT main{};
    GetWindowRect(g_mainWindow, &main);
    const int mainWidth = main.right - main.left;
    struct Row {
        const char* label;
        int mainLeft;
        bool right;  // beside on the right, else on the left
    };
    const Row kRows[] = {
        {"at the left of the screen", work.left + 10, true},
        {"at the right of the screen", work.right - mainWidth - 10, false},
    };
    for (const Row& row : kRows) {
        SetWindowPos(g_mainWindow, nullptr, row.mainLeft, work.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        GetWindowRect(g_mainWindow, &main);
        Command(IDM_HELP_CONTENTS);
        RECT help{};
        GetWindowRect(HelpWindow(), &help);
        if (row.right) {
            EXPECT_GE(help.left, main.right) << row.label;
        } else {
            EXPECT_LE(help.right, main.left) << row.label;
        }
        EXPECT_EQ(help.top, main.top) << row.label;
        EXPECT_GE(help.left, work.left) << row.label;
        EXPECT_LE(help.right, work.right) << row.label;
        EXPECT_LE(help.bottom, work.bottom) << row.label;
        DestroyWindow(HelpWindow());
    }
}

// The controls fill the window whatever its size: after a resize and after a change of DPI,
// which moves the window to the rectangle Windows suggests.
TEST_F(HelpWindowTest, LayoutFollowsTheWindowSize) {
    Command(IDM_HELP_CONTENTS);
    const HWND help = HelpWindow();
    RECT start{};
    GetWindowRect(help, &start);
    auto controlRect = [help](int id) {
        RECT r{};
        GetWindowRect(GetDlgItem(help, id), &r);
        MapWindowPoints(nullptr, help, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    struct Row {
        const char* label;
        int grow;
        bool viaDpiChange;
    };
    // Growing stays within what the screen lets a window grow to.
    const int roomRight = GetSystemMetrics(SM_CXMAXTRACK) - (start.right - start.left);
    const int roomDown = GetSystemMetrics(SM_CYMAXTRACK) - (start.bottom - start.top);
    const int grow = std::min({100, roomRight, roomDown});
    ASSERT_GT(grow, 0);
    for (const Row& row : {Row{"larger", grow, false}, Row{"smaller", -60, false}, Row{"DPI changed", grow, true}}) {
        RECT wanted = start;
        wanted.right += row.grow;
        wanted.bottom += row.grow;
        if (row.viaDpiChange) {
            SendMessageA(help, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&wanted));
        } else {
            MoveWindow(help, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top, TRUE);
        }
        RECT now{};
        GetWindowRect(help, &now);
        EXPECT_TRUE(EqualRect(&now, &wanted)) << row.label << ": got " << now.right - now.left << " x "
                                              << now.bottom - now.top << ", wanted " << wanted.right - wanted.left
                                              << " x " << wanted.bottom - wanted.top;
        RECT client{};
        GetClientRect(help, &client);
        const RECT text = controlRect(IDC_HELP_TEXT);
        const int margin = text.left;
        EXPECT_EQ(client.right - text.right, margin) << row.label;
        EXPECT_EQ(controlRect(IDC_HELP_SEARCH).right, text.right) << row.label;
        EXPECT_EQ(controlRect(IDC_HELP_TOPICS).right, text.right) << row.label;
        EXPECT_GT(client.bottom - text.bottom, 0) << row.label;
        EXPECT_LT(client.bottom - text.bottom, 2 * margin) << row.label;
    }
}

TEST_F(HelpWindowTest, HelpFileBesideTheProgramIsOpenedInstead) {
    const std::string file = ProgramSettingsPaths().help.c_str();
    ASSERT_FALSE(file.empty());
    FILE* made = std::fopen(file.c_str(), "wb");
    ASSERT_NE(made, nullptr);
    std::fclose(made);
    for (int command : {IDM_HELP_CONTENTS, IDM_HELP_SEARCH, IDM_HELP_ON_HELP}) {
        Command(command);
        EXPECT_EQ(HelpWindow(), nullptr) << "command " << command << " went to WinHelp";
    }
    DeleteFileA(file.c_str());
    Command(IDM_HELP_CONTENTS);
    EXPECT_NE(HelpWindow(), nullptr) << "without the file, the built-in help";
}

// Every control of every page: its help id has a popup, and WM_HELP on the control shows it.
struct PopupCheck {
    int page;
    int controlId;
    int helpId;
    std::string shown;  // the popup's text, "<none>" when no popup opened
};
std::vector<PopupCheck> g_popupChecks;

int HelpIdOfControl(int controlId) {
    for (const DWORD* pair = FormatPageHelpIds(); pair[0] != 0; pair += 2) {
        if (pair[0] == static_cast<DWORD>(controlId)) return static_cast<int>(pair[1]);
    }
    return 0;
}

void AskEveryControlOfEveryPage() {
    const HWND sheet = FindThreadWindow("#32770", IDOK);
    const HWND tabs = FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr);
    const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < pages; ++index) {
        SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        const auto page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        for (int id = IDC_FMT_LEAD_GROUP; id <= IDC_FMT_SAMPLE; ++id) {
            const HWND control = GetDlgItem(page, id);
            if (control == nullptr) continue;
            HELPINFO request{sizeof request, HELPINFO_WINDOW, id, control, 0, {}};
            SendMessageA(page, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
            const HWND popup = HelpPopupWindow();
            g_popupChecks.push_back({index, id, HelpIdOfControl(id), popup != nullptr ? WindowText(popup) : "<none>"});
            if (popup != nullptr) DestroyWindow(popup);
        }
    }
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

TEST_F(HelpWindowTest, EveryControlOfTheFormatsSheetHasItsPopup) {
    for (const DWORD* pair = FormatPageHelpIds(); pair[0] != 0; pair += 2) {
        const HelpPopup* popup = BuiltInHelp().FindPopup(static_cast<int>(pair[1]));
        ASSERT_NE(popup, nullptr) << "control " << pair[0] << ": no popup for help id " << pair[1];
        EXPECT_FALSE(PopupDisplayText(popup->body).empty()) << "help id " << pair[1];
    }

    // The built-in modes have a page of every template.
    g_popupChecks.clear();
    InsideModalLoop(AskEveryControlOfEveryPage);
    OpenClipboardFormats(g_mainWindow, GetModuleHandleA(nullptr), AppOf(g_mainWindow).modes, 0);
    std::vector<int> helpIdsShown;
    for (const PopupCheck& check : g_popupChecks) {
        SCOPED_TRACE(testing::Message() << "page " << check.page << ", control " << check.controlId);
        ASSERT_NE(check.helpId, 0) << "the control has no help id";
        EXPECT_EQ(check.shown, PopupDisplayText(BuiltInHelp().FindPopup(check.helpId)->body).c_str());
        helpIdsShown.push_back(check.helpId);
    }
    for (const DWORD* pair = FormatPageHelpIds(); pair[0] != 0; pair += 2) {
        EXPECT_NE(std::find(helpIdsShown.begin(), helpIdsShown.end(), static_cast<int>(pair[1])), helpIdsShown.end())
            << "help id " << pair[1] << " was never shown";
    }
    EXPECT_EQ(HelpWindow(), nullptr) << "a control's help opens no help window";
}

}  // namespace
