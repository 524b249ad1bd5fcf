#include "dialogs/help_window.h"

#include <string_view>
#include <utility>

#include "win32/dialog_support.h"
#include "layout/placement.h"
#include "model/fixed_text.h"
#include "win32/resource.h"

namespace {

HWND g_helpWindow = nullptr;
HHOOK g_modalLoopHook = nullptr;
const HelpText* g_help = nullptr;
HFONT g_titleFont = nullptr;  // the dialog font in bold
int g_shownTopic = -1;

constexpr const char* kWindowClass = "VexoHelp";
constexpr const char* kNoMatchTitle = "No topic holds all of these words.";
// Posted to itself after a change of DPI, once the dialog manager has rescaled its own font.
constexpr UINT kRefreshFonts = WM_APP + 1;

// The layout, in dialog units; the controls stretch with the window.
constexpr int kMargin = 7;
constexpr int kGap = 4;
constexpr int kLabelHeight = 10;
constexpr int kLabelToControl = 2;
constexpr int kSearchLabelWidth = 30;
constexpr int kEditHeight = 12;
constexpr int kListHeight = 64;
constexpr int kMinWidth = 120;
constexpr int kMinHeight = 160;
// The window opens as wide as a text of this many average characters of its font: the topics
// are written for a page of about that width.
constexpr int kTextColumns = 78;
// Between the widest text of a table's column and the next column, in dialog units.
constexpr int kColumnGap = 8;
// Between the help window and the main window, in pixels of the screen.
constexpr int kGapBesideMainWindow = 8;

void Place(HWND dialog, int id, const RECT& r) {
    MoveWindow(GetDlgItem(dialog, id), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

// Stacks the rows from the top; the text takes what is left below them.
void LayOut(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT margin = DialogUnits(dialog, 0, 0, kMargin, kMargin);
    const int right = client.right - margin.right;
    int y = kMargin;

    RECT label = DialogUnits(dialog, kMargin, y + kLabelToControl, kSearchLabelWidth, kLabelHeight);
    Place(dialog, IDC_HELP_SEARCH_LABEL, label);
    RECT row = DialogUnits(dialog, kMargin + kSearchLabelWidth, y, 0, kEditHeight);
    row.right = right;
    Place(dialog, IDC_HELP_SEARCH, row);
    y += kEditHeight + kGap;

    row = DialogUnits(dialog, kMargin, y, 0, kLabelHeight);
    row.right = right;
    Place(dialog, IDC_HELP_TOPICS_LABEL, row);
    y += kLabelHeight + kLabelToControl;

    // The list cuts itself to whole rows; what follows goes under the height it took.
    row = DialogUnits(dialog, kMargin, y, 0, kListHeight);
    row.right = right;
    Place(dialog, IDC_HELP_TOPICS, row);
    RECT list{};
    GetWindowRect(GetDlgItem(dialog, IDC_HELP_TOPICS), &list);
    const int top = row.top + (list.bottom - list.top) + DialogUnits(dialog, 0, 0, 0, kGap).bottom;

    row = DialogUnits(dialog, kMargin, 0, 0, kLabelHeight);
    OffsetRect(&row, 0, top);
    row.right = right;
    Place(dialog, IDC_HELP_TITLE, row);
    row.top = row.bottom + DialogUnits(dialog, 0, 0, 0, kLabelToControl).bottom;
    row.bottom = client.bottom - margin.bottom;
    Place(dialog, IDC_HELP_TEXT, row);
}

// The window rectangle around a client rectangle of the dialog, with its own frame and caption.
RECT AroundClient(HWND dialog, RECT client) {
    AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    return client;
}

LOGFONTA DialogFont(HWND dialog) {
    LOGFONTA font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    if (handle != nullptr) GetObjectA(handle, sizeof font, &font);
    return font;
}

// Replaces a font of the window's own, once the control has the new one.
void SetControlFont(HWND dialog, int id, const LOGFONTA& font, HFONT& owned) {
    HFONT made = CreateFontIndirectA(&font);
    if (made == nullptr) return;
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    if (owned != nullptr) DeleteObject(owned);
    owned = made;
}

// The text keeps the dialog font, which follows the DPI as the dialog does; the topic's title
// is that font in bold.
void ApplyFonts(HWND dialog) {
    LOGFONTA title = DialogFont(dialog);
    title.lfWeight = FW_BOLD;
    SetControlFont(dialog, IDC_HELP_TITLE, title, g_titleFont);
}

// Measures texts in the font selected into a device context. It owns nothing, so no cleanup
// stands in the way of what it is handed to: the context is released by MeasuredInFont.
class DcTextWidth final : public TextWidth {
public:
    explicit DcTextWidth(HDC dc) : dc_(dc) {}

    int operator()(std::string_view text) const override {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

    // The average width of the letters, rounded as the edit control rounds it for its tab stops.
    int AverageCharWidth() const {
        constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        return ((*this)(kLetters) / 26 + 1) / 2;
    }

private:
    HDC dc_;
};

// What measure answers from the widths of texts in the control's font.
template <class Measure>
auto MeasuredInFont(HWND control, Measure measure) {
    const HDC dc = GetDC(control);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    const auto result = measure(DcTextWidth(dc));
    SelectObject(dc, oldFont);
    ReleaseDC(control, dc);
    return result;
}

// Sizes the window so that the text shows kTextColumns characters a line.
void FitWidthToText(HWND dialog) {
    const HWND text = GetDlgItem(dialog, IDC_HELP_TEXT);
    const int averageWidth = MeasuredInFont(text, [](const DcTextWidth& width) { return width.AverageCharWidth(); });
    const LRESULT margins = SendMessageA(text, EM_GETMARGINS, 0, 0);
    const int textWidth = kTextColumns * averageWidth + LOWORD(margins) + HIWORD(margins) +
                          GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
    RECT client{};
    GetClientRect(dialog, &client);
    client.right = textWidth + 2 * DialogUnits(dialog, 0, 0, kMargin, 0).right;
    const RECT window = AroundClient(dialog, client);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const HelpTopic& Topic(int index) { return g_help->Topics()[static_cast<std::size_t>(index)]; }

TextBuffer TitleOf(int topic) {
    TextBuffer title;
    for (char c : Topic(topic).title) title.append(c);
    return title;
}

void SelectListedTopic(HWND dialog, int topic) {
    const HWND list = GetDlgItem(dialog, IDC_HELP_TOPICS);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    LRESULT found = -1;
    for (LRESULT i = 0; i < count && found == -1; ++i) {
        if (SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == topic) found = i;
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

// The topic's tables line up at tab stops made for its own columns in the text's font.
void ShowTopicText(HWND text, const TopicText& shown) {
    const ColumnLayout layout = MeasuredInFont(text, [&shown](const DcTextWidth& width) {
        const int gap = MulDiv(kColumnGap, width.AverageCharWidth(), 4);
        return LayOutColumns(shown, width, width.AverageCharWidth(), gap);
    });
    SendMessageA(text, EM_SETTABSTOPS, layout.stopCount, reinterpret_cast<LPARAM>(layout.stops));
    SetWindowTextA(text, layout.text.c_str());
}

void ShowTopic(HWND dialog, int topic) {
    g_shownTopic = topic;
    SelectListedTopic(dialog, topic);
    if (topic < 0) {
        SetDlgItemTextA(dialog, IDC_HELP_TITLE, kNoMatchTitle);
        SetDlgItemTextA(dialog, IDC_HELP_TEXT, "");
        return;
    }
    SetDlgItemTextA(dialog, IDC_HELP_TITLE, TitleOf(topic).c_str());
    ShowTopicText(GetDlgItem(dialog, IDC_HELP_TEXT), TopicDisplayText(Topic(topic).body));
}

void ListTopics(HWND dialog, const TopicList& topics) {
    const HWND list = GetDlgItem(dialog, IDC_HELP_TOPICS);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int topic : topics) {
        const LRESULT item = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TitleOf(topic).c_str()));
        if (item >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(item), topic);
    }
}

// The list narrows to the topics that hold every word typed; the shown topic stays when it is
// among them, else the first of them is shown.
void OnSearchChanged(HWND dialog) {
    char words[kMaxTextLength + 1] = "";
    GetDlgItemTextA(dialog, IDC_HELP_SEARCH, words, sizeof words);
    const TopicList found = g_help->Search(words);
    ListTopics(dialog, found);
    ShowTopic(dialog, found.Contains(g_shownTopic) ? g_shownTopic : (found.empty() ? -1 : *found.begin()));
}

void OnTopicPicked(HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_HELP_TOPICS);
    const LRESULT item = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (item < 0) return;
    ShowTopic(dialog, static_cast<int>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(item), 0)));
}

BOOL OnInitDialog(HWND dialog, const HelpText* help) {
    g_help = help;
    g_shownTopic = -1;
    ApplyFonts(dialog);
    ListTopics(dialog, g_help->Search(""));
    FitWidthToText(dialog);
    LayOut(dialog);
    return FALSE;  // the opener sets the focus
}

void OnCommand(HWND dialog, int id, int code) {
    if (id == IDC_HELP_SEARCH && code == EN_CHANGE) OnSearchChanged(dialog);
    if (id == IDC_HELP_TOPICS && code == LBN_SELCHANGE) OnTopicPicked(dialog);
    // Esc, and the edit control's own Esc, which closes the dialog it stands in.
    if (id == IDCANCEL) DestroyWindow(dialog);
}

// The smallest the window can be made, frame and caption included.
SIZE MinimumSize(HWND dialog) {
    const RECT minimum = AroundClient(dialog, DialogUnits(dialog, 0, 0, kMinWidth, kMinHeight));
    return SIZE{minimum.right - minimum.left, minimum.bottom - minimum.top};
}

void OnGetMinMaxInfo(HWND dialog, MINMAXINFO& info) {
    const SIZE minimum = MinimumSize(dialog);
    info.ptMinTrackSize = POINT{minimum.cx, minimum.cy};
}

// The read-only text reads on the window colour, as a document does.
INT_PTR OnCtlColorStatic(HWND control, HDC dc) {
    if (GetDlgCtrlID(control) != IDC_HELP_TEXT) return FALSE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

// The window takes the size Windows suggests for the new DPI; the dialog manager rescales its
// own font and controls of a per-monitor-aware dialog, then the window's own fonts follow it.
void OnDpiChanged(HWND dialog, const RECT& suggested) {
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(dialog, kRefreshFonts, 0, 0);
}

void OnDestroy() {
    if (g_modalLoopHook != nullptr) UnhookWindowsHookEx(g_modalLoopHook);
    g_modalLoopHook = nullptr;
    g_helpWindow = nullptr;
    g_shownTopic = -1;
    if (g_titleFont != nullptr) DeleteObject(g_titleFont);
    g_titleFont = nullptr;
}

INT_PTR CALLBACK HelpWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<const HelpText*>(lParam));
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_SIZE:
        LayOut(dialog);
        return TRUE;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(dialog, *reinterpret_cast<MINMAXINFO*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_HELP:
        ShowTopic(dialog, g_help->TopicIndex(help_topics::kUsingHelp));
        return TRUE;
    case WM_DPICHANGED:
        OnDpiChanged(dialog, *reinterpret_cast<const RECT*>(lParam));
        return FALSE;
    case kRefreshFonts:
        ApplyFonts(dialog);
        LayOut(dialog);
        // The tab stops were measured in the font of the old DPI.
        if (g_shownTopic >= 0) ShowTopic(dialog, g_shownTopic);
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}

// The template names this class, so that the help window is told apart from the program's
// message boxes and dialogs, and carries the program's icon.
bool RegisterHelpWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefDlgProcA;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, IDR_VEXO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassOnce(windowClass);
}

// Beside the main window, inside the work area of the main window's monitor.
void PlaceBesideMainWindow(HWND window, HWND mainWindow) {
    RECT own{};
    RECT anchor{};
    GetWindowRect(window, &own);
    GetWindowRect(mainWindow, &anchor);
    const ScreenRect placed = PlaceBeside(ToScreenRect(anchor), own.right - own.left, own.bottom - own.top,
                                          MinimumSize(window).cx, kGapBesideMainWindow,
                                          WorkArea(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST)));
    SetWindowPos(window, nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// A modal dialog of the program (the help asked for by the Roman dialog) runs a loop of its
// own, which hands the help window's messages to this hook before it dispatches them.
LRESULT CALLBACK ModalLoopHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && IsHelpWindowMessage(*reinterpret_cast<MSG*>(lParam))) return TRUE;
    return CallNextHookEx(g_modalLoopHook, code, wParam, lParam);
}

HWND CreateHelpWindow(HWND mainWindow, const HelpText& help) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    if (!RegisterHelpWindowClass(instance)) return nullptr;
    HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_HELP), mainWindow, HelpWindowProc,
                                     reinterpret_cast<LPARAM>(&help));
    if (window == nullptr) return nullptr;
    PlaceBesideMainWindow(window, mainWindow);
    g_modalLoopHook = SetWindowsHookExA(WH_MSGFILTER, ModalLoopHook, nullptr, GetCurrentThreadId());
    return window;
}

}  // namespace

HWND OpenHelpWindow(HWND mainWindow, const HelpText& help, int topic, HelpFocus focus) {
    if (g_helpWindow == nullptr) {
        g_helpWindow = CreateHelpWindow(mainWindow, help);
        if (g_helpWindow == nullptr) return nullptr;
        ShowTopic(g_helpWindow, topic);
    } else if (focus == HelpFocus::Text) {
        // A topic asked for by name is shown among all topics, whatever was searched for.
        SetDlgItemTextA(g_helpWindow, IDC_HELP_SEARCH, "");
        ShowTopic(g_helpWindow, topic);
    }
    ShowWindow(g_helpWindow, SW_SHOW);
    SetForegroundWindow(g_helpWindow);
    const int focusId = focus == HelpFocus::Search ? IDC_HELP_SEARCH : IDC_HELP_TEXT;
    SetFocus(GetDlgItem(g_helpWindow, focusId));
    if (focus == HelpFocus::Search) SendDlgItemMessageA(g_helpWindow, IDC_HELP_SEARCH, EM_SETSEL, 0, -1);
    return g_helpWindow;
}


bool IsHelpWindowMessage(MSG& message) {
    return g_helpWindow != nullptr && IsDialogMessageA(g_helpWindow, &message);
}
