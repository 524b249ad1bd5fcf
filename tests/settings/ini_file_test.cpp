// The portable INI store: the reading and writing rules of the platform's profile functions.
// (Their agreement with the platform itself is settings_profile_match, under Wine.)

#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/settings/temp_folder.h"

namespace {

struct StringCase {
    const char* file;
    const char* section;
    const char* key;
    const char* expected;  // read with the default "dflt"
};

TEST(IniFileStoreTest, ReadsStringsAsTheProfileFunctionsDo) {
    const StringCase cases[] = {
        {"[Vexo]\n  key  =  two words  \n", "Vexo", "key", "two words"},
        {"[Vexo]\rkey=cr only", "Vexo", "key", "cr only"},
        {"  [ VEXO ]  trailing\r\nKEY=caps\r\n", "vexo", "Key", "caps"},
        {"[Vexo]\nkey=\"quoted\"\n", "Vexo", "key", "quoted"},
        {"[Vexo]\nkey=\"mixed'\n", "Vexo", "key", "\"mixed'"},
        {"[Vexo]\nkey=\"\n", "Vexo", "key", "\""},
        {"[Vexo]\nkey=first\nKey=second\n", "Vexo", "key", "first"},
        {"[Vexo]\nother=1\n[Vexo]\nkey=later section\n", "Vexo", "key", "dflt"},
        {"[Vexo]\n;key=comment\nkey\n", "Vexo", "key", "dflt"},
        {"[Vexo\nkey=no header\n", "Vexo", "key", "dflt"},
    };
    TempFolder folder;
    int n = 0;
    for (const StringCase& c : cases) {
        const std::string path = folder.File("case" + std::to_string(n++) + ".ini");
        WriteFileBytes(path, c.file);
        IniFileStore store(path);
        IniTextStore readOnce(c.file);
        EXPECT_EQ(store.GetString(c.section, c.key, "dflt"), c.expected) << "file: " << c.file;
        EXPECT_EQ(readOnce.GetString(c.section, c.key, "dflt"), c.expected) << "read once: " << c.file;
    }
}

struct IntCase {
    const char* value;  // nullptr: key missing
    std::int32_t expected;  // read with the default 77
};

TEST(IniFileStoreTest, ReadsIntegersAsTheProfileFunctionsDo) {
    const IntCase cases[] = {
        {"-7", -7},        {"12abc", 12},     {"abc", 0},        {"", 77},
        {nullptr, 77},     {"\" 9\"", 9},     {"0x1F", 31},      {"0X1F", 0},
        {"-0x10", -16},    {"4294967301", 5},
        // The integer buffer holds 29 characters: the 30th digit is never read.
        {"00000000000000000000000000001", 1}, {"000000000000000000000000000001", 0},
    };
    TempFolder folder;
    int n = 0;
    for (const IntCase& c : cases) {
        const std::string path = folder.File("int" + std::to_string(n++) + ".ini");
        const std::string text = c.value != nullptr ? std::string("[Vexo]\nkey=") + c.value + "\n" : "[Vexo]\n";
        WriteFileBytes(path, text);
        IniFileStore store(path);
        IniTextStore readOnce(text);
        EXPECT_EQ(store.GetInt("Vexo", "key", 77), c.expected) << "key=" << (c.value ? c.value : "<missing>");
        EXPECT_EQ(readOnce.GetInt("Vexo", "key", 77), c.expected) << "read once: " << (c.value ? c.value : "<missing>");
    }
}

struct WriteStep {
    const char* section;
    const char* key;
    const char* value;
};

struct WriteCase {
    const char* before;  // nullptr: no file
    WriteStep steps[3];  // up to three writes, ended by a null section
    const char* after;
};

TEST(IniFileStoreTest, WritesKeepEveryOtherLine) {
    const WriteCase cases[] = {
        {nullptr, {{"Vexo", "iMode", "0"}}, "[Vexo]\r\niMode=0\r\n"},
        {"", {{"Vexo", "iMode", "  3"}}, "[Vexo]\r\niMode=3\r\n"},
        {"; top comment\n\n[Vexo]\n  iMode = 1 \n; note\nUnknown=x\n\n[Other]\na=b",
         {{"Vexo", "bOnTop", "1"}, {"vexo", "IMODE", "2"}},
         "; top comment\r\n[Vexo]\r\niMode=2\r\n; note\r\nUnknown=x\r\nbOnTop=1\r\n[Other]\r\na=b\r\n"},
        {"[Vexo]\niMode=1\n", {{"Vexo Special", "szCfr1", "x"}}, "[Vexo]\r\niMode=1\r\n[Vexo Special]\r\nszCfr1=x\r\n"},
        // The same value again: the file is not touched, not even to tidy it.
        {"[Vexo]\n  iMode = 1 \n\n", {{"Vexo", "iMode", "1"}}, "[Vexo]\n  iMode = 1 \n\n"},
        {"[Vexo]\niMode\n", {{"Vexo", "iMode", "4"}}, "[Vexo]\r\niMode=4\r\n"},
        {"[Vexo]\nk=1\nk=2\n[vexo]\nk=3\n", {{"Vexo", "k", "9"}}, "[Vexo]\r\nk=9\r\nk=2\r\n[vexo]\r\nk=3\r\n"},
        {"=a\n=b\nx=1\n=c\n", {{"S", "k", "v"}}, "=a\r\nx=1\r\n=c\r\n[S]\r\nk=v\r\n"},
        {"\xEF\xBB\xBF[Vexo]\nk=1\n", {{"Vexo", "k", "2"}}, "\xEF\xBB\xBF[Vexo]\r\nk=2\r\n"},
        {"[Vexo]\nk=1\n\x1a", {{"Vexo", "k", "2"}}, "[Vexo]\r\nk=2\r\n"},
    };
    TempFolder folder;
    int n = 0;
    for (const WriteCase& c : cases) {
        const std::string path = folder.File("write" + std::to_string(n++) + ".ini");
        if (c.before != nullptr) WriteFileBytes(path, c.before);
        IniFileStore store(path);
        for (const WriteStep& step : c.steps) {
            if (step.section == nullptr) break;
            EXPECT_TRUE(store.WriteString(step.section, step.key, step.value)) << step.key;
        }
        EXPECT_EQ(ReadFileBytes(path), c.after) << "before: " << (c.before ? c.before : "<no file>");
    }
}

TEST(IniFileStoreTest, WriteToAnImpossiblePathFailsAndTouchesNothing) {
    TempFolder folder;
    WriteFileBytes(folder.File("plain"), "data");
    IniFileStore underAFile(folder.File("plain") + "/x.ini");
    EXPECT_FALSE(underAFile.WriteString("Vexo", "k", "v"));
    EXPECT_EQ(underAFile.GetString("Vexo", "k", "dflt"), "dflt");
    EXPECT_EQ(underAFile.GetInt("Vexo", "k", 5), 5);
    EXPECT_EQ(ReadFileBytes(folder.File("plain")), "data");
    EXPECT_FALSE(IniFileStore(folder.File("")).WriteString("Vexo", "k", "v"));
}

}  // namespace
