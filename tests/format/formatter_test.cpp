#include "format/formatter.h"
#include "model/mode_table.h"
#include "tests/support/model_fixture.h"

namespace {

using FormatterTest = ModelTest;

constexpr int kNdf = 0, kDf = 1, kPal = 2, kFilm = 3, kFeet35 = 4, kHex = 10, kDec = 11, kOct = 12;

struct CountCase {
    int mode;
    std::int32_t count;
    FormatFlags flags;
    const char* text;
};

constexpr CountCase kWorkedExamples[] = {
    {kNdf, 1800, 0x0021, "1:00:00"},
    {kNdf, 1800, 0x0022, "    1:00:00"},
    {kNdf, 1800, 0x0024, "00:01:00:00"},
    {kNdf, 1800, 0x0044, "00:01:00.00"},
    {kNdf, 1800, 0x00C4, "00:01:00;00"},
    {kNdf, 1800, 0x0011, "10000"},
    {kNdf, 1800, 0x0012, "   10000"},
    {kNdf, 1800, 0x1024, "00:01:00:00 NDF"},
    {kNdf, 0, 0x0021, "0"},
    {kNdf, 0, 0x0022, "          0"},
    {kDf, 1800, 0x0081, "1:00;02"},
    {kDf, 1800, 0x1084, "00:01:00;02 DF"},
    {kPal, 1500, 0x1024, "00:01:00:00 PAL"},
    {kFilm, 1440, 0x1024, "00:01:00:00"},
    {kFeet35, 16000, 0x0F01, "1,000-00"},
    {kFeet35, 16000, 0x0101, "1000-00"},
    {kFeet35, 16000, 0x1341, "1,000.00 35mm"},
    {kFeet35, 16000, 0x0302, "  1,000-00"},
    {kFeet35, 16000, 0x0311, "100000"},
    {kFeet35, 16000, 0x0304, "001,000-00"},
    {kHex, 8191, 0x2001, "1FFF"},
    {kHex, 511, 0x1C01, "0x01ffh"},
    {kHex, 511, 0x3C01, "0X01FFH"},
    {kHex, 511, 0x0402, "     0x1ff"},
    {kHex, 511, 0x0404, "0x000001ff"},
    {kHex, 511, 0x0804, "01ff"},
    {kHex, 0, 0x0C01, "0x00"},
    {kDec, 1000, 0x0A01, "1,000"},
    {kDec, 1000, 0x1A01, "1,000 Frms"},
    {kDec, 1000, 0x0202, "     1,000"},
    {kDec, 1000, 0x0204, "00,001,000"},
    {kOct, 1023, 0x0001, "1777"},
    {kOct, 1023, 0x1201, "1,777Q"},
    {kOct, 4095, 0x1801, "07777Q"},
    {kOct, 4095, 0x0401, "07777"},
    {kOct, 0, 0x1801, "00Q"},
    // Beyond the worked examples.
    {kHex, 511, 0x0802, "     01ff"},
    {kNdf, 1800, 0x00E4, "00:01:00;00"},  // semicolon wins over period
    {kFeet35, 16000, 0x0211, "100000"},   // SepNone: no commas either
    {kHex, 511, 0x0211, "1ff"},           // SepNone and Commas mean nothing in hexadecimal
    {kDec, 1000, 0x0011, "1000"},
    {kFeet35, 3839999, 0x3F01, "239,999-15 35MM"},
    {kDf, 17980, 0x0081, "9:59;28"},
};

TEST_F(FormatterTest, FormatCountWorkedExamples) {
    for (const CountCase& c : kWorkedExamples)
        EXPECT_STREQ(FormatCount(c.count, c.mode, c.flags).c_str(), c.text)
            << "mode " << c.mode << " count " << c.count << " flags 0x" << std::hex << c.flags;
}

TEST_F(FormatterTest, ZeroShowsAsZeroInEveryKindsDisplayFormat) {
    for (int mode : {kNdf, kDf, kFeet35, kHex, kDec, kOct})
        EXPECT_STREQ(FormatDigits("0", mode, KindDisplayFlags[ModeTable[mode].iKind]).c_str(), "0") << mode;
}

// Spaces and the stripped body together are as wide as the unstripped body.
TEST_F(FormatterTest, LeadSpacesKeepTheFullWidth) {
    const struct {
        int mode;
        FormatFlags flags;
        std::size_t width;
    } cases[] = {{kNdf, 0x0022, 11}, {kFeet35, 0x0302, 10}, {kFeet35, 0x0102, 9}, {kDec, 0x0202, 10},
                 {kDec, 0x0002, 8},  {kOct, 0x0202, 10},    {kHex, 0x0002, 8}};
    for (const auto& c : cases)
        for (const char* digits : {"0", "1", "1234", "12345678"})
            EXPECT_EQ(FormatDigits(digits, c.mode, c.flags).size(), c.width) << c.mode << " " << digits;
}

TEST_F(FormatterTest, TextInputsFormatLikeTheirDigits) {
    const struct {
        const char* text;
        int mode;
        FormatFlags flags;
        const char* expected;
    } cases[] = {
        {"+ 1:00:00 ", kNdf, 0x0021, "1:00:00"},
        {"1FF", kHex, 0x1C01, "0x01FFh"},  // no lowering without UpperCase
        {"", kNdf, 0x1024, "00:00:00:00 NDF"},
        {"    ", kNdf, 0x0021, "0"},
        {"M= 59;28 ", kDf, 0x1084, "00:00:59;28 DF"},
    };
    for (const auto& c : cases) EXPECT_STREQ(FormatDigits(c.text, c.mode, c.flags).c_str(), c.expected) << '"' << c.text << '"';
}

TEST_F(FormatterTest, UserRowsUseTheirOwnPrefixAndSuffix) {
    ModeTable[6].szName.assign("Cnt");
    ModeTable[6].iKind = KindOct;
    ModeTable[6].szSuffix.assign(" oct");
    ModeTable[6].szPrefix.assign("o");
    EXPECT_STREQ(FormatCount(8, 6, 0x3401).c_str(), "O10 OCT");
}

}  // namespace
