// The engine's scenario rows typed through lumo: the same keys must give the same display, tape
// and messages as in the window.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/mode_table.h"
#include "tests/cli/lumo_runner.h"
#include "tests/engine/engine_scenarios.h"
#include "model/user_mode.h"
#include "tests/settings/temp_folder.h"

namespace {

constexpr const char* kAutoDfWords[] = {"off", "minus", "plus"};

// The short name that names the row's mode in lumo's arguments.
std::string ModeName(const Scenario& s) {
    ModeTable modes;
    if (s.userMode != nullptr) ParseUserMode(modes, ModeUser1, s.userMode);
    if (s.userMode7 != nullptr) ParseUserMode(modes, ModeUser1 + 1, s.userMode7);
    return modes.rows[s.mode].szShortName.c_str();
}

// settings: a settings file that defines the row's user mode, or empty.
std::vector<std::string> LumoArguments(const Scenario& s, const std::string& settings) {
    std::vector<std::string> args = {"--tape", "--mode", ModeName(s)};
    if (!settings.empty()) args.insert(args.end(), {"--settings", settings});
    if (s.strict != 0) args.push_back("--strict");
    if (s.frameConv != 0) args.push_back("--as-frames");
    args.insert(args.end(), {"--auto-df", kAutoDfWords[s.autoDf], s.keys});
    return args;
}

// What lumo prints for the row: the tape lines without their trailing blanks, then the display;
// each message as an error line.
std::string ExpectedOutput(const Scenario& s) {
    std::string text;
    for (std::string line : s.tape) {
        while (!line.empty() && line.back() == ' ') line.pop_back();
        text += line + "\n";
    }
    return text + s.display + "\n";
}

std::string ExpectedErrors(const Scenario& s) {
    std::string text;
    for (const std::string& message : s.messages) text += "lumo: " + message.substr(0, message.find('|')) + "\n";
    return text;
}

class LumoScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(LumoScenario, KeysGiveTheWindowsDisplayTapeAndMessages) {
    const Scenario& s = GetParam();
    if (s.autoDf < 0 || s.autoDf > 2) GTEST_SKIP() << "--auto-df names only the menu's three choices";
    // The row's user modes reach lumo through a settings file.
    TempFolder folder;
    std::string settings;
    std::string definitions;
    const std::pair<const char*, const char*> userModes[] = {{"szCfr1=", s.userMode}, {"szCfr2=", s.userMode7}};
    for (const auto& [key, definition] : userModes)
        if (definition != nullptr) definitions += std::string(key) + definition + "\n";
    if (!definitions.empty()) {
        settings = folder.File("VEXO.INI");
        WriteFileBytes(settings, "[Vexo Special]\n" + definitions);
    }
    const LumoRun run = RunLumoOn(LumoArguments(s, settings));
    SCOPED_TRACE(std::string("lumo keys: ") + s.keys);
    EXPECT_EQ(run.out, ExpectedOutput(s));
    EXPECT_EQ(run.err, ExpectedErrors(s));
    EXPECT_EQ(run.status, s.messages.empty() ? ExitOk : ExitFailed);
}

INSTANTIATE_TEST_SUITE_P(Rows, LumoScenario, ::testing::ValuesIn(kScenarios), ScenarioName);

}  // namespace
