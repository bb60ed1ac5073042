// lumora_bench: full renders, single stages and the OpenCV peer in one run, then the ratio of
// each full render to the peer case of the same depth and Glow Radius.
#include <exception>
#include <iostream>

#include <benchmark/benchmark.h>

#include "bench/BenchSetup.h"
#include "bench/DepthStageBench.h"
#include "bench/FullRenderBench.h"
#include "bench/OpenCvPeer.h"
#include "bench/RatioSummary.h"
#include "bench/StageBench.h"
#include "embedhost/FrameHeap.h"

int main(int argc, char **argv) {
    using namespace lumora::bench;
    embedhost::keepFrameBuffersInHeap();
    try {
        setBenchOptions(takeBenchOptions(argc, argv));
    } catch (const std::exception &e) {
        std::cerr << "lumora_bench: " << e.what() << "\n"
                  << "usage: lumora_bench [--smoke] [--threads N] [benchmark options, e.g. --benchmark_filter=RE]\n";
        return 2;
    }
    const auto console = consoleOptions(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    registerFullRenderBenchmarks();
    registerStageBenchmarks();
    registerDepthStageBenchmarks();
    registerOpenCvPeerBenchmarks();

    std::cout << "workers: " << benchWorkers() << " (host and OpenCV); frame " << frameWidth() << " x " << frameHeight()
              << "; ms_per_MP is per megapixel of that input frame\n";
    RatioSummary reporter(console);
    try {
        benchmark::RunSpecifiedBenchmarks(&reporter);
    } catch (const std::exception &e) {
        // A stage failed while a case prepared its inputs, outside any timed loop.
        std::cerr << "lumora_bench: " << e.what() << "\n";
        return 1;
    }
    reporter.print(std::cout);
    benchmark::Shutdown();
    return 0;
}
