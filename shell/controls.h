#pragma once
// The main window's child controls: creation, the window size that the options ask for,
// re-layout when the tape or the mode display is switched or the window moves to a monitor of
// another DPI, the mode display's text and the owner-drawn tape. The layout is drawn for 96 DPI
// and multiplied by DPI/96 for the monitor that the window is on.

#include <windows.h>

#include "engine/calculator.h"
#include "model/fixed_text.h"

struct ModeTable;
struct Options;

// Keypad buttons in creation (and tab) order 1166-1185: top-left corner at 96 DPI, label ("&"
// underlines the next letter) and id.
struct KeypadButton {
    int x;
    int y;
    const char* label;
    int id;
};
extern const KeypadButton KeypadTable[kKeypadButtonCount];

// Handles kept for the whole run; the keypad buttons and the frame are reached by id.
extern HWND g_tapeView;
extern HWND g_display;
extern HWND g_memoryIndicator;
extern HWND g_modeDisplay;

// The outer size of the main window at `dpi` for the current tape and mode display options,
// before it exists.
SIZE MainWindowSize(UINT dpi, DWORD style, const Options& options);

// Creates the controls, laid out for the DPI of the window's monitor; the window takes the size
// that this layout needs.
void CreateControls(HWND mainWindow, HINSTANCE instance);

// After Display Tape or Display Mode changed: show or hide, resize, move.
void RelayoutControls(HWND mainWindow);

// WM_DPICHANGED: the window takes the rectangle that the system suggests and lays itself out
// again, with fonts of the new size.
void ChangeDpi(HWND mainWindow, UINT dpi, const RECT& suggested);

// "HMSF   29.97 F/S", "FF   16.00 F/F", "OCT   (8)".
TextBuffer ModeDisplayText(const ModeTable& modes, int mode);
void SetModeDisplayText(const ModeTable& modes, int mode);

// The rectangle around the tape on which the main window draws its sunken edge.
RECT TapeEdgeRect(HWND mainWindow);

// The text of a tape view line; false for a line that does not exist or would not fit.
bool ReadTapeViewLine(int index, TextBuffer& text);

// Owner-draw handlers of the tape; true when handled.
bool OnMeasureTapeItem(HWND mainWindow, MEASUREITEMSTRUCT* item);
bool OnDrawTapeItem(const DRAWITEMSTRUCT* item);
