// Every build of the luminance lanes against the literal row, over thresholds at their edges,
// row lengths around the eight-pixel step and pixels of every alpha.
#include "render/source/LuminanceLanes.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "render/source/GlowSourceRows.h"

using namespace AEUtil;

namespace {

template <class Pixel, class Chan, class Run>
void expectLiteral(Run run, Chan maxChannel, const char *isa) {
    std::mt19937 rng(7);
    const struct {
        A_long thr, soft;
    } rules[] = {{0, 0}, {1, 0}, {1, 40}, {19660, 3276}, {32768, 0}, {32768, 32768}, {65535, 65535}, {65536, 9}};
    for (const auto &r : rules)
        for (int32_t width : {0, 1, 7, 8, 9, 23, 301}) {
            std::vector<Pixel> px(static_cast<std::size_t>(width));
            for (Pixel &p : px) {
                // Alpha 0 and full alpha often; channels from 0 to the form's top and beyond.
                const auto pick = [&] {
                    const uint32_t k = rng() % 4;
                    return static_cast<Chan>(k == 0 ? 0 : k == 1 ? maxChannel : rng() % (uint32_t{maxChannel} + 1));
                };
                p = {pick(), pick(), pick(), pick()};
            }
            // A run of transparent pixels with colour, as the enlarged area's border.
            for (std::size_t x = 0; x < px.size() && x < 12; ++x)
                px[x].alpha = 0;
            const ThresholdRule rule(r.thr, r.soft);
            std::vector<uint16_t> literal(px.size(), 1), fast(px.size(), 2);
            extractLuminanceRow(px.data(), width, rule, literal.data());
            run(reinterpret_cast<const Chan *>(px.data()), width, luminanceLaneRule(rule), fast.data());
            EXPECT_EQ(literal, fast) << isa << " thr " << r.thr << " soft " << r.soft << " width " << width;
        }
}

} // namespace

TEST(LuminanceLanes, EveryBuildMatchesTheLiteralRow) {
    for (const auto &v : luminanceLaneVariants()) {
        expectLiteral<PF_Pixel8, uint8_t>(v.run.run8, uint8_t{255}, isaName(v.isa));
        expectLiteral<PF_Pixel16, uint16_t>(v.run.run16, uint16_t{32768}, isaName(v.isa));
        expectLiteral<PF_Pixel16, uint16_t>(v.run.run16, uint16_t{65535}, isaName(v.isa));
    }
}
