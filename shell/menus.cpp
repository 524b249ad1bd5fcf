#include "shell/menus.h"

#include <cstdint>
#include <cstdio>
#include <iterator>

#include "dialogs/clipboard_formats.h"
#include "dialogs/help.h"
#include "dialogs/roman_dialog.h"
#include "model/mode_table.h"
#include "shell/application.h"
#include "shell/about.h"
#include "shell/clipboard.h"
#include "shell/controls.h"
#include "win32/resource.h"
#include "shell/shell.h"

static_assert(IDM_MODE_OCT - IDM_MODE_NDF + 1 == kModeCount,
              "the mode commands 1006-1018 must be consecutive, one per mode row");

namespace {

// A mode row's menu command is 1006 plus its number.
UINT MenuCommandOfMode(int mode) { return static_cast<UINT>(IDM_MODE_NDF + mode); }
int ModeOfMenuCommand(int commandId) { return commandId - IDM_MODE_NDF; }

Options& OptionsOf(HWND mainWindow) { return AppOf(mainWindow).options; }
Calculator& CalculatorOf(HWND mainWindow) { return AppOf(mainWindow).calculator; }

int PresentUserModes(const ModeTable& modes) {
    int count = 0;
    for (int i = 0; i < kUserModeCount; ++i) count += IsModePresent(modes, kFirstUserMode + i) ? 1 : 0;
    return count;
}

void Toggle(std::int32_t& option) { option = option == 0 ? 1 : 0; }

UINT CheckedIf(bool on) { return MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED); }
UINT EnabledIf(bool on) { return on ? MF_ENABLED : MF_GRAYED; }

void OnCopy(HWND mainWindow, int) { CopyToClipboard(mainWindow); }
void OnPaste(HWND mainWindow, int) { PasteFromClipboard(mainWindow); }
void OnClearTape(HWND mainWindow, int) { CalculatorOf(mainWindow).ClearTape(); }
void OnClearMemory(HWND mainWindow, int) { CalculatorOf(mainWindow).ClearMemory(); }
void OnExit(HWND mainWindow, int) { SendMessageA(mainWindow, WM_CLOSE, 0, 0); }
void OnMode(HWND mainWindow, int commandId) { CalculatorOf(mainWindow).SwitchMode(ModeOfMenuCommand(commandId)); }
void OnRoman(HWND mainWindow, int) { ShowRomanDialog(mainWindow, g_instance, OptionsOf(mainWindow)); }
void OnClipboardFormats(HWND mainWindow, int) {
    Application& app = AppOf(mainWindow);
    OpenClipboardFormats(mainWindow, g_instance, app.modes, app.calculator.State().iMode);
}
void OnStrictCheck(HWND mainWindow, int) { Toggle(OptionsOf(mainWindow).bStrictCheck); }
void OnAutoDfCorrect(HWND mainWindow, int commandId) { OptionsOf(mainWindow).iAutoDfFix = commandId - IDM_AUTODF_OFF; }
void OnFrameConversion(HWND mainWindow, int) { Toggle(OptionsOf(mainWindow).bDFNDFFrameConv); }
void OnDisplayTape(HWND mainWindow, int) {
    Toggle(OptionsOf(mainWindow).bDispTape);
    RelayoutControls(mainWindow);
}
void OnDisplayMode(HWND mainWindow, int) {
    Toggle(OptionsOf(mainWindow).bDispMode);
    RelayoutControls(mainWindow);
}
void OnSaveSetup(HWND mainWindow, int) { SaveSetupNow(AppOf(mainWindow)); }
void OnHelpContents(HWND mainWindow, int) { ShowHelpContents(mainWindow); }
void OnHelpSearch(HWND mainWindow, int) { ShowHelpSearch(mainWindow); }
void OnHelpOnHelp(HWND mainWindow, int) { ShowHelpOnHelp(mainWindow); }
void OnAbout(HWND mainWindow, int) { ShowAboutBox(mainWindow); }

using CommandHandler = void (*)(HWND mainWindow, int commandId);

struct CommandRow {
    int id;
    CommandHandler handler;
};

constexpr CommandRow kCommands[] = {
    {IDM_COPY, OnCopy},
    {IDM_PASTE, OnPaste},
    {IDM_CLEAR_TAPE, OnClearTape},
    {IDM_CLEAR_MEMORY, OnClearMemory},
    {IDM_EXIT, OnExit},
    {IDM_MODE_NDF, OnMode},
    {IDM_MODE_DF, OnMode},
    {IDM_MODE_PAL, OnMode},
    {IDM_MODE_FILM, OnMode},
    {IDM_MODE_35MM, OnMode},
    {IDM_MODE_16MM, OnMode},
    {IDM_MODE_USER1, OnMode},
    {IDM_MODE_USER2, OnMode},
    {IDM_MODE_USER3, OnMode},
    {IDM_MODE_USER4, OnMode},
    {IDM_MODE_HEX, OnMode},
    {IDM_MODE_DEC, OnMode},
    {IDM_MODE_OCT, OnMode},
    {IDM_ROMAN, OnRoman},
    {IDM_CLIPBOARD_FORMATS, OnClipboardFormats},
    {IDM_STRICT_CHECK, OnStrictCheck},
    {IDM_AUTODF_OFF, OnAutoDfCorrect},
    {IDM_AUTODF_MINUS2, OnAutoDfCorrect},
    {IDM_AUTODF_PLUS2, OnAutoDfCorrect},
    {IDM_DFNDF_FRAMES, OnFrameConversion},
    {IDM_DISPLAY_TAPE, OnDisplayTape},
    {IDM_DISPLAY_MODE, OnDisplayMode},
    {IDM_SAVE_SETUP, OnSaveSetup},
    {IDM_HELP_CONTENTS, OnHelpContents},
    {IDM_HELP_SEARCH, OnHelpSearch},
    {IDM_HELP_ON_HELP, OnHelpOnHelp},
    {IDM_ABOUT, OnAbout},
};

// One row per command, in id order, so a command's row is its id minus the first id.
constexpr bool CommandsAreInIdOrder() {
    for (int i = 0; i < static_cast<int>(std::size(kCommands)); ++i) {
        if (kCommands[i].id != IDM_FIRST_COMMAND + i) return false;
    }
    return std::size(kCommands) == IDM_LAST_COMMAND - IDM_FIRST_COMMAND + 1;
}
static_assert(CommandsAreInIdOrder(), "one command row per id 1001-1032, in order");

HMENU SetupMenu(HMENU menuBar) { return GetSubMenu(menuBar, kSetupMenuPosition); }

}  // namespace

int PreferencesMenuPosition(const ModeTable& modes) {
    // Hexadecimal to Preferences after the placeholders are gone; one more separator and
    // the user items when there are any.
    constexpr int kPreferencesWithoutUserModes = 13;
    const int userItems = PresentUserModes(modes);
    return userItems == 0 ? kPreferencesWithoutUserModes : kPreferencesWithoutUserModes + 1 + userItems;
}

bool DispatchMenuCommand(HWND mainWindow, int commandId) {
    if (commandId < IDM_FIRST_COMMAND || commandId > IDM_LAST_COMMAND) return false;
    kCommands[commandId - IDM_FIRST_COMMAND].handler(mainWindow, commandId);
    return true;
}

void RebuildUserModeMenu(HWND mainWindow) {
    HMENU setup = SetupMenu(GetMenu(mainWindow));
    for (int i = 0; i < kUserPlaceholderItems; ++i) RemoveMenu(setup, kFirstUserItemPosition, MF_BYPOSITION);

    const ModeTable& modes = AppOf(mainWindow).modes;
    int inserted = 0;
    for (int i = 0; i < kUserModeCount; ++i) {
        const int mode = kFirstUserMode + i;
        if (!IsModePresent(modes, mode)) continue;
        // The accelerator belongs to the row, so row 6 always reads Ctrl+F5 and row 9 Ctrl+F8.
        char text[kMaxTextLength + 1];
        std::snprintf(text, sizeof text, "%s\tCtrl+F%c", modes.rows[mode].szName.c_str(), '5' + i);
        InsertMenuA(setup, kFirstUserItemPosition + inserted, MF_BYPOSITION | MF_STRING, MenuCommandOfMode(mode), text);
        ++inserted;
    }
    if (inserted != 0) {
        InsertMenuA(setup, kFirstUserItemPosition, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    }
}

void InitMenuState(HWND mainWindow, HMENU menu) {
    const Application& app = AppOf(mainWindow);
    const Options& options = app.options;
    EnableMenuItem(menu, IDM_CLEAR_TAPE, MF_BYCOMMAND | EnabledIf(options.bDispTape != 0));

    for (int mode = 0; mode < kModeCount; ++mode) {
        if (IsModePresent(app.modes, mode)) CheckMenuItem(menu, MenuCommandOfMode(mode), CheckedIf(false));
    }
    CheckMenuItem(menu, MenuCommandOfMode(app.calculator.State().iMode), CheckedIf(true));

    CheckMenuItem(menu, IDM_STRICT_CHECK, CheckedIf(options.bStrictCheck != 0));
    // The Auto DF Correct submenu has no id of its own: it is found by position.
    HMENU setup = SetupMenu(menu);
    HMENU preferences = setup != nullptr ? GetSubMenu(setup, PreferencesMenuPosition(app.modes)) : nullptr;
    if (preferences != nullptr) {
        EnableMenuItem(preferences, kAutoDfCorrectPosition, MF_BYPOSITION | EnabledIf(options.bStrictCheck == 0));
    }
    const AutoDfCorrect autoDf = AutoDfChoice(options.iAutoDfFix);
    CheckMenuItem(menu, IDM_AUTODF_OFF, CheckedIf(autoDf == AutoDfOff));
    CheckMenuItem(menu, IDM_AUTODF_MINUS2, CheckedIf(autoDf == AutoDfMinusTwoFrames));
    CheckMenuItem(menu, IDM_AUTODF_PLUS2, CheckedIf(autoDf == AutoDfPlusTwoFrames));
    CheckMenuItem(menu, IDM_DFNDF_FRAMES, CheckedIf(options.bDFNDFFrameConv != 0));
    CheckMenuItem(menu, IDM_DISPLAY_TAPE, CheckedIf(options.bDispTape != 0));
    CheckMenuItem(menu, IDM_DISPLAY_MODE, CheckedIf(options.bDispMode != 0));

    CheckMenuItem(GetSystemMenu(mainWindow, FALSE), IDM_ALWAYS_ON_TOP, CheckedIf(options.bOnTop != 0));
}

void RefreshPasteItem(HWND mainWindow) {
    HMENU menu = GetMenu(mainWindow);
    EnableMenuItem(menu, IDM_PASTE, MF_BYCOMMAND | MF_GRAYED);
    if (IsClipboardFormatAvailable(CF_TEXT)) EnableMenuItem(menu, IDM_PASTE, MF_BYCOMMAND | MF_ENABLED);
}
