// The fast plane and colour blurs against the tap-by-tap passes: random images, masks
// and kernels, both passes, every value (and plane flag) identical.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <type_traits>
#include <vector>

#include "render/blur/BlurGlowPlane.h"
#include "render/blur/BlurGlowWorld.h"
#include "render/blur/PlaneLanes.h"

namespace {

using namespace AEUtil;

struct Case {
    int32_t width, height;
    double radius, aspect;
    bool gatedMask;
    double density; // share of non-zero samples
};

// Sparse bright spots and runs, with the extremes 1, 32768 and 65535 among the values.
void fillRandom(GlowPlane &p, std::mt19937 &rng, double density) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const uint16_t extremes[] = {1, 32768, 65535};
    for (int32_t y = 0; y < p.height; ++y) {
        for (int32_t x = 0; x < p.width; ++x) {
            uint16_t v = 0;
            if (u(rng) < density)
                v = u(rng) < 0.2 ? extremes[rng() % 3] : static_cast<uint16_t>(rng());
            p.row(y)[x] = v;
        }
    }
    for (int32_t y = 0; y < p.height; ++y)
        p.rowFlags[y] = static_cast<uint8_t>(rng() & 1);
    for (int32_t x = 0; x < p.width; ++x)
        p.colFlags[x] = static_cast<uint8_t>(rng() & 1);
    p.content = 0;
}

void fillMask(MaskPlane &m, std::mt19937 &rng, bool gated) {
    fillOpenMask(m);
    if (!gated)
        return;
    for (int32_t y = 0; y < m.height; ++y)
        for (int32_t x = 0; x < m.width; ++x)
            m.row(y)[x] = (rng() % 4) ? 1 : 0;
    for (int32_t y = 0; y < m.height; ++y)
        m.rowFlags[y] = (rng() % 5) ? 1 : 0;
    for (int32_t x = 0; x < m.width; ++x)
        m.colFlags[x] = (rng() % 5) ? 1 : 0;
}

void expectSamePlanes(const GlowPlane &a, const GlowPlane &b, const char *what) {
    for (int32_t y = 0; y < a.height; ++y)
        ASSERT_EQ(std::memcmp(a.row(y), b.row(y), sizeof(uint16_t) * a.width), 0) << what << " row " << y;
    for (int32_t y = 0; y < a.height; ++y)
        ASSERT_EQ(a.rowFlags[y], b.rowFlags[y]) << what << " row flag " << y;
    for (int32_t x = 0; x < a.width; ++x)
        ASSERT_EQ(a.colFlags[x], b.colFlags[x]) << what << " column flag " << x;
    ASSERT_EQ(a.content, b.content) << what;
}

GlowPlane copyOf(const GlowPlane &p) {
    GlowPlane c;
    c.resize(p.width, p.height, {});
    c.copyFrom(p);
    return c;
}

void checkCase(const Case &c, uint32_t seed) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " r" << c.radius << " aspect " << c.aspect
                                      << (c.gatedMask ? " gated" : " open") << " seed " << seed);
    std::mt19937 rng(seed);
    GlowPlane src, literal, fast;
    MaskPlane mask;
    src.resize(c.width, c.height, {});
    literal.resize(c.width, c.height, {});
    fast.resize(c.width, c.height, {});
    mask.resize(c.width, c.height, {});
    fillRandom(src, rng, c.density);
    fillMask(mask, rng, c.gatedMask);
    const BlurWidths widths = glowBlurWidths(c.radius, c.aspect, true);
    for (bool rowPass : {true, false}) {
        const GlowKernel kernel = kernelForWidth(rowPass ? widths.horizontal : widths.vertical);
        const NestedBoxKernel boxes = nestedBoxes(kernel);
        // What the pass does not write stays: both destinations start as the same noise.
        fillRandom(literal, rng, 0.5);
        const GlowPlane before = copyOf(literal);
        const int32_t lines = rowPass ? c.height : c.width;
        blurPlaneLinesLiteral({&src, &literal, &mask, &kernel, rowPass, &boxes}, 0, lines);
        // Every build of the lane kernel this CPU runs, each over bands that split its blocks.
        for (const PlaneLaneVariant &v : planeLaneVariants()) {
            fast.copyFrom(before);
            // An open mask may also be given as none at all, as the render does.
            const bool open = maskIsOpen(mask);
            const PlanePass pass{&src,    &fast,   open && v.run != planeLaneKernel() ? nullptr : &mask,
                                 &kernel, rowPass, &boxes,
                                 v.run,   open};
            const int32_t split = lines / 3;
            blurPlaneLines(pass, 0, split);
            blurPlaneLines(pass, split, lines);
            expectSamePlanes(literal, fast, v.isa);
        }
    }
}

// A world inside a larger one: the rectangle sits one pixel in from the left and top.
template <class Pixel>
struct TestWorld {
    int32_t width, height;
    std::vector<Pixel> px;
    PF_EffectWorld w{};
    TestWorld(int32_t rw, int32_t rh) : width(rw + 2), height(rh + 2), px(std::size_t(width) * height) {
        w.data = reinterpret_cast<PF_Pixel *>(px.data());
        w.width = width;
        w.height = height;
        w.rowbytes = width * int32_t(sizeof(Pixel));
    }
    // 16-bit channels 0 ... 32768; float ones the same over 32768, with a -0.0 now and then.
    void fill(std::mt19937 &rng, double density) {
        std::uniform_real_distribution<double> u(0.0, 1.0);
        for (Pixel &p : px) {
            p = {};
            if (u(rng) < density) {
                const A_u_short v[4] = {A_u_short(rng() % 32769), A_u_short(rng() % 32769), A_u_short(rng() % 32769),
                                        A_u_short(u(rng) < 0.1 ? 32768 : rng() % 32769)};
                if constexpr (std::is_same_v<Pixel, PF_Pixel16>)
                    p = {v[0], v[1], v[2], v[3]};
                else
                    p = {v[0] / 32768.0f, v[1] / 32768.0f, v[2] / 32768.0f, v[3] / 32768.0f};
            } else if constexpr (!std::is_same_v<Pixel, PF_Pixel16>) {
                if (u(rng) < 0.05)
                    p.red = -0.0f;
            }
        }
    }
};

template <class Pixel>
void checkColorCase(const Case &c, uint32_t seed) {
    SCOPED_TRACE(::testing::Message() << (sizeof(Pixel) == 8 ? "16-bit " : "float ") << c.width << "x" << c.height
                                      << " r" << c.radius << " aspect " << c.aspect
                                      << (c.gatedMask ? " gated" : " open") << " seed " << seed);
    std::mt19937 rng(seed);
    TestWorld<Pixel> src(c.width, c.height), literal(c.width, c.height), fast(c.width, c.height);
    MaskPlane mask;
    mask.resize(c.width, c.height, {});
    src.fill(rng, c.density);
    fillMask(mask, rng, c.gatedMask);
    const PlaneRect rect{1, 1, c.width + 1, c.height + 1};
    const BlurWidths widths = glowBlurWidths(c.radius, c.aspect, false);
    for (bool rowPass : {true, false}) {
        const GlowKernel kernel = kernelForWidth(rowPass ? widths.horizontal : widths.vertical);
        const NestedBoxKernel boxes = nestedBoxes(kernel);
        literal.fill(rng, 0.5);
        const int32_t lines = rowPass ? c.height : c.width;
        const WorldPass literalPass{&src.w, &literal.w, rect, &mask, &kernel, rowPass, &boxes};
        const auto before = literal.px;
        if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
            blurWorldLines16Literal(literalPass, 0, lines);
            for (const PlaneLaneVariant &v : planeLaneVariants()) {
                fast.px = before;
                const bool open = maskIsOpen(mask);
                const WorldPass fastPass{&src.w,  &fast.w, rect,   open && v.run != planeLaneKernel() ? nullptr : &mask,
                                         &kernel, rowPass, &boxes, v.run,
                                         open};
                const int32_t split = lines / 3;
                blurWorldLines16(fastPass, 0, split);
                blurWorldLines16(fastPass, split, lines);
                ASSERT_EQ(0, std::memcmp(literal.px.data(), fast.px.data(), literal.px.size() * sizeof(Pixel)))
                    << (rowPass ? "row pass " : "column pass ") << v.isa;
            }
        } else {
            blurWorldLinesFloatLiteral(literalPass, 0, lines);
            for (const PlaneLaneVariant &v : planeLaneVariants()) {
                fast.px = before;
                const bool open = maskIsOpen(mask);
                WorldPass fastPass{&src.w,  &fast.w, rect,   open && v.run != planeLaneKernel() ? nullptr : &mask,
                                   &kernel, rowPass, &boxes, nullptr,
                                   open};
                fastPass.floatLanes = v.runFloat;
                const int32_t split = lines / 3;
                blurWorldLinesFloat(fastPass, 0, split);
                blurWorldLinesFloat(fastPass, split, lines);
                ASSERT_EQ(0, std::memcmp(literal.px.data(), fast.px.data(), literal.px.size() * sizeof(Pixel)))
                    << (rowPass ? "row pass " : "column pass ") << v.isa;
            }
        }
    }
}

TEST(PlaneBlurFast, EdgeCasesMatchTheLiteralPass) {
    const Case cases[] = {
        {1, 1, 2.0, 0.0, false, 1.0},        {1, 7, 5.0, 0.0, false, 0.5},
        {7, 1, 5.0, 0.0, true, 0.5},         {3, 3, 1000.0, 0.0, false, 0.7},    // lines far shorter than the kernel
        {40, 30, 20.0, 100.0, false, 0.05},  {40, 30, 20.0, -100.0, true, 0.05}, // aspect extremes
        {700, 3, 299.0, 0.0, false, 0.01},   {700, 3, 300.0, 0.0, true, 0.01},   // the box share starts
        {650, 2, 640.0, 37.0, false, 0.002}, {64, 64, 10.0, 0.0, false, 0.0},    // an empty plane
        {33, 17, 3.0, -12.0, true, 1.0},     {300, 5, 150.0, 0.0, false, 1.0},   // a full plane
    };
    uint32_t seed = 1;
    for (const Case &c : cases) {
        checkCase(c, seed);
        checkColorCase<PF_Pixel16>(c, seed);
        checkColorCase<PF_PixelFloat>(c, seed++);
    }
}

TEST(PlaneBlurFast, RandomPlanesMatchTheLiteralPass) {
    std::mt19937 rng(20261208);
    for (uint32_t i = 0; i < 60; ++i) {
        Case c;
        c.width = 1 + static_cast<int32_t>(rng() % 400);
        c.height = 1 + static_cast<int32_t>(rng() % 60);
        c.radius = (rng() % 3 == 0) ? 2.0 + (rng() % 1000) : 2.0 + (rng() % 120) + (rng() % 100) / 100.0;
        c.aspect = static_cast<double>(static_cast<int32_t>(rng() % 201) - 100);
        c.gatedMask = rng() % 2;
        c.density = std::pow(10.0, -static_cast<double>(rng() % 4));
        checkCase(c, 100 + i);
        checkColorCase<PF_Pixel16>(c, 100 + i);
        checkColorCase<PF_PixelFloat>(c, 100 + i);
    }
}

} // namespace
