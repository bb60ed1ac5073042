// "PF World Transform Suite" version 1: copy (nearest pixel) and copy_hq (bilinear) between
// worlds of one format, with or without scaling.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "embedhost/FunctionSlot.h"
#include "embedhost/CurrentHost.h"
#include "embedhost/WorldStore.h"
#include "embedhost/PixelIO.h"
#include "embedhost/RenderSuites.h"

namespace embedhost {

namespace {

bool validIn(const PF_Rect &r, const PF_EffectWorld &w) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= w.width &&
           r.bottom <= w.height;
}

const std::uint8_t *rowOf(const PF_EffectWorld &w, A_long y) {
    return reinterpret_cast<const std::uint8_t *>(w.data) + std::size_t(w.rowbytes) * std::size_t(y);
}

// Source coordinate of destination pixel i when n source pixels span m destination pixels,
// pixel centres aligned: (i + 0.5) * n / m - 0.5, clamped to the source.
double sourceCentre(A_long i, A_long n, A_long m) {
    const double u = (double(i) + 0.5) * double(n) / double(m) - 0.5;
    return std::clamp(u, 0.0, double(n - 1));
}

pixelio::Argb mix(const pixelio::Argb &p, const pixelio::Argb &q, double f) {
    return {p.a + (q.a - p.a) * f, p.r + (q.r - p.r) * f, p.g + (q.g - p.g) * f, p.b + (q.b - p.b) * f};
}

PF_Err copyRect(PF_ProgPtr ref, PF_EffectWorld *src, PF_EffectWorld *dst, const PF_Rect *srcRect,
                const PF_Rect *dstRect, bool bilinear) {
    WorldStore *worlds = current::worldsOf(ref);
    if (!worlds || !src || !dst)
        return PF_Err_BAD_CALLBACK_PARAM;
    const std::optional<PF_PixelFormat> sf = worlds->formatOf(*src);
    const std::optional<PF_PixelFormat> df = worlds->formatOf(*dst);
    if (!sf || !df || *sf != *df)
        return PF_Err_BAD_CALLBACK_PARAM;
    const PF_Rect sr = srcRect ? *srcRect : PF_Rect{0, 0, src->width, src->height};
    const PF_Rect dr = dstRect ? *dstRect : PF_Rect{0, 0, dst->width, dst->height};
    if (!validIn(sr, *src) || !validIn(dr, *dst))
        return PF_Err_BAD_CALLBACK_PARAM;

    const PF_PixelFormat format = *sf;
    const A_long sw = sr.right - sr.left, sh = sr.bottom - sr.top;
    const A_long dw = dr.right - dr.left, dh = dr.bottom - dr.top;
    if (sw == dw && sh == dh && src->data != dst->data) {
        // Same size between two worlds: both filters give every pixel unchanged.
        const std::size_t pixel = WorldStore::bytesPerPixel(format);
        for (A_long y = 0; y < sh; ++y)
            std::memcpy(reinterpret_cast<std::uint8_t *>(dst->data) +
                            std::size_t(dst->rowbytes) * std::size_t(dr.top + y) + pixel * std::size_t(dr.left),
                        rowOf(*src, sr.top + y) + pixel * std::size_t(sr.left), pixel * std::size_t(sw));
        return PF_Err_NONE;
    }
    // The source rectangle is read whole first, so a copy within one world sees unchanged pixels.
    std::vector<pixelio::Argb> source(std::size_t(sw) * std::size_t(sh));
    for (A_long y = 0; y < sh; ++y)
        for (A_long x = 0; x < sw; ++x)
            source[std::size_t(y) * std::size_t(sw) + std::size_t(x)] =
                pixelio::load(rowOf(*src, sr.top + y), format, sr.left + x);
    auto at = [&](A_long x, A_long y) { return source[std::size_t(y) * std::size_t(sw) + std::size_t(x)]; };

    for (A_long j = 0; j < dh; ++j) {
        auto *row = reinterpret_cast<std::uint8_t *>(dst->data) + std::size_t(dst->rowbytes) * std::size_t(dr.top + j);
        for (A_long i = 0; i < dw; ++i) {
            pixelio::Argb v;
            if (!bilinear) {
                const auto x = static_cast<A_long>((2 * std::int64_t(i) + 1) * sw / (2 * std::int64_t(dw)));
                const auto y = static_cast<A_long>((2 * std::int64_t(j) + 1) * sh / (2 * std::int64_t(dh)));
                v = at(x, y);
            } else {
                const double u = sourceCentre(i, sw, dw), w = sourceCentre(j, sh, dh);
                const auto x0 = static_cast<A_long>(u), y0 = static_cast<A_long>(w);
                const A_long x1 = std::min(x0 + 1, sw - 1), y1 = std::min(y0 + 1, sh - 1);
                const double fx = u - x0, fy = w - y0;
                v = mix(mix(at(x0, y0), at(x1, y0), fx), mix(at(x0, y1), at(x1, y1), fx), fy);
            }
            pixelio::store(row, format, dr.left + i, v);
        }
    }
    return PF_Err_NONE;
}

SPAPI PF_Err copyNearest(PF_ProgPtr ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *sr, PF_Rect *dr) {
    return copyRect(ref, src, dst, sr, dr, false);
}

SPAPI PF_Err copyHq(PF_ProgPtr ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *sr, PF_Rect *dr) {
    return copyRect(ref, src, dst, sr, dr, true);
}

LUMORA_SUITE_STUB(composite_rect)
LUMORA_SUITE_STUB(blend)
LUMORA_SUITE_STUB(convolve)
LUMORA_SUITE_STUB(transfer_rect)
LUMORA_SUITE_STUB(transform_world)

} // namespace

void fillWorldTransformSuite(PF_WorldTransformSuite1 &s) {
    fillSlot(s.composite_rect, stub_composite_rect);
    fillSlot(s.blend, stub_blend);
    fillSlot(s.convolve, stub_convolve);
    s.copy = copyNearest;
    s.copy_hq = copyHq;
    fillSlot(s.transfer_rect, stub_transfer_rect);
    fillSlot(s.transform_world, stub_transform_world);
}

} // namespace embedhost
