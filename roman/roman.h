#pragma once
// Whole numbers 1 to 3999 and Roman numerals.

#include <cstddef>

constexpr int kRomanMin = 1;
constexpr int kRomanMax = 3999;
constexpr std::size_t kRomanBufferSize = 128;

// The value of one Roman letter in either case, or -1.
int RomanLetterValue(char c);

// Writes the lower-case numeral of n (1 to 3999) into out.
void ArabicToRoman(int n, char (&out)[kRomanBufferSize]);

// The value of a canonical numeral of 1 to 3999 in any case, or -1.
int RomanToArabic(const char* text);
