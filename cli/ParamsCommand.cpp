#include "cli/ParamsCommand.h"

#include <stdexcept>

#include "cli/EffectModule.h"
#include "cli/HostText.h"
#include "cli/ParamTable.h"
#include "embedhost/Host.h"

namespace lumora::cli {

namespace {

constexpr OptionInfo kAboutOptions[] = {{"--shift", ""}};

// The module file given, else the one built with this tool.
embedhost::Plugin pluginFor(const ParsedArgs &parsed) {
    return effectPlugin(parsed.positionals.empty() ? std::string() : parsed.positionals[0]);
}

void setShiftHeld() {
#ifdef _WIN32
    _putenv_s("LUMORA_SHIFT_HELD", "1");
#else
    setenv("LUMORA_SHIFT_HELD", "1", 1);
#endif
}

constexpr std::string_view kParamsSummary =
    "List the parameters the effect registers, as a host receives them at parameter set-up\n"
    "      (the module built with this tool, or MODULE).";

int runParams(std::span<const std::string> args, std::ostream &out) {
    const ParsedArgs parsed = parseArgs(args, {}, 0, 1);
    embedhost::Host host(pluginFor(parsed));
    std::vector<ParamRow> rows;
    withRegisteredParams(host, [&](const embedhost::EffectParams &params) {
        for (A_long index = 0; index < params.count(); ++index) {
            ParamRow row;
            row.index = index;
            row.def = params.definition(index);
            if (row.def.param_type == PF_Param_POPUP)
                row.choices = params.choices(index);
            if (row.def.param_type == PF_Param_CHECKBOX)
                row.label = params.label(index);
            rows.push_back(row);
        }
    });
    out << formatParamTable(rows);
    return 0;
}

constexpr std::string_view kAboutSummary =
    "Show the effect's About text (the module built with this tool, or MODULE); --shift asks\n"
    "      as with the Shift key held.";

int runAbout(std::span<const std::string> args, std::ostream &out) {
    const ParsedArgs parsed = parseArgs(args, kAboutOptions, 0, 1);
    if (parsed.has("--shift"))
        setShiftHeld();
    embedhost::Host host(pluginFor(parsed));
    const embedhost::CommandResult result = host.send(PF_Cmd_ABOUT);
    checkCommand(result, "About");
    out << hostTextForDisplay(result.message()) << '\n';
    return 0;
}

} // namespace

Command paramsCommand() { return {{"params"}, "[MODULE]", kParamsSummary, &runParams}; }

Command aboutCommand() { return {{"about"}, "[--shift] [MODULE]", kAboutSummary, &runAbout}; }

} // namespace lumora::cli
