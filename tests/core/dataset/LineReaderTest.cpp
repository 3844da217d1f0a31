#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "TempDir.h"
#include "dataset/LineReader.h"

namespace {

// The lines of a file read as views (straight from the buffer where they lie whole in it) are
// the lines read as copies: line ends of every kind, also where a CR LF or a line is cut by
// the end of the 64 KiB buffer, and a last line without its end.
TEST(LineReaderTest, ViewsAndCopiesReadTheSameLines) {
    std::vector<std::string> lines;
    std::string text;
    const char* const ends[] = {"\r\n", "\n", "\r"};
    for (int i = 0; text.size() < 200000; ++i) {
        std::string line(static_cast<size_t>((i * 37) % 300), static_cast<char>('a' + i % 26));
        line += std::to_string(i);
        lines.push_back(line);
        text += line + ends[i % 3];
        if (i % 3 == 0 && text.size() % 65536 > 65000) {
            // Push the next CR LF across the buffer's end.
            const std::string pad(65535 - text.size() % 65536, 'p');
            lines.push_back(pad);
            text += pad + "\r\n";
        }
    }
    lines.push_back("last");
    text += "last";
    TempDir dir;
    const std::string path = dir.Write("lines.txt", text);

    kzv::CLineReader views, copies;
    ASSERT_TRUE(views.Open(path.c_str()));
    ASSERT_TRUE(copies.Open(path.c_str()));
    std::string_view view;
    std::string copy;
    for (const std::string& line : lines) {
        ASSERT_TRUE(views.ReadLine(view));
        ASSERT_TRUE(copies.ReadLine(copy));
        ASSERT_EQ(view, line);
        ASSERT_EQ(copy, line);
        EXPECT_EQ(views.LineNumber(), copies.LineNumber());
    }
    EXPECT_FALSE(views.ReadLine(view));
    EXPECT_FALSE(copies.ReadLine(copy));
}

}  // namespace
