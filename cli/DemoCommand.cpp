#include "cli/DemoCommand.h"

#include <algorithm>
#include <iostream>

#include "cli/DemoScene.h"
#include "cli/ImageFiles.h"
#include "cli/RenderOptions.h"
#include "cli/RenderSession.h"
#include "cli/StoredDefaultsNotes.h"

namespace lumora::cli {

namespace {

// The demo's look; options on the command line take precedence.
const std::vector<std::string> kLook = {"--glow-intensity",
                                        "25",
                                        "--glow-radius",
                                        "70",
                                        "--threshold",
                                        "40",
                                        "--threshold-soft",
                                        "30",
                                        "--blend-mode",
                                        "screen",
                                        "--glow-type",
                                        "normal",
                                        "--gradient",
                                        "0:#ffffff,0.25:#ffd27a,0.55:#ff4f9a,0.8:#7a3cff,1:#1a2cff",
                                        "OUT"};

RenderRequest withLook(RenderRequest request, const std::vector<ParamOption> &table) {
    const RenderRequest look = parseRenderArgs(kLook, table, RenderVerb::Demo);
    for (const ParamSetting &s : look.settings)
        if (std::none_of(request.settings.begin(), request.settings.end(),
                         [&](const ParamSetting &given) { return given.index == s.index; }))
            request.settings.insert(request.settings.begin(), s);
    if (!request.gradient && request.gradientPreset.empty())
        request.gradient = look.gradient;
    return request;
}

constexpr std::string_view kDemoSummary =
    "Render the built-in scene (1280 x 720 unless --width / --height say otherwise) with a\n"
    "      showy glow and write it to OUT (PNG, EXR, TIFF, JPEG, ...); takes the options of\n"
    "      'lumora render', which replace the demo's own settings.";

int runDemo(std::span<const std::string> args, std::ostream &out) {
    const auto [table, parsed] = parseRenderVerb(args, RenderVerb::Demo);
    if (parsed.listOptions) {
        out << describeParamOptions(table);
        return 0;
    }
    const RenderRequest request = withLook(parsed, table);
    const int depth = request.depth ? request.depth : 16;
    const embedhost::Image scene = demoScene(request.width, request.height, formatForDepth(depth));

    RenderSession session(request);
    noteStoredDefaults(table, std::cerr);
    const embedhost::Image result = session.render(scene, request.keepArea);
    session.finish();
    const std::string &path = request.positionals[0];
    // 8-bit integer files unless the depth asks for more.
    ImageFileInfo like;
    like.type = depth == 8 ? SampleType::UInt8 : depth == 16 ? SampleType::UInt16 : SampleType::Half;
    if (!request.depth)
        like.type = SampleType::UInt8;
    writeImageFile(path, result, like);
    out << "wrote " << path << " (" << result.width << " x " << result.height << ")\n";
    return 0;
}

} // namespace

Command demoCommand() {
    return {{"demo"}, "OUT [--width W] [--height H] [--PARAMETER VALUE ...]", kDemoSummary, &runDemo};
}

} // namespace lumora::cli
