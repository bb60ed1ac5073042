// The built-in scene of `lumora demo`: bright discs, a ring, thin lines and rows of text-like
// bars in several colours on a dark ground, drawn with anti-aliased edges.
#pragma once

#include "embedhost/Image.h"

namespace lumora::cli {

// Opaque, straight ARGB at `format`; the layout scales with the height (designed at 720).
embedhost::Image demoScene(A_long width, A_long height, PF_PixelFormat format);

} // namespace lumora::cli
