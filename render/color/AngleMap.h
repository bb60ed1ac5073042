// The angle map of Glow Type "Angle Map": every lit pixel gets the angle at which it lies
// around the centre of its blob, a full turn being 32768.
#pragma once

#include "render/pipeline/GlowPlane.h"

namespace AEUtil {

// angles must already have combined's size; it is cleared first. combined is not changed: the
// regions are consumed from a private copy taken from mem (out of memory raises the host error).
void buildAngleMap(GlowPlane &angles, const GlowPlane &combined, const PlaneMemory &mem);

// The stored angle of a pixel dx, dy (rows grow downward) from its region's centre.
uint16_t angleValue(int32_t dy, int32_t dx);

} // namespace AEUtil
