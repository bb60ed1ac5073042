// Owners of DRAWBOT objects (pens, brushes, fonts, paths, images) made by the host's supplier,
// and the exception that carries a failing DRAWBOT result.
#pragma once

#include <exception>
#include <utility>

#include "AE_EffectSuites.h"

namespace AEUtil {

class DRAWBOT_Exception : public std::exception {
public:
    explicit DRAWBOT_Exception(PF_Err code) noexcept : code_(code) {}
    PF_Err code() const noexcept { return code_; }
    const char *what() const noexcept override { return ""; }

private:
    PF_Err code_;
};

// Raises a non-zero DRAWBOT result.
inline void drawbotCheck(PF_Err err) {
    if (err != PF_Err_NONE)
        throw DRAWBOT_Exception(err);
}

// One reference and the supplier suite that releases it.
template <class Ref>
class SharedRefImpl {
public:
    explicit SharedRefImpl(const DRAWBOT_SupplierSuite1 *suite) noexcept : suite_(suite) {}
    SharedRefImpl(const SharedRefImpl &) = delete;
    SharedRefImpl &operator=(const SharedRefImpl &) = delete;
    // A release that fails while the object dies is not raised: the destructor may run while
    // another DRAWBOT failure unwinds.
    virtual ~SharedRefImpl() {
        if (ref_)
            suite_->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(ref_));
    }

    Ref get() const noexcept { return ref_; }
    explicit operator bool() const noexcept { return ref_ != nullptr; }

    // Releases the held reference (raising a failing release) and takes `ref`.
    void reset(Ref ref = nullptr) {
        Ref old = std::exchange(ref_, ref);
        if (old)
            drawbotCheck(suite_->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(old)));
    }

protected:
    const DRAWBOT_SupplierSuite1 *suite_;

private:
    Ref ref_ = nullptr;
};

// Each wrapper makes its object with the supplier on construction.
class DRAWBOT_BrushP : public SharedRefImpl<DRAWBOT_BrushRef> {
public:
    DRAWBOT_BrushP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier, const DRAWBOT_ColorRGBA &color);
};

class DRAWBOT_PenP : public SharedRefImpl<DRAWBOT_PenRef> {
public:
    DRAWBOT_PenP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier, const DRAWBOT_ColorRGBA &color);
};

class DRAWBOT_PathP : public SharedRefImpl<DRAWBOT_PathRef> {
public:
    DRAWBOT_PathP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier);
};

class DRAWBOT_FontP : public SharedRefImpl<DRAWBOT_FontRef> {
public:
    // The supplier's default font at its default size.
    DRAWBOT_FontP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier);
    float size() const noexcept { return size_; }

private:
    float size_ = 0.0f;
};

// An image of bytes blue, green, red and an ignored fourth, copied from `pixels`.
class DRAWBOT_ImageP : public SharedRefImpl<DRAWBOT_ImageRef> {
public:
    DRAWBOT_ImageP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier, int width, int height,
                   int rowBytes, const void *pixels);
};

} // namespace AEUtil
