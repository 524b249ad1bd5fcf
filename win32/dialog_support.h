#pragma once
// Window helpers that the main window and the dialogs share.

#include <windows.h>

#include "layout/placement.h"
#include "settings/settings.h"

// Runs a modal dialog from its template; the parameter reaches WM_INITDIALOG's lParam. A dialog
// that cannot be created is reported in a system-modal "Unable to display dialog" box and
// gives 0.
INT_PTR RunModalDialog(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure, LPARAM parameter = 0);

// The settings and help paths beside the running program; empty when its path is not known
// whole.
SettingsPaths ProgramSettingsPaths();

// The command of a WM_SYSCOMMAND: the system's own commands (SC_*) carry private bits in their
// low four bits, which are masked off; the program's own items are compared whole.
WPARAM SystemCommandOf(WPARAM wParam);

// Registers a window class unless the instance has it already (a window opened before, or a test
// that runs the program's windows twice).
bool RegisterClassOnce(const WNDCLASSA& windowClass);

// A rectangle given in the dialog units of the dialog's font, in the dialog's pixels.
RECT DialogUnits(HWND dialog, int x, int y, int width, int height);

ScreenRect ToScreenRect(const RECT& r);
RECT ToRect(const ScreenRect& r);

// The monitor's work area (the screen without its task bar); empty when the monitor is null or
// cannot be asked.
ScreenRect WorkArea(HMONITOR monitor);

// For WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC: a read-only edit is drawn on the light grey of the
// windows around it. Null for any other control.
HBRUSH ReadOnlyEditBrush(HWND control, HDC dc);

// Hands the clipboard's text to visit one byte at a time, up to its zero byte or the end of the
// block (the text belongs to another program and need not end in a zero), until visit answers
// false.
enum class ClipboardRead { NotOpened, NoText, Read };

template <typename Visit>
ClipboardRead ReadClipboardText(HWND owner, Visit visit) {
    if (!OpenClipboard(owner)) return ClipboardRead::NotOpened;
    ClipboardRead read = ClipboardRead::NoText;
    if (HANDLE data = GetClipboardData(CF_TEXT); data != nullptr) {
        if (const auto* bytes = static_cast<const unsigned char*>(GlobalLock(data)); bytes != nullptr) {
            const SIZE_T size = GlobalSize(data);
            read = ClipboardRead::Read;
            for (SIZE_T i = 0; i < size && bytes[i] != '\0' && visit(bytes[i]); ++i) {
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return read;
}
