// The framework filter: one virtual operation per host command, and the dispatcher that maps
// host command numbers onto them. The glow effect (CustomFilter) derives from it.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

class BaseFilter {
public:
    virtual ~BaseFilter();

    virtual PF_Err dispatch(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                            PF_LayerDef *output, void *extra);

    virtual PF_Err about(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output);
    virtual PF_Err globalSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output);
    virtual PF_Err globalSetdown(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output);
    virtual PF_Err paramsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output);
    virtual PF_Err userChangedParam(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                    PF_LayerDef *output, void *extra);
    virtual PF_Err updateParamsUI(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output);
    // The framework renders nothing; an effect overrides the render commands its flags declare.
    virtual PF_Err render(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output);
    virtual PF_Err smartPreRender(PF_InData *in_data, PF_OutData *out_data, PF_PreRenderExtra *extra);
    virtual PF_Err smartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra);
    virtual PF_Err sequenceSetup(PF_InData *in_data, PF_OutData *out_data);
    virtual PF_Err sequenceSetdown(PF_InData *in_data, PF_OutData *out_data);
    virtual PF_Err sequenceFlatten(PF_InData *in_data, PF_OutData *out_data);
    virtual PF_Err getFlattenedSequenceData(PF_InData *in_data, PF_OutData *out_data);
    virtual PF_Err sequenceResetup(PF_InData *in_data, PF_OutData *out_data);
    virtual PF_Err queryDynamicFlags(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                     PF_LayerDef *output);
    virtual PF_Err event(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                         void *extra);
    virtual PF_Err arbitraryCallback(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                     PF_LayerDef *output, void *extra);
    virtual PF_Err resetupFallback(PF_InData *in_data, PF_OutData *out_data);
    virtual PF_Err initialize(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output);

protected:
    BaseFilter() = default;
    BaseFilter(const BaseFilter &) = delete;
    BaseFilter &operator=(const BaseFilter &) = delete;
};

} // namespace AEUtil
