#include "embedhost/ParamValue.h"

#include <cmath>
#include <cstring>

namespace embedhost {

bool ParamValue::sameAs(const ParamValue &o) const {
    return type == o.type && number == o.number && color.alpha == o.color.alpha && color.red == o.color.red &&
           color.green == o.color.green && color.blue == o.color.blue && layer == o.layer && arb == o.arb;
}

int compareTimes(A_Time a, A_Time b) {
    // Both products stay below 2^63: a 32-bit value times a 32-bit unsigned scale.
    const std::int64_t l = std::int64_t{a.value} * std::int64_t{b.scale};
    const std::int64_t r = std::int64_t{b.value} * std::int64_t{a.scale};
    return l < r ? -1 : (l > r ? 1 : 0);
}

double seconds(A_Time t) { return t.scale ? double(t.value) / double(t.scale) : 0.0; }

bool typeHasValue(PF_ParamType type) {
    switch (type) {
    case PF_Param_LAYER:
    case PF_Param_SLIDER:
    case PF_Param_CHECKBOX:
    case PF_Param_COLOR:
    case PF_Param_POPUP:
    case PF_Param_FLOAT_SLIDER:
    case PF_Param_ARBITRARY_DATA: return true;
    default: return false;
    }
}

namespace {

ParamValue read(const PF_ParamDef &def, bool dephault) {
    ParamValue v;
    v.type = def.param_type;
    const PF_ParamDefUnion &u = def.u;
    switch (def.param_type) {
    case PF_Param_LAYER: v.layer = u.ld.dephault; break;
    case PF_Param_SLIDER: v.number = dephault ? u.sd.dephault : u.sd.value; break;
    case PF_Param_CHECKBOX: v.number = dephault ? (u.bd.dephault ? 1 : 0) : (u.bd.value ? 1 : 0); break;
    case PF_Param_COLOR: v.color = dephault ? u.cd.dephault : u.cd.value; break;
    case PF_Param_POPUP: v.number = dephault ? u.pd.dephault : u.pd.value; break;
    // The default is single precision in the definition; the value is double.
    case PF_Param_FLOAT_SLIDER: v.number = dephault ? double(u.fs_d.dephault) : u.fs_d.value; break;
    case PF_Param_ARBITRARY_DATA: v.arb = dephault ? u.arb_d.dephault : u.arb_d.value; break;
    default: break;
    }
    return v;
}

A_u_char mixByte(A_u_char a, A_u_char b, double t) {
    return static_cast<A_u_char>(std::lround(double(a) + (double(b) - double(a)) * t));
}

} // namespace

ParamValue defaultOf(const PF_ParamDef &def) { return read(def, true); }
ParamValue valueFieldOf(const PF_ParamDef &def) { return read(def, false); }

void writeValue(const ParamValue &value, PF_ParamDef &def) {
    PF_ParamDefUnion &u = def.u;
    switch (def.param_type) {
    case PF_Param_LAYER:
        // No layer carries pixels yet: a layer parameter reads as a layer of zeros, as a
        // parameter set to "None" does.
        std::memset(&u.ld, 0, sizeof u.ld);
        break;
    case PF_Param_SLIDER: u.sd.value = value.whole(); break;
    case PF_Param_CHECKBOX: u.bd.value = value.whole(); break;
    case PF_Param_COLOR: u.cd.value = value.color; break;
    case PF_Param_POPUP: u.pd.value = value.whole(); break;
    case PF_Param_FLOAT_SLIDER:
        u.fs_d.value = value.number;
        u.fs_d.phase = 0;
        break;
    case PF_Param_ARBITRARY_DATA: u.arb_d.value = value.arb; break;
    default: break;
    }
}

ParamValue interpolate(const ParamValue &a, const ParamValue &b, double t, bool hold) {
    if (hold || a.type != b.type)
        return a;
    ParamValue v = a;
    switch (a.type) {
    case PF_Param_FLOAT_SLIDER: v.number = a.number + (b.number - a.number) * t; break;
    case PF_Param_SLIDER: v.number = double(std::lround(a.number + (b.number - a.number) * t)); break;
    case PF_Param_COLOR:
        v.color.alpha = mixByte(a.color.alpha, b.color.alpha, t);
        v.color.red = mixByte(a.color.red, b.color.red, t);
        v.color.green = mixByte(a.color.green, b.color.green, t);
        v.color.blue = mixByte(a.color.blue, b.color.blue, t);
        break;
    default: break;
    }
    return v;
}

} // namespace embedhost
