// The pieces of lumora_bench whose mistakes would make its figures wrong without failing: the
// peer blurring a different distance, ratios pairing the wrong cases, options and the frame.
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/BenchImages.h"
#include "bench/BenchSetup.h"
#include "bench/OpenCvPeer.h"
#include "bench/RatioSummary.h"

namespace lumora::bench {
namespace {

// Glow Radius g blurs with r = g + 3; the colour kernel has half width ceil(r) (2 ceil(r) - 1
// taps) and variance r^2 / 8, so sigma = r / sqrt(8).
TEST(PeerBlur, MatchesTheColorBlurOfEachRadius) {
    const PeerBlur r0 = peerBlurFor(0);
    EXPECT_EQ(r0.ksize, 5);
    EXPECT_NEAR(r0.sigma, 1.0606602, 1e-6);
    const PeerBlur r10 = peerBlurFor(10);
    EXPECT_EQ(r10.ksize, 25);
    EXPECT_NEAR(r10.sigma, 4.5961941, 1e-6);
    const PeerBlur r100 = peerBlurFor(100);
    EXPECT_EQ(r100.ksize, 205);
    EXPECT_NEAR(r100.sigma, 36.4159992, 1e-6);
    // Beyond 300 taps Lumora splits off a box, but the kernel still spans the same taps.
    const PeerBlur r500 = peerBlurFor(500);
    EXPECT_EQ(r500.ksize, 1005);
    EXPECT_NEAR(r500.sigma, 177.8373555, 1e-6);
}

TEST(PeerCase, PairsAFullRenderWithThePeerOfItsDepthAndRadius) {
    EXPECT_EQ(peerCaseOf("FullRender/16bpc/AngleMap/r100"), "OpenCvPeer/16bpc/r100");
    EXPECT_EQ(peerCaseOf("FullRender/8bpc/OriginalColors/r500"), "OpenCvPeer/8bpc/r500");
    EXPECT_EQ(peerCaseOf("Stage/mono/BlurGlowPlane/r10"), "");
    EXPECT_EQ(peerCaseOf("OpenCvPeer/8bpc/r10"), "");
    EXPECT_EQ(peerCaseOf("FullRender/8bpc"), "");
    EXPECT_EQ(peerCaseOf("FullRender/8bpc/r10"), "");
    EXPECT_EQ(peerCaseOf("FullRender/32bpc/Normal+Depth/r100"), "OpenCvPeer/32bpc/r100");
    // A depth case pairs with the same case without the depth branch.
    EXPECT_EQ(depthOffCaseOf("FullRender/32bpc/Normal+Depth/r100"), "FullRender/32bpc/Normal/r100");
    EXPECT_EQ(depthOffCaseOf("FullRender/32bpc/Normal/r100"), "");
    EXPECT_EQ(depthOffCaseOf("Stage/mono/Normal+Depth/r100"), "");
}

benchmark::BenchmarkReporter::Run run(const std::string &name, double msPerMp) {
    benchmark::BenchmarkReporter::Run r;
    r.run_name.function_name = name;
    r.run_type = benchmark::BenchmarkReporter::Run::RT_Iteration;
    r.iterations = 1;
    r.real_accumulated_time = 1.0;
    r.cpu_accumulated_time = 1.0;
    r.counters["ms_per_MP"] = benchmark::Counter(msPerMp);
    return r;
}

TEST(RatioSummary, DividesTheMeanOfRepetitionsByThePeerOfTheSameRun) {
    RatioSummary summary(benchmark::ConsoleReporter::OO_None);
    std::ostringstream table;
    summary.SetOutputStream(&table);
    summary.SetErrorStream(&table);

    auto failed = run("FullRender/8bpc/Normal/r10", 1000.0);
    failed.error_occurred = true;
    auto mean = run("FullRender/8bpc/Normal/r10", 500.0);
    mean.run_type = benchmark::BenchmarkReporter::Run::RT_Aggregate;
    mean.aggregate_name = "mean";
    auto withMemory = run("FullRender/8bpc/Normal/r10", 10.0);
    withMemory.counters["host_B_per_px"] = benchmark::Counter(36.5);
    summary.ReportRuns({run("FullRender/8bpc/Normal/r10", 6.0), withMemory, failed, mean});
    summary.ReportRuns({run("FullRender1w/8bpc/Normal/r10", 14.0)});
    summary.ReportRuns({run("FullRender/16bpc/Normal/r10", 3.0)});
    summary.ReportRuns({run("OpenCvPeer/8bpc/r10", 2.0), run("Stage/mono/AngleMap", 7.0)});

    // (6 + 10) / 2 = 8 against 2: ratio 4. The failed and aggregate runs do not count.
    EXPECT_DOUBLE_EQ(summary.msPerMegapixel("FullRender/8bpc/Normal/r10"), 8.0);
    EXPECT_DOUBLE_EQ(summary.msPerMegapixel("Stage/mono/AngleMap"), 7.0);
    EXPECT_LT(summary.msPerMegapixel("OpenCvPeer/16bpc/r10"), 0.0);

    std::ostringstream out;
    summary.print(out);
    const std::string text = out.str();
    EXPECT_NE(text.find("FullRender/8bpc/Normal/r10"), std::string::npos);
    // Beside it: the ratio, the speed-up over its one-worker twin (14 / 8) and its memory.
    EXPECT_NE(text.find("8.000      2.000    4.000     1.75     36.5"), std::string::npos) << text;
    // The 16 bpc render has no peer in this run: no ratio is made up.
    const std::size_t line = text.find("FullRender/16bpc/Normal/r10");
    ASSERT_NE(line, std::string::npos);
    EXPECT_NE(text.find("3.000          -        -        -        -", line), std::string::npos) << text;
    // Stages, peers and one-worker twins get no line of their own.
    EXPECT_EQ(text.find("FullRender1w/"), std::string::npos);
    EXPECT_EQ(text.find("Stage/mono/AngleMap"), std::string::npos);
    EXPECT_EQ(text.find("OpenCvPeer/8bpc/r10  "), std::string::npos);
}

TEST(RatioSummary, SetsEachDepthCaseBesideItsCaseWithoutDepth) {
    RatioSummary summary(benchmark::ConsoleReporter::OO_None);
    std::ostringstream table;
    summary.SetOutputStream(&table);
    summary.ReportRuns({run("FullRender/16bpc/Normal/r100", 4.0), run("FullRender/16bpc/Normal+Depth/r100", 6.0),
                        run("FullRender/32bpc/AngleMap+Depth/r100", 9.0)});
    std::ostringstream out;
    summary.print(out);
    const std::string text = out.str();
    const std::size_t depthTable = text.find("Depth branch on vs off");
    ASSERT_NE(depthTable, std::string::npos) << text;
    EXPECT_NE(text.find("6.000        4.000      1.500", depthTable), std::string::npos) << text;
    // Without its case without depth in the run, a depth case gets no ratio line.
    EXPECT_EQ(text.find("FullRender/32bpc/AngleMap+Depth/r100", depthTable), std::string::npos) << text;
}

TEST(RatioSummary, PrintsNothingWithoutFullRenders) {
    RatioSummary summary(benchmark::ConsoleReporter::OO_None);
    std::ostringstream table;
    summary.SetOutputStream(&table);
    summary.ReportRuns({run("OpenCvPeer/8bpc/r10", 2.0)});
    std::ostringstream out;
    summary.print(out);
    EXPECT_EQ(out.str(), "");
}

struct Args {
    std::vector<std::string> text;
    std::vector<char *> ptrs;
    int argc = 0;
    explicit Args(std::vector<std::string> a) : text(std::move(a)) {
        for (std::string &s : text)
            ptrs.push_back(s.data());
        ptrs.push_back(nullptr);
        argc = static_cast<int>(text.size());
    }
};

TEST(BenchOptions, TakesItsOwnFlagsAndLeavesTheRest) {
    Args a({"lumora_bench", "--smoke", "--benchmark_filter=Stage", "--threads", "3"});
    const BenchOptions o = takeBenchOptions(a.argc, a.ptrs.data());
    EXPECT_TRUE(o.smoke);
    EXPECT_EQ(o.threads, 3u);
    ASSERT_EQ(a.argc, 2);
    EXPECT_STREQ(a.ptrs[1], "--benchmark_filter=Stage");
    EXPECT_EQ(a.ptrs[2], nullptr);

    Args b({"lumora_bench", "--threads=0"});
    const BenchOptions p = takeBenchOptions(b.argc, b.ptrs.data());
    EXPECT_FALSE(p.smoke);
    EXPECT_EQ(p.threads, 0u);
    EXPECT_EQ(b.argc, 1);
}

TEST(BenchOptions, RefusesAMalformedThreadCount) {
    for (const char *bad : {"--threads=abc", "--threads=-1", "--threads=", "--threads=2x", "--threads=1025"}) {
        Args a({"lumora_bench", bad});
        EXPECT_THROW(takeBenchOptions(a.argc, a.ptrs.data()), std::invalid_argument) << bad;
    }
    Args last({"lumora_bench", "--threads"});
    EXPECT_THROW(takeBenchOptions(last.argc, last.ptrs.data()), std::invalid_argument);
}

TEST(BenchOptions, ColorFollowsAnExplicitFlag) {
    Args off({"lumora_bench", "--benchmark_color=false"});
    EXPECT_EQ(consoleOptions(off.argc, off.ptrs.data()), benchmark::ConsoleReporter::OO_Tabular);
    Args on({"lumora_bench", "--benchmark_color=true"});
    EXPECT_EQ(consoleOptions(on.argc, on.ptrs.data()), benchmark::ConsoleReporter::OO_ColorTabular);
}

TEST(BenchFrame, SmokeModeShrinksTheFrameAndItsMegapixels) {
    setBenchOptions({});
    EXPECT_EQ(frameWidth(), 1920);
    EXPECT_EQ(frameHeight(), 1080);
    EXPECT_DOUBLE_EQ(inputMegapixels(), 2.0736);
    setBenchOptions({true, 0});
    EXPECT_EQ(frameWidth(), 64);
    EXPECT_EQ(frameHeight(), 36);
    EXPECT_DOUBLE_EQ(inputMegapixels(), 0.002304);
    setBenchOptions({});
}

// Ground (0.06, 0.07, 0.10) and the first disc (1, 0.92, 0.60) around (0.3, 0.3) frame heights.
TEST(BenchFrame, DarkGroundAndBrightDiscAtEachDepth) {
    const embedhost::Image f8 = makeBenchFrame(1920, 1080, PF_PixelFormat_ARGB32);
    const PF_Pixel8 ground8 = f8.row<PF_Pixel8>(0)[0];
    EXPECT_EQ(ground8.alpha, 255);
    EXPECT_EQ(ground8.red, 15);   // 15.3
    EXPECT_EQ(ground8.green, 18); // 17.85
    EXPECT_EQ(ground8.blue, 26);  // 25.5 rounds away from zero
    const PF_Pixel8 disc8 = f8.row<PF_Pixel8>(323)[323];
    EXPECT_EQ(disc8.red, 255);
    EXPECT_EQ(disc8.green, 235); // 234.6
    EXPECT_EQ(disc8.blue, 153);

    const embedhost::Image f16 = makeBenchFrame(1920, 1080, PF_PixelFormat_ARGB64);
    const PF_Pixel16 ground16 = f16.row<PF_Pixel16>(1079)[0];
    EXPECT_EQ(ground16.alpha, 32768);
    EXPECT_EQ(ground16.red, 1966);   // 1966.08
    EXPECT_EQ(ground16.green, 2294); // 2293.76
    EXPECT_EQ(ground16.blue, 3277);  // 3276.8

    const embedhost::Image f32 = makeBenchFrame(1920, 1080, PF_PixelFormat_ARGB128);
    const PF_PixelFloat disc32 = f32.row<PF_PixelFloat>(323)[323];
    EXPECT_FLOAT_EQ(disc32.alpha, 1.0f);
    EXPECT_FLOAT_EQ(disc32.green, 0.92f);

    // The scene scales with the height: the smoke frame holds the same disc.
    const embedhost::Image small = makeBenchFrame(64, 36, PF_PixelFormat_ARGB32);
    EXPECT_EQ(small.row<PF_Pixel8>(10)[10].green, 235);
    EXPECT_EQ(small.row<PF_Pixel8>(0)[0].green, 18);
}

} // namespace
} // namespace lumora::bench
