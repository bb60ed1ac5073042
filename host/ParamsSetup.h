// Registration of the effect's parameters with the host (PF_Cmd_PARAMS_SETUP).
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

// User defaults come from the settings file on every host except After Effects with an
// effect API version of 12.11 or older.
bool settingsFileInUse(const PF_InData *in_data) noexcept;

// Sets the settings section (or clears it), registers every registry object in host-index
// order with its id, stopping at the first failure, and sets out_data->num_params.
PF_Err registerAllParams(PF_InData *in_data, PF_OutData *out_data);

} // namespace AEUtil
