// Pieces of the render entry points shared by the framework's handlers and the glow effect's
// own smart pre-render: the render wrapper and the hand-over of the settings handle.
#pragma once

#include "AE_Effect.h"

struct RenderSettings;

namespace AEUtil {

class BaseFilter;

// Runs the filter's render body on a complete record.
PF_Err runRenderBody(BaseFilter &filter, RenderSettings &settings);

// Makes `handle` (a host handle holding the record) the pre-render data of `output`, with a
// delete callback that disposes it once the host is done with it, rendered or not.
void attachSettingsHandle(PF_InData *in_data, PF_PreRenderOutput *output, PF_Handle handle) noexcept;

// Grows `into` to include `other`; an empty `into` takes `other` over.
void unionRect(PF_LRect &into, const PF_LRect &other) noexcept;

} // namespace AEUtil
