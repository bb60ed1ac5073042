// A custom-UI control as the providers see it: both faces, the parameter indices it serves,
// and defaults that accept every event and do nothing.
#pragma once

#include <string>
#include <vector>

#include "colorbar/IArbBase.h"
#include "colorbar/IEventBase.h"

namespace AEUtil {

class CUISubscriber : public IEventBase, public IArbBase {
public:
    ~CUISubscriber() override;

    bool accepts(const PF_EventExtra *event) const override;
    LUMORA_EVENT_OPERATIONS(LUMORA_OVERRIDE_EVENT_OPERATION)
    std::size_t contextStorageSize() const override;
    void setUpContext(PF_EventExtra *event) override;
    void tearDownContext(PF_EventExtra *event) override;

    // Host parameter indices whose events this control serves.
    const std::vector<A_long> &servedIndices() const noexcept { return servedIndices_; }
    bool serves(A_long index) const noexcept;
    void addServedIndex(A_long index);

protected:
    CUISubscriber() = default;

    // The preset file name, for controls that keep presets.
    std::string text_;

private:
    std::vector<A_long> servedIndices_;
};

} // namespace AEUtil
