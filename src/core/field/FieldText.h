#pragma once

#include <string>

// Texts of the pressure picture (contour labels, colour-bar values, slot numbers), formatted
// as the C formats "%.2f" and "%d" do in the "C" locale, whatever the process locale is.
namespace kzv {

// printf("%.2f", value): round-half-even on the exact binary value, "-0.00" for small
// negatives, "inf"/"nan" spelled as printf spells them.
std::string FormatFixed2(double value);

// printf("%d", value).
std::string FormatInt(int value);

}  // namespace kzv
