// The mono stages before and after the blur, spread over the host's workers: glow-source
// extraction from a world, weighting by the depth mask, and the Glow Intensity curve.
#pragma once

#include "render/pipeline/StageHost.h"

namespace AEUtil {

// SRC into `dst` (plane A). Luminance walks the whole plane, reading SRC offset by the rect's
// top-left; Alpha walks the rect. inputChannel 1 is Luminance, anything else Alpha.
template <class Pixel>
PF_Err extractGlowSource(const StageHost &host, const PF_EffectWorld &src, const PlaneRect &rect, int32_t thr,
                         int32_t soft, A_long inputChannel, GlowPlane &dst);

// dst = source weighted by mask^2, over dst's whole area; all three share one size.
PF_Err combineWithMask(const StageHost &host, const GlowPlane &source, const GlowPlane &mask, GlowPlane &dst);

// In place over the rect of `plane`.
PF_Err applyIntensityCurve(const StageHost &host, const PlaneRect &rect, double intensity, GlowPlane &plane);

} // namespace AEUtil
