// The renderer's read of the glow gradient: the colour bar parameter at the current time,
// copied and sorted, so worker threads can read it without locks.
#pragma once

#include "AE_Effect.h"
#include "colorbar/data/GradientData.h"

namespace AEUtil {

// Checks the parameter at `index` out at in_data's current time, copies its current flag list
// into `out` sorted by position, and checks it in again. PF_Err_BAD_CALLBACK_PARAM when the
// parameter is not the gradient value (type or refcon), PF_Err_INTERNAL_STRUCT_DAMAGED when its
// handle cannot be locked; the first error of check-out, copy or check-in is returned and
// `out` is written only on success.
PF_Err fetchGradient(PF_InData *in_data, PF_ParamIndex index, ColorFlagList &out);

} // namespace AEUtil
