// The program's own help text, read from the source tree (the executable carries the same file
// as a resource): it parses, it has the topics that the program opens, its contents names every
// topic, and its keyboard table and mode names cannot drift from the menu and the accelerators
// of the resource file. Native only: the paths are the build machine's.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "help/help_text.h"
#include "model/chars.h"

namespace {

std::string ReadSource(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

const std::string& HelpSource() {
    static const std::string text = ReadSource(LUMO_HELP_TEXT_FILE);
    return text;
}

const std::string& ResourceSource() {
    static const std::string text = ReadSource(LUMO_RESOURCE_FILE);
    return text;
}

class ProgramHelpText : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(HelpSource().empty()) << "cannot read " << LUMO_HELP_TEXT_FILE;
        const HelpParseResult result = help_.Parse(HelpSource());
        ASSERT_EQ(result.error, HelpParseError::None) << "line " << result.line;
    }

    std::string Body(const char* topic) const {
        const int index = help_.TopicIndex(topic);
        return index < 0 ? std::string() : std::string(help_.Topics()[static_cast<std::size_t>(index)].body);
    }

    HelpText help_;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The comma-separated fields of a line, trimmed.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(Trimmed(field));
    return fields;
}

// "&DF [29.97]\tCtrl+D" is "DF [29.97]" in running text.
std::string PlainMenuText(const std::string& itemText) {
    std::string plain;
    for (char c : itemText.substr(0, itemText.find("\\t"))) {
        if (c != '&') plain += c;
    }
    return plain;
}

// Menu texts by command name ("IDM_COPY" to "Copy"), from lines MENUITEM "&Copy\tCtrl+C", IDM_COPY.
std::map<std::string, std::string> MenuTexts(const std::string& rc) {
    std::map<std::string, std::string> texts;
    const std::string item = "MENUITEM \"";
    for (const std::string& line : Lines(rc)) {
        const std::string trimmed = Trimmed(line);
        if (trimmed.rfind(item, 0) != 0) continue;
        const std::size_t close = trimmed.find('"', item.size());
        if (close == std::string::npos) continue;
        const std::vector<std::string> after = Fields(trimmed.substr(close + 1));
        if (after.size() >= 2) texts[after[1]] = PlainMenuText(trimmed.substr(item.size(), close - item.size()));
    }
    return texts;
}

struct Accelerator {
    std::string keys;     // as the help writes them: "Ctrl+F3", "F1"
    std::string command;  // "IDM_MODE_35MM"
};

// The rows of the ACCELERATORS table: "F", IDM_MODE_FILM, VIRTKEY, CONTROL.
std::vector<Accelerator> Accelerators(const std::string& rc) {
    std::vector<Accelerator> rows;
    bool inTable = false;
    for (const std::string& line : Lines(rc)) {
        const std::string trimmed = Trimmed(line);
        if (trimmed.find(" ACCELERATORS") != std::string::npos) inTable = true;
        if (!inTable || trimmed == "BEGIN" || trimmed.find("ACCELERATORS") != std::string::npos) continue;
        if (trimmed == "END") break;
        const std::vector<std::string> fields = Fields(trimmed);
        if (fields.size() < 3 || fields[2] != "VIRTKEY") continue;
        std::string key = fields[0];
        if (key.size() == 3 && key.front() == '"' && key.back() == '"') key = key.substr(1, 1);
        if (key.rfind("VK_", 0) == 0) key = key.substr(3);
        std::string keys;
        for (std::size_t i = 3; i < fields.size(); ++i) {
            if (fields[i] == "CONTROL") keys += "Ctrl+";
            if (fields[i] == "SHIFT") keys += "Shift+";
            if (fields[i] == "ALT") keys += "Alt+";
        }
        rows.push_back({keys + key, fields[1]});
    }
    return rows;
}

// The keys stand on the line as a whole: "Ctrl+F" is not in "Ctrl+F1", nor "F1" in "Ctrl+F1".
bool HasKeys(const std::string& line, const std::string& keys) {
    auto isKeyChar = [](char c) { return IsAsciiLetter(c) || IsDecimalDigit(c) || c == '+'; };
    for (std::size_t at = line.find(keys); at != std::string::npos; at = line.find(keys, at + 1)) {
        const std::size_t after = at + keys.size();
        if ((at == 0 || !isKeyChar(line[at - 1])) && (after == line.size() || !isKeyChar(line[after]))) return true;
    }
    return false;
}

TEST_F(ProgramHelpText, HasTheTopicsTheProgramOpens) {
    for (const char* name : {help_topics::kContents, help_topics::kUsingHelp, help_topics::kRoman,
                             help_topics::kClipboardFormats}) {
        EXPECT_NE(help_.TopicIndex(name), -1) << name;
    }
    EXPECT_EQ(help_.Topics().front().name, help_topics::kContents) << "the contents comes first";
}

TEST_F(ProgramHelpText, ContentsNamesEveryTopicAndEveryTopicHasText) {
    const std::string contents = Body(help_topics::kContents);
    for (const HelpTopic& topic : help_.Topics()) {
        if (topic.name != help_topics::kContents) {
            EXPECT_NE(contents.find(topic.title), std::string::npos) << "the contents lacks \"" << topic.title << "\"";
        }
        const TopicText shown = TopicDisplayText(topic.body);
        EXPECT_FALSE(shown.empty()) << topic.name;
        EXPECT_FALSE(shown.full()) << topic.name << " does not fit the help window's text";
    }
}

TEST_F(ProgramHelpText, EveryPopupFits) {
    for (const HelpPopup& popup : help_.Popups()) {
        EXPECT_FALSE(PopupDisplayText(popup.body).full()) << "popup " << popup.helpId;
    }
}

TEST_F(ProgramHelpText, KeyboardTableHasEveryAcceleratorWithItsCommand) {
    const std::map<std::string, std::string> menu = MenuTexts(ResourceSource());
    const std::vector<Accelerator> accelerators = Accelerators(ResourceSource());
    ASSERT_FALSE(accelerators.empty()) << "no accelerator table read from " << LUMO_RESOURCE_FILE;
    const std::vector<std::string> keyboard = Lines(Body("keyboard"));
    for (const Accelerator& accelerator : accelerators) {
        const auto text = menu.find(accelerator.command);
        ASSERT_NE(text, menu.end()) << accelerator.command << " has no menu item";
        bool found = false;
        for (const std::string& line : keyboard) {
            found = found || (HasKeys(line, accelerator.keys) && line.find(text->second) != std::string::npos);
        }
        EXPECT_TRUE(found) << "no line of the keyboard topic has " << accelerator.keys << " and \"" << text->second
                           << "\"";
    }
}

TEST_F(ProgramHelpText, NamesEveryModeOfTheSetupMenu) {
    int modes = 0;
    for (const auto& [command, text] : MenuTexts(ResourceSource())) {
        if (command.rfind("IDM_MODE_", 0) != 0) continue;
        ++modes;
        EXPECT_NE(HelpSource().find(text), std::string::npos) << "the help never names the mode \"" << text << "\"";
    }
    EXPECT_GT(modes, 0) << "no mode item read from " << LUMO_RESOURCE_FILE;
}

TEST(HelpKeyMatch, KeysStandWhole) {
    struct Row {
        const char* line;
        const char* keys;
        bool found;
    };
    const Row kRows[] = {
        {"  Ctrl+F         Film [24]", "Ctrl+F", true},    {"  Ctrl+F1        16mm", "Ctrl+F", false},
        {"  Ctrl+F1        16mm", "F1", false},            {"  F1             Help Contents", "F1", true},
        {"  Ctrl+F1        16mm", "Ctrl+F1", true},        {"Ctrl+F3, Ctrl+F1 and F1", "F1", true},
        {"  Ctrl+F10       none", "Ctrl+F1", false},
    };
    for (const Row& row : kRows) {
        EXPECT_EQ(HasKeys(row.line, row.keys), row.found) << row.keys << " in \"" << row.line << "\"";
    }
}

}  // namespace
