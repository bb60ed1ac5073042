// The copy utility callback: moves a rectangle of pixels between two worlds of one format.
#include <cstring>
#include <vector>

#include "embedhost/WorldStore.h"

namespace embedhost {

namespace {

bool insideWorld(const PF_Rect &r, A_long width, A_long height) {
    return r.left >= 0 && r.top >= 0 && r.left <= r.right && r.top <= r.bottom && r.right <= width &&
           r.bottom <= height;
}

} // namespace

PF_Err WorldStore::copy(const PF_EffectWorld *src, PF_EffectWorld *dst, const PF_Rect *srcRect,
                        const PF_Rect *dstRect) const {
    std::lock_guard lock(mutex_);
    const Record *s = findLocked(src);
    const Record *d = findLocked(dst);
    if (!s || !d || s->format != d->format)
        return PF_Err_BAD_CALLBACK_PARAM;

    const PF_Rect sr = srcRect ? *srcRect : PF_Rect{0, 0, s->width, s->height};
    const PF_Rect dr = dstRect ? *dstRect : PF_Rect{0, 0, d->width, d->height};
    if (!insideWorld(sr, s->width, s->height) || !insideWorld(dr, d->width, d->height))
        return PF_Err_BAD_CALLBACK_PARAM;
    const A_long w = sr.right - sr.left;
    const A_long h = sr.bottom - sr.top;
    if (w != dr.right - dr.left || h != dr.bottom - dr.top)
        return PF_Err_BAD_CALLBACK_PARAM;
    if (w == 0 || h == 0)
        return PF_Err_NONE;

    // Staged through a buffer so that overlapping rectangles of one world copy correctly.
    const std::size_t pixel = bytesPerPixel(s->format);
    const std::size_t rowLen = std::size_t(w) * pixel;
    std::vector<char> staging(rowLen * std::size_t(h));
    const char *from = reinterpret_cast<const char *>(src->data);
    char *to = reinterpret_cast<char *>(dst->data);
    for (A_long y = 0; y < h; ++y)
        std::memcpy(staging.data() + rowLen * std::size_t(y),
                    from + std::size_t(sr.top + y) * std::size_t(s->rowbytes) + std::size_t(sr.left) * pixel, rowLen);
    for (A_long y = 0; y < h; ++y)
        std::memcpy(to + std::size_t(dr.top + y) * std::size_t(d->rowbytes) + std::size_t(dr.left) * pixel,
                    staging.data() + rowLen * std::size_t(y), rowLen);
    return PF_Err_NONE;
}

} // namespace embedhost
