// How long vexo.exe takes from CreateProcess until it takes keys, against the smallest Win32
// window program started the same way. Prints figures only; nothing here passes or fails.
//
//   startup_bench.exe --vexo EXE --minimal EXE --work DIR [--starts N] [--ini FILE]
//
// Each round starts the minimal program and vexo.exe alternately, twice over, with two ways of
// telling that a program is ready:
//   poll   the end-to-end driver's way: every 20 ms, a visible main window with its controls
//          whose thread answers (so figures move in steps of about 20 ms);
//   idle   WaitForInputIdle: the moment the main thread first waits for input, no polling.
// Before every start of vexo.exe its settings file is put back as given by --ini (none without
// it), since closing the program writes its window position there.
#include "shell/resource.h"
#include "tests/e2e/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 15000;
constexpr DWORD kExitTimeoutMs = 5000;

struct Program {
    const char* label;
    std::string exe;          // the copy in its own folder
    std::string folder;
    const char* windowClass;
    int readyControl;
    std::vector<double> pollMs;
    std::vector<double> idleMs;
};

double NowMs()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Minimum(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

bool Close(PROCESS_INFORMATION& process, HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, kExitTimeoutMs) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, kExitTimeoutMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended;
}

bool StartPolled(Program& program)
{
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double ms = 0;
    const auto started = e2e::StartProgram(program.exe, program.folder, program.windowClass,
                                           program.readyControl, process, window, ms);
    if (!started) {
        std::fprintf(stderr, "%s\n", started.message());
        return false;
    }
    program.pollMs.push_back(ms);
    return Close(process, window);
}

HWND FindMainWindow(const Program& program, DWORD processId)
{
    for (HWND window = FindWindowExA(nullptr, nullptr, program.windowClass, nullptr); window;
         window = FindWindowExA(nullptr, window, program.windowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

bool StartIdle(Program& program)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program.exe + "\"";
    const double started = NowMs();
    if (!CreateProcessA(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, program.folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "CreateProcess(%s) failed, error %lu\n", program.exe.c_str(),
                     GetLastError());
        return false;
    }
    const DWORD waited = WaitForInputIdle(process.hProcess, kStartTimeoutMs);
    const double ms = NowMs() - started;
    HWND window = FindMainWindow(program, process.dwProcessId);
    // Idle must mean the finished window: visible, with the control that the driver waits for.
    if (waited != 0 || !window || !IsWindowVisible(window) ||
        (program.readyControl != 0 && !GetDlgItem(window, program.readyControl))) {
        std::fprintf(stderr, "%s: not ready when idle (wait %lu, window %p)\n", program.label,
                     waited, static_cast<void*>(window));
        if (window)
            Close(process, window);
        else
            TerminateProcess(process.hProcess, 99);
        return false;
    }
    program.idleMs.push_back(ms);
    return Close(process, window);
}

bool PrepareFolder(Program& program, const std::string& work, const std::string& exe)
{
    program.folder = work + "\\" + program.label;
    CreateDirectoryA(work.c_str(), nullptr);
    CreateDirectoryA(program.folder.c_str(), nullptr);
    const char* name = std::strrchr(exe.c_str(), '\\');
    program.exe = program.folder + (name ? name : "\\program.exe");
    if (!CopyFileA(exe.c_str(), program.exe.c_str(), FALSE)) {
        std::fprintf(stderr, "cannot copy %s to %s\n", exe.c_str(), program.exe.c_str());
        return false;
    }
    return true;
}

// The settings file beside the copy of vexo.exe: the one given, or none.
void ResetSettings(const Program& vexo, const std::string& ini)
{
    const std::string settings = vexo.folder + "\\vexo.INI";
    if (ini.empty())
        DeleteFileA(settings.c_str());
    else
        CopyFileA(ini.c_str(), settings.c_str(), FALSE);
}

void Report(const char* method, const std::vector<double>& vexo, const std::vector<double>& minimal)
{
    const double ratio = Median(vexo) / Median(minimal);
    std::printf("[startup] %-4s vexo.exe median %6.1f ms (min %6.1f), minimal window median %6.1f ms "
                "(min %6.1f), ratio %.2f\n",
                method, Median(vexo), Minimum(vexo), Median(minimal), Minimum(minimal), ratio);
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: startup_bench --vexo EXE --minimal EXE --work DIR [--starts N] [--ini FILE]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string vexoExe, minimalExe, work, ini;
    int starts = 15;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i], value = argv[i + 1];
        if (option == "--vexo")
            vexoExe = e2e::WinPath(value);
        else if (option == "--minimal")
            minimalExe = e2e::WinPath(value);
        else if (option == "--work")
            work = e2e::WinPath(value);
        else if (option == "--ini")
            ini = e2e::WinPath(value);
        else if (option == "--starts")
            starts = std::max(1, std::atoi(value.c_str()));
        else
            return Usage();
    }
    if (argc % 2 == 0 || vexoExe.empty() || minimalExe.empty() || work.empty())
        return Usage();

    Program vexo{"vexo", {}, {}, "vexo", IDC_MODE_DISPLAY, {}, {}};
    Program minimal{"minimal", {}, {}, "LumoMinimal", 0, {}, {}};
    if (!PrepareFolder(vexo, work, vexoExe) || !PrepareFolder(minimal, work, minimalExe))
        return 1;

    // One start of each first, unmeasured: the first start of a program pays for the cache.
    ResetSettings(vexo, ini);
    if (!StartPolled(minimal) || !StartPolled(vexo))
        return 1;
    vexo.pollMs.clear();
    minimal.pollMs.clear();

    for (int round = 0; round < starts; ++round) {
        ResetSettings(vexo, ini);
        if (!StartPolled(minimal) || !StartPolled(vexo))
            return 1;
        ResetSettings(vexo, ini);
        if (!StartIdle(minimal) || !StartIdle(vexo))
            return 1;
    }
    std::printf("[startup] %d starts of each program per method%s\n", starts,
                ini.empty() ? ", no settings file" : ", with the given settings file");
    Report("poll", vexo.pollMs, minimal.pollMs);
    Report("idle", vexo.idleMs, minimal.idleMs);
    return 0;
}
