#include "colorbar/GradColorPresetUI.h"

#include "colorbar/NewGradientValue.h"
#include "params/ParamAddArbitrary.h"

namespace AEUtil {

PresetUI::~PresetUI() = default;

namespace {

constexpr ColorFlag makeFlag(A_u_char r, A_u_char g, A_u_char b, float position) {
    return ColorFlag{255, r, g, b, position, -1, 0};
}

} // namespace

GradColorPresetUI::GradColorPresetUI()
    : defaultFlags_{makeFlag(255, 255, 255, 0.0f), makeFlag(50, 248, 255, 0.5f), makeFlag(0, 24, 255, 1.0f)} {}

GradColorPresetUI::~GradColorPresetUI() = default;

bool GradColorPresetUI::accepts(const PF_EventExtra *event) const {
    if (!event || !event->contextH || !*event->contextH)
        return false;
    return (*event->contextH)->w_type == PF_Window_EFFECT && serves(event->effect_win.index);
}

ColorBarContext *GradColorPresetUI::context(const PF_EventExtra *event) const noexcept {
    return static_cast<ColorBarContext *>(contextBlock(event));
}

void GradColorPresetUI::setUpContext(PF_EventExtra *event) {
    // Without a block (allocation failed) the control simply keeps no per-context state.
    if (ColorBarContext *c = context(event))
        initColorBarContext(*c);
}

void GradColorPresetUI::makeDefaultValue(GradientData &data) const noexcept {
    initDefaultGradient(data, defaultFlags_.data(), defaultFlags_.size());
}

PF_Err GradColorPresetUI::newDefaultValue(PF_InData *in_data, PF_Handle *handle) {
    NewGradientValue value(in_data);
    if (const PF_Err err = value.makeDefault(*this))
        return err;
    *handle = value.release();
    return PF_Err_NONE;
}

PF_Err GradColorPresetUI::registerParam(PF_InData *in_data, const char *name, A_long id, const PF_ParamDef &templ,
                                        const char *presetFileName) {
    NewGradientValue dephault(in_data);
    if (const PF_Err err = dephault.makeDefault(*this))
        return err;
    // The registry owns the object from its construction on; the host takes the handle over
    // when the parameter is added.
    auto *param = new ParamAddArbitrary(name, templ, kUiWidth, kUiHeight, PF_PUI_CONTROL,
                                        reinterpret_cast<void *>(kGradientRefcon), dephault.handle());
    dephault.release();
    param->setId(id);
    // Events name the parameter by its host index, so that is what the control serves.
    addServedIndex(param->index());
    text_ = presetFileName ? presetFileName : "";
    return PF_Err_NONE;
}

} // namespace AEUtil
