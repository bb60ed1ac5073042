// Where the Depth Layer meets the source: the rectangle of the Depth Layer that covers the
// source area, found through the Depth Layer's size relative to the item and the downsample.
#pragma once

#include "AE_Effect.h"
#include "params/RenderSettings.h"
#include "render/pipeline/GlowPlane.h"
#include "render/pipeline/GlowWorkingValues.h"

namespace AEUtil {

// Enable Depth Effects is on and a Depth Layer with pixels was handed over (a layer parameter
// set to none arrives as a null world or as a world without pixels).
bool depthBranchRuns(const RenderSettings &settings);

// The source's placement in layer coordinates. The classic path hands no placement; its input
// starts at (0, 0) and spans the input rectangle.
PF_Rect sourcePlacement(const RenderSettings &settings);

// The crop rectangle in Depth Layer pixels: the placement scaled by sx = depth width / iw / D
// and sy = depth height / ih / D, each edge truncated, then read as a 16-bit value.
PlaneRect depthCropRect(A_long depthWidth, A_long depthHeight, const GlowWorkingValues &values,
                        const PF_Rect &placement);

} // namespace AEUtil
