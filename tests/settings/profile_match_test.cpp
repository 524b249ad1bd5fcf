// The portable INI store against the platform's profile functions: the same files, hand-edited
// ones included, read through both must give the same values, and the same writes must leave
// the same bytes. Runs on Windows or under Wine only.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "settings/win_profile.h"
#include "tests/settings/temp_folder.h"

namespace {

struct MatchCase {
    const char* name;
    bool exists;  // false: no file at all
    std::string text;
};

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

std::vector<MatchCase> MatchCases() {
    return {
        {"Plain", true, "[Vexo]\r\niMode=3\r\nszXYPos=10,20\r\nbOnTop=0\r\n"},
        {"NoFile", false, ""},
        {"EmptyFile", true, ""},
        {"BlanksAroundEquals", true, "  [Vexo]  \n\tiMode\t=\t 5 \t\n  key =  some value  \nnum   =42\n"},
        {"Quotes", true,
         "[Vexo]\nkey=\"quoted\"\nquoted='x'\nsingle='\nempty=\"\"\nnum=\"42\"\nspaced=\" 7 \"\n"
         "dup=\"a'\niMode=\"5\n"},
        {"DuplicateKeysAndSections", true, "[Vexo]\ndup=1\nDUP=2\n[VEXO]\ndup=3\niMode=9\n[Vexo]\nkey=third\n"},
        {"MissingSections", true, "[Other]\na=b\niMode=4\n"},
        {"MixedCase", true, "[vEXO]\nIMODE=4\nSzXyPos=1,2\n[vexo special]\nSZCFR1=Half DF,HDF, HDF,29.97,1,hmsd,0\n"},
        {"Comments", true,
         "; settings\n# hash\n[Vexo]\n;iMode=7\n; iMode=6\niMode=2\n  ;indented\nrem key=8\n[Other]\n;a=1\n"},
        {"LinesWithoutEquals", true, "[Vexo]\nnoequals\niMode\nkey\nstray words here\n[Other]\na\n"},
        {"VeryLongValues", true,
         "[Vexo]\nlong=" + Repeat('v', 300) + "\nq127=\"" + Repeat('q', 126) + "x\"\nq128=\"" + Repeat('q', 127) +
             "x\"\nq126=\"" + Repeat('q', 125) + "x\"\nnum=" + Repeat('0', 28) + "12\n[Vexo Special]\nszCfr1=" +
             Repeat('n', 150) + "\nhuge=" + Repeat('h', 5000) + "\n"},
        {"NoTrailingNewline", true, "[Vexo]\niMode=11"},
        {"MixedLineEnds", true, "[Vexo]\r\niMode=1\rkey=cr\n\r\nnum=5\n\n\n\r\r[Other]\r\na=b"},
        {"IntegerForms", true,
         "[Vexo]\nnum=0x1F\niMode=-3\nbOnTop=+1\nkey= 12abc\nlong=99999999999\nspaced=0X10\nquoted=0o17\n"
         "single=0b101\ndup=- 5\nempty=\n"},
        {"EmptyKeys", true, "=a\n=b\ntop=1\n=c\n[Vexo]\n=d\n = e\niMode=1\n=f\n"},
        {"HeaderOddities", true,
         "[Vexo] trailing\nkey=1\n[Vexo\nnum=2\n[]\nempty=x\n[ Vexo Special ]\nszCfr1=a,b\n[Other]]\na=c\n"},
        {"Utf8Mark", true, "\xEF\xBB\xBF[Vexo]\r\niMode=2\r\n"},
        {"CtrlZAtEnd", true, "[Vexo]\r\niMode=2\r\n\x1a"},
        {"KeysBeforeAnySection", true, "top=1\niMode=5\n[Vexo]\nkey=v\n"},
        {"SavedSettings", true,
         "[Vexo]\r\nszXYPos=120,80\r\niMode=1\r\nbStrictCheck=0\r\nbUpperCase=1\r\nbDispTape=1\r\nbDispMode=0\r\n"
         "bDFNDFFrameConv=0\r\niAutoDfFix=2\r\nbOnTop=0\r\nszFormat1=4132, 4228, 4132, 4132, 3841, 3841, 17\r\n"
         "szFormat2=17, 17, 17, 8193, 6657, 4609, 0\r\n[Vexo Special]\r\nszCfr1=Reel,Reel, ,24,20,FF,3841\r\n"},
    };
}

struct Probe {
    const char* section;
    const char* key;
};

constexpr Probe kProbes[] = {
    {"Vexo", "iMode"},    {"vexo", "IMODE"},      {" Vexo ", " iMode "}, {"Vexo", "szXYPos"},
    {"Vexo", "bOnTop"},   {"Vexo", "key"},        {"Vexo", "quoted"},    {"Vexo", "single"},
    {"Vexo", "empty"},    {"Vexo", "spaced"},     {"Vexo", "dup"},       {"Vexo", "num"},
    {"Vexo", "long"},     {"Vexo", "q126"},       {"Vexo", "q127"},      {"Vexo", "q128"},
    {"Vexo", "noequals"}, {"Vexo", "szFormat1"},  {"Vexo", "padded"},    {"Vexo Special", "szCfr1"},
    {"Vexo Special", "huge"}, {"Other", "a"},     {"Missing", "iMode"},  {"", "top"},
    {"", "iMode"},        {"New Section", "k"},
};

struct Write {
    const char* section;
    const char* key;
    std::string value;
};

std::vector<Write> Writes() {
    return {
        {"Vexo", "iMode", "3"},
        {"Vexo", "bOnTop", "1"},
        {"vexo", "IMODE", "4"},
        {"Vexo", "key", "  leading blanks"},
        {"New Section", "k", "v"},
        {"Vexo", "szFormat1", "4132, 4228, 4132, 4132, 3841, 3841, 17"},
        {"Vexo", "long", Repeat('w', 200)},
        {"Vexo", "iMode", "4"},
        {" Vexo ", " padded ", "x"},
        {"Vexo", "empty", ""},
        {"Vexo", "quoted", "'x'"},
    };
}

class ProfileMatchTest : public ::testing::TestWithParam<MatchCase> {
protected:
    ProfileMatchTest() : winPath_(folder_.File("platform.ini")), iniPath_(folder_.File("portable.ini")) {
        if (GetParam().exists) {
            WriteFileBytes(winPath_, GetParam().text);
            WriteFileBytes(iniPath_, GetParam().text);
        }
    }
    // The platform keeps files in a cache; this writes it back and forgets it.
    ~ProfileMatchTest() override { WritePrivateProfileStringA(nullptr, nullptr, nullptr, winPath_.c_str()); }

    void ExpectSameReads(const char* stage) {
        WinProfileStore platform(winPath_.c_str());
        IniFileStore portable(iniPath_);
        for (const Probe& p : kProbes) {
            for (const char* defaultValue : {"dflt", "", "\"q\"  "}) {
                EXPECT_EQ(portable.GetString(p.section, p.key, defaultValue).c_str(),
                          std::string(platform.GetString(p.section, p.key, defaultValue).c_str()))
                    << stage << ": [" << p.section << "] " << p.key << ", default '" << defaultValue << "'";
            }
            for (std::int32_t defaultValue : {77, -5}) {
                EXPECT_EQ(portable.GetInt(p.section, p.key, defaultValue),
                          platform.GetInt(p.section, p.key, defaultValue))
                    << stage << ": [" << p.section << "] " << p.key << " as integer, default " << defaultValue;
            }
        }
    }

    TempFolder folder_;
    std::string winPath_;
    std::string iniPath_;
};

TEST_P(ProfileMatchTest, ReadsAndWritesMatchThePlatform) {
    ExpectSameReads("before writing");
    WinProfileStore platform(winPath_.c_str());
    IniFileStore portable(iniPath_);
    for (const Write& w : Writes()) {
        const bool platformResult = platform.WriteString(w.section, w.key, w.value.c_str());
        const bool portableResult = portable.WriteString(w.section, w.key, w.value.c_str());
        EXPECT_EQ(portableResult, platformResult) << "writing [" << w.section << "] " << w.key;
        EXPECT_EQ(ReadFileBytes(iniPath_), ReadFileBytes(winPath_))
            << "after writing [" << w.section << "] " << w.key << "=" << w.value;
    }
    ExpectSameReads("after writing");
}

INSTANTIATE_TEST_SUITE_P(HandEditedFiles, ProfileMatchTest, ::testing::ValuesIn(MatchCases()),
                         [](const ::testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

// Files that cannot be written: under a plain file, a folder, a read-only file.
TEST(ProfileMatchUnwritableTest, WritesFailAlikeAndLeaveNoTrace) {
    TempFolder folder;
    WriteFileBytes(folder.File("plain"), "data");
    WriteFileBytes(folder.File("readonly-platform.ini"), "[Vexo]\r\niMode=1\r\n");
    WriteFileBytes(folder.File("readonly-portable.ini"), "[Vexo]\r\niMode=1\r\n");
    SetFileAttributesA(folder.File("readonly-platform.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(folder.File("readonly-portable.ini").c_str(), FILE_ATTRIBUTE_READONLY);

    struct PathPair {
        std::string platform;
        std::string portable;
    };
    const PathPair pairs[] = {
        {folder.File("plain") + "\\platform.ini", folder.File("plain") + "\\portable.ini"},
        {folder.File("missing\\platform.ini"), folder.File("missing\\portable.ini")},
        {folder.File(""), folder.File("")},
        {folder.File("readonly-platform.ini"), folder.File("readonly-portable.ini")},
    };
    for (const PathPair& pair : pairs) {
        WinProfileStore platform(pair.platform.c_str());
        IniFileStore portable(pair.portable);
        for (const char* value : {"1", "2"}) {
            EXPECT_EQ(portable.WriteString("Vexo", "iMode", value), platform.WriteString("Vexo", "iMode", value))
                << pair.platform << " iMode=" << value;
        }
        EXPECT_EQ(ReadFileBytes(pair.portable), ReadFileBytes(pair.platform)) << pair.platform;
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, pair.platform.c_str());
    }
    EXPECT_EQ(ReadFileBytes(folder.File("plain")), "data");
    SetFileAttributesA(folder.File("readonly-platform.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(folder.File("readonly-portable.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
