// Parameter set-up of the glow effect.
#include "host/CustomFilter.h"

namespace AEUtil {

PF_Err CustomFilter::paramsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output) {
    return BaseFilter::paramsSetup(in_data, out_data, params, output);
}

} // namespace AEUtil
