#include "cli/DefaultsCommand.h"

#include "cli/ArgScanner.h"
#include "cli/RenderSession.h"
#include "cli/StoredDefaultsNotes.h"
#include "cli/UserDefaults.h"

namespace lumora::cli {

namespace {

struct DefaultsArgs {
    std::string module; // empty: the module built with the command
    std::vector<DefaultOverride> overrides;
};

// --module PATH, and --set NAME=VALUE where `withSet`.
DefaultsArgs parseDefaultsArgs(std::span<const std::string> args, bool withSet) {
    DefaultsArgs parsed;
    std::vector<DefaultOverride> &overrides = parsed.overrides;
    ArgScanner scan(args, {"--set"});
    while (const std::optional<std::string> name = scan.next()) {
        if (*name == "--module") {
            parsed.module = scan.value("PATH");
            continue;
        }
        if (*name != "--set" || !withSet)
            throw UsageError("unknown option '" + *name + "'");
        const std::string text = scan.value("NAME=VALUE");
        if (text.find('=') == std::string::npos || text.front() == '=')
            throw UsageError("option '--set' needs NAME=VALUE, not '" + text + "'");
        DefaultOverride o = parseOverride(text);
        for (const DefaultOverride &earlier : overrides)
            if (sameKey(earlier.name, o.name))
                throw UsageError("option '--set' names '" + o.name + "' twice");
        overrides.push_back(std::move(o));
    }
    if (!scan.positionals().empty())
        throw UsageError("unexpected argument '" + scan.positionals().front() + "'");
    return parsed;
}

constexpr std::string_view kDefaultsPathSummary = "Print the path of the user settings file (it need not exist).";

int runDefaultsPath(std::span<const std::string> args, std::ostream &out) {
    parseArgs(args, {}, 0, 0);
    out << userSettingsPath() << '\n';
    return 0;
}

constexpr std::string_view kDefaultsShowSummary =
    "Print the entries of the user settings file, or \"no user defaults\", then a note on each\n"
    "      entry the effect (built with lumora, or --module PATH) would ignore.";

int runDefaultsShow(std::span<const std::string> args, std::ostream &out) {
    const DefaultsArgs parsed = parseDefaultsArgs(args, false);
    const std::vector<std::string> entries = userDefaultEntries();
    if (entries.empty()) {
        out << "no user defaults\n";
        return 0;
    }
    for (const std::string &entry : entries)
        out << printable(entry) << '\n';
    for (const std::string &note : storedDefaultNotes(entries, loadParamOptions(parsed.module)))
        out << "note: " << note << '\n';
    return 0;
}

constexpr std::string_view kDefaultsSaveSummary =
    "Write the built-in default of every storable parameter of the effect (built with lumora,\n"
    "      or --module PATH) to the user settings file, each --set NAME=VALUE replacing one\n"
    "      (\"Glow Radius=25\", \"Depth Tint.r=128\").";

int runDefaultsSave(std::span<const std::string> args, std::ostream &out) {
    const DefaultsArgs parsed = parseDefaultsArgs(args, true);
    const std::string path = saveBuiltinDefaults(parsed.overrides, parsed.module);
    out << "saved " << path << '\n';
    return 0;
}

constexpr std::string_view kDefaultsResetSummary = "Delete the user settings file and the folders it leaves empty.";

int runDefaultsReset(std::span<const std::string> args, std::ostream &out) {
    parseArgs(args, {}, 0, 0);
    resetUserDefaults();
    out << "user defaults removed\n";
    return 0;
}

} // namespace

Command defaultsPathCommand() { return {{"defaults", "path"}, "", kDefaultsPathSummary, &runDefaultsPath}; }

Command defaultsShowCommand() {
    return {{"defaults", "show"}, "[--module PATH]", kDefaultsShowSummary, &runDefaultsShow};
}

Command defaultsSaveCommand() {
    return {{"defaults", "save"}, "[--module PATH] [--set NAME=VALUE ...]", kDefaultsSaveSummary, &runDefaultsSave};
}

Command defaultsResetCommand() { return {{"defaults", "reset"}, "", kDefaultsResetSummary, &runDefaultsReset}; }

} // namespace lumora::cli
