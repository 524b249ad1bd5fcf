#pragma once
// The main window's child controls: creation, the window size that the options ask for,
// re-layout when the tape or the mode display is switched, the mode display's text and the
// owner-drawn tape.

#include <windows.h>

#include "model/fixed_text.h"

// Handles kept for the whole run; the keypad buttons and the frame are reached by id.
extern HWND g_tapeView;
extern HWND g_display;
extern HWND g_memoryIndicator;
extern HWND g_modeDisplay;

void CreateControls(HWND mainWindow, HINSTANCE instance);

// Outer size of the main window for the current tape and mode display options.
int MainWindowHeight();
int MainWindowWidth();

// Client y of a keypad row (y within the keypad block) and of the display box's parts.
int KeypadTop(int y);
int UpperAreaTop(int y);

// After Display Tape or Display Mode changed: show or hide, resize, move.
void RelayoutControls(HWND mainWindow);

// "HMSF   29.97 F/S", "FF   16.00 F/F", "OCT   (8)".
TextBuffer ModeDisplayText(int mode);
void SetModeDisplayText(int mode);

// The rectangle around the tape on which the main window draws its sunken edge.
RECT TapeEdgeRect(HWND mainWindow);

// The text of a tape view line; false for a line that does not exist or would not fit.
bool ReadTapeViewLine(int index, TextBuffer& text);

// Owner-draw handlers of the tape; true when handled.
bool OnMeasureTapeItem(HWND mainWindow, MEASUREITEMSTRUCT* item);
bool OnDrawTapeItem(const DRAWITEMSTRUCT* item);
