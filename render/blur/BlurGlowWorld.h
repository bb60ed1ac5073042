// Separable glow blur of a coloured four-channel glow image (16-bit integer or float channels),
// row pass into a temporary world, column pass into the output.
#pragma once

#include "render/blur/GlowKernel.h"
#include "render/blur/NestedBoxKernel.h"
#include "render/blur/PlaneLanes.h"
#include "render/pipeline/GlowPlane.h"
#include "render/pipeline/ProgressCounter.h"
#include "render/pipeline/StageHost.h"

namespace AEUtil {

// One pass over a band of lines of the rectangle; the mask is indexed from its top-left.
struct WorldPass {
    const PF_EffectWorld *src = nullptr;
    PF_EffectWorld *dst = nullptr;
    PlaneRect rect;
    const MaskPlane *mask = nullptr; // the fast passes take null as the open mask
    const GlowKernel *kernel = nullptr;
    bool rowPass = true;
    const NestedBoxKernel *boxes = nullptr; // the kernel as nested boxes, for the fast passes
    PlaneLaneKernel lanes = nullptr;        // the fast 16-bit pass's build; null: the best this CPU runs
    bool openMask = false;                  // the mask is known open: the fast passes skip it
    FloatLaneKernel floatLanes = nullptr;   // the fast float pass's build; null: the best this CPU runs
};
// 16-bit lines tap by tap, as the glow is defined: the oracle of the fast pass.
void blurWorldLines16Literal(const WorldPass &pass, int32_t begin, int32_t end);
// The same values from prefix sums (needs pass.boxes); may throw std::bad_alloc.
void blurWorldLines16(const WorldPass &pass, int32_t begin, int32_t end);
// Float lines tap by tap (the oracle), and two lines at a time in SIMD lanes: the same floats.
void blurWorldLinesFloatLiteral(const WorldPass &pass, int32_t begin, int32_t end);
void blurWorldLinesFloat(const WorldPass &pass, int32_t begin, int32_t end);

// 8/16 bpc form: four 16-bit channels (0 ... 32768) per pixel. Only pixels the mask lets in take
// part; without one (as the render always calls it) every pixel does.
PF_Err BlurGlowWorld(const StageHost &host, PF_EffectWorld &out, const PF_EffectWorld &in, PF_EffectWorld &tmp,
                     const PlaneRect &rect, double radius, double aspect, const ProgressCounter *progress,
                     const MaskPlane *mask = nullptr);
// Float form: four 32-bit float channels (0 ... 1) per pixel.
PF_Err BlurGlowWorldFloat(const StageHost &host, PF_EffectWorld &out, const PF_EffectWorld &in, PF_EffectWorld &tmp,
                          const PlaneRect &rect, double radius, double aspect, const ProgressCounter *progress,
                          const MaskPlane *mask = nullptr);

} // namespace AEUtil
