// Separable glow blur of a one-channel plane: a row pass into a temporary plane, a column pass
// into the output, each spread over the host's workers in bands of lines.
#pragma once

#include "render/blur/GlowKernel.h"
#include "render/blur/NestedBoxKernel.h"
#include "render/blur/PlaneLanes.h"
#include "render/pipeline/GlowPlane.h"
#include "render/pipeline/ProgressCounter.h"
#include "render/pipeline/StageHost.h"

namespace AEUtil {

// Horizontal and vertical blur widths for a radius and a Glow Aspect (-100 ... 100).
// The plane blur adds 2 to the unscaled direction; the colour blur does not.
struct BlurWidths {
    double horizontal = 0.0;
    double vertical = 0.0;
};
BlurWidths glowBlurWidths(double radius, double aspect, bool planeForm);
GlowKernel kernelForWidth(double width);

// One pass over a band of lines: rows of src into rows of dst (rowPass) or columns into
// columns. Lines [begin, end) are processed.
struct PlanePass {
    const GlowPlane *src = nullptr;
    GlowPlane *dst = nullptr;
    const MaskPlane *mask = nullptr; // the fast pass takes null as the open mask
    const GlowKernel *kernel = nullptr;
    bool rowPass = true;
    const NestedBoxKernel *boxes = nullptr; // the kernel as nested boxes, for the fast pass
    PlaneLaneKernel lanes = nullptr;        // the fast pass's build; null: the best this CPU runs
    bool openMask = false;                  // the mask is known open (maskIsOpen): the fast pass skips it
};
// Tap by tap, as the glow is defined: the oracle of the fast pass.
void blurPlaneLinesLiteral(const PlanePass &pass, int32_t begin, int32_t end);
// The same values and flags from prefix sums (needs pass.boxes); may throw std::bad_alloc.
void blurPlaneLines(const PlanePass &pass, int32_t begin, int32_t end);

// Runs one pass over all lines through the host's workers.
PF_Err runPlanePass(const StageHost &host, const PlanePass &pass);

// Only samples the mask lets in take part; without one (as the render always calls it) every
// sample does, and no mask plane is made or read.
PF_Err BlurGlowPlane(const StageHost &host, const GlowPlane &src, GlowPlane &dst, double radius, double aspect,
                     const ProgressCounter *progress, const MaskPlane *mask = nullptr);

} // namespace AEUtil
