#include "embedhost/ParamStore.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace embedhost {

namespace {

ParamStore::Entry makeEntry(std::unique_ptr<RegisteredParam> reg) {
    ParamStore::Entry e;
    e.ui = reg->def;
    reg->aimStrings(e.ui);
    e.dephault = defaultOf(reg->def);
    e.initial = valueFieldOf(reg->def);
    e.constant = e.dephault;
    if (reg->def.param_type == PF_Param_ARBITRARY_DATA)
        e.initial.arb = e.constant.arb = nullptr; // the host makes its own values later
    e.reg = std::move(reg);
    return e;
}

constexpr PF_ParamUIFlags kUiFlagsPluginMayChange = PF_PUI_DISABLED | PF_PUI_ECW_SEPARATOR;

} // namespace

ParamStore::ParamStore() { entries_.push_back(makeEntry(inputLayerDefinition())); }

void ParamStore::reset() {
    entries_.resize(1);
    openGroups_ = 0;
}

PF_Err ParamStore::add(const PF_ParamDef &def, std::string *reason) {
    DefinitionCheck check = checkDefinition(def);
    if (check.err == PF_Err_NONE && indexOfId(def.uu.id))
        check = {PF_Err_BAD_CALLBACK_PARAM, "disk id already used by another parameter"};
    if (check.err == PF_Err_NONE && def.param_type == PF_Param_GROUP_END && openGroups_ == 0)
        check = {PF_Err_BAD_CALLBACK_PARAM, "group end without an open group"};
    if (check.err != PF_Err_NONE) {
        if (reason)
            *reason = check.reason;
        return check.err;
    }
    if (def.param_type == PF_Param_GROUP_START)
        ++openGroups_;
    if (def.param_type == PF_Param_GROUP_END)
        --openGroups_;
    entries_.push_back(makeEntry(copyDefinition(def)));
    return PF_Err_NONE;
}

const ParamStore::Entry &ParamStore::at(PF_ParamIndex index) const {
    if (!valid(index))
        throw std::out_of_range("embedhost: no parameter at index " + std::to_string(index));
    return entries_[static_cast<std::size_t>(index)];
}

ParamStore::Entry &ParamStore::at(PF_ParamIndex index) {
    return const_cast<Entry &>(static_cast<const ParamStore &>(*this).at(index));
}

std::optional<PF_ParamIndex> ParamStore::indexOfId(A_long id) const {
    for (std::size_t i = 1; i < entries_.size(); ++i)
        if (entries_[i].reg->def.uu.id == id)
            return static_cast<PF_ParamIndex>(i);
    return std::nullopt;
}

PF_ParamIndex ParamStore::indexOfIdOrThrow(A_long id) const {
    if (auto index = indexOfId(id))
        return *index;
    throw std::out_of_range("embedhost: no parameter with disk id " + std::to_string(id));
}

PF_Err ParamStore::updateUi(PF_ParamIndex index, const PF_ParamDef &def) {
    if (index < 1 || index >= count())
        return PF_Err_BAD_CALLBACK_PARAM;
    Entry &e = entries_[static_cast<std::size_t>(index)];
    if (def.param_type != e.ui.param_type || !std::memchr(def.name, '\0', sizeof def.name))
        return PF_Err_BAD_CALLBACK_PARAM;
    PF_ParamDef &ui = e.ui;
    std::memcpy(ui.name, def.name, sizeof ui.name);
    ui.ui_width = def.ui_width;
    ui.ui_height = def.ui_height;
    ui.ui_flags = (ui.ui_flags & ~kUiFlagsPluginMayChange) | (def.ui_flags & kUiFlagsPluginMayChange);
    ui.flags = (ui.flags & ~PF_ParamFlag_COLLAPSE_TWIRLY) | (def.flags & PF_ParamFlag_COLLAPSE_TWIRLY);
    if (ui.param_type == PF_Param_SLIDER) {
        ui.u.sd.slider_min = def.u.sd.slider_min;
        ui.u.sd.slider_max = def.u.sd.slider_max;
    } else if (ui.param_type == PF_Param_FLOAT_SLIDER) {
        ui.u.fs_d.slider_min = def.u.fs_d.slider_min;
        ui.u.fs_d.slider_max = def.u.fs_d.slider_max;
        ui.u.fs_d.precision = def.u.fs_d.precision;
        ui.u.fs_d.display_flags = def.u.fs_d.display_flags;
    }
    return PF_Err_NONE;
}

void ParamStore::checkValueType(const Entry &e, const ParamValue &value) const {
    if (value.type != e.reg->def.param_type || !typeHasValue(value.type))
        throw std::invalid_argument(std::string("embedhost: a ") + typeName(value.type) + " value for a " +
                                    typeName(e.reg->def.param_type) + " parameter");
}

std::vector<PF_Handle> ParamStore::setConstant(PF_ParamIndex index, const ParamValue &value) {
    Entry &e = at(index);
    checkValueType(e, value);
    std::vector<PF_Handle> displaced = clearKeyframes(index);
    if (e.constant.arb && e.constant.arb != value.arb)
        displaced.push_back(e.constant.arb);
    e.constant = value;
    ++e.revision;
    return displaced;
}

std::vector<PF_Handle> ParamStore::setKeyframe(PF_ParamIndex index, A_Time time, const ParamValue &value) {
    Entry &e = at(index);
    checkValueType(e, value);
    if (time.scale == 0)
        throw std::invalid_argument("embedhost: a keyframe time needs a non-zero scale");
    if (e.reg->def.flags & PF_ParamFlag_CANNOT_TIME_VARY)
        throw std::logic_error("embedhost: the parameter cannot vary over time");
    std::vector<PF_Handle> displaced;
    auto it =
        std::find_if(e.keys.begin(), e.keys.end(), [&](const Keyframe &k) { return compareTimes(k.time, time) >= 0; });
    if (it != e.keys.end() && compareTimes(it->time, time) == 0) {
        if (it->value.arb && it->value.arb != value.arb)
            displaced.push_back(it->value.arb);
        it->value = value;
    } else {
        e.keys.insert(it, Keyframe{time, value});
    }
    ++e.revision;
    return displaced;
}

std::vector<PF_Handle> ParamStore::clearKeyframes(PF_ParamIndex index) {
    Entry &e = at(index);
    std::vector<PF_Handle> displaced;
    for (const Keyframe &k : e.keys)
        if (k.value.arb)
            displaced.push_back(k.value.arb);
    if (!e.keys.empty())
        ++e.revision;
    e.keys.clear();
    return displaced;
}

void ParamStore::setDefaultHandle(PF_ParamIndex index, PF_Handle handle) { at(index).dephault.arb = handle; }

ParamStore::Sample ParamStore::sample(PF_ParamIndex index, A_Time time) const {
    const Entry &e = at(index);
    Sample s;
    if (e.keys.empty()) {
        s.value = e.constant;
        s.left = &e.constant;
        return s;
    }
    // Before the first and after the last keyframe the value holds.
    auto after =
        std::find_if(e.keys.begin(), e.keys.end(), [&](const Keyframe &k) { return compareTimes(k.time, time) > 0; });
    if (after == e.keys.begin() || after == e.keys.end() || compareTimes(std::prev(after)->time, time) == 0) {
        const Keyframe &k = after == e.keys.begin() ? *after : *std::prev(after);
        s.value = k.value;
        s.left = &k.value;
        return s;
    }
    const Keyframe &a = *std::prev(after);
    const Keyframe &b = *after;
    s.t = (seconds(time) - seconds(a.time)) / (seconds(b.time) - seconds(a.time));
    const bool hold = (e.reg->def.flags & PF_ParamFlag_CANNOT_INTERP) != 0;
    s.value = interpolate(a.value, b.value, s.t, hold);
    s.left = &a.value;
    s.right = hold ? nullptr : &b.value;
    return s;
}

std::vector<PF_Handle> ParamStore::heldHandles() const {
    std::vector<PF_Handle> out;
    for (const Entry &e : entries_) {
        for (PF_Handle h : {e.dephault.arb, e.constant.arb})
            if (h)
                out.push_back(h);
        for (const Keyframe &k : e.keys)
            if (k.value.arb)
                out.push_back(k.value.arb);
    }
    return out;
}

std::vector<std::pair<PF_ParamIndex, PF_Handle>> ParamStore::releaseHandles() {
    std::vector<std::pair<PF_ParamIndex, PF_Handle>> out;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry &e = entries_[i];
        const auto index = static_cast<PF_ParamIndex>(i);
        for (PF_Handle *h : {&e.dephault.arb, &e.constant.arb})
            if (*h)
                out.emplace_back(index, std::exchange(*h, nullptr));
        for (Keyframe &k : e.keys)
            if (k.value.arb)
                out.emplace_back(index, std::exchange(k.value.arb, nullptr));
    }
    return out;
}

} // namespace embedhost
