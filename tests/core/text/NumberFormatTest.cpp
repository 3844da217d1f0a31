#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "text/NumberFormat.h"

namespace {

TEST(NumberFormatTest, FormatGIsPrintfInTheCLocale) {
    const double values[] = {0.0,   -0.0,      1.0,      -1.5,     12.300000190734863,
                             1e-5,  1234567,   123456.5, 999999.5, 0.0001234565,
                             1e100, -2.5e-300, 990.0,    100.0,    3.0 / 7.0};
    for (double v : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%g", v);
        EXPECT_EQ(kzv::FormatG(v), expected) << v;
    }
}

TEST(NumberFormatTest, ReadingLikeAtofWithNonNumbersAsZero) {
    EXPECT_EQ(kzv::ReadDoubleOrZero("  +1.5e2abc"), 150.0);
    EXPECT_EQ(kzv::ReadDoubleOrZero("-0.25"), -0.25);
    EXPECT_EQ(kzv::ReadDoubleOrZero("-"), 0.0);
    EXPECT_EQ(kzv::ReadDoubleOrZero(""), 0.0);
    EXPECT_EQ(kzv::ReadDoubleOrZero("nan"), 0.0);
    EXPECT_EQ(kzv::ReadDoubleOrZero("1e999"), 0.0);
    EXPECT_EQ(kzv::ShortestDecimal(12.3f), 12.3);
    EXPECT_EQ(kzv::ShortestDecimal(1234.567f), 1234.567);
}

}  // namespace
