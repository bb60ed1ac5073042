// What the SIMD kernel files share: unaligned vector loads and stores, and integer min/max.
// Only for *.simd.cpp files: it opens their LUMORA_ISA namespace and gives everything internal
// linkage, so each instruction set's copy stays that file's own.
#pragma once

#include <cstdint>
#include <cstring>

#ifndef LUMORA_ISA
#error "LUMORA_ISA names the instruction set this copy of the kernel is built for"
#endif

namespace AEUtil::LUMORA_ISA {
namespace {

template <class V, class T>
inline V load(const T *p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <class V, class T>
inline void store(T *p, V v) {
    std::memcpy(p, &v, sizeof v);
}
inline int32_t lesser(int32_t a, int32_t b) { return a < b ? a : b; }
inline int32_t greater(int32_t a, int32_t b) { return a < b ? b : a; }

} // namespace
} // namespace AEUtil::LUMORA_ISA
