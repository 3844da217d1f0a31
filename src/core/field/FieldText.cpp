#include "field/FieldText.h"

#include <charconv>

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

}  // namespace kzv
