// The last stages of a render and the depth-glow merge: world-over-world passes in 8 bpc,
// 16 bpc and float, each over a rectangle and spread over the host's workers.
#pragma once

#include "render/pipeline/StageHost.h"

namespace AEUtil {

// View popup values the final composite tells apart; every other value is the threshold picture.
inline constexpr A_long kViewNormal = 1;
inline constexpr A_long kViewExtract = 3;

// Lays the depth glow over the main glow, in place in `main`.
template <class Pixel>
PF_Err depthGlowMergeStage(const StageHost &host, PF_EffectWorld &main, const PF_EffectWorld &depth,
                           const PlaneRect &rect);

// Scales the glow's alpha by Opacity (percent). The pipeline skips it at exactly 100.
template <class Pixel>
PF_Err opacityStage(const StageHost &host, PF_EffectWorld &glow, const PlaneRect &rect, double opacity);

// One row of that: out[x] and glow[x] for x < cols; mode is a kernel mode (BlendModeTable.h).
template <class Pixel>
void compositeRowByView(Pixel *out, const Pixel *glow, int32_t cols, A_long mode, A_long view);

// The glow onto the output by View: blended with the Blend Mode popup value (Normal), copied
// (Extract), or folded into the threshold picture (any other value).
template <class Pixel>
PF_Err finalCompositeStage(const StageHost &host, PF_EffectWorld &output, const PF_EffectWorld &glow,
                           const PlaneRect &rect, A_long blendMode, A_long view);

} // namespace AEUtil
