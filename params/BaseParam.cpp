#include "params/BaseParam.h"

#include <cstring>

#include "AE_EffectCB.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "params/RenderSettings.h"

namespace AEUtil {

BaseParam::BaseParam(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ)
    : name_(name), def_(templ), index_(nextParamIndex()), value_offset_(valueOffset), value_width_(valueWidth) {
    appendParam(this);
}

BaseParam::~BaseParam() = default;

PF_Err BaseParam::read(RenderSettings *record, ParamGetter &reader) {
    if (value_width_ == 0)
        return PF_Err_NONE;
    PF_ParamDef temporary;
    PF_ParamDef &target = reader.usesTemporaries() ? temporary : def_;
    PF_Err err = reader.get(index_, target);
    if (&target == &def_)
        fetched_ = err == PF_Err_NONE;
    if (err != PF_Err_NONE)
        return err;
    if (record != nullptr)
        std::memcpy(reinterpret_cast<unsigned char *>(record) + value_offset_, &target.u,
                    static_cast<std::size_t>(value_width_));
    // The host wants every checkout checked in; a temporary has served once its value is copied.
    if (&target == &temporary)
        err = reader.release(temporary);
    return err;
}

PF_Err BaseParam::release(ParamGetter &reader) {
    if (value_width_ == 0 || reader.usesTemporaries() || !fetched_)
        return PF_Err_NONE;
    fetched_ = false;
    return reader.release(def_);
}

PF_Err BaseParam::saveDefault(PF_InData *, const char *) { return PF_Err_NONE; }

void BaseParam::prepareDefinition(PF_InData *in_data, A_long id, PF_ParamType type) {
    if (name_ != nullptr)
        in_data->utils->ansi.strcpy(def_.name, name_);
    def_.uu.id = id;
    def_.param_type = type;
}

PF_Err BaseParam::addToHost(PF_InData *in_data) { return in_data->inter.add_param(in_data->effect_ref, -1, &def_); }

} // namespace AEUtil
