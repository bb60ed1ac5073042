#include "RunLumora.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <csignal>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

extern char **environ;

namespace lumora::test {

namespace {

std::string slurp(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

LumoraRun runLumora(const std::vector<std::string> &args, const std::string &tag, int terminateAfterMs,
                    int signal) {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path base =
        std::filesystem::path(LUMORA_TEST_TMPDIR) / (std::string("run-") + info->name() + "-" + tag);
    const std::string outFile = base.string() + ".stdout", errFile = base.string() + ".stderr";
    std::vector<std::string> argv = {LUMORA_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char *> pointers;
    for (std::string &arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, LUMORA_CLI_PATH, &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    LumoraRun result;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << LUMORA_CLI_PATH;
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

} // namespace lumora::test
