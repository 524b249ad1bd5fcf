#include "shell/main_window.h"

#include "win32/dialog_support.h"
#include "dialogs/help.h"
#include "shell/application.h"
#include "shell/controls.h"
#include "shell/menus.h"
#include "win32/resource.h"
#include "shell/shell.h"

namespace {

// The application comes with CreateWindow's last argument and stays with the window.
LRESULT OnNcCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcA(window, message, wParam, lParam);
}

// Creation goes on: the controls are made after CreateWindow returns.
LRESULT OnCreate() { return 0; }

LRESULT OnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    QuitHelp(window);
    PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT OnSetFocus(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RefreshPasteItem(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

void PaintTapeEdge(HWND window, HDC dc) {
    if (AppOf(window).options.bDispTape != 1 || g_tapeView == nullptr) return;
    RECT edge = TapeEdgeRect(window);
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
}

LRESULT OnPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintTapeEdge(window, dc);
    EndPaint(window, &paint);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT OnClose(HWND window) {
    SaveWindowPosition(window);
    DestroyWindow(window);
    return 1;
}

LRESULT OnMeasureItem(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (OnMeasureTapeItem(window, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT OnDrawItem(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (OnDrawTapeItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT OnChar(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AppOf(window).calculator.KeyChar(static_cast<char>(wParam), true);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A control's notification is a keypad click, whatever its code; no control handle means a
// menu item or an accelerator.
LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (lParam != 0) {
        AppOf(window).calculator.KeypadCommand(id);
        return 0;
    }
    DispatchMenuCommand(window, id);
    if (id == IDM_EXIT) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT OnSysCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (SystemCommandOf(wParam) != IDM_ALWAYS_ON_TOP) return DefWindowProcA(window, message, wParam, lParam);
    std::int32_t& onTop = AppOf(window).options.bOnTop;
    onTop = (onTop + 1) & 1;
    ApplyAlwaysOnTop(window);
    return 0;
}

// The clipboard may have changed since the window last had the focus: Paste is checked again
// each time a menu opens. TranslateAccelerator sends this message too, before it looks whether
// the command's item is greyed (an accelerator of a greyed item does nothing), so Ctrl+V works
// for text that another program put on the clipboard while this window kept the focus.
LRESULT OnInitMenu(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    InitMenuState(window, reinterpret_cast<HMENU>(wParam));
    RefreshPasteItem(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The window moved to a monitor of another DPI; both words of wParam hold the new DPI.
LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
    ChangeDpi(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
}

// A read-only edit asks with WM_CTLCOLORSTATIC on current systems and with WM_CTLCOLOREDIT on
// older ones; both get the window's grey. The display and the memory indicator are white.
LRESULT OnCtlColor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (message == WM_CTLCOLORSTATIC && (control == g_display || control == g_memoryIndicator)) {
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    if (HBRUSH grey = ReadOnlyEditBrush(control, dc); grey != nullptr) return reinterpret_cast<LRESULT>(grey);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A click on the background or on the display takes the focus away from the tape.
LRESULT OnLButtonDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SetFocus(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

Application& AppOf(HWND mainWindow) {
    return *reinterpret_cast<Application*>(GetWindowLongPtrA(mainWindow, GWLP_USERDATA));
}

void ApplyAlwaysOnTop(HWND mainWindow) {
    SetWindowPos(mainWindow, AppOf(mainWindow).options.bOnTop != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: return OnNcCreate(window, message, wParam, lParam);
        case WM_CREATE: return OnCreate();
        case WM_DESTROY: return OnDestroy(window, message, wParam, lParam);
        case WM_SETFOCUS: return OnSetFocus(window, message, wParam, lParam);
        case WM_PAINT: return OnPaint(window, message, wParam, lParam);
        case WM_CLOSE: return OnClose(window);
        case WM_MEASUREITEM: return OnMeasureItem(window, message, wParam, lParam);
        case WM_DRAWITEM: return OnDrawItem(window, message, wParam, lParam);
        case WM_CHAR: return OnChar(window, message, wParam, lParam);
        case WM_COMMAND: return OnCommand(window, message, wParam, lParam);
        case WM_SYSCOMMAND: return OnSysCommand(window, message, wParam, lParam);
        case WM_INITMENU: return OnInitMenu(window, message, wParam, lParam);
        case WM_DPICHANGED: return OnDpiChanged(window, wParam, lParam);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: return OnCtlColor(window, message, wParam, lParam);
        case WM_LBUTTONDOWN: return OnLButtonDown(window, message, wParam, lParam);
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
