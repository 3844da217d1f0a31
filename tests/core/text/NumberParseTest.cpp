#include <gtest/gtest.h>

#include "text/NumberParse.h"

namespace {

// A number box's text is a number only as a whole.
TEST(NumberParseTest, WholeIntOfANumberBox) {
    int out = -7;
    EXPECT_TRUE(kzv::ReadWholeInt(" 10 ", false, out));
    EXPECT_EQ(out, 10);
    EXPECT_TRUE(kzv::ReadWholeInt("-3", true, out));
    EXPECT_EQ(out, -3);
    EXPECT_TRUE(kzv::ReadWholeInt("+4", true, out));
    EXPECT_EQ(out, 4);
    out = -7;
    for (const char* text : {"", "  ", "a", "1a", "1.5", "1 2", "99999999999", "-"}) {
        EXPECT_FALSE(kzv::ReadWholeInt(text, true, out)) << text;
    }
    for (const char* text : {"-3", "+4", "-0"}) {
        EXPECT_FALSE(kzv::ReadWholeInt(text, false, out)) << text;
    }
    EXPECT_EQ(out, -7);  // unchanged by every refusal
}

}  // namespace
