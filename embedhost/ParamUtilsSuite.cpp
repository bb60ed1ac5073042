#include "embedhost/ParamUtilsSuite.h"

#include <cstring>

#include "embedhost/CurrentHost.h"
#include "embedhost/EffectParams.h"

namespace embedhost {

namespace {

EffectParams *paramsFor(PF_ProgPtr ref) { return current::paramsOf(ref); }

A_Time timeOf(A_long value, A_u_long scale) { return A_Time{value, scale}; }

SPAPI PF_Err updateParamUI(PF_ProgPtr ref, PF_ParamIndex index, const PF_ParamDef *def) {
    EffectParams *p = paramsFor(ref);
    return p ? p->updateUi(index, def) : PF_Err_BAD_CALLBACK_PARAM;
}

// The time span is not narrowed to (see EffectParams::currentState).
SPAPI PF_Err getCurrentState(PF_ProgPtr ref, PF_ParamIndex index, const A_Time *, const A_Time *, PF_State *state) {
    EffectParams *p = paramsFor(ref);
    return p ? p->currentState(index, state) : PF_Err_BAD_CALLBACK_PARAM;
}

SPAPI PF_Err areStatesIdentical(PF_ProgPtr ref, const PF_State *a, const PF_State *b, A_Boolean *same) {
    if (!paramsFor(ref) || !a || !b || !same)
        return PF_Err_BAD_CALLBACK_PARAM;
    *same = std::memcmp(a, b, sizeof *a) == 0;
    return PF_Err_NONE;
}

// Version 2: states cover every parameter that is not excluded, whatever index is named.
SPAPI PF_Err getCurrentStateObsolete(PF_ProgPtr ref, PF_State *state) {
    EffectParams *p = paramsFor(ref);
    return p ? p->currentState(PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE, state) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err changedSince(PF_ProgPtr ref, const PF_State *state, PF_Boolean *changed) {
    EffectParams *p = paramsFor(ref);
    if (!p || !state || !changed)
        return PF_Err_BAD_CALLBACK_PARAM;
    PF_State now;
    if (PF_Err err = p->currentState(PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE, &now))
        return err;
    *changed = std::memcmp(&now, state, sizeof now) != 0;
    return PF_Err_NONE;
}

SPAPI PF_Err hasParamChangedObsolete(PF_ProgPtr ref, const PF_State *state, PF_ParamIndex, PF_Boolean *changed) {
    return changedSince(ref, state, changed);
}

SPAPI PF_Err haveInputsChangedObsolete(PF_ProgPtr ref, const PF_State *state, const A_Time *, const A_Time *,
                                       PF_Boolean *changed) {
    return changedSince(ref, state, changed);
}

SPAPI PF_Err isIdenticalCheckout(PF_ProgPtr ref, PF_ParamIndex index, A_long t1, A_long, A_u_long s1, A_long t2, A_long,
                                 A_u_long s2, PF_Boolean *identical) {
    EffectParams *p = paramsFor(ref);
    if (!p || !identical)
        return PF_Err_BAD_CALLBACK_PARAM;
    bool same = false;
    const PF_Err err = p->identicalCheckout(index, timeOf(t1, s1), timeOf(t2, s2), &same);
    *identical = same;
    return err;
}

SPAPI PF_Err findKeyframeTime(PF_ProgPtr ref, PF_ParamIndex index, A_long time, A_u_long scale, PF_TimeDir dir,
                              PF_Boolean *found, PF_KeyIndex *key, A_long *keyTime, A_u_long *keyScale) {
    EffectParams *p = paramsFor(ref);
    if (!p || !found)
        return PF_Err_BAD_CALLBACK_PARAM;
    bool hit = false;
    const PF_Err err = p->findKeyframe(index, timeOf(time, scale), dir, &hit, key, keyTime, keyScale);
    *found = hit;
    return err;
}

SPAPI PF_Err getKeyframeCount(PF_ProgPtr ref, PF_ParamIndex index, PF_KeyIndex *count) {
    EffectParams *p = paramsFor(ref);
    return p ? p->keyframeCount(index, count) : PF_Err_BAD_CALLBACK_PARAM;
}

SPAPI PF_Err checkoutKeyframe(PF_ProgPtr ref, PF_ParamIndex index, PF_KeyIndex key, A_long *time, A_u_long *scale,
                              PF_ParamDef *def) {
    EffectParams *p = paramsFor(ref);
    return p ? p->checkoutKeyframe(index, key, time, scale, def) : PF_Err_BAD_CALLBACK_PARAM;
}

SPAPI PF_Err checkinKeyframe(PF_ProgPtr ref, PF_ParamDef *def) {
    EffectParams *p = paramsFor(ref);
    return p ? p->checkinKeyframe(def) : PF_Err_BAD_CALLBACK_PARAM;
}

SPAPI PF_Err keyIndexToTime(PF_ProgPtr ref, PF_ParamIndex index, PF_KeyIndex key, A_long *time, A_u_long *scale) {
    EffectParams *p = paramsFor(ref);
    return p ? p->keyTime(index, key, time, scale) : PF_Err_BAD_CALLBACK_PARAM;
}

// The calls versions 2 and 3 both have, under the same names.
template <typename Suite>
void fillSharedCalls(Suite &suite) {
    suite.PF_UpdateParamUI = updateParamUI;
    fillSlot(suite.PF_IsIdenticalCheckout, isIdenticalCheckout);
    fillSlot(suite.PF_FindKeyframeTime, findKeyframeTime);
    suite.PF_GetKeyframeCount = getKeyframeCount;
    fillSlot(suite.PF_CheckoutKeyframe, checkoutKeyframe);
    fillSlot(suite.PF_CheckinKeyframe, checkinKeyframe);
    fillSlot(suite.PF_KeyIndexToTime, keyIndexToTime);
}

} // namespace

ParamUtilsSuites::ParamUtilsSuites() {
    fillSharedCalls(suite2_);
    fillSlot(suite2_.PF_GetCurrentStateObsolete, getCurrentStateObsolete);
    fillSlot(suite2_.PF_HasParamChangedObsolete, hasParamChangedObsolete);
    fillSlot(suite2_.PF_HaveInputsChangedOverTimeSpanObsolete, haveInputsChangedObsolete);

    fillSharedCalls(suite3_);
    suite3_.PF_GetCurrentState = getCurrentState;
    suite3_.PF_AreStatesIdentical = areStatesIdentical;
}

} // namespace embedhost
