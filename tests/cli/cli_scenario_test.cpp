// The engine's scenario rows typed through lumo: the same keys must give the same display, tape
// and messages as in the window. Rows that use what lumo has no key for are skipped with the
// reason.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "engine/calculator.h"
#include "model/mode_table.h"
#include "tests/cli/lumo_runner.h"
#include "tests/engine/engine_scenarios.h"
#include "model/user_mode.h"
#include "tests/engine/recording_view.h"
#include "tests/settings/temp_folder.h"

namespace {

struct Translation {
    std::string keys;  // in lumo's syntax
    std::string gap;   // why the row cannot be typed through lumo; empty when it can
};

// The key a keypad button stands for, in lumo's syntax; empty for none.
std::string KeyOfButton(int buttonId) {
    for (const KeyCharEntry& entry : KeyCharTable) {
        if (entry.buttonId != buttonId) continue;
        if (entry.key == 8) return "<Bs>";
        if (entry.key == 27) return "<Esc>";
        return std::string(1, entry.key);
    }
    return {};
}

// One command of the engine tests' script in lumo's syntax, or a gap.
Translation TranslateCommand(const std::string& command) {
    const std::size_t space = command.find(' ');
    const std::string name = command.substr(0, space);
    const std::string argument = space == std::string::npos ? "" : command.substr(space + 1);
    if (name == "Esc" || name == "Bs" || name == "Enter" || name == "ClearMem") return {"<" + name + ">", ""};
    if (name == "Mode") {
        const int mode = std::atoi(argument.c_str());
        if (!IsModePresent(mode)) return {"", "an absent mode has no name"};
        return {std::string("@") + ModeTable[mode].szShortName.c_str(), ""};
    }
    if (name == "Click") {
        const std::string key = KeyOfButton(KeypadButtonId(argument));
        if (!key.empty()) return {key, ""};
    }
    if (name == "Paste") return {"", "keys have no paste; convert reads values as a paste does"};
    if (name == "Chr") return {"", "any character code: an argument cannot hold a NUL"};
    return {"", "<" + name + "> has no key"};
}

Translation Translate(const Scenario& s) {
    if (s.autoDf < 0 || s.autoDf > 2) return {"", "--auto-df names only the menu's three choices"};
    Translation result;
    for (const char* p = s.keys; *p != '\0'; ++p) {
        if (*p != '<') {
            result.keys += *p;
            continue;
        }
        const char* end = p;
        while (*end != '\0' && *end != '>') ++end;
        const Translation command = TranslateCommand(std::string(p + 1, end));
        if (!command.gap.empty()) return command;
        result.keys += command.keys;
        if (*end == '\0') break;
        p = end;
    }
    return result;
}

constexpr const char* kAutoDfWords[] = {"off", "minus", "plus"};

// settings: a settings file that defines the row's user mode, or empty.
std::vector<std::string> LumoArguments(const Scenario& s, const std::string& keys, const std::string& settings) {
    std::vector<std::string> args = {"--tape", "--mode", ModeTable[s.mode].szShortName.c_str()};
    if (!settings.empty()) args.insert(args.end(), {"--settings", settings});
    if (s.strict != 0) args.push_back("--strict");
    if (s.frameConv != 0) args.push_back("--as-frames");
    args.insert(args.end(), {"--auto-df", kAutoDfWords[s.autoDf], keys});
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
    // The row's user modes reach lumo through a settings file, and are defined here too, so that
    // their names can be written in the keys.
    TempFolder folder;
    std::string settings;
    std::string definitions;
    const std::tuple<const char*, int, const char*> modes[] = {{"szCfr1=", kUser, s.userMode},
                                                                 {"szCfr2=", kUser + 1, s.userMode7}};
    for (const auto& [key, mode, definition] : modes) {
        if (definition == nullptr) continue;
        definitions += std::string(key) + definition + "\n";
        ASSERT_TRUE(ParseUserMode(mode, definition)) << definition;
    }
    if (!definitions.empty()) {
        settings = folder.File("VEXO.INI");
        WriteFileBytes(settings, "[Vexo Special]\n" + definitions);
    }
    const Translation translation = Translate(s);
    if (!translation.gap.empty()) GTEST_SKIP() << "not typed through lumo: " << translation.gap;

    const LumoRun run = RunLumoOn(LumoArguments(s, translation.keys, settings));
    SCOPED_TRACE("lumo keys: " + translation.keys);
    EXPECT_EQ(run.out, ExpectedOutput(s));
    EXPECT_EQ(run.err, ExpectedErrors(s));
    EXPECT_EQ(run.status, s.messages.empty() ? ExitOk : ExitFailed);
}

INSTANTIATE_TEST_SUITE_P(Rows, LumoScenario, ::testing::ValuesIn(kScenarios), ScenarioName);

}  // namespace
