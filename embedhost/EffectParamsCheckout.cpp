// checkout_param / checkin_param bookkeeping and the parameter arrays of commands.
#include "embedhost/EffectParams.h"

#include <algorithm>
#include <cstring>

#include "embedhost/Host.h"
#include "embedhost/LockedRead.h"

namespace embedhost {

void EffectParams::fill(PF_ParamIndex index, const ParamValue &value, PF_ParamDef *def) const {
    const ParamStore::Entry &e = store_.at(index);
    *def = e.ui;
    e.reg->aimStrings(*def);
    def->uu.change_flags = PF_ChangeFlag_NONE; // the plug-in sets it to report a change
    writeValue(value, *def);
    if (def->param_type == PF_Param_ARBITRARY_DATA)
        def->u.arb_d.dephault = e.dephault.arb;
}

PF_Err EffectParams::recordCheckout(PF_ParamIndex index, const ParamValue &value, PF_ParamDef *def, bool keyframe) {
    fill(index, value, def);
    const bool again =
        std::any_of(checkouts_.begin(), checkouts_.end(), [&](const Checkout &c) { return c.def == def; });
    if (again)
        problems_.push_back("a definition checked out again before its check-in");
    checkouts_.push_back(Checkout{def, index, value.arb, keyframe, false});
    ++checkoutCount_;
    ++checkoutsByIndex_[index];
    return PF_Err_NONE;
}

PF_Err EffectParams::checkout(PF_ParamIndex index, A_long time, A_long step, A_u_long scale, PF_ParamDef *def) {
    (void)step; // layers are stills: the frame duration changes nothing
    A_long layer = PF_LayerDefault_NONE;
    {
        std::lock_guard lock(mutex_);
        if (!def)
            return PF_Err_BAD_CALLBACK_PARAM;
        if (host_.inCommand(PF_Cmd_UPDATE_PARAMS_UI))
            ++checkoutsInUpdateUi_;
        if (!store_.valid(index) || scale == 0) {
            std::memset(def, 0, sizeof *def);
            return PF_Err_BAD_CALLBACK_PARAM;
        }
        const A_Time at{time, scale};
        ParamValue value = store_.sample(index, at).value;
        if (value.type == PF_Param_ARBITRARY_DATA) {
            if (PF_Err err = materialise(index, at, &value.arb)) {
                std::memset(def, 0, sizeof *def);
                return err;
            }
        }
        const PF_Err err = recordCheckout(index, value, def, false);
        // Layer pixels exist only while a frame renders; elsewhere the layer reads as zeros.
        if (err != PF_Err_NONE || value.type != PF_Param_LAYER || !host_.inCommand(PF_Cmd_RENDER))
            return err;
        checkouts_.back().lent = true;
        layer = value.layer;
    }
    // Lent outside this lock: the frame renderer takes its own lock before this one.
    if (PF_Err err = host_.frames().lendParamLayer(def, layer)) {
        checkinRecord(def, false);
        std::memset(def, 0, sizeof *def);
        return err;
    }
    return PF_Err_NONE;
}

PF_Err EffectParams::checkinRecord(PF_ParamDef *def, bool keyframe, bool *lent) {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(checkouts_.rbegin(), checkouts_.rend(),
                           [&](const Checkout &c) { return c.def == def && c.keyframe == keyframe; });
    if (it == checkouts_.rend()) {
        ++badCheckins_;
        problems_.push_back(keyframe ? "PF_CheckinKeyframe of a definition that was not checked out"
                                     : "checkin_param of a definition that was not checked out");
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    const Checkout c = *it;
    checkouts_.erase(std::next(it).base());
    if (lent)
        *lent = c.lent;
    if (c.copy)
        disposeAll(c.index, {c.copy});
    return PF_Err_NONE;
}

PF_Err EffectParams::checkin(PF_ParamDef *def) {
    bool lent = false;
    const PF_Err err = checkinRecord(def, false, &lent);
    if (lent)
        host_.frames().returnParamLayer(def);
    return err;
}

std::size_t EffectParams::outstandingCheckouts() const {
    std::lock_guard lock(mutex_);
    return checkouts_.size();
}

long EffectParams::checkouts() const { return lockedRead(mutex_, checkoutCount_); }

long EffectParams::checkoutsOf(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    const auto it = checkoutsByIndex_.find(index);
    return it == checkoutsByIndex_.end() ? 0 : it->second;
}

long EffectParams::badCheckins() const { return lockedRead(mutex_, badCheckins_); }

long EffectParams::checkoutsDuringUpdateParamsUI() const { return lockedRead(mutex_, checkoutsInUpdateUi_); }

ParamArray EffectParams::makeArray(A_Time time, bool inputOnly) {
    std::lock_guard lock(mutex_);
    ParamArray array;
    array.time_ = time;
    const std::size_t n = inputOnly ? 1 : static_cast<std::size_t>(store_.count());
    array.defs_.resize(n);
    array.copies_.assign(n, nullptr);
    for (std::size_t i = 0; i < n; ++i) {
        const auto index = static_cast<PF_ParamIndex>(i);
        ParamValue value = store_.sample(index, time).value;
        if (value.type == PF_Param_ARBITRARY_DATA) {
            if (PF_Err err = materialise(index, time, &value.arb))
                problems_.push_back("no value of index " + std::to_string(i) + " for a command: error " +
                                    std::to_string(err));
            array.copies_[i] = value.arb;
        }
        fill(index, value, &array.defs_[i]);
    }
    for (PF_ParamDef &d : array.defs_)
        array.pointers_.push_back(&d);
    return array;
}

void EffectParams::finish(ParamArray &array, bool adopt) {
    std::lock_guard lock(mutex_);
    if (array.finished_)
        return;
    array.finished_ = true;
    for (std::size_t i = 1; i < array.defs_.size(); ++i) {
        const auto index = static_cast<PF_ParamIndex>(i);
        const PF_ParamDef &def = array.defs_[i];
        const bool changed = adopt && (def.uu.change_flags & PF_ChangeFlag_CHANGED_VALUE) &&
                             def.param_type != PF_Param_LAYER && typeHasValue(def.param_type) && store_.valid(index) &&
                             def.param_type == store_.at(index).reg->def.param_type;
        if (!changed)
            continue;
        const bool keyed = !store_.at(index).keys.empty();
        if (def.param_type == PF_Param_ARBITRARY_DATA) {
            // The plug-in edited the host's copy in place or handed over a handle of its own.
            PF_Handle now = def.u.arb_d.value;
            if (!now) {
                problems_.push_back("a changed arbitrary value without a handle at index " + std::to_string(i));
                continue;
            }
            if (now != array.copies_[i])
                arb_.adopt(now);
            else
                array.copies_[i] = nullptr;
            ++adopted_[index];
            replaceArbitrary(index, now, keyed ? &array.time_ : nullptr);
            continue;
        }
        ++adopted_[index];
        const ParamValue v = valueFieldOf(def);
        disposeAll(index, keyed ? store_.setKeyframe(index, array.time_, v) : store_.setConstant(index, v));
    }
    for (std::size_t i = 0; i < array.copies_.size(); ++i)
        if (array.copies_[i])
            disposeAll(static_cast<PF_ParamIndex>(i), {std::exchange(array.copies_[i], nullptr)});
}

} // namespace embedhost

namespace embedhost {

long EffectParams::adoptedChanges(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    const auto it = adopted_.find(index);
    return it == adopted_.end() ? 0 : it->second;
}

} // namespace embedhost
