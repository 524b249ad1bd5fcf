#include "shell/about.h"

#include <cstdio>

#include "win32/dialog_support.h"
#include "model/fixed_text.h"
#include "win32/resource.h"
#include "shell/shell.h"

namespace {

constexpr const char* kProgramName = "Lumo II";
constexpr const char* kVersionFormat = "Version: %1.1i.%2.2i";
constexpr const char* kPublicationFormat = "Copyright (C) %s";
constexpr const char* kPublicationYears = "2026";

BOOL OnInitAboutBox(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_ABOUT_NAME, kProgramName);
    char line[kMaxTextLength + 1];
    std::snprintf(line, sizeof line, kVersionFormat, LUMO_VERSION_MAJOR, LUMO_VERSION_MINOR);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, line);
    std::snprintf(line, sizeof line, kPublicationFormat, kPublicationYears);
    SetDlgItemTextA(dialog, IDC_ABOUT_YEARS, line);
    return TRUE;
}

// Only OK (and Enter, which presses it) closes the box; Escape leaves it open.
BOOL OnAboutCommand(HWND dialog, int commandId) {
    if (commandId != IDOK) return FALSE;
    EndDialog(dialog, IDOK);
    return TRUE;
}

BOOL OnAboutSysCommand(HWND dialog, WPARAM command) {
    if (SystemCommandOf(command) != SC_CLOSE) return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
        case WM_INITDIALOG: return OnInitAboutBox(dialog);
        case WM_COMMAND: return OnAboutCommand(dialog, LOWORD(wParam));
        case WM_SYSCOMMAND: return OnAboutSysCommand(dialog, wParam);
        default: return FALSE;
    }
}

INT_PTR ShowAboutBox(HWND owner) { return RunModalDialog(g_instance, IDD_ABOUT, owner, AboutBoxProc); }
