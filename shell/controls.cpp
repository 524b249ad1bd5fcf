#include "shell/controls.h"

#include <cstdio>

#include "win32/dialog_support.h"
#include "layout/placement.h"
#include "engine/calculator.h"
#include "model/mode_table.h"
#include "settings/options.h"
#include "shell/application.h"
#include "shell/dpi.h"
#include "shell/shell.h"
#include "win32/resource.h"

static_assert(IDC_LAST_KEY - IDC_FIRST_KEY + 1 == kKeypadButtonCount,
              "the keypad ids 1166-1185 must be consecutive, one per keypad row");
static_assert(IDC_FIRST_KEY == kFirstKeypadId, "the engine and the resources share the keypad ids");

constexpr KeypadButton KeypadTable[kKeypadButtonCount] = {
    {2, 84, "C", 1166},     {37, 84, "0", 1167},     {72, 84, "<<", 1168},    {107, 84, "=", 1169},
    {2, 63, "1", 1170},     {37, 63, "2", 1171},     {72, 63, "3", 1172},     {107, 63, "+", 1173},
    {2, 42, "4", 1174},     {37, 42, "5", 1175},     {72, 42, "6", 1176},     {107, 42, "-", 1177},
    {2, 21, "7", 1178},     {37, 21, "8", 1179},     {72, 21, "9", 1180},     {107, 21, "*", 1181},
    {2, 0, "M&R", 1182},    {37, 0, "M&P+", 1183},   {72, 0, "M&M-", 1184},   {107, 0, "/", 1185},
};

// Each button is the one the engine knows by that id, and reads as the engine names it.
constexpr bool LabelsNameTheEnginesKeys() {
    for (int i = 0; i < kKeypadButtonCount; ++i) {
        if (KeypadTable[i].id != KeypadKeys[i].buttonId) return false;
        const char* label = KeypadTable[i].label;
        const char* name = KeypadKeys[i].name;
        for (; *label != '\0'; ++label) {
            if (*label == '&') continue;
            if (*label != *name++) return false;
        }
        if (*name != '\0') return false;
    }
    return true;
}
static_assert(LabelsNameTheEnginesKeys(), "a keypad button's label must read as the engine's name of its key");

HWND g_tapeView = nullptr;
HWND g_display = nullptr;
HWND g_memoryIndicator = nullptr;
HWND g_modeDisplay = nullptr;

namespace {

// Geometry of the layout at 96 DPI, in pixels of the main window's client area. Every length
// is multiplied by DPI/96 for the monitor that the window is on (Scale).
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
// The keypad is a grid: from one column to the next is a key and a 1-pixel gap, and so from one
// row to the next. The first column stands 2 pixels from the left edge.
constexpr int kFirstKeyColumn = 2;
constexpr int kKeyColumnPitch = 35;
constexpr int kKeyRowPitch = 21;
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

// The controls draw with the size of the system font of old, 16 pixels high, 7 wide, bold,
// multiplied by DPI/96, in a TrueType face at every DPI: the system font does not scale (on
// Windows it is a bitmap font, and Wine scales its height but not its width). Tahoma is the face
// that Wine draws the system font with; every Windows since 2000 has it. Squeezed to 7 pixels,
// though, Tahoma's "-" is a dot and its "*" a speck, so the keys take the face's own width at
// the same height: their labels are a character or three, with room to spare. The display and
// the tape keep the old width, which their longest texts need.
constexpr int kSystemFontHeight = 16;
constexpr int kSystemFontWidth = 7;
constexpr int kFacesOwnWidth = 0;
constexpr const char* kScalableFace = "Tahoma";

WNDPROC g_modeDisplayProc = nullptr;
UINT g_layoutDpi = kLayoutDpi;  // the DPI of the window's monitor, from creation and WM_DPICHANGED
HFONT g_controlFont = nullptr;  // the display, the tape and the mode line
HFONT g_keyFont = nullptr;      // the keypad

int Scale(int length) { return ScaleToDpi(length, g_layoutDpi); }

int TapeExtra() { return AppOf(g_mainWindow).options.bDispTape == 1 ? Scale(kTapeHeight) : 0; }

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

SIZE ClientSizeFor(UINT dpi, const Options& options) {
    int height = ScaleToDpi(kClientHeight, dpi);
    if (options.bDispTape == 1) height += ScaleToDpi(kTapeHeight, dpi);
    if (options.bDispMode == 1) height += ScaleToDpi(kModeLineHeight, dpi);
    return SIZE{ScaleToDpi(kClientWidth, dpi), height};
}

// The width of the tape's scroll bar, which the system draws at the window's DPI.
int ThumbWidth() { return SystemMetricForDpi(SM_CXHTHUMB, g_layoutDpi); }

int FrameLeft(int clientWidth) { return (clientWidth - Scale(kFrameWidth)) / 2; }
int TapeLeft(int clientWidth) { return (clientWidth - ThumbWidth() - Scale(kTapeInnerWidth)) / 2; }

// A keypad column or row: each grid step is scaled once and repeated, so that at every DPI the
// keys stay equal and evenly spaced, as they are at 96 DPI.
int OnKeyGrid(int position, int origin, int pitch) {
    const int offset = position - origin;
    return Scale(origin) + offset / pitch * Scale(pitch) + Scale(offset % pitch);
}

// A control's place in the client area.
struct Box {
    int x;
    int y;
    int width;
    int height;
};

Box TapeBox(SIZE client) {
    return {TapeLeft(client.cx), Scale(kTapeTop), ThumbWidth() + Scale(kTapeInnerWidth), Scale(kTapeMaxHeight)};
}
Box FrameBox(SIZE client) {
    return {FrameLeft(client.cx), TapeExtra() + Scale(kFrameTop), Scale(kFrameWidth), Scale(kFrameHeight)};
}
Box DisplayBox(SIZE client) {
    return {FrameLeft(client.cx) + Scale(kDisplayLeft), TapeExtra() + Scale(kDisplayTop), Scale(kDisplayWidth),
            Scale(kDisplayHeight)};
}
Box MemoryBox(SIZE client) {
    return {FrameLeft(client.cx) + Scale(kMemoryLeft), TapeExtra() + Scale(kDisplayTop), Scale(kMemorySize),
            Scale(kMemorySize)};
}
Box ModeDisplayBox(SIZE client) {
    return {(client.cx - Scale(kModeDisplayWidth)) / 2, client.cy - Scale(kModeDisplayFromBottom),
            Scale(kModeDisplayWidth), Scale(kModeDisplayHeight)};
}
Box KeyBox(const KeypadButton& key) {
    return {OnKeyGrid(key.x, kFirstKeyColumn, kKeyColumnPitch),
            Scale(kKeypadBlockTop) + TapeExtra() + OnKeyGrid(key.y, 0, kKeyRowPitch), Scale(kKeyWidth),
            Scale(kKeyHeight)};
}

// The controls other than the keypad, each with the function that places it.
struct ChildControl {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    Box (*place)(SIZE client);
};

// Created in this order: these four, the keypad, then the mode display.
constexpr ChildControl kUpperControls[] = {
    {IDC_TAPE, "listbox", "", WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_DISABLENOSCROLL, TapeBox},
    {IDC_FRAME, "static", "", WS_VISIBLE | SS_WHITERECT, FrameBox},
    {IDC_DISPLAY, "static", "0", WS_VISIBLE | SS_RIGHT, DisplayBox},
    {IDC_MEMORY, "static", " ", WS_VISIBLE | SS_LEFT, MemoryBox},
};
constexpr ChildControl kModeDisplayControl = {IDC_MODE_DISPLAY, "edit", "Mode Display",
                                              ES_READONLY | ES_MULTILINE | ES_CENTER, ModeDisplayBox};

HWND CreateChild(HWND parent, HINSTANCE instance, const char* className, const char* text, DWORD style,
                 const Box& box, int id) {
    return CreateWindowExA(0, className, text, WS_CHILD | style, box.x, box.y, box.width, box.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

HWND CreateChild(HWND parent, HINSTANCE instance, const ChildControl& control, SIZE client) {
    return CreateChild(parent, instance, control.className, control.text, control.style, control.place(client),
                       control.id);
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

void PlaceControl(HWND mainWindow, int id, const Box& box) {
    SetWindowPos(GetDlgItem(mainWindow, id), nullptr, box.x, box.y, box.width, box.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceControls(HWND mainWindow) {
    const SIZE client = ClientSize(mainWindow);
    for (const ChildControl& control : kUpperControls) PlaceControl(mainWindow, control.id, control.place(client));
    for (const KeypadButton& key : KeypadTable) PlaceControl(mainWindow, key.id, KeyBox(key));
    PlaceControl(mainWindow, kModeDisplayControl.id, kModeDisplayControl.place(client));
}

void ShowIf(HWND control, bool shown) { ShowWindow(control, shown ? SW_SHOWNORMAL : SW_HIDE); }

// Sizes the window around the client area that the layout needs, keeping its top-left corner.
// The system's answer for the frame can miss (a menu bar that wraps, a frame drawn for another
// DPI): what the client area then lacks or has too much is added to the window once more.
void FitMainWindow(HWND mainWindow) {
    const SIZE wanted = ClientSizeFor(g_layoutDpi, AppOf(mainWindow).options);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(mainWindow, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(mainWindow, GWL_EXSTYLE));
    SIZE outer = WindowSizeForClient(wanted, style, exStyle, g_layoutDpi);
    constexpr UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(mainWindow, nullptr, 0, 0, outer.cx, outer.cy, kSizeOnly);
    const SIZE got = ClientSize(mainWindow);
    if (got.cx == wanted.cx && got.cy == wanted.cy) return;
    outer.cx += wanted.cx - got.cx;
    outer.cy += wanted.cy - got.cy;
    SetWindowPos(mainWindow, nullptr, 0, 0, outer.cx, outer.cy, kSizeOnly);
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// A window that lay on its monitor's work area stays there when it grows: it moves up (or left)
// as far as it grew out, as the start-up placement would place it. One that the user left
// hanging over an edge stays where it is.
void KeepOnWorkArea(HWND mainWindow, const RECT& before) {
    const ScreenRect work = WorkArea(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST));
    const ScreenRect now = ToScreenRect(WindowRectOf(mainWindow));
    const ScreenRect kept = KeepGrownInside(ToScreenRect(before), now, work);
    if (kept == now) return;
    SetWindowPos(mainWindow, nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT CreateControlFont(UINT dpi, int width) {
    LOGFONTA font{};
    font.lfHeight = ScaleToDpi(kSystemFontHeight, dpi);
    font.lfWidth = ScaleToDpi(width, dpi);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, kScalableFace, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

void SendFont(HWND mainWindow, int id, HFONT font) {
    SendMessageA(GetDlgItem(mainWindow, id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// Every control takes the font for the layout's DPI. The controls are redrawn together afterwards: one by one, the white frame, which lies above the
// display, would paint over the display's text.
void SetControlFont(HWND mainWindow) {
    const HFONT previous[] = {g_controlFont, g_keyFont};
    g_controlFont = CreateControlFont(g_layoutDpi, kSystemFontWidth);
    g_keyFont = CreateControlFont(g_layoutDpi, kFacesOwnWidth);
    for (const ChildControl& control : kUpperControls) SendFont(mainWindow, control.id, g_controlFont);
    for (const KeypadButton& key : KeypadTable) SendFont(mainWindow, key.id, g_keyFont);
    SendFont(mainWindow, kModeDisplayControl.id, g_controlFont);
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    for (HFONT font : previous)
        if (font != nullptr) DeleteObject(font);
}

// A tape line is as high as the font: the system font's 16 pixels multiplied by DPI/96, like
// every other length of the layout.
int TapeLineHeight() { return Scale(kSystemFontHeight); }

}  // namespace

SIZE MainWindowSize(UINT dpi, DWORD style, const Options& options) {
    return WindowSizeForClient(ClientSizeFor(dpi, options), style, 0, dpi);
}

void CreateControls(HWND mainWindow, HINSTANCE instance) {
    g_layoutDpi = WindowDpi(mainWindow);
    FitMainWindow(mainWindow);
    const SIZE client = ClientSize(mainWindow);
    for (const ChildControl& control : kUpperControls) CreateChild(mainWindow, instance, control, client);
    g_tapeView = GetDlgItem(mainWindow, IDC_TAPE);
    g_display = GetDlgItem(mainWindow, IDC_DISPLAY);
    g_memoryIndicator = GetDlgItem(mainWindow, IDC_MEMORY);
    for (const KeypadButton& key : KeypadTable) {
        CreateChild(mainWindow, instance, "button", key.label, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, KeyBox(key),
                    key.id);
    }
    g_modeDisplay = CreateChild(mainWindow, instance, kModeDisplayControl, client);
    g_modeDisplayProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        g_modeDisplay, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ModeDisplayProc)));
    SetControlFont(mainWindow);
}

void RelayoutControls(HWND mainWindow) {
    const RECT before = WindowRectOf(mainWindow);
    const Options& options = AppOf(mainWindow).options;
    ShowIf(g_tapeView, options.bDispTape != 0);
    ShowIf(g_modeDisplay, options.bDispMode != 0);
    FitMainWindow(mainWindow);
    KeepOnWorkArea(mainWindow, before);
    PlaceControls(mainWindow);
}

void ChangeDpi(HWND mainWindow, UINT dpi, const RECT& suggested) {
    g_layoutDpi = dpi;
    SetControlFont(mainWindow);
    // Set before the tape is placed: the list box cuts its height to whole lines.
    SendMessageA(g_tapeView, LB_SETITEMHEIGHT, 0, TapeLineHeight());
    SetWindowPos(mainWindow, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RelayoutControls(mainWindow);
}

TextBuffer ModeDisplayText(const ModeTable& modes, int mode) {
    const ModeRecord& row = ModeRow(modes, mode);
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

void SetModeDisplayText(const ModeTable& modes, int mode) {
    SetWindowTextA(g_modeDisplay, ModeDisplayText(modes, mode).c_str());
}

RECT TapeEdgeRect(HWND mainWindow) {
    RECT tapeClient{};
    GetClientRect(g_tapeView, &tapeClient);
    const int margin = Scale(kTapeEdgeMargin);
    return RECT{TapeLeft(ClientSize(mainWindow).cx) - margin, Scale(kTapeTop) - margin,
                ThumbWidth() + Scale(kTapeEdgeRight), tapeClient.bottom + Scale(kTapeTop) + margin};
}

bool OnMeasureTapeItem(HWND, MEASUREITEMSTRUCT* item) {
    if (item->CtlID == 0 || item->CtlID == static_cast<UINT>(-1)) return false;
    item->itemHeight = static_cast<UINT>(TapeLineHeight());
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
