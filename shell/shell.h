#pragma once
// The shell's process-wide handles and the start-up steps. WinMain runs them in order; the
// in-process tests run all but the message loop.

#include <windows.h>

#include "model/fixed_text.h"

struct Application;

extern HINSTANCE g_instance;
extern HACCEL g_accelerators;
extern FixedText<15> g_className;  // "vexo": the window class, and the resources' name
extern HWND g_mainWindow;

// Keeps the instance, loads the accelerators, registers the window class (unless a previous
// instance did) and initialises the common controls. False when the class cannot be registered.
bool InitApplication(HINSTANCE instance, HINSTANCE previousInstance);

// The settings file beside the executable: Save Setup Now, and the window position at close.
void SaveSetupNow(const Application& app);
void SaveWindowPosition(HWND mainWindow);

// Forms the settings and help paths from the executable's path and reads the settings file into
// the application. Returns the saved current mode.
int LoadSettings(Application& app);

// Sizes, places and creates the main window (at the saved position while it can be reached
// there, else on the nearest monitor's work area), creates its controls for the DPI of its
// monitor, rebuilds the user-mode menu, starts the calculator in the saved mode, and shows the
// window. Null when the window cannot be created.
// The window belongs to the application, which must outlive it.
HWND CreateMainWindow(Application& app, HINSTANCE instance, int showCommand, int savedMode);

// Runs until WM_QUIT; returns its exit code. The help window's messages go to it with its
// dialog keys; of all others, accelerators are translated first, and every keyboard message is
// handed to the main window, wherever the focus is.
int RunMessageLoop();
