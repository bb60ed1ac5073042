// The smart path of a frame: PF_Cmd_SMART_PRE_RENDER with layer checkouts, then
// PF_Cmd_SMART_RENDER with pixel checkouts and the output, then the pre-render data's delete
// callback, exactly once.
#include <algorithm>
#include <cstring>

#include "embedhost/FrameRender.h"
#include "embedhost/Host.h"
#include "embedhost/Layers.h"

namespace embedhost {

namespace {

bool emptyRect(const PF_LRect &r) { return r.left >= r.right || r.top >= r.bottom; }

FrameRenderer *framesFor(PF_ProgPtr) {
    Host *host = Host::current();
    return host ? &host->frames() : nullptr;
}

PF_Err cbCheckoutLayer(PF_ProgPtr ref, PF_ParamIndex index, A_long id, const PF_RenderRequest *req, A_long time,
                       A_long step, A_u_long scale, PF_CheckoutResult *result) {
    FrameRenderer *f = framesFor(ref);
    return f ? f->checkoutLayer(ref, index, id, req, time, step, scale, result) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbGuidMixIn(PF_ProgPtr ref, A_u_long, const void *) {
    Host *host = Host::current();
    return host && host->isEffectRef(ref) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbCheckoutPixels(PF_ProgPtr ref, A_long id, PF_EffectWorld **pixels) {
    FrameRenderer *f = framesFor(ref);
    return f ? f->checkoutLayerPixels(ref, id, pixels) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbCheckinPixels(PF_ProgPtr ref, A_long id) {
    FrameRenderer *f = framesFor(ref);
    return f ? f->checkinLayerPixels(ref, id) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbCheckoutOutput(PF_ProgPtr ref, PF_EffectWorld **output) {
    FrameRenderer *f = framesFor(ref);
    return f ? f->checkoutOutput(ref, output) : PF_Err_BAD_CALLBACK_PARAM;
}

A_short bitdepthOf(PF_PixelFormat format) {
    switch (format) {
    case PF_PixelFormat_ARGB64: return 16;
    case PF_PixelFormat_ARGB128: return 32;
    default: return 8;
    }
}

} // namespace

CommandResult FrameRenderer::commandInFrame(PF_Cmd cmd, void *extra) {
    try {
        return host_.command(cmd, nullptr, extra);
    } catch (...) {
        endFrame();
        throw;
    }
}

RenderOutput FrameRenderer::renderSmart() {
    const std::shared_ptr<const Image> input = host_.layers().get(kInputLayerId);
    PF_PreRenderInput in{};
    in.output_request.rect = PF_LRect{0, 0, downsampled(input->width, dsX_), downsampled(input->height, dsY_)};
    in.output_request.field = 0;
    in.output_request.channel_mask = PF_ChannelMask_ARGB;
    in.bitdepth = bitdepthOf(input->format);
    PF_PreRenderOutput out{};
    PF_PreRenderCallbacks cb{cbCheckoutLayer, cbGuidMixIn};
    PF_PreRenderExtra extra{&in, &out, &cb};

    RenderOutput result;
    result.image = Image::make(0, 0, input->format);
    // The delete callback runs once whatever happens, exceptions included.
    struct DeleteOnce {
        PF_PreRenderOutput &out;
        ~DeleteOnce() {
            if (out.delete_pre_render_data_func)
                out.delete_pre_render_data_func(out.pre_render_data);
        }
    } deleteOnce{out};

    begin(Phase::PreRender);
    const CommandResult pre = commandInFrame(PF_Cmd_SMART_PRE_RENDER, &extra);
    result.resultRect = out.result_rect;
    result.maxResultRect = out.max_result_rect;
    result.err = pre.err;
    result.message = pre.message();
    if (pre.err != PF_Err_NONE || emptyRect(out.result_rect)) {
        endFrame();
        return result;
    }

    {
        std::lock_guard lock(mutex_);
        phase_ = Phase::SmartRender;
        outputRect_ = out.result_rect;
    }
    PF_SmartRenderInput sin{};
    sin.output_request = in.output_request;
    sin.bitdepth = in.bitdepth;
    sin.pre_render_data = out.pre_render_data;
    PF_SmartRenderCallbacks scb{cbCheckoutPixels, cbCheckinPixels, cbCheckoutOutput};
    PF_SmartRenderExtra sextra{&sin, &scb};
    const CommandResult render = commandInFrame(PF_Cmd_SMART_RENDER, &sextra);
    result.err = render.err;
    result.message = render.message();
    {
        std::lock_guard lock(mutex_);
        const PF_LRect &r = outputRect_;
        result.image =
            output_ ? imageFromWorld(*output_, format_) : Image::make(r.right - r.left, r.bottom - r.top, format_);
        result.originX = r.left;
        result.originY = r.top;
    }
    endFrame();
    return result;
}

PF_Err FrameRenderer::checkoutLayer(PF_ProgPtr ref, PF_ParamIndex index, A_long checkoutId, const PF_RenderRequest *req,
                                    A_long time, A_long, A_u_long timeScale, PF_CheckoutResult *result) {
    std::lock_guard lock(mutex_);
    if (!host_.isEffectRef(ref) || !req || !result)
        return refuse("checkout_layer: bad effect reference, request or result");
    if (phase_ != Phase::PreRender)
        return refuse("checkout_layer outside PF_Cmd_SMART_PRE_RENDER");
    if (checkouts_.count(checkoutId))
        return refuse("checkout_layer: checkout id " + std::to_string(checkoutId) + " used twice");
    if (timeScale == 0)
        return refuse("checkout_layer: time scale 0");

    Checkout c;
    if (index == 0) {
        c.hasLayer = true;
        c.layerId = kInputLayerId;
    } else {
        EffectParams &params = host_.params();
        if (index < 0 || index >= params.count() || params.definition(index).param_type != PF_Param_LAYER)
            return refuse("checkout_layer: index " + std::to_string(index) + " is not a layer parameter");
        const A_long chosen = params.value(index, A_Time{time, timeScale}).layer;
        c.hasLayer = chosen != PF_LayerDefault_NONE;
        c.layerId = chosen == PF_LayerDefault_MYSELF ? kInputLayerId : chosen;
    }
    const std::shared_ptr<const Image> layer = c.hasLayer ? host_.layers().get(c.layerId) : nullptr;
    c.hasLayer = layer != nullptr;

    std::memset(result, 0, sizeof *result);
    result->par = PF_RationalScale{1, 1};
    if (c.hasLayer) {
        c.width = downsampled(layer->width, dsX_);
        c.height = downsampled(layer->height, dsY_);
        const PF_LRect &q = req->rect;
        PF_LRect r{std::max(q.left, 0), std::max(q.top, 0), std::min(q.right, c.width), std::min(q.bottom, c.height)};
        c.rect = emptyRect(r) ? PF_LRect{} : r;
        result->result_rect = c.rect;
        result->max_result_rect = PF_LRect{0, 0, c.width, c.height};
        result->ref_width = c.width;
        result->ref_height = c.height;
    }
    checkouts_[checkoutId] = c;
    return PF_Err_NONE;
}

PF_Err FrameRenderer::checkoutLayerPixels(PF_ProgPtr ref, A_long checkoutId, PF_EffectWorld **pixels) {
    std::lock_guard lock(mutex_);
    if (!host_.isEffectRef(ref) || !pixels)
        return refuse("checkout_layer_pixels: bad effect reference or world pointer");
    *pixels = nullptr;
    if (phase_ != Phase::SmartRender)
        return refuse("checkout_layer_pixels outside PF_Cmd_SMART_RENDER");
    auto it = checkouts_.find(checkoutId);
    if (it == checkouts_.end())
        return refuse("checkout_layer_pixels: checkout id " + std::to_string(checkoutId) +
                      " was not checked out at pre-render");
    const Checkout &c = it->second;
    if (!c.hasLayer || emptyRect(c.rect))
        return PF_Err_NONE; // no layer chosen, or nothing of it requested: no pixels
    if (auto lent = lent_.find(checkoutId); lent != lent_.end()) {
        *pixels = lent->second.get();
        return PF_Err_NONE;
    }
    const std::shared_ptr<const Image> layer = host_.layers().get(c.layerId);
    if (!layer)
        return refuse("checkout_layer_pixels: layer " + std::to_string(c.layerId) + " was removed");
    auto world = std::make_unique<PF_EffectWorld>();
    // At full size and in the render's depth the layer goes into the world in one copy.
    const bool asStored = c.width == layer->width && c.height == layer->height && layer->format == format_;
    const PF_Err err =
        asStored
            ? worldFromImage(host_.worlds(), *layer, c.rect, *world)
            : worldFromImage(host_.worlds(),
                             crop(convertImage(resampleNearest(*layer, c.width, c.height), format_), c.rect), *world);
    if (err)
        return err;
    world->origin_x = c.rect.left;
    world->origin_y = c.rect.top;
    *pixels = world.get();
    lent_[checkoutId] = std::move(world);
    return PF_Err_NONE;
}

PF_Err FrameRenderer::checkinLayerPixels(PF_ProgPtr ref, A_long checkoutId) {
    std::lock_guard lock(mutex_);
    if (!host_.isEffectRef(ref))
        return refuse("checkin_layer_pixels: bad effect reference");
    if (phase_ != Phase::SmartRender)
        return refuse("checkin_layer_pixels outside PF_Cmd_SMART_RENDER");
    auto c = checkouts_.find(checkoutId);
    if (c == checkouts_.end())
        return refuse("checkin_layer_pixels: checkout id " + std::to_string(checkoutId) + " unknown");
    auto it = lent_.find(checkoutId);
    if (it == lent_.end()) {
        if (!c->second.hasLayer || emptyRect(c->second.rect))
            return PF_Err_NONE; // nothing was lent for it
        return refuse("checkin_layer_pixels: checkout id " + std::to_string(checkoutId) + " holds no pixels");
    }
    host_.worlds().dispose(it->second.get());
    lent_.erase(it);
    return PF_Err_NONE;
}

PF_Err FrameRenderer::checkoutOutput(PF_ProgPtr ref, PF_EffectWorld **output) {
    std::lock_guard lock(mutex_);
    if (!host_.isEffectRef(ref) || !output)
        return refuse("checkout_output: bad effect reference or world pointer");
    *output = nullptr;
    if (phase_ != Phase::SmartRender)
        return refuse("checkout_output outside PF_Cmd_SMART_RENDER");
    if (!output_) {
        auto world = std::make_unique<PF_EffectWorld>();
        const PF_LRect &r = outputRect_;
        if (PF_Err err = host_.worlds().create(r.right - r.left, r.bottom - r.top, format_, true, world.get()))
            return err;
        world->origin_x = r.left;
        world->origin_y = r.top;
        output_ = std::move(world);
    }
    *output = output_.get();
    return PF_Err_NONE;
}

} // namespace embedhost
