#include "cli/CommandLine.h"

#include <algorithm>
#include <sstream>

#include "cli/ArgScanner.h"
#include "resources/LumoraVersion.h"

namespace lumora::cli {

namespace {

std::string fullName(const Command &command) {
    std::string name;
    for (std::string_view word : command.words) {
        if (!name.empty())
            name += ' ';
        name += word;
    }
    return name;
}

std::string versionText() {
    namespace v = lumora::version;
    return "lumora " + std::to_string(v::kMajor) + "." + std::to_string(v::kMinor) + "." +
           std::to_string(v::kRevision) + " (build " + std::to_string(v::kBuild) + ")\n";
}

std::string helpText(const CommandList &commands) {
    std::ostringstream text;
    text << "usage: lumora [--help | --version] <command> [<args>]\n\ncommands:\n";
    for (const auto &command : commands)
        text << "  lumora " << fullName(command) << ' ' << command.synopsis << "\n      " << command.summary << '\n';
    text << "\nRun 'lumora <command> --help' for the usage of one command.\n";
    return text.str();
}

// How many leading arguments name `command`, or 0 when they do not.
std::size_t matchLength(const Command &command, std::span<const std::string> args) {
    const std::vector<std::string_view> &words = command.words;
    if (words.size() > args.size())
        return 0;
    for (std::size_t i = 0; i < words.size(); ++i)
        if (args[i] != words[i])
            return 0;
    return words.size();
}

const Command *findCommand(std::span<const std::string> args, const CommandList &commands, std::size_t &used) {
    const Command *best = nullptr;
    used = 0;
    for (const auto &command : commands)
        if (const std::size_t n = matchLength(command, args); n > used) {
            best = &command;
            used = n;
        }
    return best;
}

// The commands whose first word is `word`, quoted, for "lumora module" and the like.
std::string commandsStartingWith(const std::string &word, const CommandList &commands) {
    std::string list;
    for (const auto &command : commands) {
        const std::vector<std::string_view> &words = command.words;
        if (words.size() < 2 || words[0] != word)
            continue;
        if (!list.empty())
            list += ", ";
        list += '\'';
        list += fullName(command);
        list += '\'';
    }
    return list;
}

} // namespace

const std::string *ParsedArgs::value(std::string_view option) const {
    const auto found = options.find(option);
    return found == options.end() ? nullptr : &found->second;
}

ParsedArgs parseArgs(std::span<const std::string> args, std::span<const OptionInfo> options, std::size_t minPositionals,
                     std::size_t maxPositionals) {
    ParsedArgs parsed;
    ArgScanner scan(args);
    while (const std::optional<std::string> name = scan.next()) {
        const auto known =
            std::find_if(options.begin(), options.end(), [&](const OptionInfo &o) { return o.name == *name; });
        if (known == options.end())
            throw UsageError("unknown option '" + *name + "'");
        if (known->valueName.empty())
            scan.noValue();
        parsed.options[*name] = known->valueName.empty() ? "" : scan.value(known->valueName);
    }
    parsed.positionals = scan.positionals();
    if (parsed.positionals.size() < minPositionals)
        throw UsageError("missing argument");
    if (parsed.positionals.size() > maxPositionals)
        throw UsageError("unexpected argument '" + parsed.positionals[maxPositionals] + "'");
    return parsed;
}

int runCommandLine(std::span<const std::string> args, const CommandList &commands, std::ostream &out,
                   std::ostream &err) {
    std::string usage = "Run 'lumora --help' for usage.";
    try {
        if (args.empty())
            throw UsageError("no command given");
        if (args[0] == "--help" || args[0] == "-h") {
            if (args.size() > 1)
                throw UsageError("unexpected argument '" + args[1] + "'");
            out << helpText(commands);
            return 0;
        }
        if (args[0] == "--version") {
            if (args.size() > 1)
                throw UsageError("unexpected argument '" + args[1] + "'");
            out << versionText();
            return 0;
        }
        if (args[0].starts_with("-"))
            throw UsageError("unknown option '" + args[0] + "'");

        std::size_t used = 0;
        const Command *command = findCommand(args, commands, used);
        if (!command) {
            if (const std::string list = commandsStartingWith(args[0], commands); !list.empty()) {
                if (args.size() == 1 || args[1].starts_with("-"))
                    throw UsageError("'" + args[0] + "' needs a subcommand: " + list);
                throw UsageError("unknown command '" + args[0] + " " + args[1] + "'; known: " + list);
            }
            throw UsageError("unknown command '" + args[0] + "'");
        }
        const std::span<const std::string> rest = args.subspan(used);
        usage = "usage: lumora " + fullName(*command) + " " + std::string(command->synopsis);
        if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
            out << usage << "\n" << command->summary << "\n";
            return 0;
        }
        return command->run(rest, out);
    } catch (const UsageError &e) {
        err << "lumora: " << e.what() << "\n" << usage << "\n";
        return 2;
    } catch (const std::exception &e) {
        err << "lumora: " << e.what() << "\n";
        return 1;
    }
}

} // namespace lumora::cli
