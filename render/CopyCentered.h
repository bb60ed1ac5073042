// Places a source image in the middle of a larger destination area (plus an offset), as the
// source and depth layers are placed in the enlarged output; clipped to the destination world.
#pragma once

#include <algorithm>
#include <cstring>

#include "render/RowBand.h"
#include "render/StageJob.h"

namespace AEUtil {

// Pixel is PF_Pixel, PF_Pixel16 or PF_PixelFloat; the copy never converts.
template <class Pixel>
PF_Err copyCenteredRows(void *refcon, A_long /*thread*/, A_long i, A_long count) {
    const auto &job = *static_cast<const CopyJob *>(refcon);
    const int32_t w = job.srcRect.right - job.srcRect.left;
    const int32_t h = job.srcRect.bottom - job.srcRect.top;
    const int32_t x0 = (job.area.right - job.area.left - w) / 2 + job.offsetX;
    const int32_t y0 = (job.area.bottom - job.area.top - h) / 2 + job.offsetY;
    // Clip the block to the destination world (and the source to its own size).
    const int32_t colBegin = std::max(0, -x0);
    const int32_t colEnd = std::min({w, job.dst->width - x0, job.src->width});
    const RowBand band = rowBand(h, count, i);
    if (colEnd <= colBegin)
        return PF_Err_NONE;
    for (int32_t r = band.begin; r < band.end; ++r) {
        const int32_t y = y0 + r;
        if (y < 0 || y >= job.dst->height || r >= job.src->height)
            continue;
        const auto *s = reinterpret_cast<const Pixel *>(reinterpret_cast<const char *>(job.src->data) +
                                                        static_cast<std::ptrdiff_t>(r) * job.src->rowbytes);
        auto *d = reinterpret_cast<Pixel *>(reinterpret_cast<char *>(job.dst->data) +
                                            static_cast<std::ptrdiff_t>(y) * job.dst->rowbytes);
        std::memcpy(d + x0 + colBegin, s + colBegin, sizeof(Pixel) * static_cast<std::size_t>(colEnd - colBegin));
    }
    return PF_Err_NONE;
}

template <class Pixel>
PF_Err copyCentered(const StageHost &host, CopyJob &job) {
    return host.run(&job, &copyCenteredRows<Pixel>);
}

} // namespace AEUtil
