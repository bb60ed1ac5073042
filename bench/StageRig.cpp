// Preparing the inputs of the stage benchmarks through the stages themselves.
#include "bench/StageRig.h"

#include <string>

#include <benchmark/benchmark.h>

#include "bench/BenchImages.h"
#include "bench/BenchSetup.h"
#include "render/blur/BlurGlowPlane.h"
#include "render/source/CopyCentered.h"
#include "render/source/GlowSourceStages.h"

namespace lumora::bench {

namespace {

template <class Pixel>
PF_Err placeSource(const AEUtil::StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src) {
    AEUtil::CenteredCopy job;
    job.dst = &dst;
    job.src = &src;
    job.srcRect = {0, 0, src.width, src.height};
    job.area = {0, 0, dst.width, dst.height};
    return AEUtil::copyCentered<Pixel>(host, job);
}

void check(PF_Err err, const char *what) {
    if (err != PF_Err_NONE)
        throw std::runtime_error(std::string("preparing the stage input failed in ") + what + " (error " +
                                 std::to_string(err) + ")");
}

AEUtil::ColorFlagList benchGradient() {
    AEUtil::ColorFlagList list;
    AEUtil::initColorFlagList(list);
    AEUtil::appendColorFlag(list, {255, 255, 255, 255, 0.0f, 0, 0});
    AEUtil::appendColorFlag(list, {255, 50, 248, 255, 0.5f, 0, 0});
    AEUtil::appendColorFlag(list, {255, 0, 24, 255, 1.0f, 0, 0});
    AEUtil::sortColorFlags(list);
    return list;
}

} // namespace

PF_EffectWorld worldOf(embedhost::Image &image) {
    PF_EffectWorld world{};
    world.data = reinterpret_cast<PF_PixelPtr>(image.pixels.data());
    world.rowbytes = static_cast<A_long>(image.rowBytes());
    world.width = image.width;
    world.height = image.height;
    world.extent_hint = {0, 0, image.width, image.height};
    world.pix_aspect_ratio = {1, 1};
    return world;
}

embedhost::HostProfile StageRig::profile() {
    embedhost::HostProfile p;
    p.workerThreads = benchWorkers();
    p.garbageFill = false;
    p.reuseCacheBytes = std::size_t{2} << 30;
    return p;
}

StageRig::StageRig(PF_PixelFormat format)
    : format_(format), width_(2 * frameWidth()), height_(2 * frameHeight()), host_(profile()),
      stageHost_(AEUtil::StageHost::fromInData(host_.inData())),
      input_(makeBenchFrame(frameWidth(), frameHeight(), format)), gradient_(benchGradient()) {
    inputWorld_ = worldOf(input_);
    source_ = newWorld(format);
    switch (format) {
    case PF_PixelFormat_ARGB32: check(placeSource<PF_Pixel8>(stageHost_, source_, inputWorld_), "copy"); break;
    case PF_PixelFormat_ARGB64: check(placeSource<PF_Pixel16>(stageHost_, source_, inputWorld_), "copy"); break;
    default: check(placeSource<PF_PixelFloat>(stageHost_, source_, inputWorld_), "copy"); break;
    }
    a_ = newPlane();
    switch (format) {
    case PF_PixelFormat_ARGB32:
        check(AEUtil::extractGlowSource<PF_Pixel8>(stageHost_, source_, rect(), kBenchThr, kBenchSoft, 1, a_),
              "extraction");
        break;
    case PF_PixelFormat_ARGB64:
        check(AEUtil::extractGlowSource<PF_Pixel16>(stageHost_, source_, rect(), kBenchThr, kBenchSoft, 1, a_),
              "extraction");
        break;
    default:
        check(AEUtil::extractGlowSource<PF_PixelFloat>(stageHost_, source_, rect(), kBenchThr, kBenchSoft, 1, a_),
              "extraction");
        break;
    }
    // Without a depth layer the render's M is full everywhere.
    m_ = newPlane();
    for (A_long y = 0; y < height_; ++y)
        for (A_long x = 0; x < width_; ++x)
            m_.row(y)[x] = 32768;
    mask_.resize(width_, height_, stageHost_.memory);
    AEUtil::fillOpenMask(mask_);
}

PF_EffectWorld StageRig::newWorld(PF_PixelFormat format) {
    images_.push_back(embedhost::Image::make(width_, height_, format));
    return worldOf(images_.back());
}

AEUtil::GlowPlane StageRig::newPlane() {
    AEUtil::GlowPlane plane;
    plane.resize(width_, height_, stageHost_.memory);
    plane.clear();
    return plane;
}

AEUtil::GlowPlane &StageRig::combined() {
    if (!combined_) {
        b_ = newPlane();
        check(AEUtil::combineWithMask(stageHost_, a_, m_, b_), "combine");
        combined_ = true;
    }
    return b_;
}

AEUtil::GlowPlane &StageRig::blurred(int glowRadius) {
    c_ = newPlane();
    check(AEUtil::BlurGlowPlane(stageHost_, combined(), c_, pipelineRadius(glowRadius), 0.0, nullptr, &mask_), "blur");
    check(AEUtil::applyIntensityCurve(stageHost_, rect(), 1.0, c_), "intensity");
    return c_;
}

bool stageFailed(benchmark::State &state, PF_Err err) {
    if (err == PF_Err_NONE)
        return false;
    state.SkipWithError(("stage failed with error " + std::to_string(err)).c_str());
    return true;
}

} // namespace lumora::bench
