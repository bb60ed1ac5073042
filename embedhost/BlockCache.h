// Large blocks a store keeps after they are freed, to hand out again at the same size, as a
// compositing host keeps its memory cache: frames after the first then reuse pages instead
// of faulting in fresh ones. Bounded in bytes; what it cannot keep goes back to the allocator.
// Off by default, since a block reused at once hides a use after dispose from the sanitizers.
#pragma once

#include <cstddef>
#include <map>

namespace embedhost {

class BlockCache {
public:
    using Release = void (*)(void *);
    BlockCache(std::size_t capacityBytes, Release release) : capacity_(capacityBytes), release_(release) {}
    BlockCache(const BlockCache &) = delete;
    BlockCache &operator=(const BlockCache &) = delete;
    ~BlockCache();

    // A kept block of exactly `bytes`, now the caller's, or null. Not thread-safe: the owning
    // store calls it under its own lock.
    void *take(std::size_t bytes);
    // Keeps the block if it is large enough to be worth it and fits; else releases it.
    void give(void *block, std::size_t bytes);

    static constexpr std::size_t kSmallest = std::size_t{1} << 20;

private:
    std::size_t capacity_;
    std::size_t held_ = 0;
    Release release_;
    std::multimap<std::size_t, void *> blocks_;
};

} // namespace embedhost
