// The glow effect's parameter table, built into the registry in host order.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

class GradColorPresetUI;

// Creates the 22 registration objects with their ids (the colour bar control creates the
// arbitrary one). The registry must be empty; sealing it is the caller's business. Raises an
// AEException with the control's code when it cannot create its parameter.
void buildGlowParamTable(PF_InData *in_data, GradColorPresetUI &colorBar);

} // namespace AEUtil
