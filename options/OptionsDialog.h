// The options dialog, opened from the effect's options button.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

// PF_Cmd_DO_DIALOG is served outside the handler table; its outcome never reaches the host.
void runOptionsDialog(PF_InData *in_data, PF_ParamDef *params[]);

} // namespace AEUtil
