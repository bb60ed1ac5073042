// One parameter value as the host keeps it, keyframes in time, and the host's rules for reading
// a value out of a definition, writing it into one and interpolating between two.
#pragma once

#include <cstdint>

#include "AE_Effect.h"

namespace embedhost {

struct ParamValue {
    PF_ParamType type = PF_Param_RESERVED;
    double number = 0;       // FLOAT_SLIDER as is; SLIDER, POPUP and CHECKBOX as whole numbers
    PF_Pixel color{};        // COLOR
    A_long layer = 0;        // LAYER: PF_LayerDefault_NONE, PF_LayerDefault_MYSELF or a layer id
    PF_Handle arb = nullptr; // ARBITRARY_DATA: a handle the host holds

    static ParamValue floatSlider(double v) { return make(PF_Param_FLOAT_SLIDER, v); }
    static ParamValue slider(A_long v) { return make(PF_Param_SLIDER, v); }
    static ParamValue popup(A_long v) { return make(PF_Param_POPUP, v); }
    static ParamValue checkbox(bool on) { return make(PF_Param_CHECKBOX, on ? 1 : 0); }
    static ParamValue colorChoice(PF_Pixel c) {
        ParamValue v = make(PF_Param_COLOR, 0);
        v.color = c;
        return v;
    }
    static ParamValue layerChoice(A_long id) {
        ParamValue v = make(PF_Param_LAYER, 0);
        v.layer = id;
        return v;
    }

    A_long whole() const { return static_cast<A_long>(number); }
    bool sameAs(const ParamValue &o) const; // arbitrary handles compare by address only

private:
    static ParamValue make(PF_ParamType t, double n) {
        ParamValue v;
        v.type = t;
        v.number = n;
        return v;
    }
};

struct Keyframe {
    A_Time time{0, 1};
    ParamValue value;
};

// Times compare as fractions of a second; a zero scale is never a valid time.
int compareTimes(A_Time a, A_Time b);
double seconds(A_Time t);

// Whether values of this type have something the host stores (groups and NO_DATA do not).
bool typeHasValue(PF_ParamType type);

// The value a definition carries in its union: its default (`dephault`) or its value field.
ParamValue defaultOf(const PF_ParamDef &def);
ParamValue valueFieldOf(const PF_ParamDef &def);

// Writes the value into the definition's union; layers become an empty layer (no pixels yet).
void writeValue(const ParamValue &value, PF_ParamDef &def);

// Linear for float sliders, sliders (rounded) and colours (per channel, rounded); the earlier
// value for every other type and whenever `hold` is set. Arbitrary data is never handled here.
ParamValue interpolate(const ParamValue &a, const ParamValue &b, double t, bool hold);

} // namespace embedhost
