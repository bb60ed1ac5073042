// Stage cases, from the source copy to the final composite, each run over the host's workers
// with the inputs a render would hand it.
#include "bench/StageBench.h"

#include <cstring>
#include <string>
#include <type_traits>

#include <benchmark/benchmark.h>

#include "bench/BenchSetup.h"
#include "bench/StageRig.h"
#include "render/blur/BlurGlowPlane.h"
#include "render/blur/BlurGlowWorld.h"
#include "render/color/ColorFinishStages.h"
#include "render/color/ColorizeStage.h"
#include "render/composite/CompositeStages.h"
#include "render/source/CopyCentered.h"
#include "render/source/FormatConvert.h"
#include "render/source/GlowSourceStages.h"

namespace lumora::bench {

namespace {

AEUtil::ColorizeSettings coloring(const StageRig &rig, AEUtil::ColorRule rule) {
    AEUtil::ColorizeSettings s;
    s.rule = rule;
    s.gradient = &rig.gradient();
    return s;
}

void copyCase(benchmark::State &state, Depth depth) {
    StageRig rig(depth.format);
    PF_EffectWorld out = rig.newWorld(depth.format);
    PF_EffectWorld in = worldOf(rig.input());
    AEUtil::CenteredCopy job;
    job.dst = &out;
    job.src = &in;
    job.srcRect = {0, 0, in.width, in.height};
    job.area = rig.rect();
    timeStage(state, [&] {
        return byPixel(depth.format, [&](auto p) { return AEUtil::copyCentered<decltype(p)>(rig.host(), job); });
    });
}

void extractCase(benchmark::State &state, Depth depth) {
    StageRig rig(depth.format);
    AEUtil::GlowPlane out = rig.newPlane();
    timeStage(state, [&] {
        return byPixel(depth.format, [&](auto p) {
            return AEUtil::extractGlowSource<decltype(p)>(rig.host(), rig.source(), rig.rect(), kBenchThr, kBenchSoft,
                                                          1, out);
        });
    });
}

void combineCase(benchmark::State &state) {
    StageRig rig(PF_PixelFormat_ARGB64);
    AEUtil::GlowPlane out = rig.newPlane();
    timeStage(state, [&] { return AEUtil::combineWithMask(rig.host(), rig.extracted(), rig.maskPlane(), out); });
}

void planeBlurCase(benchmark::State &state, int glowRadius) {
    StageRig rig(PF_PixelFormat_ARGB64);
    AEUtil::GlowPlane out = rig.newPlane();
    timeStage(state, [&] {
        return AEUtil::BlurGlowPlane(rig.host(), rig.combined(), out, pipelineRadius(glowRadius), 0.0, nullptr,
                                     &rig.openMask());
    });
}

// In place, as the render applies it; later iterations curve an already curved glow, which
// costs the same per sample.
void intensityCase(benchmark::State &state) {
    StageRig rig(PF_PixelFormat_ARGB64);
    AEUtil::GlowPlane &glow = rig.blurred(benchGlowRadii().front());
    timeStage(state, [&] { return AEUtil::applyIntensityCurve(rig.host(), rig.rect(), 1.0, glow); });
}

void angleMapCase(benchmark::State &state) {
    StageRig rig(PF_PixelFormat_ARGB64);
    AEUtil::GlowPlane angles = rig.newPlane();
    timeStage(state, [&] { return AEUtil::angleMapStage(rig.host(), rig.combined(), angles); });
}

// Glow Type Normal: the blurred plane coloured from the gradient into a world of the render's form.
void colorizeNormalCase(benchmark::State &state, Depth depth) {
    StageRig rig(depth.format);
    const AEUtil::GlowPlane &glow = rig.blurred(benchGlowRadii().front());
    const AEUtil::GlowPlane angles = rig.newPlane();
    PF_EffectWorld out = rig.newWorld(depth.format);
    const AEUtil::ColorizeSettings s = coloring(rig, AEUtil::ColorRule::Normal);
    timeStage(state, [&] {
        return byPixel(depth.format, [&](auto p) {
            return AEUtil::colorizeStage<decltype(p)>(rig.host(), out, nullptr, glow, angles, rig.rect(), s);
        });
    });
}

// Angle Map and Original Colors: the unblurred combined plane coloured into a colour world
// (16-bit channels at 8 and 16 bpc, float at 32 bpc).
void colorizeWorldCase(benchmark::State &state, Depth depth, AEUtil::ColorRule rule) {
    StageRig rig(depth.format);
    AEUtil::GlowPlane angles = rig.newPlane();
    if (rule == AEUtil::ColorRule::AngleMap &&
        stageFailed(state, AEUtil::angleMapStage(rig.host(), rig.combined(), angles)))
        return;
    PF_EffectWorld out = rig.newWorld(depth.format);
    const AEUtil::ColorizeSettings s = coloring(rig, rule);
    timeStage(state, [&] {
        return byPixel(depth.format, [&](auto p) {
            return AEUtil::colorizeStage<decltype(p)>(rig.host(), out, &rig.source(), rig.combined(), angles,
                                                      rig.rect(), s);
        });
    });
}

void worldBlurCase(benchmark::State &state, Depth depth, int glowRadius) {
    StageRig rig(depth.format);
    const AEUtil::GlowPlane angles = rig.newPlane();
    PF_EffectWorld colored = rig.newWorld(depth.format);
    if (stageFailed(state, byPixel(depth.format, [&](auto p) {
                        return AEUtil::colorizeStage<decltype(p)>(rig.host(), colored, &rig.source(), rig.combined(),
                                                                  angles, rig.rect(),
                                                                  coloring(rig, AEUtil::ColorRule::OriginalColors));
                    })))
        return;
    PF_EffectWorld out = rig.newWorld(depth.format);
    PF_EffectWorld tmp = rig.newWorld(depth.format);
    const double r = pipelineRadius(glowRadius);
    timeStage(state, [&] {
        if (depth.format == PF_PixelFormat_ARGB128)
            return AEUtil::BlurGlowWorldFloat(rig.host(), out, colored, tmp, rig.rect(), r, 0.0, nullptr,
                                              &rig.openMask());
        return AEUtil::BlurGlowWorld(rig.host(), out, colored, tmp, rig.rect(), r, 0.0, nullptr, &rig.openMask());
    });
}

// The coloured glow of Angle Map / Original Colors after its blur, ready to be finished.
PF_EffectWorld blurredColorWorld(StageRig &rig, benchmark::State &state) {
    const AEUtil::GlowPlane angles = rig.newPlane();
    PF_EffectWorld colored = rig.newWorld(rig.format());
    PF_EffectWorld out = rig.newWorld(rig.format());
    PF_EffectWorld tmp = rig.newWorld(rig.format());
    const AEUtil::ColorizeSettings s = coloring(rig, AEUtil::ColorRule::OriginalColors);
    const double r = pipelineRadius(benchGlowRadii().front());
    PF_Err err = byPixel(rig.format(), [&](auto p) {
        return AEUtil::colorizeStage<decltype(p)>(rig.host(), colored, &rig.source(), rig.combined(), angles,
                                                  rig.rect(), s);
    });
    if (!err && rig.format() == PF_PixelFormat_ARGB128)
        err = AEUtil::BlurGlowWorldFloat(rig.host(), out, colored, tmp, rig.rect(), r, 0.0, nullptr, &rig.openMask());
    else if (!err)
        err = AEUtil::BlurGlowWorld(rig.host(), out, colored, tmp, rig.rect(), r, 0.0, nullptr, &rig.openMask());
    stageFailed(state, err);
    return out;
}

// Both finishing stages of the colour glow, in place as the render runs them.
void finishCase(benchmark::State &state, Depth depth) {
    StageRig rig(depth.format);
    PF_EffectWorld glow = blurredColorWorld(rig, state);
    timeStage(state, [&] {
        return byPixel(depth.format, [&](auto p) -> PF_Err {
            using Pixel = decltype(p);
            if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
                return PF_Err_BAD_CALLBACK_PARAM; // no 8-bit colour glow exists
            } else {
                if (const PF_Err err = AEUtil::unpremultiplyStage<Pixel>(rig.host(), glow, rig.rect()))
                    return err;
                return AEUtil::colorIntensityStage<Pixel>(rig.host(), glow, rig.rect(), 1.0);
            }
        });
    });
}

// The Normal glow world of the render's form, as the last stages receive it.
PF_EffectWorld normalGlowWorld(StageRig &rig, benchmark::State &state) {
    const AEUtil::GlowPlane &glow = rig.blurred(benchGlowRadii().front());
    const AEUtil::GlowPlane angles = rig.newPlane();
    PF_EffectWorld out = rig.newWorld(rig.format());
    const AEUtil::ColorizeSettings s = coloring(rig, AEUtil::ColorRule::Normal);
    stageFailed(state, byPixel(rig.format(), [&](auto p) {
                    return AEUtil::colorizeStage<decltype(p)>(rig.host(), out, nullptr, glow, angles, rig.rect(), s);
                }));
    return out;
}

// Opacity 50 %, in place: later iterations scale an already scaled alpha, at the same cost.
void opacityCase(benchmark::State &state, Depth depth) {
    StageRig rig(depth.format);
    PF_EffectWorld glow = normalGlowWorld(rig, state);
    timeStage(state, [&] {
        return byPixel(depth.format,
                       [&](auto p) { return AEUtil::opacityStage<decltype(p)>(rig.host(), glow, rig.rect(), 50.0); });
    });
}

// View Normal, Blend Mode Add (popup 3), onto the source copied into the output.
void compositeCase(benchmark::State &state, Depth depth) {
    StageRig rig(depth.format);
    PF_EffectWorld glow = normalGlowWorld(rig, state);
    PF_EffectWorld output = rig.newWorld(depth.format);
    std::memcpy(output.data, rig.source().data, static_cast<std::size_t>(output.rowbytes) * output.height);
    timeStage(state, [&] {
        return byPixel(depth.format, [&](auto p) {
            return AEUtil::finalCompositeStage<decltype(p)>(rig.host(), output, glow, rig.rect(), 3,
                                                            AEUtil::kViewNormal);
        });
    });
}

void expandCase(benchmark::State &state) {
    StageRig rig(PF_PixelFormat_ARGB32);
    PF_EffectWorld wide = rig.newWorld(PF_PixelFormat_ARGB64);
    timeStage(state, [&] { return AEUtil::expandTo16(rig.host(), wide, rig.source(), rig.rect()); });
}

void reduceCase(benchmark::State &state) {
    StageRig rig(PF_PixelFormat_ARGB32);
    PF_EffectWorld wide = rig.newWorld(PF_PixelFormat_ARGB64);
    PF_EffectWorld narrow = rig.newWorld(PF_PixelFormat_ARGB32);
    if (stageFailed(state, AEUtil::expandTo16(rig.host(), wide, rig.source(), rig.rect())))
        return;
    timeStage(state, [&] { return AEUtil::reduceTo8(rig.host(), narrow, wide, rig.rect()); });
}

template <class Fn, class... Args>
void add(const std::string &name, Fn fn, Args... args) {
    configure(benchmark::RegisterBenchmark(("Stage/" + name).c_str(), fn, args...));
}

} // namespace

void registerStageBenchmarks() {
    const std::vector<Depth> &depths = benchDepths();
    // The colour worlds of Angle Map and Original Colors are 16-bit at 8 bpc as at 16 bpc.
    const std::vector<Depth> colorDepths{depths[1], depths[2]};
    for (const Depth &d : depths)
        add(std::string(d.name) + "/CopyCentered", copyCase, d);
    for (const Depth &d : depths)
        add(std::string(d.name) + "/ExtractGlowSource", extractCase, d);
    add("mono/CombineWithMask", combineCase);
    for (const int r : benchGlowRadii())
        add("mono/BlurGlowPlane/r" + std::to_string(r), planeBlurCase, r);
    add("mono/IntensityCurve", intensityCase);
    for (const Depth &d : depths)
        add(std::string(d.name) + "/Colourise/Normal", colorizeNormalCase, d);
    add("mono/AngleMap", angleMapCase);
    for (const Depth &d : colorDepths) {
        add(std::string(d.name) + "/Colourise/AngleMap", colorizeWorldCase, d, AEUtil::ColorRule::AngleMap);
        add(std::string(d.name) + "/Colourise/OriginalColors", colorizeWorldCase, d, AEUtil::ColorRule::OriginalColors);
    }
    for (const Depth &d : colorDepths)
        for (const int r : benchGlowRadii())
            add(std::string(d.name) + "/BlurGlowWorld/r" + std::to_string(r), worldBlurCase, d, r);
    for (const Depth &d : colorDepths)
        add(std::string(d.name) + "/UnpremultiplyIntensity", finishCase, d);
    add("8bpc/ExpandTo16", expandCase);
    add("8bpc/ReduceTo8", reduceCase);
    for (const Depth &d : depths)
        add(std::string(d.name) + "/Opacity", opacityCase, d);
    for (const Depth &d : depths)
        add(std::string(d.name) + "/FinalComposite", compositeCase, d);
}

} // namespace lumora::bench
