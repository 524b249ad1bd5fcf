#include "shell/controls.h"

#include <cstdio>

#include "engine/calculator.h"
#include "model/mode_table.h"
#include "settings/options.h"
#include "shell/resource.h"

static_assert(IDC_LAST_KEY - IDC_FIRST_KEY + 1 == kKeypadButtonCount,
              "the keypad ids 1166-1185 must be consecutive, one per keypad row");
static_assert(IDC_FIRST_KEY == kFirstKeypadId, "the engine and the resources share the keypad ids");

HWND g_tapeView = nullptr;
HWND g_display = nullptr;
HWND g_memoryIndicator = nullptr;
HWND g_modeDisplay = nullptr;

namespace {

// Geometry of the layout, in pixels of the main window's client area.
constexpr int kClientWidth = 143;
constexpr int kClientHeight = 141;
constexpr int kTapeHeight = 87;         // what the tape adds above the display box
constexpr int kModeLineHeight = 28;     // what the mode display adds below the keypad
constexpr int kTapeInnerWidth = 117;    // tape width without its scroll bar
constexpr int kTapeTop = 4;
constexpr int kTapeMaxHeight = 85;
// The sunken edge starts 2 pixels left of and above the tape; its right side is S + 125.
constexpr int kTapeEdgeMargin = 2;
constexpr int kTapeEdgeRight = 125;
constexpr int kKeypadBlockTop = 36;
constexpr int kKeyWidth = 34;
constexpr int kKeyHeight = 20;
constexpr int kFrameWidth = 100;
constexpr int kFrameHeight = 22;
constexpr int kFrameTop = 6;
constexpr int kDisplayLeft = 18;        // from the frame's left edge
constexpr int kDisplayTop = 8;
constexpr int kDisplayWidth = 80;
constexpr int kDisplayHeight = 16;
constexpr int kMemoryLeft = 2;          // from the frame's left edge
constexpr int kMemorySize = 12;
constexpr int kModeDisplayWidth = 137;
constexpr int kModeDisplayHeight = 18;
constexpr int kModeDisplayFromBottom = 20;

constexpr const char* kModeDisplayCreationText = "Mode Display";

WNDPROC g_modeDisplayProc = nullptr;
int g_tapeLineHeight = 0;  // measured once, at the first measure request

int TapeExtra() { return g_options.bDispTape == 1 ? kTapeHeight : 0; }

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

int FrameLeft(int clientWidth) { return (clientWidth - kFrameWidth) / 2; }
int TapeLeft(int clientWidth) { return (clientWidth - GetSystemMetrics(SM_CXHTHUMB) - kTapeInnerWidth) / 2; }
int ModeDisplayLeft(int clientWidth) { return (clientWidth - kModeDisplayWidth) / 2; }

HWND CreateChild(HWND parent, HINSTANCE instance, const char* className, const char* text,
                 DWORD style, int x, int y, int width, int height, int id) {
    return CreateWindowExA(0, className, text, WS_CHILD | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

// The mode display keeps no caret, no cursor of its own and no context menu. The edit
// control opens its menu on WM_CONTEXTMENU, which the default handling of the right button's
// release sends, so that is swallowed as well as the press.
LRESULT CALLBACK ModeDisplayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS:
        case WM_SETCURSOR:
        case WM_RBUTTONDOWN:
        case WM_CONTEXTMENU:
            return 0;
        default:
            return CallWindowProcA(g_modeDisplayProc, window, message, wParam, lParam);
    }
}

void MoveControl(HWND mainWindow, int id, int x, int y) {
    SetWindowPos(GetDlgItem(mainWindow, id), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowIf(HWND control, bool shown) { ShowWindow(control, shown ? SW_SHOWNORMAL : SW_HIDE); }

int MeasureTapeLineHeight(HWND mainWindow) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(mainWindow, WM_GETFONT, 0, 0));
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HDC dc = GetDC(mainWindow);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(mainWindow, dc);
    return metrics.tmHeight;
}

}  // namespace

void CreateControls(HWND mainWindow, HINSTANCE instance) {
    const SIZE client = ClientSize(mainWindow);
    const int thumb = GetSystemMetrics(SM_CXHTHUMB);
    const int frameLeft = FrameLeft(client.cx);

    g_tapeView = CreateChild(mainWindow, instance, "listbox", "",
                             WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_DISABLENOSCROLL,
                             TapeLeft(client.cx), kTapeTop, thumb + kTapeInnerWidth, kTapeMaxHeight,
                             IDC_TAPE);
    CreateChild(mainWindow, instance, "static", "", WS_VISIBLE | SS_WHITERECT, frameLeft,
                UpperAreaTop(kFrameTop), kFrameWidth, kFrameHeight, IDC_FRAME);
    g_display = CreateChild(mainWindow, instance, "static", "0", WS_VISIBLE | SS_RIGHT,
                            frameLeft + kDisplayLeft, UpperAreaTop(kDisplayTop), kDisplayWidth,
                            kDisplayHeight, IDC_DISPLAY);
    g_memoryIndicator = CreateChild(mainWindow, instance, "static", " ", WS_VISIBLE | SS_LEFT,
                                    frameLeft + kMemoryLeft, UpperAreaTop(kDisplayTop), kMemorySize,
                                    kMemorySize, IDC_MEMORY);
    for (const KeypadButton& key : KeypadTable) {
        CreateChild(mainWindow, instance, "button", key.label, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                    key.x, KeypadTop(key.y), kKeyWidth, kKeyHeight, key.id);
    }
    g_modeDisplay = CreateChild(mainWindow, instance, "edit", kModeDisplayCreationText,
                                ES_READONLY | ES_MULTILINE | ES_CENTER, ModeDisplayLeft(client.cx),
                                client.cy - kModeDisplayFromBottom, kModeDisplayWidth,
                                kModeDisplayHeight, IDC_MODE_DISPLAY);
    g_modeDisplayProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        g_modeDisplay, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ModeDisplayProc)));
}

int MainWindowHeight() {
    int height = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) +
                 2 * GetSystemMetrics(SM_CYDLGFRAME) + kClientHeight;
    if (g_options.bDispTape == 1) height += kTapeHeight;
    if (g_options.bDispMode == 1) height += kModeLineHeight;
    return height;
}

int MainWindowWidth() { return 2 * GetSystemMetrics(SM_CXDLGFRAME) + kClientWidth; }

int KeypadTop(int y) { return y + kKeypadBlockTop + TapeExtra(); }

int UpperAreaTop(int y) { return y + TapeExtra(); }

void RelayoutControls(HWND mainWindow) {
    ShowIf(g_tapeView, g_options.bDispTape != 0);
    ShowIf(g_modeDisplay, g_options.bDispMode != 0);

    RECT outer{};
    GetWindowRect(mainWindow, &outer);
    SetWindowPos(mainWindow, nullptr, 0, 0, outer.right - outer.left, MainWindowHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (const KeypadButton& key : KeypadTable) {
        MoveControl(mainWindow, key.id, key.x, KeypadTop(key.y));
    }

    const SIZE client = ClientSize(mainWindow);
    const int frameLeft = FrameLeft(client.cx);
    MoveControl(mainWindow, IDC_FRAME, frameLeft, UpperAreaTop(kFrameTop));
    MoveControl(mainWindow, IDC_DISPLAY, frameLeft + kDisplayLeft, UpperAreaTop(kDisplayTop));
    MoveControl(mainWindow, IDC_MEMORY, frameLeft + kMemoryLeft, UpperAreaTop(kDisplayTop));
    MoveControl(mainWindow, IDC_MODE_DISPLAY, ModeDisplayLeft(client.cx),
                client.cy - kModeDisplayFromBottom);
}

TextBuffer ModeDisplayText(int mode) {
    const ModeRecord& row = ModeRow(mode);
    const std::int32_t kind = row.iKind >= 0 && row.iKind < kKindCount ? row.iKind : KindHmsf;
    char text[kMaxTextLength + 1];
    if (IsCountKind(kind)) {
        std::snprintf(text, sizeof text, "%s   (%i)", KindNames[kind], KindRadix[kind]);
    } else if (kind == KindFeetFrames) {
        std::snprintf(text, sizeof text, "%s   %2.2lf %s", KindNames[kind], row.dFramesPerFoot, "F/F");
    } else {
        std::snprintf(text, sizeof text, "%s   %2.2lf %s", KindNames[kind], row.dFps, "F/S");
    }
    return TextBuffer(text);
}

void SetModeDisplayText(int mode) { SetWindowTextA(g_modeDisplay, ModeDisplayText(mode).c_str()); }

RECT TapeEdgeRect(HWND mainWindow) {
    const int thumb = GetSystemMetrics(SM_CXHTHUMB);
    RECT tapeClient{};
    GetClientRect(g_tapeView, &tapeClient);
    return RECT{TapeLeft(ClientSize(mainWindow).cx) - kTapeEdgeMargin, kTapeTop - kTapeEdgeMargin,
                thumb + kTapeEdgeRight, tapeClient.bottom + kTapeTop + kTapeEdgeMargin};
}

bool OnMeasureTapeItem(HWND mainWindow, MEASUREITEMSTRUCT* item) {
    if (item->CtlID == 0 || item->CtlID == static_cast<UINT>(-1)) return false;
    if (g_tapeLineHeight == 0) g_tapeLineHeight = MeasureTapeLineHeight(mainWindow);
    item->itemHeight = static_cast<UINT>(g_tapeLineHeight);
    return true;
}

bool ReadTapeViewLine(int index, TextBuffer& text) {
    text.clear();
    if (index < 0) return false;
    // LB_GETTEXT knows no buffer size: a line that would not fit is not read at all.
    const LRESULT length = SendMessageA(g_tapeView, LB_GETTEXTLEN, index, 0);
    if (length < 0 || length > static_cast<LRESULT>(kMaxTextLength)) return false;
    char line[kMaxTextLength + 1] = "";
    SendMessageA(g_tapeView, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line));
    text.assign(line);
    return true;
}

bool OnDrawTapeItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlID != IDC_TAPE) return false;

    // The index -1 asks for the focus rectangle of an empty list: it has no text.
    TextBuffer text;
    ReadTapeViewLine(static_cast<int>(item->itemID), text);

    RECT rect = item->rcItem;
    if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        const bool selected = (item->itemState & ODS_SELECTED) != 0;
        COLORREF oldText = 0;
        COLORREF oldBack = 0;
        if (selected) {
            oldText = SetTextColor(item->hDC, GetSysColor(COLOR_HIGHLIGHTTEXT));
            oldBack = SetBkColor(item->hDC, GetSysColor(COLOR_HIGHLIGHT));
        }
        ExtTextOutA(item->hDC, rect.left, rect.top, ETO_OPAQUE, &rect, "  ", 2, nullptr);
        DrawTextA(item->hDC, text.c_str(), -1, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        if (selected) {
            SetTextColor(item->hDC, oldText);
            SetBkColor(item->hDC, oldBack);
        }
    }
    if ((item->itemAction & ODA_FOCUS) || (item->itemState & ODS_FOCUS)) DrawFocusRect(item->hDC, &rect);
    return true;
}
