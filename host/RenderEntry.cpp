// Classic render, smart render and the default smart pre-render, up to the render body.
#include "host/RenderEntry.h"

#include <algorithm>
#include <atomic>

#include "host/BaseFilter.h"
#include "host/HandleLock.h"
#include "host/SuiteCache.h"
#include "host/WorldSuite.h"
#include "params/GlowParams.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "params/RenderSettings.h"

namespace AEUtil {

namespace {

constexpr A_long kPremiereApplId = 0x50724D72; // 'PrMr'
constexpr A_long kInputCheckoutId = 0;
constexpr A_long kDepthCheckoutId = 1;
constexpr A_long kDepthProbeCheckoutId = 1000001;

// The delete callback receives only the handle, so the basic suite it disposes through is
// remembered from the pre-render that made it (the host's basic suite lives as long as the host).
std::atomic<SPBasicSuite *> g_pre_render_basic{nullptr};

void disposeSettingsHandle(void *pre_render_data) {
    SPBasicSuite *basic = g_pre_render_basic.load();
    if (!pre_render_data || !basic)
        return;
    try {
        SuiteCache suites(basic);
        suites.handleSuite()->host_dispose_handle(static_cast<PF_Handle>(pre_render_data));
    } catch (...) {
        // A host without its handle suite keeps the handle; nothing safe is left to do.
    }
}

bool isEmpty(const PF_LRect &r) noexcept { return r.left >= r.right || r.top >= r.bottom; }

PF_Err checkoutForRequest(PF_InData *in_data, PF_PreRenderExtra *extra, A_long index, A_long checkoutId,
                          PF_CheckoutResult &result) {
    return extra->cb->checkout_layer(in_data->effect_ref, index, checkoutId, &extra->input->output_request,
                                     in_data->current_time, in_data->time_step, in_data->time_scale, &result);
}

} // namespace

PF_Err runRenderBody(BaseFilter &filter, RenderSettings &settings) { return filter.renderBody(settings); }

void attachSettingsHandle(PF_InData *in_data, PF_PreRenderOutput *output, PF_Handle handle) noexcept {
    g_pre_render_basic.store(in_data->pica_basicP);
    output->pre_render_data = handle;
    output->delete_pre_render_data_func = &disposeSettingsHandle;
}

void unionRect(PF_LRect &into, const PF_LRect &other) noexcept {
    if (isEmpty(into)) {
        into = other;
        return;
    }
    if (isEmpty(other))
        return;
    into.left = std::min(into.left, other.left);
    into.top = std::min(into.top, other.top);
    into.right = std::max(into.right, other.right);
    into.bottom = std::max(into.bottom, other.bottom);
}

PF_Err BaseFilter::render(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output) {
    if (in_data->appl_id == kPremiereApplId)
        return in_data->utils->copy(in_data->effect_ref, &params[0]->u.ld, output, nullptr, nullptr);

    RenderSettings settings;
    initRenderSettings(settings);
    settings.in_data = in_data;
    settings.out_data = out_data;
    settings.input = &params[0]->u.ld;
    settings.output = output;
    settings.inputRect = in_data->extent_hint;

    PF_Err err = WorldSuite::pixelFormat(in_data, settings.input, &settings.pixelFormat);
    if (err == PF_Err_NONE) {
        GetParamByCheckout reader(in_data, params, false);
        err = readAllParams(&settings, reader);
    }
    if (err == PF_Err_NONE)
        err = runRenderBody(*this, settings);
    GetParamByCheckout checkin(in_data, nullptr, false);
    const PF_Err checkinErr = releaseAllParams(checkin);
    return err != PF_Err_NONE ? err : checkinErr;
}

PF_Err BaseFilter::smartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra) {
    SuiteCache suites(in_data->pica_basicP);
    const PF_HandleSuite1 *hs = suites.handleSuite();
    // Unlocked on every path: a render body that throws (out of memory) must not leave the
    // host to dispose of a locked handle.
    HandleLock lock(hs, static_cast<PF_Handle>(extra->input->pre_render_data));
    auto *settings = lock.as<RenderSettings>();
    if (!settings)
        return PF_Err_INTERNAL_STRUCT_DAMAGED;

    PF_SmartRenderCallbacks *cb = extra->cb;
    settings->in_data = in_data;
    settings->out_data = out_data;
    settings->input = nullptr;
    settings->output = nullptr;
    PF_Err err = cb->checkout_layer_pixels(in_data->effect_ref, kInputCheckoutId, &settings->input);
    if (err == PF_Err_NONE)
        err = cb->checkout_output(in_data->effect_ref, &settings->output);

    if (settings->input && settings->output) {
        const PF_EffectWorld &in = *settings->input;
        if (err == PF_Err_NONE) {
            settings->inputRect = PF_LRect{0, 0, in.width, in.height};
            settings->inputPlacement = PF_LRect{in.origin_x, in.origin_y, in.origin_x + in.width, in.origin_y + in.height};
            err = WorldSuite::pixelFormat(in_data, settings->input, &settings->pixelFormat);
        }
        if (err == PF_Err_NONE)
            err = beforeSmartRender(*settings);
        if (err == PF_Err_NONE)
            err = cb->checkout_layer_pixels(in_data->effect_ref, kDepthCheckoutId, &settings->depthLayer);
        if (err == PF_Err_NONE)
            err = runRenderBody(*this, *settings);
        if (err == PF_Err_NONE)
            err = cb->checkin_layer_pixels(in_data->effect_ref, kInputCheckoutId);
    } else if (err == PF_Err_NONE) {
        err = cb->checkin_layer_pixels(in_data->effect_ref, kInputCheckoutId);
    }
    return err;
}

PF_Err BaseFilter::smartPreRender(PF_InData *in_data, PF_OutData *out_data, PF_PreRenderExtra *extra) {
    SuiteCache suites(in_data->pica_basicP);
    const PF_HandleSuite1 *hs = suites.handleSuite();
    PF_Handle handle = hs->host_new_handle(sizeof(RenderSettings));
    if (!handle)
        return PF_Err_OUT_OF_MEMORY;
    auto *settings = static_cast<RenderSettings *>(hs->host_lock_handle(handle));
    if (!settings) {
        hs->host_dispose_handle(handle);
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
    initRenderSettings(*settings);
    settings->smart = 1;
    attachSettingsHandle(in_data, extra->output, handle);

    GetParamByCheckout reader(in_data, nullptr, true);
    PF_Err err = readAllParams(settings, reader);
    const A_long depthIndex = indexOfId(kIdDepthLayer);
    PF_CheckoutResult depth{};
    if (err == PF_Err_NONE)
        err = checkoutForRequest(in_data, extra, depthIndex, kDepthProbeCheckoutId, depth);
    if (err == PF_Err_NONE)
        err = checkoutForRequest(in_data, extra, depthIndex, kDepthCheckoutId, depth);
    if (err == PF_Err_NONE)
        err = preRenderBody(in_data, out_data, extra, *settings);
    hs->host_unlock_handle(handle);
    return err;
}

PF_Err BaseFilter::preRenderBody(PF_InData *in_data, PF_OutData *, PF_PreRenderExtra *extra, RenderSettings &) {
    PF_CheckoutResult input{};
    PF_Err err = checkoutForRequest(in_data, extra, 0, kInputCheckoutId, input);
    if (err != PF_Err_NONE)
        return err;
    unionRect(extra->output->result_rect, input.result_rect);
    unionRect(extra->output->max_result_rect, input.max_result_rect);
    return PF_Err_NONE;
}

} // namespace AEUtil
