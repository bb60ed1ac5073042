// The fast final composite against its references: compositeRowFast against compositePixel for
// every kernel mode, and the table-driven Normal tail against the curve, Colourise, Opacity and
// composite stages it replaces, at every depth and View.
#include <gtest/gtest.h>

#include <random>
#include <type_traits>
#include <vector>

#include "../StageTestSupport.h"
#include "render/color/ColorFinishStages.h"
#include "render/color/ColorizeStage.h"
#include "render/composite/BlendModeTable.h"
#include "render/composite/ColorGlowTail.h"
#include "render/composite/CompositeRows.h"
#include "render/composite/CompositeStages.h"
#include "render/composite/NormalGlowTail.h"
#include "render/composite/PixelComposite.h"
#include "render/pipeline/HostWorldOps.h"
#include "render/source/FormatConvert.h"
#include "render/source/GlowSourceStages.h"

namespace {

using namespace stagetest;

// Mostly the values where the arithmetic turns: 0, full, just below full, and (16 bpc) past it.
template <class Channel>
Channel channelValue(std::mt19937 &rng, int full, bool beyond) {
    const int pick = static_cast<int>(rng() % 8);
    if (pick == 0)
        return 0;
    if (pick == 1)
        return static_cast<Channel>(full);
    if (pick == 2)
        return static_cast<Channel>(full - 1);
    if (pick == 3 && beyond)
        return static_cast<Channel>(full + 1 + rng() % (65535 - full));
    return static_cast<Channel>(rng() % (full + 1));
}

template <class Pixel>
Pixel randomPixel(std::mt19937 &rng) {
    constexpr bool wide = sizeof(Pixel) == 8;
    using Channel = decltype(Pixel::red);
    const int full = wide ? 32768 : 255;
    Pixel p;
    p.alpha = channelValue<Channel>(rng, full, false);
    p.red = channelValue<Channel>(rng, full, wide);
    p.green = channelValue<Channel>(rng, full, wide);
    p.blue = channelValue<Channel>(rng, full, wide);
    return p;
}

template <class Pixel>
void checkRows(uint32_t seed) {
    std::mt19937 rng(seed);
    constexpr int kPixels = 20000;
    std::vector<Pixel> lower(kPixels), upper(kPixels), table(kGlowValues);
    std::vector<uint16_t> glow(kPixels);
    for (int i = 0; i < kPixels; ++i) {
        lower[i] = i % 7 < 2 ? Pixel{} : randomPixel<Pixel>(rng); // runs of transparent black too
        upper[i] = randomPixel<Pixel>(rng);
        glow[i] = static_cast<uint16_t>(i); // table entry i holds upper[i]
        table[static_cast<std::size_t>(i)] = upper[i];
    }
    for (A_long mode = kBlendKeepLower; mode <= kBlendTakeUpper; ++mode) {
        std::vector<Pixel> overClear(kGlowValues);
        compositeOverClear(table.data(), table.size(), mode, overClear.data());
        std::vector<Pixel> expected = lower, byPixel = lower, byTable = lower;
        for (int i = 0; i < kPixels; ++i)
            compositePixel(expected[i], upper[i], mode);
        compositeRowFast(byPixel.data(), upper.data(), kPixels, mode);
        compositeRowFast(byTable.data(), glow.data(), table.data(), overClear.data(), kPixels, mode);
        for (int i = 0; i < kPixels; ++i) {
            ASSERT_EQ(0, std::memcmp(&expected[i], &byPixel[i], sizeof(Pixel))) << "mode " << mode << " pixel " << i;
            ASSERT_EQ(0, std::memcmp(&expected[i], &byTable[i], sizeof(Pixel))) << "mode " << mode << " pixel " << i;
        }
    }
}

TEST(CompositeRowsFast, EveryModeMatchesThePixelComposite) {
    checkRows<PF_Pixel8>(7);
    checkRows<PF_Pixel16>(8);
    checkRows<PF_PixelFloat>(9);
}

// The glow plane through the stages the tail replaces, and through the tail.
template <class Pixel>
void checkTail(A_long view, A_long blendPopup, double intensity, double opacity, uint32_t seed) {
    SCOPED_TRACE(::testing::Message() << sizeof(Pixel) << "-byte pixels, view " << view << " blend " << blendPopup
                                      << " intensity " << intensity << " opacity " << opacity);
    embedhost::Host host(workers(3));
    const StageHost stages = stagesOf(host);
    std::mt19937 rng(seed);
    constexpr int W = 37, H = 23;
    GlowPlane glow = plane(W, H);
    GlowPlane curved = plane(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const uint32_t r = rng() % 6;
            glow.row(y)[x] = r == 0 ? 0 : r == 1 ? 65535 : r == 2 ? 32768 : static_cast<uint16_t>(rng());
            curved.row(y)[x] = glow.row(y)[x];
        }
    World<Pixel> staged(W + 3, H + 2), tabled(W + 3, H + 2), image(W, H);
    for (std::size_t i = 0; i < staged.px.size(); ++i)
        staged.px[i] = i % 3 == 0 ? Pixel{} : randomPixel<Pixel>(rng); // transparent black too
    tabled.px = staged.px;
    const ColorFlagList gradient = twoStops({255, 250, 40, 10}, {255, 10, 90, 255});
    ColorizeSettings coloring;
    coloring.gradient = &gradient;
    const PlaneRect rect{0, 0, W, H};

    ASSERT_EQ(PF_Err_NONE, applyIntensityCurve(stages, rect, intensity, curved));
    ASSERT_EQ(PF_Err_NONE, colorizeStage<Pixel>(stages, image.w, nullptr, curved, curved, rect, coloring));
    if (opacityStageRuns(opacity)) {
        ASSERT_EQ(PF_Err_NONE, opacityStage<Pixel>(stages, image.w, rect, opacity));
    }
    ASSERT_EQ(PF_Err_NONE, finalCompositeStage<Pixel>(stages, staged.w, image.w, rect, blendPopup, view));

    NormalGlowLook look{intensity, coloring, opacityStageRuns(opacity), opacity};
    NormalGlowTables<Pixel> tables;
    ASSERT_EQ(PF_Err_NONE, buildNormalGlowTables(stages, look, blendPopup, tables));
    ASSERT_EQ(PF_Err_NONE, normalGlowTailStage<Pixel>(stages, tabled.w, glow, tables, rect, blendPopup, view));
    EXPECT_EQ(staged.bytes(), tabled.bytes());
}

TEST(NormalGlowTail, MatchesTheStagesItReplaces) {
    struct Case {
        A_long view, blendPopup;
        double intensity, opacity;
    };
    const Case cases[] = {
        {kViewNormal, 3, 1.0, 100.0}, {kViewNormal, 5, 2.5, 37.5},  {kViewNormal, 1, 0.0, 100.0},
        {kViewNormal, 14, 0.3, 0.0},  {kViewExtract, 3, 1.7, 62.0}, {2, 3, 1.0, 100.0},
    };
    uint32_t seed = 1;
    for (const Case &c : cases) {
        checkTail<PF_Pixel8>(c.view, c.blendPopup, c.intensity, c.opacity, seed);
        checkTail<PF_Pixel16>(c.view, c.blendPopup, c.intensity, c.opacity, seed);
        checkTail<PF_PixelFloat>(c.view, c.blendPopup, c.intensity, c.opacity, seed++);
    }
}

// The blurred colour glow through the finishing stages the colour tail replaces, and through it.
template <class Pixel>
void checkColorTail(A_long view, A_long blendPopup, double intensity, double opacity, uint32_t seed) {
    using Wide = std::conditional_t<std::is_same_v<Pixel, PF_PixelFloat>, PF_PixelFloat, PF_Pixel16>;
    SCOPED_TRACE(::testing::Message() << sizeof(Pixel) << "-byte pixels, view " << view << " blend " << blendPopup
                                      << " intensity " << intensity << " opacity " << opacity);
    embedhost::Host host(workers(3));
    const StageHost stages = stagesOf(host);
    std::mt19937 rng(seed);
    constexpr int W = 29, H = 17;
    World<Wide> glow(W, H), finished(W, H);
    for (Wide &p : glow.px) {
        const PF_Pixel16 q = randomPixel<PF_Pixel16>(rng); // premultiplied or not: every path
        if constexpr (std::is_same_v<Wide, PF_PixelFloat>)
            p = {q.alpha / 32768.0f, q.red / 32768.0f, q.green / 32768.0f, q.blue / 32768.0f};
        else
            p = q;
    }
    finished.px = glow.px;
    World<Pixel> staged(W + 2, H + 1), fused(W + 2, H + 1), image(W, H);
    for (Pixel &p : staged.px)
        p = std::is_same_v<Pixel, PF_PixelFloat> ? Pixel{} : randomPixel<Pixel>(rng);
    fused.px = staged.px;
    const PlaneRect rect{0, 0, W, H};

    ASSERT_EQ(PF_Err_NONE, unpremultiplyStage<Wide>(stages, finished.w, rect));
    ASSERT_EQ(PF_Err_NONE, colorIntensityStage<Wide>(stages, finished.w, rect, intensity));
    if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
        ASSERT_EQ(PF_Err_NONE, reduceTo8(stages, image.w, finished.w, rect));
    } else {
        image.px = finished.px;
    }
    if (opacityStageRuns(opacity)) {
        ASSERT_EQ(PF_Err_NONE, opacityStage<Pixel>(stages, image.w, rect, opacity));
    }
    ASSERT_EQ(PF_Err_NONE, finalCompositeStage<Pixel>(stages, staged.w, image.w, rect, blendPopup, view));

    const ColorGlowFinish finish{intensity, opacityStageRuns(opacity), opacity, blendPopup, view};
    ASSERT_EQ(PF_Err_NONE, colorGlowTailStage<Pixel>(stages, fused.w, glow.w, rect, finish));
    EXPECT_EQ(staged.bytes(), fused.bytes());
}

TEST(ColorGlowTail, MatchesTheStagesItReplaces) {
    const struct {
        A_long view, blendPopup;
        double intensity, opacity;
    } cases[] = {
        {kViewNormal, 3, 1.0, 100.0}, {kViewNormal, 7, 2.5, 37.5}, {kViewExtract, 3, 0.0, 62.0}, {2, 5, 1.3, 100.0}};
    uint32_t seed = 11;
    for (const auto &c : cases) {
        checkColorTail<PF_Pixel8>(c.view, c.blendPopup, c.intensity, c.opacity, seed);
        checkColorTail<PF_Pixel16>(c.view, c.blendPopup, c.intensity, c.opacity, seed);
        checkColorTail<PF_PixelFloat>(c.view, c.blendPopup, c.intensity, c.opacity, seed++);
    }
}

} // namespace
