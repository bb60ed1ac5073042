#include "cli/PanelCommand.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "cli/ArgScanner.h"
#include "cli/EffectModule.h"
#include "cli/GradientStops.h"
#include "cli/ImageFiles.h"
#include "cli/PanelSession.h"

namespace lumora::cli {

namespace {

constexpr std::uintmax_t kMaxScriptBytes = 1u << 20;
constexpr A_long kMinWidth = 1, kMaxWidth = 4096;
constexpr A_long kMarkerRow = 71; // the row through the middle of the flag markers

struct PanelArgs {
    std::string out;
    std::string module;
    A_long width = 320;
    std::optional<std::vector<AEUtil::ColorFlag>> gradient;
    std::string gradientPreset;
    std::vector<A_long> select;
    std::optional<A_long> hover;
    std::string gestures;
};

A_long parseNumber(const std::string &text, const char *option, A_long lo, A_long hi) {
    A_long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < lo || value > hi)
        throw UsageError(std::string("option '") + option + "' needs a whole number " + std::to_string(lo) + ".." +
                         std::to_string(hi) + ", not '" + text + "'");
    return value;
}

PanelArgs parsePanelArgs(std::span<const std::string> args) {
    PanelArgs a;
    ArgScanner scan(args);
    while (const std::optional<std::string> name = scan.next()) {
        if (*name == "--module")
            a.module = scan.value("PATH");
        else if (*name == "--width")
            a.width = parseNumber(scan.value("N"), "--width", kMinWidth, kMaxWidth);
        else if (*name == "--gradient")
            a.gradient = parseGradientStops(scan.value("STOPS"));
        else if (*name == "--gradient-preset")
            a.gradientPreset = scan.value("NAME");
        else if (*name == "--select") {
            const std::string list = scan.value("I,J");
            for (std::size_t start = 0; start <= list.size();) {
                const std::size_t comma = std::min(list.find(',', start), list.size());
                a.select.push_back(
                    parseNumber(list.substr(start, comma - start), "--select", 0, AEUtil::kMaxColorFlags - 1));
                start = comma + 1;
            }
        } else if (*name == "--hover")
            a.hover = parseNumber(scan.value("X"), "--hover", -kMaxWidth, 2 * kMaxWidth);
        else if (*name == "--gestures")
            a.gestures = scan.value("FILE");
        else
            throw UsageError("unknown option '" + *name + "'");
    }
    if (a.gradient && !a.gradientPreset.empty())
        throw UsageError("options '--gradient' and '--gradient-preset' exclude each other");
    if (scan.positionals().size() > 1)
        throw UsageError("unexpected argument '" + scan.positionals()[1] + "'");
    if (!scan.positionals().empty())
        a.out = scan.positionals().front();
    if (a.out.empty() && a.gestures.empty())
        throw UsageError("give OUT.png, --gestures FILE, or both");
    return a;
}

std::string readScript(const std::string &path) {
    std::error_code ec;
    const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
    if (ec)
        throw std::runtime_error("the gesture script " + path + " cannot be read (" + ec.message() + ")");
    if (bytes > kMaxScriptBytes)
        throw std::runtime_error("the gesture script " + path + " is larger than 1 MB");
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    if (!in && !in.eof())
        throw std::runtime_error("the gesture script " + path + " cannot be read");
    return text;
}

// Where a person would click a flag: the middle of its marker, as the control places it.
PF_Point markerPoint(const embedhost::EffectPanel &panel, const AEUtil::ColorFlag &flag) {
    const PF_Rect f = panel.frame();
    const A_long x0 = f.left + 15, span = f.right - 15 - x0;
    const A_long scale = span < 210 ? 208 : span - 1;
    return {x0 + static_cast<A_long>(static_cast<double>(scale) * flag.position + 0.5), f.top + kMarkerRow};
}

constexpr std::string_view kPanelSummary =
    "Draw the Glow Color Bar as the host's effect panel shows it (PNG), after the clicks and\n"
    "      drags of --gestures FILE; print the resulting gradient as --gradient text. --select\n"
    "      clicks flags by index first, --hover puts the mouse over column X.";

int runPanel(std::span<const std::string> args, std::ostream &out) {
    const PanelArgs a = parsePanelArgs(args);
    std::vector<Gesture> gestures;
    if (!a.gestures.empty())
        gestures = parseGestures(readScript(a.gestures), a.gestures);

    PanelSession session(a.module, a.width);
    if (a.gradient)
        session.setGradient(gradientValue(*a.gradient));
    if (!a.gradientPreset.empty()) {
        session.addAnswer({Gesture::Kind::Choose, {}, PF_Mod_NONE, std::nullopt, a.gradientPreset, 0});
        session.pressTopRow(0, "--gradient-preset");
    }
    const AEUtil::GradientData start = session.gradient();
    for (std::size_t i = 0; i < a.select.size(); ++i) {
        if (a.select[i] >= AEUtil::usedFlagCount(start.current))
            throw UsageError("option '--select': the gradient has no flag " + std::to_string(a.select[i]) +
                             " (it has " + std::to_string(AEUtil::usedFlagCount(start.current)) + ")");
        const PF_Point p = markerPoint(session.panel(), start.current.flag[a.select[i]]);
        session.play({Gesture::Kind::Click, {p}, i ? PF_Mod_CMD_CTRL_KEY : PF_Mod_NONE, std::nullopt, std::nullopt, 0},
                     "--select");
    }
    for (const Gesture &g : gestures)
        session.addAnswer(g);
    for (const Gesture &g : gestures)
        session.play(g, a.gestures + ":" + std::to_string(g.line));
    if (a.hover)
        session.play({Gesture::Kind::Hover, {{*a.hover, kMarkerRow}}, PF_Mod_NONE, std::nullopt, std::nullopt, 0},
                     "--hover");
    std::string wrote;
    if (!a.out.empty()) {
        const embedhost::PanelEventResult drawn = session.panel().draw();
        if (drawn.err)
            throw std::runtime_error("the plug-in failed to draw the panel (" + failureText(drawn.err, drawn.message) +
                                     ")");
        ImageFileInfo like;
        like.type = SampleType::UInt8;
        writeImageFile(a.out, session.panel().image(), like);
        wrote = "wrote " + a.out + " (" + std::to_string(session.panel().image().width) + " x " +
                std::to_string(session.panel().image().height) + ")\n";
    }
    session.releaseHeld("the end of " + a.gestures);
    for (const std::string &m : session.messages())
        std::cerr << "note: " << m << '\n';
    for (const Gesture &g : session.unusedAnswers())
        std::cerr << "note: " << a.gestures << ":" << g.line << ": no dialog opened for this answer\n";
    out << wrote << gradientStopsText(session.gradient().current) << '\n';
    return 0;
}

} // namespace

Command panelCommand() {
    return {{"panel"},
            "[OUT.png] [--module PATH] [--width N] [--gradient STOPS | --gradient-preset NAME] [--select I,J] "
            "[--hover X] [--gestures FILE]",
            kPanelSummary,
            &runPanel};
}

} // namespace lumora::cli
