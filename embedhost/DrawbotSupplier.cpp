// "DRAWBOT Supplier Suite" 1: pens, brushes, the default font, images copied from the caller's
// buffer, paths, and the reference counts of all of them.
#include <algorithm>
#include <cstring>

#include "embedhost/DrawbotObjects.h"

namespace embedhost::drawbot {

namespace {

constexpr float kDefaultFontSize = 11.0f;

// Runs `body` under the registry's lock once the supplier reference is known to be live.
template <class Body>
PF_Err withSupplier(DRAWBOT_SupplierRef ref, const void *out, Body body) {
    Registry *r = current();
    if (!r || !out)
        return PF_Err_BAD_CALLBACK_PARAM;
    std::lock_guard lock(r->mutex);
    if (!r->bySupplier(ref))
        return PF_Err_BAD_CALLBACK_PARAM;
    body(*r);
    return PF_Err_NONE;
}

template <class Ref, class T>
PF_Err make(DRAWBOT_SupplierRef supplier, Ref *out, std::unique_ptr<T> object) {
    return withSupplier(supplier, out, [&](Registry &r) { *out = reinterpret_cast<Ref>(r.add(std::move(object))); });
}

SPAPI PF_Err newPen(DRAWBOT_SupplierRef s, const DRAWBOT_ColorRGBA *colour, float size, DRAWBOT_PenRef *out) {
    if (!colour)
        return PF_Err_BAD_CALLBACK_PARAM;
    auto pen = std::make_unique<Pen>();
    pen->color = *colour;
    pen->width = size;
    return make(s, out, std::move(pen));
}

SPAPI PF_Err newBrush(DRAWBOT_SupplierRef s, const DRAWBOT_ColorRGBA *colour, DRAWBOT_BrushRef *out) {
    if (!colour)
        return PF_Err_BAD_CALLBACK_PARAM;
    auto brush = std::make_unique<Brush>();
    brush->color = *colour;
    return make(s, out, std::move(brush));
}

SPAPI PF_Err newDefaultFont(DRAWBOT_SupplierRef s, float size, DRAWBOT_FontRef *out) {
    if (!(size > 0))
        return PF_Err_BAD_CALLBACK_PARAM;
    auto font = std::make_unique<Font>();
    font->size = size;
    return make(s, out, std::move(font));
}

SPAPI PF_Err newPath(DRAWBOT_SupplierRef s, DRAWBOT_PathRef *out) { return make(s, out, std::make_unique<Path>()); }

template <DRAWBOT_Boolean answer>
SPAPI PF_Err tell(DRAWBOT_SupplierRef s, DRAWBOT_Boolean *out) {
    return withSupplier(s, out, [&](Registry &) { *out = answer; });
}

SPAPI PF_Err defaultFontSize(DRAWBOT_SupplierRef s, float *out) {
    return withSupplier(s, out, [&](Registry &) { *out = kDefaultFontSize; });
}

// Byte positions of red, green, blue and alpha (-1: opaque) in one pixel, and its size.
struct Layout {
    int bytes, r, g, b, a;
    bool premultiplied;
};

bool layoutOf(DRAWBOT_PixelLayout pl, Layout *out) {
    static const Layout kLayouts[] = {
        {3, 0, 1, 2, -1, false}, // 24RGB
        {3, 2, 1, 0, -1, false}, // 24BGR
        {4, 1, 2, 3, -1, false}, // 32RGB
        {4, 2, 1, 0, -1, false}, // 32BGR
        {4, 1, 2, 3, 0, false},  // 32ARGB straight
        {4, 1, 2, 3, 0, true},   // 32ARGB premultiplied
        {4, 2, 1, 0, 3, false},  // 32BGRA straight
        {4, 2, 1, 0, 3, true},   // 32BGRA premultiplied
    };
    if (pl < kDRAWBOT_PixelLayout_24RGB || pl > kDRAWBOT_PixelLayout_32BGRA_Premul)
        return false;
    *out = kLayouts[pl];
    return true;
}

std::uint32_t premultiplied(std::uint32_t c, std::uint32_t a, bool already) {
    return already ? std::min(c, a) : (c * a + 127) / 255;
}

// Cairo's native ARGB32: one premultiplied 32-bit word per pixel.
cairo_surface_t *copyPixels(int w, int h, int rowBytes, const Layout &l, const unsigned char *src) {
    cairo_surface_t *surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    unsigned char *dst = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
        const unsigned char *in = src + static_cast<std::ptrdiff_t>(y) * rowBytes;
        for (int x = 0; x < w; ++x, in += l.bytes) {
            const std::uint32_t a = l.a < 0 ? 255 : in[l.a];
            const std::uint32_t p = a << 24 | premultiplied(in[l.r], a, l.premultiplied) << 16 |
                                    premultiplied(in[l.g], a, l.premultiplied) << 8 |
                                    premultiplied(in[l.b], a, l.premultiplied);
            std::memcpy(dst + static_cast<std::ptrdiff_t>(y) * stride + x * 4, &p, 4);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

SPAPI PF_Err newImage(DRAWBOT_SupplierRef s, int w, int h, int rowBytes, DRAWBOT_PixelLayout pl, const void *data,
                      DRAWBOT_ImageRef *out) {
    Layout l{};
    if (!data || w < 1 || h < 1 || !layoutOf(pl, &l) || rowBytes < w * l.bytes)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSupplier(s, out, [&](Registry &r) {
        auto image = std::make_unique<Picture>(copyPixels(w, h, rowBytes, l, static_cast<const unsigned char *>(data)));
        *out = reinterpret_cast<DRAWBOT_ImageRef>(r.add(std::move(image)));
    });
}

// Retains or releases an object the registry holds; any other reference is refused.
PF_Err changeCount(DRAWBOT_ObjectRef ref, bool retain) {
    Registry *r = current();
    if (!r)
        return PF_Err_BAD_CALLBACK_PARAM;
    std::lock_guard lock(r->mutex);
    return (retain ? r->retain(ref) : r->release(ref)) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
}

SPAPI PF_Err retainObject(DRAWBOT_ObjectRef ref) { return changeCount(ref, true); }
SPAPI PF_Err releaseObject(DRAWBOT_ObjectRef ref) { return changeCount(ref, false); }

} // namespace

// Cairo's native word is BGRA in memory on the hosts this runs on; both layouts are taken.
const DRAWBOT_SupplierSuite1 kSupplierSuite1 = {
    .NewPen = newPen,
    .NewBrush = newBrush,
    .SupportsText = tell<1>,
    .GetDefaultFontSize = defaultFontSize,
    .NewDefaultFont = newDefaultFont,
    .NewImageFromBuffer = newImage,
    .NewPath = newPath,
    .SupportsPixelLayoutBGRA = tell<1>,
    .PrefersPixelLayoutBGRA = tell<1>,
    .SupportsPixelLayoutARGB = tell<1>,
    .PrefersPixelLayoutARGB = tell<0>,
    .RetainObject = retainObject,
    .ReleaseObject = releaseObject,
};

} // namespace embedhost::drawbot
