// Arbitrary-data values: made, read and replaced through the plug-in's callbacks.
#include "embedhost/EffectParams.h"

#include <stdexcept>

namespace embedhost {

namespace {

void requireArbitrary(const ParamStore &store, PF_ParamIndex index) {
    if (store.at(index).reg->def.param_type != PF_Param_ARBITRARY_DATA)
        throw std::invalid_argument("embedhost: parameter " + std::to_string(index) + " is not arbitrary data");
}

} // namespace

PF_Err EffectParams::materialise(PF_ParamIndex index, A_Time time, PF_Handle *out) {
    const ParamStore::Sample s = store_.sample(index, time);
    if (s.right)
        return arb_.interpolate(typeOf(index), s.left->arb, s.right->arb, s.t, out);
    return arb_.copy(typeOf(index), s.left->arb, out);
}

PF_Err EffectParams::replaceArbitrary(PF_ParamIndex index, PF_Handle made, const A_Time *keyTime) {
    ParamValue v;
    v.type = PF_Param_ARBITRARY_DATA;
    v.arb = made;
    disposeAll(index, keyTime ? store_.setKeyframe(index, *keyTime, v) : store_.setConstant(index, v));
    return PF_Err_NONE;
}

// Reads go straight to the held value when the time falls on it; between two keyframes they
// read an interpolation made for the purpose and disposed afterwards.
namespace {

struct Borrowed {
    PF_Handle handle = nullptr;
    bool temporary = false;
};

} // namespace

PF_Err EffectParams::printArbitrary(PF_ParamIndex index, std::string *text, PF_ArbPrintFlags flags) {
    std::lock_guard lock(mutex_);
    requireArbitrary(store_, index);
    const ParamStore::Sample s = store_.sample(index, currentTime());
    Borrowed b{s.left->arb, false};
    if (s.right) {
        if (PF_Err err = materialise(index, currentTime(), &b.handle))
            return err;
        b.temporary = true;
    }
    const PF_Err err = arb_.print(typeOf(index), b.handle, flags, text);
    if (b.temporary)
        disposeAll(index, {b.handle});
    return err;
}

PF_Err EffectParams::flattenArbitrary(PF_ParamIndex index, std::vector<std::uint8_t> *bytes) {
    return flattenArbitraryAt(index, currentTime(), bytes);
}

PF_Err EffectParams::flattenArbitraryAt(PF_ParamIndex index, A_Time time, std::vector<std::uint8_t> *bytes) {
    std::lock_guard lock(mutex_);
    requireArbitrary(store_, index);
    const ParamStore::Sample s = store_.sample(index, time);
    Borrowed b{s.left->arb, false};
    if (s.right) {
        if (PF_Err err = materialise(index, time, &b.handle))
            return err;
        b.temporary = true;
    }
    const PF_Err err = arb_.flatten(typeOf(index), b.handle, bytes);
    if (b.temporary)
        disposeAll(index, {b.handle});
    return err;
}

PF_Err EffectParams::scanArbitrary(PF_ParamIndex index, const std::string &text) {
    std::lock_guard lock(mutex_);
    requireArbitrary(store_, index);
    PF_Handle made = nullptr;
    if (PF_Err err = arb_.scan(typeOf(index), text, &made))
        return err;
    return replaceArbitrary(index, made, nullptr);
}

PF_Err EffectParams::unflattenArbitrary(PF_ParamIndex index, const std::vector<std::uint8_t> &flat) {
    std::lock_guard lock(mutex_);
    requireArbitrary(store_, index);
    PF_Handle made = nullptr;
    if (PF_Err err = arb_.unflatten(typeOf(index), flat, &made))
        return err;
    return replaceArbitrary(index, made, nullptr);
}

PF_Err EffectParams::setArbitraryKeyframe(PF_ParamIndex index, A_Time time, const std::vector<std::uint8_t> &flat) {
    std::lock_guard lock(mutex_);
    requireArbitrary(store_, index);
    if (time.scale == 0)
        throw std::invalid_argument("embedhost: a keyframe time needs a non-zero scale");
    PF_Handle made = nullptr;
    if (PF_Err err = arb_.unflatten(typeOf(index), flat, &made))
        return err;
    try {
        return replaceArbitrary(index, made, &time);
    } catch (...) {
        disposeAll(index, {made}); // a parameter that cannot vary over time
        throw;
    }
}

PF_Err EffectParams::resetArbitrary(PF_ParamIndex index) {
    std::lock_guard lock(mutex_);
    requireArbitrary(store_, index);
    PF_Handle made = nullptr;
    if (PF_Err err = arb_.copy(typeOf(index), store_.at(index).dephault.arb, &made))
        return err;
    return replaceArbitrary(index, made, nullptr);
}

PF_Err EffectParams::compareArbitrary(PF_ParamIndex index, A_Time a, A_Time b, PF_ArbCompareResult *result) {
    std::lock_guard lock(mutex_);
    requireArbitrary(store_, index);
    Borrowed sides[2];
    const A_Time times[2] = {a, b};
    PF_Err err = PF_Err_NONE;
    for (int i = 0; i < 2 && err == PF_Err_NONE; ++i) {
        const ParamStore::Sample s = store_.sample(index, times[i]);
        sides[i] = Borrowed{s.left->arb, false};
        if (s.right) {
            err = materialise(index, times[i], &sides[i].handle);
            sides[i].temporary = err == PF_Err_NONE;
        }
    }
    if (err == PF_Err_NONE)
        err = arb_.compare(typeOf(index), sides[0].handle, sides[1].handle, result);
    for (const Borrowed &side : sides)
        if (side.temporary)
            disposeAll(index, {side.handle});
    return err;
}

} // namespace embedhost
