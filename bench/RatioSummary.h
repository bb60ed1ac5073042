// The console reporter of lumora_bench, which also keeps every case's ms_per_MP so that the
// ratio Lumora / OpenCV per case can be printed from the same run's measurements.
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

    // Mean ms_per_MP of a case's measured repetitions; negative when it did not run.
    double msPerMegapixel(const std::string &name) const;

    // One line per full-render case: its ms/MP, the peer's at the same depth and Glow Radius,
    // and their ratio (above 1: Lumora is slower).
    // Then one line per depth case: its ms/MP beside the same case without the depth branch.
    void print(std::ostream &out) const;

private:
    // One table: each case that `partnerOf` pairs, beside its partner and their ratio. A
    // partner not measured in this run shows '-' when `keepUnmeasured`, else drops the line.
    void printPairs(std::ostream &out, const char *title, const char *caseHead, const char *partnerHead,
                    std::string (*partnerOf)(const std::string &), bool keepUnmeasured) const;

    struct Sum {
        double total = 0.0;
        int count = 0;
    };
    std::map<std::string, Sum> sums_;
    std::vector<std::string> order_;
};

// Tabular, coloured as --benchmark_color asks (auto: when stdout is a terminal). A reporter of
// our own does not get the library's choice, so the flag is read here before it is consumed.
benchmark::ConsoleReporter::OutputOptions consoleOptions(int argc, char **argv);

// "FullRender/16bpc/AngleMap/r100" -> "OpenCvPeer/16bpc/r100"; empty for other names.
std::string peerCaseOf(const std::string &fullRenderName);
// "FullRender/8bpc/Normal+Depth/r100" -> "FullRender/8bpc/Normal/r100"; empty for other names.
std::string depthOffCaseOf(const std::string &fullRenderName);

} // namespace lumora::bench
