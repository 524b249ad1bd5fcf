#pragma once
// Where the program's requests for help go. An old Windows Help file beside the program
// (VEXO.HLP, the settings' help path) keeps being opened with WinHelp, as it always was, for
// those who still have a viewer for it. Without that file the built-in help serves: the help
// window for topics, and small popups for the controls of a dialog.

#include <windows.h>

#include "help/help_text.h"

// The help text built into the executable, read at the first request.
const HelpText& BuiltInHelp();

// The Help menu's commands; `window` is the main window.
void ShowHelpContents(HWND window);
void ShowHelpSearch(HWND window);
void ShowHelpOnHelp(HWND window);

// A topic of the built-in help, or the help file's context `contextId` (its contents for 0);
// `window` is the window asking (its main window owns the help window).
void ShowHelpTopic(HWND window, const char* topic, int contextId);

// WM_HELP of a dialog whose controls have help context ids (pairs of control id and context
// id, ended by two zeros): the control's popup. False when the control has none.
bool ShowControlHelp(const HELPINFO& request, const DWORD* helpIds);

// At the end of the program: the help viewer is told that the program no longer needs it, if
// the program ever opened it.
void QuitHelp(HWND mainWindow);
