// One draw of a custom-UI context: the drawing reference, its supplier and surface, and small
// helpers that make DRAWBOT objects and paint with them. Every failing call raises
// DRAWBOT_Exception (or the host error of a missing suite).
#pragma once

#include <string>

#include "colorbar/draw/DrawbotObjects.h"

namespace AEUtil {

class SuiteCache;

class DrawingScope {
public:
    DrawingScope(SuiteCache &suites, PF_ContextH context);

    DRAWBOT_SupplierRef supplier() const noexcept { return supplier_; }
    DRAWBOT_SurfaceRef surface() const noexcept { return surface_; }
    const DRAWBOT_SupplierSuite1 *supplierSuite() const noexcept { return supplierSuite_; }
    const DRAWBOT_SurfaceSuite2 *surfaceSuite() const noexcept { return surfaceSuite_; }
    const DRAWBOT_PathSuite1 *pathSuite() const noexcept { return pathSuite_; }

    DRAWBOT_BrushP brush(const DRAWBOT_ColorRGBA &color) const { return {supplierSuite_, supplier_, color}; }
    DRAWBOT_PenP pen(const DRAWBOT_ColorRGBA &color) const { return {supplierSuite_, supplier_, color}; }
    DRAWBOT_PathP path() const { return DRAWBOT_PathP(supplierSuite_, supplier_); }
    DRAWBOT_FontP font() const { return DRAWBOT_FontP(supplierSuite_, supplier_); }

    void moveTo(const DRAWBOT_PathP &p, float x, float y) const { drawbotCheck(pathSuite_->MoveTo(p.get(), x, y)); }
    void lineTo(const DRAWBOT_PathP &p, float x, float y) const { drawbotCheck(pathSuite_->LineTo(p.get(), x, y)); }
    void close(const DRAWBOT_PathP &p) const { drawbotCheck(pathSuite_->Close(p.get())); }
    void addRect(const DRAWBOT_PathP &p, const DRAWBOT_RectF32 &r) const {
        drawbotCheck(pathSuite_->AddRect(p.get(), &r));
    }
    // Fills with the winding rule.
    void fill(const DRAWBOT_PathP &p, const DRAWBOT_ColorRGBA &color) const;
    void stroke(const DRAWBOT_PathP &p, const DRAWBOT_ColorRGBA &color) const;

    void push() const { drawbotCheck(surfaceSuite_->PushStateStack(surface_)); }
    void pop() const { drawbotCheck(surfaceSuite_->PopStateStack(surface_)); }

private:
    const DRAWBOT_SupplierSuite1 *supplierSuite_;
    const DRAWBOT_SurfaceSuite2 *surfaceSuite_;
    const DRAWBOT_PathSuite1 *pathSuite_;
    DRAWBOT_SupplierRef supplier_ = nullptr;
    DRAWBOT_SurfaceRef surface_ = nullptr;
};

// Surface state pushed for a group of drawing calls and popped after it; an exception on the
// way leaves the pop to the host, which ends the draw.
class SurfaceState {
public:
    explicit SurfaceState(const DrawingScope &scope) : scope_(scope) { scope_.push(); }
    void end() const { scope_.pop(); }

private:
    const DrawingScope &scope_;
};

// Text in the multibyte code page as UTF-16 for DrawString (bytes that do not convert are
// taken one for one).
std::u16string toUtf16(const char *text);

} // namespace AEUtil
