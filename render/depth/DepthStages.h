// The depth stages, spread over the host's workers: the crop of the Depth Layer, the depth
// mask through the DepthCurve, the depth glow source and the depth intensity curve.
#pragma once

#include "render/pipeline/StageHost.h"

namespace AEUtil {

// Copies `cropRect` of the Depth Layer into the crop world, pixel for pixel; crop pixels that
// fall outside the Depth Layer are not written.
template <class Pixel>
PF_Err cropDepthLayer(const StageHost &host, PF_EffectWorld &crop, const PF_EffectWorld &depthLayer,
                      const PlaneRect &cropRect);

// Clears M, then sets it over `rect` from the placement world's depth values through `curve`
// (DepthCurve::kEntries entries).
template <class Pixel>
PF_Err buildDepthMask(const StageHost &host, const PF_EffectWorld &placement, const PlaneRect &rect,
                      const uint16_t *curve, GlowPlane &M);

// E over `rect` from SRC weighted by (1 - M) and squared; inputChannel 1 is Luminance,
// anything else Alpha. thr and soft on the 16-bit scale.
template <class Pixel>
PF_Err extractDepthSource(const StageHost &host, const PF_EffectWorld &src, const GlowPlane &M, const PlaneRect &rect,
                          int32_t thr, int32_t soft, A_long inputChannel, GlowPlane &E);

// In place over `rect` of Gd, shaped by (1 - M)^2; `intensity` is what the caller passes
// (Depth Intensity + 1 for the Normal glow type).
PF_Err applyDepthIntensityCurve(const StageHost &host, const GlowPlane &M, const PlaneRect &rect, double intensity,
                                GlowPlane &Gd);

} // namespace AEUtil
