#include "embedhost/BlockCache.h"

namespace embedhost {

BlockCache::~BlockCache() {
    for (auto &[bytes, block] : blocks_)
        release_(block);
}

void *BlockCache::take(std::size_t bytes) {
    auto it = blocks_.find(bytes);
    if (it == blocks_.end())
        return nullptr;
    void *block = it->second;
    blocks_.erase(it);
    held_ -= bytes;
    return block;
}

void BlockCache::give(void *block, std::size_t bytes) {
    if (!block)
        return;
    if (bytes < kSmallest || bytes > capacity_) {
        release_(block);
        return;
    }
    // Kept blocks make room for the newest, smallest first: sizes in use now are likely used again.
    while (held_ + bytes > capacity_ && !blocks_.empty()) {
        auto oldest = blocks_.begin();
        held_ -= oldest->first;
        release_(oldest->second);
        blocks_.erase(oldest);
    }
    blocks_.emplace(bytes, block);
    held_ += bytes;
}

} // namespace embedhost
