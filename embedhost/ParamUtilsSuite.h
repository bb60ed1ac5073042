// "PF Param Utils Suite" as the host offers it: version 3, and version 2 with the state
// functions of its time. The functions reach the current Host's effect parameters.
#pragma once

#include "AE_EffectSuites.h"
#include "embedhost/FunctionSlot.h"

namespace embedhost {

// The true signatures of the slots our AE_EffectSuites.h declares as plain function pointers.
namespace paramutils {
using GetCurrentStateObsoleteFn = PF_Err (*)(PF_ProgPtr effect_ref, PF_State *stateP);
using HasParamChangedObsoleteFn = PF_Err (*)(PF_ProgPtr effect_ref, const PF_State *stateP, PF_ParamIndex param_index,
                                             PF_Boolean *changedPB);
using HaveInputsChangedObsoleteFn = PF_Err (*)(PF_ProgPtr effect_ref, const PF_State *stateP, const A_Time *startPT0,
                                               const A_Time *durationPT0, PF_Boolean *changedPB);
using IsIdenticalCheckoutFn = PF_Err (*)(PF_ProgPtr effect_ref, PF_ParamIndex param_index, A_long what_time1,
                                         A_long time_step1, A_u_long time_scale1, A_long what_time2, A_long time_step2,
                                         A_u_long time_scale2, PF_Boolean *identicalPB);
using FindKeyframeTimeFn = PF_Err (*)(PF_ProgPtr effect_ref, PF_ParamIndex param_index, A_long what_time,
                                      A_u_long time_scale, PF_TimeDir time_dir, PF_Boolean *foundPB,
                                      PF_KeyIndex *key_indexP0, A_long *key_timeP0, A_u_long *key_timescaleP0);
using CheckoutKeyframeFn = PF_Err (*)(PF_ProgPtr effect_ref, PF_ParamIndex param_index, PF_KeyIndex key_index,
                                      A_long *key_timeP0, A_u_long *key_timescaleP0, PF_ParamDef *paramP0);
using CheckinKeyframeFn = PF_Err (*)(PF_ProgPtr effect_ref, PF_ParamDef *paramP);
using KeyIndexToTimeFn = PF_Err (*)(PF_ProgPtr effect_ref, PF_ParamIndex param_index, PF_KeyIndex key_indexP,
                                    A_long *key_timeP, A_u_long *key_timescaleP);

} // namespace paramutils

class ParamUtilsSuites {
public:
    ParamUtilsSuites();
    const PF_ParamUtilsSuite1 *suite2() const { return &suite2_; }
    const PF_ParamUtilsSuite3 *suite3() const { return &suite3_; }

private:
    PF_ParamUtilsSuite1 suite2_{};
    PF_ParamUtilsSuite3 suite3_{};
};

} // namespace embedhost
