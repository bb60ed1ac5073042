// The host calls the renderer makes on whole worlds: the layer's item size, fills and copies
// through the Fill Matte and World Transform suites.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

// Width and height of the item behind the effect's layer (AEGP PF Interface -> Layer -> Item suites).
// A suite that cannot be acquired raises (the SuiteCache convention); a failing call's error is returned
// and the size stays 0 x 0.
PF_Err queryItemSize(PF_InData *in_data, A_long &width, A_long &height);

enum class FillColor { TransparentBlack, OpaqueBlack };

// fill of the Fill Matte suite over (0, 0, width, height); transparent black passes a null colour,
// opaque black the 8-bit colour alpha 255, rgb 0.
PF_Err fillWorld(PF_InData *in_data, PF_EffectWorld &world, FillColor color);

// Whole-world copy with null rectangles: copy_hq when in_data->quality is PF_Quality_HI, else copy.
PF_Err copyWorld(PF_InData *in_data, const PF_EffectWorld &src, PF_EffectWorld &dst);

// copy_hq from a source rectangle onto a destination rectangle (scaling), for the depth layer.
PF_Err scaleWorldHq(PF_InData *in_data, const PF_EffectWorld &src, const PF_Rect &srcRect, PF_EffectWorld &dst,
                    const PF_Rect &dstRect);

} // namespace AEUtil
