#include "roman/roman.h"

#include <cstring>

#include "model/chars.h"

namespace {

// The letters stored upper case; a letter's value sits at the same index.
constexpr char kLetters[] = "IVXLCDM";
constexpr int kLetterValues[] = {1, 5, 10, 50, 100, 500, 1000};
static_assert(sizeof(kLetters) - 1 == sizeof(kLetterValues) / sizeof(kLetterValues[0]));

// Four equal letters never occur in a canonical numeral.
constexpr const char* kForbiddenRuns[] = {"iiii", "vvvv", "xxxx", "llll", "cccc", "dddd", "mmmm"};

// A numeral under construction. The longest numeral is 15 letters, so the appends never come
// near the end of the 128-byte buffer; the guard is there all the same.
struct RomanBuilder {
    char* text;
    std::size_t length;

    void Append(const char* fragment) {
        while (*fragment != '\0' && length + 1 < kRomanBufferSize) text[length++] = *fragment++;
        text[length] = '\0';
    }

    void Cut(std::size_t newLength) {
        length = newLength;
        text[length] = '\0';
    }
};

// One decimal place: "one" appended while the place has units left. At the fourth equal
// letter the run is repaired: with "five" in front of it ("dcccc") it becomes the pair
// "one" + "ten" ("cm"); otherwise the second letter becomes "five" ("cccc" -> "cd").
void AppendPlace(RomanBuilder& numeral, int& n, int unit, char one, char five, const char* oneTen) {
    const char oneText[] = {one, '\0'};
    int run = 0;
    while (n / unit != 0) {
        numeral.Append(oneText);
        n -= unit;
        if (++run == 4) {
            const std::size_t runStart = numeral.length - 4;
            // The builder starts with a blank, so a character in front of the run always exists.
            if (numeral.text[runStart - 1] == five) {
                numeral.Cut(runStart - 1);
                numeral.Append(oneTen);
            } else {
                numeral.text[runStart + 1] = five;
                numeral.Cut(runStart + 2);
            }
            return;
        }
    }
}

void AppendHalf(RomanBuilder& numeral, int& n, int half, const char* letter) {
    if (n >= half) {
        numeral.Append(letter);
        n -= half;
    }
}

}  // namespace

int RomanLetterValue(char c) {
    const char upper = ToUpperAscii(c);
    for (std::size_t i = 0; i < sizeof(kLetterValues) / sizeof(kLetterValues[0]); ++i) {
        if (kLetters[i] == upper) return kLetterValues[i];
    }
    return -1;
}

void ArabicToRoman(int n, char (&out)[kRomanBufferSize]) {
    RomanBuilder numeral{out, 0};
    // Outside the range the loops below would never reach zero: such a value has no numeral.
    if (n < kRomanMin || n > kRomanMax) {
        numeral.Cut(0);
        return;
    }
    numeral.Append(" ");
    while (n / 1000 != 0) {
        numeral.Append("m");
        n -= 1000;
    }
    AppendHalf(numeral, n, 500, "d");
    AppendPlace(numeral, n, 100, 'c', 'd', "cm");
    AppendHalf(numeral, n, 50, "l");
    AppendPlace(numeral, n, 10, 'x', 'l', "xc");
    AppendHalf(numeral, n, 5, "v");
    AppendPlace(numeral, n, 1, 'i', 'v', "ix");
    if (out[0] == ' ') std::memmove(out, out + 1, numeral.length);  // terminator included
}

int RomanToArabic(const char* text) {
    if (text == nullptr) return -1;
    const std::size_t length = std::strlen(text);
    if (length == 0 || length >= kRomanBufferSize) return -1;

    char lower[kRomanBufferSize];
    for (std::size_t i = 0; i <= length; ++i) {
        const char c = text[i];
        lower[i] = ToLowerAscii(c);
    }
    for (const char* run : kForbiddenRuns) {
        if (std::strstr(lower, run) != nullptr) return -1;
    }

    // Right to left: a letter smaller than the one after it is subtracted, and so are the
    // letters equal to it that follow while subtracting. Canonicity is proved below, so this
    // only has to get the value of a canonical numeral right.
    int sum = 0;
    int previous = 0;
    bool adding = true;
    for (std::size_t i = length; i-- > 0;) {
        const int v = RomanLetterValue(text[i]);
        if (v == -1) return -1;
        if (v > previous) {
            sum += v;
            adding = true;
        } else if (v == previous) {
            sum += adding ? v : -v;
        } else {
            sum -= v;
            adding = false;
        }
        previous = v;
    }
    if (sum < kRomanMin || sum > kRomanMax) return -1;

    char canonical[kRomanBufferSize];
    ArabicToRoman(sum, canonical);
    return std::strcmp(canonical, lower) == 0 ? sum : -1;
}
