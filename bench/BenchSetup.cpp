// Run options and the shared measuring conventions of lumora_bench.
#include "bench/BenchSetup.h"

#include <cstring>
#include <stdexcept>
#include <thread>

namespace lumora::bench {

namespace {

BenchOptions g_options;

unsigned parseThreads(const char *text) {
    char *end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || n < 0 || n > 1024)
        throw std::invalid_argument(std::string("--threads needs a count from 0 to 1024, not '") + text + "'");
    return static_cast<unsigned>(n);
}

} // namespace

BenchOptions takeBenchOptions(int &argc, char **argv) {
    BenchOptions options;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--smoke") == 0) {
            options.smoke = true;
        } else if (std::strcmp(arg, "--threads") == 0) {
            if (i + 1 >= argc)
                throw std::invalid_argument("--threads needs a count");
            options.threads = parseThreads(argv[++i]);
        } else if (std::strncmp(arg, "--threads=", 10) == 0) {
            options.threads = parseThreads(arg + 10);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return options;
}

const BenchOptions &benchOptions() { return g_options; }
void setBenchOptions(const BenchOptions &options) { g_options = options; }

unsigned benchWorkers() {
    if (g_options.threads != 0)
        return g_options.threads;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

int frameWidth() { return g_options.smoke ? 64 : 1920; }
int frameHeight() { return g_options.smoke ? 36 : 1080; }
double inputMegapixels() { return frameWidth() * static_cast<double>(frameHeight()) / 1.0e6; }

const std::vector<Depth> &benchDepths() {
    static const std::vector<Depth> depths{
        {"8bpc", PF_PixelFormat_ARGB32}, {"16bpc", PF_PixelFormat_ARGB64}, {"32bpc", PF_PixelFormat_ARGB128}};
    return depths;
}

const std::vector<int> &benchGlowRadii() {
    static const std::vector<int> radii{10, 100, 500};
    return radii;
}

void MegapixelClock::report(benchmark::State &state) const {
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start_;
    state.counters["ms_per_MP"] =
        benchmark::Counter(elapsed.count() / inputMegapixels(), benchmark::Counter::kAvgIterations);
}

benchmark::internal::Benchmark *configure(benchmark::internal::Benchmark *b) {
    b->UseRealTime()->Unit(benchmark::kMillisecond);
    if (g_options.smoke)
        b->Iterations(1);
    return b;
}

} // namespace lumora::bench
