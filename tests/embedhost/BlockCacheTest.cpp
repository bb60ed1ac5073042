// The host's cache of disposed blocks: same-size reuse, its bound, and small blocks passed by.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "embedhost/BlockCache.h"

namespace {

using embedhost::BlockCache;

std::vector<void *> released;
void record(void *p) {
    released.push_back(p);
    std::free(p);
}

TEST(BlockCache, ReusesOnlyTheSameSizeWithinItsBound) {
    released.clear();
    constexpr std::size_t mib = BlockCache::kSmallest;
    {
        BlockCache cache(3 * mib, &record);
        void *a = std::malloc(mib);
        void *small = std::malloc(mib - 1);
        cache.give(a, mib);
        cache.give(small, mib - 1); // too small to keep
        EXPECT_EQ(released, std::vector<void *>{small});
        EXPECT_EQ(cache.take(2 * mib), nullptr);
        EXPECT_EQ(cache.take(mib), a);
        EXPECT_EQ(cache.take(mib), nullptr); // handed out once

        void *b = std::malloc(mib), *c = std::malloc(2 * mib), *d = std::malloc(2 * mib);
        cache.give(a, mib);
        cache.give(b, mib);
        cache.give(c, 2 * mib); // 4 MiB would exceed the bound: a 1 MiB block makes room
        EXPECT_EQ(released.size(), 2u);
        cache.give(d, 2 * mib); // the other 1 MiB block and c make room
        EXPECT_EQ(released.size(), 4u);
        EXPECT_EQ(cache.take(2 * mib), d);
        cache.give(d, 2 * mib);
    }
    EXPECT_EQ(released.size(), 5u); // what it held goes when it goes
}

} // namespace
