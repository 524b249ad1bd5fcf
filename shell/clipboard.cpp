#include "shell/clipboard.h"

// Placeholders until the clipboard commands land.
void CopyToClipboard(HWND) {}
void PasteFromClipboard(HWND) {}
