#pragma once
#include <windows.h>

struct ModeTable;

// Runs the "Clipboard Formats" property sheet modally over the table's clipboard formats, on
// the page of the current mode; returns PropertySheetA's result.
INT_PTR OpenClipboardFormats(HWND owner, HINSTANCE instance, ModeTable& modes, int currentMode);

// The help context of each page control: pairs of control id and help id, ended by two zeros.
const DWORD* FormatPageHelpIds();
