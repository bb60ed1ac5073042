// Which builds of the *.simd.cpp kernels this CPU runs: each is compiled for plain x86-64,
// AVX2 and AVX-512 (other processors: the portable build only) and chosen at run time.
#pragma once

#include <vector>

namespace AEUtil {

enum class Isa { Avx512, Avx2, Portable };

// Expands DECLARE(isa) once per build of the kernels: the namespaces their symbols live in.
#if defined(LUMORA_X86_KERNELS)
#define LUMORA_FOR_EACH_ISA(DECLARE) DECLARE(portable) DECLARE(avx2) DECLARE(avx512)
#else
#define LUMORA_FOR_EACH_ISA(DECLARE) DECLARE(portable)
#endif

// The builds this CPU runs, the fastest first; never empty.
const std::vector<Isa> &runnableIsas();
const char *isaName(Isa isa);

// A kernel's builds (one function pointer per Isa) narrowed to those this CPU runs, fastest first.
template <class Fn>
struct IsaVariant {
    Isa isa;
    Fn run;
};
template <class Fn>
std::vector<IsaVariant<Fn>> runnableVariants(Fn avx512, Fn avx2, Fn portable) {
    std::vector<IsaVariant<Fn>> v;
    for (Isa isa : runnableIsas())
        v.push_back({isa, isa == Isa::Avx512 ? avx512 : isa == Isa::Avx2 ? avx2 : portable});
    return v;
}

} // namespace AEUtil
