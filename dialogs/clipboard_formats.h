#pragma once
#include <windows.h>

// Runs the "Clipboard Formats" property sheet modally; returns PropertySheetA's result.
INT_PTR OpenClipboardFormats(HWND owner, HINSTANCE instance);

// The help context of each page control: pairs of control id and help id, ended by two zeros.
const DWORD* FormatPageHelpIds();
