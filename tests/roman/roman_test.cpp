#include "roman/roman.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

namespace {

std::string Roman(int n) {
    char out[kRomanBufferSize];
    std::memset(out, '#', sizeof out);
    ArabicToRoman(n, out);
    return out;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(RomanLetterValue, SevenLettersInEitherCaseAndNothingElse) {
    struct Row {
        char c;
        int value;
    };
    constexpr Row kRows[] = {
        {'I', 1},    {'i', 1},    {'V', 5},    {'v', 5},    {'X', 10},  {'x', 10},
        {'L', 50},   {'l', 50},   {'C', 100},  {'c', 100},  {'D', 500}, {'d', 500},
        {'M', 1000}, {'m', 1000}, {'A', -1},   {'q', -1},   {'0', -1},  {' ', -1},
        {'\0', -1},  {'\xC9', -1}, {'\xE9', -1}, {'\xCD', -1}, {'i' ^ 0x40, -1},
    };
    for (const Row& row : kRows) {
        EXPECT_EQ(RomanLetterValue(row.c), row.value) << "character code " << int(static_cast<unsigned char>(row.c));
    }
    // Every byte but the fourteen letters is refused, bytes above 127 included.
    int letters = 0;
    for (int b = 0; b < 256; ++b) {
        if (RomanLetterValue(static_cast<char>(b)) != -1) ++letters;
    }
    EXPECT_EQ(letters, 14);
}

TEST(ArabicToRoman, TellingValues) {
    struct Row {
        int n;
        const char* numeral;
    };
    constexpr Row kRows[] = {
        {1, "i"},     {3, "iii"},  {4, "iv"},      {5, "v"},       {8, "viii"},
        {9, "ix"},    {14, "xiv"}, {19, "xix"},    {40, "xl"},     {49, "xlix"},
        {90, "xc"},   {99, "xcix"}, {400, "cd"},   {444, "cdxliv"}, {900, "cm"},
        {999, "cmxcix"}, {1994, "mcmxciv"}, {2000, "mm"}, {3888, "mmmdccclxxxviii"},
        {3999, "mmmcmxcix"},
    };
    for (const Row& row : kRows) EXPECT_EQ(Roman(row.n), row.numeral) << "n = " << row.n;
}

TEST(ArabicToRoman, ValuesOutsideTheRangeGiveAnEmptyText) {
    for (int n : {0, -1, -1000, 4000, 1 << 30}) EXPECT_EQ(Roman(n), "") << "n = " << n;
}

TEST(RomanToArabic, AcceptedNumerals) {
    struct Row {
        const char* text;
        int value;
    };
    constexpr Row kRows[] = {
        {"MCMXCIV", 1994}, {"mcmxciv", 1994}, {"McMxCiV", 1994}, {"MMMCMXCIX", 3999},
        {"CM", 900},       {"IV", 4},         {"i", 1},          {"mmmdccclxxxviii", 3888},
    };
    for (const Row& row : kRows) EXPECT_EQ(RomanToArabic(row.text), row.value) << row.text;
}

TEST(RomanToArabic, RefusedTexts) {
    const std::string tooLong(128, 'i');
    const std::string longest(127, 'x');
    const char* kTexts[] = {
        // four equal letters
        "IIII", "VIIII", "LXXXX", "DCCCC", "MMMM",
        // letters in a non-canonical order
        "IIV", "VX", "IC", "XM", "XD", "IL", "VV", "LL", "DD", "XXC", "MMMDM",
        // a sum that is not positive
        "DDDM", "DDDMDDDM",
        // not letters at all, or too long
        "", " XIV", "XIV ", "X1V", "x\xE9", tooLong.c_str(), longest.c_str(), nullptr,
    };
    for (const char* text : kTexts) {
        EXPECT_EQ(RomanToArabic(text), -1) << (text ? text : "(null)");
    }
}

TEST(Roman, EveryNumberRoundTripsInBothCases) {
    for (int n = kRomanMin; n <= kRomanMax; ++n) {
        const std::string numeral = Roman(n);
        ASSERT_FALSE(numeral.empty()) << n;
        ASSERT_LE(numeral.size(), 15u) << n;
        ASSERT_EQ(RomanToArabic(numeral.c_str()), n) << numeral;
        ASSERT_EQ(RomanToArabic(Upper(numeral).c_str()), n) << Upper(numeral);
    }
}

}  // namespace
