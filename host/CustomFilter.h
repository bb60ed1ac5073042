// The glow effect's filter: the framework filter plus the effect's own handlers and controls.
#pragma once

#include "colorbar/ArbProvider.h"
#include "colorbar/EventProvider.h"
#include "host/BaseFilter.h"
#include "host/kit/SharedPtr.h"

namespace AEUtil {

class GradColorPresetUI;

class CustomFilter : public BaseFilter {
public:
    // Number formatting and parsing follow the user's locale from here on. Creates the colour
    // bar and registers it with both providers.
    CustomFilter();
    // Releases the providers' references (arbitrary-data faces first), then its own.
    ~CustomFilter() override;

    // Registers the glow parameters and the custom UI (host/ParamsSetup.cpp).
    PF_Err paramsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output) override;

    // PF_Cmd_EVENT with its PF_EventExtra, handed to the event provider.
    PF_Err event(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                 void *extra) override;
    // PF_Cmd_ARBITRARY_CALLBACK with its PF_ArbParamsExtra, handed to the arbitrary-data provider.
    PF_Err arbitraryCallback(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                             void *extra) override;

    // The glow's render commands (render/pipeline/GlowPreRender.h, GlowRenderEntry.h), their body
    // the glow driver for the record's pixel format (514 for a format it does not render).
    PF_Err render(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output) override;
    PF_Err smartPreRender(PF_InData *in_data, PF_OutData *out_data, PF_PreRenderExtra *extra) override;
    PF_Err smartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra) override;

    // The colour bar control, created with the filter; the parameter table registers its
    // arbitrary parameter through it.
    GradColorPresetUI &colorBar() const;

    EventProvider &eventProvider() noexcept { return eventProvider_; }
    ArbProvider &arbProvider() noexcept { return arbProvider_; }

private:
    SharedPtr<GradColorPresetUI> colorBar_;
    EventProvider eventProvider_;
    ArbProvider arbProvider_;
};

} // namespace AEUtil
