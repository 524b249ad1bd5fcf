#pragma once
#include <windows.h>

// Copy: the selected tape line (tape shown and focused) or the display, in its mode's
// clipboard format, as CF_TEXT.
void CopyToClipboard(HWND mainWindow);

// Paste: the digits of the clipboard's text fed to the keypad logic.
void PasteFromClipboard(HWND mainWindow);
