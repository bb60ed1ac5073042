// "PF Fill Matte Suite" version 2: fill and fill_float over the current host's worlds.
#include <cstdint>
#include <cstring>

#include "embedhost/FunctionSlot.h"
#include "embedhost/CurrentHost.h"
#include "embedhost/Interaction.h"
#include "embedhost/WorldStore.h"
#include "embedhost/PixelIO.h"
#include "embedhost/RenderSuites.h"

namespace embedhost {

namespace {

bool insideWorld(const PF_Rect &r, const PF_EffectWorld &w) {
    return r.left >= 0 && r.top >= 0 && r.left <= r.right && r.top <= r.bottom && r.right <= w.width &&
           r.bottom <= w.height;
}

// colour is on `from`'s scale; the world's own depth decides the stored values.
PF_Err fillWith(PF_ProgPtr ref, const pixelio::Argb &color, PF_PixelFormat from, const PF_Rect *rect,
                PF_EffectWorld *world) {
    WorldStore *worlds = current::worldsOf(ref);
    if (!worlds || !world)
        return PF_Err_BAD_CALLBACK_PARAM;
    const std::optional<PF_PixelFormat> format = worlds->formatOf(*world);
    if (!format)
        return PF_Err_BAD_CALLBACK_PARAM;
    const PF_Rect r = rect ? *rect : PF_Rect{0, 0, world->width, world->height};
    if (!insideWorld(r, *world))
        return PF_Err_BAD_CALLBACK_PARAM;
    const pixelio::Argb value = pixelio::rescale(color, from, *format);
    // One row is converted pixel by pixel; the others are copies of it.
    auto rowAt = [&](A_long y) {
        return reinterpret_cast<std::uint8_t *>(world->data) + std::size_t(world->rowbytes) * std::size_t(y);
    };
    const std::size_t pixel = WorldStore::bytesPerPixel(*format);
    const std::size_t span = pixel * std::size_t(r.right - r.left);
    for (A_long x = r.left; x < r.right; ++x)
        pixelio::store(rowAt(r.top), *format, x, value);
    for (A_long y = r.top + 1; y < r.bottom; ++y)
        std::memcpy(rowAt(y) + pixel * std::size_t(r.left), rowAt(r.top) + pixel * std::size_t(r.left), span);
    return PF_Err_NONE;
}

SPAPI PF_Err fill8(PF_ProgPtr ref, const PF_Pixel *color, const PF_Rect *rect, PF_EffectWorld *world) {
    pixelio::Argb c;
    if (color)
        c = {double(color->alpha), double(color->red), double(color->green), double(color->blue)};
    return fillWith(ref, c, PF_PixelFormat_ARGB32, rect, world);
}

SPAPI PF_Err fillFloat(PF_ProgPtr ref, const PF_PixelFloat *color, const PF_Rect *rect, PF_EffectWorld *world) {
    pixelio::Argb c;
    if (color)
        c = {double(color->alpha), double(color->red), double(color->green), double(color->blue)};
    return fillWith(ref, c, PF_PixelFormat_ARGB128, rect, world);
}

LUMORA_SUITE_STUB(fill16)
LUMORA_SUITE_STUB(premultiply)
LUMORA_SUITE_STUB(premultiply_color)
LUMORA_SUITE_STUB(premultiply_color16)
LUMORA_SUITE_STUB(premultiply_color_float)

} // namespace

PF_Err unsupportedSuiteCall(const char *name) {
    if (Interaction *interaction = current::interaction())
        interaction->noteUnsupported(name);
    return PF_Err_UNRECOGNIZED_PARAM_TYPE;
}

void fillFillMatteSuite(PF_FillMatteSuite2 &s) {
    s.fill = fill8;
    fillSlot(s.fill16, stub_fill16);
    s.fill_float = fillFloat;
    fillSlot(s.premultiply, stub_premultiply);
    fillSlot(s.premultiply_color, stub_premultiply_color);
    fillSlot(s.premultiply_color16, stub_premultiply_color16);
    fillSlot(s.premultiply_color_float, stub_premultiply_color_float);
}

RenderSuites::RenderSuites() {
    fillFillMatteSuite(fillMatte_);
    fillWorldTransformSuite(worldTransform_);
    fillAegpSuites(pfInterface_, layer_, item_);
}

} // namespace embedhost
