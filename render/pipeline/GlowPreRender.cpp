// Smart pre-render of the glow. The handle is owned here until it is handed to the host, so an
// exception before that point cannot leak it.
#include "render/pipeline/GlowPreRender.h"

#include <algorithm>
#include <cstdint>

#include "host/kit/HandleLock.h"
#include "host/kit/PreRenderOutput.h"
#include "host/kit/SuiteCache.h"
#include "params/GlowParams.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "params/RenderSettings.h"
#include "render/pipeline/HostWorldOps.h"
#include "render/pipeline/LayerCheckouts.h"

namespace AEUtil {

namespace {

constexpr PF_ChannelMask kChannelMaskARGB = 15;

A_long to16(A_long v) { return static_cast<int16_t>(v); }

PF_Err checkout(PF_InData *in_data, PF_PreRenderExtra *extra, PF_ParamIndex index, A_long id,
                const PF_RenderRequest &request, PF_CheckoutResult &result) {
    return extra->cb->checkout_layer(in_data->effect_ref, index, id, &request, in_data->current_time,
                                     in_data->time_step, in_data->time_scale, &result);
}

// The Depth Layer is probed with an empty request, then asked for at its own full size.
PF_Err checkoutDepthLayer(PF_InData *in_data, PF_PreRenderExtra *extra) {
    const PF_ParamIndex index = indexOfId(kIdDepthLayer);
    PF_RenderRequest request{}; // empty rectangle, field 0
    request.channel_mask = kChannelMaskARGB;
    PF_CheckoutResult probe{};
    PF_Err err = checkout(in_data, extra, index, kDepthProbeCheckoutId, request, probe);
    if (err)
        return err;
    request.rect = {0, 0, probe.ref_width, probe.ref_height};
    PF_CheckoutResult depth{};
    return checkout(in_data, extra, index, kDepthCheckoutId, request, depth);
}

bool isEmpty(const PF_LRect &r) { return r.left >= r.right || r.top >= r.bottom; }

void declareOutput(PF_PreRenderOutput &out, const PF_CheckoutResult &source, A_long iw, A_long ih) {
    const PF_LRect max = glowMaxResultRect(iw, ih);
    out.result_rect = isEmpty(source.result_rect) ? source.result_rect : max;
    out.max_result_rect = max;
    out.flags = PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS;
    unionRect(out.result_rect, source.result_rect);
    unionRect(out.max_result_rect, source.max_result_rect);
}

} // namespace

PF_LRect glowMaxResultRect(A_long iw, A_long ih) {
    const int16_t a = static_cast<int16_t>(iw), b = static_cast<int16_t>(ih);
    const int16_t halfA = static_cast<int16_t>(a / 2), halfB = static_cast<int16_t>(b / 2);
    return {static_cast<int16_t>(-halfA), static_cast<int16_t>(-halfB), static_cast<int16_t>(2 * a - halfA),
            static_cast<int16_t>(2 * b - halfB)};
}

PF_Err glowSmartPreRender(PF_InData *in_data, PF_PreRenderExtra *extra) {
    SuiteCache suites(in_data->pica_basicP);
    const PF_HandleSuite1 *hs = suites.handleSuite();
    OwnedHandle handle(hs, hs->host_new_handle(sizeof(RenderSettings)));
    if (!handle)
        return PF_Err_OUT_OF_MEMORY;
    HandleLock lock(hs, handle.get());
    if (!lock)
        return PF_Err_INTERNAL_STRUCT_DAMAGED; // the handle is disposed on the way out
    RenderSettings &settings = *lock.as<RenderSettings>();
    initRenderSettings(settings);

    A_long itemWidth = 0, itemHeight = 0;
    const PF_Err itemErr = queryItemSize(in_data, itemWidth, itemHeight);
    const A_long iw = std::max(itemWidth, in_data->width);
    const A_long ih = std::max(itemHeight, in_data->height);

    settings.smart = 1;
    attachPreRenderHandle(in_data, extra->output, handle.release());

    PF_RenderRequest &request = extra->input->output_request;
    request.preserve_rgb_of_zero_alpha = true;
    request.rect = {0, 0, to16(iw), to16(ih)};
    if (itemErr)
        return itemErr;

    GetParamByCheckout reader(in_data, nullptr, true);
    PF_Err err = readAllParams(&settings, reader);
    if (!err)
        err = checkoutDepthLayer(in_data, extra);
    PF_CheckoutResult source{};
    if (!err)
        err = checkout(in_data, extra, 0, kSourceCheckoutId, request, source);
    if (!err)
        declareOutput(*extra->output, source, iw, ih);
    return err;
}

} // namespace AEUtil
