// Which builds of the sixteen-lane plane blur exist, and which of them this CPU runs.
#include "render/blur/PlaneLanes.h"

#include <algorithm>

#include "render/pipeline/IsaChoice.h"

namespace AEUtil {

#define LUMORA_DECLARE_LANES(isa)                                                                                      \
    namespace isa {                                                                                                    \
    void blurPlaneLanes(const PlaneLaneBlock &, const PlaneLaneKernelView &);                                          \
    void blurFloatLanes(const FloatLaneBlock &);                                                                       \
    }
LUMORA_FOR_EACH_ISA(LUMORA_DECLARE_LANES)
#undef LUMORA_DECLARE_LANES

const std::vector<PlaneLaneVariant> &planeLaneVariants() {
    static const std::vector<PlaneLaneVariant> variants = [] {
        std::vector<PlaneLaneVariant> v;
        for (Isa isa : runnableIsas()) {
            switch (isa) {
#if defined(LUMORA_X86_KERNELS)
            case Isa::Avx512: v.push_back({"avx512", &avx512::blurPlaneLanes, &avx512::blurFloatLanes}); break;
            case Isa::Avx2: v.push_back({"avx2", &avx2::blurPlaneLanes, &avx2::blurFloatLanes}); break;
#endif
            default: v.push_back({"portable", &portable::blurPlaneLanes, &portable::blurFloatLanes}); break;
            }
        }
        return v;
    }();
    return variants;
}

PlaneLaneKernelView laneView(const NestedBoxKernel &k) {
    return {k.radii.data(), k.steps.data(), static_cast<int32_t>(k.radii.size()), k.peakTaps, k.halfWidth, k.box};
}

std::size_t planeLaneWorkSize(int32_t n, const PlaneLaneKernelView &k) {
    const auto pad = static_cast<std::size_t>(std::max(k.peakTaps, k.halfWidth)) + 1;
    return 3 * (static_cast<std::size_t>(n) + 1 + 2 * pad) * kPlaneLanes;
}

void clippedWeights(int32_t n, const NestedBoxKernel &k, std::vector<uint16_t> &out) {
    out.resize(static_cast<std::size_t>(std::max(n, 0)));
    for (int32_t x = 0; x < n; ++x)
        out[static_cast<std::size_t>(x)] = static_cast<uint16_t>(clippedWeight(n, x, k));
}

PlaneLaneMemory::PlaneLaneMemory(PlaneLaneBlock &block, const NestedBoxKernel &k) {
    const auto samples = static_cast<std::size_t>(block.n) * kPlaneLanes;
    clippedWeights(block.n, k, weights_);
    in_.resize(samples);
    out_.resize(samples);
    gate_.resize(block.mask ? samples : 0);
    work_.resize(planeLaneWorkSize(block.n, laneView(k)));
    block.weights = weights_.data();
    block.work = work_.data();
    block.in = in_.data();
    block.out = out_.data();
    block.gate = gate_.data();
}

} // namespace AEUtil
