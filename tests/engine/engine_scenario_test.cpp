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
    options.bStrictCheck = s.strict;
    options.iAutoDfFix = s.autoDf;
    options.bDFNDFFrameConv = s.frameConv;
    if (s.userMode != nullptr) {
        ASSERT_TRUE(ParseUserMode(modes, ModeUser1, s.userMode)) << s.userMode;
    }
    if (s.userMode7 != nullptr) {
        ASSERT_TRUE(ParseUserMode(modes, ModeUser1 + 1, s.userMode7)) << s.userMode7;
    }
    StartIn(s.mode);

    PlayKeys(s.keys);

    SCOPED_TRACE(std::string("keys: ") + s.keys);
    EXPECT_EQ(std::string(calc.State().szDisplay.c_str()), s.display);
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
    {"digit", ModeNdf, "1", {"flash 1", "display 1"}},
    {"Enter flashes equals", ModeDec, "<Enter>", {"flash =", "tape = 0 "}},
    {"Esc flashes C", ModeDec, "<Esc>", {"flash C", "display 0", "tape     "}},
    {"backspace flashes <<", ModeDec, "<Bs>", {"flash <<", "beep"}},
    {"m is M-", ModeDec, "m", {"flash MM-", "indicator  ", "tape M- 0 ", "tape M= 0 "}},
    {"p is M+", ModeDec, "1p", {"flash 1", "display 1", "flash MP+", "indicator *", "tape M+ 1 ",
                            "tape M= 1 "}},
    {"r is MR", ModeDec, "r", {"flash MR", "display 0"}},
    {"octal 8 flashes, then beeps", ModeOct, "8", {"flash 8", "beep"}},
    {"hex letters have no button", ModeHex, "a", {"display A"}},
    {"a click does not flash", ModeDec, "<Click 1>", {"display 1"}},
    {"a paste does not flash and shows the entry once", ModeDec, "<Paste 12>", {"display 12"}},
    {"a mode switch", ModeNdf, "@Pal", {"display 0", "mode 2"}},
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
    calc.Start(ModePal);
    const std::vector<std::string> expected = {"display 0", "indicator  ", "tape cleared", "mode 2"};
    EXPECT_EQ(view.events, expected);
    EXPECT_EQ(view.shownTape.size(), 3u);
    EXPECT_EQ(calc.State().iAccMode, ModePal);
}

TEST_F(EngineStartUp, AnAbsentSavedModeFallsBackToModeZero) {
    calc.Start(6);  // a user mode that no definition named
    EXPECT_EQ(calc.State().iMode, 0);
    EXPECT_EQ(view.modes, std::vector<int>{0});
}

// Two calculators in one process share nothing: not the state, the tape, the memory, the
// modes nor the options.
TEST_F(EngineStartUp, TwoCalculatorsDoNotSeeEachOther) {
    ModeTable otherModes;
    ASSERT_TRUE(ParseUserMode(otherModes, ModeUser1, "Half DF,HDF, HDF,29.97,1,hmsd,0"));
    Options otherOptions;
    otherOptions.bStrictCheck = 1;
    RecordingView otherView;
    Calculator other{otherView, otherModes, otherOptions};
    StartIn(ModeDec);
    other.Start(ModeUser1);
    PlayKeys("7p+5");
    other.KeyChar('1', false);
    other.KeyChar('=', false);
    EXPECT_EQ(view.displays.back(), "5");
    EXPECT_EQ(calc.State().iMemory, 7);
    EXPECT_EQ(other.State().iMemory, 0);
    EXPECT_EQ(other.State().iMode, ModeUser1);
    EXPECT_EQ(otherView.displays.back(), "1");
    EXPECT_EQ(otherView.tape, (std::vector<std::string>{"  1 ", "= 1 "}));
    EXPECT_EQ(view.tape, (std::vector<std::string>{"M+ 7 ", "M= 7 ", "  7 "}));
    EXPECT_FALSE(IsModePresent(modes, ModeUser1));
}

// Switching to the current mode or to one that is absent or out of range changes nothing, and a
// click from the display, the memory indicator or a menu command's id is no key.
TEST_F(EngineStartUp, AbsentModesAndForeignIdsDoNothing) {
    StartIn(ModeDec);
    PlayKeys("5");
    for (int mode : {int{ModeDec}, int{ModeUser1}, 13, -1}) calc.SwitchMode(mode);
    for (int id : {1165, 1186, 1003}) calc.KeypadCommand(id);
    EXPECT_EQ(view.events, (std::vector<std::string>{"flash 5", "display 5"}));
}

using EngineModeSwitch = EngineFixture;

// The accumulator keeps the converted count unwrapped; the entry holds the digits of the new
// mode as if typed.
TEST_F(EngineModeSwitch, KeepsTheAccumulatorUnwrappedAndTheEntryBare) {
    StartIn(Mode35mm);
    PlayKeys("23999915+");
    calc.SwitchMode(ModeNdf);
    EXPECT_EQ(calc.State().iAccumulator, 4799999);
    EXPECT_EQ(calc.State().iAccMode, ModeNdf);
    EXPECT_EQ(calc.State().cPendingOp, '+');

    PlayKeys("<Esc>10000");
    calc.SwitchMode(ModeHex);
    EXPECT_EQ(calc.State().szEntry, "708");  // 1800 frames
    calc.SwitchMode(ModeDf);
    EXPECT_EQ(calc.State().szEntry, "10002");
    EXPECT_EQ(view.modes, (std::vector<int>{ModeNdf, ModeHex, ModeDf}));
}

TEST_F(EngineModeSwitch, UserModesTakePart) {
    ASSERT_TRUE(ParseUserMode(modes, 7, "Half DF,HDF, HDF,29.97,1,hmsd,0"));
    options.iAutoDfFix = 1;
    StartIn(ModeNdf);
    PlayKeys("10000@HDF+");
    EXPECT_EQ(view.displays.back(), "59;28");
    EXPECT_EQ(view.tape, std::vector<std::string>{"  59;28 "});
}

}  // namespace
