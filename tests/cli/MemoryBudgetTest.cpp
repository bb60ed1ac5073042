// Sizes on the command line, and frames refused before they are allocated.
#include "cli/MemoryBudget.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace lumora::cli;

TEST(MemoryBudget, ByteSizes) {
    const struct {
        const char *text;
        std::uint64_t bytes; // 0: refused
    } cases[] = {{"4G", 4ull << 30}, {"512m", 512ull << 20},
                 {"64K", 65536},     {"1000", 1000},
                 {"2T", 2ull << 40}, {"", 0},
                 {"0", 0},           {"G", 0},
                 {"1.5G", 0},        {"-1", 0},
                 {"0x40", 0},        {"99999999999999999T", 0},
                 {"20000000T", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(parseByteSize(c.text).value_or(0), c.bytes) << c.text;
}

TEST(MemoryBudget, AFrameOverTheBudgetIsRefusedWithBothFigures) {
    // 1920 x 1080 at 8 bpc: the input, then four times the pixels of output, samples, planes, worlds.
    const std::uint64_t need = frameRenderBytes(1920, 1080, 4, 1);
    EXPECT_EQ(need, 1920ull * 1080 * (4 + 4 * (4 + 16 + 10 + 32)));
    EXPECT_LT(frameRenderBytes(1920, 1080, 4, 2), need / 3);
    EXPECT_NO_THROW(requireWithinBudget(need, need, "rendering"));
    try {
        requireWithinBudget(need, need - 1, "rendering");
        FAIL();
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "rendering needs about 523 MB of memory, more than the budget of 523 MB (--max-memory)");
    }
}
