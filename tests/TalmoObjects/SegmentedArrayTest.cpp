#include "SegmentedArray.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(SegmentedArray, HoldsEveryItemAcrossSegmentsWithoutMovingIt)
{
    // Around the edges of a segment, and far beyond one.
    const std::size_t counts[] = {0, 1, 4095, 4096, 4097, 8192, 20000};
    for (const std::size_t count : counts) {
        TObj::CSegmentedArray<std::uint64_t> items;
        const std::uint64_t* first = nullptr;
        for (std::size_t i = 0; i < count; ++i) {
            items.push_back(i * 3 + 1);
            if (i == 0)
                first = &items[0];
        }
        ASSERT_EQ(count, items.size());
        if (count > 0) {
            EXPECT_EQ(first, &items[0]) << count; // growing never moves an item
        }
        const TObj::CSegmentedArray<std::uint64_t> copy(items);
        TObj::CSegmentedArray<std::uint64_t> moved(std::move(items));
        ASSERT_EQ(count, copy.size());
        ASSERT_EQ(count, moved.size());
        for (std::size_t i = 0; i < count; ++i) {
            ASSERT_EQ(i * 3 + 1, copy[i]) << count << " at " << i;
            ASSERT_EQ(i * 3 + 1, moved[i]) << count << " at " << i;
        }
        moved.clear();
        EXPECT_TRUE(moved.empty());
        moved.push_back(7);
        EXPECT_EQ(7u, moved[0]);
    }
}
