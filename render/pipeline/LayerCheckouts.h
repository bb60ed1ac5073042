// The ids under which the smart pre-render checks layers out and the smart render reads them.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

inline constexpr A_long kSourceCheckoutId = 0;
inline constexpr A_long kDepthCheckoutId = 1;
// The Depth Layer asked for with an empty rectangle, to learn its size.
inline constexpr A_long kDepthProbeCheckoutId = 1000001;

} // namespace AEUtil
