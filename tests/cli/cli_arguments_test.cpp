// lumo's command line: what it refuses and how, --help and --version, mode names, and the
// settings file's user modes and clipboard formats.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/mode_names.h"
#include "model/mode_table.h"
#include "version.h"
#include "tests/cli/lumo_runner.h"
#include "tests/settings/temp_folder.h"

namespace {

// An argument lumo cannot use: one line naming it, then the usage, exit status 2, no output.
struct UsageCase {
    std::vector<std::string> args;
    const char* message;
};

const UsageCase kUsageCases[] = {
    {{"--bogus", "1"}, "unknown option '--bogus'"},
    {{"--mode", "XYZ", "1"}, "unknown mode 'XYZ'"},
    {{"convert", "--from", "NDF", "--to", "24"}, "unknown mode '24'"},
    {{"1+@XYZ 2="}, "unknown mode 'XYZ'"},
    {{"1<Del>"}, "unknown key <Del>"},
    {{"1<Bs"}, "no '>' after '<' in '1<Bs'"},
    {{"--mode"}, "--mode needs a value"},
    {{"--strict=1", "1"}, "--strict takes no value"},
    {{"--auto-df", "sideways", "1"}, "unknown --auto-df choice 'sideways' (off, minus or plus)"},
    {{"convert", "--from", "NDF", "--to", "DF", "--format=xml"},
     "unknown --format choice 'xml' (display, clipboard or digits)"},
    {{"--tape", "convert", "--from", "NDF", "--to", "DF"}, "--tape does not apply to convert"},
    {{"--from", "NDF", "1"}, "--from does not apply to keys"},
    {{"convert", "--from", "NDF"}, "convert needs --from and --to"},
    {{"modes", "NDF"}, "modes takes no words, found 'NDF'"},
    {{}, "no keys to type"},
    {{"--settings", "no-such-folder/VEXO.INI", "1"}, "cannot read settings file 'no-such-folder/VEXO.INI'"},
};

TEST(LumoUsage, NamesWhatItCannotUseAndShowsTheUsage) {
    for (const UsageCase& c : kUsageCases) {
        const LumoRun run = RunLumoOn(c.args);
        const std::vector<std::string> errors = LinesOf(run.err);
        ASSERT_GE(errors.size(), 2u) << c.message;
        EXPECT_EQ(errors[0], std::string("lumo: ") + c.message);
        EXPECT_EQ(errors[1].rfind("usage: lumo", 0), 0u) << c.message << ": " << errors[1];
        EXPECT_EQ(run.out, "") << c.message;
        EXPECT_EQ(run.status, ExitUsage) << c.message;
    }
}

TEST(LumoUsage, HelpAndVersionGoToStandardOutput) {
    const std::string version = std::string("lumo (Lumo II) ") + LUMO_VERSION_TEXT + "\n";
    const LumoRun versionRun = RunLumoOn({"convert", "--version"});
    EXPECT_EQ(versionRun.out, version);
    // --help answers whatever follows it.
    const LumoRun helpRun = RunLumoOn({"--help", "--bogus"});
    EXPECT_EQ(helpRun.out.rfind("usage: lumo", 0), 0u);
    for (const char* word : {"<Bs>", "<Esc>", "@MODE", "--format", "--settings", "Exit status"})
        EXPECT_NE(helpRun.out.find(word), std::string::npos) << word;
    for (const LumoRun& run : {versionRun, helpRun}) {
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.status, ExitOk);
    }
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return text;
}

TEST(LumoModeNames, AreTheShortNamesInAnyCase) {
    const ModeTable modes;
    for (int mode = 0; mode < kModeCount; ++mode) {
        const std::string name = modes.rows[mode].szShortName.c_str();
        const int expected = IsModePresent(modes, mode) ? mode : -1;
        EXPECT_EQ(ModeNamed(modes, Lower(name)), expected) << name;
        EXPECT_EQ(ModeNamed(modes, Upper(name)), expected) << name;
        EXPECT_EQ(ModeNameAt(modes, Lower(name) + "12").mode, expected) << name;
    }
    EXPECT_EQ(ModeNamed(modes, "D"), -1);
    EXPECT_EQ(ModeNamed(modes, ""), -1);
    EXPECT_EQ(ModeNameAt(modes, "dec12").length, 3u);
}

// A settings file of the window: a user mode at 23.976 (its hour of labels is 86400 frames,
// 86486.5 at 24), Pal's clipboard format set to bare colons (33), and options that lumo leaves alone.
constexpr const char* kSettings =
    "[Vexo Special]\r\n"
    "szCfr2=23.98,2398, 23.98,23.976,1,HMSF,0\r\n"
    "[Vexo]\r\n"
    "iMode=3\r\n"
    "bStrictCheck=1\r\n"
    "szFormat1=4132, 4228, 33, 4132, 3841, 3841, 1\r\n";

class LumoSettings : public ::testing::Test {
protected:
    LumoSettings() { WriteFileBytes(path_, kSettings); }
    TempFolder folder_;
    const std::string path_ = folder_.File("VEXO.INI");
};

TEST_F(LumoSettings, GiveUserModesAndClipboardFormatsButNotOptions) {
    const std::vector<std::string> args = {"convert", "--from", "2398", "--to", "Film", "01:00:00:00"};
    const std::vector<std::string> toPal = {"convert", "--from", "Film", "--to", "Pal", "01:00:00:00"};
    // A label that does not exist passes: the file's strict check is not lumo's.
    const std::vector<std::string> unchecked = {"convert", "--from", "DF", "--to", "NDF", "00:01:00;00"};
    std::vector<std::string> named = args;
    named.insert(named.begin() + 1, {"--settings", path_});

    for (const LumoRun& run : {RunLumoOn(named), RunLumoOn(args, "", path_.c_str())})
        EXPECT_EQ(run.out, "01:00:03:14\n") << run.err;
    EXPECT_EQ(RunLumoOn(toPal, "", path_.c_str()).out, "1:00:00:00\n");
    EXPECT_EQ(RunLumoOn(unchecked, "", path_.c_str()).out, "00:01:00:00 NDF\n");
    // Without the file there is no such mode, and the window's own formats hold.
    EXPECT_EQ(RunLumoOn(args).status, ExitUsage);
    EXPECT_EQ(RunLumoOn(toPal).out, "01:00:00:00 PAL\n");
}

TEST_F(LumoSettings, UserModesAreListedAndTyped) {
    const LumoRun listing = RunLumoOn({"modes", "--settings", path_});
    const std::vector<std::string> lines = LinesOf(listing.out);
    ASSERT_EQ(lines.size(), 11u) << listing.out;  // a heading, nine built-in modes, 2398
    EXPECT_EQ(lines[7].rfind("2398", 0), 0u) << lines[7];
    EXPECT_NE(lines[7].find("23.976 fps"), std::string::npos) << lines[7];
    EXPECT_EQ(LinesOf(RunLumoOn({"modes"}).out).size(), 10u);

    const LumoRun keys = RunLumoOn({"--mode", "Film", "1000000@2398"}, "", path_.c_str());
    EXPECT_EQ(keys.out, "59:56:10\n");  // 86400 frames at 23.976 a second: 86313.6
}

}  // namespace
