// Parameter set-up, what was registered, and plain values.
#include "embedhost/EffectParams.h"

#include <cstring>
#include <stdexcept>

#include "embedhost/Host.h"
#include "embedhost/LockedRead.h"

namespace embedhost {

namespace {

std::string describe(const PF_ParamDef &def) {
    // Appended piece by piece: GCC 12 misreads "literal" + std::string chains at -O3 (-Wrestrict).
    std::string out(1, '"');
    out.append(def.name, strnlen(def.name, sizeof def.name));
    out.append("\" (id ").append(std::to_string(def.uu.id)).append(")");
    return out;
}

} // namespace

EffectParams::EffectParams(Host &host) : host_(host), arb_(host) {}

PF_Err EffectParams::addParam(PF_ParamIndex index, const PF_ParamDef *def) {
    std::lock_guard lock(mutex_);
    if (!host_.inCommand(PF_Cmd_PARAMS_SETUP)) {
        problems_.push_back("add_param outside parameter set-up");
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    if (!def) {
        problems_.push_back("add_param without a definition");
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    if (index != -1 && index != store_.count()) {
        problems_.push_back("add_param of " + describe(*def) + " at index " + std::to_string(index) +
                            ", not -1 or the next index");
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    std::string reason;
    const PF_Err err = store_.add(*def, &reason);
    if (err != PF_Err_NONE) {
        problems_.push_back("add_param of " + describe(*def) + " refused: " + reason);
        return err;
    }
    // The host takes over the plug-in's default handle, as After Effects does.
    if (def->param_type == PF_Param_ARBITRARY_DATA)
        arb_.adopt(def->u.arb_d.dephault);
    return PF_Err_NONE;
}

PF_Err EffectParams::registerUi(const PF_CustomUIInfo *info) {
    std::lock_guard lock(mutex_);
    if (!host_.inCommand(PF_Cmd_PARAMS_SETUP) || !info) {
        problems_.push_back("register_ui outside parameter set-up or without a record");
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    customUi_ = *info;
    return PF_Err_NONE;
}

void EffectParams::beginParamsSetup() {
    std::lock_guard lock(mutex_);
    for (const auto &[index, handle] : store_.releaseHandles())
        disposeAll(index, {handle});
    store_.reset();
    customUi_.reset();
    problems_.clear();
    ++generation_;
}

void EffectParams::endParamsSetup(PF_Err err, A_long numParams) {
    std::lock_guard lock(mutex_);
    if (err == PF_Err_NONE && numParams != store_.count())
        problems_.push_back("num_params is " + std::to_string(numParams) + " but " + std::to_string(store_.count()) +
                            " parameters are registered");
    if (store_.openGroups() > 0)
        problems_.push_back(std::to_string(store_.openGroups()) + " group(s) left open");
    // Every arbitrary parameter starts as a copy of its default; a missing default is made
    // with PF_Arbitrary_NEW_FUNC first.
    for (PF_ParamIndex i = 1; i < store_.count(); ++i) {
        ParamStore::Entry &e = store_.at(i);
        if (e.reg->def.param_type != PF_Param_ARBITRARY_DATA)
            continue;
        PF_Handle made = nullptr;
        if (!e.dephault.arb) {
            if (PF_Err newErr = arb_.makeNew(typeOf(i), &made)) {
                problems_.push_back("no default for " + describe(e.reg->def) + ": error " + std::to_string(newErr));
                continue;
            }
            store_.setDefaultHandle(i, made);
        }
        if (PF_Err copyErr = arb_.copy(typeOf(i), e.dephault.arb, &made)) {
            problems_.push_back("no value for " + describe(e.reg->def) + ": error " + std::to_string(copyErr));
            continue;
        }
        replaceArbitrary(i, made, nullptr);
    }
}

A_long EffectParams::count() const {
    std::lock_guard lock(mutex_);
    return store_.count();
}

std::optional<PF_ParamIndex> EffectParams::indexOfId(A_long id) const {
    std::lock_guard lock(mutex_);
    return store_.indexOfId(id);
}

PF_ParamDef EffectParams::definition(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    return store_.at(index).reg->def;
}

PF_ParamDef EffectParams::current(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    return store_.at(index).ui;
}

std::string EffectParams::choices(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    return store_.at(index).reg->choices;
}

std::string EffectParams::label(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    return store_.at(index).reg->label;
}

PF_ParamUIFlags EffectParams::uiFlags(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    return store_.at(index).ui.ui_flags;
}

bool EffectParams::disabled(PF_ParamIndex index) const { return (uiFlags(index) & PF_PUI_DISABLED) != 0; }

std::optional<PF_CustomUIInfo> EffectParams::customUi() const { return lockedRead(mutex_, customUi_); }

std::vector<std::string> EffectParams::problems() const { return lockedRead(mutex_, problems_); }

void EffectParams::setValue(PF_ParamIndex index, const ParamValue &value) {
    std::lock_guard lock(mutex_);
    if (value.type == PF_Param_ARBITRARY_DATA)
        throw std::invalid_argument("embedhost: arbitrary values are set through the plug-in (scan, unflatten)");
    disposeAll(index, store_.setConstant(index, value));
}

void EffectParams::setValueById(A_long id, const ParamValue &value) {
    std::lock_guard lock(mutex_);
    setValue(store_.indexOfIdOrThrow(id), value);
}

void EffectParams::setKeyframe(PF_ParamIndex index, A_Time time, const ParamValue &value) {
    std::lock_guard lock(mutex_);
    if (value.type == PF_Param_ARBITRARY_DATA)
        throw std::invalid_argument("embedhost: arbitrary keyframes are set with setArbitraryKeyframe");
    disposeAll(index, store_.setKeyframe(index, time, value));
}

void EffectParams::clearKeyframes(PF_ParamIndex index) {
    std::lock_guard lock(mutex_);
    disposeAll(index, store_.clearKeyframes(index));
}

ParamValue EffectParams::value(PF_ParamIndex index, A_Time time) const {
    std::lock_guard lock(mutex_);
    if (store_.at(index).reg->def.param_type == PF_Param_ARBITRARY_DATA)
        throw std::invalid_argument("embedhost: read arbitrary values with print or flatten");
    return store_.sample(index, time).value;
}

ParamValue EffectParams::value(PF_ParamIndex index) const { return value(index, currentTime()); }

std::size_t EffectParams::keyframeCount(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    return store_.at(index).keys.size();
}

std::vector<A_Time> EffectParams::keyframeTimes(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    std::vector<A_Time> out;
    for (const Keyframe &k : store_.at(index).keys)
        out.push_back(k.time);
    return out;
}

void EffectParams::restoreValue(PF_ParamIndex index, const ParamValue &constant, const std::vector<Keyframe> &keys) {
    std::lock_guard lock(mutex_);
    disposeAll(index, store_.setConstant(index, constant));
    for (const Keyframe &k : keys)
        disposeAll(index, store_.setKeyframe(index, k.time, k.value));
}

ArbType EffectParams::arbitraryType(PF_ParamIndex index) const {
    std::lock_guard lock(mutex_);
    return typeOf(index);
}

ArbType EffectParams::typeOf(PF_ParamIndex index) const {
    const PF_ParamDef &def = store_.at(index).reg->def;
    return ArbType{def.u.arb_d.id, def.u.arb_d.refconPV};
}

A_Time EffectParams::currentTime() const {
    const HostProfile &p = host_.profile();
    return A_Time{p.currentTime, p.timeScale};
}

void EffectParams::disposeAll(PF_ParamIndex index, const std::vector<PF_Handle> &handles) {
    for (PF_Handle h : handles)
        if (PF_Err err = arb_.dispose(typeOf(index), h))
            problems_.push_back("disposing a value of index " + std::to_string(index) + ": error " +
                                std::to_string(err));
}

void EffectParams::releaseAll() {
    std::lock_guard lock(mutex_);
    for (Checkout &c : checkouts_)
        if (c.copy)
            disposeAll(c.index, {std::exchange(c.copy, nullptr)});
    for (const auto &[index, handle] : store_.releaseHandles())
        disposeAll(index, {handle});
}

} // namespace embedhost
