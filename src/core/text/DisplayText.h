#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Header texts as the comment block puts them on the screen. The header reader keeps every
// line whole, however long; what is drawn is cut so that the text lists the view makes stay
// proportional to what can be seen.
namespace kzv {

// The data formats promise lines of at most this many characters.
constexpr size_t kDisplayLineLength = 511;
// Summary lines shown at most; a summary of a few dozen lines already fills a window.
constexpr size_t kDisplaySummaryLines = 200;

// One header text for the screen, in UTF-8: decoded as FileTextToUtf8 does (valid UTF-8 is
// taken as it is, anything else is CP932) and cut after its first kDisplayLineLength
// characters. Only the start of a long text is converted.
std::string DisplayLine(std::string_view fileText);

// The experiment summary for the screen: cut at every CR LF, empty lines dropped, each line as
// DisplayLine gives it, at most kDisplaySummaryLines lines (later ones are not shown).
std::vector<std::string> DisplaySummaryLines(std::string_view summary);

}  // namespace kzv
