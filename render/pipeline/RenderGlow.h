// The frame render of the glow: one driver per pixel depth that turns the settings record into
// working values, allocates the render's buffers and runs the stages in their fixed order.
#pragma once

#include "AE_Effect.h"
#include "params/RenderSettings.h"

namespace AEUtil {

// Pixel is PF_Pixel8, PF_Pixel16 or PF_PixelFloat, matching settings.pixelFormat. in_data,
// input and output must be set. gradientIndex is the host index of the Glow Color Bar. Returns
// the first error of any step (later steps skipped); 0 with the output untouched when the output
// has no pixels. Every buffer is released on every path; allocation failures raise AEException.
template <class Pixel>
PF_Err renderGlow(const RenderSettings &settings, PF_ParamIndex gradientIndex);

// The driver for settings.pixelFormat; PF_Err_UNRECOGNIZED_PARAM_TYPE for any other format.
PF_Err renderGlowForFormat(const RenderSettings &settings, PF_ParamIndex gradientIndex);

} // namespace AEUtil
