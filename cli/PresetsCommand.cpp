#include "cli/PresetsCommand.h"

#include <algorithm>
#include <iostream>

#include "cli/ArgScanner.h"
#include "cli/GradientStops.h"
#include "cli/PanelSession.h"

namespace lumora::cli {

namespace {

constexpr A_long kPanelWidth = 320;
constexpr int kPresetField = 0, kAddButton = 1, kDeleteButton = 2;

struct PresetsArgs {
    std::string module;
    std::optional<std::vector<AEUtil::ColorFlag>> gradient;
    std::vector<std::string> positionals;
};

PresetsArgs parsePresetsArgs(std::span<const std::string> args, bool withGradient, std::size_t names) {
    PresetsArgs a;
    ArgScanner scan(args);
    while (const std::optional<std::string> name = scan.next()) {
        if (*name == "--module")
            a.module = scan.value("PATH");
        else if (*name == "--gradient" && withGradient)
            a.gradient = parseGradientStops(scan.value("STOPS"));
        else
            throw UsageError("unknown option '" + *name + "'");
    }
    a.positionals = scan.positionals();
    if (a.positionals.size() < names)
        throw UsageError("a preset NAME is missing");
    if (a.positionals.size() > names)
        throw UsageError("unexpected argument '" + a.positionals[names] + "'");
    if (withGradient && !a.gradient)
        throw UsageError("option '--gradient STOPS' is required");
    return a;
}

// The names the plug-in's preset menu shows, the menu then dismissed.
std::vector<std::string> menuNames(PanelSession &session) {
    session.addAnswer({Gesture::Kind::Choose, {}, PF_Mod_NONE, std::nullopt, std::nullopt, 0});
    session.pressTopRow(kPresetField, "the preset menu");
    std::vector<std::string> names = session.lastMenu();
    if (names.size() == 1 && names.front() == "- nothing -")
        names.clear(); // the menu's placeholder when the file holds no presets
    return names;
}

void requirePreset(PanelSession &session, const std::string &name) {
    const std::vector<std::string> names = menuNames(session);
    if (std::find(names.begin(), names.end(), name) == names.end())
        throw std::runtime_error("no preset '" + name + "'" + (names.empty() ? " (there are none)" : ""));
}

// A name the preset file and the menu can hold: one line, 1..259 bytes.
void checkName(const std::string &name) {
    if (name.empty() || name.size() >= AEUtil::kGradientNameSize)
        throw UsageError("a preset name holds 1 to " + std::to_string(AEUtil::kGradientNameSize - 1) + " bytes, not " +
                         std::to_string(name.size()));
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        throw UsageError("a preset name cannot hold control characters (line breaks, tabs)");
}

// A message the plug-in returned (an unwritten preset file) fails the verb.
void failOnMessages(const PanelSession &session) {
    if (!session.messages().empty())
        throw std::runtime_error(session.messages().front());
}

int runList(std::span<const std::string> args, std::ostream &out) {
    const PresetsArgs a = parsePresetsArgs(args, false, 0);
    PanelSession session(a.module, kPanelWidth);
    std::string text;
    for (const std::string &name : menuNames(session))
        text += name + '\n';
    out << text;
    return 0;
}

int runShow(std::span<const std::string> args, std::ostream &out) {
    const PresetsArgs a = parsePresetsArgs(args, false, 1);
    PanelSession session(a.module, kPanelWidth);
    requirePreset(session, a.positionals[0]);
    session.addAnswer({Gesture::Kind::Choose, {}, PF_Mod_NONE, std::nullopt, a.positionals[0], 0});
    session.pressTopRow(kPresetField, "the preset menu");
    out << gradientStopsText(session.gradient().current) << '\n';
    return 0;
}

int runSave(std::span<const std::string> args, std::ostream &out) {
    const PresetsArgs a = parsePresetsArgs(args, true, 1);
    const std::string &name = a.positionals[0];
    checkName(name);
    PanelSession session(a.module, kPanelWidth);
    session.setGradient(gradientValue(*a.gradient));
    session.addAnswer({Gesture::Kind::Type, {}, PF_Mod_NONE, std::nullopt, name, 0});
    session.pressTopRow(kAddButton, "the Add button");
    failOnMessages(session);
    out << "saved preset '" << name << "'\n";
    return 0;
}

int runDelete(std::span<const std::string> args, std::ostream &out) {
    const PresetsArgs a = parsePresetsArgs(args, false, 1);
    const std::string &name = a.positionals[0];
    PanelSession session(a.module, kPanelWidth);
    requirePreset(session, name);
    session.addAnswer({Gesture::Kind::Choose, {}, PF_Mod_NONE, std::nullopt, name, 0});
    session.pressTopRow(kPresetField, "the preset menu");
    session.pressTopRow(kDeleteButton, "the Delete button");
    failOnMessages(session);
    out << "deleted preset '" << name << "'\n";
    return 0;
}

} // namespace

Command presetsListCommand() {
    return {{"presets", "list"},
            "[--module PATH]",
            "Print the names of the shared gradient presets, as the menu shows them.",
            &runList};
}
Command presetsShowCommand() {
    return {{"presets", "show"}, "NAME [--module PATH]", "Print the preset NAME as --gradient text.", &runShow};
}
Command presetsSaveCommand() {
    return {{"presets", "save"},
            "NAME --gradient STOPS [--module PATH]",
            "Save STOPS as the preset NAME with the colour bar's Add button (replacing a preset of that\n"
            "      name in place, else added in name order).",
            &runSave};
}
Command presetsDeleteCommand() {
    return {{"presets", "delete"},
            "NAME [--module PATH]",
            "Delete the preset NAME with the colour bar's Delete button.",
            &runDelete};
}

} // namespace lumora::cli
