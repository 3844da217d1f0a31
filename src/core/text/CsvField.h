#pragma once

#include <string>
#include <string_view>

namespace kzv {

// A field of a CSV line: as it is, or in double quotes with its quotes doubled when it holds a
// comma, a quote or a line end.
std::string CsvField(std::string_view text);

}  // namespace kzv
