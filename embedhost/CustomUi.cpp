#include "embedhost/CustomUi.h"

#include <algorithm>

#include "embedhost/CurrentHost.h"
#include "embedhost/FunctionSlot.h"
#include "embedhost/Interaction.h"

namespace embedhost {

namespace {

SPAPI PF_Err drawingReference(const PF_ContextH context, DRAWBOT_DrawRef *ref) {
    CustomUi *ui = current::customUi();
    if (!ui || !context || !ref)
        return PF_Err_BAD_CALLBACK_PARAM;
    PanelLink *panel = ui->panelOf(context);
    *ref = panel ? panel->drawingReference() : nullptr;
    return *ref ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
}

template <DRAWBOT_ColorRGBA HostTheme::*colour>
SPAPI PF_Err themeColour(DRAWBOT_ColorRGBA *out) {
    CustomUi *ui = current::customUi();
    if (!ui || !out)
        return PF_Err_BAD_CALLBACK_PARAM;
    *out = ui->theme().*colour;
    return PF_Err_NONE;
}

template <const char *name>
SPAPI PF_Err notOffered() {
    if (Interaction *interaction = current::interaction())
        interaction->noteUnsupported(name);
    return PF_Err_INVALID_CALLBACK;
}

constexpr char kStrokeWidth[] = "PF_GetPreferredStrokeWidth";
constexpr char kVertexSize[] = "PF_GetPreferredVertexSize";
constexpr char kShadowOffset[] = "PF_GetPreferredShadowOffset";
constexpr char kStrokePath[] = "PF_StrokePath";
constexpr char kFillPath[] = "PF_FillPath";
constexpr char kFillVertex[] = "PF_FillVertex";

} // namespace

CustomUi::CustomUi() {
    customUi1_.PF_GetDrawingReference = drawingReference;
    overlayTheme1_.PF_GetPreferredForegroundColor = themeColour<&HostTheme::foreground>;
    overlayTheme1_.PF_GetPreferredShadowColor = themeColour<&HostTheme::shadow>;
    fillSlot(overlayTheme1_.PF_GetPreferredStrokeWidth, notOffered<kStrokeWidth>);
    fillSlot(overlayTheme1_.PF_GetPreferredVertexSize, notOffered<kVertexSize>);
    fillSlot(overlayTheme1_.PF_GetPreferredShadowOffset, notOffered<kShadowOffset>);
    fillSlot(overlayTheme1_.PF_StrokePath, notOffered<kStrokePath>);
    fillSlot(overlayTheme1_.PF_FillPath, notOffered<kFillPath>);
    fillSlot(overlayTheme1_.PF_FillVertex, notOffered<kFillVertex>);
}

HostTheme CustomUi::theme() const {
    std::lock_guard lock(mutex_);
    return theme_;
}

void CustomUi::setTheme(const HostTheme &theme) {
    std::lock_guard lock(mutex_);
    theme_ = theme;
}

void CustomUi::attach(PanelLink *panel) {
    std::lock_guard lock(mutex_);
    panels_.push_back(panel);
}

void CustomUi::detach(PanelLink *panel) {
    std::lock_guard lock(mutex_);
    panels_.erase(std::remove(panels_.begin(), panels_.end(), panel), panels_.end());
    if (active_ == panel)
        active_ = nullptr;
}

void CustomUi::setActive(PanelLink *panel) {
    std::lock_guard lock(mutex_);
    active_ = panel;
}

PanelLink *CustomUi::active() const {
    std::lock_guard lock(mutex_);
    return active_;
}

PanelLink *CustomUi::panelOf(PF_ContextH context) const {
    std::lock_guard lock(mutex_);
    for (PanelLink *panel : panels_)
        if (panel->owns(context))
            return panel;
    return nullptr;
}

} // namespace embedhost
