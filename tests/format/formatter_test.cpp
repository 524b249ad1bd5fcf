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
    {kNdf, 1800, LeadNone | SepColons, "1:00:00"},
    {kNdf, 1800, LeadSpaces | SepColons, "    1:00:00"},
    {kNdf, 1800, LeadZeros | SepColons, "00:01:00:00"},
    {kNdf, 1800, LeadZeros | SepPeriod, "00:01:00.00"},
    {kNdf, 1800, LeadZeros | SepPeriod | SepSemicolon, "00:01:00;00"},
    {kNdf, 1800, LeadNone | SepNone, "10000"},
    {kNdf, 1800, LeadSpaces | SepNone, "   10000"},
    {kNdf, 1800, LeadZeros | SepColons | Trailing, "00:01:00:00 NDF"},
    {kNdf, 0, LeadNone | SepColons, "0"},
    {kNdf, 0, LeadSpaces | SepColons, "          0"},
    {kDf, 1800, LeadNone | SepSemicolon, "1:00;02"},
    {kDf, 1800, LeadZeros | SepSemicolon | Trailing, "00:01:00;02 DF"},
    {kPal, 1500, LeadZeros | SepColons | Trailing, "00:01:00:00 PAL"},
    {kFilm, 1440, LeadZeros | SepColons | Trailing, "00:01:00:00"},
    {kFeet35, 16000, LeadNone | SepHyphen | Commas | PrefixOx | LeadingZero, "1,000-00"},
    {kFeet35, 16000, LeadNone | SepHyphen, "1000-00"},
    {kFeet35, 16000, LeadNone | SepPeriod | SepHyphen | Commas | Trailing, "1,000.00 35mm"},
    {kFeet35, 16000, LeadSpaces | SepHyphen | Commas, "  1,000-00"},
    {kFeet35, 16000, LeadNone | SepNone | SepHyphen | Commas, "100000"},
    {kFeet35, 16000, LeadZeros | SepHyphen | Commas, "001,000-00"},
    {kHex, 8191, LeadNone | UpperCase, "1FFF"},
    {kHex, 511, LeadNone | PrefixOx | LeadingZero | Trailing, "0x01ffh"},
    {kHex, 511, LeadNone | PrefixOx | LeadingZero | Trailing | UpperCase, "0X01FFH"},
    {kHex, 511, LeadSpaces | PrefixOx, "     0x1ff"},
    {kHex, 511, LeadZeros | PrefixOx, "0x000001ff"},
    {kHex, 511, LeadZeros | LeadingZero, "01ff"},
    {kHex, 0, LeadNone | PrefixOx | LeadingZero, "0x00"},
    {kDec, 1000, LeadNone | Commas | LeadingZero, "1,000"},
    {kDec, 1000, LeadNone | Commas | LeadingZero | Trailing, "1,000 Frms"},
    {kDec, 1000, LeadSpaces | Commas, "     1,000"},
    {kDec, 1000, LeadZeros | Commas, "00,001,000"},
    {kOct, 1023, LeadNone, "1777"},
    {kOct, 1023, LeadNone | Commas | Trailing, "1,777Q"},
    {kOct, 4095, LeadNone | LeadingZero | Trailing, "07777Q"},
    {kOct, 4095, LeadNone | PrefixOx, "07777"},
    {kOct, 0, LeadNone | LeadingZero | Trailing, "00Q"},
    // Beyond the worked examples.
    {kHex, 511, LeadSpaces | LeadingZero, "     01ff"},
    {kNdf, 1800, LeadZeros | SepColons | SepPeriod | SepSemicolon, "00:01:00;00"},  // semicolon wins over period
    {kFeet35, 16000, LeadNone | SepNone | Commas, "100000"},   // SepNone: no commas either
    {kHex, 511, LeadNone | SepNone | Commas, "1ff"},           // SepNone and Commas mean nothing in hexadecimal
    {kDec, 1000, LeadNone | SepNone, "1000"},
    {kFeet35, 3839999, LeadNone | SepHyphen | Commas | PrefixOx | LeadingZero | Trailing | UpperCase, "239,999-15 35MM"},
    {kDf, 17980, LeadNone | SepSemicolon, "9:59;28"},
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
    } cases[] = {
        {kNdf, LeadSpaces | SepColons, 11}, {kFeet35, LeadSpaces | SepHyphen | Commas, 10},
        {kFeet35, LeadSpaces | SepHyphen, 9}, {kDec, LeadSpaces | Commas, 10},
        {kDec, LeadSpaces, 8}, {kOct, LeadSpaces | Commas, 10}, {kHex, LeadSpaces, 8},
    };
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
        {"+ 1:00:00 ", kNdf, LeadNone | SepColons, "1:00:00"},
        {"1FF", kHex, LeadNone | PrefixOx | LeadingZero | Trailing, "0x01FFh"},  // no lowering without UpperCase
        {"", kNdf, LeadZeros | SepColons | Trailing, "00:00:00:00 NDF"},
        {"    ", kNdf, LeadNone | SepColons, "0"},
        {"M= 59;28 ", kDf, LeadZeros | SepSemicolon | Trailing, "00:00:59;28 DF"},
    };
    for (const auto& c : cases) EXPECT_STREQ(FormatDigits(c.text, c.mode, c.flags).c_str(), c.expected) << '"' << c.text << '"';
}

TEST_F(FormatterTest, UserRowsUseTheirOwnPrefixAndSuffix) {
    ModeTable[6].szName.assign("Cnt");
    ModeTable[6].iKind = KindOct;
    ModeTable[6].szSuffix.assign(" oct");
    ModeTable[6].szPrefix.assign("o");
    EXPECT_STREQ(FormatCount(8, 6, LeadNone | PrefixOx | Trailing | UpperCase).c_str(), "O10 OCT");
}

}  // namespace
