#include "host/CustomFilter.h"

#include <clocale>

#include "AE_EffectUI.h"
#include "colorbar/GradColorPresetUI.h"
#include "params/GlowParams.h"
#include "params/ParamRegistry.h"
#include "render/pipeline/GlowPreRender.h"
#include "render/pipeline/GlowRenderEntry.h"
#include "render/pipeline/RenderGlow.h"

namespace AEUtil {

CustomFilter::CustomFilter() {
    std::setlocale(LC_ALL, "");
    colorBar_ = SharedPtr<GradColorPresetUI>(new GradColorPresetUI());
    eventProvider_.subscribe(SharedPtr<IEventBase>(colorBar_, colorBar_.get()));
    arbProvider_.add(SharedPtr<IArbBase>(colorBar_, colorBar_.get()));
}

CustomFilter::~CustomFilter() {
    arbProvider_.clear();
    eventProvider_.clear();
    colorBar_.reset();
}

PF_Err CustomFilter::event(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                           void *extra) {
    return eventProvider_.dispatch(in_data, out_data, params, output, static_cast<PF_EventExtra *>(extra));
}

PF_Err CustomFilter::arbitraryCallback(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *,
                                       void *extra) {
    return arbProvider_.dispatch(in_data, out_data, params, static_cast<PF_ArbParamsExtra *>(extra));
}

PF_Err CustomFilter::smartPreRender(PF_InData *in_data, PF_OutData *, PF_PreRenderExtra *extra) {
    return glowSmartPreRender(in_data, extra);
}

namespace {

PF_Err glowBody(RenderSettings &settings) { return renderGlowForFormat(settings, indexOfId(kIdGlowColorBar)); }

} // namespace

PF_Err CustomFilter::render(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output) {
    return glowClassicRender(in_data, out_data, params, output, glowBody);
}

PF_Err CustomFilter::smartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra) {
    return glowSmartRender(in_data, out_data, extra, glowBody);
}

GradColorPresetUI &CustomFilter::colorBar() const { return *colorBar_; }

} // namespace AEUtil
