#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "dataset/TapIndex.h"

namespace {

// The index answers what a search from the start would: the first record of a number, -1 for
// a number no record has, also for numbers laid out to collide in the table.
TEST(TapIndexTest, FindsTheFirstRecordOfEveryNumber) {
    std::vector<std::vector<int32_t>> tables = {
        {},
        {101, 102, 101, -5, 0, 102, 2147483647, -2147483647 - 1},
    };
    std::vector<int32_t> runs;  // faces numbered 1001.., 2001.., as data sets number taps
    for (int face = 1; face <= 5; ++face) {
        for (int i = 1; i <= 700; ++i) {
            runs.push_back(face * 1000 + i);
        }
    }
    tables.push_back(runs);
    std::vector<int32_t> colliding;  // equal in their low bits and in the folded high bits
    for (int32_t i = 0; i < 2000; ++i) {
        colliding.push_back(i << 20);
    }
    tables.push_back(colliding);

    for (const std::vector<int32_t>& numbers : tables) {
        CTapIndex index;
        index.Build(numbers);
        for (size_t i = 0; i < numbers.size(); ++i) {
            const auto first = std::find(numbers.begin(), numbers.end(), numbers[i]);
            ASSERT_EQ(index.Find(numbers[i]), first - numbers.begin()) << numbers[i];
        }
        for (int32_t absent : {7, -1, 999, 1 << 19, 2047 << 20}) {
            if (std::find(numbers.begin(), numbers.end(), absent) == numbers.end()) {
                EXPECT_EQ(index.Find(absent), -1) << absent;
            }
        }
    }

    // Every build and clear is told apart; a copy keeps its stamp with its content.
    CTapIndex index;
    index.Build(runs);
    const uint64_t built = index.Stamp();
    const CTapIndex copy = index;
    EXPECT_EQ(copy.Stamp(), built);
    EXPECT_EQ(copy.Find(3005), 2 * 700 + 4);
    index.Clear();
    EXPECT_NE(index.Stamp(), built);
    EXPECT_EQ(index.Find(1001), -1);
}

}  // namespace
