#include "win32/dialog_support.h"

namespace {

constexpr COLORREF kReadOnlyEditBackground = RGB(192, 192, 192);  // the light-grey stock brush
constexpr WPARAM kFirstSystemCommand = 0xF000;
constexpr WPARAM kSystemCommandMask = 0xFFF0;

bool IsReadOnlyEdit(HWND control) {
    char className[8] = "";
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "edit") == 0 && (GetWindowLongPtrA(control, GWL_STYLE) & ES_READONLY) != 0;
}

}  // namespace

INT_PTR RunModalDialog(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure, LPARAM parameter) {
    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, procedure, parameter);
    if (result != -1) return result;
    MessageBoxA(nullptr, "Unable to display dialog", "System Error", MB_SYSTEMMODAL | MB_ICONERROR);
    return 0;
}

SettingsPaths ProgramSettingsPaths() {
    char exePath[MAX_PATH] = "";
    // 0 is a failure, and a path that fills the buffer was cut short (ERROR_INSUFFICIENT_BUFFER;
    // Windows XP does not even end it with a zero): a settings file named after either would be
    // somebody else's, such as ".INI" in the Windows folder. The defaults stand then.
    const DWORD length = GetModuleFileNameA(nullptr, exePath, sizeof exePath);
    const bool whole = length != 0 && length < sizeof exePath;
    return SettingsPathsOf(whole ? exePath : nullptr);
}

WPARAM SystemCommandOf(WPARAM wParam) {
    return wParam >= kFirstSystemCommand ? (wParam & kSystemCommandMask) : wParam;
}

bool RegisterClassOnce(const WNDCLASSA& windowClass) {
    WNDCLASSA existing{};
    if (GetClassInfoA(windowClass.hInstance, windowClass.lpszClassName, &existing)) return true;
    return RegisterClassA(&windowClass) != 0;
}

RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
    RECT r{x, y, x + width, y + height};
    MapDialogRect(dialog, &r);
    return r;
}

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT ToRect(const ScreenRect& r) { return {r.left, r.top, r.right, r.bottom}; }

ScreenRect WorkArea(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) return {};
    return ToScreenRect(info.rcWork);
}

HBRUSH ReadOnlyEditBrush(HWND control, HDC dc) {
    if (!IsReadOnlyEdit(control)) return nullptr;
    SetBkColor(dc, kReadOnlyEditBackground);
    return static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}
