#include <gtest/gtest.h>

#include <vector>

#include "field/PickHits.h"

namespace {

using kzv::NO_PICK;
using kzv::NO_PICK_DEPTH;
using kzv::ProcessHitRecords;

TEST(PickHits, NearestRecordWinsAndTiesKeepTheFirst) {
    // Three records: name 5 at depth 0x80000000, names (7, 8) at 0x40000000, name 9 at the same.
    const std::vector<uint32_t> buf = {
        1, 0x80000000u, 0x90000000u, 5,           2, 0x40000000u, 0x50000000u, 7,
        8, 1,           0x40000000u, 0x40000000u, 9};
    uint32_t names[64] = {};
    float depth = 0;
    EXPECT_EQ(ProcessHitRecords(buf.data(), 256, 3, names, 64, &depth), 7u);
    EXPECT_FLOAT_EQ(depth, 0.25f);
    EXPECT_EQ(names[0], 5u);
    EXPECT_EQ(names[1], 7u);
    EXPECT_EQ(names[2], 8u);
    EXPECT_EQ(names[3], 9u);
}

TEST(PickHits, NoHitsOverflowAndBrokenRecordsPickNothing) {
    const std::vector<uint32_t> buf = {1, 0, 0, 3};
    uint32_t names[64] = {};
    float depth = 0;
    EXPECT_EQ(ProcessHitRecords(buf.data(), 4, 0, names, 64, &depth), NO_PICK);
    EXPECT_EQ(depth, NO_PICK_DEPTH);
    EXPECT_EQ(ProcessHitRecords(buf.data(), 4, -1, names, 64, &depth), NO_PICK);
    EXPECT_EQ(depth, NO_PICK_DEPTH);
    // A name count that runs past the buffer, and more hits than records.
    const std::vector<uint32_t> bad = {1000, 0, 0, 3};
    EXPECT_EQ(ProcessHitRecords(bad.data(), 4, 1, names, 64, &depth), NO_PICK);
    EXPECT_EQ(ProcessHitRecords(buf.data(), 4, 5, names, 64, &depth), 3u);
    EXPECT_EQ(depth, 0.0f);
    // The names array is never written past its capacity.
    uint32_t one[1] = {};
    const std::vector<uint32_t> two = {2, 0, 0, 11, 12};
    EXPECT_EQ(ProcessHitRecords(two.data(), 5, 1, one, 1, &depth), 11u);
}

}  // namespace
