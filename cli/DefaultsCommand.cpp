#include "cli/DefaultsCommand.h"

#include "cli/ArgScanner.h"
#include "cli/StoredDefaultsNotes.h"
#include "cli/UserDefaults.h"

namespace lumora::cli {

namespace {

std::vector<DefaultOverride> parseSetOptions(std::span<const std::string> args) {
    std::vector<DefaultOverride> overrides;
    ArgScanner scan(args, {"--set"});
    while (const std::optional<std::string> name = scan.next()) {
        if (*name != "--set")
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
    return overrides;
}

constexpr std::string_view kDefaultsPathSummary = "Print the path of the user settings file (it need not exist).";

int runDefaultsPath(std::span<const std::string> args, std::ostream &out) {
    parseArgs(args, {}, 0, 0);
    out << userSettingsPath() << '\n';
    return 0;
}

constexpr std::string_view kDefaultsShowSummary =
    "Print the entries of the user settings file, or \"no user defaults\".";

int runDefaultsShow(std::span<const std::string> args, std::ostream &out) {
    parseArgs(args, {}, 0, 0);
    const std::vector<std::string> entries = userDefaultEntries();
    if (entries.empty())
        out << "no user defaults\n";
    for (const std::string &entry : entries)
        out << printable(entry) << '\n';
    return 0;
}

constexpr std::string_view kDefaultsSaveSummary =
    "Write the built-in default of every storable parameter to the user settings file,\n"
    "      each --set NAME=VALUE replacing one (\"Glow Radius=25\", \"Depth Tint.r=128\").";

int runDefaultsSave(std::span<const std::string> args, std::ostream &out) {
    const std::vector<DefaultOverride> overrides = parseSetOptions(args);
    const std::string path = saveBuiltinDefaults(overrides);
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

Command defaultsShowCommand() { return {{"defaults", "show"}, "", kDefaultsShowSummary, &runDefaultsShow}; }

Command defaultsSaveCommand() {
    return {{"defaults", "save"}, "[--set NAME=VALUE ...]", kDefaultsSaveSummary, &runDefaultsSave};
}

Command defaultsResetCommand() { return {{"defaults", "reset"}, "", kDefaultsResetSummary, &runDefaultsReset}; }

} // namespace lumora::cli
