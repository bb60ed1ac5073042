// What a smart pre-render hands the host: its data handle, disposed by the host through a
// callback, and the output rectangles it grows.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

// Makes `handle` (a host handle) the pre-render data of `output`, with a delete callback that
// disposes it once the host is done with it, rendered or not.
void attachPreRenderHandle(PF_InData *in_data, PF_PreRenderOutput *output, PF_Handle handle) noexcept;

// Grows `into` to include `other`; an empty `into` takes `other` over.
void unionRect(PF_LRect &into, const PF_LRect &other) noexcept;

} // namespace AEUtil
