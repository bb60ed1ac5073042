#include "colorbar/EventProvider.h"

#include <cstdlib>

namespace AEUtil {

namespace {

constexpr std::size_t kShareAlignment = 16;

PF_Context *contextOf(const PF_EventExtra *event) noexcept {
    return event && event->contextH ? *event->contextH : nullptr;
}

} // namespace

EventProvider::~EventProvider() { clear(); }

void EventProvider::subscribe(const SharedPtr<IEventBase> &subscriber) {
    if (!subscriber)
        return;
    subscribers_.push_back(subscriber);
    subscriber->setEventProvider(this);
}

void EventProvider::clear() noexcept { releaseInOrder(subscribers_); }

PF_Err EventProvider::dispatch(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                               PF_EventExtra *event) {
    if (subscribers_.empty() || !event)
        return PF_Err_NONE;
    // A new context starts with cleared plug-in state words.
    if (event->e_type == PF_Event_NEW_CONTEXT)
        if (PF_Context *context = contextOf(event))
            for (A_intptr_t &word : context->plugin_state)
                word = 0;
    switch (event->e_type) {
#define LUMORA_EVENT_CASE(type, name)                                                                                  \
    case type: return name(in_data, out_data, params, output, event);
        LUMORA_EVENT_OPERATIONS(LUMORA_EVENT_CASE)
#undef LUMORA_EVENT_CASE
    default: return PF_Err_NONE;
    }
}

bool EventProvider::accepts(const PF_EventExtra *) const { return true; }

PF_Err EventProvider::forAccepting(Operation op, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                   PF_LayerDef *output, PF_EventExtra *event) {
    PF_Err result = PF_Err_NONE;
    for (const SharedPtr<IEventBase> &s : subscribers_) {
        // After an error later subscribers are still asked, but no longer called.
        if (s->accepts(event) && result == PF_Err_NONE)
            result = ((*s).*op)(in_data, out_data, params, output, event);
    }
    return result;
}

PF_Err EventProvider::newContext(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, PF_EventExtra *event) {
    std::size_t total = 0;
    for (const SharedPtr<IEventBase> &s : subscribers_) {
        const std::size_t size = s->contextStorageSize();
        if (size == 0)
            continue;
        s->setContextOffset(static_cast<long>(total));
        total += (size + kShareAlignment - 1) / kShareAlignment * kShareAlignment;
    }
    PF_Context *context = contextOf(event);
    if (total != 0 && context)
        context->plugin_state[0] = reinterpret_cast<A_intptr_t>(allocateContextBlock(total));
    for (const SharedPtr<IEventBase> &s : subscribers_)
        s->setUpContext(event);
    return PF_Err_NONE;
}

PF_Err EventProvider::closeContext(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, PF_EventExtra *event) {
    for (const SharedPtr<IEventBase> &s : subscribers_)
        s->tearDownContext(event);
    if (PF_Context *context = contextOf(event)) {
        releaseContextBlock(reinterpret_cast<void *>(context->plugin_state[0]));
        context->plugin_state[0] = 0;
    }
    return PF_Err_NONE;
}

void *EventProvider::allocateContextBlock(std::size_t bytes) noexcept { return std::malloc(bytes); }

void EventProvider::releaseContextBlock(void *block) noexcept { std::free(block); }

#define LUMORA_FORWARD_EVENT(name)                                                                                     \
    LUMORA_EVENT_OPERATION(EventProvider::name) {                                                                      \
        return forAccepting(&IEventBase::name, in_data, out_data, params, output, event);                              \
    }

LUMORA_FORWARD_EVENT(activate)
LUMORA_FORWARD_EVENT(click)
LUMORA_FORWARD_EVENT(drag)
LUMORA_FORWARD_EVENT(draw)
LUMORA_FORWARD_EVENT(deactivate)
LUMORA_FORWARD_EVENT(idle)
LUMORA_FORWARD_EVENT(retiredKey)
LUMORA_FORWARD_EVENT(adjustCursor)
LUMORA_FORWARD_EVENT(keyDown)
LUMORA_FORWARD_EVENT(mouseExited)

#undef LUMORA_FORWARD_EVENT

} // namespace AEUtil
