#pragma once
// The DPI of a window's monitor and what the window system measures at a given DPI. The
// per-monitor functions exist from Windows 10 1607 on; on older systems every window has the
// system DPI, and the system's own functions answer for it.

#include <windows.h>

// The layout is drawn in pixels of a 96-DPI screen.
constexpr UINT kLayoutDpi = USER_DEFAULT_SCREEN_DPI;

// A length of the 96-DPI layout at `dpi`, rounded to the nearest pixel (halves away from zero).
int ScaleToDpi(int length, UINT dpi);

// The DPI of the monitor that the window is on; the DPI of the window's device context where
// the system cannot tell per monitor.
UINT WindowDpi(HWND window);

// The DPI that the system's metrics and stock objects are made for.
UINT SystemDpi();

// GetSystemMetrics(index) as it reads on a monitor of `dpi`.
int SystemMetricForDpi(int index, UINT dpi);

// The outer size of a window of this style, with a menu bar, around a client area of `client`.
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi);
