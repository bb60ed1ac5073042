// Places a source image in the middle of a larger destination area (plus an offset), as the
// source and depth layers are placed in the enlarged output; clipped to the destination world.
#pragma once

#include <algorithm>
#include <cstring>

#include "render/pipeline/StageHost.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

// A source world placed centred in an area (plus an offset) of a destination world.
struct CenteredCopy {
    PF_EffectWorld *dst = nullptr;
    const PF_EffectWorld *src = nullptr;
    PlaneRect srcRect; // only its width and height count; source rows and columns start at 0
    PlaneRect area;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
};

// Where the source lands in the destination: its top-left corner and the source columns kept.
struct CenteredPlacement {
    int32_t x0 = 0, y0 = 0;
    int32_t colBegin = 0, colEnd = 0; // source columns [colBegin, colEnd) fall inside the destination
    int32_t height = 0;
};

inline CenteredPlacement centeredPlacement(const CenteredCopy &job) {
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

// Pixel is PF_Pixel, PF_Pixel16 or PF_PixelFloat; the copy never converts.
template <class Pixel>
PF_Err copyCentered(const StageHost &host, const CenteredCopy &job) {
    const CenteredPlacement p = centeredPlacement(job);
    return host.runRowBands(p.colEnd > p.colBegin ? p.height : 0, [&](RowBand band) {
        for (int32_t r = band.begin; r < band.end; ++r) {
            const int32_t y = p.y0 + r;
            if (y < 0 || y >= job.dst->height || r >= job.src->height)
                continue;
            std::memcpy(worldRow<Pixel>(*job.dst, y) + p.x0 + p.colBegin,
                        worldRow<const Pixel>(*job.src, r) + p.colBegin,
                        sizeof(Pixel) * static_cast<std::size_t>(p.colEnd - p.colBegin));
        }
    });
}

// The same placement over a destination whose other pixels become transparent black: every
// destination row written once, so no fill has to come first.
template <class Pixel>
PF_Err placeCentered(const StageHost &host, const CenteredCopy &job) {
    const CenteredPlacement p = centeredPlacement(job);
    const auto width = static_cast<std::size_t>(job.dst->width);
    return host.runRowBands(job.dst->height, [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y) {
            Pixel *d = worldRow<Pixel>(*job.dst, y);
            const int32_t r = y - p.y0;
            if (r < 0 || r >= p.height || r >= job.src->height || p.colEnd <= p.colBegin) {
                std::memset(d, 0, sizeof(Pixel) * width);
                continue;
            }
            const auto from = static_cast<std::size_t>(p.x0 + p.colBegin);
            const auto to = static_cast<std::size_t>(p.x0 + p.colEnd);
            std::memset(d, 0, sizeof(Pixel) * from);
            std::memcpy(d + from, worldRow<const Pixel>(*job.src, r) + p.colBegin, sizeof(Pixel) * (to - from));
            std::memset(d + to, 0, sizeof(Pixel) * (width - to));
        }
    });
}

} // namespace AEUtil
