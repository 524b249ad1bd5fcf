// lumo's command line: what it refuses and how, --help and --version, mode names, and the
// settings file's user modes and clipboard formats.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/mode_names.h"
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
    {{"--x\ny", "1"}, "unknown option '--x\\ny'"},
    {{"--mode", "XYZ", "1"},
     "unknown mode 'XYZ' (NDF, DF, Pal, Film, 35mm, 16mm, Hex, Dec, Oct, or a rate below 100 such as 23.976, 50 "
     "or 29.97df)"},
    {{"convert", "--from", "NDF", "--to", "100"},
     "unknown mode '100' (NDF, DF, Pal, Film, 35mm, 16mm, Hex, Dec, Oct, or a rate below 100 such as 23.976, 50 "
     "or 29.97df)"},
    {{"convert", "--from", "25df", "--to", "NDF"}, "no drop-frame counting at 25 frames a second (only at 29.97 and 59.94)"},
    {{"1+@XYZ 2="}, "unknown mode 'XYZ' (NDF, DF, Pal, Film, 35mm, 16mm, Hex, Dec, Oct)"},
    {{"help"}, "no keys in 'help'"},
    {{"--mode", "NDF", "abc"}, "no keys in 'abc'"},
    {{"1<Del>"}, "unknown key <Del>"},
    {{"1<\x1b>"}, "unknown key <\\x1b>"},
    {{"1<Bs"}, "no '>' after '<' in '1<Bs'"},
    {{"--mode"}, "--mode needs a value"},
    {{"--strict=1", "1"}, "--strict takes no value"},
    {{"--auto-df", "sideways", "1"}, "unknown --auto-df choice 'sideways' (off, minus or plus)"},
    {{"convert", "--from", "NDF", "--to", "DF", "--format=xml"},
     "unknown --format choice 'xml' (plain, display, clipboard or digits)"},
    {{"--lenient", "1"}, "--lenient does not apply to keys"},
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
    for (const char* word : {"<Bs>", "<Esc>", "@MODE", "--format", "--lenient", "29.97df", "--settings", "Exit status"})
        EXPECT_NE(helpRun.out.find(word), std::string::npos) << word;
    const LumoRun shortHelpRun = RunLumoOn({"modes", "-h"});
    EXPECT_EQ(shortHelpRun.out, helpRun.out);
    for (const LumoRun& run : {versionRun, helpRun, shortHelpRun}) {
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

// Modes named by their rate: a built-in mode where one runs at that rate, else a user mode of
// that rate, drop-frame with "df", made for the run. Whatever the labels of a user mode at an
// NTSC rate, its second has the whole rate's frames.
struct RateName {
    const char* name;
    int builtIn;  // the built-in mode, or -1 for a user mode
    std::int32_t kind;
    double fps;
    const char* second;  // 00:00:01:00 in frames
};

const RateName kRateNames[] = {
    {"24", 3, KindHmsf, 24, "24"},           {"25", 2, KindHmsf, 25, "25"},
    {"30", 0, KindHmsf, 30, "30"},           {"29.97df", 1, KindHmsfDrop, 29.97, "30"},
    {"29.97DF", 1, KindHmsfDrop, 29.97, "30"}, {"29.97", -1, KindHmsf, 29.97, "30"},
    {"23.976", -1, KindHmsf, 23.976, "24"},  {"47.952", -1, KindHmsf, 47.952, "48"},
    {"48", -1, KindHmsf, 48, "48"},          {"50", -1, KindHmsf, 50, "50"},
    {"59.94", -1, KindHmsf, 59.94, "60"},    {"59.94df", -1, KindHmsfDrop, 59.94, "60"},
    {"60", -1, KindHmsf, 60, "60"},          {"12.5", -1, KindHmsf, 12.5, "13"},
};

TEST(LumoModeNames, RatesAreBuiltInModesOrUserModesForTheRun) {
    for (const RateName& r : kRateNames) {
        ModeTable modes;
        const NamedMode named = ModeForOption(modes, r.name);
        ASSERT_GE(named.mode, 0) << r.name << ": " << named.error;
        if (r.builtIn >= 0) EXPECT_EQ(named.mode, r.builtIn) << r.name;
        else EXPECT_EQ(named.mode, kFirstUserMode) << r.name;
        const ModeRecord row = modes.rows[named.mode];
        EXPECT_EQ(row.iKind, r.kind) << r.name;
        EXPECT_EQ(row.dFps, r.fps) << r.name;
        // Named again, the same mode: the user mode's short name is the rate.
        EXPECT_EQ(ModeForOption(modes, r.name).mode, named.mode) << r.name;
        const LumoRun run = RunLumoOn({"convert", "--from", r.name, "--to", "Dec", "00:00:01:00"});
        EXPECT_EQ(run.out, std::string(r.second) + "\n") << r.name << ": " << run.err;
    }
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
    const std::vector<std::string> toPal = {"convert", "--from", "Film", "--to", "Pal", "--format", "clipboard",
                                            "01:00:00:00"};
    // Read leniently, a label that does not exist passes: the file's strict check is not lumo's.
    const std::vector<std::string> unchecked = {"convert", "--lenient", "--from", "DF", "--to", "NDF", "00:01:00;00"};
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

// A rate takes a user row that the file leaves free; a built-in rate needs none.
TEST_F(LumoSettings, ARateNeedsAFreeUserRow) {
    std::string full = "[Vexo Special]\n";
    for (int i = 1; i <= kUserModeCount; ++i)
        full += "szCfr" + std::to_string(i) + "=Mode " + std::to_string(i) + ",U" + std::to_string(i) + ", ,25,1,HMSF,0\n";
    WriteFileBytes(path_, full);
    const LumoRun builtIn = RunLumoOn({"convert", "--settings", path_, "--from", "24", "--to", "25", "00:00:01:00"});
    EXPECT_EQ(builtIn.out, "00:00:01:00\n") << builtIn.err;
    const LumoRun noRow = RunLumoOn({"convert", "--settings", path_, "--from", "50", "--to", "25", "00:00:01:00"});
    EXPECT_EQ(LinesOf(noRow.err).front(), "lumo: no free user mode for rate '50': the settings file defines all 4");
    EXPECT_EQ(noRow.status, ExitUsage);
}

// The file is read once and whole, so lumo refuses what is no settings file: a folder (a
// device or a pipe alike) or a file too large to be one.
TEST_F(LumoSettings, WhatIsNoSettingsFileIsRefused) {
    const std::string large = folder_.File("LARGE.INI");
    WriteFileBytes(large, "[Vexo]\n" + std::string(1024 * 1024, ';'));
    const std::string notAFile = folder_.File("");
    const std::pair<std::string, std::string> cases[] = {
        {large, "lumo: settings file '" + large + "' is larger than 1 MiB"},
        {notAFile, "lumo: settings file '" + notAFile + "' is not a regular file"},
    };
    for (const auto& [file, message] : cases) {
        const LumoRun run = RunLumoOn({"modes", "--settings", file});
        EXPECT_EQ(LinesOf(run.err).front(), message);
        EXPECT_EQ(run.status, ExitUsage) << file;
    }
}

TEST_F(LumoSettings, UserModesAreListedAndTyped) {
    const LumoRun listing = RunLumoOn({"modes", "--settings", path_});
    const std::vector<std::string> lines = LinesOf(listing.out);
    // A heading, nine built-in modes, 2398, then a blank line and two on naming by rate.
    ASSERT_EQ(lines.size(), 14u) << listing.out;
    EXPECT_EQ(lines[7].rfind("2398", 0), 0u) << lines[7];
    EXPECT_NE(lines[7].find("23.976 fps"), std::string::npos) << lines[7];
    EXPECT_NE(lines[12].find("by its rate"), std::string::npos) << lines[12];
    EXPECT_EQ(LinesOf(RunLumoOn({"modes"}).out).size(), 13u);

    const LumoRun keys = RunLumoOn({"--mode", "Film", "1000000@2398"}, "", path_.c_str());
    EXPECT_EQ(keys.out, "59:56:10\n");  // 86400 frames at 23.976 a second: 86313.6
}

}  // namespace
