#include "RunLumora.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <csignal>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

extern char **environ;

namespace lumora::test {

namespace {

std::string slurp(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path runBase(const std::string &tag) {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::path(LUMORA_TEST_TMPDIR) / (std::string("run-") + info->name() + "-" + tag);
}

LumoraRun spawnAndWait(std::vector<std::string> argv, const std::filesystem::path &base, int terminateAfterMs,
                       int signal) {
    const std::string outFile = base.string() + ".stdout", errFile = base.string() + ".stderr";
    std::vector<char *> pointers;
    for (std::string &arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    LumoraRun result;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << argv[0];
        return result;
    }
    int status = 0;
    if (terminateAfterMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(terminateAfterMs));
        kill(pid, signal);
    }
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = slurp(outFile);
    result.err = slurp(errFile);
    return result;
}

} // namespace

LumoraRun runLumora(const std::vector<std::string> &args, const std::string &tag, int terminateAfterMs, int signal) {
    std::vector<std::string> argv = {LUMORA_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return spawnAndWait(argv, runBase(tag), terminateAfterMs, signal);
}

LumoraRun runLumoraMeasured(const std::vector<std::string> &args, const std::string &tag) {
    const std::filesystem::path base = runBase(tag);
    const std::string peakFile = base.string() + ".peak";
    std::vector<std::string> argv = {"/usr/bin/time", "-f", "%M", "-o", peakFile, LUMORA_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    LumoraRun result = spawnAndWait(argv, base, 0, 0);
    // Its last line; a failing command's status comes first.
    std::istringstream lines(slurp(peakFile));
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            result.peakKilobytes = std::atol(line.c_str());
    return result;
}

} // namespace lumora::test
