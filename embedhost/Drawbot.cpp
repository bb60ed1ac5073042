#include "embedhost/Drawbot.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "embedhost/CurrentHost.h"
#include "embedhost/DrawbotObjects.h"
#include "embedhost/SuiteRegistry.h"

namespace embedhost {

namespace drawbot {

bool Registry::retain(const void *ref) {
    const auto it = objects_.find(ref);
    if (it == objects_.end()) {
        ++badReferences_;
        return false;
    }
    ++it->second->refs;
    return true;
}

bool Registry::release(const void *ref) {
    const auto it = objects_.find(ref);
    if (it == objects_.end()) {
        ++badReferences_;
        return false;
    }
    if (--it->second->refs == 0)
        objects_.erase(it);
    return true;
}

Canvas *Registry::open(int width, int height, const DRAWBOT_ColorRGBA &bg) {
    auto canvas = std::make_unique<Canvas>();
    canvas->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    canvas->cr = cairo_create(canvas->surface);
    cairo_set_antialias(canvas->cr, CAIRO_ANTIALIAS_NONE); // the policy's default
    cairo_set_source_rgba(canvas->cr, bg.red, bg.green, bg.blue, bg.alpha);
    cairo_set_operator(canvas->cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(canvas->cr);
    cairo_set_operator(canvas->cr, CAIRO_OPERATOR_OVER);
    canvases_.push_back(std::move(canvas));
    return canvases_.back().get();
}

void Registry::close(Canvas *canvas) {
    canvases_.erase(std::remove_if(canvases_.begin(), canvases_.end(),
                                   [&](const std::unique_ptr<Canvas> &c) { return c.get() == canvas; }),
                    canvases_.end());
}

Canvas *Registry::lookup(const void *ref, char Canvas::*tag) const {
    for (const auto &c : canvases_)
        if (ref && ref == &(c.get()->*tag))
            return c.get();
    return nullptr;
}

Registry *current() {
    Drawbot *d = ::embedhost::current::drawbot();
    return d ? d->registry() : nullptr;
}

namespace {

template <class Out>
PF_Err canvasPart(DRAWBOT_DrawRef ref, Out *out, char Canvas::*tag) {
    Registry *r = current();
    if (!r || !out)
        return PF_Err_BAD_CALLBACK_PARAM;
    std::lock_guard lock(r->mutex);
    Canvas *c = r->byDraw(ref);
    if (!c)
        return PF_Err_BAD_CALLBACK_PARAM;
    *out = reinterpret_cast<Out>(&(c->*tag));
    return PF_Err_NONE;
}

SPAPI PF_Err getSupplier(DRAWBOT_DrawRef ref, DRAWBOT_SupplierRef *out) {
    return canvasPart(ref, out, &Canvas::supplierTag);
}
SPAPI PF_Err getSurface(DRAWBOT_DrawRef ref, DRAWBOT_SurfaceRef *out) {
    return canvasPart(ref, out, &Canvas::surfaceTag);
}

std::uint8_t unpremultiply(std::uint32_t c, std::uint32_t a) {
    return static_cast<std::uint8_t>(a == 0 ? 0 : std::min<std::uint32_t>(255, (c * 255 + a / 2) / a));
}

} // namespace

const DRAWBOT_DrawbotSuite1 kDrawSuite1 = {getSupplier, getSurface};

} // namespace drawbot

DrawCanvas::~DrawCanvas() {
    std::lock_guard lock(registry_.mutex);
    registry_.close(canvas_);
}

DRAWBOT_DrawRef DrawCanvas::ref() const { return reinterpret_cast<DRAWBOT_DrawRef>(&canvas_->drawTag); }

Image DrawCanvas::image() const {
    std::lock_guard lock(registry_.mutex);
    cairo_surface_flush(canvas_->surface);
    const int w = cairo_image_surface_get_width(canvas_->surface);
    const int h = cairo_image_surface_get_height(canvas_->surface);
    const int stride = cairo_image_surface_get_stride(canvas_->surface);
    const unsigned char *data = cairo_image_surface_get_data(canvas_->surface);
    Image image = Image::make(w, h, PF_PixelFormat_ARGB32);
    for (int y = 0; y < h; ++y) {
        PF_Pixel8 *out = image.row<PF_Pixel8>(y);
        for (int x = 0; x < w; ++x) {
            std::uint32_t p;
            std::memcpy(&p, data + static_cast<std::ptrdiff_t>(y) * stride + x * 4, 4);
            const std::uint32_t a = p >> 24;
            out[x] = PF_Pixel8{static_cast<A_u_char>(a), drawbot::unpremultiply((p >> 16) & 0xff, a),
                               drawbot::unpremultiply((p >> 8) & 0xff, a), drawbot::unpremultiply(p & 0xff, a)};
        }
    }
    return image;
}

Drawbot::Drawbot() : registry_(std::make_unique<drawbot::Registry>()) {}
Drawbot::~Drawbot() = default;

bool Drawbot::available() { return true; }

void Drawbot::publish(SuiteRegistry &suites) const {
    suites.add(kDRAWBOT_DrawSuite, kDRAWBOT_DrawSuite_Version1, &drawbot::kDrawSuite1);
    suites.add(kDRAWBOT_SupplierSuite, kDRAWBOT_SupplierSuite_Version1, &drawbot::kSupplierSuite1);
    suites.add(kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version1, &drawbot::kSurfaceSuite2);
    suites.add(kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2, &drawbot::kSurfaceSuite2);
    suites.add(kDRAWBOT_PathSuite, kDRAWBOT_PathSuite_Version1, &drawbot::kPathSuite1);
    suites.add(kDRAWBOT_PenSuite, kDRAWBOT_PenSuite_Version1, &drawbot::kPenSuite1);
    suites.add(kDRAWBOT_ImageSuite, kDRAWBOT_ImageSuite_Version1, &drawbot::kImageSuite1);
}

std::unique_ptr<DrawCanvas> Drawbot::openCanvas(int width, int height, const PF_App_Color &bg) {
    if (width < 1 || height < 1)
        throw std::invalid_argument("embedhost::Drawbot::openCanvas: the size must be at least 1 x 1");
    const DRAWBOT_ColorRGBA colour{bg.red / 65535.0f, bg.green / 65535.0f, bg.blue / 65535.0f, 1.0f};
    std::lock_guard lock(registry_->mutex);
    return std::unique_ptr<DrawCanvas>(new DrawCanvas(*registry_, registry_->open(width, height, colour)));
}

long Drawbot::liveObjects() const {
    std::lock_guard lock(registry_->mutex);
    return registry_->live();
}

long Drawbot::objectsMade() const {
    std::lock_guard lock(registry_->mutex);
    return registry_->made();
}

long Drawbot::badReferences() const {
    std::lock_guard lock(registry_->mutex);
    return registry_->badReferences();
}

} // namespace embedhost
