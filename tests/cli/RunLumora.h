// Runs the built `lumora` command as a process, capturing its exit status and output.
#pragma once

#include <string>
#include <vector>

namespace lumora::test {

struct LumoraRun {
    int status = -1;
    std::string out;
    std::string err;
    long peakKilobytes = 0; // the process's peak resident memory
};

// Output goes through files named after the running test case and `tag`. With
// `terminateAfterMs`, the command gets `signal` (15: SIGTERM) that long after it started.
LumoraRun runLumora(const std::vector<std::string> &args, const std::string &tag = "run", int terminateAfterMs = 0,
                    int signal = 15);

// As runLumora, also measuring the command's peak resident memory (through GNU time: the
// rusage of a child spawned from here would count this process's own memory too).
LumoraRun runLumoraMeasured(const std::vector<std::string> &args, const std::string &tag);

} // namespace lumora::test
