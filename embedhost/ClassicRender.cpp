// The classic path: PF_Cmd_RENDER with the input layer as params[0], an output world of the
// input's size, and layer parameters' pixels lent through checkout_param.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "embedhost/FrameRender.h"
#include "embedhost/Host.h"
#include "embedhost/Layers.h"

namespace embedhost {

RenderOutput FrameRenderer::renderClassic() {
    const std::shared_ptr<const Image> stored = host_.layers().get(kInputLayerId);
    const Image &layer = *stored;
    const A_long w = downsampled(layer.width, dsX_);
    const A_long h = downsampled(layer.height, dsY_);
    const Image input = resampleNearest(layer, w, h);

    RenderOutput result;
    result.resultRect = result.maxResultRect = PF_LRect{0, 0, w, h};
    result.image = Image::make(0, 0, input.format);
    WorldStore &worlds = host_.worlds();
    PF_EffectWorld in{}, out{};
    if (PF_Err err = worldFromImage(worlds, input, in)) {
        result.err = err;
        result.message = "the host could not allocate the input world";
        return result;
    }
    if (PF_Err err = worlds.create(w, h, input.format, true, &out)) {
        worlds.dispose(&in);
        result.err = err;
        result.message = "the host could not allocate the output world";
        return result;
    }
    struct Release {
        WorldStore &worlds;
        PF_EffectWorld &in, &out;
        ~Release() {
            worlds.dispose(&in);
            worlds.dispose(&out);
        }
    } release{worlds, in, out};

    const HostProfile &p = host_.profile();
    ParamArray array = host_.params().makeArray(A_Time{p.currentTime, p.timeScale});
    if (array.size() == 0) {
        host_.params().finish(array, false);
        throw std::logic_error("embedhost::Host::renderFrame: the effect has no parameters yet (setUp first)");
    }
    array.at(0).u.ld = in;
    CommandResult r;
    begin(Phase::Classic);
    try {
        r = host_.send(PF_Cmd_RENDER, array.data(), &out);
    } catch (...) {
        endFrame();
        host_.params().finish(array, false);
        throw;
    }
    // Layers still checked out go back with the frame; the open checkouts stay on record.
    endFrame();
    host_.params().finish(array, false);
    result.err = r.err;
    result.message = r.message();
    result.image = imageFromWorld(out, input.format);
    return result;
}

PF_Err FrameRenderer::lendParamLayer(PF_ParamDef *def, A_long layerId) {
    std::memset(&def->u.ld, 0, sizeof def->u.ld);
    std::lock_guard lock(mutex_);
    if (phase_ != Phase::Classic || layerId == PF_LayerDefault_NONE)
        return PF_Err_NONE;
    const std::shared_ptr<const Image> layer =
        host_.layers().get(layerId == PF_LayerDefault_MYSELF ? kInputLayerId : layerId);
    if (!layer)
        return PF_Err_NONE;
    // As the input: resampled to the render's downsample, then in the render's depth.
    const Image pixels = convertImage(
        resampleNearest(*layer, downsampled(layer->width, dsX_), downsampled(layer->height, dsY_)), format_);
    auto world = std::make_unique<PF_EffectWorld>();
    if (PF_Err err = worldFromImage(host_.worlds(), pixels, *world))
        return err;
    def->u.ld = *world;
    paramLayers_.emplace_back(def, std::move(world));
    return PF_Err_NONE;
}

void FrameRenderer::returnParamLayer(const PF_ParamDef *def) {
    std::lock_guard lock(mutex_);
    // The latest lend to that definition: a repeated checkout lent it more than one.
    const auto it =
        std::find_if(paramLayers_.rbegin(), paramLayers_.rend(), [&](const auto &lent) { return lent.first == def; });
    if (it == paramLayers_.rend())
        return; // the frame already took it back
    host_.worlds().dispose(it->second.get());
    paramLayers_.erase(std::next(it).base());
}

} // namespace embedhost
