// An effect panel showing one parameter's custom control, driven as the compositing host drives
// it: a custom-UI context opened for the control (PF_Event_NEW_CONTEXT) and closed with the
// panel (PF_Event_CLOSE_CONTEXT), mouse clicks with their drags, hovering, and drawing onto a
// canvas the size of the control (Drawbot.h). Menus, prompts and the colour picker the plug-in
// opens are answered by the panel's caller through PanelCallbacks.
//
// The control's frame is (0, 0, width, height): width is the parameter's ui_width, or the
// panel's width when that is 0; height its ui_height. Mouse points are given in the frame's
// coordinates, as the plug-in receives them. On the virtual screen the frame's origin lies at
// PanelOptions::screenOrigin (PF_ConvertLocalToGlobal, the main window's cursor).
//
// Drags: a click whose answer sets send_drag starts a drag; each drag event carries the
// continue_refcon and send_drag the previous answer left, and the drag ends when the plug-in
// clears send_drag or with release(), the last PF_Event_DRAG, marked last_time.
// PF_EO_UPDATE_NOW in an answer makes the panel draw at once; PF_InvalidateRect marks the image
// stale (the caller decides when to draw, as the host redraws when it gets round to it).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AE_EffectUI.h"
#include "embedhost/Drawbot.h"
#include "embedhost/Image.h"
#include "embedhost/PanelLink.h"
#include "platform/PortableWindow.h"

namespace embedhost {

class Host;

struct PanelMenuItem {
    std::string label;
    std::uint32_t command = 0;
    bool checked = false;
};

// What a person would answer. Each is required for the dialog it answers: without it the dialog
// fails (the colour picker with PF_Err_INVALID_CALLBACK, the menu and prompt as the main window
// lacking the function). Callbacks must not throw; a throw is recorded in problems() and the
// dialog fails the same way.
struct PanelCallbacks {
    // The picked colour, or nullopt for Cancel (PF_Interrupt_CANCEL to the plug-in).
    std::function<std::optional<PF_PixelFloat>(const std::string &title, const PF_PixelFloat &sample)> pickColor{};
    // The command of the item picked, 0 when the menu is dismissed; at = screen point.
    std::function<std::uint32_t(const std::vector<PanelMenuItem> &items, PF_Point at)> chooseMenuItem{};
    // The text typed, or nullopt for Cancel.
    std::function<std::optional<std::string>(const std::string &title, const std::string &initial)> askText{};
};

struct PanelOptions {
    A_long width = 320;
    PF_Point screenOrigin{400, 300};
    PanelCallbacks callbacks{};
};

// What the plug-in answered to one event.
struct PanelEventResult {
    bool sent = false; // false: drag or release without a drag in progress
    PF_Err err = PF_Err_NONE;
    PF_EventOutFlags outFlags = PF_EO_NONE;
    bool valueChanged = false; // the parameter's value was taken over (PF_ChangeFlag_CHANGED_VALUE)
    bool redrawn = false;      // PF_EO_UPDATE_NOW: image() is the new drawing
    std::string message;       // out_data->return_msg
    bool handled() const { return (outFlags & PF_EO_HANDLED_EVENT) != 0; }
};

class EffectPanel : private PanelLink {
public:
    // Opens the context. Throws std::logic_error when the host has no plug-in, the plug-in did
    // not set PF_OutFlag_CUSTOM_UI or registered no custom UI for the effect window
    // (PF_CustomEFlag_EFFECT), std::invalid_argument when `index` is not a parameter with
    // PF_PUI_CONTROL and a positive ui_height, std::runtime_error when the plug-in fails
    // PF_Event_NEW_CONTEXT.
    EffectPanel(Host &host, PF_ParamIndex index, PanelOptions options = {});
    ~EffectPanel() override;
    EffectPanel(const EffectPanel &) = delete;
    EffectPanel &operator=(const EffectPanel &) = delete;

    PanelEventResult click(A_long h, A_long v, PF_Modifiers modifiers = PF_Mod_NONE, A_long clicks = 1);
    PanelEventResult drag(A_long h, A_long v);
    PanelEventResult release(A_long h, A_long v);
    bool dragging() const { return dragging_; }
    PanelEventResult hover(A_long h, A_long v, PF_Modifiers modifiers = PF_Mod_NONE);
    // PF_Event_DRAW on a fresh canvas filled with the theme's background; image() keeps the
    // result. Throws std::runtime_error when the host has no drawing suites (Drawbot::available).
    PanelEventResult draw();

    const Image &image() const { return image_; } // 8-bit straight ARGB; empty before a draw
    bool stale() const { return stale_; }         // invalidated since the last draw
    long draws() const { return draws_; }
    long invalidations() const { return invalidations_; }
    PF_Rect lastInvalidated() const { return lastInvalidated_; } // the whole frame for a null rect
    PF_CursorType cursor() const { return cursor_; }             // set at the last hover
    std::string lastMessage() const { return lastMessage_; }     // the last non-empty return_msg

    PF_Rect frame() const { return frame_; }
    PF_ParamIndex index() const { return index_; }
    PF_Point toScreen(PF_Point local) const override;
    void setCallbacks(PanelCallbacks callbacks);
    // The main window handed out while this panel handles an event (PF_PlatData_MAIN_WND).
    const lumora::platform::PortableWindow &window() const { return window_; }
    // Dialogs nobody could answer, throwing callbacks.
    const std::vector<std::string> &problems() const { return problems_; }

private:
    PanelEventResult send(PF_EventType type, const PF_EventUnion &u);
    PanelEventResult mouse(PF_EventType type, A_long h, A_long v, bool lastTime);
    void pointAt(A_long h, A_long v);

    // PanelLink.
    bool owns(PF_ContextH context) const override { return context == &contextPtr_; }
    DRAWBOT_DrawRef drawingReference() const override { return canvas_ ? canvas_->ref() : nullptr; }
    PF_Err pickColor(const char *title, const PF_PixelFloat &sample, PF_PixelFloat *picked) override;
    void invalidate(const PF_Rect *rect) override;
    void *mainWindow() override { return &window_; }

    static std::uint32_t chooseMenuItem(void *refcon, const lumora::platform::PortableMenuItem *items,
                                        std::uint32_t count, std::int32_t x, std::int32_t y);
    static std::int32_t askText(void *refcon, const char *title, const char *initial, char *text,
                                std::uint32_t capacity);

    Host &host_;
    PF_ParamIndex index_;
    PanelOptions options_;
    PF_Rect frame_{};
    PF_Context context_{};
    PF_ContextPtr contextPtr_ = &context_;
    lumora::platform::PortableWindow window_{};
    std::unique_ptr<DrawCanvas> canvas_; // while a draw event runs
    Image image_;
    bool dragging_ = false;
    PF_DoClickEventInfo click_{}; // the click or drag answered last
    bool stale_ = false;
    long draws_ = 0;
    long invalidations_ = 0;
    PF_Rect lastInvalidated_{};
    PF_CursorType cursor_ = PF_Cursor_NONE;
    std::string lastMessage_;
    std::vector<std::string> problems_;
    A_u_long clock_ = 0; // the events' `when`
};

} // namespace embedhost
