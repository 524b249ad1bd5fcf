#pragma once
#include <windows.h>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Topmost or not, as bOnTop says; neither moves, sizes nor activates the window.
void ApplyAlwaysOnTop(HWND mainWindow);
