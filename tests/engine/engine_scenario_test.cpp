// Keys in, text out: each row types a script from a fresh start in a mode with some options and
// compares the display, the tape lines written, the messages and the beeps.

#include <ostream>
#include <string>
#include <vector>

#include "model/user_mode.h"
#include "tests/engine/engine_scenarios.h"
#include "tests/engine/recording_view.h"

namespace {

class EngineScenario : public EngineFixture, public ::testing::WithParamInterface<Scenario> {};

TEST_P(EngineScenario, KeysGiveDisplayTapeAndMessages) {
    const Scenario& s = GetParam();
    g_options.bStrictCheck = s.strict;
    g_options.iAutoDfFix = s.autoDf;
    g_options.bDFNDFFrameConv = s.frameConv;
    if (s.userMode != nullptr) {
        ASSERT_TRUE(ParseUserMode(kUser, s.userMode)) << s.userMode;
    }
    if (s.userMode7 != nullptr) {
        ASSERT_TRUE(ParseUserMode(kUser + 1, s.userMode7)) << s.userMode7;
    }
    StartIn(s.mode);

    PlayKeys(s.keys);

    SCOPED_TRACE(std::string("keys: ") + s.keys);
    EXPECT_EQ(std::string(g_calc.szDisplay.c_str()), s.display);
    if (!view.displays.empty()) {
        EXPECT_EQ(view.displays.back(), s.display);
    }
    EXPECT_EQ(view.tape, s.tape);
    EXPECT_EQ(view.messages, s.messages);
    EXPECT_EQ(view.beeps, s.beeps);
    if (s.indicator != nullptr) {
        ASSERT_FALSE(view.indicators.empty());
        EXPECT_EQ(view.indicators.back(), s.indicator);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EngineScenario, ::testing::ValuesIn(kScenarios), ScenarioName);

// The events of single keys, in order: the flash comes before the action, clicks and pastes do
// not flash, and only keys with a button flash.
struct KeyEvents {
    const char* name;
    int mode;
    const char* keys;
    std::vector<std::string> events;
};

void PrintTo(const KeyEvents& k, std::ostream* os) { *os << k.name << ": " << k.keys; }

const KeyEvents kKeyEvents[] = {
    {"digit", kNdf, "1", {"flash 1", "display 1"}},
    {"Enter flashes equals", kDec, "<Enter>", {"flash =", "tape = 0 "}},
    {"Esc flashes C", kDec, "<Esc>", {"flash C", "display 0", "tape     "}},
    {"backspace flashes <<", kDec, "<Bs>", {"flash <<", "beep"}},
    {"m is M-", kDec, "m", {"flash MM-", "indicator  ", "tape M- 0 ", "tape M= 0 "}},
    {"p is M+", kDec, "1p", {"flash 1", "display 1", "flash MP+", "indicator *", "tape M+ 1 ",
                            "tape M= 1 "}},
    {"r is MR", kDec, "r", {"flash MR", "display 0"}},
    {"octal 8 flashes, then beeps", kOct, "8", {"flash 8", "beep"}},
    {"hex letters have no button", kHex, "a", {"display A"}},
    {"a click does not flash", kDec, "<Click 1>", {"display 1"}},
    {"a paste does not flash and shows the entry once", kDec, "<Paste 12>", {"display 12"}},
    {"a mode switch", kNdf, "<Mode 2>", {"display 0", "mode 2"}},
};

class EngineKeyEvents : public EngineFixture, public ::testing::WithParamInterface<KeyEvents> {};

TEST_P(EngineKeyEvents, AreShownInOrder) {
    const KeyEvents& k = GetParam();
    StartIn(k.mode);
    PlayKeys(k.keys);
    EXPECT_EQ(view.events, k.events) << k.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, EngineKeyEvents, ::testing::ValuesIn(kKeyEvents));

using EngineStartUp = EngineFixture;

TEST_F(EngineStartUp, ShowsZeroClearsTheTapeAndNamesTheMode) {
    view.visibleLines = 3;
    StartCalculator(kPal);
    const std::vector<std::string> expected = {"display 0", "indicator  ", "tape cleared", "mode 2"};
    EXPECT_EQ(view.events, expected);
    EXPECT_EQ(TapeLineCount(), 3);
    EXPECT_EQ(g_calc.iAccMode, kPal);
}

TEST_F(EngineStartUp, AnAbsentSavedModeFallsBackToModeZero) {
    StartCalculator(6);  // a user mode that no definition named
    EXPECT_EQ(g_calc.iMode, 0);
    EXPECT_EQ(view.modes, std::vector<int>{0});
}

using EngineModeSwitch = EngineFixture;

// The accumulator keeps the converted count unwrapped; the entry holds the digits of the new
// mode as if typed.
TEST_F(EngineModeSwitch, KeepsTheAccumulatorUnwrappedAndTheEntryBare) {
    StartIn(k35mm);
    PlayKeys("23999915+");
    SwitchMode(kNdf);
    EXPECT_EQ(g_calc.iAccumulator, 4799999);
    EXPECT_EQ(g_calc.iAccMode, kNdf);
    EXPECT_EQ(g_calc.cPendingOp, '+');

    PlayKeys("<Esc>10000");
    SwitchMode(kHex);
    EXPECT_EQ(g_calc.szEntry, "708");  // 1800 frames
    SwitchMode(kDf);
    EXPECT_EQ(g_calc.szEntry, "10002");
    EXPECT_EQ(view.modes, (std::vector<int>{kNdf, kHex, kDf}));
}

TEST_F(EngineModeSwitch, UserModesTakePart) {
    ASSERT_TRUE(ParseUserMode(7, "Half DF,HDF, HDF,29.97,1,hmsd,0"));
    g_options.iAutoDfFix = 1;
    StartIn(kNdf);
    PlayKeys("10000<Mode 7>+");
    EXPECT_EQ(view.displays.back(), "59;28");
    EXPECT_EQ(view.tape, std::vector<std::string>{"  59;28 "});
}

}  // namespace
