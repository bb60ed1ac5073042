// Working values of a frame render.
#include "render/GlowWorkingValues.h"

#include <algorithm>
#include <cmath>

namespace AEUtil {

namespace {

double scaleFactor(const PF_RationalScale &s) {
    // A zero denominator is no scale the host can mean; full resolution keeps the render defined.
    return s.den == 0 ? 1.0 : static_cast<double>(s.num) / static_cast<double>(s.den);
}

A_long read16(A_long v) { return static_cast<int16_t>(v); }

} // namespace

int32_t percentTo16(double percent) {
    if (!(percent > 0.0))
        return 0;
    return static_cast<int32_t>(std::trunc(std::min(percent, 100.0) * 32768.0 / 100.0));
}

GlowWorkingValues glowWorkingValues(const RenderSettings &s, const PF_InData &in, A_long itemWidth,
                                    A_long itemHeight) {
    GlowWorkingValues v;
    v.width = read16(s.output->width);
    v.height = read16(s.output->height);
    v.downsample = std::min(scaleFactor(in.downsample_y), scaleFactor(in.downsample_x));
    v.radius = s.glowRadius * v.downsample + 3.0;
    v.depthRadius = s.depthRadius * v.downsample + 3.0;
    v.threshold = percentTo16(s.threshold);
    v.thresholdSoft = percentTo16(s.thresholdSoft);
    v.itemWidth = std::max(itemWidth, in.width);
    v.itemHeight = std::max(itemHeight, in.height);
    const A_long inputWidth = s.inputRect.right - s.inputRect.left;
    const A_long inputHeight = s.inputRect.bottom - s.inputRect.top;
    v.offsetX = (inputWidth - v.itemWidth) / 2 + s.inputPlacement.left;
    v.offsetY = (inputHeight - v.itemHeight) / 2 + s.inputPlacement.top;
    return v;
}

} // namespace AEUtil
