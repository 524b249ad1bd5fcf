#pragma once
// The menu commands, the user-mode items of the Setup menu and the menu state refreshed each
// time a menu opens.

#include <windows.h>

// Positions in the menu bar and in the Setup menu.
constexpr int kSetupMenuPosition = 1;
constexpr int kFirstUserItemPosition = 6;       // the separator in front of the User placeholders
constexpr int kUserPlaceholderItems = 5;        // that separator and User 1 to User 4
constexpr int kAutoDfCorrectPosition = 3;       // in the Preferences submenu

struct ModeTable;

// Where the Preferences submenu sits in the Setup menu after the rebuild: it follows the
// present user modes.
int PreferencesMenuPosition(const ModeTable& modes);

// A menu or accelerator command; false for an id outside the commands 1001-1032.
bool DispatchMenuCommand(HWND mainWindow, int commandId);

// Replaces the User placeholders by the defined user modes; once, at start-up.
void RebuildUserModeMenu(HWND mainWindow);

// Check marks and greying for the menu being opened (WM_INITMENU).
void InitMenuState(HWND mainWindow, HMENU menu);

// Paste is enabled only while the clipboard holds text.
void RefreshPasteItem(HWND mainWindow);
