#include "embedhost/ParamDefinition.h"

#include <cmath>
#include <cstring>

namespace embedhost {

namespace {

DefinitionCheck refuse(const std::string &reason, PF_Err err = PF_Err_BAD_CALLBACK_PARAM) { return {err, reason}; }

template <typename T>
bool ordered(T a, T b, T c) {
    return a <= b && b <= c;
}

// Integer and float sliders: the slider range and the default lie within the valid range.
template <typename Slider>
DefinitionCheck checkSlider(const Slider &s) {
    if (!ordered(s.valid_min, s.slider_min, s.slider_max) || s.slider_max > s.valid_max)
        return refuse("slider range outside the valid range");
    if (!ordered(s.valid_min, s.dephault, s.valid_max))
        return refuse("default outside the valid range");
    return {};
}

DefinitionCheck checkFloatSlider(const PF_FloatSliderDef &s) {
    for (float f : {s.valid_min, s.valid_max, s.slider_min, s.slider_max, s.dephault})
        if (!std::isfinite(f))
            return refuse("a range or the default is not a finite number");
    return checkSlider(s);
}

DefinitionCheck checkPopup(const PF_PopupDef &p) {
    if (!p.u.namesptr)
        return refuse("popup without choices");
    if (p.num_choices < 1)
        return refuse("popup with fewer than one choice");
    if (countChoices(p.u.namesptr) != p.num_choices)
        return refuse("popup choice text does not hold num_choices entries");
    if (p.dephault < 1 || p.dephault > p.num_choices)
        return refuse("popup default outside 1..num_choices");
    return {};
}

} // namespace

int countChoices(const char *choices) {
    if (!choices)
        return 0;
    int n = 1;
    for (const char *c = choices; *c; ++c)
        n += *c == '|';
    return n;
}

const char *typeName(PF_ParamType type) {
    switch (type) {
    case PF_Param_LAYER: return "layer";
    case PF_Param_SLIDER: return "slider";
    case PF_Param_CHECKBOX: return "checkbox";
    case PF_Param_COLOR: return "color";
    case PF_Param_POPUP: return "popup";
    case PF_Param_FLOAT_SLIDER: return "float";
    case PF_Param_ARBITRARY_DATA: return "arbitrary";
    case PF_Param_GROUP_START: return "group-start";
    case PF_Param_GROUP_END: return "group-end";
    case PF_Param_NO_DATA: return "no-data";
    default: return "unknown";
    }
}

DefinitionCheck checkDefinition(const PF_ParamDef &def) {
    if (!std::memchr(def.name, '\0', sizeof def.name))
        return refuse("name not terminated within 32 bytes");
    if (def.uu.id <= 0)
        return refuse("disk id (uu.id) must be above 0");
    switch (def.param_type) {
    case PF_Param_GROUP_START:
    case PF_Param_GROUP_END:
    case PF_Param_NO_DATA:
    case PF_Param_COLOR: return {};
    case PF_Param_LAYER:
        if (def.u.ld.dephault != PF_LayerDefault_NONE && def.u.ld.dephault != PF_LayerDefault_MYSELF)
            return refuse("layer default is neither NONE nor MYSELF");
        return {};
    case PF_Param_SLIDER: return checkSlider(def.u.sd);
    case PF_Param_FLOAT_SLIDER: return checkFloatSlider(def.u.fs_d);
    case PF_Param_POPUP: return checkPopup(def.u.pd);
    case PF_Param_CHECKBOX:
        if (!def.u.bd.u.nameptr)
            return refuse("checkbox without a label pointer");
        return {};
    case PF_Param_ARBITRARY_DATA:
        // After Effects requires a place in the effect controls or none at all.
        if (!(def.ui_flags & (PF_PUI_TOPIC | PF_PUI_CONTROL | PF_PUI_NO_ECW_UI)))
            return refuse("arbitrary data needs PF_PUI_TOPIC, PF_PUI_CONTROL or PF_PUI_NO_ECW_UI");
        return {};
    case PF_Param_FIX_SLIDER:
    case PF_Param_ANGLE:
    case PF_Param_POINT:
    case PF_Param_PATH:
    case PF_Param_BUTTON:
    case PF_Param_POINT_3D:
    case PF_Param_CUSTOM: return refuse("parameter type not offered by this host", PF_Err_UNRECOGNIZED_PARAM_TYPE);
    default: return refuse("unknown parameter type", PF_Err_UNRECOGNIZED_PARAM_TYPE);
    }
}

void RegisteredParam::aimStrings(PF_ParamDef &copy) const {
    if (copy.param_type == PF_Param_POPUP)
        copy.u.pd.u.namesptr = choices.c_str();
    else if (copy.param_type == PF_Param_CHECKBOX)
        copy.u.bd.u.nameptr = label.c_str();
}

std::unique_ptr<RegisteredParam> copyDefinition(const PF_ParamDef &def) {
    auto r = std::make_unique<RegisteredParam>();
    r->def = def;
    if (def.param_type == PF_Param_POPUP)
        r->choices = def.u.pd.u.namesptr;
    if (def.param_type == PF_Param_CHECKBOX) {
        r->label = def.u.bd.u.nameptr;
        r->def.flags |= PF_ParamFlag_CANNOT_INTERP;
    }
    r->aimStrings(r->def);
    return r;
}

std::unique_ptr<RegisteredParam> inputLayerDefinition() {
    auto r = std::make_unique<RegisteredParam>();
    r->def.param_type = PF_Param_LAYER;
    r->def.u.ld.dephault = PF_LayerDefault_MYSELF;
    return r;
}

} // namespace embedhost
