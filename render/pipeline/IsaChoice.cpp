#include "render/pipeline/IsaChoice.h"

namespace AEUtil {

const std::vector<Isa> &runnableIsas() {
    static const std::vector<Isa> isas = [] {
        std::vector<Isa> v;
#if defined(LUMORA_X86_KERNELS)
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
            __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq"))
            v.push_back(Isa::Avx512);
        if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2"))
            v.push_back(Isa::Avx2);
#endif
        v.push_back(Isa::Portable);
        return v;
    }();
    return isas;
}

const char *isaName(Isa isa) {
    switch (isa) {
    case Isa::Avx512: return "avx512";
    case Isa::Avx2: return "avx2";
    default: return "portable";
    }
}

} // namespace AEUtil
