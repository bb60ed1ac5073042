// The "Glow Color Bar" control: owner of the gradient value (its arbitrary-data callbacks and
// registration) and of the colour bar's per-context state. Drawing and mouse handling are
// served by the event operations.
#pragma once

#include <array>

#include "AE_EffectCBSuites.h"
#include "colorbar/ColorBarContext.h"
#include "colorbar/data/GradientData.h"
#include "colorbar/PresetUI.h"

namespace AEUtil {

class GradColorPresetUI : public PresetUI {
public:
    static constexpr A_short kUiWidth = 0;
    static constexpr A_short kUiHeight = 88;

    GradColorPresetUI();
    ~GradColorPresetUI() override;

    // Events of the effect panel for a parameter this control serves.
    bool accepts(const PF_EventExtra *event) const override;
    std::size_t contextStorageSize() const override { return sizeof(ColorBarContext); }
    void setUpContext(PF_EventExtra *event) override;
    // This control's context state, or null when the context has none.
    ColorBarContext *context(const PF_EventExtra *event) const noexcept;

    std::uintptr_t refcon() const override { return kGradientRefcon; }
    LUMORA_ARB_OPERATIONS(LUMORA_OVERRIDE_ARB_OPERATION)

    A_u_long valueSize() const override { return kGradientDataSize; }
    A_u_long flatSize() const override { return kGradientDataSize; }
    A_u_long printSize() const override { return 3 * flatSize(); }
    PF_Err newDefaultValue(PF_InData *in_data, PF_Handle *handle) override;
    // Registers with UI width 0, height 88, PF_PUI_CONTROL and refcon kGradientRefcon, and
    // serves the parameter's host index (the index events carry, not the disk id).
    PF_Err registerParam(PF_InData *in_data, const char *name, A_long id, const PF_ParamDef &templ,
                         const char *presetFileName) override;
    A_short uiWidth() const override { return kUiWidth; }
    A_short uiHeight() const override { return kUiHeight; }

    // White, light blue and blue at 0, 0.5 and 1: the flags of a new value.
    const std::array<ColorFlag, 3> &defaultFlags() const noexcept { return defaultFlags_; }
    void makeDefaultValue(GradientData &data) const noexcept;

private:
    std::array<ColorFlag, 3> defaultFlags_;
};

} // namespace AEUtil
