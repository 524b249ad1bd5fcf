#pragma once
#include <windows.h>

// Runs the "Clipboard Formats" property sheet modally; returns PropertySheetA's result.
INT_PTR OpenClipboardFormats(HWND owner, HINSTANCE instance);
