#include "tests/e2e/driver.h"

#include "win32/resource.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e {
namespace {

constexpr int kStartTimeoutMs = 15000;
constexpr int kExitTimeoutMs = 5000;
// Wine re-syncs its key states with X when the focus moves; typing before that is lost.
constexpr int kFocusSettleMs = 150;
constexpr UINT kSendTimeoutMs = 2000;

std::string EnvPath(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? WinPath(value) : std::string();
}

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Narrow(const wchar_t* text)
{
    char buffer[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer - 1, nullptr, nullptr);
    return buffer;
}

std::string CurrentTestName()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info)
        return "no-test";
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

void RemoveFilesIn(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            std::string file = folder + "\\" + found.cFileName;
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

struct FindData {
    DWORD processId;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param)
{
    auto* data = reinterpret_cast<FindData*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (processId == data->processId && lstrcmpiA(className, data->windowClass) == 0) {
        data->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowOfProcess(DWORD processId, const char* windowClass)
{
    FindData data{processId, windowClass, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

bool ThreadAnswers(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

struct ThreadWindows {
    const char* windowClass;  // nullptr: every class
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM param)
{
    auto* data = reinterpret_cast<ThreadWindows*>(param);
    if (!IsWindowVisible(window))
        return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (!data->windowClass || lstrcmpA(className, data->windowClass) == 0)
        data->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleThreadWindows(const Vexo& v, const char* windowClass)
{
    ThreadWindows data{windowClass, {}};
    EnumThreadWindows(v.process.dwThreadId, CollectThreadWindow, reinterpret_cast<LPARAM>(&data));
    return data.windows;
}

void SendKeyInputs(std::vector<INPUT>& inputs)
{
    if (!inputs.empty())
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void AddVirtualKey(std::vector<INPUT>& inputs, WORD vk)
{
    inputs.push_back(KeyInput(vk, 0, 0));
    inputs.push_back(KeyInput(vk, 0, KEYEVENTF_KEYUP));
}

void AddCharacter(std::vector<INPUT>& inputs, char c)
{
    switch (c) {
    case '\b': AddVirtualKey(inputs, VK_BACK); return;
    case '\r': AddVirtualKey(inputs, VK_RETURN); return;
    case '\x1b': AddVirtualKey(inputs, VK_ESCAPE); return;
    case ' ': AddVirtualKey(inputs, VK_SPACE); return;
    default: break;
    }
    const WORD unit = static_cast<unsigned char>(c);
    inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE));
    inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
}

bool WaitKeyState(bool down)
{
    return Poll([down] { return ((GetKeyState(VK_F24) & 0x8000) != 0) == down; });
}

}  // namespace

INPUT KeyInput(WORD vk, WORD scan, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

const Config& Cfg()
{
    static const Config config{EnvPath("LUMO_E2E_VEXO"),  EnvPath("LUMO_E2E_WORK"),
                               EnvPath("LUMO_E2E_BELLS"), EnvPath("LUMO_E2E_SHOTS"),
                               EnvPath("LUMO_E2E_READONLY")};
    return config;
}

std::string WinPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string windows = "Z:" + path;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return windows;
}

Vexo::~Vexo()
{
    if (!process.hProcess)
        return;
    if (attached)
        AttachThreadInput(GetCurrentThreadId(), process.dwThreadId, FALSE);
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        for (HWND box : VisibleThreadWindows(*this, "#32770"))
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        if (main)
            PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 2000) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, 2000);
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::string MakeTestFolder(const std::string& name)
{
    const std::string folder = Cfg().workRoot + "\\" + (name.empty() ? CurrentTestName() : name);
    CreateDirectoryA(Cfg().workRoot.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    RemoveFilesIn(folder);
    CopyFileA(Cfg().vexoExe.c_str(), (folder + "\\vexo.exe").c_str(), FALSE);
    return folder;
}

bool WriteIni(const std::string& folder, const char* text)
{
    if (!text)
        return true;
    std::ofstream file(folder + "\\vexo.INI", std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

::testing::AssertionResult StartProgram(const std::string& exe, const std::string& folder,
                                        const char* windowClass, int readyControl,
                                        PROCESS_INFORMATION& process, HWND& window,
                                        double& elapsedMs)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    const double started = NowMs();
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return ::testing::AssertionFailure()
               << "CreateProcess(" << exe << ") failed, error " << GetLastError();
    window = nullptr;
    const bool ready = Poll(
        [&] {
            if (!window)
                window = FindWindowOfProcess(process.dwProcessId, windowClass);
            return window && IsWindowVisible(window) &&
                   (readyControl == 0 || GetDlgItem(window, readyControl)) && ThreadAnswers(window);
        },
        kStartTimeoutMs);
    elapsedMs = NowMs() - started;
    if (!ready) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        return ::testing::AssertionFailure()
               << exe << ": no visible window of class \"" << windowClass << "\" with control "
               << readyControl << " after " << kStartTimeoutMs << " ms (window " << window
               << ", process exit code " << exitCode << ")";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult StartVexoIn(Vexo& v, const std::string& folder)
{
    v.folder = folder;
    auto started = StartProgram(v.ExePath(), folder, "vexo", IDC_MODE_DISPLAY, v.process, v.main,
                                v.startMs);
    if (!started)
        return started;
    v.attached = AttachThreadInput(GetCurrentThreadId(), v.process.dwThreadId, TRUE) != 0;
    Focus(v);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult StartVexo(Vexo& v, const char* iniText, const std::string& name)
{
    if (Cfg().vexoExe.empty())
        return ::testing::AssertionFailure() << "LUMO_E2E_VEXO is not set";
    const std::string folder = MakeTestFolder(name);
    if (!WriteIni(folder, iniText))
        return ::testing::AssertionFailure() << "cannot write " << folder << "\\vexo.INI";
    return StartVexoIn(v, folder);
}

::testing::AssertionResult CloseVexo(Vexo& v, DWORD* exitCode)
{
    if (!v.process.hProcess)
        return ::testing::AssertionFailure() << "the program was not started";
    if (v.attached) {
        AttachThreadInput(GetCurrentThreadId(), v.process.dwThreadId, FALSE);
        v.attached = false;
    }
    PostMessageA(v.main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(v.process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0)
        return ::testing::AssertionFailure()
               << "the program did not end within " << kExitTimeoutMs << " ms of WM_CLOSE";
    DWORD code = 0;
    GetExitCodeProcess(v.process.hProcess, &code);
    if (exitCode)
        *exitCode = code;
    CloseHandle(v.process.hThread);
    CloseHandle(v.process.hProcess);
    v.process = PROCESS_INFORMATION{};
    v.main = nullptr;
    return ::testing::AssertionSuccess();
}

std::string ReadIni(const std::string& path, bool* exists)
{
    std::ifstream file(path, std::ios::binary);
    if (exists)
        *exists = static_cast<bool>(file);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool IniValue(const std::string& iniText, const std::string& section, const std::string& key,
              std::string* value)
{
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    auto trim = [](std::string s) {
        const char* blanks = " \t\r\n";
        s.erase(0, s.find_first_not_of(blanks));
        s.erase(s.find_last_not_of(blanks) + 1);
        return s;
    };
    std::istringstream lines(iniText);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        line = trim(line);
        if (!line.empty() && line[0] == '[') {
            const std::string name = lower(line.substr(1));
            inSection = name.size() == section.size() + 1 && name.back() == ']' &&
                        name.compare(0, section.size(), lower(section)) == 0;
            continue;
        }
        const auto equals = line.find('=');
        if (inSection && equals != std::string::npos &&
            lower(trim(line.substr(0, equals))) == lower(key)) {
            if (value)
                *value = trim(line.substr(equals + 1));
            return true;
        }
    }
    return false;
}

HWND Control(const Vexo& v, int id) { return GetDlgItem(v.main, id); }

std::string ReadControlText(HWND control)
{
    wchar_t text[512] = {};
    DWORD_PTR result = 0;
    if (!control || !SendMessageTimeoutW(control, WM_GETTEXT, std::size(text) - 1,
                                         reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                         kSendTimeoutMs, &result))
        return "<unreadable>";
    return Narrow(text);
}

std::string ReadControlText(const Vexo& v, int id) { return ReadControlText(Control(v, id)); }

::testing::AssertionResult ControlTextIs(const Vexo& v, int id, const std::string& wanted,
                                         int timeoutMs)
{
    std::string got;
    if (Poll([&] { return (got = ReadControlText(v, id)) == wanted; }, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "control " << id << ": got \"" << got << "\", wanted \"" << wanted << "\"";
}

void Focus(const Vexo& v)
{
    if (GetForegroundWindow() == v.main)
        return;
    SetForegroundWindow(v.main);
    Poll([&] { return GetForegroundWindow() == v.main; }, 1000);
    Sleep(kFocusSettleMs);
}

bool SyncInput(const Vexo& v)
{
    // A key that opens a modal box moves the foreground to it, and Wine then re-reads the key
    // states from X, which forgets the spare key: the box showing up ends the wait as well.
    const HWND foreground = GetForegroundWindow();
    std::vector<INPUT> inputs{KeyInput(VK_F24, 0, 0)};
    SendKeyInputs(inputs);
    const bool down = Poll([&] {
        return (GetKeyState(VK_F24) & 0x8000) != 0 || GetForegroundWindow() != foreground ||
               !IsWindowEnabled(v.main);
    });
    inputs = {KeyInput(VK_F24, 0, KEYEVENTF_KEYUP)};
    SendKeyInputs(inputs);
    return WaitKeyState(false) && down;
}

bool SyncPosted(const Vexo& v)
{
    // The mode display is an edit control of the program's thread: its text limit, set by a
    // posted message, reads back only once everything posted before has been handled.
    static UINT limit = 20000;
    ++limit;
    HWND edit = Control(v, IDC_MODE_DISPLAY);
    PostMessageA(edit, EM_SETLIMITTEXT, limit, 0);
    return Poll([&] {
        DWORD_PTR got = 0;
        return SendMessageTimeoutA(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                   &got) &&
               got == limit;
    }, 10000);
}

void TypeText(const Vexo& v, const std::string& text)
{
    Focus(v);
    std::vector<INPUT> inputs;
    for (char c : text)
        AddCharacter(inputs, c);
    SendKeyInputs(inputs);
    SyncInput(v);
}

void PressKey(const Vexo& v, WORD vk)
{
    Focus(v);
    std::vector<INPUT> inputs;
    AddVirtualKey(inputs, vk);
    SendKeyInputs(inputs);
    SyncInput(v);
}

void PressCtrl(const Vexo& v, WORD vk)
{
    Focus(v);
    std::vector<INPUT> inputs{KeyInput(VK_CONTROL, 0, 0)};
    AddVirtualKey(inputs, vk);
    inputs.push_back(KeyInput(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    SendKeyInputs(inputs);
    SyncInput(v);
}

void PostCommand(const Vexo& v, int id) { PostMessageA(v.main, WM_COMMAND, id, 0); }

void Click(const Vexo& v, HWND window, POINT client, bool right)
{
    Focus(v);
    POINT target = client;
    ClientToScreen(window, &target);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    auto mouse = [&](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(target.x, 65535, width - 1);
        input.mi.dy = MulDiv(target.y, 65535, height - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof(INPUT));
    };
    // Wine also follows the X pointer, whose late motion events can move the cursor back
    // after the injected move: press only once the cursor has stayed on the target.
    auto onTarget = [&] {
        POINT cursor{};
        GetCursorPos(&cursor);
        return cursor.x == target.x && cursor.y == target.y;
    };
    for (int attempt = 0; attempt < 5; ++attempt) {
        mouse(MOUSEEVENTF_MOVE);
        if (Poll(onTarget, 500)) {
            Sleep(50);
            if (onTarget())
                break;
        }
    }
    mouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    mouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    SyncInput(v);
    // A click moves the focus, after which Wine re-reads the key states.
    Sleep(kFocusSettleMs);
}

std::vector<std::string> ReadTapeLines(const Vexo& v)
{
    std::vector<std::string> lines;
    HWND tape = Control(v, IDC_TAPE);
    DWORD_PTR count = 0;
    if (!tape || !SendMessageTimeoutW(tape, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count))
        return lines;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        wchar_t text[512] = {};
        DWORD_PTR length = 0;
        // Wine hands a cross-process LB_GETTEXT of the ANSI kind back as UTF-16: ask for wide text.
        if (!SendMessageTimeoutW(tape, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length) ||
            length >= std::size(text) ||
            !SendMessageTimeoutW(tape, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text),
                                 SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
            lines.push_back("<unreadable>");
        else
            lines.push_back(Narrow(text));
    }
    return lines;
}

std::vector<LRESULT> ReadTapeData(const Vexo& v)
{
    std::vector<LRESULT> data;
    HWND tape = Control(v, IDC_TAPE);
    DWORD_PTR count = 0;
    if (!tape || !SendMessageTimeoutW(tape, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count))
        return data;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        DWORD_PTR item = 0;
        SendMessageTimeoutW(tape, LB_GETITEMDATA, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &item);
        data.push_back(static_cast<LRESULT>(item));
    }
    return data;
}

::testing::AssertionResult TapeEndsWith(const Vexo& v, const std::vector<std::string>& wanted,
                                        int timeoutMs)
{
    std::vector<std::string> got;
    auto matches = [&] {
        got = ReadTapeLines(v);
        return got.size() >= wanted.size() &&
               std::equal(wanted.begin(), wanted.end(), got.end() - static_cast<long>(wanted.size()));
    };
    if (Poll(matches, timeoutMs))
        return ::testing::AssertionSuccess();
    auto list = [](const std::vector<std::string>& lines, size_t last) {
        std::string text;
        for (size_t i = lines.size() > last ? lines.size() - last : 0; i < lines.size(); ++i)
            text += "\"" + lines[i] + "\" ";
        return text;
    };
    return ::testing::AssertionFailure() << "tape (" << got.size() << " lines) ends with "
                                         << list(got, wanted.size() + 2) << "; wanted "
                                         << list(wanted, wanted.size());
}

HWND FocusWindow(const Vexo& v)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(v.process.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

HWND CaretWindow(const Vexo& v)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(v.process.dwThreadId, &info) ? info.hwndCaret : nullptr;
}

SIZE ClientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

::testing::AssertionResult ClientSizeIs(const Vexo& v, int width, int height, int timeoutMs)
{
    SIZE got{};
    if (Poll([&] {
            got = ClientSize(v.main);
            return got.cx == width && got.cy == height;
        }, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "client area: got " << got.cx << " x " << got.cy
                                         << ", wanted " << width << " x " << height;
}

HWND WaitForMessageBox(const Vexo& v, int timeoutMs)
{
    HWND box = nullptr;
    Poll([&] {
        auto boxes = VisibleThreadWindows(v, "#32770");
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr;
    }, timeoutMs);
    return box;
}

std::string MessageBoxText(HWND box) { return ReadControlText(GetDlgItem(box, 0xFFFF)); }

std::string WindowCaption(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return Narrow(text);
}

bool AnswerMessageBox(HWND box, int buttonId)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
    const bool gone = Poll([box] { return !IsWindow(box) || !IsWindowVisible(box); });
    // The closing box hands the focus back; let Wine's key states settle before typing again.
    Sleep(kFocusSettleMs);
    return gone;
}

bool NoMessageBox(const Vexo& v, int waitMs)
{
    Sleep(waitMs);
    return VisibleThreadWindows(v, "#32770").empty();
}

int BellCount()
{
    if (Cfg().bellLog.empty())
        return -1;
    HANDLE file = CreateFileA(Cfg().bellLog.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    int lines = 0;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        lines += static_cast<int>(std::count(buffer, buffer + got, '\n'));
    CloseHandle(file);
    return lines;
}

int BellsAfter(int count, int timeoutMs, int settleMs)
{
    Poll([count] { return BellCount() >= count; }, timeoutMs);
    Sleep(settleMs);
    return BellCount();
}

namespace {

// A copy of a rectangle of the screen in 24-bit pixels, rows from the bottom as a BMP file keeps
// them, held while the object lives.
struct ScreenBits {
    int width, height, stride;
    const unsigned char* pixels = nullptr;

    ScreenBits(const RECT& area, DWORD extraRop)
        : width(area.right - area.left), height(area.bottom - area.top), stride((width * 3 + 3) & ~3)
    {
        screenDc_ = GetDC(nullptr);
        memoryDc_ = CreateCompatibleDC(screenDc_);
        BITMAPINFO info{};
        info.bmiHeader = Header();
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(screenDc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(memoryDc_, bitmap_);
        BitBlt(memoryDc_, 0, 0, width, height, screenDc_, area.left, area.top, SRCCOPY | extraRop);
        GdiFlush();
        pixels = static_cast<const unsigned char*>(bits);
    }
    ~ScreenBits()
    {
        SelectObject(memoryDc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(memoryDc_);
        ReleaseDC(nullptr, screenDc_);
    }
    ScreenBits(const ScreenBits&) = delete;
    ScreenBits& operator=(const ScreenBits&) = delete;

    BITMAPINFOHEADER Header() const
    {
        BITMAPINFOHEADER header{};
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = height;  // bottom-up
        header.biPlanes = 1;
        header.biBitCount = 24;
        header.biCompression = BI_RGB;
        return header;
    }

private:
    HDC screenDc_ = nullptr;
    HDC memoryDc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace

bool Screenshot(const Vexo& v, const std::string& name)
{
    if (Cfg().shotDir.empty())
        return false;
    RECT area = WindowRect(v.main);
    for (HWND window : VisibleThreadWindows(v, nullptr)) {
        RECT rect = WindowRect(window);
        UnionRect(&area, &area, &rect);
    }
    InflateRect(&area, 8, 8);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;

    const ScreenBits shot(area, CAPTUREBLT);
    const DWORD imageSize = static_cast<DWORD>(shot.stride) * static_cast<DWORD>(height);
    BITMAPINFOHEADER info = shot.Header();
    info.biSizeImage = imageSize;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + imageSize;
    CreateDirectoryA(Cfg().shotDir.c_str(), nullptr);
    std::ofstream file(Cfg().shotDir + "\\" + name + ".bmp", std::ios::binary);
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    file.write(reinterpret_cast<const char*>(&info), sizeof info);
    file.write(reinterpret_cast<const char*>(shot.pixels), imageSize);
    return static_cast<bool>(file);
}

std::string UnixPath(const std::string& windowsPath)
{
    std::string path = windowsPath.size() > 2 && windowsPath[1] == ':' ? windowsPath.substr(2) : windowsPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Wine starts Unix programs without a waitable handle or a usable standard output, so the
// command leaves a marker file when it is done.
bool RunUnix(const std::string& folder, const std::string& command)
{
    const std::string marker = folder + "\\unix-done";
    DeleteFileA(marker.c_str());
    std::string line = "Z:\\bin\\sh -c \"" + command + "; echo done > '" + UnixPath(marker) + "'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    constexpr int kUnixTimeoutMs = 5000;
    return Poll([&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, kUnixTimeoutMs);
}

namespace {

constexpr DWORD kNormalDpi = 96;
constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";

bool WriteLogPixels(DWORD dpi)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool written = RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                                        sizeof dpi) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

// A pixel of the captured bits (24 bits, rows from the bottom) counts as ink when the sum of
// its three channels lies below half of white's.
constexpr int kInkThreshold = 3 * 255 / 2;

bool IsInk(const unsigned char* pixel) { return pixel[0] + pixel[1] + pixel[2] < kInkThreshold; }

}  // namespace

ScreenDpi::ScreenDpi(DWORD dpi) : ok_(WriteLogPixels(dpi)) {}

ScreenDpi::~ScreenDpi() { WriteLogPixels(kNormalDpi); }

int InkHeight(HWND window)
{
    const RECT area = WindowRect(window);
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return -1;
    const ScreenBits ink(area, 0);
    const auto* pixels = ink.pixels;
    const int stride = ink.stride;
    int rows = 0;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int x = 0; x < width; ++x) {
            if (IsInk(row + 3 * x)) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

SIZE InkSize(HWND window, int inset)
{
    RECT area = WindowRect(window);
    InflateRect(&area, -inset, -inset);
    if (area.right <= area.left || area.bottom <= area.top)
        return SIZE{-1, -1};
    const ScreenBits ink(area, 0);
    RECT box{ink.width, ink.height, 0, 0};
    for (int y = 0; y < ink.height; ++y) {
        const unsigned char* row = ink.pixels + static_cast<size_t>(y) * static_cast<size_t>(ink.stride);
        for (int x = 0; x < ink.width; ++x) {
            if (!IsInk(row + 3 * x))
                continue;
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
        }
    }
    return box.right > box.left ? SIZE{box.right - box.left, box.bottom - box.top} : SIZE{0, 0};
}

}  // namespace e2e
