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
    for (const char* text : {"", "a", "1a", "1.5", "1 2", "99999999999"}) {
        EXPECT_FALSE(kzv::ReadWholeInt(text, true, out)) << text;
    }
    EXPECT_FALSE(kzv::ReadWholeInt("-3", false, out));  // a sign only where one is allowed
    EXPECT_FALSE(kzv::ReadWholeInt("+4", false, out));
    EXPECT_EQ(out, -3);
}

}  // namespace
