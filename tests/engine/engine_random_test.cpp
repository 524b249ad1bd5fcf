// A long random run of keys, clicks, mode switches and option changes, checking after every step
// the invariants that every other part relies on: the entry is at most eight digits of the
// current mode and is what the display shows, the display is the canonical display text of a
// count in range, the memory is wrapped in its own mode, the tape keeps its limits, and every
// message is one of the calculator's own.

#include <cstdint>
#include <random>
#include <string>

#include "format/formatter.h"
#include "model/digit_string.h"
#include "model/user_mode.h"
#include "tests/engine/recording_view.h"

namespace {

const char* const kKnownMessages[] = {
    "Invalid Frames Entry|Strict Number Check",  "Invalid Seconds Entry|Strict Number Check",
    "Invalid Minutes Entry|Strict Number Check", "Invalid Hours Entry|Strict Number Check",
    "Dividing By Zero|(none)",
};

// Checks what arrives instead of keeping it: a million steps would fill memory otherwise.
class CheckingView final : public CalculatorView {
public:
    std::string problem;  // the first thing seen wrong
    std::string lastIndicator;
    int visibleLines = 0;

    void SetDisplayText(const char*) override {}
    void SetMemoryIndicatorText(const char* text) override { lastIndicator = text; }
    void FlashButton(int buttonId) override {
        if (buttonId < kFirstKeypadId || buttonId >= kFirstKeypadId + kKeypadButtonCount)
            Note("flash of a button that does not exist: " + std::to_string(buttonId));
    }
    void Beep() override {}
    void ShowMessage(const char* text, const char* caption) override {
        const std::string shown = std::string(text) + "|" + (caption != nullptr ? caption : "(none)");
        for (const char* known : kKnownMessages)
            if (shown == known) return;
        Note("unknown message " + shown);
    }
    void ModeChanged(int mode) override {
        if (!IsModePresent(mode)) Note("changed to an absent mode " + std::to_string(mode));
    }
    void TapeAdded(int lineIndex) override {
        if (lineIndex != TapeLineCount() - 1) Note("announced a line that is not the newest");
        if (TapeLineAt(lineIndex).text.size() > kMaxTextLength) Note("tape line too long");
    }
    void TapeCleared() override {}
    int TapeVisibleLines() override { return visibleLines; }

private:
    void Note(const std::string& what) {
        if (problem.empty()) problem = what;
    }
};

enum class Action { Key, Click, Mode, ClearMem, ClearTape, Options, Paste };

struct Step {
    Action action = Action::Key;
    int value = 0;  // the character code, control id, mode, visible lines or options
    bool flash = false;
};

std::string Describe(const Step& s) {
    switch (s.action) {
        case Action::Key: return "KeyChar(" + std::to_string(s.value) + (s.flash ? ", flash)" : ")");
        case Action::Click: return "KeypadCommand(" + std::to_string(s.value) + ")";
        case Action::Mode: return "SwitchMode(" + std::to_string(s.value) + ")";
        case Action::ClearMem: return "ClearMemory()";
        case Action::ClearTape: return "ClearTape() with " + std::to_string(s.value) + " lines";
        case Action::Options: return "options strict/autoDf/frameConv " + std::to_string(s.value);
        case Action::Paste: return "PasteText(" + std::to_string(s.value) + " characters)";
    }
    return "?";
}

// Mostly the keys that matter, so that calculations get long enough to wrap and overflow.
constexpr char kUsefulKeys[] = "0123456789012345678900000099+-*/=+-*/=\b\x1b\rmprMPRabcdefABCDEF";

Step RandomStep(std::mt19937& rng) {
    const int roll = static_cast<int>(rng() % 1000);
    Step s;
    if (roll < 800) {
        s.value = static_cast<unsigned char>(kUsefulKeys[rng() % (sizeof kUsefulKeys - 1)]);
        s.flash = (rng() & 1) != 0;
    } else if (roll < 880) {
        s.action = Action::Click;
        s.value = 1160 + static_cast<int>(rng() % 32);
    } else if (roll < 940) {
        s.action = Action::Mode;
        s.value = static_cast<int>(rng() % 15) - 1;
    } else if (roll < 950) {
        s.action = Action::ClearMem;
    } else if (roll < 955) {
        s.action = Action::ClearTape;
        s.value = static_cast<int>(rng() % 170) - 5;
    } else if (roll < 970) {
        s.action = Action::Options;
        s.value = static_cast<int>(rng() % 12);  // strict 0-1, auto 0-2, frames 0-1
    } else if (roll < 975) {
        s.action = Action::Paste;
        s.value = static_cast<int>(rng() % 140);  // sometimes beyond the 127 characters read
    } else {
        s.value = static_cast<int>(rng() % 256);  // anything at all, codes 128-255 included
        s.flash = true;
    }
    return s;
}

// A pasted text: digits of every radix among separators, blanks and letters.
std::string PastedText(int length, std::mt19937& rng) {
    static constexpr char kPasteCharacters[] = "0123456789abcdefABCDEF:;.-, xXhQ+";
    std::string text;
    for (int i = 0; i < length; ++i) text += kPasteCharacters[rng() % (sizeof kPasteCharacters - 1)];
    return text;
}

void Perform(const Step& s, CheckingView& view, std::mt19937& rng) {
    switch (s.action) {
        case Action::Key: KeyChar(static_cast<char>(s.value), s.flash); break;
        case Action::Click: KeypadCommand(s.value); break;
        case Action::Mode: SwitchMode(s.value); break;
        case Action::ClearMem: ClearMemory(); break;
        case Action::ClearTape:
            view.visibleLines = s.value;
            ClearTape();
            break;
        case Action::Options:
            g_options.bStrictCheck = s.value % 2;
            g_options.iAutoDfFix = (s.value / 2) % 3;
            g_options.bDFNDFFrameConv = s.value / 6;
            break;
        case Action::Paste: PasteText(PastedText(s.value, rng).c_str()); break;
    }
}

bool IsDigitOfMode(char c, int mode) {
    switch (ModeKindOf(mode)) {
        case KindHex: return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        case KindOct: return c >= '0' && c <= '7';
        default: return c >= '0' && c <= '9';
    }
}

// The first broken invariant, or an empty text.
std::string BrokenInvariant(const CheckingView& view) {
    const int mode = g_calc.iMode;
    if (!IsModePresent(mode)) return "current mode absent";
    if (g_calc.iAccMode != mode) return "accumulator held in another mode";
    const std::string pending(1, g_calc.cPendingOp);
    if (std::string(" +-*/").find(pending) == std::string::npos) return "pending operator " + pending;

    const std::size_t entryLength = g_calc.szEntry.size();
    if (entryLength > static_cast<std::size_t>(kMaxEntryLength)) return "entry too long";
    for (std::size_t i = 0; i < entryLength; ++i)
        if (!IsDigitOfMode(g_calc.szEntry[i], mode)) return "entry holds a foreign digit";

    const char* display = g_calc.szDisplay.c_str();
    const std::int32_t shown = TextToFrames(display, mode);
    if (shown < 0 || shown >= WrapModulus(mode)) return "display out of range";
    const FormatFlags flags = KindDisplayFlags[ModeKindOf(mode)];
    if (!(FormatDigits(display, mode, flags) == g_calc.szDisplay)) return "display not in display form";
    if (entryLength > 0 && !(FormatDigits(g_calc.szEntry.c_str(), mode, flags) == g_calc.szDisplay))
        return "display does not show the entry";

    if (g_calc.iMemory < 0 || g_calc.iMemory >= WrapModulus(g_calc.iMemMode)) return "memory not wrapped";
    const std::string indicator = g_calc.iMemory != 0 ? "*" : " ";
    if (!view.lastIndicator.empty() && view.lastIndicator != indicator) return "memory indicator stale";

    if (TapeLineCount() < 0 || TapeLineCount() > kMaxTapeLines) return "tape too long";
    return view.problem;
}

void DefineUserModes() {
    ParseUserMode(6, "23.98,2398, 23.98,23.976,1,HMSF,0");
    ParseUserMode(7, "Half DF,HDF, HDF,29.97,1,hmsd,0");
    ParseUserMode(8, "Reel,Reel, ,24,20,FF,3841");
}

struct RandomRun {
    std::uint32_t seed;
    int steps;
    bool userModes;
};

class EngineRandomRun : public EngineFixture, public ::testing::WithParamInterface<RandomRun> {};

TEST_P(EngineRandomRun, KeepsItsInvariants) {
    const RandomRun run = GetParam();
    if (run.userModes) DefineUserModes();
    CheckingView checking;
    SetCalculatorView(&checking);
    StartCalculator(0);

    std::mt19937 rng(run.seed);
    constexpr int kRecent = 12;
    Step recent[kRecent];
    for (int step = 0; step < run.steps; ++step) {
        const Step s = RandomStep(rng);
        recent[step % kRecent] = s;
        Perform(s, checking, rng);
        const std::string broken = BrokenInvariant(checking);
        if (broken.empty()) continue;

        std::string history;
        for (int i = step - kRecent + 1; i <= step; ++i)
            if (i >= 0) history += "\n  " + Describe(recent[i % kRecent]);
        FAIL() << broken << " after step " << step << " of the run with seed " << run.seed
               << "\nentry \"" << g_calc.szEntry.c_str() << "\" display \"" << g_calc.szDisplay.c_str()
               << "\" mode " << g_calc.iMode << "\nlast steps:" << history;
    }
}

// 1.2 million steps in all; the user modes bring a 23.976 rate, a drop-frame user row and a
// 20-frame foot into the conversions.
INSTANTIATE_TEST_SUITE_P(Seeds, EngineRandomRun,
                         ::testing::Values(RandomRun{20240611u, 300000, false},
                                           RandomRun{7u, 300000, true},
                                           RandomRun{99991u, 300000, true},
                                           RandomRun{31337u, 300000, false}),
                         [](const ::testing::TestParamInfo<RandomRun>& info) {
                             return "Seed" + std::to_string(info.param.seed) +
                                    (info.param.userModes ? "WithUserModes" : "");
                         });

}  // namespace
