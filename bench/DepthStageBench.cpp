// Depth stage cases: the bench frame itself serves as the depth map, read through the curve of
// Center Position 50 % and Depth Bias 30 %.
#include "bench/DepthStageBench.h"

#include <string>

#include <benchmark/benchmark.h>

#include "bench/BenchSetup.h"
#include "bench/StageRig.h"
#include "render/depth/DepthCurve.h"
#include "render/depth/DepthStages.h"

namespace lumora::bench {

namespace {

AEUtil::DepthCurve benchCurve(const StageRig &rig) { return {50.0, 30.0, rig.host().memory}; }

PF_Err buildMask(StageRig &rig, const AEUtil::DepthCurve &curve, AEUtil::GlowPlane &M) {
    return byPixel(rig.format(), [&](auto p) {
        return AEUtil::buildDepthMask<decltype(p)>(rig.host(), rig.source(), rig.rect(), curve.data(), M);
    });
}

// The Depth Layer's crop at the input's size, as a depth map as large as the layer gives it.
void cropCase(benchmark::State &state, Depth depth) {
    StageRig rig(depth.format);
    PF_EffectWorld layer = worldOf(rig.input());
    PF_EffectWorld crop = rig.newWorld(depth.format);
    crop.width = layer.width;
    crop.height = layer.height;
    const AEUtil::PlaneRect rect{0, 0, layer.width, layer.height};
    timeStage(state, [&] {
        return byPixel(depth.format,
                       [&](auto p) { return AEUtil::cropDepthLayer<decltype(p)>(rig.host(), crop, layer, rect); });
    });
}

void maskCase(benchmark::State &state, Depth depth) {
    StageRig rig(depth.format);
    const AEUtil::DepthCurve curve = benchCurve(rig);
    AEUtil::GlowPlane M = rig.newPlane();
    timeStage(state, [&] { return buildMask(rig, curve, M); });
}

void sourceCase(benchmark::State &state, Depth depth) {
    StageRig rig(depth.format);
    AEUtil::GlowPlane M = rig.newPlane(), E = rig.newPlane();
    if (stageFailed(state, buildMask(rig, benchCurve(rig), M)))
        return;
    timeStage(state, [&] {
        return byPixel(depth.format, [&](auto p) {
            return AEUtil::extractDepthSource<decltype(p)>(rig.host(), rig.source(), M, rig.rect(), kBenchThr,
                                                           kBenchSoft, 1, E);
        });
    });
}

// In place on a blurred glow, as the render shapes the depth glow (Depth Intensity 0 + 1).
void intensityCase(benchmark::State &state) {
    StageRig rig(PF_PixelFormat_ARGB64);
    AEUtil::GlowPlane M = rig.newPlane();
    if (stageFailed(state, buildMask(rig, benchCurve(rig), M)))
        return;
    AEUtil::GlowPlane &glow = rig.blurred(benchGlowRadii().front());
    timeStage(state, [&] { return AEUtil::applyDepthIntensityCurve(rig.host(), M, rig.rect(), 1.0, glow); });
}

template <class Fn, class... Args>
void add(const std::string &name, Fn fn, Args... args) {
    configure(benchmark::RegisterBenchmark(("Stage/" + name).c_str(), fn, args...));
}

} // namespace

void registerDepthStageBenchmarks() {
    for (const Depth &d : benchDepths())
        add(std::string(d.name) + "/CropDepthLayer", cropCase, d);
    for (const Depth &d : benchDepths())
        add(std::string(d.name) + "/BuildDepthMask", maskCase, d);
    for (const Depth &d : benchDepths())
        add(std::string(d.name) + "/ExtractDepthSource", sourceCase, d);
    add("mono/DepthIntensityCurve", intensityCase);
}

} // namespace lumora::bench
