// Row bands: which call gets which rows.
#include <gtest/gtest.h>

#include <vector>

#include "render/pipeline/RowBand.h"

using AEUtil::rowBand;

namespace {

std::vector<std::pair<int, int>> bands(int rows, int calls) {
    std::vector<std::pair<int, int>> out;
    for (int t = 0; t < calls; ++t) {
        auto b = rowBand(rows, calls, t);
        out.emplace_back(b.begin, b.end);
    }
    return out;
}

using V = std::vector<std::pair<int, int>>;

TEST(RowBand, TenRowsOverFourCallsGiveTheLongerBandsFirst) {
    EXPECT_EQ(bands(10, 4), (V{{0, 3}, {3, 6}, {6, 8}, {8, 10}}));
}

TEST(RowBand, ExactMultipleGivesEqualBands) { EXPECT_EQ(bands(12, 3), (V{{0, 4}, {4, 8}, {8, 12}})); }

TEST(RowBand, FewerRowsThanCallsLeavesTheLastCallsEmpty) {
    EXPECT_EQ(bands(2, 5), (V{{0, 1}, {1, 2}, {0, 0}, {0, 0}, {0, 0}}));
}

TEST(RowBand, NoRowsGiveEveryCallAnEmptyBand) { EXPECT_EQ(bands(0, 3), (V{{0, 0}, {0, 0}, {0, 0}})); }

TEST(RowBand, OneCallTakesEverything) { EXPECT_EQ(bands(7, 1), (V{{0, 7}})); }

TEST(RowBand, BandsCoverEveryRowOnceInOrder) {
    for (int rows : {1, 5, 17, 1080})
        for (int calls : {1, 2, 3, 7, 16}) {
            int next = 0;
            for (int t = 0; t < calls; ++t) {
                auto b = rowBand(rows, calls, t);
                if (b.begin == b.end)
                    continue;
                EXPECT_EQ(b.begin, next) << rows << "/" << calls;
                next = b.end;
            }
            EXPECT_EQ(next, rows) << rows << "/" << calls;
        }
}

} // namespace
