// Per-row kernels of glow-source extraction: the threshold rule with its soft fade, by luminance
// or by alpha, from 8 bpc, 16 bpc and float pixels onto the 16-bit (32768 = 1.0) glow scale.
#ifndef LUMORA_RENDER_GLOWSOURCEROWS_H
#define LUMORA_RENDER_GLOWSOURCEROWS_H

#include "AE_Effect.h"

#include <cstdint>

namespace AEUtil {

// Input Channel popup value that selects luminance; every other value selects alpha.
inline constexpr A_long kInputChannelLuminance = 1;

// thr and soft on the 16-bit scale, with the lower edge of the soft zone precomputed.
struct ThresholdRule {
    A_long thrMinus1; // values above this pass whole
    A_long lo;        // values at or below this give 0
    A_long soft;      // width divisor of the soft zone (> 0 whenever the zone is non-empty)

    ThresholdRule(A_long thr, A_long soft);

    // Luminance rule on v = a16 * L: the soft zone fades with the fractional quotient.
    uint16_t apply(double v) const;
};

// Alpha on the 16-bit scale, as every extraction reads it.
uint16_t alpha16(const PF_Pixel8 &p);
uint16_t alpha16(const PF_Pixel16 &p);
uint16_t alpha16(const PF_PixelFloat &p);

// Luminance capped to 0 ... 1, with the weights and scale of the form.
double luminance(const PF_Pixel8 &p);
double luminance(const PF_Pixel16 &p);
double luminance(const PF_PixelFloat &p);

void extractLuminanceRow(const PF_Pixel8 *src, A_long width, const ThresholdRule &rule, uint16_t *dst);
void extractLuminanceRow(const PF_Pixel16 *src, A_long width, const ThresholdRule &rule, uint16_t *dst);
void extractLuminanceRow(const PF_PixelFloat *src, A_long width, const ThresholdRule &rule, uint16_t *dst);

void extractAlphaRow(const PF_Pixel8 *src, A_long width, const ThresholdRule &rule, uint16_t *dst);
void extractAlphaRow(const PF_Pixel16 *src, A_long width, const ThresholdRule &rule, uint16_t *dst);
void extractAlphaRow(const PF_PixelFloat *src, A_long width, const ThresholdRule &rule, uint16_t *dst);

// Picks the luminance or alpha kernel by the Input Channel popup value.
void extractGlowSourceRow(const PF_Pixel8 *src, A_long width, const ThresholdRule &rule, A_long inputChannel,
                          uint16_t *dst);
void extractGlowSourceRow(const PF_Pixel16 *src, A_long width, const ThresholdRule &rule, A_long inputChannel,
                          uint16_t *dst);
void extractGlowSourceRow(const PF_PixelFloat *src, A_long width, const ThresholdRule &rule, A_long inputChannel,
                          uint16_t *dst);

} // namespace AEUtil

#endif
