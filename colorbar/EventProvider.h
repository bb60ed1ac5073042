// Receives every custom-UI event of the filter and hands it to the subscribed controls, and
// keeps each context's storage block: one malloc'd block in the context's first plug-in
// state word, cut into 16-byte-aligned shares.
#pragma once

#include <cstddef>
#include <vector>

#include "colorbar/IEventBase.h"
#include "host/kit/SharedPtr.h"

namespace AEUtil {

class EventProvider : public IEventBase {
public:
    EventProvider() = default;
    ~EventProvider() override;

    // Appends the subscriber and points its back pointer here.
    void subscribe(const SharedPtr<IEventBase> &subscriber);
    // Releases every subscriber in list order.
    void clear() noexcept;
    std::size_t subscriberCount() const noexcept { return subscribers_.size(); }

    // PF_Cmd_EVENT: runs the operation of the event's type.
    PF_Err dispatch(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                    PF_EventExtra *event);

    bool accepts(const PF_EventExtra *event) const override;
    LUMORA_EVENT_OPERATIONS(LUMORA_OVERRIDE_EVENT_OPERATION)

    std::size_t contextStorageSize() const override { return 0; }
    void setUpContext(PF_EventExtra *) override {}
    void tearDownContext(PF_EventExtra *) override {}

protected:
    // The context block's memory; a null result leaves the context without per-context state.
    virtual void *allocateContextBlock(std::size_t bytes) noexcept;
    virtual void releaseContextBlock(void *block) noexcept;

private:
    using Operation = PF_Err (IEventBase::*)(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *,
                                             PF_EventExtra *);
    // Calls `op` on each accepting subscriber until one returns an error.
    PF_Err forAccepting(Operation op, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                        PF_LayerDef *output, PF_EventExtra *event);

    std::vector<SharedPtr<IEventBase>> subscribers_;
};

} // namespace AEUtil
