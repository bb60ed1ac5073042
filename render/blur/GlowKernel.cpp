// Kernel weights: a normalised Gaussian truncated to 1/32768 steps, with the truncation loss
// handed back tap by tap from the centre outwards so the total is exact.
#include "render/blur/GlowKernel.h"

#include <cmath>

namespace AEUtil {

GlowKernel MakeGlowKernel(int32_t K, double v) {
    GlowKernel k;
    if (K <= 1) {
        k.weights = {32768};
        return k;
    }
    std::vector<double> g(static_cast<std::size_t>(K));
    double sum = 0.0;
    for (int32_t i = 0; i < K; ++i) {
        g[i] = std::exp(-0.5 * double(i) * double(i) / v);
        sum += g[i];
    }
    const double S = 2.0 * sum - g[0];
    for (double &x : g)
        x /= S;

    k.halfWidth = K;
    double m = 0.0;
    if (K > kMaxPeakTaps) {
        double tailSum = 0.0;
        for (int32_t i = kMaxPeakTaps; i < K; ++i)
            tailSum += g[i];
        m = tailSum / (K - kMaxPeakTaps);
        k.tail = static_cast<uint16_t>(static_cast<int32_t>(m * 32768.0));
    }
    const int32_t L = K > kMaxPeakTaps ? kMaxPeakTaps : K;
    k.weights.resize(static_cast<std::size_t>(L));
    int64_t E = 0;
    for (int32_t i = 0; i < L; ++i) {
        k.weights[i] = static_cast<uint16_t>(static_cast<int32_t>((g[i] - m) * 32768.0));
        E += k.weights[i];
    }

    // d = 32768 minus the current full-width total; the centre counts once, side taps twice.
    int64_t d = 2 * (16384 - E) - int64_t(2 * K - 1) * k.tail + k.weights[0];
    for (int64_t n = 0; d > 1; ++n) {
        const auto idx = static_cast<std::size_t>(n % L);
        k.weights[idx] = static_cast<uint16_t>(k.weights[idx] + 1);
        d -= idx == 0 ? 1 : 2;
    }
    k.weights[0] = static_cast<uint16_t>(k.weights[0] + d);
    k.box = static_cast<uint16_t>(int64_t(2 * K - 1) * k.tail);
    return k;
}

} // namespace AEUtil
