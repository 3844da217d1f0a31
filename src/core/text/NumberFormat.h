#pragma once

#include <string>
#include <string_view>

// Numbers as the C library writes and reads them in the "C" locale, whatever the process
// locale is (the program's texts and files always use '.' as the decimal point).
namespace kzv {

// printf("%.2f", value): round-half-even on the exact binary value, "-0.00" for small
// negatives, "inf"/"nan" spelled as printf spells them (contour labels, colour-bar values).
std::string FormatFixed2(double value);

// printf("%d", value).
std::string FormatInt(int value);

// printf("%g", value): six significant digits, the shorter of fixed and exponent form,
// trailing zeros dropped.
std::string FormatG(double value);

// atof(text) in the "C" locale: leading blanks skipped, a sign allowed, the longest number at
// the start read, anything after it ignored. A text that does not start with a number, and a
// number that is not finite ("inf", "nan", "1e999"), reads as 0.
double ReadDoubleOrZero(std::string_view text);

// The float's shortest decimal form (the fewest digits that read back as the same float),
// read as a double: 12.3f gives 12.3, not 12.300000190734863.
double ShortestDecimal(float value);

// value cut toward zero, as a C cast to int does, but saturating at the int range instead of
// being undefined beyond it; NaN gives 0.
int TruncToInt(double value);

}  // namespace kzv
