#include "dialogs/help_popup.h"

#include "win32/dialog_support.h"
#include "layout/placement.h"

namespace {

HWND g_popup = nullptr;
HFONT g_popupFont = nullptr;  // the font of the control's dialog, which owns it
SIZE g_padding{};

constexpr const char* kPopupClass = "VexoHelpPopup";
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
// In dialog units of the control's dialog, so that the popup scales with it.
constexpr int kMaxTextWidth = 180;
constexpr int kPaddingX = 4;
constexpr int kPaddingY = 3;
constexpr int kGapBelowControl = 2;

PopupText WindowText(HWND window) {
    char text[PopupText::kCapacity + 1] = "";
    GetWindowTextA(window, text, sizeof text);
    return PopupText(text);
}

void OnPaint(HWND popup) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(popup, &paint);
    RECT area{};
    GetClientRect(popup, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_INFOBK));
    const HGDIOBJ oldFont = SelectObject(dc, g_popupFont);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    InflateRect(&area, -g_padding.cx, -g_padding.cy);
    const PopupText text = WindowText(popup);
    DrawTextA(dc, text.c_str(), -1, &area, kTextFormat);
    SelectObject(dc, oldFont);
    EndPaint(popup, &paint);
}

// Any click or key ends the popup, and so does a click into another window. Closing is posted:
// the popup must not go while a message of its own is still on its way.
LRESULT CALLBACK HelpPopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint(popup);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        PostMessageA(popup, WM_CLOSE, 0, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) PostMessageA(popup, WM_CLOSE, 0, 0);
        return DefWindowProcA(popup, message, wParam, lParam);
    case WM_DESTROY:
        if (g_popup == popup) g_popup = nullptr;
        return 0;
    default:
        return DefWindowProcA(popup, message, wParam, lParam);
    }
}

bool RegisterPopupClass(HINSTANCE instance) {
    WNDCLASSA popupClass{};
    popupClass.style = CS_DROPSHADOW;
    popupClass.lpfnWndProc = HelpPopupProc;
    popupClass.hInstance = instance;
    popupClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    popupClass.lpszClassName = kPopupClass;
    return RegisterClassOnce(popupClass);
}

// The window size that holds the text wrapped within the widest line allowed.
SIZE PopupSize(const PopupText& text, int maxTextWidth, DWORD style, DWORD exStyle) {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ oldFont = SelectObject(dc, g_popupFont);
    RECT area{0, 0, maxTextWidth, 0};
    DrawTextA(dc, text.c_str(), -1, &area, kTextFormat | DT_CALCRECT);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    InflateRect(&area, g_padding.cx, g_padding.cy);
    AdjustWindowRectEx(&area, style, FALSE, exStyle);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

ScreenRect PlaceUnder(HWND control, SIZE size, int gap) {
    RECT anchor{};
    GetWindowRect(control, &anchor);
    return PlaceBelow(ToScreenRect(anchor), size.cx, size.cy, gap,
                      WorkArea(MonitorFromWindow(control, MONITOR_DEFAULTTONEAREST)));
}

}  // namespace

HWND ShowHelpPopup(HWND control, const PopupText& text) {
    if (g_popup != nullptr) DestroyWindow(g_popup);
    const HWND dialog = GetParent(control);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(control, GWLP_HINSTANCE));
    if (dialog == nullptr || !RegisterPopupClass(instance)) return nullptr;

    g_popupFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    const RECT padding = DialogUnits(dialog, 0, 0, kPaddingX, kPaddingY);
    g_padding = SIZE{padding.right, padding.bottom};
    constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
    constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
    const SIZE size = PopupSize(text, DialogUnits(dialog, 0, 0, kMaxTextWidth, 0).right, kStyle, kExStyle);
    const ScreenRect placed = PlaceUnder(control, size, DialogUnits(dialog, 0, 0, 0, kGapBelowControl).bottom);

    g_popup = CreateWindowExA(kExStyle, kPopupClass, text.c_str(), kStyle, placed.left, placed.top, placed.Width(),
                              placed.Height(), GetAncestor(control, GA_ROOT), nullptr, instance, nullptr);
    if (g_popup == nullptr) return nullptr;
    ShowWindow(g_popup, SW_SHOW);
    UpdateWindow(g_popup);
    return g_popup;
}
