// Collecting ms_per_MP per case and printing Lumora's full renders against the OpenCV peer.
#include "bench/RatioSummary.h"

#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace lumora::bench {

void RatioSummary::ReportRuns(const std::vector<Run> &runs) {
    for (const Run &run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration)
            continue;
        if (run.counters.find("ms_per_MP") == run.counters.end())
            continue;
        const std::string &name = run.run_name.function_name;
        auto [it, added] = sums_.try_emplace(name);
        if (added)
            order_.push_back(name);
        for (const auto &[counterName, value] : run.counters) {
            Sum &sum = it->second[counterName];
            sum.total += value.value;
            ++sum.count;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

benchmark::ConsoleReporter::OutputOptions consoleOptions(int argc, char **argv) {
    bool color = isatty(STDOUT_FILENO) != 0;
    const char *flag = "--benchmark_color=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) {
            const std::string value = argv[i] + std::strlen(flag);
            if (value != "auto")
                color = value == "true" || value == "yes" || value == "1";
        }
    return color ? benchmark::ConsoleReporter::OO_ColorTabular : benchmark::ConsoleReporter::OO_Tabular;
}

double RatioSummary::counter(const std::string &name, const char *counterName) const {
    const auto it = sums_.find(name);
    if (it == sums_.end())
        return -1.0;
    const auto c = it->second.find(counterName);
    if (c == it->second.end() || c->second.count == 0)
        return -1.0;
    return c->second.total / c->second.count;
}

std::string peerCaseOf(const std::string &name) {
    const std::string prefix = "FullRender/";
    if (name.rfind(prefix, 0) != 0)
        return {};
    const std::size_t depthEnd = name.find('/', prefix.size());
    const std::size_t radiusStart = name.rfind('/');
    if (depthEnd == std::string::npos || radiusStart <= depthEnd)
        return {};
    return "OpenCvPeer/" + name.substr(prefix.size(), depthEnd - prefix.size()) + name.substr(radiusStart);
}

void RatioSummary::print(std::ostream &out) const {
    printFullRenders(out);
    printPairs(out, "Depth branch on vs off", "on", "off", depthOffCaseOf, false);
}

std::string oneWorkerCaseOf(const std::string &name) {
    const std::string prefix = "FullRender/";
    if (name.rfind(prefix, 0) != 0)
        return {};
    return "FullRender1w/" + name.substr(prefix.size());
}

void RatioSummary::printFullRenders(std::ostream &out) const {
    bool header = false;
    char line[320];
    auto cell = [](char *buf, std::size_t size, double v, const char *format) {
        if (v > 0.0)
            std::snprintf(buf, size, format, v);
        else
            std::snprintf(buf, size, "%s", "-");
    };
    for (const std::string &name : order_) {
        const std::string peer = peerCaseOf(name);
        if (peer.empty())
            continue;
        if (!header) {
            out << "\nLumora full renders, this run: ms per input megapixel, beside the OpenCV peer; speed-up "
                   "over one worker; most host memory the effect held, bytes per input pixel\n";
            std::snprintf(line, sizeof line, "%-44s %10s %10s %8s %8s %8s\n", "case", "lumora", "opencv", "ratio",
                          "1->N", "B/px");
            out << line;
            header = true;
        }
        const double mine = msPerMegapixel(name), theirs = msPerMegapixel(peer);
        const double single = msPerMegapixel(oneWorkerCaseOf(name));
        char a[24], b[24], c[24], d[24], e[24];
        cell(a, sizeof a, mine, "%.3f");
        cell(b, sizeof b, theirs, "%.3f");
        cell(c, sizeof c, mine > 0.0 && theirs > 0.0 ? mine / theirs : -1.0, "%.3f");
        cell(d, sizeof d, mine > 0.0 && single > 0.0 ? single / mine : -1.0, "%.2f");
        cell(e, sizeof e, counter(name, "host_B_per_px"), "%.1f");
        std::snprintf(line, sizeof line, "%-44s %10s %10s %8s %8s %8s\n", name.c_str(), a, b, c, d, e);
        out << line;
    }
}

std::string depthOffCaseOf(const std::string &name) {
    const std::string marker = "+Depth/";
    const std::size_t at = name.find(marker);
    if (name.rfind("FullRender/", 0) != 0 || at == std::string::npos)
        return {};
    return name.substr(0, at) + "/" + name.substr(at + marker.size());
}

void RatioSummary::printPairs(std::ostream &out, const char *title, const char *caseHead, const char *partnerHead,
                              std::string (*partnerOf)(const std::string &), bool keepUnmeasured) const {
    bool header = false;
    char line[160];
    for (const std::string &name : order_) {
        const std::string partner = partnerOf(name);
        if (partner.empty())
            continue;
        const double mine = msPerMegapixel(name);
        const double theirs = msPerMegapixel(partner);
        if (theirs <= 0.0 && !keepUnmeasured)
            continue;
        if (!header) {
            out << "\n" << title << ", ms per input megapixel (this run)\n";
            std::snprintf(line, sizeof line, "%-44s %12s %12s %10s\n", "case", caseHead, partnerHead, "ratio");
            out << line;
            header = true;
        }
        if (theirs > 0.0)
            std::snprintf(line, sizeof line, "%-44s %12.3f %12.3f %10.3f\n", name.c_str(), mine, theirs, mine / theirs);
        else
            std::snprintf(line, sizeof line, "%-44s %12.3f %12s %10s\n", name.c_str(), mine, "-", "-");
        out << line;
    }
}

} // namespace lumora::bench
