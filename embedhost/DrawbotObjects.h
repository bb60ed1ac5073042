// The objects behind the DRAWBOT references handed to a plug-in (Cairo side), and the registry
// that checks every reference before it is used. Internal to the drawing suites.
#pragma once

#include <cairo.h>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "DrawbotSuite.h"

namespace embedhost::drawbot {

struct Object {
    virtual ~Object() = default;
    long refs = 1;
};

struct Pen : Object {
    DRAWBOT_ColorRGBA color{};
    float width = 1;
    std::vector<double> dashes;
};

struct Brush : Object {
    DRAWBOT_ColorRGBA color{};
};

struct Font : Object {
    float size = 0;
};

struct Picture : Object {
    explicit Picture(cairo_surface_t *s) : surface(s) {}
    ~Picture() override { cairo_surface_destroy(surface); }
    cairo_surface_t *surface; // ARGB32, premultiplied
    float scale = 1;
};

struct Segment {
    enum Kind { Move, Line, Curve, Rect, Arc, Close } kind;
    float v[6]; // points (x, y) in order; Rect: left, top, width, height; Arc: cx, cy, r, start, sweep
};

struct Path : Object {
    std::vector<Segment> segments;
};

struct Policies {
    DRAWBOT_InterpolationPolicy interpolation = kDRAWBOT_InterpolationPolicy_Default;
    DRAWBOT_AntiAliasPolicy antiAlias = kDRAWBOT_AntiAliasPolicy_Default;
};

// The tags' addresses are the references: draw, supplier and surface.
struct Canvas {
    char drawTag = 0, supplierTag = 0, surfaceTag = 0;
    cairo_surface_t *surface = nullptr;
    cairo_t *cr = nullptr;
    Policies now;
    std::vector<Policies> saved;
    ~Canvas() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

class Registry {
public:
    std::mutex mutex; // held by every suite function while it works

    template <class T>
    T *add(std::unique_ptr<T> object) {
        T *raw = object.get();
        objects_[raw] = std::move(object);
        ++made_;
        return raw;
    }
    // The live object of that type behind a reference, or null.
    template <class T>
    T *find(const void *ref) const {
        const auto it = objects_.find(ref);
        return it == objects_.end() ? nullptr : dynamic_cast<T *>(it->second.get());
    }
    bool retain(const void *ref);
    bool release(const void *ref);
    long live() const { return static_cast<long>(objects_.size()); }
    long made() const { return made_; }
    long badReferences() const { return badReferences_; }

    Canvas *open(int width, int height, const DRAWBOT_ColorRGBA &background);
    void close(Canvas *canvas);
    Canvas *byDraw(const void *ref) const { return lookup(ref, &Canvas::drawTag); }
    Canvas *bySupplier(const void *ref) const { return lookup(ref, &Canvas::supplierTag); }
    Canvas *bySurface(const void *ref) const { return lookup(ref, &Canvas::surfaceTag); }

private:
    Canvas *lookup(const void *ref, char Canvas::*tag) const;

    std::map<const void *, std::unique_ptr<Object>> objects_;
    std::vector<std::unique_ptr<Canvas>> canvases_;
    long made_ = 0;
    long badReferences_ = 0;
};

// Suite tables (DrawbotSupplier.cpp, DrawbotSurface.cpp, DrawbotPath.cpp).
extern const DRAWBOT_DrawbotSuite1 kDrawSuite1;
extern const DRAWBOT_SupplierSuite1 kSupplierSuite1;
extern const DRAWBOT_SurfaceSuite2 kSurfaceSuite2;
extern const DRAWBOT_PathSuite1 kPathSuite1;
extern const DRAWBOT_PenSuite1 kPenSuite1;
extern const DRAWBOT_ImageSuite1 kImageSuite1;

// The live host's registry, or null.
Registry *current();

} // namespace embedhost::drawbot
