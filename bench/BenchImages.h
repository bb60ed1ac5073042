// Procedural test frames: bright discs, a ring and thin bars in several colours on a dark,
// opaque ground, so that a threshold of 60 % finds glow sources of many sizes.
#pragma once

#include "embedhost/Image.h"

namespace lumora::bench {

// Straight ARGB at 8 bpc (0 ... 255), 16 bpc (0 ... 32768) or float (0 ... 1); the scene
// scales with the height, so a 64 x 36 frame holds the same picture as a 1920 x 1080 one.
embedhost::Image makeBenchFrame(A_long width, A_long height, PF_PixelFormat format);

// An opaque grey depth map, black at the left edge to white at the right, so every depth
// value between takes part.
embedhost::Image makeDepthRamp(A_long width, A_long height, PF_PixelFormat format);

} // namespace lumora::bench
