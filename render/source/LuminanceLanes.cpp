// Which builds of the luminance lanes exist, and which of them this CPU runs.
#include "render/source/LuminanceLanes.h"

#include "render/source/GlowSourceRows.h"

namespace AEUtil {

#define LUMORA_DECLARE_LANES(isa)                                                                                      \
    namespace isa {                                                                                                    \
    void luminanceLanes8(const uint8_t *, int32_t, const LuminanceLaneRule &, uint16_t *);                             \
    void luminanceLanes16(const uint16_t *, int32_t, const LuminanceLaneRule &, uint16_t *);                           \
    }
LUMORA_FOR_EACH_ISA(LUMORA_DECLARE_LANES)
#undef LUMORA_DECLARE_LANES

LuminanceLaneRule luminanceLaneRule(const ThresholdRule &rule) {
    LuminanceLaneRule r;
    r.thrMinus1 = rule.thrMinus1;
    r.lo = rule.lo;
    // A zero width leaves the soft zone empty, so its quotient is never taken.
    r.soft = rule.soft > 0 ? rule.soft : 1;
    r.clear = rule.apply(0.0);
    return r;
}

const std::vector<IsaVariant<LuminanceLanes>> &luminanceLaneVariants() {
    static const auto variants = runnableVariants<LuminanceLanes>(
#if defined(LUMORA_X86_KERNELS)
        {&avx512::luminanceLanes8, &avx512::luminanceLanes16}, {&avx2::luminanceLanes8, &avx2::luminanceLanes16},
#else
        {}, {},
#endif
        {&portable::luminanceLanes8, &portable::luminanceLanes16});
    return variants;
}

} // namespace AEUtil
