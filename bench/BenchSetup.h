// What every benchmark of lumora_bench shares: the run's options (smoke frames, worker count),
// the frame size, the pixel depths and glow radii measured, and the ms-per-megapixel counter.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "AE_EffectPixelFormat.h"

namespace lumora::bench {

struct BenchOptions {
    bool smoke = false;   // 64 x 36 frames, one iteration per case: proves every case runs
    unsigned threads = 0; // workers of both the host and OpenCV; 0 = every core
};

// Takes --smoke and --threads N out of argv (the rest goes to the benchmark library); throws
// std::invalid_argument for a malformed --threads.
BenchOptions takeBenchOptions(int &argc, char **argv);
const BenchOptions &benchOptions();
void setBenchOptions(const BenchOptions &options);
// The worker count actually used (threads, or the core count when it is 0).
unsigned benchWorkers();

// The input frame: 1920 x 1080, or 64 x 36 with --smoke.
int frameWidth();
int frameHeight();
// Every ms_per_MP counter is per megapixel of this input frame, whatever area a case works on.
double inputMegapixels();

struct Depth {
    const char *name; // "8bpc", "16bpc", "32bpc"
    PF_PixelFormat format;
};
const std::vector<Depth> &benchDepths();

// Glow Radius parameter values; the render blurs with Glow Radius + 3 at full resolution.
const std::vector<int> &benchGlowRadii();
inline double pipelineRadius(int glowRadius) { return glowRadius + 3.0; }

// Real time of the timed loop, reported as state.counters["ms_per_MP"] per iteration.
class MegapixelClock {
public:
    MegapixelClock() : start_(std::chrono::steady_clock::now()) {}
    void report(benchmark::State &state) const;

private:
    std::chrono::steady_clock::time_point start_;
};

// Marks a case as one iteration in smoke mode and real-time measured (work is threaded).
benchmark::internal::Benchmark *configure(benchmark::internal::Benchmark *b);

} // namespace lumora::bench
