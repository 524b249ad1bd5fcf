#include "dialogs/roman_dialog.h"

// Placeholder until the dialog lands.
INT_PTR ShowRomanDialog(HWND) { return 0; }
