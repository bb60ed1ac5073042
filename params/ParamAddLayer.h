// Registration object of a layer parameter; its record member receives the layer's address.
#pragma once

#include "params/BaseParam.h"

namespace AEUtil {

class ParamAddLayer : public BaseParam {
public:
    // `valueOffset` locates a PF_EffectWorld pointer in the record; `defaultLayer` is a
    // PF_LayerDefault_* choice.
    ParamAddLayer(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ,
                  A_long defaultLayer);
    ~ParamAddLayer() override;

    // A greyed-out layer, or a reader that fetches into temporaries, leaves the slot null
    // without checking the layer out.
    PF_Err read(RenderSettings *record, ParamGetter &reader) override;
    PF_Err registerParam(PF_InData *in_data, A_long id, const char *settingsPath) override;

    A_long defaultLayer() const noexcept { return default_layer_; }

private:
    A_long default_layer_;
};

} // namespace AEUtil
