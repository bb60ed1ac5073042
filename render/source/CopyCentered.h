// Places a source image in the middle of a larger destination area (plus an offset), as the
// source and depth layers are placed in the enlarged output; clipped to the destination world.
#pragma once

#include <algorithm>
#include <cstring>

#include "render/pipeline/RowBand.h"
#include "render/pipeline/StageJob.h"

namespace AEUtil {

// Pixel is PF_Pixel, PF_Pixel16 or PF_PixelFloat; the copy never converts.
// Where the source lands in the destination: its top-left corner and the source columns kept.
struct CenteredPlacement {
    int32_t x0 = 0, y0 = 0;
    int32_t colBegin = 0, colEnd = 0; // source columns [colBegin, colEnd) fall inside the destination
    int32_t height = 0;
};

inline CenteredPlacement centeredPlacement(const CopyJob &job) {
    const int32_t w = job.srcRect.right - job.srcRect.left;
    const int32_t h = job.srcRect.bottom - job.srcRect.top;
    CenteredPlacement p;
    p.x0 = (job.area.right - job.area.left - w) / 2 + job.offsetX;
    p.y0 = (job.area.bottom - job.area.top - h) / 2 + job.offsetY;
    // Clip the block to the destination world (and the source to its own size).
    p.colBegin = std::max(0, -p.x0);
    p.colEnd = std::min({w, job.dst->width - p.x0, job.src->width});
    p.height = h;
    return p;
}

template <class Pixel>
Pixel *copyRow(const PF_EffectWorld &w, int32_t y) {
    return reinterpret_cast<Pixel *>(reinterpret_cast<char *>(w.data) + static_cast<std::ptrdiff_t>(y) * w.rowbytes);
}

// Pixel is PF_Pixel, PF_Pixel16 or PF_PixelFloat; the copy never converts.
template <class Pixel>
PF_Err copyCenteredRows(void *refcon, A_long /*thread*/, A_long i, A_long count) {
    const auto &job = *static_cast<const CopyJob *>(refcon);
    const CenteredPlacement p = centeredPlacement(job);
    const RowBand band = rowBand(p.height, count, i);
    if (p.colEnd <= p.colBegin)
        return PF_Err_NONE;
    for (int32_t r = band.begin; r < band.end; ++r) {
        const int32_t y = p.y0 + r;
        if (y < 0 || y >= job.dst->height || r >= job.src->height)
            continue;
        std::memcpy(copyRow<Pixel>(*job.dst, y) + p.x0 + p.colBegin, copyRow<Pixel>(*job.src, r) + p.colBegin,
                    sizeof(Pixel) * static_cast<std::size_t>(p.colEnd - p.colBegin));
    }
    return PF_Err_NONE;
}

// The same placement over a destination whose other pixels become transparent black: every
// destination row written once, so no fill has to come first.
template <class Pixel>
PF_Err placeCenteredRows(void *refcon, A_long /*thread*/, A_long i, A_long count) {
    const auto &job = *static_cast<const CopyJob *>(refcon);
    const CenteredPlacement p = centeredPlacement(job);
    const RowBand band = rowBand(job.dst->height, count, i);
    const auto width = static_cast<std::size_t>(job.dst->width);
    for (int32_t y = band.begin; y < band.end; ++y) {
        Pixel *d = copyRow<Pixel>(*job.dst, y);
        const int32_t r = y - p.y0;
        if (r < 0 || r >= p.height || r >= job.src->height || p.colEnd <= p.colBegin) {
            std::memset(d, 0, sizeof(Pixel) * width);
            continue;
        }
        const auto from = static_cast<std::size_t>(p.x0 + p.colBegin);
        const auto to = static_cast<std::size_t>(p.x0 + p.colEnd);
        std::memset(d, 0, sizeof(Pixel) * from);
        std::memcpy(d + from, copyRow<Pixel>(*job.src, r) + p.colBegin, sizeof(Pixel) * (to - from));
        std::memset(d + to, 0, sizeof(Pixel) * (width - to));
    }
    return PF_Err_NONE;
}

template <class Pixel>
PF_Err placeCentered(const StageHost &host, CopyJob &job) {
    return host.run(&job, &placeCenteredRows<Pixel>);
}

template <class Pixel>
PF_Err copyCentered(const StageHost &host, CopyJob &job) {
    return host.run(&job, &copyCenteredRows<Pixel>);
}

} // namespace AEUtil
