// The custom-UI event face of a control: one operation per host event kind, plus the
// control's share of the per-context storage.
#pragma once

#include <cstddef>

#include "AE_EffectUI.h"

// Each host event kind with the operation that serves it: X(event type, name).
// retiredKey serves PF_Event_KEYDOWN_OBSOLETE, the host's retired key event.
#define LUMORA_EVENT_OPERATIONS(X)                                                                                     \
    X(PF_Event_NEW_CONTEXT, newContext)                                                                                \
    X(PF_Event_ACTIVATE, activate)                                                                                     \
    X(PF_Event_DO_CLICK, click)                                                                                        \
    X(PF_Event_DRAG, drag)                                                                                             \
    X(PF_Event_DRAW, draw)                                                                                             \
    X(PF_Event_DEACTIVATE, deactivate)                                                                                 \
    X(PF_Event_CLOSE_CONTEXT, closeContext)                                                                            \
    X(PF_Event_IDLE, idle)                                                                                             \
    X(PF_Event_KEYDOWN_OBSOLETE, retiredKey)                                                                           \
    X(PF_Event_ADJUST_CURSOR, adjustCursor)                                                                            \
    X(PF_Event_KEYDOWN, keyDown)                                                                                       \
    X(PF_Event_MOUSE_EXITED, mouseExited)

// Every event operation takes the command's in-data, out-data, params, output and the event.
#define LUMORA_EVENT_OPERATION(name)                                                                                   \
    PF_Err name(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,                  \
                PF_EventExtra *event)
// For a face's class body: LUMORA_EVENT_OPERATIONS(LUMORA_OVERRIDE_EVENT_OPERATION).
#define LUMORA_OVERRIDE_EVENT_OPERATION(type, name) LUMORA_EVENT_OPERATION(name) override;

namespace AEUtil {

class EventProvider;

class IEventBase {
public:
    // Only accepting subscribers get the events other than new and close context.
    virtual bool accepts(const PF_EventExtra *event) const = 0;

#define LUMORA_PURE_EVENT_OPERATION(type, name) virtual LUMORA_EVENT_OPERATION(name) = 0;
    LUMORA_EVENT_OPERATIONS(LUMORA_PURE_EVENT_OPERATION)
#undef LUMORA_PURE_EVENT_OPERATION

    // Bytes wanted in each context's storage block (0: none).
    virtual std::size_t contextStorageSize() const = 0;
    // Run for every subscriber when a context opens and closes, after the block is allocated
    // and before it is released; contextBlock() is null when the block could not be allocated.
    virtual void setUpContext(PF_EventExtra *event) = 0;
    virtual void tearDownContext(PF_EventExtra *event) = 0;

    virtual ~IEventBase();

    EventProvider *eventProvider() const noexcept { return provider_; }
    void setEventProvider(EventProvider *provider) noexcept { provider_ = provider; }
    // Offset of this object's share of the context block; -1 until a context gave it one.
    long contextOffset() const noexcept { return contextOffset_; }
    void setContextOffset(long offset) noexcept { contextOffset_ = offset; }

    // This object's share of the event's context block, or null when it has none.
    void *contextBlock(const PF_EventExtra *event) const noexcept;

protected:
    IEventBase() = default;
    IEventBase(const IEventBase &) = delete;
    IEventBase &operator=(const IEventBase &) = delete;

private:
    EventProvider *provider_ = nullptr;
    long contextOffset_ = -1;
};

} // namespace AEUtil
