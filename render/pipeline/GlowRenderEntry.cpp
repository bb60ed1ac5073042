#include "render/pipeline/GlowRenderEntry.h"

#include "host/kit/HandleLock.h"
#include "host/kit/SuiteCache.h"
#include "host/kit/WorldSuite.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "params/RenderSettings.h"
#include "render/pipeline/LayerCheckouts.h"

namespace AEUtil {

namespace {

constexpr A_long kPremiereApplId = 0x50724D72; // 'PrMr'

} // namespace

PF_Err glowClassicRender(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                         const GlowRenderBody &body) {
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
        err = body(settings);
    GetParamByCheckout checkin(in_data, nullptr, false);
    const PF_Err checkinErr = releaseAllParams(checkin);
    return err != PF_Err_NONE ? err : checkinErr;
}

PF_Err glowSmartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra,
                       const GlowRenderBody &body) {
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
    PF_Err err = cb->checkout_layer_pixels(in_data->effect_ref, kSourceCheckoutId, &settings->input);
    if (err == PF_Err_NONE)
        err = cb->checkout_output(in_data->effect_ref, &settings->output);

    if (settings->input && settings->output) {
        const PF_EffectWorld &in = *settings->input;
        if (err == PF_Err_NONE) {
            settings->inputRect = PF_LRect{0, 0, in.width, in.height};
            settings->inputPlacement =
                PF_LRect{in.origin_x, in.origin_y, in.origin_x + in.width, in.origin_y + in.height};
            err = WorldSuite::pixelFormat(in_data, settings->input, &settings->pixelFormat);
        }
        if (err == PF_Err_NONE)
            err = cb->checkout_layer_pixels(in_data->effect_ref, kDepthCheckoutId, &settings->depthLayer);
        if (err == PF_Err_NONE)
            err = body(*settings);
        if (err == PF_Err_NONE)
            err = cb->checkin_layer_pixels(in_data->effect_ref, kSourceCheckoutId);
    } else if (err == PF_Err_NONE) {
        err = cb->checkin_layer_pixels(in_data->effect_ref, kSourceCheckoutId);
    }
    return err;
}

} // namespace AEUtil
