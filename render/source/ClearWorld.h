// Every pixel of a world set to transparent black (all bytes 0) by the host's workers, a band
// of rows each: the host's fill, spread over the workers.
#pragma once

#include <cstring>

#include "render/pipeline/RowBand.h"
#include "render/pipeline/StageJob.h"

namespace AEUtil {

template <class Pixel>
PF_Err clearWorldRows(void *refcon, A_long, A_long i, A_long count) {
    const auto &w = *static_cast<const PF_EffectWorld *>(refcon);
    const RowBand band = rowBand(w.height, count, i);
    for (int32_t y = band.begin; y < band.end; ++y)
        std::memset(worldRow<Pixel>(w, y), 0, sizeof(Pixel) * static_cast<std::size_t>(w.width));
    return PF_Err_NONE;
}

template <class Pixel>
PF_Err clearWorldStage(const StageHost &host, PF_EffectWorld &world) {
    return host.run(&world, &clearWorldRows<Pixel>);
}

} // namespace AEUtil
