// What the host's custom-UI services ask of an open effect panel (EffectPanel implements it):
// its drawing reference, the colour picker its caller answers, redraw requests and the
// conversion of panel points to the virtual screen.
#pragma once

#include "AE_EffectUI.h"

namespace embedhost {

class PanelLink {
public:
    virtual ~PanelLink() = default;
    virtual bool owns(PF_ContextH context) const = 0;
    // Null outside a draw event.
    virtual DRAWBOT_DrawRef drawingReference() const = 0;
    // PF_Interrupt_CANCEL when the person cancelled; an error when nobody can answer.
    virtual PF_Err pickColor(const char *title, const PF_PixelFloat &sample, PF_PixelFloat *picked) = 0;
    virtual void invalidate(const PF_Rect *rect) = 0;
    virtual PF_Point toScreen(PF_Point local) const = 0;
    // The PortableWindow handed out as the application's main window.
    virtual void *mainWindow() = 0;
};

} // namespace embedhost
