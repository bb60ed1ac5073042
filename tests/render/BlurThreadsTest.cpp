// The blurs give the same bytes whether one call or several of the host's workers run a pass.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <random>
#include <vector>

#include "embedhost/Host.h"
#include "render/blur/BlurGlowPlane.h"
#include "render/blur/BlurGlowWorld.h"

namespace {

using namespace AEUtil;

constexpr int W = 157, H = 91;

StageHost hostStages(embedhost::Host &host) {
    return {host.utils().iterate_generic, {const_cast<SPBasicSuite *>(host.suites().basicSuite())}};
}

embedhost::HostProfile fourWorkers() {
    embedhost::HostProfile p;
    p.workerThreads = 4;
    return p;
}

// Sparse bright spots on zero, as an extraction leaves them.
GlowPlane spots(const PlaneMemory &mem) {
    GlowPlane p;
    p.resize(W, H, mem);
    p.clear();
    std::mt19937 rng(7);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (rng() % 9 == 0)
                p.row(y)[x] = static_cast<uint16_t>(rng() % 32769);
    for (int y = 0; y < H; ++y)
        p.rowFlags[y] = 1;
    for (int x = 0; x < W; ++x)
        p.colFlags[x] = 1;
    p.bounds = {0, 0, W, H};
    return p;
}

std::vector<uint8_t> bytesOf(const GlowPlane &p) {
    std::vector<uint8_t> out;
    for (int y = 0; y < H; ++y) {
        auto *r = reinterpret_cast<const uint8_t *>(p.row(y));
        out.insert(out.end(), r, r + W * 2);
    }
    out.insert(out.end(), p.rowFlags, p.rowFlags + H);
    out.insert(out.end(), p.colFlags, p.colFlags + W);
    return out;
}

TEST(BlurThreads, TheHostRunsAPassAsSeveralCalls) {
    embedhost::Host host(fourWorkers());
    std::atomic<A_long> calls{0};
    auto countCalls = [](void *refcon, A_long, A_long, A_long) -> PF_Err {
        ++*static_cast<std::atomic<A_long> *>(refcon);
        return PF_Err_NONE;
    };
    ASSERT_EQ(hostStages(host).run(&calls, countCalls), PF_Err_NONE);
    EXPECT_EQ(calls.load(), 4) << "otherwise the comparisons below would compare one call with one call";
}

TEST(BlurThreads, PlaneBlurIsIdenticalOnOneAndFourWorkers) {
    MaskPlane mask;
    mask.resize(W, H, {});
    fillOpenMask(mask);
    mask.row(40)[60] = 0;
    for (double radius : {3.0, 12.5, 330.0}) {
        GlowPlane src = spots({}), serial;
        ASSERT_EQ(BlurGlowPlane(StageHost{}, src, serial, radius, 35.0, nullptr, &mask), PF_Err_NONE);

        embedhost::Host host(fourWorkers());
        const StageHost stages = hostStages(host);
        GlowPlane threaded;
        ASSERT_EQ(BlurGlowPlane(stages, src, threaded, radius, 35.0, nullptr, &mask), PF_Err_NONE);
        EXPECT_EQ(bytesOf(serial), bytesOf(threaded)) << radius;
        threaded = GlowPlane{};
        EXPECT_EQ(host.handles().live(), 0u) << "the temporary and output planes went back";
    }
}

template <class Pixel>
struct World {
    std::vector<Pixel> px = std::vector<Pixel>(size_t(W * H));
    PF_EffectWorld w{};
    World() {
        w.data = reinterpret_cast<PF_Pixel *>(px.data());
        w.width = W;
        w.height = H;
        w.rowbytes = W * int(sizeof(Pixel));
    }
};

TEST(BlurThreads, WorldBlursAreIdenticalOnOneAndFourWorkers) {
    MaskPlane mask;
    mask.resize(W, H, {});
    fillOpenMask(mask);
    mask.row(10)[20] = 0;
    World<PF_Pixel16> in16;
    World<PF_PixelFloat> inF;
    std::mt19937 rng(3);
    for (size_t i = 0; i < in16.px.size(); ++i) {
        if (rng() % 5)
            continue;
        A_u_short v[4];
        for (auto &c : v)
            c = static_cast<A_u_short>(rng() % 32769);
        in16.px[i] = {v[0], v[1], v[2], v[3]};
        inF.px[i] = {v[0] / 32768.0f, v[1] / 32768.0f, v[2] / 32768.0f, v[3] / 32768.0f};
    }
    const PlaneRect rect{0, 0, W, H};
    for (double radius : {6.0, 320.0}) {
        World<PF_Pixel16> t1, o1, t4, o4;
        World<PF_PixelFloat> tf1, of1, tf4, of4;
        ASSERT_EQ(BlurGlowWorld(StageHost{}, o1.w, in16.w, t1.w, rect, radius, -20.0, nullptr, &mask), PF_Err_NONE);
        ASSERT_EQ(BlurGlowWorldFloat(StageHost{}, of1.w, inF.w, tf1.w, rect, radius, -20.0, nullptr, &mask),
                  PF_Err_NONE);
        embedhost::Host host(fourWorkers());
        const StageHost stages = hostStages(host);
        ASSERT_EQ(BlurGlowWorld(stages, o4.w, in16.w, t4.w, rect, radius, -20.0, nullptr, &mask), PF_Err_NONE);
        ASSERT_EQ(BlurGlowWorldFloat(stages, of4.w, inF.w, tf4.w, rect, radius, -20.0, nullptr, &mask), PF_Err_NONE);
        EXPECT_EQ(0, std::memcmp(o1.px.data(), o4.px.data(), o1.px.size() * sizeof(PF_Pixel16))) << radius;
        EXPECT_EQ(0, std::memcmp(of1.px.data(), of4.px.data(), of1.px.size() * sizeof(PF_PixelFloat))) << radius;
    }
}

} // namespace
