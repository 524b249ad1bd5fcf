#pragma once
#include <windows.h>

// Runs the "Arabic <> Roman" dialog modally; 1 after OK, 0 after the close command.
INT_PTR ShowRomanDialog(HWND owner, HINSTANCE instance);
