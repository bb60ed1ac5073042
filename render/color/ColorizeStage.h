// The Colourise stage and the angle map that feeds it, spread over the host's workers: the
// one-channel glow into a coloured glow world.
#pragma once

#include "render/color/GlowColorize.h"
#include "render/pipeline/StageHost.h"

namespace AEUtil {

// Writes lit pixels of the rect of `out` from `glow` (and `angle` for the angle-map rule,
// `source` for original colours; both indexed like glow). settings.gradient is copied once
// here and once more by every worker call. The 8 bpc form knows only the "Normal" rule and
// answers any other with PF_Err_BAD_CALLBACK_PARAM.
template <class Pixel>
PF_Err colorizeStage(const StageHost &host, PF_EffectWorld &out, const PF_EffectWorld *source, const GlowPlane &glow,
                     const GlowPlane &angle, const PlaneRect &rect, const ColorizeSettings &settings);

// Builds the angle plane from the combined plane in one worker call (a region may reach below
// any band and consumes pixels as it grows). Out of memory for the private copy comes back as
// the host's error code.
PF_Err angleMapStage(const StageHost &host, const GlowPlane &combined, GlowPlane &angles);

} // namespace AEUtil
