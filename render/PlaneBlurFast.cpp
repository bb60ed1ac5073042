#include "render/PlaneBlurFast.h"

#include <algorithm>

namespace AEUtil {

NestedBoxKernel nestedBoxes(const GlowKernel &k) {
    NestedBoxKernel n;
    n.peakTaps = k.length();
    n.halfWidth = k.halfWidth;
    n.box = k.box;
    for (int32_t m = 0; m < n.peakTaps; ++m) {
        const uint32_t w = k.weights[static_cast<std::size_t>(m)];
        const uint32_t next = m + 1 < n.peakTaps ? k.weights[static_cast<std::size_t>(m) + 1] : 0u;
        n.fullWeight += (m == 0 ? 1u : 2u) * w;
        if (w != next) {
            n.radii.push_back(m);
            n.steps.push_back(w - next);
        }
    }
    return n;
}

void nestedSums(const uint32_t *prefix, const NestedBoxKernel &k, int32_t from, int32_t to, uint32_t *acc) {
    std::fill(acc + from, acc + to + 1, 0u);
    for (std::size_t i = 0; i < k.radii.size(); ++i) {
        const int32_t r = k.radii[i];
        const uint32_t step = k.steps[i];
        const uint32_t *plus = prefix + r + 1;
        const uint32_t *minus = prefix - r;
        for (int32_t x = from; x <= to; ++x)
            acc[x] += step * (plus[x] - minus[x]);
    }
}

uint32_t clippedNestedSum(const uint32_t *prefix, int32_t n, int32_t x, const NestedBoxKernel &k) {
    uint32_t sum = 0;
    for (std::size_t i = 0; i < k.radii.size(); ++i) {
        const int32_t lo = std::max(x - k.radii[i], 0);
        const int32_t hi = std::min(x + k.radii[i], n - 1);
        sum += k.steps[i] * (prefix[hi + 1] - prefix[lo]);
    }
    return sum;
}

namespace {

// The peak's weight sum at x, the window clipped to the line.
uint32_t clippedWeight(int32_t n, int32_t x, const NestedBoxKernel &k) {
    uint32_t weight = 0;
    for (std::size_t i = 0; i < k.radii.size(); ++i) {
        const int32_t lo = std::max(x - k.radii[i], 0);
        const int32_t hi = std::min(x + k.radii[i], n - 1);
        weight += k.steps[i] * static_cast<uint32_t>(hi - lo + 1);
    }
    return weight;
}

} // namespace

void blurLineFast(const uint16_t *s, const uint8_t *m, int32_t n, const NestedBoxKernel &k,
                  PlaneBlurScratch &sc, uint16_t *out) {
    if (n <= 0)
        return;
    int32_t first = 0;
    while (first < n && s[first] == 0)
        ++first;
    if (first == n) {
        // Every window sums to zero: each output the pass writes is 0.
        for (int32_t x = 0; x < n; ++x)
            if (m[x])
                out[x] = 0;
        return;
    }
    int32_t last = n - 1;
    while (s[last] == 0)
        --last;

    const auto size = static_cast<std::size_t>(n) + 1;
    sc.prefix.resize(size);
    sc.acc.resize(static_cast<std::size_t>(n));
    uint32_t *P = sc.prefix.data();
    P[0] = 0;
    for (int32_t i = 0; i < n; ++i)
        P[i + 1] = P[i] + s[i];

    const int32_t L = k.peakTaps;
    const int32_t K = k.halfWidth;
    const bool boxed = k.box != 0;
    uint32_t *C = nullptr;
    uint32_t *S = nullptr;
    if (boxed) {
        sc.countPrefix.resize(size);
        sc.sumPrefix.resize(size);
        C = sc.countPrefix.data();
        S = sc.sumPrefix.data();
        C[0] = S[0] = 0;
        for (int32_t i = 0; i < n; ++i) {
            const bool lit = m[i] && s[i];
            C[i + 1] = C[i] + (m[i] ? (s[i] ? 10u : 1u) : 0u);
            S[i + 1] = S[i] + (lit ? 10u * s[i] : 0u);
        }
    }

    // Where a window can reach a non-zero sample; outside, every sum is 0.
    const int32_t reach = boxed ? K - 1 : L - 1;
    const int32_t lo = std::max(first - reach, 0);
    const int32_t hi = std::min(last + reach, n - 1);
    for (int32_t x = 0; x < lo; ++x)
        if (m[x])
            out[x] = 0;
    for (int32_t x = hi + 1; x < n; ++x)
        if (m[x])
            out[x] = 0;

    // Peak sums where the whole window lies inside the line.
    const int32_t peakLo = std::max(first - (L - 1), 0);
    const int32_t peakHi = std::min(last + (L - 1), n - 1);
    const int32_t innerLo = std::max(peakLo, L - 1);
    const int32_t innerHi = std::min(peakHi, n - L);
    uint32_t *acc = sc.acc.data();
    if (innerLo <= innerHi)
        nestedSums(P, k, innerLo, innerHi, acc);

    const uint32_t o = k.box;
    const int32_t vzFrom = std::max(0, n - K);
    for (int32_t x = lo; x <= hi; ++x) {
        if (!m[x])
            continue;
        uint32_t a = 0;
        uint32_t ws = k.fullWeight;
        if (x >= innerLo && x <= innerHi) {
            a = acc[x];
        } else {
            if (x >= peakLo && x <= peakHi)
                a = clippedNestedSum(P, n, x, k);
            if (x < L - 1 || x > n - L)
                ws = clippedWeight(n, x, k);
        }
        ws = static_cast<uint16_t>(ws);
        uint32_t result;
        if (!boxed) {
            result = ws ? (a + ws / 2u) / ws : s[x];
        } else {
            const int32_t left = std::max(0, x - K + 1);
            const int32_t right = std::min(x + K - 1, n - 1);
            const uint32_t c = C[right + 1] - C[left] + static_cast<uint32_t>(std::max(0, x - vzFrom));
            if (c == 0)
                continue;
            const uint64_t bm = (S[right + 1] - S[left]) / c;
            const uint64_t pm = ws ? a / ws : 0;
            result = static_cast<uint32_t>((bm * o + pm * (32768u - o)) / 32768u);
        }
        out[x] = static_cast<uint16_t>(result);
    }
}

} // namespace AEUtil
