// The glow's classic and smart render up to its render body: the settings record completed
// from the parameters or the pre-render's handle, the layers checked out and in again.
#pragma once

#include <functional>

#include "AE_Effect.h"

struct RenderSettings;

namespace AEUtil {

// Renders a complete record into its output.
using GlowRenderBody = std::function<PF_Err(RenderSettings &)>;

// PF_Cmd_RENDER. On Premiere the input is only copied. The parameters are read into a fresh
// record and checked in again after the body, whatever it returned.
PF_Err glowClassicRender(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                         const GlowRenderBody &body);

// PF_Cmd_SMART_RENDER on the record the smart pre-render left in its handle: the source, the
// output and the Depth Layer checked out, the body run, the source checked in. 512 without a
// record.
PF_Err glowSmartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra,
                       const GlowRenderBody &body);

} // namespace AEUtil
