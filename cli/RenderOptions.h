// Options of `lumora render` and `lumora demo`: one option per parameter the plug-in registers
// (derived from its definitions: name, type, range, popup items), and the options of the run.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "AE_Effect.h"
#include "cli/FrameSequence.h"
#include "colorbar/data/GradientData.h"
#include "embedhost/ParamValue.h"

namespace embedhost {
class EffectParams;
}

namespace lumora::cli {

// An option that sets one registered parameter.
struct ParamOption {
    std::string option; // "--glow-radius"
    std::string name;   // "Glow Radius"
    PF_ParamIndex index = 0;
    PF_ParamType type = PF_Param_RESERVED;
    double validMin = 0; // float sliders
    double validMax = 0;
    std::vector<std::pair<std::string, A_long>> choices; // popups: "screen" -> 6, separators left out
    embedhost::ParamValue dephault;
};

// "Glow Radius" -> "glow-radius", "Angle Map" -> "angle-map": lower case, runs of anything but
// letters and digits become one hyphen.
std::string optionWord(std::string_view label);

// Values as the options take them: a finite decimal number (no hex), a whole number, on/off.
std::optional<double> parseOptionNumber(std::string_view text);
std::optional<long> parseWhole(std::string_view text);
std::optional<bool> parseOptionSwitch(std::string_view text);

// The option of a registered definition: popups, checkboxes, float sliders, colours and layers
// other than the input. Nothing for groups, arbitrary data and the input layer.
std::optional<ParamOption> paramOption(PF_ParamIndex index, const PF_ParamDef &def, const std::string &choices);
std::vector<ParamOption> paramOptions(const embedhost::EffectParams &params);

// One line per option: "--glow-radius NUMBER   0 to 1000 (default 10)".
std::string describeParamOptions(const std::vector<ParamOption> &options);

struct ParamSetting {
    PF_ParamIndex index = 0;
    std::string option;
    embedhost::ParamValue value;
};

struct LayerFile {
    PF_ParamIndex index = 0;
    std::string path;   // may hold a run of '#' when IN does: one layer frame per frame
    std::string option; // "--depth-layer", for messages
};

enum class RenderVerb { Render, Demo };

struct RenderRequest {
    std::vector<std::string> positionals;
    std::string module;                 // empty: the module built with the command
    std::vector<ParamSetting> settings; // command-line order
    std::vector<LayerFile> layers;      // --depth-layer FILE (or FILE.####.EXT)
    std::optional<std::vector<AEUtil::ColorFlag>> gradient;
    std::string gradientPreset;
    int downsample = 1;
    unsigned threads = 0; // 0: one per processor
    PF_Quality quality = PF_Quality_HI;
    int depth = 0; // 0: the input file's
    bool keepArea = false;
    std::uint64_t memoryBudget = 0; // 0: defaultMemoryBudget()
    std::optional<FrameRange> frames;
    bool classic = false;
    bool listOptions = false;
    A_long width = 1280; // demo
    A_long height = 720;
};

// The value of --module, looked for before the plug-in is loaded; empty when not given.
std::string moduleOption(std::span<const std::string> args);

// Parses everything; throws UsageError for unknown options (with the closest known one as a
// hint), values of the wrong kind or out of range (naming the option and the range), options
// given twice and a wrong number of positionals (render: IN OUT; demo: OUT).
RenderRequest parseRenderArgs(std::span<const std::string> args, const std::vector<ParamOption> &params,
                              RenderVerb verb);

// The candidate nearest to `word` in edit distance, when near enough to be a likely typo.
std::optional<std::string> closestName(std::string_view word, const std::vector<std::string> &candidates);

} // namespace lumora::cli
