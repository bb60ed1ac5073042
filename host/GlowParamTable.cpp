#include "host/GlowParamTable.h"

#include "colorbar/GradColorPresetUI.h"
#include "colorbar/data/PresetFile.h"
#include "host/kit/AEException.h"
#include "params/GlowParams.h"
#include "params/ParamAddArbitrary.h"
#include "params/ParamAddCheckbox.h"
#include "params/ParamAddColor.h"
#include "params/ParamAddFloatSlider.h"
#include "params/ParamAddLayer.h"
#include "params/ParamAddPopup.h"
#include "params/ParamAddTopic.h"
#include "params/RenderSettings.h"

namespace AEUtil {

namespace {

constexpr const char *kViewChoices = "Normal|(-|Extract|Threshold";
constexpr const char *kBlendChoices =
    "Normal|(-|Add|Substract|Multiply|Screen|Overlay|Hard Light|Soft Light|(-|Darken|Lighten|Difference|Exclusion";
constexpr const char *kGlowTypeChoices = "Normal|Angle Map|Original Colors";
constexpr const char *kChannelChoices = "Luminance|Alpha";

constexpr FloatSliderRange kPercent{0, 100, 0, 100};
constexpr FloatSliderRange kWide{0, 1000, 0, 100};
constexpr FloatSliderRange kSigned{-100, 100, -100, 100};
constexpr FloatSliderRange kCenter{0, 100, 0, 50};

constexpr A_short kPercentDisplay = PF_ValueDisplayFlag_PERCENT;
constexpr A_short kPlainDisplay = PF_ValueDisplayFlag_NONE;

void slider(A_long offset, A_long width, const char *name, const PF_ParamDef &templ, const FloatSliderRange &range,
            PF_FpShort dephault, A_short display, A_long id) {
    (new ParamAddFloatSlider(offset, width, name, templ, range, dephault, 1, display, false))->setId(id);
}

} // namespace

#define RS(member) LUMORA_RS_OFFSET(member), LUMORA_RS_WIDTH(member)

void buildGlowParamTable(PF_InData *in_data, GradColorPresetUI &colorBar) {
    PF_ParamDef templ{};
    templ.flags = PF_ParamFlag_COLLAPSE_TWIRLY;

    (new ParamAddPopup(RS(view), "View", templ, 4, 1, kViewChoices))->setId(kIdView);
    (new ParamAddPopup(RS(blendMode), "Blend Mode", templ, 14, 3, kBlendChoices))->setId(kIdBlendMode);
    slider(RS(opacity), "Opacity", templ, kPercent, 100, kPercentDisplay, kIdOpacity);

    (new ParamAddTopic("Glow Color", templ))->setId(kIdGlowColorGroup);
    (new ParamAddPopup(RS(glowType), "Glow Type", templ, 3, 1, kGlowTypeChoices))->setId(kIdGlowType);
    if (PF_Err err = colorBar.registerParam(in_data, kGlowColorBarName, kIdGlowColorBar, templ, kPresetFileName))
        AE_THROW(err, "the colour bar parameter could not be created");
    (new ParamEndTopic())->setId(kIdGlowColorGroupEnd);

    (new ParamAddPopup(RS(inputChannel), "Input Channel", templ, 2, 1, kChannelChoices))->setId(kIdInputChannel);
    slider(RS(threshold), "Threshold", templ, kPercent, 60, kPercentDisplay, kIdThreshold);
    slider(RS(thresholdSoft), "Threshold Soft", templ, kPercent, 10, kPlainDisplay, kIdThresholdSoft);
    slider(RS(glowRadius), "Glow Radius", templ, kWide, 10, kPlainDisplay, kIdGlowRadius);
    slider(RS(glowAspect), "Glow Aspect", templ, kSigned, 0, kPlainDisplay, kIdGlowAspect);
    slider(RS(glowIntensity), "Glow Intensity", templ, kWide, 0, kPlainDisplay, kIdGlowIntensity);

    (new ParamAddTopic("Depth Effects", templ))->setId(kIdDepthGroup);
    (new ParamAddCheckbox(RS(depthEffectsEnabled), "Enable Depth Effects", templ, "", 0, 0))->setId(kIdEnableDepth);
    (new ParamAddLayer(RS(depthLayer), "Depth Layer", templ, PF_LayerDefault_NONE))->setId(kIdDepthLayer);
    slider(RS(centerPosition), "Center Position", templ, kCenter, 50, kPercentDisplay, kIdCenterPosition);
    slider(RS(depthBias), "Depth Bias", templ, kPercent, 0, kPlainDisplay, kIdDepthBias);
    (new ParamAddColor(RS(depthTint), "Depth Tint", templ, PF_Pixel{255, 255, 255, 255}))->setId(kIdDepthTint);
    slider(RS(depthRadius), "Depth Radius", templ, kWide, 10, kPlainDisplay, kIdDepthRadius);
    slider(RS(depthIntensity), "Depth Intensity", templ, kWide, 0, kPlainDisplay, kIdDepthIntensity);
    (new ParamEndTopic())->setId(kIdDepthGroupEnd);
}

#undef RS

} // namespace AEUtil
