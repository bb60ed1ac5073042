// The setting one stage benchmark runs in: an embedded host without a plug-in (for its worker
// threads and memory), the source placed in the enlarged working area as a render places it,
// and the planes and worlds of a render prepared up to the stage under test.
#pragma once

#include <deque>

#include <benchmark/benchmark.h>

#include "bench/BenchSetup.h"
#include "colorbar/data/GradientData.h"
#include "embedhost/Host.h"
#include "embedhost/Image.h"
#include "render/pipeline/GlowPlane.h"
#include "render/pipeline/StageHost.h"

namespace lumora::bench {

// Threshold 60 % and Threshold Soft 10 % on the 16-bit scale (trunc(percent * 32768 / 100)).
inline constexpr int32_t kBenchThr = 19660;
inline constexpr int32_t kBenchSoft = 3276;

PF_EffectWorld worldOf(embedhost::Image &image);

class StageRig {
public:
    // format: the render's pixel format; the working area is twice the input frame each way.
    explicit StageRig(PF_PixelFormat format);

    const AEUtil::StageHost &host() const { return stageHost_; }
    A_long width() const { return width_; }
    A_long height() const { return height_; }
    AEUtil::PlaneRect rect() const { return {0, 0, width_, height_}; }
    PF_PixelFormat format() const { return format_; }

    embedhost::Image &input() { return input_; }
    PF_EffectWorld &source() { return source_; } // SRC: the input centred in the working area
    // A transparent world of the working size, owned by the rig.
    PF_EffectWorld newWorld(PF_PixelFormat format);
    AEUtil::GlowPlane newPlane();

    // The mono chain as a Normal render runs it: A extracted, B = A weighted by the full mask
    // plane M, C = B blurred with the given Glow Radius (intensity curve 1 applied).
    AEUtil::GlowPlane &extracted() { return a_; }
    AEUtil::GlowPlane &maskPlane() { return m_; }
    AEUtil::MaskPlane &openMask() { return mask_; }
    AEUtil::GlowPlane &combined();
    AEUtil::GlowPlane &blurred(int glowRadius);

    const AEUtil::ColorFlagList &gradient() const { return gradient_; }

private:
    static embedhost::HostProfile profile();

    PF_PixelFormat format_;
    A_long width_;
    A_long height_;
    embedhost::Host host_;
    AEUtil::StageHost stageHost_;
    std::deque<embedhost::Image> images_;
    embedhost::Image input_;
    PF_EffectWorld inputWorld_{};
    PF_EffectWorld source_{};
    AEUtil::GlowPlane a_, m_, b_, c_;
    AEUtil::MaskPlane mask_;
    bool combined_ = false;
    AEUtil::ColorFlagList gradient_{};
};

// Stops the case with the stage's error code.
bool stageFailed(benchmark::State &state, PF_Err err);

// Times `run` (a stage call returning PF_Err) per iteration; stops the case at its first error.
template <class Run>
void timeStage(benchmark::State &state, Run &&run) {
    const MegapixelClock clock;
    for (auto _ : state)
        if (stageFailed(state, run()))
            break;
    clock.report(state);
}

// Calls fn with a pixel of the format's form (its value unused).
template <class Fn>
PF_Err byPixel(PF_PixelFormat format, Fn &&fn) {
    switch (format) {
    case PF_PixelFormat_ARGB32: return fn(PF_Pixel8{});
    case PF_PixelFormat_ARGB64: return fn(PF_Pixel16{});
    default: return fn(PF_PixelFloat{});
    }
}

} // namespace lumora::bench
