// How quickly the program comes up and takes keys. The figures are printed for the record and
// never checked against a bound: a loaded machine must not fail the suite. What is checked is
// that the program did what was timed.
#include "shell/resource.h"
#include "tests/e2e/driver.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace e2e {
namespace {

constexpr int kStarts = 5;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double ElapsedMs(const LARGE_INTEGER& from)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

TEST(Speed, StartUpAgainstAMinimalWindowProgram)
{
    if (Cfg().minimalExe.empty())
        GTEST_SKIP() << "LUMO_E2E_MINIMAL not set";
    const std::string folder = MakeTestFolder();
    const std::string minimalCopy = folder + "\\minimal_window.exe";
    ASSERT_TRUE(CopyFileA(Cfg().minimalExe.c_str(), minimalCopy.c_str(), FALSE));
    std::vector<double> vexoTimes, minimalTimes;
    for (int i = 0; i < kStarts; ++i) {
        {
            PROCESS_INFORMATION process{};
            HWND window = nullptr;
            double ms = 0;
            ASSERT_TRUE(StartProgram(minimalCopy, folder, "LumoMinimal", 0, process, window, ms));
            minimalTimes.push_back(ms);
            PostMessageA(window, WM_CLOSE, 0, 0);
            WaitForSingleObject(process.hProcess, 5000);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        Vexo v;
        ASSERT_TRUE(StartVexoIn(v, folder));
        vexoTimes.push_back(v.startMs);
        ASSERT_TRUE(CloseVexo(v));
    }
    const double vexo = Median(vexoTimes), minimal = Median(minimalTimes);
    std::printf("[speed] start-up until ready for keys, median of %d: vexo.exe %.1f ms, "
                "minimal window %.1f ms, ratio %.2f\n",
                kStarts, vexo, minimal, vexo / minimal);
    RecordProperty("vexo_start_ms", static_cast<int>(vexo));
    RecordProperty("minimal_start_ms", static_cast<int>(minimal));
}

// 1000 characters through WM_CHAR. Hexadecimal letters have no keypad button, so nothing
// flashes and the time is the program's own handling; digits flash their button for 31 ms
// each, which a short run of digits shows.
TEST(Speed, ThousandCharactersReachTheDisplay)
{
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    PressCtrl(v, 'H');
    ASSERT_TRUE(ControlTextIs(v, IDC_DISPLAY, "0"));
    static const char kLetters[] = "abcdef";
    constexpr int kCharacters = 1000;
    std::string typed;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kCharacters; ++i) {
        const char c = kLetters[i % 6];
        typed += c;
        PostMessageA(v.main, WM_CHAR, static_cast<WPARAM>(c), 0);
    }
    ASSERT_TRUE(SyncPosted(v));
    const double lettersMs = ElapsedMs(start);
    std::string wanted = typed.substr(typed.size() - 8);
    for (char& c : wanted)
        c = static_cast<char>(c - 'a' + 'A');
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, wanted, 0));

    constexpr int kDigits = 20;
    TypeText(v, "\x1b");
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kDigits; ++i)
        PostMessageA(v.main, WM_CHAR, static_cast<WPARAM>('1' + i % 9), 0);
    ASSERT_TRUE(SyncPosted(v));
    const double digitsMs = ElapsedMs(start);

    std::printf("[speed] %d hexadecimal letters through WM_CHAR (no flash): %.1f ms, %.3f ms each\n",
                kCharacters, lettersMs, lettersMs / kCharacters);
    std::printf("[speed] %d digits through WM_CHAR (each flashes its button): %.1f ms, %.1f ms each\n",
                kDigits, digitsMs, digitsMs / kDigits);
    RecordProperty("thousand_letters_ms", static_cast<int>(lettersMs));
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "45678912", 0)) << "the last eight digits typed";
    EXPECT_TRUE(CloseVexo(v));
}

TEST(Speed, ExecutableSize)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(Cfg().vexoExe.c_str(), GetFileExInfoStandard, &data))
        << Cfg().vexoExe;
    const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    std::printf("[speed] vexo.exe is %llu bytes (%.1f KiB)\n", size, size / 1024.0);
    RecordProperty("vexo_exe_bytes", static_cast<int>(size));
}

}  // namespace
}  // namespace e2e
