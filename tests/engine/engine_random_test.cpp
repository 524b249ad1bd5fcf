// A long random run of keys, clicks, mode switches and option changes, checking after every step
// the invariants that every other part relies on: the entry is at most eight digits of the
// current mode and is what the display shows, the display is the canonical display text of a
// count in range, the memory is wrapped in its own mode, the tape keeps its limits, and every
// message is one of the calculator's own.

#include <cstdint>
#include <memory>
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
    explicit CheckingView(const ModeTable& modes) : modes_(modes) {}

    std::string problem;  // the first thing seen wrong
    std::string lastIndicator;
    int visibleLines = 0;
    int tapeLines = 0;

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
        if (!IsModePresent(modes_, mode)) Note("changed to an absent mode " + std::to_string(mode));
    }
    // The tape's length as the view is told it.
    void TapeAdded(const TapeLine& line, bool oldestDropped) override {
        if (line.text.size() > kMaxTextLength) Note("tape line too long");
        if (!oldestDropped) ++tapeLines;
        if (tapeLines > kMaxTapeLines) Note("tape too long");
    }
    void TapeCleared(const Tape& tape) override {
        tapeLines = tape.Count();
        if (tapeLines > kMaxTapeLines) Note("tape refilled beyond its limit");
    }
    int TapeVisibleLines() override { return visibleLines; }

private:
    const ModeTable& modes_;

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

// A calculator on a table and options of its own, shown through the checking view.
struct CheckedCalculator {
    ModeTable modes;
    Options options;
    CheckingView view{modes};
    Calculator calc{view, modes, options};
};

void Perform(const Step& s, CheckedCalculator& c, std::mt19937& rng) {
    switch (s.action) {
        case Action::Key: c.calc.KeyChar(static_cast<char>(s.value), s.flash); break;
        case Action::Click: c.calc.KeypadCommand(s.value); break;
        case Action::Mode: c.calc.SwitchMode(s.value); break;
        case Action::ClearMem: c.calc.ClearMemory(); break;
        case Action::ClearTape:
            c.view.visibleLines = s.value;
            c.calc.ClearTape();
            break;
        case Action::Options:
            c.options.bStrictCheck = s.value % 2;
            c.options.iAutoDfFix = (s.value / 2) % 3;
            c.options.bDFNDFFrameConv = s.value / 6;
            break;
        case Action::Paste: c.calc.PasteText(PastedText(s.value, rng).c_str()); break;
    }
}

bool IsDigitOfMode(const ModeTable& modes, char c, int mode) {
    switch (ModeKindOf(modes, mode)) {
        case KindHex: return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        case KindOct: return c >= '0' && c <= '7';
        default: return c >= '0' && c <= '9';
    }
}

// The first broken invariant, or an empty text.
std::string BrokenInvariant(const CheckedCalculator& c) {
    const ModeTable& modes = c.modes;
    const CalculatorState& state = c.calc.State();
    const int mode = state.iMode;
    if (!IsModePresent(modes, mode)) return "current mode absent";
    if (state.iAccMode != mode) return "accumulator held in another mode";
    const std::string pending(1, state.cPendingOp);
    if (std::string(" +-*/").find(pending) == std::string::npos) return "pending operator " + pending;

    const std::size_t entryLength = state.szEntry.size();
    if (entryLength > static_cast<std::size_t>(kMaxEntryLength)) return "entry too long";
    for (std::size_t i = 0; i < entryLength; ++i)
        if (!IsDigitOfMode(modes, state.szEntry[i], mode)) return "entry holds a foreign digit";

    const char* display = state.szDisplay.c_str();
    const std::int32_t shown = TextToFrames(modes, display, mode);
    if (shown < 0 || shown >= WrapModulus(modes, mode)) return "display out of range";
    const FormatFlags flags = KindDisplayFlags[ModeKindOf(modes, mode)];
    if (!(FormatDigits(modes, display, mode, flags) == state.szDisplay)) return "display not in display form";
    if (entryLength > 0 && !(FormatDigits(modes, state.szEntry.c_str(), mode, flags) == state.szDisplay))
        return "display does not show the entry";

    if (state.iMemory < 0 || state.iMemory >= WrapModulus(modes, state.iMemMode)) return "memory not wrapped";
    const std::string indicator = state.iMemory != 0 ? "*" : " ";
    if (!c.view.lastIndicator.empty() && c.view.lastIndicator != indicator) return "memory indicator stale";

    return c.view.problem;
}

void DefineUserModes(ModeTable& modes) {
    ParseUserMode(modes, 6, "23.98,2398, 23.98,23.976,1,HMSF,0");
    ParseUserMode(modes, 7, "Half DF,HDF, HDF,29.97,1,hmsd,0");
    ParseUserMode(modes, 8, "Reel,Reel, ,24,20,FF,3841");
}

struct RandomRun {
    std::uint32_t seed;
    int steps;
    bool userModes;
};

class EngineRandomRun : public ::testing::TestWithParam<RandomRun> {};

TEST_P(EngineRandomRun, KeepsItsInvariants) {
    const RandomRun run = GetParam();
    // On the heap: the calculator keeps its tape inside it.
    const auto checked = std::make_unique<CheckedCalculator>();
    if (run.userModes) DefineUserModes(checked->modes);
    checked->calc.Start(0);

    std::mt19937 rng(run.seed);
    constexpr int kRecent = 12;
    Step recent[kRecent];
    for (int step = 0; step < run.steps; ++step) {
        const Step s = RandomStep(rng);
        recent[step % kRecent] = s;
        Perform(s, *checked, rng);
        const std::string broken = BrokenInvariant(*checked);
        if (broken.empty()) continue;

        std::string history;
        for (int i = step - kRecent + 1; i <= step; ++i)
            if (i >= 0) history += "\n  " + Describe(recent[i % kRecent]);
        FAIL() << broken << " after step " << step << " of the run with seed " << run.seed
               << "\nentry \"" << checked->calc.State().szEntry.c_str() << "\" display \""
               << checked->calc.State().szDisplay.c_str() << "\" mode " << checked->calc.State().iMode
               << "\nlast steps:" << history;
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
