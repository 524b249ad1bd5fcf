// How long vexo.exe takes from CreateProcess until it takes keys, against the smallest Win32
// window program started the same way. Prints figures only; nothing here passes or fails.
//
//   startup_bench.exe --vexo EXE [--vexo EXE...] --minimal EXE --work DIR [--starts N] [--ini FILE]
//
// Each round starts the minimal program and every vexo.exe given in turn, twice over, so that
// builds compared in one run share the machine's ups and downs (on a busy machine the medians of
// separate runs differ more than the builds do). Two ways of telling that a program is ready:
//   poll   the end-to-end driver's way: every 20 ms, a visible main window with its controls
//          whose thread answers (so figures move in steps of about 20 ms);
//   idle   WaitForInputIdle: the moment the main thread first waits for input, no polling.
// Before every start of vexo.exe its settings file is put back as given by --ini (none without
// it), since closing the program writes its window position there.
#include "win32/resource.h"
#include "tests/e2e/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 15000;
constexpr DWORD kExitTimeoutMs = 5000;

struct Program {
    std::string label;
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

// The lower quartile: steadier than the median when other work comes and goes.
double LowerQuartile(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 4];
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
        std::fprintf(stderr, "%s: not ready when idle (wait %lu, window %p)\n", program.label.c_str(),
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

// Copies the program into a folder of its own as `fileName` (vexo.exe keeps its settings file
// beside itself, named after itself).
bool PrepareFolder(Program& program, const std::string& work, const std::string& exe,
                   const char* fileName)
{
    program.folder = work + "\\" + program.label;
    CreateDirectoryA(work.c_str(), nullptr);
    CreateDirectoryA(program.folder.c_str(), nullptr);
    program.exe = program.folder + "\\" + fileName;
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

void Report(const char* method, const Program& vexo, const std::vector<double>& vexoMs,
            const std::vector<double>& minimalMs)
{
    std::printf("[startup] %-4s %-14s median %6.1f ms (quartile %6.1f), minimal window median %6.1f ms "
                "(quartile %6.1f), ratio %.2f (quartiles %.2f)\n",
                method, vexo.label.c_str(), Median(vexoMs), LowerQuartile(vexoMs), Median(minimalMs),
                LowerQuartile(minimalMs), Median(vexoMs) / Median(minimalMs),
                LowerQuartile(vexoMs) / LowerQuartile(minimalMs));
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: startup_bench --vexo EXE [--vexo EXE...] --minimal EXE --work DIR "
                 "[--starts N] [--ini FILE]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> vexoExes;
    std::string minimalExe, work, ini;
    int starts = 15;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i], value = argv[i + 1];
        if (option == "--vexo")
            vexoExes.push_back(e2e::WinPath(value));
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
    if (argc % 2 == 0 || vexoExes.empty() || minimalExe.empty() || work.empty())
        return Usage();

    Program minimal{"minimal", {}, {}, "LumoMinimal", 0, {}, {}};
    if (!PrepareFolder(minimal, work, minimalExe, "minimal_window.exe"))
        return 1;
    std::vector<Program> vexos;
    for (std::size_t i = 0; i < vexoExes.size(); ++i) {
        vexos.push_back(Program{"vexo" + std::to_string(i + 1), {}, {}, "vexo", IDC_MODE_DISPLAY, {}, {}});
        std::printf("[startup] %s is %s\n", vexos.back().label.c_str(), vexoExes[i].c_str());
        if (!PrepareFolder(vexos.back(), work, vexoExes[i], "vexo.exe"))
            return 1;
    }

    // One start of each first, unmeasured: the first start of a program pays for the cache.
    auto round = [&](bool (*start)(Program&)) {
        if (!start(minimal))
            return false;
        for (Program& vexo : vexos) {
            ResetSettings(vexo, ini);
            if (!start(vexo))
                return false;
        }
        return true;
    };
    if (!round(StartPolled))
        return 1;
    minimal.pollMs.clear();
    for (Program& vexo : vexos)
        vexo.pollMs.clear();

    for (int i = 0; i < starts; ++i) {
        if (!round(StartPolled) || !round(StartIdle))
            return 1;
    }
    std::printf("[startup] %d starts of each program per method%s\n", starts,
                ini.empty() ? ", no settings file" : ", with the given settings file");
    for (const Program& vexo : vexos)
        Report("poll", vexo, vexo.pollMs, minimal.pollMs);
    for (const Program& vexo : vexos)
        Report("idle", vexo, vexo.idleMs, minimal.idleMs);
    return 0;
}
