// Full-render cases: a host with the linked plug-in, set up once per case, every parameter
// that shapes the work set explicitly (stored user defaults cannot change what is measured).
#include "bench/FullRenderBench.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/BenchImages.h"
#include "bench/BenchSetup.h"
#include "embedhost/Host.h"
#include "host/EntryPoint.h"
#include "params/GlowParams.h"

namespace lumora::bench {

namespace {

struct GlowType {
    const char *name;
    A_long popup; // "Glow Type" popup value
};

constexpr GlowType kGlowTypes[] = {{"Normal", 1}, {"AngleMap", 2}, {"OriginalColors", 3}};
// The depth branch is measured at one radius, beside the same case without it.
constexpr int kDepthCaseRadius = 100;
constexpr A_long kDepthLayerId = 1;

void setGlowParams(embedhost::EffectParams &params, A_long glowType, int glowRadius) {
    using embedhost::ParamValue;
    params.setValueById(AEUtil::kIdView, ParamValue::popup(1));      // Normal
    params.setValueById(AEUtil::kIdBlendMode, ParamValue::popup(3)); // Add
    params.setValueById(AEUtil::kIdOpacity, ParamValue::floatSlider(100.0));
    params.setValueById(AEUtil::kIdGlowType, ParamValue::popup(glowType));
    params.setValueById(AEUtil::kIdInputChannel, ParamValue::popup(1)); // Luminance
    params.setValueById(AEUtil::kIdThreshold, ParamValue::floatSlider(60.0));
    params.setValueById(AEUtil::kIdThresholdSoft, ParamValue::floatSlider(10.0));
    params.setValueById(AEUtil::kIdGlowRadius, ParamValue::floatSlider(glowRadius));
    params.setValueById(AEUtil::kIdGlowAspect, ParamValue::floatSlider(0.0));
    // Intensity 0 would remove the glow; 1 keeps every stage at work.
    params.setValueById(AEUtil::kIdGlowIntensity, ParamValue::floatSlider(1.0));
    params.setValueById(AEUtil::kIdEnableDepth, ParamValue::checkbox(false));
}

// A depth ramp as large as the frame, with the depth glow as wide as the main one.
void setDepthParams(embedhost::Host &host, PF_PixelFormat format, int radius) {
    using embedhost::ParamValue;
    host.setLayer(kDepthLayerId, makeDepthRamp(frameWidth(), frameHeight(), format));
    embedhost::EffectParams &params = host.params();
    params.setValueById(AEUtil::kIdEnableDepth, ParamValue::checkbox(true));
    params.setValueById(AEUtil::kIdDepthLayer, ParamValue::layerChoice(kDepthLayerId));
    params.setValueById(AEUtil::kIdCenterPosition, ParamValue::floatSlider(50.0));
    params.setValueById(AEUtil::kIdDepthBias, ParamValue::floatSlider(30.0));
    params.setValueById(AEUtil::kIdDepthTint, ParamValue::colorChoice(PF_Pixel{255, 255, 128, 0}));
    params.setValueById(AEUtil::kIdDepthRadius, ParamValue::floatSlider(radius));
    params.setValueById(AEUtil::kIdDepthIntensity, ParamValue::floatSlider(1.0));
}

// Whether the frame differs from the input anywhere inside the input's area: a render that
// only copied its source would measure nothing worth comparing.
bool drewGlow(const embedhost::RenderOutput &out, const embedhost::Image &input) {
    const A_long x0 = -out.originX, y0 = -out.originY;
    if (out.image.format != input.format || x0 < 0 || y0 < 0 || x0 + input.width > out.image.width ||
        y0 + input.height > out.image.height)
        return false;
    const std::size_t pixel = input.pixelBytes();
    for (A_long y = 0; y < input.height; ++y)
        if (std::memcmp(out.image.pixels.data() + (y0 + y) * out.image.rowBytes() + x0 * pixel,
                        input.pixels.data() + y * input.rowBytes(), input.rowBytes()) != 0)
            return true;
    return false;
}

void fullRenderCase(benchmark::State &state, Depth depth, GlowType type, int glowRadius, bool depthEffects,
                    unsigned workers) {
    embedhost::HostProfile profile;
    profile.workerThreads = workers;
    profile.garbageFill = false;
    profile.reuseCacheBytes = std::size_t{2} << 30;
    embedhost::Host host(embedhost::Plugin::linked(&EntryPointFunc), profile);
    if (const embedhost::CommandResult set = host.setUp(); set.err != PF_Err_NONE) {
        state.SkipWithError(("set-up failed: " + set.message()).c_str());
        return;
    }
    embedhost::Image frame = makeBenchFrame(frameWidth(), frameHeight(), depth.format);
    host.setLayer(0, frame);
    setGlowParams(host.params(), type.popup, glowRadius);
    if (depthEffects)
        setDepthParams(host, depth.format, glowRadius);

    // One untimed frame first, to check that it is the enlarged area with a glow in it, and to
    // keep first-touch page faults out of the figures.
    const embedhost::RenderOutput first = host.renderFrame();
    std::string problem;
    if (first.err != PF_Err_NONE)
        problem = "render failed (error " + std::to_string(first.err) + "): " + first.message;
    else if (first.image.width != 2 * frameWidth() || first.image.height != 2 * frameHeight())
        problem = "the render's area is not twice the frame";
    else if (!drewGlow(first, frame))
        problem = "the render drew no glow";
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        host.tearDown();
        return;
    }
    const MegapixelClock clock;
    for (auto _ : state) {
        const embedhost::RenderOutput out = host.renderFrame();
        if (out.err != PF_Err_NONE) {
            state.SkipWithError(("render failed (error " + std::to_string(out.err) + "): " + out.message).c_str());
            break;
        }
        benchmark::DoNotOptimize(out.image.pixels.data());
    }
    clock.report(state);
    // One more frame for the most host memory the effect holds while rendering.
    host.memory().resetPeak();
    if (host.renderFrame().err == PF_Err_NONE)
        state.counters["host_B_per_px"] =
            static_cast<double>(host.memory().peak()) / (static_cast<double>(frameWidth()) * frameHeight());
    host.tearDown();
}

} // namespace

void registerFullRenderBenchmarks() {
    // Each case also with one worker ("FullRender1w/..."), for its speed-up from more workers.
    std::vector<std::pair<std::string, unsigned>> runs = {{"FullRender/", benchWorkers()}};
    if (benchWorkers() > 1)
        runs.push_back({"FullRender1w/", 1u});
    for (const auto &[prefix, workers] : runs)
        for (const Depth &depth : benchDepths())
            for (const GlowType &type : kGlowTypes)
                for (const int radius : benchGlowRadii()) {
                    const std::string name = prefix + depth.name + "/" + type.name + "/r" + std::to_string(radius);
                    configure(benchmark::RegisterBenchmark(name.c_str(), fullRenderCase, depth, type, radius, false,
                                                           workers));
                }
    // "<type>+Depth": the case of the same depth, type and radius with the depth branch on.
    for (const Depth &depth : benchDepths())
        for (const GlowType &type : kGlowTypes) {
            const std::string name = std::string("FullRender/") + depth.name + "/" + type.name + "+Depth/r" +
                                     std::to_string(kDepthCaseRadius);
            configure(benchmark::RegisterBenchmark(name.c_str(), fullRenderCase, depth, type, kDepthCaseRadius, true,
                                                   benchWorkers()));
        }
}

} // namespace lumora::bench
