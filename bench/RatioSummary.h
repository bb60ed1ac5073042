// The console reporter of lumora_bench, which also keeps every case's counters so that the
// full renders' summary (ratio to OpenCV, speed-up from one worker, memory) comes from the
// same run's measurements.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace lumora::bench {

class RatioSummary : public benchmark::ConsoleReporter {
public:
    explicit RatioSummary(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run> &runs) override;

    // Mean of a counter over a case's measured repetitions; negative when it did not run.
    double counter(const std::string &name, const char *counterName) const;
    double msPerMegapixel(const std::string &name) const { return counter(name, "ms_per_MP"); }

    // One line per full-render case: its ms/MP, the peer's at the same depth and Glow Radius,
    // their ratio (above 1: Lumora is slower), the speed-up over its one-worker twin and the
    // most host memory the effect held, per input pixel.
    // Then one line per depth case: its ms/MP beside the same case without the depth branch.
    void print(std::ostream &out) const;

private:
    // One table: each case that `partnerOf` pairs, beside its partner and their ratio. A
    // partner not measured in this run shows '-' when `keepUnmeasured`, else drops the line.
    void printPairs(std::ostream &out, const char *title, const char *caseHead, const char *partnerHead,
                    std::string (*partnerOf)(const std::string &), bool keepUnmeasured) const;

    void printFullRenders(std::ostream &out) const;

    struct Sum {
        double total = 0.0;
        int count = 0;
    };
    std::map<std::string, std::map<std::string, Sum>> sums_; // case -> counter -> sum
    std::vector<std::string> order_;
};

// Tabular, coloured as --benchmark_color asks (auto: when stdout is a terminal). A reporter of
// our own does not get the library's choice, so the flag is read here before it is consumed.
benchmark::ConsoleReporter::OutputOptions consoleOptions(int argc, char **argv);

// "FullRender/16bpc/AngleMap/r100" -> "OpenCvPeer/16bpc/r100"; empty for other names.
std::string peerCaseOf(const std::string &fullRenderName);
// "FullRender/8bpc/Normal+Depth/r100" -> "FullRender/8bpc/Normal/r100"; empty for other names.
std::string depthOffCaseOf(const std::string &fullRenderName);
// "FullRender/8bpc/Normal/r100" -> "FullRender1w/8bpc/Normal/r100", its one-worker twin.
std::string oneWorkerCaseOf(const std::string &fullRenderName);

} // namespace lumora::bench
