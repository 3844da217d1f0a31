#pragma once

#include <string>
#include <string_view>

namespace kzv {

// Writes bytes to path so that the file under that name is either the old one or the
// complete new one: the bytes go to a temporary file in the same folder, which is flushed to
// disk and then renamed over path. On failure the temporary file is removed, path is left as
// it was, and error (when given) says what went wrong.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace kzv
