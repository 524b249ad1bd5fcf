#pragma once
#include <windows.h>

struct Options;

// Runs the "Arabic <> Roman" dialog modally; 1 after OK, 0 after the close command. The Upper
// Case box shows the option and OK writes it back.
INT_PTR ShowRomanDialog(HWND owner, HINSTANCE instance, Options& options);
