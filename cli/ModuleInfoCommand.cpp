#include "cli/ModuleInfoCommand.h"

#include <cstdio>
#include <vector>

#include "cli/ModuleReport.h"
#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/ModuleFile.h"
#include "embedhost/pipl/PiPL.h"
#include "platform/SafeFile.h"
#include "resources/BuiltinPiPL.h"

namespace lumora::cli {

namespace {

constexpr OptionInfo kOptions[] = {{"--raw", "FILE"}};

void writeRaw(const std::string &path, const std::vector<unsigned char> &bytes) {
    std::string cause;
    if (!platform::writeFileSafely(path, {reinterpret_cast<const char *>(bytes.data()), bytes.size()}, cause))
        throw std::runtime_error("cannot write " + path + ": " + cause);
}

constexpr std::string_view kModuleInfoSummary =
    "Show the property list (PiPL) of MODULE (.aex or .so), or of the module built with this "
    "tool;\n      with --raw, write its bytes to FILE instead.";

int runModuleInfo(std::span<const std::string> args, std::ostream &out) {
    const ParsedArgs parsed = parseArgs(args, kOptions, 0, 1);
    std::vector<unsigned char> bytes;
    if (parsed.positionals.empty()) {
        const std::span<const unsigned char> builtin = resources::builtinPiPL();
        bytes.assign(builtin.begin(), builtin.end());
    } else {
        bytes = pipl::readModulePiPL(parsed.positionals[0]);
    }
    // Decoded (and so checked) in full before anything is written.
    std::string report;
    try {
        report = formatModuleInfo(pipl::decodePiPL(bytes));
    } catch (const pipl::FormatError &e) {
        const std::string source = parsed.positionals.empty() ? "built-in module" : parsed.positionals[0];
        throw pipl::FormatError(source + ": " + e.what());
    }
    if (const std::string *raw = parsed.value("--raw"))
        writeRaw(*raw, bytes);
    else
        out << report;
    return 0;
}

} // namespace

Command moduleInfoCommand() {
    return {{"module", "info"}, "[--raw FILE] [MODULE]", kModuleInfoSummary, &runModuleInfo};
}

} // namespace lumora::cli
