// Argument handling of the `lumora` command: global options, dispatch to a command by its words
// ("module info"), per-command options, and the reporting of errors.
#pragma once

#include <map>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::cli {

// A mistake in the command line itself: reported with a pointer to --help, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionInfo {
    std::string_view name;      // "--raw"
    std::string_view valueName; // "FILE", or empty for a switch
};

struct ParsedArgs {
    std::map<std::string, std::string, std::less<>> options; // switches map to ""
    std::vector<std::string> positionals;

    bool has(std::string_view option) const { return options.find(option) != options.end(); }
    const std::string *value(std::string_view option) const;
};

// Accepts "--name VALUE", "--name=VALUE" and "--" (the rest are positional). Throws UsageError
// for unknown options, missing values, and when the positional count is outside the bounds.
ParsedArgs parseArgs(std::span<const std::string> args, std::span<const OptionInfo> options, std::size_t minPositionals,
                     std::size_t maxPositionals);

// One verb of the command. `run` writes to `out` only once the whole result is known, so a
// failing verb writes nothing.
struct Command {
    std::vector<std::string_view> words; // {"module", "info"}
    std::string_view synopsis;           // "[--raw FILE] [MODULE]"
    std::string_view summary;            // for --help
    int (*run)(std::span<const std::string> args, std::ostream &out) = nullptr;
};

using CommandList = std::vector<Command>;

// Runs one invocation (`args` without the program name) and returns the exit status:
// 0 success, 1 failure of the command, 2 usage error.
int runCommandLine(std::span<const std::string> args, const CommandList &commands, std::ostream &out,
                   std::ostream &err);

} // namespace lumora::cli
