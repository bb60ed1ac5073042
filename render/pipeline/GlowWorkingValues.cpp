// Working values of a frame render.
#include "render/pipeline/GlowWorkingValues.h"

#include <algorithm>
#include <cmath>

namespace AEUtil {

namespace {

double scaleFactor(const PF_RationalScale &s) {
    // A zero denominator is no scale the host can mean; full resolution keeps the render defined.
    return s.den == 0 ? 1.0 : static_cast<double>(s.num) / static_cast<double>(s.den);
}

A_long read16(A_long v) { return static_cast<int16_t>(v); }

// A full-resolution length at the render's resolution, as the host sizes downsampled layers.
A_long atResolution(A_long length, const PF_RationalScale &s) {
    if (s.den == 0 || s.num <= 0)
        return length;
    return static_cast<A_long>(std::ceil(static_cast<double>(length) * s.num / s.den));
}

} // namespace

int32_t percentTo16(double percent) {
    if (!(percent > 0.0))
        return 0;
    return static_cast<int32_t>(std::trunc(std::min(percent, 100.0) * 32768.0 / 100.0));
}

GlowWorkingValues glowWorkingValues(const RenderSettings &s, const PF_InData &in, A_long itemWidth, A_long itemHeight) {
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
    // The item size is full resolution. The smart path's output is twice the item around it,
    // so that places the source right at any resolution; the classic path's output is the
    // input itself, and there the item must be taken at the render's resolution, or a reduced
    // resolution render would shift the source by half the difference.
    const A_long placedW = s.smart ? v.itemWidth : atResolution(v.itemWidth, in.downsample_x);
    const A_long placedH = s.smart ? v.itemHeight : atResolution(v.itemHeight, in.downsample_y);
    v.offsetX = (inputWidth - placedW) / 2 + s.inputPlacement.left;
    v.offsetY = (inputHeight - placedH) / 2 + s.inputPlacement.top;
    return v;
}

} // namespace AEUtil
