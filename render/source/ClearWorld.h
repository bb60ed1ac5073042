// Every pixel of a world set to transparent black (all bytes 0) by the host's workers, a band
// of rows each: the host's fill, spread over the workers.
#pragma once

#include <cstring>

#include "render/pipeline/StageHost.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

template <class Pixel>
PF_Err clearWorldStage(const StageHost &host, PF_EffectWorld &world) {
    return host.runRowBands(world.height, [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y)
            std::memset(worldRow<Pixel>(world, y), 0, sizeof(Pixel) * static_cast<std::size_t>(world.width));
    });
}

} // namespace AEUtil
