#include "host/BaseFilter.h"

#include "options/OptionsDialog.h"

namespace AEUtil {

BaseFilter::~BaseFilter() = default;

PF_Err BaseFilter::dispatch(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                            PF_LayerDef *output, void *extra) {
    switch (cmd) {
    case PF_Cmd_ABOUT: return about(in_data, out_data, params, output);
    case PF_Cmd_GLOBAL_SETUP: return globalSetup(in_data, out_data, params, output);
    case PF_Cmd_GLOBAL_SETDOWN: return globalSetdown(in_data, out_data, params, output);
    case PF_Cmd_PARAMS_SETUP: return paramsSetup(in_data, out_data, params, output);
    case PF_Cmd_SEQUENCE_SETUP: return sequenceSetup(in_data, out_data);
    case PF_Cmd_SEQUENCE_RESETUP: return sequenceResetup(in_data, out_data);
    case PF_Cmd_SEQUENCE_FLATTEN: return sequenceFlatten(in_data, out_data);
    case PF_Cmd_SEQUENCE_SETDOWN: return sequenceSetdown(in_data, out_data);
    case PF_Cmd_DO_DIALOG: runOptionsDialog(in_data, params); return PF_Err_NONE;
    case PF_Cmd_RENDER: return render(in_data, out_data, params, output);
    case PF_Cmd_USER_CHANGED_PARAM: return userChangedParam(in_data, out_data, params, output, extra);
    case PF_Cmd_UPDATE_PARAMS_UI: return updateParamsUI(in_data, out_data, params, output);
    case PF_Cmd_EVENT: return event(in_data, out_data, params, output, extra);
    case PF_Cmd_QUERY_DYNAMIC_FLAGS: return queryDynamicFlags(in_data, out_data, params, output);
    case PF_Cmd_ARBITRARY_CALLBACK: return arbitraryCallback(in_data, out_data, params, output, extra);
    case PF_Cmd_SMART_PRE_RENDER: return smartPreRender(in_data, out_data, static_cast<PF_PreRenderExtra *>(extra));
    case PF_Cmd_SMART_RENDER: return smartRender(in_data, out_data, static_cast<PF_SmartRenderExtra *>(extra));
    case PF_Cmd_GET_FLATTENED_SEQUENCE_DATA: return getFlattenedSequenceData(in_data, out_data);
    default: return PF_Err_NONE; // frame set-up/down, audio, reserved and future commands
    }
}

PF_Err BaseFilter::userChangedParam(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::event(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *) { return PF_Err_NONE; }

PF_Err BaseFilter::arbitraryCallback(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::render(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *) { return PF_Err_NONE; }

PF_Err BaseFilter::smartPreRender(PF_InData *, PF_OutData *, PF_PreRenderExtra *) { return PF_Err_NONE; }

PF_Err BaseFilter::smartRender(PF_InData *, PF_OutData *, PF_SmartRenderExtra *) { return PF_Err_NONE; }

PF_Err BaseFilter::resetupFallback(PF_InData *in_data, PF_OutData *out_data) {
    return sequenceSetup(in_data, out_data);
}

PF_Err BaseFilter::initialize(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *) { return PF_Err_NONE; }

} // namespace AEUtil
