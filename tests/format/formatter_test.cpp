#include "format/formatter.h"
#include "model/mode_table.h"
#include "tests/support/model_fixture.h"

namespace {

using FormatterTest = ModelTest;


struct CountCase {
    int mode;
    std::int32_t count;
    FormatFlags flags;
    const char* text;
};

constexpr CountCase kWorkedExamples[] = {
    {ModeNdf, 1800, LeadNone | SepColons, "1:00:00"},
    {ModeNdf, 1800, LeadSpaces | SepColons, "    1:00:00"},
    {ModeNdf, 1800, LeadZeros | SepColons, "00:01:00:00"},
    {ModeNdf, 1800, LeadZeros | SepPeriod, "00:01:00.00"},
    {ModeNdf, 1800, LeadZeros | SepPeriod | SepSemicolon, "00:01:00;00"},
    {ModeNdf, 1800, LeadNone | SepNone, "10000"},
    {ModeNdf, 1800, LeadSpaces | SepNone, "   10000"},
    {ModeNdf, 1800, LeadZeros | SepColons | Trailing, "00:01:00:00 NDF"},
    {ModeNdf, 0, LeadNone | SepColons, "0"},
    {ModeNdf, 0, LeadSpaces | SepColons, "          0"},
    {ModeDf, 1800, LeadNone | SepSemicolon, "1:00;02"},
    {ModeDf, 1800, LeadZeros | SepSemicolon | Trailing, "00:01:00;02 DF"},
    {ModePal, 1500, LeadZeros | SepColons | Trailing, "00:01:00:00 PAL"},
    {ModeFilm, 1440, LeadZeros | SepColons | Trailing, "00:01:00:00"},
    {Mode35mm, 16000, LeadNone | SepHyphen | Commas | PrefixOx | LeadingZero, "1,000-00"},
    {Mode35mm, 16000, LeadNone | SepHyphen, "1000-00"},
    {Mode35mm, 16000, LeadNone | SepPeriod | SepHyphen | Commas | Trailing, "1,000.00 35mm"},
    {Mode35mm, 16000, LeadSpaces | SepHyphen | Commas, "  1,000-00"},
    {Mode35mm, 16000, LeadNone | SepNone | SepHyphen | Commas, "100000"},
    {Mode35mm, 16000, LeadZeros | SepHyphen | Commas, "001,000-00"},
    {ModeHex, 8191, LeadNone | UpperCase, "1FFF"},
    {ModeHex, 511, LeadNone | PrefixOx | LeadingZero | Trailing, "0x01ffh"},
    {ModeHex, 511, LeadNone | PrefixOx | LeadingZero | Trailing | UpperCase, "0X01FFH"},
    {ModeHex, 511, LeadSpaces | PrefixOx, "     0x1ff"},
    {ModeHex, 511, LeadZeros | PrefixOx, "0x000001ff"},
    {ModeHex, 511, LeadZeros | LeadingZero, "01ff"},
    {ModeHex, 0, LeadNone | PrefixOx | LeadingZero, "0x00"},
    {ModeDec, 1000, LeadNone | Commas | LeadingZero, "1,000"},
    {ModeDec, 1000, LeadNone | Commas | LeadingZero | Trailing, "1,000 Frms"},
    {ModeDec, 1000, LeadSpaces | Commas, "     1,000"},
    {ModeDec, 1000, LeadZeros | Commas, "00,001,000"},
    {ModeOct, 1023, LeadNone, "1777"},
    {ModeOct, 1023, LeadNone | Commas | Trailing, "1,777Q"},
    {ModeOct, 4095, LeadNone | LeadingZero | Trailing, "07777Q"},
    {ModeOct, 4095, LeadNone | PrefixOx, "07777"},
    {ModeOct, 0, LeadNone | LeadingZero | Trailing, "00Q"},
    // Beyond the worked examples.
    {ModeHex, 511, LeadSpaces | LeadingZero, "     01ff"},
    {ModeNdf, 1800, LeadZeros | SepColons | SepPeriod | SepSemicolon, "00:01:00;00"},  // semicolon wins over period
    {Mode35mm, 16000, LeadNone | SepNone | Commas, "100000"},   // SepNone: no commas either
    {ModeHex, 511, LeadNone | SepNone | Commas, "1ff"},           // SepNone and Commas mean nothing in hexadecimal
    {ModeDec, 1000, LeadNone | SepNone, "1000"},
    {Mode35mm, 3839999, LeadNone | SepHyphen | Commas | PrefixOx | LeadingZero | Trailing | UpperCase, "239,999-15 35MM"},
    {ModeDf, 17980, LeadNone | SepSemicolon, "9:59;28"},
};

TEST_F(FormatterTest, FormatCountWorkedExamples) {
    for (const CountCase& c : kWorkedExamples)
        EXPECT_STREQ(FormatCount(modes, c.count, c.mode, c.flags).c_str(), c.text)
            << "mode " << c.mode << " count " << c.count << " flags 0x" << std::hex << c.flags;
}

TEST_F(FormatterTest, ZeroShowsAsZeroInEveryKindsDisplayFormat) {
    for (int mode : {ModeNdf, ModeDf, Mode35mm, ModeHex, ModeDec, ModeOct})
        EXPECT_STREQ(FormatDigits(modes, "0", mode, KindDisplayFlags[modes.rows[mode].iKind]).c_str(), "0") << mode;
}

// Spaces and the stripped body together are as wide as the unstripped body.
TEST_F(FormatterTest, LeadSpacesKeepTheFullWidth) {
    const struct {
        int mode;
        FormatFlags flags;
        std::size_t width;
    } cases[] = {
        {ModeNdf, LeadSpaces | SepColons, 11}, {Mode35mm, LeadSpaces | SepHyphen | Commas, 10},
        {Mode35mm, LeadSpaces | SepHyphen, 9}, {ModeDec, LeadSpaces | Commas, 10},
        {ModeDec, LeadSpaces, 8}, {ModeOct, LeadSpaces | Commas, 10}, {ModeHex, LeadSpaces, 8},
    };
    for (const auto& c : cases)
        for (const char* digits : {"0", "1", "1234", "12345678"})
            EXPECT_EQ(FormatDigits(modes, digits, c.mode, c.flags).size(), c.width) << c.mode << " " << digits;
}

TEST_F(FormatterTest, TextInputsFormatLikeTheirDigits) {
    const struct {
        const char* text;
        int mode;
        FormatFlags flags;
        const char* expected;
    } cases[] = {
        {"+ 1:00:00 ", ModeNdf, LeadNone | SepColons, "1:00:00"},
        {"1FF", ModeHex, LeadNone | PrefixOx | LeadingZero | Trailing, "0x01FFh"},  // no lowering without UpperCase
        {"", ModeNdf, LeadZeros | SepColons | Trailing, "00:00:00:00 NDF"},
        {"    ", ModeNdf, LeadNone | SepColons, "0"},
        {"M= 59;28 ", ModeDf, LeadZeros | SepSemicolon | Trailing, "00:00:59;28 DF"},
    };
    for (const auto& c : cases) EXPECT_STREQ(FormatDigits(modes, c.text, c.mode, c.flags).c_str(), c.expected) << '"' << c.text << '"';
}

TEST_F(FormatterTest, UserRowsUseTheirOwnPrefixAndSuffix) {
    modes.rows[6].szName.assign("Cnt");
    modes.rows[6].iKind = KindOct;
    modes.rows[6].szSuffix.assign(" oct");
    modes.rows[6].szPrefix.assign("o");
    EXPECT_STREQ(FormatCount(modes, 8, 6, LeadNone | PrefixOx | Trailing | UpperCase).c_str(), "O10 OCT");
}

}  // namespace
