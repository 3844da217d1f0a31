#include <gtest/gtest.h>

#include "text/CodePage.h"

namespace {

using kzv::Cp932ToUtf8;
using kzv::FileTextToUtf8;
using kzv::IsValidUtf8;
using kzv::Utf8ToCp932;

// "風圧係数表～あｱ" in CP932 (0x5C is the trail byte of "表"; "～" is 0x8160).
const std::string kCp = "\x95\x97\x88\xB3\x8C\x57\x90\x94\x95\x5C\x81\x60\x82\xA0\xB1";
const std::string kUtf = "風圧係数表～あｱ";
const std::string kReplacement = "\xEF\xBF\xBD";

TEST(CodePageTest, JapaneseConvertsBothWaysAndAsciiIsUnchanged) {
    EXPECT_EQ(Cp932ToUtf8(kCp), kUtf);
    EXPECT_EQ(Utf8ToCp932(kUtf), kCp);
    EXPECT_EQ(Cp932ToUtf8("\x87\x40\xED\x40"), "①纊");  // NEC and IBM extensions
    const std::string ascii = "Tower A, 1.5\\2~\t";
    EXPECT_TRUE(IsValidUtf8(ascii));
    EXPECT_EQ(Cp932ToUtf8(ascii), ascii);
    EXPECT_EQ(Utf8ToCp932(ascii), ascii);
    EXPECT_EQ(Cp932ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(CodePageTest, FileTextTakesUtf8AsItIs) {
    EXPECT_FALSE(IsValidUtf8(kCp));
    EXPECT_EQ(FileTextToUtf8(kCp), kUtf);
    EXPECT_EQ(FileTextToUtf8(kUtf), kUtf);
    EXPECT_EQ(FileTextToUtf8("plain"), "plain");
}

TEST(CodePageTest, UndecodableBytesBecomeReplacementCharacters) {
    // A stray lead byte at the end, a lead byte before a byte that cannot follow it (the
    // blank is kept), and bytes CP932 never uses.
    EXPECT_EQ(Cp932ToUtf8("A\x81"), "A" + kReplacement);
    EXPECT_EQ(Cp932ToUtf8("\x81 B"), kReplacement + " B");
    EXPECT_EQ(Cp932ToUtf8("x\x80y\xFF\xFDz"),
              "x" + kReplacement + "y" + kReplacement + kReplacement + "z");
    const std::string mixed = kCp + "\xA0" + kCp;
    const std::string converted = Cp932ToUtf8(mixed);
    EXPECT_EQ(converted, kUtf + kReplacement + kUtf);
    EXPECT_TRUE(IsValidUtf8(converted));

    // A long text crosses the converter's internal buffer without losing anything.
    std::string longCp, longUtf;
    for (int i = 0; i < 2000; ++i) {
        longCp += kCp + "\x80";
        longUtf += kUtf + kReplacement;
    }
    EXPECT_EQ(Cp932ToUtf8(longCp), longUtf);
}

TEST(CodePageTest, UnwritableCharactersBecomeQuestionMarks) {
    // The euro sign and an emoji have no CP932 code; broken UTF-8 bytes are one '?' each.
    EXPECT_EQ(Utf8ToCp932("a\xE2\x82\xAC"
                          "b\xF0\x9F\x98\x80"
                          "c"),
              "a?b?c");
    EXPECT_EQ(Utf8ToCp932("\x82\xA0z\xE3\x81"), "??z??");
    EXPECT_EQ(Utf8ToCp932(kUtf + "\xFF" + kUtf), kCp + "?" + kCp);
}

TEST(CodePageTest, Utf8Validation) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80\xC2\xA9\xEF\xBF\xBD"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));          // overlong NUL
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE3\x81"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xBF"));              // lone continuation byte
}

}  // namespace
