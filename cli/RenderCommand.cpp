// `lumora render`: image files or sequences through the effect, with the layers that layer
// parameters name (a depth map, one image or one per frame) checked before anything renders.
#include "cli/RenderCommand.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "cli/ImageFiles.h"
#include "cli/Progress.h"
#include "cli/RenderOptions.h"
#include "cli/RenderSession.h"
#include "cli/StoredDefaultsNotes.h"

namespace lumora::cli {

namespace {

// A layer parameter's file: one image for every frame, or a sequence numbered like IN.
struct LayerFrames {
    LayerFile file;
    FramePattern pattern;
};

struct Frames {
    FramePattern in, out;
    FrameRange range;
    std::vector<LayerFrames> layers;
};

Frames framesFor(const RenderRequest &request) {
    Frames f{findFrameRun(request.positionals[0]), findFrameRun(request.positionals[1]), {0, 0}, {}};
    for (const LayerFile &layer : request.layers) {
        f.layers.push_back({layer, findFrameRun(layer.path)});
        if (f.layers.back().pattern.isSequence() && !f.in.isSequence())
            throw UsageError("option '" + layer.option + "': '" + layer.path +
                             "' holds a run of '#' for the frame number, which needs IN to be a sequence too");
    }
    if (!request.frames) {
        if (f.in.isSequence() || f.out.isSequence())
            throw UsageError("IN or OUT holds a run of '#' for the frame number: give the frames with --frames A-B");
        return f;
    }
    if (!f.in.isSequence())
        throw UsageError("option '--frames' needs a run of '#' in IN for the frame number (e.g. shot.####.exr)");
    f.range = *request.frames;
    if (!f.out.isSequence() && f.range.count() > 1)
        throw UsageError("OUT needs a run of '#' for the frame number when several frames are rendered");
    return f;
}

// Throws for the first file of `pattern` over frames first ... last that is not there; `prefix`
// begins the message and `frameNoun` names a numbered frame.
void requireFiles(const FramePattern &pattern, long first, long last, const std::string &prefix,
                  const std::string &frameNoun) {
    for (long frame = first; frame <= last; ++frame) {
        const std::string path = framePath(pattern, frame);
        if (!std::filesystem::exists(path))
            throw std::runtime_error(
                prefix + (pattern.isSequence() ? frameNoun + " " + std::to_string(frame) + " is missing: '" + path + "'"
                                               : "cannot read image '" + path + "': no such file"));
    }
}

// Every input and layer frame is there before the first one is rendered.
void checkInputs(const Frames &f) {
    requireFiles(f.in, f.range.first, f.range.last, "", "input frame");
    for (const LayerFrames &layer : f.layers)
        requireFiles(layer.pattern, f.range.first, layer.pattern.isSequence() ? f.range.last : f.range.first,
                     "option '" + layer.file.option + "': ", "frame");
}

embedhost::Image readLayer(const LayerFrames &layer, long frame, int depth, std::uint64_t budget) {
    try {
        return readImageFile(framePath(layer.pattern, frame), depth, budget).image;
    } catch (const std::runtime_error &e) {
        throw std::runtime_error("option '" + layer.file.option + "': " + e.what());
    }
}

void noteGlowIntensity(const RenderSession &session) {
    if (const std::optional<double> intensity = session.glowIntensity(); intensity && *intensity == 0.0)
        std::cerr << "lumora: note: Glow Intensity is 0, which adds no glow; try e.g. --glow-intensity 1.5\n";
}

void noteDepthEffects(const RenderSession &session, const Frames &frames) {
    if (frames.layers.empty() || session.depthEffectsEnabled().value_or(true))
        return;
    std::cerr << "lumora: note: Enable Depth Effects is off, so the depth layer is not used; add "
                 "--enable-depth-effects on\n";
}

constexpr std::string_view kRenderSummary =
    "Render image files through the effect (built with lumora, or --module PATH). Every\n"
    "      parameter is an option named after it in lower case with hyphens (--list-options lists\n"
    "      them with ranges and defaults): --glow-intensity 1.5 --glow-radius 40 --threshold 50\n"
    "      --blend-mode screen --glow-type angle-map --view extract --enable-depth-effects on\n"
    "      --depth-tint ff8000 --depth-layer FILE. Defaults are the plug-in's (and the user's\n"
    "      saved defaults); Glow Intensity 0 adds no glow.\n"
    "      --depth-layer FILE is the depth map (used with --enable-depth-effects on); with a\n"
    "      sequence IN it may be a sequence too (depth.####.png), one depth frame per frame.\n"
    "      --gradient \"0:#ffffff,0.5:#32f8ff,1:#0018ff\" or --gradient-preset NAME (preset file)\n"
    "      --depth 8|16|32 (default: the file's: 8-bit files 8, 16-bit 16, half/float 32)\n"
    "      --downsample N (1/N both ways)  --threads N  --quality hi|lo  --classic (PF_Cmd_RENDER)\n"
    "      --keep-area (write the whole glow area, twice the layer, instead of IN's frame)\n"
    "      --max-memory SIZE (4G, 512M: refuse frames that need more; default 3/4 of the memory)\n"
    "      --frames A-B with IN and OUT holding a run of '#' (shot.####.exr) for sequences.\n"
    "      Files: anything OpenImageIO reads; OUT keeps IN's bit depth where its format allows\n"
    "      (PNG 8/16, JPEG 8, OpenEXR half/float). Alpha is straight (unpremultiplied) as PNG and\n"
    "      TIFF store it; OpenEXR colours are premultiplied on disk and converted both ways.";

int runRender(std::span<const std::string> args, std::ostream &out) {
    const auto [table, request] = parseRenderVerb(args, RenderVerb::Render);
    if (request.listOptions) {
        out << describeParamOptions(table);
        return 0;
    }
    const Frames frames = framesFor(request);
    checkInputs(frames);
    // One image for every frame is read once, before the plug-in loads.
    std::vector<std::pair<PF_ParamIndex, embedhost::Image>> stills;
    for (const LayerFrames &layer : frames.layers)
        if (!layer.pattern.isSequence())
            stills.emplace_back(layer.file.index,
                                readLayer(layer, frames.range.first, request.depth, request.memoryBudget));

    RenderSession session(request);
    for (auto &[index, image] : stills)
        session.setLayer(index, std::move(image));
    noteGlowIntensity(session);
    noteStoredDefaults(table, std::cerr);
    noteDepthEffects(session, frames);

    Progress progress(frames.range.count());
    for (long frame = frames.range.first; frame <= frames.range.last; ++frame) {
        const std::string inPath = framePath(frames.in, frame);
        progress.show(frame - frames.range.first, inPath);
        for (const LayerFrames &layer : frames.layers)
            if (layer.pattern.isSequence())
                session.setLayer(layer.file.index, readLayer(layer, frame, request.depth, request.memoryBudget));
        const LoadedImage input = readImageFile(inPath, request.depth, request.memoryBudget);
        if (input.file.parts > 1 && frame == frames.range.first)
            std::cerr << "lumora: note: '" << inPath << "' holds " << input.file.parts
                      << " parts; only the first is read\n";
        writeImageFile(framePath(frames.out, frame), session.render(input.image, request.keepArea), input.file);
    }
    progress.show(frames.range.count(), "done");
    session.finish();
    return 0;
}

} // namespace

Command renderCommand() { return {{"render"}, "IN OUT [--PARAMETER VALUE ...] [options]", kRenderSummary, &runRender}; }

} // namespace lumora::cli
