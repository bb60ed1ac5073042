// Global set-up and set-down, the dynamic-flags query, and the handlers whose work arrives with
// the parameter, sequence-data and render layers (until then they change nothing and succeed).
#include "host/BaseFilter.h"
#include "resources/LumoraVersion.h"

namespace AEUtil {

PF_Err BaseFilter::globalSetup(PF_InData *, PF_OutData *out_data, PF_ParamDef *[], PF_LayerDef *) {
    // Must agree with the property list, which the host read before loading the module.
    out_data->my_version = lumora::version::kPackedVersion;
    out_data->out_flags = lumora::version::kOutFlags;
    out_data->out_flags2 = lumora::version::kOutFlags2;
    return PF_Err_NONE;
}

PF_Err BaseFilter::globalSetdown(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *) { return PF_Err_NONE; }

PF_Err BaseFilter::queryDynamicFlags(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::about(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *) { return PF_Err_NONE; }

PF_Err BaseFilter::paramsSetup(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *) { return PF_Err_NONE; }

PF_Err BaseFilter::updateParamsUI(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *) { return PF_Err_NONE; }

PF_Err BaseFilter::render(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *) { return PF_Err_NONE; }

PF_Err BaseFilter::smartPreRender(PF_InData *, PF_OutData *, PF_PreRenderExtra *) { return PF_Err_NONE; }

PF_Err BaseFilter::smartRender(PF_InData *, PF_OutData *, PF_SmartRenderExtra *) { return PF_Err_NONE; }

PF_Err BaseFilter::preRenderBody(PF_InData *, PF_OutData *, PF_PreRenderExtra *, RenderSettings &) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::sequenceSetup(PF_InData *, PF_OutData *) { return PF_Err_NONE; }

PF_Err BaseFilter::sequenceSetdown(PF_InData *, PF_OutData *) { return PF_Err_NONE; }

PF_Err BaseFilter::sequenceFlatten(PF_InData *, PF_OutData *) { return PF_Err_NONE; }

PF_Err BaseFilter::getFlattenedSequenceData(PF_InData *, PF_OutData *) { return PF_Err_NONE; }

PF_Err BaseFilter::sequenceResetup(PF_InData *, PF_OutData *) { return PF_Err_NONE; }

} // namespace AEUtil
