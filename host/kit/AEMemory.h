// Host memory blocks: a locked host handle with a 32-byte header in front of the caller's bytes.
// Allocation and release are serialised by one module-wide lock, since render threads
// allocate and free working buffers at the same time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "SPBasic.h"
#include "host/kit/SharedPtr.h"

namespace AEUtil {

// Header in front of every block: the host handle, 1, the requested size, 0.
struct AEMemoryHeader {
    uint64_t handle;
    uint64_t one;
    uint64_t size;
    uint64_t zero;
};
static_assert(sizeof(AEMemoryHeader) == 32);

class AEMemory {
public:
    // Null for a size of 0 or a null basic suite. Raises AEException(PF_Err_OUT_OF_MEMORY)
    // when the host gives no memory; no handle is left behind.
    static void *alloc(std::size_t size, SPBasicSuite *basic);
};

// Returns a block made by AEMemory::alloc to the host. Never throws: a host that no longer
// supplies its handle suite keeps the block rather than crashing a destructor.
class array_deleterAE {
public:
    explicit array_deleterAE(SPBasicSuite *basic) noexcept : basic_(basic) {}
    void operator()(void *p) const noexcept;

private:
    SPBasicSuite *basic_;
};

// A shared host-memory buffer of `count` elements; empty when count is 0.
template <class T>
SharedPtr<T> allocShared(std::size_t count, SPBasicSuite *basic) {
    void *p = AEMemory::alloc(count * sizeof(T), basic);
    return SharedPtr<T>(static_cast<T *>(p), [basic](T *q) { array_deleterAE{basic}(q); });
}

} // namespace AEUtil
