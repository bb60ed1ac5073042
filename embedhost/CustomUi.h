// The host side of custom controls: the theme, the open effect panels, and the suites a
// control calls while it handles an event ("PF Effect Custom UI Suite" 1 and "PF Effect Custom
// UI Overlay Theme Suite" 1). The App suite's panel functions reach the panels through here.
#pragma once

#include <mutex>
#include <vector>

#include "AE_EffectSuites.h"
#include "embedhost/HostTheme.h"
#include "embedhost/PanelLink.h"

namespace embedhost {

// The overlay theme suite offers the foreground and shadow colours; its other functions answer
// PF_Err_INVALID_CALLBACK and are counted in Interaction::unsupportedCalls by their SDK names.
class CustomUi {
public:
    CustomUi();
    CustomUi(const CustomUi &) = delete;
    CustomUi &operator=(const CustomUi &) = delete;

    HostTheme theme() const;
    void setTheme(const HostTheme &theme);

    // Panels register while open. The active one is the panel whose event is being handled (the
    // colour picker, the screen conversion and the main window belong to it).
    void attach(PanelLink *panel);
    void detach(PanelLink *panel);
    void setActive(PanelLink *panel);
    PanelLink *active() const;
    PanelLink *panelOf(PF_ContextH context) const;

    const PF_EffectCustomUISuite1 *customUi1() const { return &customUi1_; }
    const PF_EffectCustomUIOverlayThemeSuite1 *overlayTheme1() const { return &overlayTheme1_; }

private:
    mutable std::mutex mutex_;
    HostTheme theme_;
    std::vector<PanelLink *> panels_;
    PanelLink *active_ = nullptr;
    PF_EffectCustomUISuite1 customUi1_{};
    PF_EffectCustomUIOverlayThemeSuite1 overlayTheme1_{};
};

} // namespace embedhost
