// A measurement, not a test of speed: how quickly the program handles keys. The figures are
// printed for the record and never checked against a bound, since a loaded machine must not
// fail the suite; what is checked is that the program did what was timed. The start-up time has
// a benchmark of its own (bench/startup, run by scripts/startup-bench.sh), and the release zip's
// check prints the program's size.
#include "win32/resource.h"
#include "tests/e2e/driver.h"

#include <cstdio>
#include <string>

namespace e2e {
namespace {

double ElapsedMs(const LARGE_INTEGER& from)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// 1000 characters through WM_CHAR. Hexadecimal letters have no keypad button, so nothing
// flashes and the time is the program's own handling; digits flash their button for 31 ms
// each, which a short run of digits shows.
TEST(Measurement, ThousandCharactersReachTheDisplay)
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

}  // namespace
}  // namespace e2e
