// Host memory handles, shared by "PF Handle Suite" version 1 and the handle functions of
// in_data->utils. Catches the misuse a real host tolerates silently or crashes on.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "embedhost/BlockCache.h"
#include "embedhost/MemoryMeter.h"

namespace embedhost {

enum class HandleMisuse {
    NullHandle,     // a null handle (or null PF_Handle*) where a handle was required
    UnknownHandle,  // not a live handle of this host (never made, or already disposed)
    DisposeLocked,  // disposed while locked: the handle is disposed anyway
    ResizeLocked,   // resized while locked: refused, the locked address must stay valid
    UnlockUnlocked, // unlocked more often than locked
};

struct HandleMisuseRecord {
    HandleMisuse kind;
    const void *handle;
    const char *operation; // "lock", "unlock", "dispose", "get_size", "resize"
};

class HandleStore {
public:
    // The meter (if any) counts the bytes of live handles.
    explicit HandleStore(A_HandleSize maxBytes, bool garbageFill = true, std::size_t reuseCacheBytes = 0,
                         MemoryMeter *meter = nullptr);
    HandleStore(const HandleStore &) = delete;
    HandleStore &operator=(const HandleStore &) = delete;
    ~HandleStore(); // frees what plug-ins leaked; live() tells tests about it before

    // The host's handle functions. PF_Handle points at a master pointer to the bytes.
    // Fresh and grown memory is filled with a garbage pattern (unless turned off), as host
    // memory is not zeroed; resizing always moves the bytes, so stale pointers from before the
    // resize are caught.
    PF_Handle newHandle(A_HandleSize size);
    void *lock(PF_Handle handle); // nests; null for unknown handles
    void unlock(PF_Handle handle);
    void dispose(PF_Handle handle);
    A_HandleSize size(PF_Handle handle); // 0 for unknown handles
    PF_Err resize(A_HandleSize newSize, PF_Handle *handle);

    // Inspection for tests.
    bool isLive(PF_Handle handle) const;
    long lockCount(PF_Handle handle) const; // -1 for unknown handles
    std::size_t live() const;
    std::size_t totalAllocated() const; // successful newHandle calls
    std::vector<HandleMisuseRecord> misuses() const;
    std::size_t misuseCount() const;
    std::size_t misuseCount(HandleMisuse kind) const;
    void clearMisuses();

    // Failure injection. failNewHandleAfter(n): the next n allocations succeed and the one
    // after them fails (returns null); later ones succeed again. failNextLock(): the next lock
    // of a live handle returns null and does not count as a lock.
    void failNewHandleAfter(std::size_t n);
    void failNextLock();
    void clearFailures();

    const PF_HandleSuite1 *suite1() const { return &suite1_; }
    // Fills the handle slots of a utility callback table (they reach the current Host).
    static void fillUtilCallbacks(PF_UtilCallbacks &utils);

    static constexpr unsigned char kGarbageByte = 0xCD;

private:
    struct Record {
        void *master = nullptr; // first member: a PF_Handle is the address of this field
        A_HandleSize size = 0;
        long locks = 0;
    };
    Record *find(PF_Handle handle, const char *operation); // records misuse when not found
    void note(HandleMisuse kind, const void *handle, const char *operation);

    mutable std::mutex mutex_;
    BlockCache cache_;
    MemoryMeter *meter_;
    A_HandleSize maxBytes_;
    bool garbageFill_;
    std::map<PF_Handle, std::unique_ptr<Record>> records_;
    std::vector<HandleMisuseRecord> misuses_;
    std::size_t totalAllocated_ = 0;
    long failAfter_ = -1;
    bool failLock_ = false;
    PF_HandleSuite1 suite1_{};
};

} // namespace embedhost
