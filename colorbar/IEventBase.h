// The custom-UI event face of a control: one operation per host event kind, plus the
// control's share of the per-context storage.
#pragma once

#include <cstddef>

#include "AE_EffectUI.h"

namespace AEUtil {

class EventProvider;

class IEventBase {
public:
    // Only accepting subscribers get the events other than new and close context.
    virtual bool accepts(const PF_EventExtra *event) const = 0;

    // Every event operation takes the command's in-data, out-data, params, output and the event.
    virtual PF_Err newContext(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                              PF_EventExtra *event) = 0;
    virtual PF_Err activate(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                            PF_EventExtra *event) = 0;
    virtual PF_Err click(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                         PF_EventExtra *event) = 0;
    virtual PF_Err drag(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                        PF_EventExtra *event) = 0;
    virtual PF_Err draw(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                        PF_EventExtra *event) = 0;
    virtual PF_Err deactivate(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                              PF_EventExtra *event) = 0;
    virtual PF_Err closeContext(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                                PF_EventExtra *event) = 0;
    virtual PF_Err idle(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                        PF_EventExtra *event) = 0;
    // PF_Event_KEYDOWN_OBSOLETE, the host's retired key event.
    virtual PF_Err retiredKey(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                              PF_EventExtra *event) = 0;
    virtual PF_Err adjustCursor(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                                PF_EventExtra *event) = 0;
    virtual PF_Err keyDown(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                           PF_EventExtra *event) = 0;
    virtual PF_Err mouseExited(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                               PF_EventExtra *event) = 0;

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
