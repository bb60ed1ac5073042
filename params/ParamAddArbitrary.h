// Registration object of an arbitrary-data parameter drawn by a custom control.
#pragma once

#include "params/BaseParam.h"

namespace AEUtil {

class ParamAddArbitrary : public BaseParam {
public:
    // The value has no place in the render settings record. `defaultHandle` becomes the
    // parameter's default data (the host takes it over at registration); `refcon` is handed
    // back in the host's arbitrary-data callbacks. Call setId before registration.
    ParamAddArbitrary(const char *name, const PF_ParamDef &templ, A_short uiWidth, A_short uiHeight,
                      PF_ParamUIFlags uiFlags, void *refcon, PF_Handle defaultHandle);
    ~ParamAddArbitrary() override;

    PF_Err registerParam(PF_InData *in_data, A_long id, const char *settingsPath) override;

    A_short uiWidth() const noexcept { return ui_width_; }
    A_short uiHeight() const noexcept { return ui_height_; }
    PF_ParamUIFlags uiFlags() const noexcept { return ui_flags_; }
    void *refcon() const noexcept { return refcon_; }
    PF_Handle defaultHandle() const noexcept { return default_handle_; }

private:
    A_short ui_width_;
    A_short ui_height_;
    PF_ParamUIFlags ui_flags_;
    void *refcon_;
    PF_Handle default_handle_;
};

} // namespace AEUtil
