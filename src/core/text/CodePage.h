#pragma once

#include <string>
#include <string_view>

// Conversion between the Japanese code page of the data files (CP932, Windows Shift_JIS) and
// the UTF-8 of the user interface. Pure ASCII is the same in both.
namespace kzv {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// CP932 to UTF-8. A byte that does not start a CP932 character (or a lead byte without a valid
// trail byte) becomes U+FFFD and reading goes on with the next byte, so nothing is dropped
// silently and the result is always valid UTF-8.
std::string Cp932ToUtf8(std::string_view bytes);

// Text from a data file for display: taken as it is when it is already valid UTF-8 (data sets
// written on Linux), otherwise converted from CP932.
std::string FileTextToUtf8(std::string_view bytes);

// UTF-8 to CP932, for the files the program writes. A character CP932 cannot hold, and a byte
// that is not part of a valid UTF-8 sequence, becomes '?'.
std::string Utf8ToCp932(std::string_view text);

}  // namespace kzv
