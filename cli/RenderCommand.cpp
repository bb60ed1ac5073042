#include "cli/RenderCommand.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "cli/ImageFiles.h"
#include "cli/Progress.h"
#include "cli/RenderOptions.h"
#include "cli/RenderSession.h"

namespace lumora::cli {

namespace {

struct Frames {
    FramePattern in, out;
    FrameRange range;
};

Frames framesFor(const RenderRequest &request) {
    Frames f{findFrameRun(request.positionals[0]), findFrameRun(request.positionals[1]), {0, 0}};
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

// Every input frame is there before the first one is rendered.
void checkInputs(const Frames &f) {
    for (long frame = f.range.first; frame <= f.range.last; ++frame) {
        const std::string path = framePath(f.in, frame);
        if (!std::filesystem::exists(path))
            throw std::runtime_error(f.in.isSequence()
                                         ? "input frame " + std::to_string(frame) + " is missing: '" + path + "'"
                                         : "cannot read image '" + path + "': no such file");
    }
}

void noteGlowIntensity(const RenderSession &session) {
    if (const std::optional<double> intensity = session.glowIntensity(); intensity && *intensity == 0.0)
        std::cerr << "lumora: note: Glow Intensity is 0, which adds no glow; try e.g. --glow-intensity 1.5\n";
}

} // namespace

std::string_view RenderCommand::summary() const {
    return "Render image files through the effect (built in, or --module PATH). Every parameter is an\n"
           "      option named after it in lower case with hyphens (--list-options lists them with\n"
           "      ranges and defaults): --glow-intensity 1.5 --glow-radius 40 --threshold 50\n"
           "      --blend-mode screen --glow-type angle-map --view extract --enable-depth-effects on\n"
           "      --depth-tint ff8000 --depth-layer FILE. Defaults are the plug-in's (and the user's\n"
           "      saved defaults); Glow Intensity 0 adds no glow.\n"
           "      --gradient \"0:#ffffff,0.5:#32f8ff,1:#0018ff\" or --gradient-preset NAME (preset file)\n"
           "      --depth 8|16|32 (default: the file's: 8-bit files 8, 16-bit 16, half/float 32)\n"
           "      --downsample N (1/N both ways)  --threads N  --quality hi|lo  --classic (PF_Cmd_RENDER)\n"
           "      --keep-area (write the whole glow area, twice the layer, instead of IN's frame)\n"
           "      --frames A-B with IN and OUT holding a run of '#' (shot.####.exr) for sequences.\n"
           "      Files: anything OpenImageIO reads; OUT keeps IN's bit depth where its format allows\n"
           "      (PNG 8/16, JPEG 8, OpenEXR half/float). Alpha is straight (unpremultiplied) as PNG and\n"
           "      TIFF store it; OpenEXR colours are premultiplied on disk and converted both ways.";
}

int RenderCommand::run(std::span<const std::string> args, std::ostream &out) const {
    const std::vector<ParamOption> table = loadParamOptions(moduleOption(args));
    const RenderRequest request = parseRenderArgs(args, table, RenderVerb::Render);
    if (request.listOptions) {
        out << describeParamOptions(table);
        return 0;
    }
    const Frames frames = framesFor(request);
    checkInputs(frames);
    std::vector<std::pair<PF_ParamIndex, LoadedImage>> layers;
    for (const LayerFile &layer : request.layers)
        layers.emplace_back(layer.index, readImageFile(layer.path, request.depth));

    RenderSession session(request);
    for (auto &[index, loaded] : layers)
        session.setLayer(index, std::move(loaded.image));
    noteGlowIntensity(session);

    Progress progress(frames.range.count());
    for (long frame = frames.range.first; frame <= frames.range.last; ++frame) {
        const std::string inPath = framePath(frames.in, frame);
        progress.show(frame - frames.range.first, inPath);
        const LoadedImage input = readImageFile(inPath, request.depth);
        writeImageFile(framePath(frames.out, frame), session.render(input.image, request.keepArea), input.file);
    }
    progress.show(frames.range.count(), "done");
    session.finish();
    return 0;
}

} // namespace lumora::cli
