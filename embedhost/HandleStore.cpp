#include "embedhost/HandleStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "embedhost/CurrentHost.h"
#include "embedhost/LockedRead.h"

namespace embedhost {

namespace {

HandleStore *currentStore() { return current::handles(); }

PF_Handle cbNew(A_HandleSize size) {
    HandleStore *s = currentStore();
    return s ? s->newHandle(size) : nullptr;
}

void *cbLock(PF_Handle h) {
    HandleStore *s = currentStore();
    return s ? s->lock(h) : nullptr;
}

void cbUnlock(PF_Handle h) {
    if (HandleStore *s = currentStore())
        s->unlock(h);
}

void cbDispose(PF_Handle h) {
    if (HandleStore *s = currentStore())
        s->dispose(h);
}

A_HandleSize cbSize(PF_Handle h) {
    HandleStore *s = currentStore();
    return s ? s->size(h) : 0;
}

PF_Err cbResize(A_HandleSize newSize, PF_Handle *h) {
    HandleStore *s = currentStore();
    return s ? s->resize(newSize, h) : PF_Err_BAD_CALLBACK_PARAM;
}

// malloc(0) may return null; an empty handle still needs a distinct master pointer.
void *allocBytes(A_HandleSize size) {
    void *p = std::malloc(static_cast<std::size_t>(size));
    return p ? p : std::malloc(1);
}

// The handle suite and the utility callbacks name the handle functions alike.
template <typename Table>
void fillHandleCalls(Table &table) {
    table.host_new_handle = cbNew;
    table.host_lock_handle = cbLock;
    table.host_unlock_handle = cbUnlock;
    table.host_dispose_handle = cbDispose;
    table.host_get_handle_size = cbSize;
    table.host_resize_handle = cbResize;
}

} // namespace

HandleStore::HandleStore(A_HandleSize maxBytes, bool garbageFill, std::size_t reuseCacheBytes, MemoryMeter *meter)
    : cache_(reuseCacheBytes, &std::free), meter_(meter), maxBytes_(maxBytes), garbageFill_(garbageFill) {
    fillHandleCalls(suite1_);
}

HandleStore::~HandleStore() {
    for (auto &[handle, record] : records_)
        std::free(record->master);
}

void HandleStore::fillUtilCallbacks(PF_UtilCallbacks &utils) { fillHandleCalls(utils); }

void HandleStore::note(HandleMisuse kind, const void *handle, const char *operation) {
    misuses_.push_back({kind, handle, operation});
}

HandleStore::Record *HandleStore::find(PF_Handle handle, const char *operation) {
    if (!handle) {
        note(HandleMisuse::NullHandle, handle, operation);
        return nullptr;
    }
    auto it = records_.find(handle);
    if (it == records_.end()) {
        note(HandleMisuse::UnknownHandle, handle, operation);
        return nullptr;
    }
    return it->second.get();
}

PF_Handle HandleStore::newHandle(A_HandleSize size) {
    std::lock_guard lock(mutex_);
    if (failAfter_ == 0) {
        failAfter_ = -1;
        return nullptr;
    }
    if (failAfter_ > 0)
        --failAfter_;
    if (size > maxBytes_)
        return nullptr;
    void *bytes = cache_.take(static_cast<std::size_t>(size));
    if (!bytes)
        bytes = allocBytes(size);
    if (!bytes)
        return nullptr;
    if (garbageFill_)
        std::memset(bytes, kGarbageByte, static_cast<std::size_t>(size));
    auto record = std::make_unique<Record>();
    record->master = bytes;
    record->size = size;
    PF_Handle handle = &record->master;
    records_.emplace(handle, std::move(record));
    ++totalAllocated_;
    if (meter_)
        meter_->add(static_cast<std::size_t>(size));
    return handle;
}

void *HandleStore::lock(PF_Handle handle) {
    std::lock_guard lock(mutex_);
    Record *r = find(handle, "lock");
    if (!r)
        return nullptr;
    if (failLock_) {
        failLock_ = false;
        return nullptr;
    }
    ++r->locks;
    return r->master;
}

void HandleStore::unlock(PF_Handle handle) {
    std::lock_guard lock(mutex_);
    Record *r = find(handle, "unlock");
    if (!r)
        return;
    if (r->locks == 0) {
        note(HandleMisuse::UnlockUnlocked, handle, "unlock");
        return;
    }
    --r->locks;
}

void HandleStore::dispose(PF_Handle handle) {
    std::lock_guard lock(mutex_);
    Record *r = find(handle, "dispose");
    if (!r)
        return;
    if (r->locks > 0)
        note(HandleMisuse::DisposeLocked, handle, "dispose");
    if (meter_)
        meter_->remove(static_cast<std::size_t>(r->size));
    cache_.give(r->master, static_cast<std::size_t>(r->size));
    records_.erase(handle);
}

A_HandleSize HandleStore::size(PF_Handle handle) {
    std::lock_guard lock(mutex_);
    Record *r = find(handle, "get_size");
    return r ? r->size : 0;
}

PF_Err HandleStore::resize(A_HandleSize newSize, PF_Handle *handleP) {
    std::lock_guard lock(mutex_);
    if (!handleP) {
        note(HandleMisuse::NullHandle, nullptr, "resize");
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    Record *r = find(*handleP, "resize");
    if (!r)
        return PF_Err_BAD_CALLBACK_PARAM;
    if (r->locks > 0) {
        note(HandleMisuse::ResizeLocked, *handleP, "resize");
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    if (newSize > maxBytes_)
        return PF_Err_OUT_OF_MEMORY;
    void *bytes = allocBytes(newSize);
    if (!bytes)
        return PF_Err_OUT_OF_MEMORY;
    std::size_t keep = static_cast<std::size_t>(std::min(newSize, r->size));
    std::memcpy(bytes, r->master, keep);
    if (garbageFill_)
        std::memset(static_cast<char *>(bytes) + keep, kGarbageByte, static_cast<std::size_t>(newSize) - keep);
    std::free(r->master);
    if (meter_) {
        meter_->add(static_cast<std::size_t>(newSize));
        meter_->remove(static_cast<std::size_t>(r->size));
    }
    r->master = bytes;
    r->size = newSize;
    return PF_Err_NONE;
}

bool HandleStore::isLive(PF_Handle handle) const {
    std::lock_guard lock(mutex_);
    return records_.count(handle) != 0;
}

long HandleStore::lockCount(PF_Handle handle) const {
    std::lock_guard lock(mutex_);
    auto it = records_.find(handle);
    return it == records_.end() ? -1 : it->second->locks;
}

std::size_t HandleStore::live() const {
    std::lock_guard lock(mutex_);
    return records_.size();
}

std::size_t HandleStore::totalAllocated() const { return lockedRead(mutex_, totalAllocated_); }

std::vector<HandleMisuseRecord> HandleStore::misuses() const { return lockedRead(mutex_, misuses_); }

std::size_t HandleStore::misuseCount() const {
    std::lock_guard lock(mutex_);
    return misuses_.size();
}

std::size_t HandleStore::misuseCount(HandleMisuse kind) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(
        std::count_if(misuses_.begin(), misuses_.end(), [kind](const auto &m) { return m.kind == kind; }));
}

void HandleStore::clearMisuses() {
    std::lock_guard lock(mutex_);
    misuses_.clear();
}

void HandleStore::failNewHandleAfter(std::size_t n) {
    std::lock_guard lock(mutex_);
    failAfter_ = static_cast<long>(n);
}

void HandleStore::failNextLock() {
    std::lock_guard lock(mutex_);
    failLock_ = true;
}

void HandleStore::clearFailures() {
    std::lock_guard lock(mutex_);
    failAfter_ = -1;
    failLock_ = false;
}

} // namespace embedhost
