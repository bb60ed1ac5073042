// Builds the host's utility callback table (in_data->utils).
#pragma once

#include "AE_EffectCB.h"

namespace embedhost {

// Every slot is filled: the callbacks the host implements reach the current Host; the ones
// it does not offer answer PF_Err_INVALID_CALLBACK.
// ansi.sprintf formats like the C library's sprintf, unbounded like a real host's: the
// destination must be large enough. The ansi math entries are the C library's functions.
PF_UtilCallbacks makeUtilCallbacks();

} // namespace embedhost
