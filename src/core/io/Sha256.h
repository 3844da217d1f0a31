#pragma once

#include <string>
#include <string_view>

namespace kzv {

// The SHA-256 digest of bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

// The digest of the file at path; false when it cannot be read.
bool Sha256OfFile(const std::string& path, std::string& hex);

}  // namespace kzv
