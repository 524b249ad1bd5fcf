#pragma once
// Drives the real vexo.exe from a second process, as a user would: each test starts its own
// copy of the program in a fresh folder, types with real keyboard input, posts menu commands,
// reads the controls, the tape and the message boxes, and closes it again.
//
// Paths come from the runner script through the environment (Unix paths are mapped to Wine's
// Z: drive):
//   LUMO_E2E_VEXO      the vexo.exe under test
//   LUMO_E2E_WORK      folder in which every test makes its own folder
//   LUMO_E2E_BELLS     log of the bell watcher, one line per X bell
//   LUMO_E2E_SHOTS     folder for screenshots (BMP; the runner converts them to PNG)
//   LUMO_E2E_READONLY  a folder holding vexo.exe and vexo.INI that the runner made unwritable
//   LUMO_E2E_HELP_TEXT the help text of the source tree (read by the help tests)
//
// Every wait polls in 20 ms steps and is bounded; the checks return AssertionResults that say
// what was seen and what was wanted.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace e2e {

struct Config {
    std::string vexoExe;
    std::string workRoot;
    std::string bellLog;
    std::string shotDir;
    std::string readOnlyFolder;
};

// Reads the environment once; empty strings for what the runner did not give.
const Config& Cfg();

// "/a/b" becomes "Z:\a\b"; a path that already has a drive is returned unchanged.
std::string WinPath(const std::string& path);

constexpr int kPollStepMs = 20;
constexpr int kDefaultTimeoutMs = 3000;

// Polls `done` every 20 ms until it answers true or the time is up; answers its last result.
template <class Pred>
bool Poll(Pred done, int timeoutMs = kDefaultTimeoutMs)
{
    for (int waited = 0;; waited += kPollStepMs) {
        if (done())
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(kPollStepMs);
    }
}

// One running copy of the program.
struct Vexo {
    std::string folder;  // Windows path of its own folder
    PROCESS_INFORMATION process{};
    HWND main = nullptr;
    double startMs = 0;  // from CreateProcess until the window takes keys
    bool attached = false;

    Vexo() = default;
    Vexo(const Vexo&) = delete;
    Vexo& operator=(const Vexo&) = delete;
    ~Vexo();  // closes a copy that a failed test left running, killing it if need be

    std::string IniPath() const { return folder + "\\vexo.INI"; }
    std::string ExePath() const { return folder + "\\vexo.exe"; }
};

// A fresh, empty folder named after the current test (or `name`) with vexo.exe copied into it.
std::string MakeTestFolder(const std::string& name = "");

// Writes `text` as the folder's vexo.INI; nullptr writes nothing.
bool WriteIni(const std::string& folder, const char* text);

// Makes the test's folder, writes its settings file (none when iniText is nullptr), starts the
// program there and waits until it takes keys.
::testing::AssertionResult StartVexo(Vexo& v, const char* iniText, const std::string& name = "");

// Starts the program already copied into `folder`.
::testing::AssertionResult StartVexoIn(Vexo& v, const std::string& folder);

// Starts any program and waits until its top-level window of class `windowClass` is visible
// and its thread answers; `readyControl` (0 for none) must exist as a child too.
::testing::AssertionResult StartProgram(const std::string& exe, const std::string& folder,
                                        const char* windowClass, int readyControl,
                                        PROCESS_INFORMATION& process, HWND& window,
                                        double& elapsedMs);

// Sends WM_CLOSE and waits for the process to end; answers its exit code through `exitCode`.
::testing::AssertionResult CloseVexo(Vexo& v, DWORD* exitCode = nullptr);

// The whole settings file, or "" when there is none; `exists` tells which.
std::string ReadIni(const std::string& path, bool* exists = nullptr);
// The value of `key` in `section` of an INI text, compared without regard to case.
bool IniValue(const std::string& iniText, const std::string& section, const std::string& key,
              std::string* value);

HWND Control(const Vexo& v, int id);
std::string ReadControlText(HWND control);
std::string ReadControlText(const Vexo& v, int id);
// Polls until control `id` shows `wanted`.
::testing::AssertionResult ControlTextIs(const Vexo& v, int id, const std::string& wanted,
                                         int timeoutMs = kDefaultTimeoutMs);

// Brings the main window to the front and lets Wine's key states settle.
void Focus(const Vexo& v);
// Types characters with real input: "\b", "\r" and "\x1b" go as Backspace, Enter and Escape,
// a blank as the space bar, everything else as a Unicode character. Waits until handled.
// One keyboard event for SendInput: a virtual key, or a character (KEYEVENTF_UNICODE, scan).
INPUT KeyInput(WORD vk, WORD scan, DWORD flags);
void TypeText(const Vexo& v, const std::string& text);
void PressKey(const Vexo& v, WORD vk);
void PressCtrl(const Vexo& v, WORD vk);
// Waits until the program has taken every key sent before (a spare F24 key is sent behind
// them and waited for in the shared key state).
bool SyncInput(const Vexo& v);
// Waits until the program has handled every message posted to it before.
bool SyncPosted(const Vexo& v);
void PostCommand(const Vexo& v, int id);
// A real mouse click at a point in the client area of `window`.
void Click(const Vexo& v, HWND window, POINT client, bool right = false);

// The tape view's lines and their item data (the row each was written in).
std::vector<std::string> ReadTapeLines(const Vexo& v);
std::vector<LRESULT> ReadTapeData(const Vexo& v);
// Polls until the last lines of the tape equal `wanted`, oldest first.
::testing::AssertionResult TapeEndsWith(const Vexo& v, const std::vector<std::string>& wanted,
                                        int timeoutMs = kDefaultTimeoutMs);

// The keyboard focus and the caret of the program's thread.
HWND FocusWindow(const Vexo& v);
HWND CaretWindow(const Vexo& v);

SIZE ClientSize(HWND window);
RECT WindowRect(HWND window);
::testing::AssertionResult ClientSizeIs(const Vexo& v, int width, int height,
                                        int timeoutMs = kDefaultTimeoutMs);

// A visible top-level dialog (#32770) of the program's thread, or nullptr after the timeout.
HWND WaitForMessageBox(const Vexo& v, int timeoutMs = kDefaultTimeoutMs);
std::string MessageBoxText(HWND box);
std::string WindowCaption(HWND window);
// Presses the button `buttonId` of the box and waits until it is gone.
bool AnswerMessageBox(HWND box, int buttonId = IDOK);
// Polls until no dialog of the program is left.
bool NoMessageBox(const Vexo& v, int waitMs = 300);

// Bells rung on the display so far, as logged by the bell watcher (-1 without a watcher).
int BellCount();
// Waits up to `timeoutMs` for the count to reach `count`, then lets `settleMs` pass and answers
// the count seen then, so that extra bells show too.
int BellsAfter(int count, int timeoutMs = 1500, int settleMs = 250);

// Saves the part of the screen holding the program's windows (main window, open menus and
// boxes) as <shots>/<name>.bmp.
bool Screenshot(const Vexo& v, const std::string& name);

// "Z:\\a\\b" becomes "/a/b".
std::string UnixPath(const std::string& windowsPath);

// Runs a shell command on the Unix side and waits (5 s at most) until it is done; `folder` (a
// Windows path) takes the marker file that tells so.
bool RunUnix(const std::string& folder, const std::string& command);

// The screen's DPI for programs started while this lives: Wine reads it from LogPixels in
// HKEY_CURRENT_USER\Control Panel\Desktop when a process starts. Puts back 96 at the end.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi);
    ~ScreenDpi();
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

// How many pixel rows of the window, as it shows on the screen, hold text: pixels much darker
// than its background. The height of the digits on the display, for example.
int InkHeight(HWND window);
// The width and height of the box around the ink inside the window, `inset` pixels in from its
// edges (a button's own edges are dark too); 0 x 0 without ink.
SIZE InkSize(HWND window, int inset);

}  // namespace e2e
