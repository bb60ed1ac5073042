#include "params/ParamAddLayer.h"

#include <cstring>

#include "params/ParamGetter.h"
#include "params/RenderSettings.h"

namespace AEUtil {

ParamAddLayer::ParamAddLayer(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ,
                             A_long defaultLayer)
    : BaseParam(valueOffset, valueWidth, name, templ), default_layer_(defaultLayer) {}

ParamAddLayer::~ParamAddLayer() = default;

PF_Err ParamAddLayer::read(RenderSettings *record, ParamGetter &reader) {
    if (value_width_ == 0)
        return PF_Err_NONE;
    unsigned char *slot = record ? reinterpret_cast<unsigned char *>(record) + value_offset_ : nullptr;
    PF_EffectWorld *layer = nullptr;
    if (slot)
        std::memcpy(slot, &layer, sizeof layer);
    if (!reader.isEnabled(index_) || reader.usesTemporaries())
        return PF_Err_NONE;
    PF_Err err = reader.get(index_, def_);
    fetched_ = err == PF_Err_NONE;
    if (err == PF_Err_NONE && slot) {
        layer = &def_.u.ld;
        std::memcpy(slot, &layer, sizeof layer);
    }
    return err;
}

PF_Err ParamAddLayer::registerParam(PF_InData *in_data, A_long id, const char *) {
    prepareDefinition(in_data, id, PF_Param_LAYER);
    def_.u.ld.dephault = default_layer_;
    return addToHost(in_data);
}

} // namespace AEUtil
