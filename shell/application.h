#pragma once
// The one application value that the main window owns: where its settings live, the options,
// the modes, and the calculator with its view on the window's controls. WinMain makes it; the
// window keeps its address in GWLP_USERDATA from WM_NCCREATE on, and every handler reaches it
// from the window.

#include <windows.h>

#include "engine/calculator.h"
#include "model/mode_table.h"
#include "settings/options.h"
#include "settings/settings.h"
#include "shell/view.h"

struct Application {
    HWND mainWindow = nullptr;
    SettingsPaths paths;
    Options options;
    ModeTable modes;
    MainWindowView view{mainWindow};
    Calculator calculator{view, modes, options};
};

// The application of the main window; the window must have been created by CreateMainWindow.
Application& AppOf(HWND mainWindow);
