// Mapping the source area into the Depth Layer.
#include "render/depth/DepthPlacement.h"

#include <cmath>
#include <cstdint>

namespace AEUtil {

namespace {

// trunc, then the low 16 bits as a signed value; out-of-range doubles (a degenerate item size)
// are held to the 32-bit range first so that the conversion stays defined.
int32_t edge16(double v) {
    if (!(std::fabs(v) < 2147483647.0))
        v = std::isnan(v) ? 0.0 : std::copysign(2147483647.0, v);
    return static_cast<int16_t>(static_cast<int32_t>(std::trunc(v)));
}

} // namespace

bool depthBranchRuns(const RenderSettings &s) {
    return s.depthEffectsEnabled && s.depthLayer && s.depthLayer->data && s.depthLayer->width > 0 &&
           s.depthLayer->height > 0;
}

PF_Rect sourcePlacement(const RenderSettings &s) {
    const PF_Rect &p = s.inputPlacement;
    if (p.right > p.left && p.bottom > p.top)
        return p;
    return {0, 0, s.inputRect.right - s.inputRect.left, s.inputRect.bottom - s.inputRect.top};
}

PlaneRect depthCropRect(A_long depthWidth, A_long depthHeight, const GlowWorkingValues &v, const PF_Rect &p) {
    const double sx = static_cast<double>(depthWidth) / v.itemWidth / v.downsample;
    const double sy = static_cast<double>(depthHeight) / v.itemHeight / v.downsample;
    PlaneRect r;
    r.left = edge16(p.left * sx);
    r.top = edge16(p.top * sy);
    r.right = edge16((p.right - p.left) * sx + p.left * sx);
    r.bottom = edge16((p.bottom - p.top) * sy + p.top * sy);
    return r;
}

} // namespace AEUtil
