#include "text/DisplayText.h"

#include "text/CodePage.h"

namespace kzv {

namespace {

// Cuts UTF-8 text after its first count characters (a continuation byte never starts one).
void KeepCharacters(std::string& text, size_t count) {
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == count) {
            text.resize(i);
            return;
        }
    }
}

}  // namespace

std::string DisplayLine(std::string_view fileText) {
    // Whether the text is UTF-8 is decided on the whole of it, as for every other display of
    // it. Of the rest only as many bytes as kDisplayLineLength + 1 characters can take are
    // converted: at most 4 bytes each in UTF-8, 2 in CP932.
    const bool utf8 = IsValidUtf8(fileText);
    const std::string_view head = fileText.substr(0, (utf8 ? 4 : 2) * (kDisplayLineLength + 1));
    std::string text = utf8 ? std::string(head) : Cp932ToUtf8(head);
    KeepCharacters(text, kDisplayLineLength);
    return text;
}

std::vector<std::string> DisplaySummaryLines(std::string_view summary) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < summary.size() && lines.size() < kDisplaySummaryLines) {
        size_t end = summary.find("\r\n", start);
        if (end == std::string_view::npos) {
            end = summary.size();
        }
        if (end > start) {
            lines.push_back(DisplayLine(summary.substr(start, end - start)));
        }
        start = end + 2;
    }
    return lines;
}

}  // namespace kzv
