// What "PF Param Utils Suite" asks of the parameters: UI updates, change states and keyframes.
#include "embedhost/EffectParams.h"

#include <cstring>

#include "embedhost/Host.h"
#include "embedhost/LockedRead.h"

namespace embedhost {

PF_Err EffectParams::updateUi(PF_ParamIndex index, const PF_ParamDef *def) {
    std::lock_guard lock(mutex_);
    // The host lets a plug-in change the look of its controls while it supervises them, updates
    // them, runs its options dialog or handles an event; not at other times.
    const bool allowed = host_.inCommand(PF_Cmd_UPDATE_PARAMS_UI) || host_.inCommand(PF_Cmd_USER_CHANGED_PARAM) ||
                         host_.inCommand(PF_Cmd_DO_DIALOG) || host_.inCommand(PF_Cmd_EVENT);
    const PF_Err err = !allowed || !def ? PF_Err_BAD_CALLBACK_PARAM : store_.updateUi(index, *def);
    if (err != PF_Err_NONE) {
        ++refusedUiUpdates_;
        problems_.push_back("PF_UpdateParamUI of index " + std::to_string(index) +
                            (allowed ? " refused" : " outside the commands that allow it"));
        return err;
    }
    ++uiUpdates_;
    return PF_Err_NONE;
}

long EffectParams::uiUpdates() const { return lockedRead(mutex_, uiUpdates_); }

long EffectParams::refusedUiUpdates() const { return lockedRead(mutex_, refusedUiUpdates_); }

PF_Err EffectParams::currentState(PF_ParamIndex index, PF_State *state) const {
    std::lock_guard lock(mutex_);
    if (!state)
        return PF_Err_BAD_CALLBACK_PARAM;
    std::uint64_t sum = 0;
    if (index >= 0) {
        if (!store_.valid(index))
            return PF_Err_BAD_CALLBACK_PARAM;
        sum = store_.revision(index);
    } else if (index == PF_ParamIndex_CHECK_ALL || index == PF_ParamIndex_CHECK_ALL_EXCEPT_LAYER_PARAMS ||
               index == PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE) {
        for (PF_ParamIndex i = 0; i < store_.count(); ++i) {
            const PF_ParamDef &d = store_.at(i).reg->def;
            if (index == PF_ParamIndex_CHECK_ALL_EXCEPT_LAYER_PARAMS && d.param_type == PF_Param_LAYER)
                continue;
            if (index == PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE &&
                (d.flags & PF_ParamFlag_EXCLUDE_FROM_HAVE_INPUTS_CHANGED))
                continue;
            sum += store_.revision(i);
        }
    } else {
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    // Revisions only grow, so any change since an earlier state gives a different one. The time
    // span a caller names is not narrowed to: a change at any time counts.
    state->reservedAL[0] = index;
    state->reservedAL[1] = generation_;
    state->reservedAL[2] = static_cast<A_long>(sum & 0xffffffffu);
    state->reservedAL[3] = static_cast<A_long>(sum >> 32);
    return PF_Err_NONE;
}

PF_Err EffectParams::identicalCheckout(PF_ParamIndex index, A_Time a, A_Time b, bool *identical) {
    std::lock_guard lock(mutex_);
    if (!identical || !store_.valid(index) || a.scale == 0 || b.scale == 0)
        return PF_Err_BAD_CALLBACK_PARAM;
    const ParamStore::Entry &e = store_.at(index);
    if (e.keys.empty()) {
        *identical = true;
        return PF_Err_NONE;
    }
    if (e.reg->def.param_type != PF_Param_ARBITRARY_DATA) {
        *identical = store_.sample(index, a).value.sameAs(store_.sample(index, b).value);
        return PF_Err_NONE;
    }
    PF_ArbCompareResult result = PF_ArbCompare_NOT_EQUAL;
    const PF_Err err = compareArbitrary(index, a, b, &result);
    *identical = err == PF_Err_NONE && result == PF_ArbCompare_EQUAL;
    return err;
}

PF_Err EffectParams::keyframeCount(PF_ParamIndex index, PF_KeyIndex *count) const {
    std::lock_guard lock(mutex_);
    if (!count || !store_.valid(index))
        return PF_Err_BAD_CALLBACK_PARAM;
    const std::size_t n = store_.at(index).keys.size();
    *count = n == 0 ? PF_KeyIndex_NONE : static_cast<PF_KeyIndex>(n);
    return PF_Err_NONE;
}

PF_Err EffectParams::keyTime(PF_ParamIndex index, PF_KeyIndex key, A_long *time, A_u_long *scale) const {
    std::lock_guard lock(mutex_);
    if (!time || !scale || !store_.valid(index))
        return PF_Err_BAD_CALLBACK_PARAM;
    const auto &keys = store_.at(index).keys;
    if (key < 0 || static_cast<std::size_t>(key) >= keys.size())
        return PF_Err_BAD_CALLBACK_PARAM;
    *time = keys[static_cast<std::size_t>(key)].time.value;
    *scale = keys[static_cast<std::size_t>(key)].time.scale;
    return PF_Err_NONE;
}

PF_Err EffectParams::findKeyframe(PF_ParamIndex index, A_Time time, PF_TimeDir dir, bool *found, PF_KeyIndex *key,
                                  A_long *keyTime, A_u_long *keyScale) const {
    std::lock_guard lock(mutex_);
    // Time and scale are asked for together or not at all.
    if (!found || !store_.valid(index) || time.scale == 0 || (keyTime == nullptr) != (keyScale == nullptr))
        return PF_Err_BAD_CALLBACK_PARAM;
    const auto &keys = store_.at(index).keys;
    const auto n = static_cast<PF_KeyIndex>(keys.size());
    PF_KeyIndex hit = PF_KeyIndex_NONE;
    for (PF_KeyIndex i = 0; i < n; ++i) {
        const int c = compareTimes(keys[static_cast<std::size_t>(i)].time, time);
        const bool match = (dir == PF_TimeDir_GREATER_THAN && c > 0) ||
                           (dir == PF_TimeDir_GREATER_THAN_OR_EQUAL && c >= 0) ||
                           (dir == PF_TimeDir_LESS_THAN && c < 0) || (dir == PF_TimeDir_LESS_THAN_OR_EQUAL && c <= 0);
        if (!match)
            continue;
        hit = i;
        if (dir == PF_TimeDir_GREATER_THAN || dir == PF_TimeDir_GREATER_THAN_OR_EQUAL)
            break; // the first one after; for "before" the last match wins
    }
    if (dir != PF_TimeDir_GREATER_THAN && dir != PF_TimeDir_GREATER_THAN_OR_EQUAL && dir != PF_TimeDir_LESS_THAN &&
        dir != PF_TimeDir_LESS_THAN_OR_EQUAL)
        return PF_Err_BAD_CALLBACK_PARAM;
    *found = hit != PF_KeyIndex_NONE;
    if (key)
        *key = hit;
    if (keyTime && hit != PF_KeyIndex_NONE) {
        *keyTime = keys[static_cast<std::size_t>(hit)].time.value;
        *keyScale = keys[static_cast<std::size_t>(hit)].time.scale;
    }
    return PF_Err_NONE;
}

PF_Err EffectParams::checkoutKeyframe(PF_ParamIndex index, PF_KeyIndex key, A_long *time, A_u_long *scale,
                                      PF_ParamDef *def) {
    std::lock_guard lock(mutex_);
    if (!store_.valid(index) || (time == nullptr) != (scale == nullptr))
        return PF_Err_BAD_CALLBACK_PARAM;
    const auto &keys = store_.at(index).keys;
    if (key < 0 || static_cast<std::size_t>(key) >= keys.size())
        return PF_Err_BAD_CALLBACK_PARAM;
    const Keyframe &k = keys[static_cast<std::size_t>(key)];
    if (time) {
        *time = k.time.value;
        *scale = k.time.scale;
    }
    if (!def)
        return PF_Err_NONE;
    ParamValue value = k.value;
    if (value.type == PF_Param_ARBITRARY_DATA) {
        if (PF_Err err = arb_.copy(typeOf(index), value.arb, &value.arb)) {
            std::memset(def, 0, sizeof *def);
            return err;
        }
    }
    return recordCheckout(index, value, def, true);
}

PF_Err EffectParams::checkinKeyframe(PF_ParamDef *def) { return checkinRecord(def, true); }

} // namespace embedhost
