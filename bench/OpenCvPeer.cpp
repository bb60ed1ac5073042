// OpenCV peer cases, one per depth and Glow Radius, measured in the same run as Lumora's.
#include "bench/OpenCvPeer.h"

#include <cmath>
#include <string>

#include <opencv2/imgproc.hpp>

#include "bench/BenchImages.h"
#include "bench/BenchSetup.h"
#include "render/blur/BlurGlowPlane.h"

namespace lumora::bench {

namespace {

// The Threshold parameter's default of 60 %, which the full renders use too.
constexpr double kThreshold = 0.60;

int matType(PF_PixelFormat format) {
    switch (format) {
    case PF_PixelFormat_ARGB32: return CV_8UC4;
    case PF_PixelFormat_ARGB64: return CV_16UC4;
    default: return CV_32FC4;
    }
}

double channelMax(PF_PixelFormat format) {
    switch (format) {
    case PF_PixelFormat_ARGB32: return 255.0;
    case PF_PixelFormat_ARGB64: return 32768.0;
    default: return 1.0;
    }
}

void peerCase(benchmark::State &state, Depth depth, int glowRadius) {
    cv::setNumThreads(static_cast<int>(benchWorkers()));
    embedhost::Image frame = makeBenchFrame(frameWidth(), frameHeight(), depth.format);
    const cv::Mat src(frame.height, frame.width, matType(depth.format), frame.pixels.data(), frame.rowBytes());
    const PeerBlur blur = peerBlurFor(glowRadius);
    PeerBuffers buffers;
    runOpenCvGlow(src, channelMax(depth.format), kThreshold, blur, buffers); // first-touch outside timing

    const MegapixelClock clock;
    for (auto _ : state) {
        runOpenCvGlow(src, channelMax(depth.format), kThreshold, blur, buffers);
        benchmark::DoNotOptimize(buffers.result.data);
    }
    clock.report(state);
    state.counters["ksize"] = blur.ksize;
}

} // namespace

PeerBlur peerBlurFor(int glowRadius) {
    const double width = AEUtil::glowBlurWidths(pipelineRadius(glowRadius), 0.0, false).horizontal;
    const AEUtil::GlowKernel kernel = AEUtil::kernelForWidth(width);
    return {2 * kernel.halfWidth - 1, width / std::sqrt(8.0)};
}

void runOpenCvGlow(const cv::Mat &src, double channelMax, double threshold, const PeerBlur &blur, PeerBuffers &b) {
    // The luminance weights of Lumora's extraction, over alpha, red, green, blue.
    static const cv::Matx14f weights(0.0f, 0.298912f, 0.586611f, 0.114478f);
    cv::transform(src, b.luminance, weights);
    cv::compare(b.luminance, threshold * channelMax, b.mask, cv::CMP_GT);
    b.bright.create(src.size(), src.type());
    b.bright.setTo(cv::Scalar::all(0));
    src.copyTo(b.bright, b.mask);
    // Zeros beyond the frame, as the glow fades into an empty surround.
    cv::GaussianBlur(b.bright, b.glow, cv::Size(blur.ksize, blur.ksize), blur.sigma, blur.sigma, cv::BORDER_CONSTANT);
    cv::add(src, b.glow, b.result);
}

void registerOpenCvPeerBenchmarks() {
    for (const Depth &depth : benchDepths())
        for (const int radius : benchGlowRadii()) {
            const std::string name = std::string("OpenCvPeer/") + depth.name + "/r" + std::to_string(radius);
            configure(benchmark::RegisterBenchmark(name.c_str(), peerCase, depth, radius));
        }
}

} // namespace lumora::bench
