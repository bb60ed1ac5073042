#include "cli/EffectModule.h"

#include <filesystem>
#include <stdexcept>

#include "cli/HostText.h"
#include "cli/ProgramFiles.h"

namespace lumora::cli {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr const char *kModuleName = "Lumora.aex";
#else
constexpr const char *kModuleName = "Lumora.so";
#endif

std::string utf8(const fs::path &path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

std::string builtModulePath() {
    const ProgramFile module = findProgramFile(kModuleName, LUMORA_MODULE_BUILT);
    if (!module.found)
        throw std::runtime_error("no effect module: " + utf8(module.beside) + " is missing (name one with --module)");
    return utf8(*module.found);
}

embedhost::Plugin effectPlugin(const std::string &module) {
    return embedhost::Plugin::load(module.empty() ? builtModulePath() : module);
}

std::string failureText(PF_Err err, const std::string &message) {
    std::string text = "error " + std::to_string(err);
    if (!message.empty())
        text += ": " + hostTextForDisplay(message);
    return text;
}

void checkCommand(const embedhost::CommandResult &result, const char *what) {
    if (result.err != PF_Err_NONE)
        throw std::runtime_error(std::string("the plug-in failed ") + what + " (" +
                                 failureText(result.err, result.message()) + ")");
}

void withRegisteredParams(embedhost::Host &host, const std::function<void(embedhost::EffectParams &)> &use) {
    checkCommand(host.send(PF_Cmd_GLOBAL_SETUP), "global set-up");
    checkCommand(host.send(PF_Cmd_PARAMS_SETUP), "parameter set-up");
    use(host.params());
    checkCommand(host.send(PF_Cmd_GLOBAL_SETDOWN), "global set-down");
}

} // namespace lumora::cli
