// The float colour blur's lanes (see FloatLanes.h), compiled once per instruction set like
// PlaneLanes.simd.cpp, under the same rule: no inline function of a shared header but the
// internal ones of LaneVectors.h.
#include <cstring>

#include "render/blur/FloatLanes.h"
#include "render/pipeline/LaneVectors.h"

namespace AEUtil::LUMORA_ISA {

namespace {

constexpr int32_t W = kFloatLanes;
constexpr int32_t kMaxPeakDistance = 299; // the literal pass's peak reaches 299 samples at most

using F32 = float __attribute__((vector_size(4 * W)));
using F64 = double __attribute__((vector_size(8 * W)));
using I64 = int64_t __attribute__((vector_size(8 * W)));
using I32 = int32_t __attribute__((vector_size(4 * W)));
using U32 = uint32_t __attribute__((vector_size(4 * W)));
using U8 = uint8_t __attribute__((vector_size(W)));

inline bool laneOn(const FloatLaneBlock &b, int32_t k) { return k < b.count && ((b.laneOn >> k) & 1u); }

// Lane 4k + c of pixel i: channel c of line first + k at i.
void gather(const FloatLaneBlock &b) {
    for (int32_t k = 0; k < kFloatLines; ++k) {
        const bool on = laneOn(b, k);
        const float *line = b.rows ? b.src + (b.first + k) * b.srcStride : b.src + (b.first + k) * 4;
        const std::ptrdiff_t step = b.rows ? 4 : b.srcStride;
        const uint8_t *m = b.mask ? (b.rows ? b.mask + (b.first + k) * b.maskStride : b.mask + b.first + k) : nullptr;
        const std::ptrdiff_t mstep = b.rows ? 1 : b.maskStride;
        for (int32_t i = 0; i < b.n; ++i) {
            float *to = b.in + i * W + 4 * k;
            if (on)
                std::memcpy(to, line + i * step, 4 * sizeof(float));
            else
                std::memset(to, 0, 4 * sizeof(float));
            if (b.mask)
                std::memset(b.gate + i * W + 4 * k, on && m[i * mstep] ? 1 : 0, 4);
        }
    }
}

void scatter(const FloatLaneBlock &b) {
    for (int32_t k = 0; k < kFloatLines; ++k) {
        if (!laneOn(b, k))
            continue;
        float *line = b.rows ? b.dst + (b.first + k) * b.dstStride : b.dst + (b.first + k) * 4;
        const std::ptrdiff_t step = b.rows ? 4 : b.dstStride;
        for (int32_t i = 0; i < b.n; ++i)
            if (!b.mask || b.gate[i * W + 4 * k])
                std::memcpy(line + i * step, b.out + i * W + 4 * k, 4 * sizeof(float));
    }
}

template <bool Open>
void blurBlock(const FloatLaneBlock &b) {
    const int32_t N = b.n;
    const int32_t K = b.halfWidth;
    const double o = b.box;
    auto sample = [&](int32_t j) { return __builtin_convertvector(load<F32>(b.in + j * W), F64); };
    // Lanes whose pixel the mask lets in: all ones, else zero.
    auto gateOf = [&](int32_t j) {
        if constexpr (Open)
            return I64{} - 1;
        else
            return __builtin_convertvector(load<U8>(b.gate + j * W), I64) != 0;
    };
    // Pixels up to x where some lane is not 0 (nor -0): windows without any leave the peak at 0.
    b.lit[0] = 0;
    for (int32_t x = 0; x < N; ++x) {
        const F32 v = load<F32>(b.in + x * W);
        uint32_t any = 0;
        for (int32_t l = 0; l < W; ++l)
            any |= v[l] != 0.0f;
        b.lit[x + 1] = b.lit[x] + any;
    }

    F64 count{}, sum{};
    auto enter = [&](int32_t j) {
        const I64 g = gateOf(j);
        count += g ? F64{} + 1.0 : F64{};
        sum += g ? sample(j) : F64{};
    };
    auto leave = [&](int32_t j) {
        const I64 g = gateOf(j);
        count -= g ? F64{} + 1.0 : F64{};
        sum -= g ? sample(j) : F64{};
    };
    int32_t last = lesser(K, N) - 2;
    for (int32_t j = 0; j <= last; ++j)
        enter(j);
    int32_t left = 0;
    const double boxShare = o / 32768.0;
    const double peakShare = 1.0 - o / 32768.0;
    for (int32_t x = 0; x < N; ++x) {
        const int32_t R = lesser(x + K - 1, N - 1);
        if (R != last) {
            enter(R);
            last = R;
        }
        if (left < x - K + 1) {
            leave(left);
            left = x - K + 1;
        }
        const int32_t jb = greater(left, x - kMaxPeakDistance);
        const int32_t je = lesser(R, x + kMaxPeakDistance);
        F64 peak{};
        U32 ws{};
        if (Open && b.lit[je + 1] == b.lit[jb]) {
            ws += b.weights[x];
        } else {
            for (int32_t j = jb; j <= je; ++j) {
                const uint16_t w = b.kernel[j < x ? x - j : j - x];
                const double f = w / 32768.0;
                if constexpr (Open) {
                    peak += f * sample(j);
                    ws += w;
                } else {
                    const I64 g = gateOf(j);
                    peak += g ? f * sample(j) : F64{};
                    ws += __builtin_convertvector(g, U32) & w;
                }
            }
        }
        ws &= 0xFFFFu;
        const F64 weight = __builtin_convertvector(ws, F64);
        const I64 none = __builtin_convertvector(ws == 0, I64);
        const F64 boxPart = (sum / count) * boxShare;
        if (o == 0.0) {
            // No weight: the pixel as it is, bit for bit.
            const F32 kept = load<F32>(b.in + x * W);
            const F32 blurred = __builtin_convertvector(peak * (32768.0 / weight), F32);
            store(b.out + x * W, __builtin_convertvector(none, I32) ? kept : blurred);
        } else {
            const F64 result = none ? boxPart : peak * (32768.0 / weight) * peakShare + boxPart;
            store(b.out + x * W, __builtin_convertvector(result, F32));
        }
    }
}

} // namespace

void blurFloatLanes(const FloatLaneBlock &b) {
    if (b.n <= 0 || b.count <= 0)
        return;
    gather(b);
    if (b.mask)
        blurBlock<false>(b);
    else
        blurBlock<true>(b);
    scatter(b);
}

} // namespace AEUtil::LUMORA_ISA
