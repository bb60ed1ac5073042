// Global set-up and set-down, and the dynamic-flags query.
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

PF_Err BaseFilter::queryDynamicFlags(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *) { return PF_Err_NONE; }

} // namespace AEUtil
