// The numbers one frame render works with, derived once from the settings record, in_data
// and the item size: sizes, downsampling, blur radii, thresholds and the source's placement.
#pragma once

#include <cstdint>

#include "AE_Effect.h"
#include "params/RenderSettings.h"

namespace AEUtil {

struct GlowWorkingValues {
    A_long width = 0;          // W: the output world's, read as 16-bit values
    A_long height = 0;         // H
    double downsample = 1.0;   // D = min(downsample_y, downsample_x)
    double radius = 3.0;       // R = Glow Radius * D + 3
    double depthRadius = 3.0;  // Rd = Depth Radius * D + 3
    int32_t threshold = 0;     // thr = trunc(Threshold * 32768 / 100)
    int32_t thresholdSoft = 0; // soft, likewise
    A_long itemWidth = 0;      // iw: the item's width, at least in_data's
    A_long itemHeight = 0;     // ih
    A_long offsetX = 0;        // (input width - iw) / 2 + placement left
    A_long offsetY = 0;        // (input height - ih) / 2 + placement top

    bool empty() const { return width <= 0 || height <= 0; }
};

// A percentage on the 16-bit scale, truncated; values outside 0 ... 100 (and NaN) are held to it
// so the conversion stays defined.
int32_t percentTo16(double percent);

// settings.output must be set; item sizes are what the host reported (0 x 0 after a failure).
GlowWorkingValues glowWorkingValues(const RenderSettings &settings, const PF_InData &in_data, A_long itemWidth,
                                    A_long itemHeight);

} // namespace AEUtil
