// One effect instance in the embedded host, set up with a command line's parameter values and
// rendering images through the host's full protocol; shared by `lumora render` and `demo`.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/RenderOptions.h"
#include "embedhost/Image.h"

namespace embedhost {
class Host;
}

namespace lumora::cli {

// The parameter options of the module built with the command (empty `module`) or of a module
// file, read from a short-lived instance. Throws std::runtime_error when it fails to set up.
std::vector<ParamOption> loadParamOptions(const std::string &module);

// A verb's request, parsed against the options of the module it names (--module, else the
// built one), with the table it was parsed against.
struct RenderArgs {
    std::vector<ParamOption> table;
    RenderRequest request;
};
RenderArgs parseRenderVerb(std::span<const std::string> args, RenderVerb verb);

// The part of `image` at (left, top) of width x height; what lies outside it is transparent.
embedhost::Image cropOrPad(const embedhost::Image &image, A_long left, A_long top, A_long width, A_long height);

class RenderSession {
public:
    // Loads the plug-in with the request's threads, downsample and quality, runs the set-up
    // commands and sets every parameter the request names, the gradient included (from
    // --gradient, or --gradient-preset looked up in the preset file), then lets the plug-in
    // update its controls when it asked for that (PF_Cmd_UPDATE_PARAMS_UI), as the host does
    // once the values are in. Throws std::runtime_error naming what failed.
    explicit RenderSession(const RenderRequest &request);
    ~RenderSession(); // tears the instance down if finish() was not reached
    RenderSession(const RenderSession &) = delete;
    RenderSession &operator=(const RenderSession &) = delete;

    // The image a layer parameter names (--depth-layer).
    void setLayer(PF_ParamIndex index, embedhost::Image image);

    // Renders `input` as the effect's layer. The result is the input's frame at the render's
    // downsample, or with `keepArea` the whole area the effect declared. Throws
    // std::runtime_error with the error code and the plug-in's message when the render fails,
    // and before it starts when the frame would pass the request's memory budget.
    embedhost::Image render(const embedhost::Image &input, bool keepArea);

    // The instance's Glow Intensity after the set-up; none when it has no such parameter.
    std::optional<double> glowIntensity() const;
    // Whether Enable Depth Effects is checked; none when it has no such parameter.
    std::optional<bool> depthEffectsEnabled() const;

    // Sequence and global set-down; throws when the plug-in fails them.
    void finish();

private:
    void applySettings(const RenderRequest &request);

    std::unique_ptr<embedhost::Host> host_;
    bool classic_ = false;
    bool finished_ = false;
    std::uint64_t memoryBudget_ = 0;
    int downsample_ = 1;
};

} // namespace lumora::cli
