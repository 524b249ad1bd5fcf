#include "shell/dpi.h"

namespace {

// Looked up at run time, not imported: an import would keep the program from starting at all
// on a Windows older than the function.
template <class Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    FARPROC found = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
    // GetProcAddress hands every function back under one type; the name says which it is.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// Found once, when the program starts: user32 is loaded before any code of ours runs, and a
// lookup at first use would need a guard that links in the threads library for one thread.
const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
const auto getSystemMetricsForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
const auto adjustWindowRectExForDpi = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");

UINT DeviceDpi(HWND window) {
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : kLayoutDpi;
}

}  // namespace

int ScaleToDpi(int length, UINT dpi) { return MulDiv(length, static_cast<int>(dpi), static_cast<int>(kLayoutDpi)); }

UINT WindowDpi(HWND window) {
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : DeviceDpi(window);
}

UINT SystemDpi() { return DeviceDpi(nullptr); }

int SystemMetricForDpi(int index, UINT dpi) {
    return getSystemMetricsForDpi != nullptr ? getSystemMetricsForDpi(index, dpi) : GetSystemMetrics(index);
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
    RECT outer{0, 0, client.cx, client.cy};
    if (adjustWindowRectExForDpi != nullptr) {
        adjustWindowRectExForDpi(&outer, style, TRUE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&outer, style, TRUE, exStyle);
    }
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}
