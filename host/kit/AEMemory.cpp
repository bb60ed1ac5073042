#include "host/kit/AEMemory.h"

#include <climits>

#include "host/kit/AEException.h"
#include "host/kit/SuiteCache.h"
#include "platform/CriticalSection.h"

namespace AEUtil {

namespace {

lumora::platform::CriticalSection &allocationLock() {
    static lumora::platform::CriticalSection lock;
    return lock;
}

// "memory allocation failed." in the Japanese code page.
constexpr char kAllocFailedSjis[] =
    "\x83\x81\x83\x82\x83\x8a\x8a\x6d\x95\xdb\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

constexpr std::size_t kHeaderSize = sizeof(AEMemoryHeader);

} // namespace

void *AEMemory::alloc(std::size_t size, SPBasicSuite *basic) {
    if (size == 0 || !basic)
        return nullptr;
    // The host takes a 32-bit signed size; a request that cannot be expressed is out of memory,
    // never a wrapped-around small block.
    if (size > static_cast<std::size_t>(INT32_MAX) - kHeaderSize)
        AE_THROW(PF_Err_OUT_OF_MEMORY, "%s%salloc_size=%llu\n", __PRETTY_FUNCTION__, kAllocFailedSjis,
                 static_cast<unsigned long long>(size) + kHeaderSize);
    const int32_t handle_size = static_cast<int32_t>(size + kHeaderSize);

    SuiteCache suites(basic);
    const PF_HandleSuite1 *hs = suites.handleSuite();

    lumora::platform::CriticalSectionLock guard(allocationLock());
    PF_Handle handle = hs->host_new_handle(static_cast<A_HandleSize>(handle_size));
    if (!handle)
        AE_THROW(PF_Err_OUT_OF_MEMORY, "%s%salloc_size=%d\n", __PRETTY_FUNCTION__, kAllocFailedSjis, handle_size);
    auto *bytes = static_cast<unsigned char *>(hs->host_lock_handle(handle));
    if (!bytes) {
        hs->host_dispose_handle(handle);
        AE_THROW(PF_Err_OUT_OF_MEMORY, "%s%salloc_size=%d\n", __PRETTY_FUNCTION__, kAllocFailedSjis, handle_size);
    }
    auto *header = reinterpret_cast<AEMemoryHeader *>(bytes);
    header->handle = reinterpret_cast<uintptr_t>(handle);
    header->one = 1;
    header->size = size;
    header->zero = 0;
    return bytes + kHeaderSize;
}

void array_deleterAE::operator()(void *p) const noexcept {
    if (!p || !basic_)
        return;
    try {
        SuiteCache suites(basic_);
        const PF_HandleSuite1 *hs = suites.handleSuite();
        lumora::platform::CriticalSectionLock guard(allocationLock());
        const auto *header = reinterpret_cast<const AEMemoryHeader *>(static_cast<unsigned char *>(p) - kHeaderSize);
        auto handle = reinterpret_cast<PF_Handle>(static_cast<uintptr_t>(header->handle));
        if (handle) {
            hs->host_unlock_handle(handle);
            hs->host_dispose_handle(handle);
        }
    } catch (...) {
    }
}

} // namespace AEUtil
