// The glow effect's smart pre-render: the settings record in a host handle, the parameter and
// layer checkouts, and an output area half an item size beyond the layer on every side.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

// The declared maximum output for an item of iw x ih: (-(iw/2), -(ih/2), 2iw - iw/2, 2ih - ih/2),
// each in 16-bit arithmetic and sign-extended as the host's coordinates are.
PF_LRect glowMaxResultRect(A_long iw, A_long ih);

// PF_Cmd_SMART_PRE_RENDER. The record's handle goes to the host with a delete callback that
// disposes it. Returns the first error of the item-size query, the parameter reads or the
// layer checkouts; 4 when no handle can be made, 512 when it cannot be locked.
PF_Err glowSmartPreRender(PF_InData *in_data, PF_PreRenderExtra *extra);

} // namespace AEUtil
