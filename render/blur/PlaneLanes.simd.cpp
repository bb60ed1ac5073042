// The sixteen-lane plane blur. This file is compiled once per instruction set
// (LUMORA_ISA names the namespace); the lane loops are plain C++ the compiler turns into
// vector code for that set, so the arithmetic reads as the per-sample pass does. It calls no
// inline function of a shared header: such a copy built for a wider instruction set could be
// the one the linker keeps for the whole program (LaneVectors.h is its own, internal helpers).
#include <cstring>

#include "render/blur/PlaneLanes.h"
#include "render/pipeline/LaneVectors.h"

namespace AEUtil::LUMORA_ISA {

namespace {

constexpr int32_t W = kPlaneLanes;

// Sixteen lanes as one value; the compiler maps it onto the set's widest registers.
using U32 = uint32_t __attribute__((vector_size(4 * W)));
using I32 = int32_t __attribute__((vector_size(4 * W)));
using U16 = uint16_t __attribute__((vector_size(2 * W)));
using U8 = uint8_t __attribute__((vector_size(W)));
using F64 = double __attribute__((vector_size(8 * W)));

inline U32 widen(U16 v) { return __builtin_convertvector(v, U32); }
inline U32 widen(U8 v) { return __builtin_convertvector(v, U32); }

// floor(num / den) through doubles: exact, since both are below 2^32 and the quotient's
// distance to the next integer (at least 1/den) exceeds the rounding error of one division.
inline U32 quotient(U32 num, U32 den) {
    return __builtin_convertvector(__builtin_convertvector(num, F64) / __builtin_convertvector(den, F64), U32);
}

// Prefix sums padded on both sides, so every window sum is one subtraction however it is
// clipped: P[j] = 0 for j <= 0 and P[j] = P[n] for j >= n. Returns a pointer to P[0].
template <class Sample>
uint32_t *paddedPrefix(uint32_t *store0, int32_t n, int32_t pad, Sample sample) {
    uint32_t *P = store0 + static_cast<std::size_t>(pad) * W;
    std::memset(store0, 0, sizeof(uint32_t) * static_cast<std::size_t>(pad + 1) * W);
    U32 sum{};
    for (int32_t x = 0; x < n; ++x) {
        sum += sample(x);
        store(P + (x + 1) * W, sum);
    }
    for (int32_t x = n + 1; x <= n + pad; ++x)
        store(P + x * W, sum);
    return P;
}

inline U32 window(const uint32_t *P, int32_t from, int32_t to) {
    return load<U32>(P + (to + 1) * W) - load<U32>(P + from * W);
}

inline bool allZero(U32 v) {
    uint64_t w[sizeof v / 8];
    std::memcpy(w, &v, sizeof v);
    uint64_t any = 0;
    for (uint64_t x : w)
        any |= x;
    return any == 0;
}
inline bool allZero(U16 v) {
    uint64_t w[sizeof v / 8];
    std::memcpy(w, &v, sizeof v);
    return (w[0] | w[1] | w[2] | w[3]) == 0;
}

// The mask of a block: one byte per lane and sample, or (stride 0) the same bytes for every
// sample when the plane's mask is open.
struct Gate {
    const uint8_t *p;
    int32_t stride;
    U8 at(int32_t x) const { return load<U8>(p + x * stride); }
    uint8_t at(int32_t x, int32_t l) const { return p[x * stride + l]; }
};

inline U32 nestedSum(const uint32_t *P, int32_t x, const PlaneLaneKernelView &k) {
    U32 a{};
    for (int32_t i = 0; i < k.count; ++i)
        a += k.steps[i] * window(P, x - k.radii[i], x + k.radii[i]);
    return a;
}

// Color: the colour blur's rule. Only masked samples count, each once, in the peak and the
// box alike; no virtual zeros; the box form rounds to nearest.
template <bool Boxed, bool Color>
void blurBlock(const PlaneLaneBlock &b, const PlaneLaneKernelView &k, Gate m) {
    const int32_t n = b.n;
    const int32_t L = k.peakTaps;
    const int32_t K = k.halfWidth;
    const uint16_t *s = b.in;
    uint16_t *out = b.out;

    // The span of x where some lane holds a non-zero sample.
    int32_t first = n;
    int32_t last = -1;
    for (int32_t x = 0; x < n; ++x) {
        if (!allZero(load<U16>(s + x * W))) {
            first = lesser(first, x);
            last = x;
        }
    }
    const int32_t reach = Boxed ? K - 1 : L - 1;
    const int32_t lo = first > last ? n : greater(first - reach, 0);
    const int32_t hi = first > last ? n - 1 : lesser(last + reach, n - 1);
    // Outside [lo, hi] every window holds only zeros, which gives 0 however it is clipped.
    std::memset(out, 0, sizeof(uint16_t) * static_cast<std::size_t>(lo) * W);
    std::memset(out + (hi + 1) * W, 0, sizeof(uint16_t) * static_cast<std::size_t>(n - 1 - hi) * W);
    if (lo > hi)
        return;

    const int32_t pad = greater(L, K) + 1;
    const std::size_t span = static_cast<std::size_t>(n + 1 + 2 * pad) * W;
    const uint32_t *P = nullptr;
    const uint32_t *C = nullptr;
    const uint32_t *S = nullptr;
    if constexpr (Color) {
        P = S = paddedPrefix(b.work, n, pad,
                             [&](int32_t x) { return (widen(m.at(x)) != 0) & widen(load<U16>(s + x * W)); });
        if (Boxed || m.stride != 0)
            C = paddedPrefix(b.work + span, n, pad, [&](int32_t x) { return (widen(m.at(x)) != 0) & 1u; });
    } else {
        P = paddedPrefix(b.work, n, pad, [&](int32_t x) { return widen(load<U16>(s + x * W)); });
    }
    if constexpr (Boxed && !Color) {
        // Inside the mask a zero sample counts 1 and a lit one 10, and lit ones add 10 x value.
        C = paddedPrefix(b.work + span, n, pad, [&](int32_t x) {
            const U32 gate = widen(m.at(x)) != 0;
            const U32 lit = widen(load<U16>(s + x * W)) != 0;
            return (gate & (lit & 9u)) + (gate & 1u);
        });
        S = paddedPrefix(b.work + 2 * span, n, pad, [&](int32_t x) {
            const U32 gate = widen(m.at(x)) != 0;
            return gate & (10u * widen(load<U16>(s + x * W)));
        });
    }

    const uint32_t o = k.box;
    const int32_t vzFrom = greater(0, n - K);
    for (int32_t x = lo; x <= hi; ++x) {
        uint16_t *d = out + x * W;
        if (allZero(window(P, x - reach, x + reach))) {
            store(d, U16{});
            continue;
        }
        const U32 a = nestedSum(P, x, k);
        U32 result;
        if constexpr (Color) {
            // The weight sum of the masked taps, kept to 16 bits; a lane-wide table when all are.
            const U32 ws = m.stride == 0 ? U32{} + b.weights[x] : nestedSum(C, x, k) & 0xFFFFu;
            const U32 none = ws == 0;
            const U32 divisor = ws + (none & 1u);
            if constexpr (!Boxed) {
                result = (none & widen(load<U16>(s + x * W))) | (~none & quotient(a + ws / 2u, divisor));
            } else {
                const U32 c = window(C, x - K + 1, x + K - 1);
                const U32 bm = quotient(window(S, x - K + 1, x + K - 1), c + (c == 0 ? 1u : 0u));
                const U32 peak = ~none & (quotient(a, divisor) * (32768u - o));
                result = (bm * o + peak + 16384u) / 32768u;
            }
        } else if constexpr (!Boxed) {
            const uint32_t ws = b.weights[x];
            result = ws ? quotient(a + ws / 2u, U32{} + ws) : widen(load<U16>(s + x * W));
        } else {
            const uint32_t ws = b.weights[x];
            // Virtual zeros past the far end count in every lane alike.
            const U32 c = window(C, x - K + 1, x + K - 1) + static_cast<uint32_t>(greater(0, x - vzFrom));
            // A count of 0 means the lane's own sample is masked off: its result is unused.
            const U32 bm = quotient(window(S, x - K + 1, x + K - 1), c + (c == 0 ? 1u : 0u));
            const U32 pm = ws ? quotient(a, U32{} + ws) : U32{};
            result = (bm * o + pm * (32768u - o)) / 32768u;
        }
        store(d, __builtin_convertvector(result, U16));
    }
}

// The 16 x 16 transpose as four rounds of perfect shuffles: row i of the result is column i.
template <class V>
void transpose(V (&r)[W]) {
    for (int32_t round = 0; round < 4; ++round) {
        V t[W];
        for (int32_t i = 0; i < W / 2; ++i) {
            t[2 * i] =
                __builtin_shufflevector(r[i], r[i + W / 2], 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
            t[2 * i + 1] = __builtin_shufflevector(r[i], r[i + W / 2], 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14,
                                                   30, 15, 31);
        }
        for (int32_t i = 0; i < W; ++i)
            r[i] = t[i];
    }
}

// Whether every lane is written: then the old values are not read, which on fresh memory
// would map it first for reading and then again for writing.
inline bool allOpen(U16 open) { return allZero(U16(~open)); }

// Lanes 0 ... lanes - 1 from p, the rest 0: one load when all W are there.
template <class V, class T>
V loadLanes(const T *p, int32_t lanes) {
    if (lanes == W)
        return load<V>(p);
    V v{};
    for (int32_t l = 0; l < lanes; ++l)
        v[l] = p[l];
    return v;
}

// Lanes 0 ... lanes - 1 of v to d where open: one store when all W are there.
inline void storeOpenLanes(uint16_t *d, U16 v, U16 open, int32_t lanes) {
    if (lanes == W) {
        store(d, allOpen(open) ? v : (v & open) | (load<U16>(d) & ~open));
        return;
    }
    for (int32_t l = 0; l < lanes; ++l)
        if (open[l])
            d[l] = v[l];
}

inline bool laneOn(const PlaneLaneBlock &b, int32_t l) { return l < b.count && ((b.laneOn >> l) & 1u); }

// Values x0 ... x0 + W - 1 of W lines (a null line reads as zeros) into lanes: lane l of
// sample x0 + j at to + (x0 + j) * W is line l's value there.
template <class V, class T>
void gatherTile(const T *const *lines, int32_t x0, T *to) {
    V v[W];
    for (int32_t l = 0; l < W; ++l)
        v[l] = lines[l] ? load<V>(lines[l] + x0) : V{};
    transpose(v);
    for (int32_t j = 0; j < W; ++j)
        store(to + (x0 + j) * W, v[j]);
}

// Lines into lanes: lane l of sample i is line first + l at i; lines switched off read as
// masked zeros.
void gather(const PlaneLaneBlock &b) {
    const int32_t n = b.n;
    if (!b.rows) {
        U16 onMask{};
        for (int32_t l = 0; l < W; ++l)
            onMask[l] = laneOn(b, l) ? 0xFFFF : 0;
        const U8 onMask8 = __builtin_convertvector(onMask, U8);
        for (int32_t y = 0; y < n; ++y) {
            const uint16_t *s = b.src + y * b.srcStride + b.first;
            store(b.in + y * W, loadLanes<U16>(s, b.count) & onMask);
            if (!b.mask)
                continue;
            const uint8_t *m = b.mask + y * b.maskStride + b.first;
            store(b.gate + y * W, loadLanes<U8>(m, b.count) & onMask8);
        }
        return;
    }
    const uint16_t *rowsIn[W];
    const uint8_t *masksIn[W];
    for (int32_t l = 0; l < W; ++l) {
        rowsIn[l] = laneOn(b, l) ? b.src + (b.first + l) * b.srcStride : nullptr;
        masksIn[l] = laneOn(b, l) && b.mask ? b.mask + (b.first + l) * b.maskStride : nullptr;
    }
    int32_t x0 = 0;
    for (; x0 + W <= n; x0 += W) {
        gatherTile<U16>(rowsIn, x0, b.in);
        if (b.mask)
            gatherTile<U8>(masksIn, x0, b.gate);
    }
    for (int32_t x = x0; x < n; ++x) {
        for (int32_t l = 0; l < W; ++l) {
            b.in[x * W + l] = rowsIn[l] ? rowsIn[l][x] : 0;
            if (b.mask)
                b.gate[x * W + l] = masksIn[l] ? masksIn[l][x] : 0;
        }
    }
}

// Lanes back into lines where the gate is set, noting which lines and samples got non-zero values.
void scatter(const PlaneLaneBlock &b, Gate gate) {
    const int32_t n = b.n;
    U16 lineLit{};
    if (!b.rows) {
        for (int32_t y = 0; y < n; ++y) {
            uint16_t *d = b.dst + y * b.dstStride + b.first;
            const U16 v = load<U16>(b.out + y * W);
            const U16 open = __builtin_convertvector(gate.at(y), U16) != 0;
            const U16 lit = v & open;
            storeOpenLanes(d, v, open, b.count);
            lineLit |= lit;
            if (!allZero(lit))
                b.crossLit[y] = 1;
        }
    } else {
        uint16_t *rowsOut[W];
        U16 lanesLit[W] = {};
        for (int32_t l = 0; l < W; ++l)
            rowsOut[l] = laneOn(b, l) ? b.dst + (b.first + l) * b.dstStride : nullptr;
        int32_t x0 = 0;
        for (; x0 + W <= n; x0 += W) {
            U16 v[W];
            for (int32_t j = 0; j < W; ++j)
                v[j] = load<U16>(b.out + (x0 + j) * W);
            transpose(v);
            // After the transpose lane l's gate runs along the row; an open mask's is constant.
            U16 opens[W];
            if (gate.stride == 0) {
                for (int32_t l = 0; l < W; ++l)
                    opens[l] = (U16{} + static_cast<uint16_t>(gate.p[l])) != 0;
            } else {
                U8 g[W];
                for (int32_t j = 0; j < W; ++j)
                    g[j] = gate.at(x0 + j);
                transpose(g);
                for (int32_t l = 0; l < W; ++l)
                    opens[l] = __builtin_convertvector(g[l], U16) != 0;
            }
            U16 crossed{};
            for (int32_t l = 0; l < W; ++l) {
                if (!rowsOut[l])
                    continue;
                const U16 open = opens[l];
                const U16 lit = v[l] & open;
                store(rowsOut[l] + x0, allOpen(open) ? lit : lit | (load<U16>(rowsOut[l] + x0) & ~open));
                lanesLit[l] |= lit;
                crossed |= lit;
            }
            for (int32_t j = 0; j < W; ++j)
                if (crossed[j])
                    b.crossLit[x0 + j] = 1;
        }
        for (int32_t x = x0; x < n; ++x) {
            for (int32_t l = 0; l < W; ++l) {
                if (!rowsOut[l] || !gate.at(x, l))
                    continue;
                const uint16_t v = b.out[x * W + l];
                rowsOut[l][x] = v;
                lineLit[l] |= v;
                if (v)
                    b.crossLit[x] = 1;
            }
        }
        for (int32_t l = 0; l < W; ++l)
            lineLit[l] |= allZero(lanesLit[l]) ? 0 : 1;
    }
    for (int32_t l = 0; l < b.count; ++l)
        if (lineLit[l])
            b.lineLit[l] = 1;
}

// Rows that hold only zeros blur to zeros: written straight where the mask lets the pass write,
// without the interleave. (Columns read as fast as they are checked, so they take the usual way.)
bool zeroRows(const PlaneLaneBlock &b) {
    if (!b.rows)
        return false;
    for (int32_t l = 0; l < b.count; ++l) {
        if (!laneOn(b, l))
            continue;
        const uint16_t *s = b.src + (b.first + l) * b.srcStride;
        uint16_t any = 0;
        for (int32_t x = 0; x < b.n; ++x)
            any |= s[x];
        if (any)
            return false;
    }
    for (int32_t l = 0; l < b.count; ++l) {
        if (!laneOn(b, l))
            continue;
        uint16_t *d = b.dst + (b.first + l) * b.dstStride;
        const uint8_t *m = b.mask ? b.mask + (b.first + l) * b.maskStride : nullptr;
        if (!m || !std::memchr(m, 0, static_cast<std::size_t>(b.n))) {
            std::memset(d, 0, sizeof(uint16_t) * static_cast<std::size_t>(b.n));
            continue;
        }
        for (int32_t x = 0; x < b.n; ++x)
            if (m[x])
                d[x] = 0;
    }
    return true;
}

// Four 16-bit pixels as four 64-bit elements, and their 4 x 4 transpose (two rounds of
// perfect shuffles): row k's pixel j becomes pixel k of row j.
using U64 = uint64_t __attribute__((vector_size(32)));

void transpose4(U64 (&r)[4]) {
    for (int32_t round = 0; round < 2; ++round) {
        const U64 t[4] = {
            __builtin_shufflevector(r[0], r[2], 0, 4, 1, 5), __builtin_shufflevector(r[0], r[2], 2, 6, 3, 7),
            __builtin_shufflevector(r[1], r[3], 0, 4, 1, 5), __builtin_shufflevector(r[1], r[3], 2, 6, 3, 7)};
        for (int32_t i = 0; i < 4; ++i)
            r[i] = t[i];
    }
}

// Colour lanes: lane l is channel l % 4 of line first + l / 4.
inline bool colorLaneOn(const PlaneLaneBlock &b, int32_t l) { return laneOn(b, l / 4); }

void gatherColor(const PlaneLaneBlock &b) {
    const int32_t n = b.n;
    if (!b.rows) {
        U16 onMask{};
        for (int32_t l = 0; l < W; ++l)
            onMask[l] = colorLaneOn(b, l) ? 0xFFFF : 0;
        for (int32_t y = 0; y < n; ++y) {
            const uint16_t *s = b.src + y * b.srcStride + b.first * 4;
            store(b.in + y * W, loadLanes<U16>(s, b.count * 4) & onMask);
            if (!b.mask)
                continue;
            const uint8_t *m = b.mask + y * b.maskStride + b.first;
            for (int32_t l = 0; l < W; ++l)
                b.gate[y * W + l] = colorLaneOn(b, l) ? m[l / 4] : 0;
        }
        return;
    }
    const uint16_t *rowsIn[kColorLines];
    for (int32_t k = 0; k < kColorLines; ++k)
        rowsIn[k] = laneOn(b, k) ? b.src + (b.first + k) * b.srcStride : nullptr;
    int32_t x0 = 0;
    for (; x0 + 4 <= n; x0 += 4) {
        U64 r[4];
        for (int32_t k = 0; k < 4; ++k)
            r[k] = rowsIn[k] ? load<U64>(rowsIn[k] + x0 * 4) : U64{};
        transpose4(r);
        for (int32_t j = 0; j < 4; ++j)
            store(b.in + (x0 + j) * W, r[j]);
    }
    for (int32_t x = x0; x < n; ++x)
        for (int32_t l = 0; l < W; ++l)
            b.in[x * W + l] = rowsIn[l / 4] ? rowsIn[l / 4][x * 4 + l % 4] : 0;
    if (!b.mask)
        return;
    for (int32_t k = 0; k < kColorLines; ++k) {
        const uint8_t *m = rowsIn[k] ? b.mask + (b.first + k) * b.maskStride : nullptr;
        for (int32_t x = 0; x < n; ++x)
            for (int32_t c = 0; c < 4; ++c)
                b.gate[x * W + k * 4 + c] = m ? m[x] : 0;
    }
}

void scatterColor(const PlaneLaneBlock &b, Gate gate) {
    const int32_t n = b.n;
    if (!b.rows) {
        for (int32_t y = 0; y < n; ++y) {
            uint16_t *d = b.dst + y * b.dstStride + b.first * 4;
            const U16 v = load<U16>(b.out + y * W);
            const U16 open = __builtin_convertvector(gate.at(y), U16) != 0;
            storeOpenLanes(d, v, open, b.count * 4);
        }
        return;
    }
    uint16_t *rowsOut[kColorLines];
    for (int32_t k = 0; k < kColorLines; ++k)
        rowsOut[k] = laneOn(b, k) ? b.dst + (b.first + k) * b.dstStride : nullptr;
    int32_t x0 = 0;
    if (gate.stride == 0) {
        // Open: every sample of the lines taking part is written.
        for (; x0 + 4 <= n; x0 += 4) {
            U64 r[4];
            for (int32_t j = 0; j < 4; ++j)
                r[j] = load<U64>(b.out + (x0 + j) * W);
            transpose4(r);
            for (int32_t k = 0; k < 4; ++k)
                if (rowsOut[k])
                    store(rowsOut[k] + x0 * 4, r[k]);
        }
    }
    for (int32_t x = x0; x < n; ++x)
        for (int32_t l = 0; l < W; ++l)
            if (rowsOut[l / 4] && gate.at(x, l))
                rowsOut[l / 4][x * 4 + l % 4] = b.out[x * W + l];
}

// One block under either rule: lines into lanes, blurred, lanes back into the lines where the
// gate is open (the mask's, or without one every lane of a line taking part).
template <bool Color>
void blurLanes(const PlaneLaneBlock &b, const PlaneLaneKernelView &k) {
    if constexpr (Color)
        gatherColor(b);
    else
        gather(b);
    uint8_t lanesOpen[W];
    for (int32_t l = 0; l < W; ++l)
        lanesOpen[l] = (Color ? colorLaneOn(b, l) : laneOn(b, l)) ? 1 : 0;
    const Gate gate = b.mask ? Gate{b.gate, W} : Gate{lanesOpen, 0};
    if (k.box != 0)
        blurBlock<true, Color>(b, k, gate);
    else
        blurBlock<false, Color>(b, k, gate);
    if constexpr (Color)
        scatterColor(b, gate);
    else
        scatter(b, gate);
}

} // namespace

void blurPlaneLanes(const PlaneLaneBlock &b, const PlaneLaneKernelView &k) {
    if (b.n <= 0 || b.count <= 0)
        return;
    if (b.rule == LaneRule::Color16)
        blurLanes<true>(b, k);
    else if (!zeroRows(b))
        blurLanes<false>(b, k);
}

} // namespace AEUtil::LUMORA_ISA
