// The 8 bpc render's conversions around its 16-bit colour glow: 8 to 16 bits before the
// colouring, 16 back to 8 after the blur. All four channels, over a rectangle.
#pragma once

#include "render/pipeline/StageHost.h"

namespace AEUtil {

// c16 = (c8 * 32768 + 128) / 255 and c8 = (c16 * 255 + 16384) / 32768, integer division.
inline A_u_short expandChannel(A_u_char c) {
    return static_cast<A_u_short>((static_cast<uint32_t>(c) * 32768u + 128u) / 255u);
}
inline A_u_char reduceChannel(A_u_short c) {
    // Values above the host's 32768 are held at it, so the byte cannot wrap.
    const uint32_t v = c > 32768u ? 32768u : c;
    return static_cast<A_u_char>((v * 255u + 16384u) >> 15);
}

// dst (ARGB64) from src (ARGB32).
PF_Err expandTo16(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect);
// dst (ARGB32) from src (ARGB64).
PF_Err reduceTo8(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect);

} // namespace AEUtil
