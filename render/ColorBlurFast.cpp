#include "render/ColorBlurFast.h"

#include <algorithm>

namespace AEUtil {

void blurColorLine16Fast(const uint16_t *const in[4], const uint8_t *m, int32_t n, const NestedBoxKernel &k,
                         ColorBlurScratch &sc, uint16_t *const out[4]) {
    if (n <= 0)
        return;
    auto lit = [&](int32_t x) { return m[x] && (in[0][x] | in[1][x] | in[2][x] | in[3][x]); };
    int32_t first = 0;
    while (first < n && !lit(first))
        ++first;
    auto zero = [&](int32_t x) {
        for (int c = 0; c < 4; ++c)
            out[c][x] = 0;
    };
    if (first == n) {
        // Only zeros take part: every output the pass writes is 0.
        for (int32_t x = 0; x < n; ++x)
            if (m[x])
                zero(x);
        return;
    }
    int32_t last = n - 1;
    while (!lit(last))
        --last;

    const auto size = static_cast<std::size_t>(n) + 1;
    sc.count.resize(size);
    uint32_t *M = sc.count.data();
    M[0] = 0;
    bool open = true;
    for (int32_t i = 0; i < n; ++i) {
        M[i + 1] = M[i] + (m[i] ? 1u : 0u);
        open = open && m[i];
    }
    uint32_t *Q[4];
    for (int c = 0; c < 4; ++c) {
        sc.prefix[c].resize(size);
        Q[c] = sc.prefix[c].data();
        Q[c][0] = 0;
        for (int32_t i = 0; i < n; ++i)
            Q[c][i + 1] = Q[c][i] + (m[i] ? in[c][i] : 0u);
    }

    const int32_t L = k.peakTaps;
    const int32_t K = k.halfWidth;
    const uint32_t o = k.box;
    const int32_t reach = o ? K - 1 : L - 1;
    const int32_t lo = std::max(first - reach, 0);
    const int32_t hi = std::min(last + reach, n - 1);
    for (int32_t x = 0; x < n; ++x)
        if (m[x] && (x < lo || x > hi))
            zero(x);

    const int32_t peakLo = std::max(first - (L - 1), 0);
    const int32_t peakHi = std::min(last + (L - 1), n - 1);
    const int32_t innerLo = std::max(peakLo, L - 1);
    const int32_t innerHi = std::min(peakHi, n - L);
    uint32_t *acc[4];
    for (int c = 0; c < 4; ++c) {
        sc.acc[c].resize(static_cast<std::size_t>(n));
        acc[c] = sc.acc[c].data();
    }
    sc.weight.resize(static_cast<std::size_t>(n));
    uint32_t *weight = sc.weight.data();
    if (innerLo <= innerHi) {
        for (int c = 0; c < 4; ++c)
            nestedSums(Q[c], k, innerLo, innerHi, acc[c]);
        if (!open)
            nestedSums(M, k, innerLo, innerHi, weight);
    }

    for (int32_t x = lo; x <= hi; ++x) {
        if (!m[x])
            continue;
        uint32_t a[4] = {0, 0, 0, 0};
        uint32_t ws;
        const bool inner = x >= innerLo && x <= innerHi;
        if (inner) {
            for (int c = 0; c < 4; ++c)
                a[c] = acc[c][x];
            ws = open ? k.fullWeight : weight[x];
        } else {
            if (x >= peakLo && x <= peakHi)
                for (int c = 0; c < 4; ++c)
                    a[c] = clippedNestedSum(Q[c], n, x, k);
            ws = (open && x >= L - 1 && x <= n - L) ? k.fullWeight : clippedNestedSum(M, n, x, k);
        }
        ws = static_cast<uint16_t>(ws);
        if (o == 0) {
            if (ws == 0) {
                for (int c = 0; c < 4; ++c)
                    out[c][x] = in[c][x];
                continue;
            }
            for (int c = 0; c < 4; ++c)
                out[c][x] = static_cast<uint16_t>((a[c] + ws / 2u) / ws);
            continue;
        }
        const int32_t left = std::max(0, x - K + 1);
        const int32_t right = std::min(x + K - 1, n - 1);
        const uint32_t count = M[right + 1] - M[left];
        if (count == 0)
            continue;
        for (int c = 0; c < 4; ++c) {
            const uint64_t bm = (Q[c][right + 1] - Q[c][left]) / count;
            const uint64_t peak = ws ? uint64_t(a[c] / ws) * (32768u - o) : 0;
            out[c][x] = static_cast<uint16_t>((bm * o + peak + 16384u) / 32768u);
        }
    }
}

} // namespace AEUtil
