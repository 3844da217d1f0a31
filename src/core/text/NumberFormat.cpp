#include "text/NumberFormat.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "text/NumberParse.h"

namespace kzv {

std::string FormatFixed2(double value) {
    // Large enough for the longest double in fixed notation (309 digits) plus sign and decimals.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

std::string FormatInt(int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatG(double value) {
    // "%g" never needs more than sign, six digits, point and a four-character exponent.
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

double ReadDoubleOrZero(std::string_view text) {
    double value = 0.0;
    CTextCursor cursor(text);
    return cursor.ReadDouble(value) ? value : 0.0;
}

double ShortestDecimal(float value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    double out = 0.0;
    std::from_chars(buffer, written.ptr, out);
    return out;
}

int TruncToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

}  // namespace kzv
