#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <string>

#include "text/NumberParse.h"

namespace {

// Reads text with the cursor and with from_chars (after blanks and a '+', as scanf would);
// both must agree on success, on the value to the bit and on where the number ends.
template <typename T>
void ExpectSameAsFromChars(const std::string& text) {
    kzv::CTextCursor cursor(text);
    T got{};
    const bool ok = cursor.Read(got);
    const char* first = text.data();
    const char* last = text.data() + text.size();
    T want{};
    std::from_chars_result r;
    if constexpr (std::is_same_v<T, int>) {
        r = std::from_chars(first, last, want);
    } else {
        r = std::from_chars(first, last, want, std::chars_format::general);
    }
    ASSERT_EQ(ok, r.ec == std::errc()) << text;
    if (ok) {
        EXPECT_EQ(std::memcmp(&got, &want, sizeof(T)), 0) << text;
        EXPECT_EQ(cursor.Rest().size(), static_cast<size_t>(last - r.ptr)) << text;
    }
}

// The plain-decimal shortcut gives exactly what the general reading gives, bit for bit, and
// leaves everything it does not take (exponents, long mantissas, odd forms) to it.
TEST(NumberParseTest, PlainDecimalsReadBitForBitAsTheGeneralPath) {
    for (const char* text : {"0",
                             "-0",
                             "-0.000",
                             "0.1",
                             "0.3",
                             "-0.564",
                             "20000.0",
                             "1.",
                             ".5",
                             "-.5",
                             "1.5e3",
                             "1e",
                             "1.2.3",
                             "12,5",
                             "9007199254740992",
                             "9007199254740993",
                             "0.1000000000000000055",
                             "123456789.123456789",
                             "0000000000000.1234567,",
                             "-000000000000.1234567,",
                             "16777217",
                             "3.4028235e38",
                             "1.17549435e-38",
                             "99999999999999999999",
                             "7-",
                             "--1",
                             "-",
                             ""}) {
        ExpectSameAsFromChars<double>(text);
        ExpectSameAsFromChars<float>(text);
    }
    for (const char* text :
         {"0", "-7", "2147483647", "-2147483648", "2147483648", "0001", "12a", "-", "1234567890"}) {
        ExpectSameAsFromChars<int>(text);
    }
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        std::string text = rng() % 2 ? "-" : "";
        const int intDigits = 1 + static_cast<int>(rng() % 9);
        const int fracDigits = static_cast<int>(rng() % 13);
        for (int d = 0; d < intDigits; ++d) {
            text += static_cast<char>('0' + rng() % 10);
        }
        if (fracDigits > 0) {
            text += '.';
            for (int d = 0; d < fracDigits; ++d) {
                text += static_cast<char>('0' + rng() % 10);
            }
        }
        // What follows decides where the number ends, also when it lies within the next
        // eight bytes: another value, a blank, an exponent, a second point, more digits.
        static const char* const kAfter[] = {"",     ",",    ",-1.2345,0.0871", " 12",  "\t0.5",
                                             "e3,1", ".5,1", "0123456789",      "\r\n", ";7"};
        text += kAfter[rng() % 10];
        ExpectSameAsFromChars<double>(text);
        ExpectSameAsFromChars<float>(text);
    }
}

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
