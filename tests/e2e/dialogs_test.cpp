// The clipboard commands, the Clipboard Formats sheet and the Arabic <> Roman dialog, driven
// from outside: the clipboard is read and written by this driver (Win32) and by xclip (X),
// the sheet and the dialog are found among the program's windows and worked through their
// messages and real key input.
#include "win32/resource.h"
#include "tests/e2e/driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {
namespace {

constexpr UINT kSendTimeoutMs = 2000;
constexpr int kFocusSettleMs = 150;

// ---- Small helpers over the program's windows ----

struct CaptionSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchDialogCaption(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<CaptionSearch*>(param);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0 &&
        WindowCaption(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of the program's thread with this caption, or nullptr after the timeout.
HWND WaitForDialog(const Vexo& v, const char* caption, int timeoutMs = kDefaultTimeoutMs) {
    CaptionSearch search{caption, nullptr};
    Poll([&] {
        search.found = nullptr;
        EnumThreadWindows(v.process.dwThreadId, MatchDialogCaption, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

bool DialogGone(HWND dialog) {
    return Poll([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string ItemText(HWND dialog, int id) { return ReadControlText(GetDlgItem(dialog, id)); }

::testing::AssertionResult ItemTextIs(HWND dialog, int id, const std::string& wanted) {
    std::string got;
    if (Poll([&] { return (got = ItemText(dialog, id)) == wanted; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "item " << id << ": got \"" << got << "\", wanted \"" << wanted << "\"";
}

bool Checked(HWND dialog, int id) { return Send(GetDlgItem(dialog, id), BM_GETCHECK) == BST_CHECKED; }

void SetItemText(HWND dialog, int id, const char* text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &result);
}

// A click that cannot open a box: sent, so it has been handled when this returns.
void ClickButton(HWND dialog, int id) { Send(GetDlgItem(dialog, id), BM_CLICK); }

// A click that may open a message box: posted, then waited for.
void PostClick(const Vexo& v, HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    SyncPosted(v);
}


// Real key input into a control of a dialog: the dialog stays in front, the control gets the
// focus (the input states are attached, so this works across the processes).
void TypeInto(const Vexo& v, HWND dialog, int id, const std::string& text, bool control = false) {
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, id));
    Sleep(kFocusSettleMs);
    std::vector<INPUT> inputs;
    if (control) inputs.push_back(KeyInput(VK_CONTROL, 0, 0));
    for (char c : text) {
        const WORD vk = c == '\b' ? VK_BACK : c == '\r' ? VK_RETURN : c == '\x1b' ? VK_ESCAPE : 0;
        if (control) {
            const WORD key = static_cast<WORD>(c);  // upper-case letters are their virtual keys
            inputs.push_back(KeyInput(key, 0, 0));
            inputs.push_back(KeyInput(key, 0, KEYEVENTF_KEYUP));
        } else if (vk != 0) {
            inputs.push_back(KeyInput(vk, 0, 0));
            inputs.push_back(KeyInput(vk, 0, KEYEVENTF_KEYUP));
        } else {
            const WORD unit = static_cast<unsigned char>(c);
            inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE));
            inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
        }
    }
    if (control) inputs.push_back(KeyInput(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    SyncInput(v);
}

// Painting comes last among the program's messages: let it finish before the picture.
void ShotWhenPainted(const Vexo& v, const char* name) {
    SyncPosted(v);
    Sleep(500);
    EXPECT_TRUE(Screenshot(v, name)) << name;
}

// The settings file after Save Setup Now.
std::string SavedSetting(const Vexo& v, const char* key) {
    PostCommand(v, IDM_SAVE_SETUP);
    SyncPosted(v);
    std::string value = "<missing>";
    IniValue(ReadIni(v.IniPath()), "Vexo", key, &value);
    return value;
}

// ---- The clipboard, seen from Windows and from X ----

// A window of the driver's own, so that it can own what it puts on the clipboard.
HWND DriverWindow() {
    static HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return window;
}

bool ClipboardText(std::string& text) {
    if (!Poll([] { return OpenClipboard(DriverWindow()) != FALSE; }, 1000)) return false;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            found = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return found;
}

::testing::AssertionResult ClipboardHolds(const std::string& wanted) {
    std::string got = "<no text>";
    if (Poll([&] { return ClipboardText(got) && got == wanted; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "clipboard: got \"" << got << "\", wanted \"" << wanted << "\"";
}

// nullptr empties the clipboard, leaving no format at all.
bool SetClipboard(const char* text) {
    if (!Poll([] { return OpenClipboard(DriverWindow()) != FALSE; }, 1000)) return false;
    EmptyClipboard();
    bool placed = true;
    if (text != nullptr) {
        const size_t size = strlen(text) + 1;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(block), text, size);
        GlobalUnlock(block);
        placed = SetClipboardData(CF_TEXT, block) != nullptr;
    }
    CloseClipboard();
    return placed;
}

// What an X client reads from the clipboard selection.
std::string XClipboard(const Vexo& v) {
    const std::string file = v.folder + "\\xclip-out.txt";
    if (!RunUnix(v.folder, "xclip -o -selection clipboard > '" + UnixPath(file) + "' 2>/dev/null")) return "<xclip failed>";
    return ReadIni(file);
}

// An X client takes the clipboard selection with this text; waits until Windows sees it.
// Now and then Wine misses a change of the selection's owner from one X client to the next
// (about one run in five here); a second xclip is always seen, so the text is offered again.
::testing::AssertionResult SetXClipboard(const Vexo& v, const std::string& text) {
    const std::string file = v.folder + "\\xclip-in.txt";
    std::ofstream(file, std::ios::binary) << text;
    std::string got = "<no text>";
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (!RunUnix(v.folder, "xclip -i -selection clipboard < '" + UnixPath(file) + "' > /dev/null 2>&1"))
            return ::testing::AssertionFailure() << "xclip -i did not run";
        if (Poll([&] { return ClipboardText(got) && got == text; }, 2000)) {
            if (attempt > 1) printf("note: xclip text seen on attempt %d\n", attempt);
            return ::testing::AssertionSuccess();
        }
    }
    return ::testing::AssertionFailure() << "Windows clipboard: got \"" << got << "\", X: \"" << XClipboard(v)
                                         << "\", wanted \"" << text << "\"";
}

// ---- Copy ----

struct CopyRow {
    int command;
    const char* keys;
    const char* display;
    const char* clipboard;  // under the mode's built-in clipboard format
};

const CopyRow kCopyRows[] = {
    {IDM_MODE_NDF, "10000", "1:00:00", "00:01:00:00 NDF"},
    {IDM_MODE_DF, "10002", "1:00;02", "00:01:00;02 DF"},
    {IDM_MODE_PAL, "10000", "1:00:00", "00:01:00:00 PAL"},
    {IDM_MODE_FILM, "10000", "1:00:00", "00:01:00:00"},
    {IDM_MODE_35MM, "100000", "1,000-00", "1,000-00"},
    {IDM_MODE_16MM, "123405", "1,234-05", "1,234-05"},
    {IDM_MODE_HEX, "1ff", "1FF", "1FF"},
    {IDM_MODE_DEC, "1000", "1,000", "1,000 Frms"},
    {IDM_MODE_OCT, "1777", "1777", "1,777Q"},
    {IDM_MODE_DEC, "0", "0", "0 Frms"},
};

TEST(Copy, EachBuiltInModeInItsClipboardFormat) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    for (const CopyRow& row : kCopyRows) {
        SCOPED_TRACE(std::string("mode command ") + std::to_string(row.command) + ", keys " + row.keys);
        PostCommand(v, row.command);
        SyncPosted(v);
        TypeText(v, std::string("\x1b") + row.keys);
        ASSERT_TRUE(ControlTextIs(v, IDC_DISPLAY, row.display));
        PressCtrl(v, 'C');
        EXPECT_TRUE(ClipboardHolds(row.clipboard));
        EXPECT_EQ(XClipboard(v), row.clipboard);
    }
}

TEST(Copy, SelectedTapeLineInTheModeItWasRecordedIn) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, "[Vexo]\r\nbDispTape=1\r\n"));
    TypeText(v, "10000+");
    ASSERT_TRUE(TapeEndsWith(v, {"  1:00:00 "}));
    PostCommand(v, IDM_MODE_DEC);
    SyncPosted(v);

    const std::vector<std::string> lines = ReadTapeLines(v);
    const std::vector<LRESULT> rows = ReadTapeData(v);
    ASSERT_EQ(lines.size(), rows.size());
    const auto found = std::find(lines.rbegin(), lines.rend(), "  1:00:00 ");
    ASSERT_NE(found, lines.rend());
    const int recorded = static_cast<int>(lines.rend() - found) - 1;
    ASSERT_EQ(rows[recorded], 0) << "the line was recorded in 30 NDF";
    ASSERT_EQ(lines[0].find_first_not_of(' '), std::string::npos) << "a blank filler line comes first";

    const HWND tape = Control(v, IDC_TAPE);
    Click(v, tape, POINT{5, 5});
    ASSERT_EQ(FocusWindow(v), tape);

    struct Row {
        int line;
        const char* clipboard;
    };
    const Row kRows[] = {
        {recorded, "00:01:00:00 NDF"},  // 30 NDF's format, though the mode is Decimal now
        {0, "00:00:00:00 NDF"},         // a filler line: no digits, row 0
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE("tape line " + std::to_string(row.line));
        Send(tape, LB_SETCURSEL, row.line);
        PressCtrl(v, 'C');
        EXPECT_TRUE(ClipboardHolds(row.clipboard));
        EXPECT_EQ(XClipboard(v), row.clipboard);
    }

    // With no line selected and the tape focused, Copy does nothing at all.
    ASSERT_TRUE(SetClipboard("untouched"));
    Send(tape, LB_SETCURSEL, static_cast<WPARAM>(-1));
    PressCtrl(v, 'C');
    Sleep(200);
    EXPECT_TRUE(ClipboardHolds("untouched"));
}

// ---- Paste ----

struct PasteRow {
    const char* label;
    int command;        // mode
    const char* typed;  // before the paste
    const char* text;   // set by an X client; nullptr leaves an empty clipboard
    const char* display;
    int bells;
    const char* typedAfter;  // shows what the entry held after the paste
    const char* displayAfter;
};

const std::string kLongText = std::string(126, 'x') + "1234";

const PasteRow kPasteRows[] = {
    {"timecode in 30 NDF", IDM_MODE_NDF, "", "01:00:00:00", "1:00:00:00", 0, "", "1:00:00:00"},
    {"0x1F in Hexadecimal", IDM_MODE_HEX, "", "0x1F", "1F", 0, "", "1F"},
    {"0x1F in Decimal", IDM_MODE_DEC, "", "0x1F", "1", 0, "", "1"},
    {"a ninth digit pushes the first out", IDM_MODE_DEC, "", "123456789", "23,456,789", 0, "", "23,456,789"},
    {"only the first 127 characters", IDM_MODE_DEC, "", kLongText.c_str(), "1", 0, "", "1"},
    {"no digits empties the entry only", IDM_MODE_DEC, "12", "abc-:.", "12", 0, "5", "5"},
    {"8 and 9 in Octal beep", IDM_MODE_OCT, "", "1892", "12", 2, "", "12"},
    {"separators and a suffix", IDM_MODE_DEC, "7", "1,000 Frms", "1,000", 0, "", "1,000"},
    {"operator and memory keys are skipped", IDM_MODE_DEC, "", "-1+2*3/4=MPR", "1,234", 0, "", "1,234"},
    {"no text on the clipboard", IDM_MODE_DEC, "12", nullptr, "12", 0, "3", "123"},
};

// The text is put on the clipboard by an X program while the calculator keeps the focus, as
// when the user copies in another program and comes back with the mouse over the calculator.
// The clipboard is empty at the start, so Paste starts greyed.
TEST(Paste, DigitsOfTheClipboardTextAreTyped) {
    ASSERT_GE(BellCount(), 0) << "no bell watcher log (LUMO_E2E_BELLS)";
    ASSERT_TRUE(SetClipboard(nullptr));
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    for (const PasteRow& row : kPasteRows) {
        SCOPED_TRACE(row.label);
        PostCommand(v, row.command);
        SyncPosted(v);
        TypeText(v, std::string("\x1b") + row.typed);
        const HWND focus = FocusWindow(v);
        if (row.text != nullptr) {
            ASSERT_TRUE(SetXClipboard(v, row.text));
        } else {
            ASSERT_TRUE(SetClipboard(nullptr));
        }
        ASSERT_EQ(GetForegroundWindow(), v.main) << "the calculator kept the focus";
        ASSERT_EQ(FocusWindow(v), focus);
        const int before = BellsAfter(0, 0, 300);
        PressCtrl(v, 'V');
        EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, row.display));
        EXPECT_EQ(BellsAfter(before + row.bells) - before, row.bells);
        TypeText(v, row.typedAfter);
        EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, row.displayAfter));
        if (row.text != nullptr) {
            EXPECT_TRUE(ClipboardHolds(row.text)) << "paste leaves the clipboard alone";
        }
    }
}

// ---- The Clipboard Formats sheet ----

constexpr const char* kSheetCaption = "Clipboard Formats";

HWND OpenSheet(const Vexo& v) {
    PostCommand(v, IDM_CLIPBOARD_FORMATS);
    return WaitForDialog(v, kSheetCaption);
}

HWND SheetTabs(HWND sheet) { return FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr); }

// The tab titles, read through a buffer in the program's own memory.
std::vector<std::string> TabTitles(const Vexo& v, HWND sheet) {
    std::vector<std::string> titles;
    const HWND tabs = SheetTabs(sheet);
    const int count = static_cast<int>(Send(tabs, TCM_GETITEMCOUNT));
    struct Remote {
        TCITEMA item;
        char text[64];
    };
    auto* remote = static_cast<Remote*>(
        VirtualAllocEx(v.process.hProcess, nullptr, sizeof(Remote), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (remote == nullptr) return titles;
    for (int i = 0; i < count; ++i) {
        Remote local{};
        local.item.mask = TCIF_TEXT;
        local.item.pszText = remote->text;
        local.item.cchTextMax = sizeof local.text;
        WriteProcessMemory(v.process.hProcess, remote, &local, sizeof local, nullptr);
        Send(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(v.process.hProcess, remote, &local, sizeof local, nullptr);
        local.text[sizeof local.text - 1] = '\0';
        titles.push_back(local.text);
    }
    VirtualFreeEx(v.process.hProcess, remote, 0, MEM_RELEASE);
    return titles;
}

HWND ShowPage(HWND sheet, int index) {
    Send(sheet, PSM_SETCURSEL, index);
    return reinterpret_cast<HWND>(Send(sheet, PSM_GETCURRENTPAGEHWND));
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(Send(sheet, PSM_GETCURRENTPAGEHWND)); }

bool CloseSheet(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    return DialogGone(sheet);
}

const std::vector<std::string> kBuiltInTitles = {"NDF", "DF", "Pal", "Film", "35mm", "16mm", "Hex", "Dec", "Oct"};

struct PageRow {
    const char* title;
    const char* kindLabel;
    const char* sample;
    const char* trailing;           // nullptr: the box is hidden
    std::vector<int> checked;       // the controls shown checked
    std::vector<int> present;       // every control id of the page's template
};

const std::vector<int> kHmsfControls = {2100, 2101, 2102, 2103, 2104, 2105, 2106, 2113, 2115, 2116};
const std::vector<int> kDropControls = {2100, 2101, 2102, 2103, 2104, 2105, 2106, 2107, 2108, 2113, 2115, 2116};
const std::vector<int> kFeetControls = {2100, 2101, 2102, 2104, 2105, 2107, 2109, 2110, 2113, 2115, 2116};
const std::vector<int> kHexControls = {2100, 2101, 2102, 2111, 2112, 2113, 2114, 2115, 2116};
const std::vector<int> kDecControls = {2100, 2101, 2102, 2110, 2113, 2115, 2116};
const std::vector<int> kOctControls = {2100, 2101, 2102, 2110, 2112, 2113, 2115, 2116};

const PageRow kPageRows[] = {
    {"NDF", "HMSF:", "00:01:00:00 NDF", "&Trailing:  NDF", {2103, 2106, 2113}, kHmsfControls},
    {"DF", "HMSF:", "00:01:00;02 DF", "&Trailing:  DF", {2103, 2108, 2113}, kDropControls},
    {"Pal", "HMSF:", "00:01:00:00 PAL", "&Trailing:  PAL", {2103, 2106, 2113}, kHmsfControls},
    {"Film", "HMSF:", "00:01:00:00", nullptr, {2103, 2106, 2113}, kHmsfControls},
    {"35mm", "FF:", "1,000-00", "&Trailing:  35mm", {2101, 2109, 2110}, kFeetControls},
    {"16mm", "FF:", "1,000-00", "&Trailing:  16mm", {2101, 2109, 2110}, kFeetControls},
    {"Hex", "HEX:", "1FFF", "&Trailing: h", {2101, 2114}, kHexControls},
    {"Dec", "DEC:", "1,000 Frms", "&Trailing:  Frms", {2101, 2110, 2113}, kDecControls},
    {"Oct", "OCT:", "1,777Q", "&Trailing: Q", {2101, 2110, 2113}, kOctControls},
};

TEST(FormatsSheet, PagesOfTheBuiltInModes) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    const HWND sheet = OpenSheet(v);
    ASSERT_TRUE(sheet) << "no \"" << kSheetCaption << "\" window";
    EXPECT_EQ(TabTitles(v, sheet), kBuiltInTitles);
    EXPECT_EQ(Send(SheetTabs(sheet), TCM_GETCURSEL), 0) << "opens on the current mode, 30 NDF";

    for (size_t i = 0; i < std::size(kPageRows); ++i) {
        const PageRow& row = kPageRows[i];
        SCOPED_TRACE(row.title);
        const HWND page = ShowPage(sheet, static_cast<int>(i));
        ASSERT_TRUE(page);
        EXPECT_EQ(ItemText(page, IDC_FMT_KIND_LABEL), row.kindLabel);
        EXPECT_EQ(ItemText(page, IDC_FMT_SAMPLE), row.sample);
        const HWND trailing = GetDlgItem(page, IDC_FMT_TRAILING);
        EXPECT_EQ(IsWindowVisible(trailing) != FALSE, row.trailing != nullptr);
        if (row.trailing != nullptr) {
            EXPECT_EQ(ReadControlText(trailing), row.trailing);
        }
        for (int id = IDC_FMT_LEAD_GROUP; id <= IDC_FMT_SAMPLE; ++id) {
            const bool wantedPresent = std::find(row.present.begin(), row.present.end(), id) != row.present.end();
            EXPECT_EQ(GetDlgItem(page, id) != nullptr, wantedPresent) << "control " << id;
            if (id == IDC_FMT_LEAD_GROUP || id == IDC_FMT_SEP_GROUP || id >= IDC_FMT_KIND_LABEL) continue;
            const bool wantedChecked = std::find(row.checked.begin(), row.checked.end(), id) != row.checked.end();
            if (wantedPresent) {
                EXPECT_EQ(Checked(page, id), wantedChecked) << "control " << id;
            }
        }
    }
    ShowPage(sheet, 0);
    ShotWhenPainted(v, "dialogs_formats_sheet_ndf");
    ShowPage(sheet, 6);
    ShotWhenPainted(v, "dialogs_formats_sheet_hex");
    EXPECT_TRUE(CloseSheet(sheet, PSBTN_CANCEL));
}

TEST(FormatsSheet, UserModeGetsItsPageInTableOrder) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, "[Vexo]\r\niMode=10\r\n[Vexo Special]\r\nszCfr2=59.94 DF,5994DF, DF,59.94,1,hmsd,0\r\n"));
    const HWND sheet = OpenSheet(v);
    ASSERT_TRUE(sheet);
    std::vector<std::string> titles = kBuiltInTitles;
    titles.insert(titles.begin() + 6, "5994DF");
    EXPECT_EQ(TabTitles(v, sheet), titles);
    EXPECT_EQ(Send(SheetTabs(sheet), TCM_GETCURSEL), 7) << "Hex is the eighth page here";
    EXPECT_EQ(ItemText(CurrentPage(sheet), IDC_FMT_KIND_LABEL), "HEX:");

    const HWND page = ShowPage(sheet, 6);
    EXPECT_TRUE(GetDlgItem(page, IDC_FMT_SEP_SEMICOLON)) << "a drop-frame page";
    EXPECT_EQ(ItemText(page, IDC_FMT_SAMPLE), "00:01:00;04 DF") << "a label the mode writes";
    EXPECT_EQ(ItemText(page, IDC_FMT_TRAILING), "&Trailing:  DF");
    EXPECT_TRUE(CloseSheet(sheet, PSBTN_CANCEL));
}

TEST(FormatsSheet, StartsOnTheCurrentModesPage) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, "[Vexo]\r\niMode=10\r\n"));
    const HWND sheet = OpenSheet(v);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(Send(SheetTabs(sheet), TCM_GETCURSEL), 6);
    EXPECT_EQ(ItemText(CurrentPage(sheet), IDC_FMT_KIND_LABEL), "HEX:");
    EXPECT_TRUE(CloseSheet(sheet, PSBTN_CANCEL));
}

struct ClickRow {
    int page;
    int id;
    const char* sample;
    std::vector<int> checked;    // afterwards, among the page's buttons
    std::vector<int> unchecked;
};

// Each click changes only its own field, and the sample follows at once.
const ClickRow kClickRows[] = {
    {0, IDC_FMT_LEAD_SPACES, "    1:00:00 NDF", {2102, 2106, 2113}, {2101, 2103, 2105}},
    {0, IDC_FMT_SEP_NONE, "   10000 NDF", {2102, 2105, 2113}, {2101, 2103, 2106}},
    {0, IDC_FMT_TRAILING, "   10000", {2102, 2105}, {2113}},
    {1, IDC_FMT_SEP_PERIOD, "00:01:00.02 DF", {2103, 2107, 2113}, {2106, 2108}},
    {4, IDC_FMT_COMMAS, "1000-00", {2101, 2109}, {2110}},
    {6, IDC_FMT_PREFIX, "0X1FFF", {2101, 2111, 2114}, {2112, 2113}},
    {6, IDC_FMT_UPPER, "0x1fff", {2101, 2111}, {2114}},
    {6, IDC_FMT_LEADING_ZERO, "0x01fff", {2111, 2112}, {2114}},
    {8, IDC_FMT_LEAD_SPACES, "     1,777Q", {2102, 2110, 2113}, {2101}},
};

void ClickThrough(HWND sheet) {
    for (const ClickRow& row : kClickRows) {
        SCOPED_TRACE("page " + std::to_string(row.page) + ", control " + std::to_string(row.id));
        const HWND page = ShowPage(sheet, row.page);
        ClickButton(page, row.id);
        EXPECT_EQ(ItemText(page, IDC_FMT_SAMPLE), row.sample);
        for (int id : row.checked) EXPECT_TRUE(Checked(page, id)) << "control " << id;
        for (int id : row.unchecked) EXPECT_FALSE(Checked(page, id)) << "control " << id;
    }
}

constexpr const char* kBuiltInFormat1 = "4132, 4228, 4132, 4132, 3841, 3841, 17";
constexpr const char* kBuiltInFormat2 = "17, 17, 17, 8193, 6657, 4609, 0";

TEST(FormatsSheet, CancelRestoresEveryPage) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    TypeText(v, "10000");
    const HWND sheet = OpenSheet(v);
    ASSERT_TRUE(sheet);
    ClickThrough(sheet);
    ASSERT_TRUE(CloseSheet(sheet, PSBTN_CANCEL));

    PressCtrl(v, 'C');
    EXPECT_TRUE(ClipboardHolds("00:01:00:00 NDF"));
    EXPECT_EQ(SavedSetting(v, "szFormat1"), kBuiltInFormat1);
    EXPECT_EQ(SavedSetting(v, "szFormat2"), kBuiltInFormat2);

    // Opened again, the pages show the restored words.
    const HWND again = OpenSheet(v);
    ASSERT_TRUE(again);
    EXPECT_EQ(ItemText(ShowPage(again, 0), IDC_FMT_SAMPLE), "00:01:00:00 NDF");
    EXPECT_EQ(ItemText(ShowPage(again, 6), IDC_FMT_SAMPLE), "1FFF");
    EXPECT_TRUE(CloseSheet(again, PSBTN_CANCEL));
}

TEST(FormatsSheet, OkKeepsTheEditsForCopyAndSaveSetup) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    TypeText(v, "10000");
    const HWND sheet = OpenSheet(v);
    ASSERT_TRUE(sheet);
    ClickThrough(sheet);
    ASSERT_TRUE(CloseSheet(sheet, PSBTN_OK));

    bool exists = false;
    std::string ini = ReadIni(v.IniPath(), &exists);
    EXPECT_FALSE(IniValue(ini, "Vexo", "szFormat1", nullptr)) << "OK alone writes nothing";

    PressCtrl(v, 'C');
    EXPECT_TRUE(ClipboardHolds("   10000"));
    EXPECT_EQ(XClipboard(v), "   10000");
    PostCommand(v, IDM_MODE_HEX);
    SyncPosted(v);
    TypeText(v, "\x1b" "1ff");
    PressCtrl(v, 'C');
    EXPECT_TRUE(ClipboardHolds("0x01FF")) << "display digits keep their case without Upper Case";

    // 0x0012, 0x1044, 0x0D01, 0x0C01 (Hex), 0x1202 (Oct).
    EXPECT_EQ(SavedSetting(v, "szFormat1"), "18, 4164, 4132, 4132, 3329, 3841, 17");
    EXPECT_EQ(SavedSetting(v, "szFormat2"), "17, 17, 17, 3073, 6657, 4610, 0");
}

// ---- The Arabic <> Roman dialog ----

constexpr const char* kRomanCaption = "Arabic <> Roman";

HWND OpenRoman(const Vexo& v) {
    PostCommand(v, IDM_ROMAN);
    return WaitForDialog(v, kRomanCaption);
}

TEST(RomanDialog, OpensEmptyWithTheArabicFieldFocused) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    const HWND dialog = OpenRoman(v);
    ASSERT_TRUE(dialog) << "no \"" << kRomanCaption << "\" window";
    EXPECT_EQ(ItemText(dialog, IDC_ROMAN_ARABIC), "");
    EXPECT_EQ(ItemText(dialog, IDC_ROMAN_ROMAN), "");
    EXPECT_TRUE(Checked(dialog, IDC_ROMAN_UPPER)) << "Upper Case is on by default";
    EXPECT_TRUE(Poll([&] { return FocusWindow(v) == GetDlgItem(dialog, IDC_ROMAN_ARABIC); }));
    EXPECT_FALSE(IsWindowEnabled(v.main)) << "modal";
    ShotWhenPainted(v, "dialogs_roman");
}

TEST(RomanDialog, TypingIsFilteredAndConversionsShowSelected) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    const HWND dialog = OpenRoman(v);
    ASSERT_TRUE(dialog);
    const HWND arabic = GetDlgItem(dialog, IDC_ROMAN_ARABIC);
    const HWND roman = GetDlgItem(dialog, IDC_ROMAN_ROMAN);

    struct Row {
        const char* label;
        int field;
        const char* typed;
        const char* shown;
    };
    const Row kRows[] = {
        {"only digits in the Arabic field", IDC_ROMAN_ARABIC, "1a2 B.3-", "123"},
        {"backspace works", IDC_ROMAN_ARABIC, "\b\b", "1"},
        {"upper case forced", IDC_ROMAN_ROMAN, "xaiQ v1 ", "XIV"},
        {"capitals forced too", IDC_ROMAN_ROMAN, "Ld", "XIVLD"},
        {"backspace in the numeral", IDC_ROMAN_ROMAN, "\b\b", "XIV"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.label);
        TypeInto(v, dialog, row.field, row.typed);
        EXPECT_TRUE(ItemTextIs(dialog, row.field, row.shown));
    }

    // Unchecking Upper Case re-cases the numeral at once; the caret stays behind it.
    ClickButton(dialog, IDC_ROMAN_UPPER);
    EXPECT_TRUE(ItemTextIs(dialog, IDC_ROMAN_ROMAN, "xiv"));
    EXPECT_EQ(Send(roman, EM_GETSEL), MAKELRESULT(3, 3));
    EXPECT_EQ(FocusWindow(v), roman);
    TypeInto(v, dialog, IDC_ROMAN_ROMAN, "\b\b\bMCMXCIV");
    EXPECT_TRUE(ItemTextIs(dialog, IDC_ROMAN_ROMAN, "mcmxciv")) << "typed in lower case";

    PostClick(v, dialog, IDC_ROMAN_TO_ARABIC);
    EXPECT_TRUE(ItemTextIs(dialog, IDC_ROMAN_ARABIC, "1994"));
    EXPECT_EQ(Send(arabic, EM_GETSEL), MAKELRESULT(0, 4));
    EXPECT_EQ(FocusWindow(v), arabic);

    SetItemText(dialog, IDC_ROMAN_ARABIC, "0012");
    PostClick(v, dialog, IDC_ROMAN_TO_ROMAN);
    EXPECT_TRUE(ItemTextIs(dialog, IDC_ROMAN_ROMAN, "xii"));
    ClickButton(dialog, IDC_ROMAN_UPPER);
    EXPECT_TRUE(ItemTextIs(dialog, IDC_ROMAN_ROMAN, "XII"));
    SetItemText(dialog, IDC_ROMAN_ARABIC, "3888");
    PostClick(v, dialog, IDC_ROMAN_TO_ROMAN);
    EXPECT_TRUE(ItemTextIs(dialog, IDC_ROMAN_ROMAN, "MMMDCCCLXXXVIII"));
    EXPECT_EQ(FocusWindow(v), roman);
}

TEST(RomanDialog, InvalidInputGivesItsMessage) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    const HWND dialog = OpenRoman(v);
    ASSERT_TRUE(dialog);

    struct Row {
        int field;
        const char* text;
        int button;
        const char* caption;
        const char* message;
    };
    const Row kRows[] = {
        {IDC_ROMAN_ARABIC, "", IDC_ROMAN_TO_ROMAN, "Arabic to Roman Error", "Invalid Arabic Number"},
        {IDC_ROMAN_ARABIC, "0", IDC_ROMAN_TO_ROMAN, "Arabic to Roman Error", "Invalid Arabic Number"},
        {IDC_ROMAN_ARABIC, "4000", IDC_ROMAN_TO_ROMAN, "Arabic to Roman Error", "Invalid Arabic Number"},
        {IDC_ROMAN_ARABIC, "99999999999", IDC_ROMAN_TO_ROMAN, "Arabic to Roman Error", "Invalid Arabic Number"},
        {IDC_ROMAN_ARABIC, "3000000000", IDC_ROMAN_TO_ROMAN, "Arabic to Roman Error", "Invalid Arabic Number"},
        {IDC_ROMAN_ROMAN, "", IDC_ROMAN_TO_ARABIC, "Roman to Arabic Error", "Invalid Roman Numeral"},
        {IDC_ROMAN_ROMAN, "IIII", IDC_ROMAN_TO_ARABIC, "Roman to Arabic Error", "Invalid Roman Numeral"},
        {IDC_ROMAN_ROMAN, "VX", IDC_ROMAN_TO_ARABIC, "Roman to Arabic Error", "Invalid Roman Numeral"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::string(row.caption) + " for \"" + row.text + "\"");
        SetItemText(dialog, IDC_ROMAN_ARABIC, "keep");
        SetItemText(dialog, IDC_ROMAN_ROMAN, "keep");
        SetItemText(dialog, row.field, row.text);
        PostClick(v, dialog, row.button);
        const HWND box = WaitForDialog(v, row.caption);
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(MessageBoxText(box), row.message);
        EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
        EXPECT_TRUE(AnswerMessageBox(box));
        EXPECT_EQ(ItemText(dialog, row.field), row.text) << "the fields keep their contents";
        const int other = row.field == IDC_ROMAN_ARABIC ? IDC_ROMAN_ROMAN : IDC_ROMAN_ARABIC;
        EXPECT_EQ(ItemText(dialog, other), "keep");
    }
}

TEST(RomanDialog, PastesAreFilteredArabicBeepsRomanIsSilent) {
    ASSERT_GE(BellCount(), 0) << "no bell watcher log (LUMO_E2E_BELLS)";
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    const HWND dialog = OpenRoman(v);
    ASSERT_TRUE(dialog);
    ClickButton(dialog, IDC_ROMAN_UPPER);  // Upper Case off
    ASSERT_FALSE(Checked(dialog, IDC_ROMAN_UPPER));

    struct Row {
        const char* label;
        int field;
        const char* before;     // field text set first
        const char* clipboard;  // nullptr: empty clipboard
        bool keyboard;          // Ctrl+V typed, else WM_PASTE sent
        const char* after;
        int bells;
    };
    const Row kRows[] = {
        {"digits pass", IDC_ROMAN_ARABIC, "", "345", false, "345", 0},
        {"a letter refuses with a beep", IDC_ROMAN_ARABIC, "1", "12a", false, "1", 1},
        {"Ctrl+V goes the same way", IDC_ROMAN_ARABIC, "1", "12a", true, "1", 1},
        {"blank refused", IDC_ROMAN_ARABIC, "", "1 2", false, "", 1},
        {"no text: nothing at all", IDC_ROMAN_ARABIC, "7", nullptr, false, "7", 0},
        {"letters pass, lower-cased", IDC_ROMAN_ROMAN, "", "MCM", false, "mcm", 0},
        {"refused silently, still re-cased", IDC_ROMAN_ROMAN, "XI", "MC M", false, "xi", 0},
        {"Ctrl+V goes the same way", IDC_ROMAN_ROMAN, "", "Civ", true, "civ", 0},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.label);
        const HWND field = GetDlgItem(dialog, row.field);
        SetItemText(dialog, row.field, row.before);
        ASSERT_TRUE(SetClipboard(row.clipboard));
        const int before = BellsAfter(0, 0, 300);
        Send(field, EM_SETSEL, 32767, 32767);  // paste behind what the field holds
        if (row.keyboard) {
            TypeInto(v, dialog, row.field, "V", true);
        } else {
            Send(field, WM_PASTE);
        }
        EXPECT_TRUE(ItemTextIs(dialog, row.field, row.after));
        EXPECT_EQ(BellsAfter(before + row.bells) - before, row.bells);
    }
}

// Re-casing the numeral after a paste or a click on Upper Case writes the field anew; the caret
// and the selection stay where the user had them, after a paste behind the pasted text. Both
// fields hold 127 characters, what the dialog reads back, so a long paste shows its cut at once.
TEST(RomanDialog, CaretStaysWhereTheUserHadIt) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    const HWND dialog = OpenRoman(v);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(Checked(dialog, IDC_ROMAN_UPPER));

    struct Row {
        const char* label;
        int field;
        const char* before;
        int selectionStart, selectionEnd;
        std::string clipboard;  // Ctrl+V; empty: a click on Upper Case instead
        const char* typed;      // afterwards
        std::string after;
    };
    const std::string longNumeral(200, 'm');
    const std::string longNumber(200, '7');
    const Row kRows[] = {
        {"paste, then type", IDC_ROMAN_ROMAN, "", 0, 0, "MCM", "x", "MCMX"},
        {"paste in the middle", IDC_ROMAN_ROMAN, "MX", 1, 1, "cm", "l", "MCMLX"},
        {"Upper Case off keeps the caret", IDC_ROMAN_ROMAN, "XV", 1, 1, "", "I", "xiv"},
        {"Upper Case on keeps the selection", IDC_ROMAN_ROMAN, "xiv", 1, 3, "", "x", "XX"},
        {"200 letters: 127 pasted, no more typed", IDC_ROMAN_ROMAN, "", 0, 0, longNumeral, "X",
         std::string(127, 'M')},
        {"200 digits: 127 pasted, no more typed", IDC_ROMAN_ARABIC, "", 0, 0, longNumber, "1",
         std::string(127, '7')},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.label);
        const HWND field = GetDlgItem(dialog, row.field);
        SetItemText(dialog, row.field, row.before);
        Send(field, EM_SETSEL, row.selectionStart, row.selectionEnd);
        if (row.clipboard.empty()) {
            ClickButton(dialog, IDC_ROMAN_UPPER);
        } else {
            ASSERT_TRUE(SetClipboard(row.clipboard.c_str()));
            TypeInto(v, dialog, row.field, "V", true);
        }
        TypeInto(v, dialog, row.field, row.typed);
        EXPECT_TRUE(ItemTextIs(dialog, row.field, row.after));
    }
}

TEST(RomanDialog, EscapeDoesNothingCloseBoxDropsUpperCaseOkKeepsIt) {
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    HWND dialog = OpenRoman(v);
    ASSERT_TRUE(dialog);

    TypeInto(v, dialog, IDC_ROMAN_ARABIC, "\x1b");
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Escape must not close the dialog";

    // The close box: the changed box is dropped.
    ClickButton(dialog, IDC_ROMAN_UPPER);
    ASSERT_FALSE(Checked(dialog, IDC_ROMAN_UPPER));
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(DialogGone(dialog));
    EXPECT_EQ(SavedSetting(v, "bUpperCase"), "1");

    dialog = OpenRoman(v);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(Checked(dialog, IDC_ROMAN_UPPER)) << "the next opening shows the old state";

    // Enter in an edit field presses OK, which keeps the box's state.
    ClickButton(dialog, IDC_ROMAN_UPPER);
    TypeInto(v, dialog, IDC_ROMAN_ARABIC, "\r");
    ASSERT_TRUE(DialogGone(dialog));
    EXPECT_EQ(SavedSetting(v, "bUpperCase"), "0");

    dialog = OpenRoman(v);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(Checked(dialog, IDC_ROMAN_UPPER));
    ClickButton(dialog, IDC_ROMAN_UPPER);
    PostClick(v, dialog, IDOK);
    ASSERT_TRUE(DialogGone(dialog));
    EXPECT_EQ(SavedSetting(v, "bUpperCase"), "1");
    EXPECT_TRUE(IsWindowEnabled(v.main));
}

}  // namespace
}  // namespace e2e
