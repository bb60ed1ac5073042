// Reference-counted shared pointer with explicit count blocks: SharedCountImpl_P deletes the
// object, SharedCountImpl_PD hands it to a deleter (array_deleter, AEUtil::array_deleterAE).
// Counts are plain integers: a pointer and its copies belong to one thread at a time.
#pragma once

#include <cstdint>
#include <new>
#include <utility>

namespace AEUtil {

class SharedCountBase {
public:
    SharedCountBase() = default;
    SharedCountBase(const SharedCountBase &) = delete;
    SharedCountBase &operator=(const SharedCountBase &) = delete;

    virtual void destroySelf() noexcept { delete this; }
    virtual void disposeObject() noexcept = 0;

    void addRef() noexcept { ++count_; }
    // Disposes the object and then this block when the last reference goes.
    void release() noexcept {
        if (--count_ == 0) {
            disposeObject();
            destroySelf();
        }
    }
    int32_t count() const noexcept { return count_; }

protected:
    virtual ~SharedCountBase() = default;

private:
    int32_t count_ = 1;
};

template <class T>
class SharedCountImpl_P final : public SharedCountBase {
public:
    explicit SharedCountImpl_P(T *p) noexcept : p_(p) {}
    void disposeObject() noexcept override { delete p_; }

private:
    T *p_;
};

template <class T, class D>
class SharedCountImpl_PD final : public SharedCountBase {
public:
    SharedCountImpl_PD(T *p, D d) noexcept : p_(p), d_(std::move(d)) {}
    void disposeObject() noexcept override { d_(p_); }

private:
    T *p_;
    D d_;
};

template <class T>
struct array_deleter {
    void operator()(T *p) const noexcept { delete[] p; }
};

template <class T>
class SharedPtr {
public:
    SharedPtr() noexcept = default;

    explicit SharedPtr(T *p) : p_(p) {
        if (!p_)
            return;
        try {
            count_ = new SharedCountImpl_P<T>(p_);
        } catch (...) {
            delete p_;
            throw;
        }
    }

    template <class D>
    SharedPtr(T *p, D d) : p_(p) {
        if (!p_)
            return;
        try {
            count_ = new SharedCountImpl_PD<T, D>(p_, d);
        } catch (...) {
            d(p_);
            throw;
        }
    }

    // Aliasing: shares `other`'s count block but points at a sub-object (e.g. an interface base).
    template <class U>
    SharedPtr(const SharedPtr<U> &other, T *p) noexcept : p_(p), count_(other.count_) {
        if (count_)
            count_->addRef();
    }

    SharedPtr(const SharedPtr &other) noexcept : p_(other.p_), count_(other.count_) {
        if (count_)
            count_->addRef();
    }
    SharedPtr(SharedPtr &&other) noexcept
        : p_(std::exchange(other.p_, nullptr)), count_(std::exchange(other.count_, nullptr)) {}
    SharedPtr &operator=(SharedPtr other) noexcept {
        swap(other);
        return *this;
    }
    ~SharedPtr() { reset(); }

    void reset() noexcept {
        if (count_)
            count_->release();
        p_ = nullptr;
        count_ = nullptr;
    }
    void swap(SharedPtr &other) noexcept {
        std::swap(p_, other.p_);
        std::swap(count_, other.count_);
    }

    T *get() const noexcept { return p_; }
    T &operator*() const noexcept { return *p_; }
    T *operator->() const noexcept { return p_; }
    T &operator[](std::ptrdiff_t i) const noexcept { return p_[i]; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    int32_t useCount() const noexcept { return count_ ? count_->count() : 0; }

private:
    template <class U>
    friend class SharedPtr;

    T *p_ = nullptr;
    SharedCountBase *count_ = nullptr;
};

// Releases every pointer of `list` front to back, then empties it: clear() alone leaves the
// order to the library.
template <class List>
void releaseInOrder(List &list) noexcept {
    for (auto &p : list)
        p.reset();
    list.clear();
}

} // namespace AEUtil
