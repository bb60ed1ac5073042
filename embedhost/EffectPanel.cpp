#include "embedhost/EffectPanel.h"

#include <cstring>
#include <stdexcept>

#include "embedhost/FunctionSlot.h"
#include "embedhost/Host.h"

namespace embedhost {

namespace {

// The coordinate conversions of PF_EventCallbacks serve the composition and layer windows; in
// the effect panel nothing is offered.
PF_Err eventCallbackNotOffered() { return PF_Err_INVALID_CALLBACK; }

PF_EventCallbacks eventCallbacks() {
    PF_EventCallbacks c{};
    fillSlots(eventCallbackNotOffered, c.layer_to_comp, c.comp_to_layer, c.get_comp2layer_xform, c.get_layer2comp_xform,
              c.source_to_frame, c.frame_to_source, c.info_draw_color, c.info_draw_text);
    return c;
}

PF_Rect controlFrame(Host &host, PF_ParamIndex index, A_long panelWidth) {
    if (index < 1 || index >= host.params().count())
        throw std::invalid_argument("EffectPanel: no parameter " + std::to_string(index));
    const PF_ParamDef def = host.params().current(index);
    if (!(def.ui_flags & PF_PUI_CONTROL) || def.ui_height <= 0)
        throw std::invalid_argument("EffectPanel: parameter " + std::to_string(index) +
                                    " has no custom control (PF_PUI_CONTROL with a ui_height)");
    const A_long width = def.ui_width > 0 ? def.ui_width : panelWidth;
    if (width <= 0)
        throw std::invalid_argument("EffectPanel: the panel needs a positive width");
    return PF_Rect{0, 0, width, def.ui_height};
}

void checkCustomUi(Host &host) {
    if (!host.plugin())
        throw std::logic_error("EffectPanel: the host has no plug-in");
    if (!(host.effect().outFlags & PF_OutFlag_CUSTOM_UI))
        throw std::logic_error("EffectPanel: the plug-in did not set PF_OutFlag_CUSTOM_UI at global set-up");
    const std::optional<PF_CustomUIInfo> ui = host.params().customUi();
    if (!ui || !(ui->events & PF_CustomEFlag_EFFECT))
        throw std::logic_error("EffectPanel: the plug-in registered no custom UI for the effect panel "
                               "(register_ui with PF_CustomEFlag_EFFECT)");
}

} // namespace

EffectPanel::EffectPanel(Host &host, PF_ParamIndex index, PanelOptions options)
    : host_(host), index_(index), options_(std::move(options)) {
    checkCustomUi(host);
    frame_ = controlFrame(host, index, options_.width);
    context_.magic = PF_CONTEXT_MAGIC;
    context_.w_type = PF_Window_EFFECT;
    window_.magic = lumora::platform::kPortableWindowMagic;
    window_.refcon = this;
    setCallbacks(options_.callbacks);
    pointAt(0, 0);
    host_.customUi().attach(this);
    const PanelEventResult opened = send(PF_Event_NEW_CONTEXT, PF_EventUnion{});
    if (opened.err != PF_Err_NONE) {
        host_.customUi().detach(this);
        throw std::runtime_error("EffectPanel: the plug-in failed PF_Event_NEW_CONTEXT with error " +
                                 std::to_string(opened.err));
    }
}

EffectPanel::~EffectPanel() {
    try {
        send(PF_Event_CLOSE_CONTEXT, PF_EventUnion{});
    } catch (...) {
        // A destructor cannot report it; the host's own checks (handles, suites) still will.
    }
    host_.customUi().detach(this);
}

void EffectPanel::setCallbacks(PanelCallbacks callbacks) {
    options_.callbacks = std::move(callbacks);
    // A function the caller did not give stays null: the plug-in's side fails the dialog.
    window_.chooseMenuItem = options_.callbacks.chooseMenuItem ? &EffectPanel::chooseMenuItem : nullptr;
    window_.askText = options_.callbacks.askText ? &EffectPanel::askText : nullptr;
}

PF_Point EffectPanel::toScreen(PF_Point local) const {
    return PF_Point{options_.screenOrigin.h + local.h, options_.screenOrigin.v + local.v};
}

void EffectPanel::pointAt(A_long h, A_long v) {
    const PF_Point screen = toScreen(PF_Point{h, v});
    window_.cursorX = screen.h;
    window_.cursorY = screen.v;
}

PanelEventResult EffectPanel::send(PF_EventType type, const PF_EventUnion &u) {
    PF_EventExtra x;
    std::memset(&x, 0, sizeof x);
    x.contextH = &contextPtr_;
    x.e_type = type;
    x.u = u;
    x.effect_win.index = index_;
    x.effect_win.area = PF_EA_CONTROL;
    x.effect_win.current_frame = frame_;
    x.cbs = eventCallbacks();
    x.evt_in_flags = PF_EI_NONE;

    const long changesBefore = host_.params().adoptedChanges(index_);
    PanelLink *previous = host_.customUi().active();
    host_.customUi().setActive(this);
    CommandResult r;
    try {
        r = host_.command(PF_Cmd_EVENT, nullptr, &x);
    } catch (...) {
        host_.customUi().setActive(previous);
        throw;
    }
    host_.customUi().setActive(previous);

    PanelEventResult result;
    result.sent = true;
    result.err = r.err;
    result.outFlags = x.evt_out_flags;
    result.valueChanged = host_.params().adoptedChanges(index_) != changesBefore;
    result.message = r.message();
    if (!result.message.empty())
        lastMessage_ = result.message;
    if (type == PF_Event_DO_CLICK || type == PF_Event_DRAG)
        click_ = x.u.do_click;
    if (type == PF_Event_ADJUST_CURSOR)
        cursor_ = x.u.adjust_cursor.set_cursor;
    if (type != PF_Event_DRAW && r.err == PF_Err_NONE && (x.evt_out_flags & PF_EO_UPDATE_NOW)) {
        if (Drawbot::available()) {
            draw();
            result.redrawn = true;
        } else {
            problems_.push_back("PF_EO_UPDATE_NOW: no drawing suites in this build, nothing drawn");
        }
    }
    return result;
}

PanelEventResult EffectPanel::click(A_long h, A_long v, PF_Modifiers modifiers, A_long clicks) {
    if (dragging_)
        throw std::logic_error("EffectPanel::click: a drag is in progress; release it first");
    pointAt(h, v);
    PF_EventUnion u{};
    u.do_click.when = ++clock_;
    u.do_click.screen_point = PF_Point{h, v};
    u.do_click.num_clicks = clicks;
    u.do_click.modifiers = modifiers;
    PanelEventResult r = send(PF_Event_DO_CLICK, u);
    dragging_ = r.err == PF_Err_NONE && click_.send_drag;
    return r;
}

PanelEventResult EffectPanel::mouse(PF_EventType type, A_long h, A_long v, bool lastTime) {
    if (!dragging_)
        return PanelEventResult{};
    pointAt(h, v);
    PF_EventUnion u{};
    u.do_click = click_;
    u.do_click.when = ++clock_;
    u.do_click.screen_point = PF_Point{h, v};
    u.do_click.last_time = lastTime;
    PanelEventResult r = send(type, u);
    dragging_ = !lastTime && r.err == PF_Err_NONE && click_.send_drag;
    return r;
}

PanelEventResult EffectPanel::drag(A_long h, A_long v) { return mouse(PF_Event_DRAG, h, v, false); }
PanelEventResult EffectPanel::release(A_long h, A_long v) { return mouse(PF_Event_DRAG, h, v, true); }

PanelEventResult EffectPanel::hover(A_long h, A_long v, PF_Modifiers modifiers) {
    pointAt(h, v);
    PF_EventUnion u{};
    u.adjust_cursor.screen_point = PF_Point{h, v};
    u.adjust_cursor.modifiers = modifiers;
    u.adjust_cursor.set_cursor = PF_Cursor_NONE;
    return send(PF_Event_ADJUST_CURSOR, u);
}

PanelEventResult EffectPanel::draw() {
    const PF_App_Color bg{host_.customUi().theme().background[0], host_.customUi().theme().background[1],
                          host_.customUi().theme().background[2]};
    canvas_ = host_.drawbot().openCanvas(frame_.right - frame_.left, frame_.bottom - frame_.top, bg);
    PF_EventUnion u{};
    u.draw.update_rect = frame_;
    u.draw.depth = 32;
    PanelEventResult r;
    try {
        r = send(PF_Event_DRAW, u);
    } catch (...) {
        canvas_.reset();
        throw;
    }
    image_ = canvas_->image();
    canvas_.reset();
    stale_ = false;
    ++draws_;
    return r;
}

PF_Err EffectPanel::pickColor(const char *title, const PF_PixelFloat &sample, PF_PixelFloat *picked) {
    if (!options_.callbacks.pickColor) {
        problems_.push_back(std::string("colour picker \"") + title + "\" opened, but the panel has no pickColor");
        return PF_Err_INVALID_CALLBACK;
    }
    try {
        const std::optional<PF_PixelFloat> answer = options_.callbacks.pickColor(title, sample);
        if (!answer)
            return PF_Interrupt_CANCEL;
        *picked = *answer;
        return PF_Err_NONE;
    } catch (const std::exception &e) {
        problems_.push_back(std::string("pickColor threw: ") + e.what());
        return PF_Err_INVALID_CALLBACK;
    }
}

void EffectPanel::invalidate(const PF_Rect *rect) {
    ++invalidations_;
    lastInvalidated_ = rect ? *rect : frame_;
    stale_ = true;
}

std::uint32_t EffectPanel::chooseMenuItem(void *refcon, const lumora::platform::PortableMenuItem *items,
                                          std::uint32_t count, std::int32_t x, std::int32_t y) {
    auto *self = static_cast<EffectPanel *>(refcon);
    std::vector<PanelMenuItem> seen;
    for (std::uint32_t i = 0; items && i < count; ++i)
        seen.push_back(PanelMenuItem{items[i].label ? items[i].label : "", items[i].command, items[i].checked != 0});
    try {
        return self->options_.callbacks.chooseMenuItem(seen, PF_Point{x, y});
    } catch (const std::exception &e) {
        self->problems_.push_back(std::string("chooseMenuItem threw: ") + e.what());
        return 0;
    }
}

std::int32_t EffectPanel::askText(void *refcon, const char *title, const char *initial, char *text,
                                  std::uint32_t capacity) {
    auto *self = static_cast<EffectPanel *>(refcon);
    try {
        const std::optional<std::string> answer =
            self->options_.callbacks.askText(title ? title : "", initial ? initial : "");
        if (!answer || !text || capacity == 0)
            return 0;
        const std::size_t n = std::min<std::size_t>(answer->size(), capacity - 1);
        std::memcpy(text, answer->data(), n);
        text[n] = '\0';
        return 1;
    } catch (const std::exception &e) {
        self->problems_.push_back(std::string("askText threw: ") + e.what());
        return 0;
    }
}

} // namespace embedhost
