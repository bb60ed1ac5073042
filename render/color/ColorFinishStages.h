// The stages that finish the blurred colour glow: un-premultiply, then the colour intensity
// curve. Only 16-bit and float worlds (the 8 bpc render blurs its colour glow at 16 bits).
#pragma once

#include "render/pipeline/StageHost.h"

namespace AEUtil {

// Pixel is PF_Pixel16 or PF_PixelFloat; both work in place over the rect of `glow`.
template <class Pixel>
PF_Err unpremultiplyStage(const StageHost &host, PF_EffectWorld &glow, const PlaneRect &rect);

template <class Pixel>
PF_Err colorIntensityStage(const StageHost &host, PF_EffectWorld &glow, const PlaneRect &rect, double intensity);

} // namespace AEUtil
