#pragma once
#include <windows.h>

// The About box, modal, from template 100: 1 after OK, 0 after the close command, 0 when the
// box cannot be created (after a system-modal error box).
INT_PTR ShowAboutBox(HWND owner);

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
