// Flag lists: fresh and cleared lists, id assignment and the stable sort.
#include <gtest/gtest.h>

#include <cstring>

#include "colorbar/data/GradientData.h"

namespace {

using namespace AEUtil;

ColorFlag flagAt(float position, A_u_char red = 0) { return ColorFlag{255, red, 0, 0, position, -1, 0}; }

TEST(ColorFlagList, FreshListHasNoFlagsAndUnusedIds) {
    ColorFlagList list;
    std::memset(&list, 0xAB, sizeof list);
    initColorFlagList(list);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.flags, 0);
    EXPECT_EQ(list.reserved[0], 0);
    EXPECT_EQ(list.reserved[1], 0);
    for (const ColorFlag &f : list.flag) {
        EXPECT_EQ(f.id, -1);
        EXPECT_EQ(f.alpha | f.red | f.green | f.blue, 0);
        EXPECT_EQ(f.position, 0.0f);
        EXPECT_EQ(f.reserved, 0);
    }
}

TEST(ColorFlagList, ClearingKeepsIdsAndZeroesColorsAndPositions) {
    ColorFlagList list;
    initColorFlagList(list);
    appendColorFlag(list, ColorFlag{255, 1, 2, 3, 0.7f, -1, 0});
    appendColorFlag(list, ColorFlag{255, 4, 5, 6, 0.2f, -1, 0});
    clearColorFlagList(list);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.flag[0].id, 0);
    EXPECT_EQ(list.flag[1].id, 1);
    EXPECT_EQ(list.flag[1].red, 0);
    EXPECT_EQ(list.flag[1].position, 0.0f);
}

TEST(ColorFlagList, AppendTakesTheSmallestUnusedId) {
    ColorFlagList list;
    initColorFlagList(list);
    list.count = 2;
    list.flag[0] = flagAt(0.1f);
    list.flag[0].id = 0;
    list.flag[1] = flagAt(0.2f);
    list.flag[1].id = 2;
    ASSERT_TRUE(appendColorFlag(list, flagAt(0.3f)));
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.flag[2].id, 1);
    ASSERT_TRUE(appendColorFlag(list, flagAt(0.4f)));
    EXPECT_EQ(list.flag[3].id, 3);
}

TEST(ColorFlagList, AppendKeepsOnlyTheSortedMark) {
    ColorFlagList list;
    initColorFlagList(list);
    list.flags = 0x5;
    appendColorFlag(list, flagAt(0.9f));
    EXPECT_EQ(list.flags, 0x1);
    list.flags = 0x4;
    appendColorFlag(list, flagAt(0.1f));
    EXPECT_EQ(list.flags, 0x0);
}

TEST(ColorFlagList, AppendToAFullListIsRefused) {
    ColorFlagList list;
    initColorFlagList(list);
    for (int i = 0; i < kMaxColorFlags; ++i)
        ASSERT_TRUE(appendColorFlag(list, flagAt(i / 32.0f)));
    EXPECT_EQ(list.flag[31].id, 31);
    const ColorFlagList before = list;
    EXPECT_FALSE(appendColorFlag(list, flagAt(0.5f)));
    EXPECT_EQ(std::memcmp(&before, &list, sizeof list), 0);
}

TEST(ColorFlagList, SortIsStableAndSetsTheSortedMark) {
    ColorFlagList list;
    initColorFlagList(list);
    appendColorFlag(list, flagAt(0.5f, 10)); // id 0
    appendColorFlag(list, flagAt(0.2f, 11)); // id 1
    appendColorFlag(list, flagAt(0.5f, 12)); // id 2
    appendColorFlag(list, flagAt(0.2f, 13)); // id 3
    sortColorFlags(list);
    EXPECT_EQ(list.flags & kColorFlagListSorted, 1);
    const A_long expectedIds[] = {1, 3, 0, 2};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list.flag[i].id, expectedIds[i]) << i;
    EXPECT_EQ(list.flag[4].id, -1) << "slots beyond the count are not sorted in";
}

TEST(ColorFlagList, ADamagedCountNeverReachesPastTheSlots) {
    ColorFlagList list;
    initColorFlagList(list);
    list.count = 255;
    EXPECT_EQ(usedFlagCount(list), 32);
    sortColorFlags(list); // only the 32 slots are touched (ASan would see more)
    list.count = -4;
    EXPECT_EQ(usedFlagCount(list), 0);
    EXPECT_TRUE(appendColorFlag(list, flagAt(0.5f)));
    EXPECT_EQ(list.count, 1);
}

} // namespace
