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

    LUMORA_EVENT_OPERATION(click) override;
    LUMORA_EVENT_OPERATION(drag) override;
    LUMORA_EVENT_OPERATION(draw) override;
    LUMORA_EVENT_OPERATION(adjustCursor) override;

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

    std::vector<std::string> LUMORA_PRESET_OPERATION(listPresetNames) override;
    PF_Err LUMORA_PRESET_OPERATION(applyPreset) override;
    PF_Err LUMORA_PRESET_OPERATION(savePreset) override;
    PF_Err LUMORA_PRESET_OPERATION(deletePreset) override;
    bool differsFromPreset(const GradientData &value) const override;
    PF_Rect areaRect(const PF_Rect &frame, int area) const override;

    // White, light blue and blue at 0, 0.5 and 1: the flags of a new value.
    const std::array<ColorFlag, 3> &defaultFlags() const noexcept { return defaultFlags_; }
    void makeDefaultValue(GradientData &data) const noexcept;

private:
    // The top row's parts: the preset menu, and the Add and Delete buttons acting on release.
    PF_Err presetMenu(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_EventExtra *event);
    PF_Err releaseButton(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_EventExtra *event,
                         int area);
    PF_Err addPreset(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_EventExtra *event);
    PF_Err removePreset(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_EventExtra *event);
    // The preset file's path, empty when the shared documents folder is unknown.
    std::string presetPath() const;

    std::array<ColorFlag, 3> defaultFlags_;
};

} // namespace AEUtil
