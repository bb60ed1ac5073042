// Scoped owners for host handles reached through "PF Handle Suite": a lock that is released
// on every path, and a new handle that is disposed unless it is handed out.
#pragma once

#include "AE_EffectCBSuites.h"

namespace AEUtil {

class HandleLock {
public:
    // A null handle, or one the host cannot lock, leaves the guard empty.
    HandleLock(const PF_HandleSuite1 *suite, PF_Handle handle) noexcept
        : suite_(suite), handle_(handle), data_(handle ? suite->host_lock_handle(handle) : nullptr) {}
    ~HandleLock() {
        if (data_)
            suite_->host_unlock_handle(handle_);
    }
    HandleLock(const HandleLock &) = delete;
    HandleLock &operator=(const HandleLock &) = delete;

    explicit operator bool() const noexcept { return data_ != nullptr; }
    void *data() const noexcept { return data_; }
    template <class T>
    T *as() const noexcept {
        return static_cast<T *>(data_);
    }

private:
    const PF_HandleSuite1 *suite_;
    PF_Handle handle_;
    void *data_;
};

class OwnedHandle {
public:
    OwnedHandle(const PF_HandleSuite1 *suite, PF_Handle handle) noexcept : suite_(suite), handle_(handle) {}
    ~OwnedHandle() {
        if (handle_)
            suite_->host_dispose_handle(handle_);
    }
    OwnedHandle(const OwnedHandle &) = delete;
    OwnedHandle &operator=(const OwnedHandle &) = delete;

    PF_Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    // Gives the handle away; the guard no longer disposes it.
    PF_Handle release() noexcept {
        PF_Handle h = handle_;
        handle_ = nullptr;
        return h;
    }
    // Disposes the handle held so far and owns `handle` instead.
    void reset(PF_Handle handle) noexcept {
        if (handle_)
            suite_->host_dispose_handle(handle_);
        handle_ = handle;
    }

private:
    const PF_HandleSuite1 *suite_;
    PF_Handle handle_;
};

} // namespace AEUtil
