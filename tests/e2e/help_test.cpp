// The built-in help, asked for as a user would: the Help menu, F1 in the calculator, the
// Roman dialog's Help button and F1 there, and F1 on a control of the Clipboard Formats sheet.
// What the help window and the popups show is compared with the help text of the source tree
// (LUMO_E2E_HELP_TEXT), read with the program's own reader.
#include "help/help_text.h"
#include "win32/resource.h"
#include "tests/e2e/driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {
namespace {

constexpr UINT kSendTimeoutMs = 2000;
constexpr int kFocusSettleMs = 150;
constexpr const char* kHelpClass = "VexoHelp";
constexpr const char* kPopupClass = "VexoHelpPopup";
// The calculator at the left of the 800 x 600 desktop leaves room for the help beside it.
constexpr const char* kLeftIni = "[Vexo]\r\nszXYPos=10,10\r\n";

const HelpText& SourceHelp() {
    static std::string text;
    static HelpText help;
    if (text.empty()) {
        const char* path = std::getenv("LUMO_E2E_HELP_TEXT");
        std::ifstream file(WinPath(path != nullptr ? path : ""), std::ios::binary);
        std::stringstream read;
        read << file.rdbuf();
        text = read.str();
        help.Parse(text);
    }
    return help;
}

std::string TopicText(const char* name) {
    const int index = SourceHelp().TopicIndex(name);
    return index < 0 ? "<no topic " + std::string(name) + ">"
                     : TopicDisplayText(SourceHelp().Topics()[static_cast<std::size_t>(index)].body).c_str();
}

std::string TopicTitle(const char* name) {
    const int index = SourceHelp().TopicIndex(name);
    return index < 0 ? "<no topic>" : std::string(SourceHelp().Topics()[static_cast<std::size_t>(index)].title);
}

// The whole text of a control of another process, however long.
std::string LongText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return "<unreadable>";
    std::wstring wide(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &got);
    wide.resize(got);
    std::string text(wide.size() * 2 + 1, '\0');
    text.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                                             text.data(), static_cast<int>(text.size()), nullptr,
                                                             nullptr)));
    return text;
}

std::vector<HWND> ThreadWindowsOfClass(const Vexo& v, const char* className) {
    struct Search {
        const char* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumThreadWindows(
        v.process.dwThreadId,
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char name[64] = "";
            GetClassNameA(window, name, sizeof name);
            if (IsWindowVisible(window) && lstrcmpA(name, s->className) == 0) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowOfClass(const Vexo& v, const char* className) {
    HWND found = nullptr;
    Poll([&] {
        const std::vector<HWND> windows = ThreadWindowsOfClass(v, className);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    });
    return found;
}

// Polls until the help window shows the topic: its title above the text, and the text.
::testing::AssertionResult HelpShows(const Vexo& v, const char* topic) {
    std::string title = "<no help window>";
    std::string text;
    const bool shown = Poll([&] {
        const std::vector<HWND> windows = ThreadWindowsOfClass(v, kHelpClass);
        if (windows.size() != 1) return false;
        title = ReadControlText(GetDlgItem(windows.front(), IDC_HELP_TITLE));
        text = LongText(GetDlgItem(windows.front(), IDC_HELP_TEXT));
        return title == TopicTitle(topic) && text == TopicText(topic);
    });
    if (shown) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "help window: title \"" << title << "\", text starting \""
                                         << text.substr(0, 60) << "\"; wanted the topic " << topic;
}

// No dialog of the program is open but those named.
::testing::AssertionResult OnlyDialogs(const Vexo& v, const std::vector<HWND>& allowed) {
    Sleep(300);
    for (HWND box : ThreadWindowsOfClass(v, "#32770")) {
        if (std::find(allowed.begin(), allowed.end(), box) == allowed.end())
            return ::testing::AssertionFailure() << "a box is open: \"" << WindowCaption(box) << "\", \""
                                                 << MessageBoxText(box) << "\"";
    }
    return ::testing::AssertionSuccess();
}

// A real key into a control of one of the program's windows. Without `sync` nothing follows
// the key: the spare key that SyncInput sends would close a popup that the key opened.
void PressIn(const Vexo& v, HWND window, HWND control, WORD vk, bool sync = true) {
    SetForegroundWindow(window);
    SetFocus(control);
    Sleep(kFocusSettleMs);
    std::vector<INPUT> inputs{KeyInput(vk, 0, 0), KeyInput(vk, 0, KEYEVENTF_KEYUP)};
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sync) SyncInput(v);
}

void TypeIn(const Vexo& v, HWND window, HWND control, const std::string& text) {
    SetForegroundWindow(window);
    SetFocus(control);
    Sleep(kFocusSettleMs);
    std::vector<INPUT> inputs;
    for (char c : text) {
        const WORD unit = static_cast<unsigned char>(c);
        inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    SyncInput(v);
}

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                            &length);
        char narrow[256] = "";
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow - 1, nullptr, nullptr);
        items.emplace_back(narrow);
    }
    return items;
}

void Screenshot(const Vexo& v, const char* name, int settleMs = 500) {
    SyncPosted(v);
    Sleep(settleMs);
    EXPECT_TRUE(Screenshot(v, std::string(name))) << name;
}

TEST(Help, ContentsBesideTheCalculatorSearchNarrowsEscCloses) {
    ASSERT_FALSE(SourceHelp().Topics().empty()) << "no help text read from LUMO_E2E_HELP_TEXT";
    Vexo v;
    ASSERT_TRUE(StartVexo(v, kLeftIni));
    PostCommand(v, IDM_HELP_CONTENTS);
    const HWND help = WaitForWindowOfClass(v, kHelpClass);
    ASSERT_TRUE(help) << "no help window";
    EXPECT_TRUE(HelpShows(v, help_topics::kContents));
    EXPECT_TRUE(OnlyDialogs(v, {}));
    const RECT main = WindowRect(v.main);
    const RECT beside = WindowRect(help);
    EXPECT_GE(beside.left, main.right) << "beside the calculator";
    EXPECT_EQ(beside.top, main.top);
    EXPECT_LE(beside.right, GetSystemMetrics(SM_CXSCREEN)) << "on the screen";
    EXPECT_LE(beside.bottom, GetSystemMetrics(SM_CYSCREEN)) << "on the screen";
    EXPECT_EQ(ListItems(GetDlgItem(help, IDC_HELP_TOPICS)).size(), SourceHelp().Topics().size());
    Screenshot(v, "help-contents");

    // The search narrows the list as the words are typed; the user-modes topic is then picked.
    const HWND list = GetDlgItem(help, IDC_HELP_TOPICS);
    TypeIn(v, help, GetDlgItem(help, IDC_HELP_SEARCH), "user mode");
    std::vector<std::string> wanted;
    for (int topic : SourceHelp().Search("user mode"))
        wanted.emplace_back(SourceHelp().Topics()[static_cast<std::size_t>(topic)].title);
    std::vector<std::string> listed;
    EXPECT_TRUE(Poll([&] { return (listed = ListItems(list)) == wanted; })) << listed.size() << " topics listed";
    EXPECT_LT(wanted.size(), SourceHelp().Topics().size());
    const auto userModes = std::find(listed.begin(), listed.end(), TopicTitle("user-modes"));
    ASSERT_NE(userModes, listed.end());
    const auto item = static_cast<WPARAM>(userModes - listed.begin());
    SendMessageTimeoutA(list, LB_SETCURSEL, item, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
    PostMessageA(help, WM_COMMAND, MAKEWPARAM(IDC_HELP_TOPICS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(HelpShows(v, "user-modes"));
    Screenshot(v, "help-user-modes");

    // The calculator goes on working beside it.
    TypeText(v, "12");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "12"));
    EXPECT_TRUE(IsWindowVisible(help));

    PressIn(v, help, list, VK_ESCAPE);
    EXPECT_TRUE(Poll([&] { return !IsWindow(help); })) << "Esc closes the help window";
    TypeText(v, "3");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "1:23"));
    EXPECT_TRUE(CloseVexo(v));
}

TEST(Help, F1InTheCalculatorOpensTheContents) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, kLeftIni));
    PressKey(v, VK_F1);
    ASSERT_TRUE(WaitForWindowOfClass(v, kHelpClass)) << "F1 opened no help window";
    EXPECT_TRUE(HelpShows(v, help_topics::kContents));
    EXPECT_TRUE(OnlyDialogs(v, {}));

    // Ctrl+F1 stays the 16mm mode; the help window keeps its topic.
    PressCtrl(v, VK_F1);
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, "FF   40.00 F/F"));
    EXPECT_TRUE(HelpShows(v, help_topics::kContents));
}

TEST(Help, RomanDialogHelpButtonAndF1OpenTheRomanTopic) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, kLeftIni));
    PostCommand(v, IDM_ROMAN);
    const HWND roman = WaitForMessageBox(v);
    ASSERT_TRUE(roman) << "no Roman dialog";
    ASSERT_EQ(WindowCaption(roman), "Arabic <> Roman");

    PostMessageA(roman, WM_COMMAND, MAKEWPARAM(IDC_ROMAN_HELP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(roman, IDC_ROMAN_HELP)));
    ASSERT_TRUE(WaitForWindowOfClass(v, kHelpClass)) << "the Help button opened no help window";
    EXPECT_TRUE(HelpShows(v, help_topics::kRoman));
    EXPECT_TRUE(OnlyDialogs(v, {roman}));

    // Posted commands reach the main window while the dialog is open: back to the contents.
    PostCommand(v, IDM_HELP_CONTENTS);
    EXPECT_TRUE(HelpShows(v, help_topics::kContents));
    PressIn(v, roman, GetDlgItem(roman, IDC_ROMAN_ARABIC), VK_F1);
    EXPECT_TRUE(HelpShows(v, help_topics::kRoman)) << "after F1 in the Roman dialog";
    EXPECT_TRUE(OnlyDialogs(v, {roman}));
    EXPECT_TRUE(IsWindowVisible(roman)) << "the dialog stays open";

    // The help window keeps its keys while the dialog is open: Esc in its search field.
    const HWND help = WaitForWindowOfClass(v, kHelpClass);
    PressIn(v, help, GetDlgItem(help, IDC_HELP_SEARCH), VK_ESCAPE);
    EXPECT_TRUE(Poll([&] { return !IsWindow(help); })) << "Esc closes the help window";
    EXPECT_TRUE(IsWindowVisible(roman));
    PostMessageA(roman, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(Poll([&] { return !IsWindow(roman); }));
}

TEST(Help, F1OnAFormatsSheetControlShowsItsPopup) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, kLeftIni));
    PostCommand(v, IDM_CLIPBOARD_FORMATS);
    const HWND sheet = WaitForMessageBox(v);
    ASSERT_TRUE(sheet) << "no Clipboard Formats sheet";
    ASSERT_EQ(WindowCaption(sheet), "Clipboard Formats");
    DWORD_PTR pageHandle = 0;
    SendMessageTimeoutA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &pageHandle);
    const auto page = reinterpret_cast<HWND>(pageHandle);
    ASSERT_TRUE(page);

    struct Row {
        int control;
        int helpId;
    };
    const Row kRows[] = {{IDC_FMT_LEAD_SPACES, IDH_FMT_LEAD_SPACES}, {IDC_FMT_SAMPLE, IDH_FMT_SAMPLE}};
    for (const Row& row : kRows) {
        SCOPED_TRACE("control " + std::to_string(row.control));
        const HWND control = GetDlgItem(page, row.control);
        PressIn(v, sheet, control, VK_F1, false);
        const HWND popup = WaitForWindowOfClass(v, kPopupClass);
        ASSERT_TRUE(popup) << "F1 showed no popup";
        const HelpPopup* wanted = SourceHelp().FindPopup(row.helpId);
        ASSERT_NE(wanted, nullptr);
        EXPECT_EQ(LongText(popup), PopupDisplayText(wanted->body).c_str());
        const RECT shown = WindowRect(popup);
        const RECT at = WindowRect(control);
        EXPECT_TRUE(shown.top >= at.bottom || shown.bottom <= at.top) << "next to the control, not over it";
        EXPECT_LE(shown.left, at.right);
        EXPECT_TRUE(OnlyDialogs(v, {sheet}));
        if (row.control == IDC_FMT_LEAD_SPACES) Screenshot(v, "help-popup-spaces", 300);
        PressIn(v, popup, popup, VK_ESCAPE);
        EXPECT_TRUE(Poll([&] { return !IsWindow(popup); })) << "a key closes the popup";
        EXPECT_TRUE(IsWindowVisible(sheet)) << "the sheet stays open";
    }
    EXPECT_TRUE(ThreadWindowsOfClass(v, kHelpClass).empty()) << "a control's help opens no help window";
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    EXPECT_TRUE(Poll([&] { return !IsWindow(sheet); }));
}

}  // namespace
}  // namespace e2e
