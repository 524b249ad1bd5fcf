// The settings file read at start-up and written by Save Setup Now and at close, through the
// portable INI store on files in a temporary folder.

#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "model/mode_table.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "tests/settings/temp_folder.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() : store_(folder_.File("VEXO.INI")) {
        for (int mode = 0; mode < kModeCount; ++mode) builtInClipFlags_[mode] = modes.rows[mode].iClipFlags;
    }

    // Starts the program on a settings file with these lines.
    void ReadFrom(const std::string& text) {
        WriteFileBytes(store_.path(), text);
        modes = ModeTable{};
        options = Options{};
        savedMode_ = ReadSettings(store_, modes, options);
    }

    std::string FileText() const { return ReadFileBytes(store_.path()); }

    FormatFlags BuiltInClipFlags(int mode) const { return builtInClipFlags_[mode]; }

    ModeTable modes;
    Options options;
    TempFolder folder_;
    IniFileStore store_;
    std::int32_t savedMode_ = -1;  // what the last ReadFrom read
    FormatFlags builtInClipFlags_[kModeCount] = {};
};

TEST_F(SettingsTest, FreshStartWithoutFileGivesDefaults) {
    EXPECT_EQ(ReadSettings(store_, modes, options), 0);
    EXPECT_EQ(options.iWindowX, -1);
    EXPECT_EQ(options.iWindowY, -1);
    EXPECT_EQ(options.bDispTape, 0);
    EXPECT_EQ(options.bDispMode, 0);
    EXPECT_EQ(options.bStrictCheck, 0);
    EXPECT_EQ(options.iAutoDfFix, 0);
    EXPECT_EQ(options.bDFNDFFrameConv, 0);
    EXPECT_EQ(options.bOnTop, 0);
    EXPECT_EQ(options.bUpperCase, 1);
    for (int mode = kFirstUserMode; mode < kFirstUserMode + kUserModeCount; ++mode)
        EXPECT_FALSE(IsModePresent(modes, mode)) << "mode " << mode;
    EXPECT_EQ(FileText(), "<missing>") << "reading must not create the file";
}

TEST_F(SettingsTest, SaveSetupNowOnFreshStartWritesEveryValueInOrder) {
    SaveSettings(store_, modes, options, ReadSettings(store_, modes, options));
    EXPECT_EQ(FileText(),
              "[Vexo]\r\n"
              "iMode=0\r\n"
              "bStrictCheck=0\r\n"
              "bUpperCase=1\r\n"
              "bDispTape=0\r\n"
              "bDispMode=0\r\n"
              "bDFNDFFrameConv=0\r\n"
              "iAutoDfFix=0\r\n"
              "bOnTop=0\r\n"
              "szFormat1=4132, 4228, 4132, 4132, 3841, 3841, 17\r\n"
              "szFormat2=17, 17, 17, 8193, 6657, 4609, 0\r\n");
}

TEST_F(SettingsTest, SavedSettingsComeBackAtTheNextStart) {
    ReadSettings(store_, modes, options);
    options = Options{.bStrictCheck = 1, .iAutoDfFix = 2, .bDFNDFFrameConv = 1, .bUpperCase = 0,
                      .bDispTape = 1, .bDispMode = 1, .bOnTop = 1, .iWindowX = 30, .iWindowY = 40};
    modes.rows[0].iClipFlags = 0x80000001u;  // top bit: written as a negative "%i"
    modes.rows[12].iClipFlags = 0x0204;
    SaveSettings(store_, modes, options, 11);
    SavePosition(store_, 30, 40, false);

    modes = ModeTable{};
    options = Options{};
    EXPECT_EQ(ReadSettings(store_, modes, options), 11);
    EXPECT_EQ(options.bStrictCheck, 1);
    EXPECT_EQ(options.iAutoDfFix, 2);
    EXPECT_EQ(options.bDFNDFFrameConv, 1);
    EXPECT_EQ(options.bUpperCase, 0);
    EXPECT_EQ(options.bDispTape, 1);
    EXPECT_EQ(options.bDispMode, 1);
    EXPECT_EQ(options.bOnTop, 1);
    EXPECT_EQ(options.iWindowX, 30);
    EXPECT_EQ(options.iWindowY, 40);
    EXPECT_EQ(modes.rows[0].iClipFlags, 0x80000001u);
    EXPECT_EQ(modes.rows[12].iClipFlags, 0x0204u);

    // An option toggled but not saved is not in the file: the next start has the saved one.
    options.bDispTape = 0;
    SavePosition(store_, 30, 40, false);
    modes = ModeTable{};
    options = Options{};
    ReadSettings(store_, modes, options);
    EXPECT_EQ(options.bDispTape, 1);
}

struct PositionCase {
    const char* value;
    std::int32_t x;
    std::int32_t y;
};

TEST_F(SettingsTest, WindowPositionNeedsExactlyTwoFields) {
    const PositionCase cases[] = {
        {"10, 20", 10, 20},      {"10,20", 10, 20},    {",,10,,20,", 10, 20}, {"-5,-7", -5, -7},
        {"10", -1, -1},          {"10,20,30", -1, -1}, {"", -1, -1},          {", ,", -1, -1},
        {"x,y", 0, 0},           {"12px, 8 ", 12, 8},
    };
    for (const PositionCase& c : cases) {
        ReadFrom(std::string("[Vexo]\nszXYPos=") + c.value + "\n");
        EXPECT_EQ(options.iWindowX, c.x) << "szXYPos=" << c.value;
        EXPECT_EQ(options.iWindowY, c.y) << "szXYPos=" << c.value;
    }
}

struct ModeCase {
    const char* value;
    std::int32_t mode;
};

TEST_F(SettingsTest, SavedModeOutsideTheTableCountsAsZero) {
    // "0x0A": the platform's integer reader takes a hexadecimal prefix.
    const ModeCase cases[] = {{"3", 3}, {"12", 12}, {"13", 0}, {"-1", 0},  {"abc", 0},
                              {" 7", 7}, {"4x", 4}, {"", 0},   {"0x0A", 10}, {"99999999999", 0}};
    for (const ModeCase& c : cases) {
        ReadFrom(std::string("[Vexo]\niMode=") + c.value + "\n");
        EXPECT_EQ(savedMode_, c.mode) << "iMode=" << c.value;
    }
}

struct OptionCase {
    const char* line;
    std::int32_t Options::*field;
    std::int32_t expected;
};

TEST_F(SettingsTest, HandEditedOptionValuesBecomeValidChoices) {
    const OptionCase cases[] = {
        {"bDispTape=2", &Options::bDispTape, 1},      {"bDispMode=-1", &Options::bDispMode, 1},
        {"bStrictCheck=3", &Options::bStrictCheck, 1}, {"bDFNDFFrameConv=9", &Options::bDFNDFFrameConv, 1},
        {"bOnTop=5", &Options::bOnTop, 1},            {"bUpperCase=0", &Options::bUpperCase, 0},
        {"bUpperCase=", &Options::bUpperCase, 1},     {"bUpperCase=x", &Options::bUpperCase, 0},
        {"iAutoDfFix=2", &Options::iAutoDfFix, 2},    {"iAutoDfFix=3", &Options::iAutoDfFix, 0},
        {"iAutoDfFix=-1", &Options::iAutoDfFix, 0},
    };
    for (const OptionCase& c : cases) {
        ReadFrom(std::string("[Vexo]\n") + c.line + "\n");
        EXPECT_EQ(options.*c.field, c.expected) << c.line;
    }
    // Whatever was read is what the next save writes.
    ReadFrom("[Vexo]\nbDispTape=2\niAutoDfFix=7\n");
    SaveSettings(store_, modes, options, savedMode_);
    IniFileStore check(store_.path());
    EXPECT_EQ(check.GetInt(kSettingsSection, "bDispTape", -9), 1);
    EXPECT_EQ(check.GetInt(kSettingsSection, "iAutoDfFix", -9), 0);
}

struct FormatCase {
    const char* value;
    bool taken;                      // false: rows 0 to 6 keep their built-in formats
    FormatFlags rows[7];
};

TEST_F(SettingsTest, ClipboardFormatLineNeedsSevenFields) {
    // The 127-character row: 110 zeros and 1, then fields up to "77777", then "999" past the cut.
    const std::string longSeven = std::string(110, '0') + "1,2,3,4,5,6,77777999";
    // The same cut leaves only four fields when the first is longer.
    const std::string longFour = std::string(120, '0') + "1,2,3,4,5,6,7";
    const FormatCase cases[] = {
        {"1, 2, 3, 4, 5, 6, 7", true, {1, 2, 3, 4, 5, 6, 7}},
        {"1,2,3,4,5,6,7,8", true, {1, 2, 3, 4, 5, 6, 7}},
        {",,1,,2,3,4,5,6,7,", true, {1, 2, 3, 4, 5, 6, 7}},
        {"-1,x,3,4,5,6,7", true, {0xFFFFFFFFu, 0, 3, 4, 5, 6, 7}},
        {"1,2,3,4,5,6", false, {}},
        {"1,2,3,4,5,6,", false, {}},
        {"", false, {}},
        {longSeven.c_str(), true, {1, 2, 3, 4, 5, 6, 77777}},
        {longFour.c_str(), false, {}},
    };
    for (const FormatCase& c : cases) {
        ReadFrom(std::string("[Vexo]\nszFormat1=") + c.value + "\n");
        for (int row = 0; row < 7; ++row) {
            const FormatFlags expected = c.taken ? c.rows[row] : BuiltInClipFlags(row);
            EXPECT_EQ(modes.rows[row].iClipFlags, expected) << "szFormat1=" << c.value << " row " << row;
        }
        for (int row = 7; row < kModeCount; ++row)
            EXPECT_EQ(modes.rows[row].iClipFlags, BuiltInClipFlags(row)) << "row " << row;
    }
}

TEST_F(SettingsTest, SecondFormatLineFillsRowsSevenToTwelve) {
    ReadFrom("[Vexo]\nszFormat2=1, 2, 3, 4, 5, 6, 99\n");
    for (int row = 7; row < kModeCount; ++row) EXPECT_EQ(modes.rows[row].iClipFlags, FormatFlags(row - 6));
    EXPECT_EQ(modes.rows[6].iClipFlags, BuiltInClipFlags(6));

    ReadFrom("[Vexo]\nszFormat2=1, 2, 3, 4, 5, 6\n");
    for (int row = 7; row < kModeCount; ++row)
        EXPECT_EQ(modes.rows[row].iClipFlags, BuiltInClipFlags(row)) << "six fields are ignored, row " << row;
}

TEST_F(SettingsTest, UserModesComeFromVexoSpecialBeforeTheFormats) {
    ReadFrom(
        "[Vexo Special]\n"
        "szCfr1=Reel,Reel, ,24,20,FF,3841\n"
        "szCfr2=Half DF,HDF, HDF,29.97,1,hmsd,0\n"
        "szCfr3=Six,Fields,Only,25,1,HMSF\n"
        "szCfr4=\n"
        "[Vexo]\n"
        "szFormat2=111, 17, 17, 8193, 6657, 4609, 0\n");
    EXPECT_TRUE(IsModePresent(modes, 6));
    EXPECT_EQ(modes.rows[6].szName, "Reel");
    EXPECT_EQ(modes.rows[6].iClipFlags, 3841u);
    EXPECT_TRUE(IsModePresent(modes, 7));
    EXPECT_EQ(modes.rows[7].iKind, KindHmsfDrop);
    EXPECT_EQ(modes.rows[7].iClipFlags, 111u) << "the saved format overrides the definition's";
    EXPECT_FALSE(IsModePresent(modes, 8)) << "a definition of six fields changes nothing";
    EXPECT_FALSE(IsModePresent(modes, 9));
}

TEST_F(SettingsTest, OverlongValuesAreCutAt127Characters) {
    // The first definition's seventh field is cut to leading zeros, which read as 0: the kind's
    // default format applies. The second is cut inside its name: one field, so nothing is defined.
    const std::string cutFormat = "Long,Lng, x,25,1,HMSF," + std::string(200, '0') + "5";
    const std::string longName = std::string(300, 'N') + ",Lng, x,25,1,HMSF,0";
    ReadFrom("[Vexo Special]\nszCfr1=" + cutFormat + "\nszCfr2=" + longName +
             "\n[Vexo]\nszXYPos=" + std::string(126, ' ') + "7,8\n");
    EXPECT_TRUE(IsModePresent(modes, 6));
    EXPECT_EQ(modes.rows[6].iClipFlags, KindDefaultClipFlags[KindHmsf]);
    EXPECT_FALSE(IsModePresent(modes, 7));
    EXPECT_EQ(options.iWindowX, 7) << "blanks after '=' do not count towards the 127";
}

TEST_F(SettingsTest, HandEditedLinesSurviveSaveSetupNow) {
    ReadFrom(
        "; Vexo settings, edited by hand\n"
        "\n"
        "[vexo]\n"
        "IMODE = 5\n"
        "Colour=blue\n"
        "; keep me\n"
        "[Other]\n"
        "x=1\n"
        "[Vexo Special]\n"
        "SZCFR1=Count,Cnt, Frms,0,0,UDEC,0\n");
    EXPECT_EQ(savedMode_, 5);
    EXPECT_TRUE(IsModePresent(modes, 6));
    SaveSettings(store_, modes, options, savedMode_);
    EXPECT_EQ(FileText(),
              "; Vexo settings, edited by hand\r\n"
              "[vexo]\r\n"
              "IMODE=5\r\n"
              "Colour=blue\r\n"
              "; keep me\r\n"
              "bStrictCheck=0\r\n"
              "bUpperCase=1\r\n"
              "bDispTape=0\r\n"
              "bDispMode=0\r\n"
              "bDFNDFFrameConv=0\r\n"
              "iAutoDfFix=0\r\n"
              "bOnTop=0\r\n"
              "szFormat1=4132, 4228, 4132, 4132, 3841, 3841, 6657\r\n"
              "szFormat2=17, 17, 17, 8193, 6657, 4609, 0\r\n"
              "[Other]\r\n"
              "x=1\r\n"
              "[Vexo Special]\r\n"
              "SZCFR1=Count,Cnt, Frms,0,0,UDEC,0\r\n");
}

TEST_F(SettingsTest, PositionIsWrittenAtCloseUnlessMinimised) {
    WriteFileBytes(store_.path(), "[Vexo]\r\nszXYPos=5,6\r\n");
    SavePosition(store_, 300, 200, true);
    EXPECT_EQ(FileText(), "[Vexo]\r\nszXYPos=5,6\r\n");
    SavePosition(store_, -8, 1024, false);
    EXPECT_EQ(FileText(), "[Vexo]\r\nszXYPos=-8,1024\r\n");
}

TEST_F(SettingsTest, UnwritableFileLosesTheSettingsSilently) {
    // A root user may write anywhere, so unwritable here means a path that cannot be a file.
    WriteFileBytes(folder_.File("plain"), "not a folder");
    IniFileStore underAFile(folder_.File("plain") + "/VEXO.INI");
    IniFileStore aFolder(folder_.File(""));
    for (IniFileStore* store : {&underAFile, &aFolder}) {
        const std::int32_t mode = ReadSettings(*store, modes, options);
        EXPECT_EQ(options.bUpperCase, 1) << store->path();
        SaveSettings(*store, modes, options, mode);
        SavePosition(*store, 1, 2, false);
        EXPECT_FALSE(store->WriteString(kSettingsSection, "iMode", "1")) << store->path();
    }
    EXPECT_EQ(ReadFileBytes(folder_.File("plain")), "not a folder");
}

struct PathCase {
    const char* exePath;
    const char* iniPath;
};

TEST(SettingsPathTest, ExtensionReplacesTheFileNamesLastDot) {
    const PathCase cases[] = {
        {"C:\\Tools\\VEXO.EXE", "C:\\Tools\\VEXO.INI"},
        {"C:\\Tools\\vexo.v2.exe", "C:\\Tools\\vexo.v2.INI"},
        {"C:\\Tools.v2\\vexo", "C:\\Tools.v2\\vexo.INI"},
        {"/opt/lumo.d/vexo", "/opt/lumo.d/vexo.INI"},
        {"vexo", "vexo.INI"},
        {"", ".INI"},
    };
    for (const PathCase& c : cases) EXPECT_EQ(SiblingPath(c.exePath, ".INI"), c.iniPath) << c.exePath;

    const SettingsPaths paths = SettingsPathsOf("C:\\Tools\\VEXO.EXE");
    EXPECT_EQ(paths.settings, "C:\\Tools\\VEXO.INI");
    EXPECT_EQ(paths.help, "C:\\Tools\\VEXO.HLP");
    EXPECT_TRUE(paths.HasSettingsFile());
}

// "C:\\fff...\\vexooo...<extension>", exactly `length` characters long.
std::string ExePathOfLength(std::size_t length, const std::string& extension) {
    const std::string start = "C:\\" + std::string(200, 'f') + "\\vexo";
    return start + std::string(length - start.size() - extension.size(), 'o') + extension;
}

// A program path that the system could not give whole, or one that leaves no room for the
// extension within MAX_PATH (260 characters with the terminating zero): no settings file at all,
// rather than one named after a cut path.
TEST(SettingsPathTest, NoSettingsFileWithoutTheWholePath) {
    struct Case {
        const char* label;
        std::string exePath;
        bool given;  // false: the system gave no path
        bool known;
    };
    const Case cases[] = {
        {"the system gave no path", "", false, false},
        {"an empty path", "", true, false},
        {"the longest path, 259 characters", ExePathOfLength(259, ".exe"), true, true},
        {"259 characters without an extension leave no room for one", ExePathOfLength(259, ""), true, false},
        {"260 characters", ExePathOfLength(260, ".exe"), true, false},
        {"300 characters", ExePathOfLength(300, ".exe"), true, false},
    };
    for (const Case& c : cases) {
        const SettingsPaths paths = SettingsPathsOf(c.given ? c.exePath.c_str() : nullptr);
        EXPECT_EQ(paths.HasSettingsFile(), c.known) << c.label;
        EXPECT_EQ(paths.help.empty(), !c.known) << c.label;
        if (c.known) {
            EXPECT_EQ(paths.settings, SiblingPath(c.exePath.c_str(), ".INI")) << c.label;
        }
    }
}

}  // namespace
