// Start-up of the program, in this order: the window class, the common controls, the settings,
// the main window with its controls and menu, the calculator, then the message loop.

#include <windows.h>

#include <commctrl.h>

#include "win32/dialog_support.h"
#include "dialogs/help_window.h"
#include "settings/settings.h"
#include "settings/win_profile.h"
#include "shell/application.h"
#include "shell/controls.h"
#include "shell/dpi.h"
#include "shell/main_window.h"
#include "shell/menus.h"
#include "win32/resource.h"
#include "shell/shell.h"

HINSTANCE g_instance = nullptr;
HACCEL g_accelerators = nullptr;
FixedText<15> g_className;
HWND g_mainWindow = nullptr;

namespace {

constexpr const char* kWindowTitle = "Lumo II";
constexpr DWORD kMainWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, IDR_VEXO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszMenuName = IDR_VEXO;
    windowClass.lpszClassName = g_className.c_str();
    return RegisterClassA(&windowClass) != 0;
}

// How much of the title bar must lie in a monitor's work area for the user to grab it: a piece
// this wide at 96 DPI (a little more than two of its buttons), and at least half its height.
constexpr int kGrabbableTitleWidth = 40;

// -1 on an axis centres the window on that axis; any other stored coordinate is taken as it is,
// and KeepReachable looks at the place that results.
int PlaceOnAxis(int stored, int screenSize, int windowSize) {
    return stored == -1 ? (screenSize - windowSize) / 2 : stored;
}

bool TitleBarCanBeGrabbed(const RECT& window, UINT dpi) {
    const int titleHeight = SystemMetricForDpi(SM_CYDLGFRAME, dpi) + SystemMetricForDpi(SM_CYCAPTION, dpi);
    const RECT titleBar{window.left, window.top, window.right, window.top + titleHeight};
    const RECT work = ToRect(WorkArea(MonitorFromRect(&titleBar, MONITOR_DEFAULTTONULL)));
    RECT visible{};
    IntersectRect(&visible, &titleBar, &work);
    return visible.right - visible.left >= ScaleToDpi(kGrabbableTitleWidth, dpi) &&
           2 * (visible.bottom - visible.top) >= titleHeight;
}

// A saved position is used as it is while the window can be reached there. One that lies off
// every monitor (the monitor it was saved on is gone, or the screen got smaller) would open the
// window out of reach: it goes to the nearest point of the nearest monitor's work area instead,
// its title bar and menu on the work area when the window is larger.
RECT KeepReachable(const RECT& window, UINT dpi) {
    if (TitleBarCanBeGrabbed(window, dpi)) return window;
    const ScreenRect work = WorkArea(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST));
    if (work.Width() <= 0) return window;
    return ToRect(MoveInside(ToScreenRect(window), work));
}

// Where the window opens, at the size it has at `dpi`.
RECT MainWindowRect(UINT dpi, const Options& options) {
    const SIZE size = MainWindowSize(dpi, kMainWindowStyle, options);
    const int x = PlaceOnAxis(options.iWindowX, GetSystemMetrics(SM_CXSCREEN), size.cx);
    const int y = PlaceOnAxis(options.iWindowY, GetSystemMetrics(SM_CYSCREEN), size.cy);
    return KeepReachable(RECT{x, y, x + size.cx, y + size.cy}, dpi);
}

void SetUpMainWindow(Application& app, HINSTANCE instance, int savedMode) {
    const HWND window = app.mainWindow;
    CreateControls(window, instance);
    RebuildUserModeMenu(window);
    app.calculator.Start(savedMode);
    if (app.options.bDispTape == 1) ShowWindow(g_tapeView, SW_SHOWNORMAL);
    if (app.options.bDispMode == 1) ShowWindow(g_modeDisplay, SW_SHOWNORMAL);
    ApplyAlwaysOnTop(window);
}

void AddAlwaysOnTopItem(HWND window) {
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ALWAYS_ON_TOP, "Always on &Top");
}

}  // namespace

bool InitApplication(HINSTANCE instance, HINSTANCE previousInstance) {
    g_instance = instance;
    g_className.assign("vexo");
    g_accelerators = LoadAcceleratorsA(instance, IDR_VEXO);
    if (previousInstance == nullptr && !RegisterMainWindowClass(instance)) return false;
    // The Clipboard Formats sheet is a common-controls property sheet.
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&commonControls);
    return true;
}

int LoadSettings(Application& app) {
    app.paths = ProgramSettingsPaths();
    if (!app.paths.HasSettingsFile()) return 0;
    WinProfileStore profile(app.paths.settings.c_str());
    return ReadSettings(profile, app.modes, app.options);
}

void SaveSetupNow(const Application& app) {
    if (!app.paths.HasSettingsFile()) return;
    WinProfileStore profile(app.paths.settings.c_str());
    SaveSettings(profile, app.modes, app.options, app.calculator.State().iMode);
}

void SaveWindowPosition(HWND mainWindow) {
    const Application& app = AppOf(mainWindow);
    if (!app.paths.HasSettingsFile()) return;
    RECT outer{};
    GetWindowRect(mainWindow, &outer);
    WinProfileStore profile(app.paths.settings.c_str());
    SavePosition(profile, outer.left, outer.top, IsIconic(mainWindow) != FALSE);
}

HWND CreateMainWindow(Application& app, HINSTANCE instance, int showCommand, int savedMode) {
    // Until the window exists its monitor is not known: it is sized for the system's DPI, and
    // the controls lay it out again for its monitor's.
    const RECT placed = MainWindowRect(SystemDpi(), app.options);
    g_mainWindow = CreateWindowExA(0, g_className.c_str(), kWindowTitle, kMainWindowStyle, placed.left, placed.top,
                                   placed.right - placed.left, placed.bottom - placed.top, nullptr, nullptr,
                                   instance, &app);
    app.mainWindow = g_mainWindow;
    if (g_mainWindow == nullptr) return nullptr;

    SetUpMainWindow(app, instance, savedMode);
    SetFocus(g_display);
    AddAlwaysOnTopItem(g_mainWindow);
    ShowWindow(g_mainWindow, showCommand);
    UpdateWindow(g_mainWindow);
    return g_mainWindow;
}

int RunMessageLoop() {
    MSG message{};
    // GetMessageA gives -1 on a broken call; ending then beats spinning on the error.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The help window keeps its own keys: Tab, Esc, typing into its search field, Ctrl+C.
        if (IsHelpWindowMessage(message)) continue;
        if (TranslateAcceleratorA(g_mainWindow, g_accelerators, &message)) continue;
        TranslateMessage(&message);
        // Every key goes to the main window, so typing reaches the calculator whichever
        // control has the focus, and the tape never moves its selection by keyboard.
        if (message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR) {
            message.hwnd = g_mainWindow;
        }
        DispatchMessageA(&message);
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}
