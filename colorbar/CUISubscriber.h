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
    PF_Err newContext(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                      PF_EventExtra *event) override;
    PF_Err activate(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                    PF_EventExtra *event) override;
    PF_Err click(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                 PF_EventExtra *event) override;
    PF_Err drag(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                PF_EventExtra *event) override;
    PF_Err draw(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                PF_EventExtra *event) override;
    PF_Err deactivate(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                      PF_EventExtra *event) override;
    PF_Err closeContext(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                        PF_EventExtra *event) override;
    PF_Err idle(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                PF_EventExtra *event) override;
    PF_Err retiredKey(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                      PF_EventExtra *event) override;
    PF_Err adjustCursor(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                        PF_EventExtra *event) override;
    PF_Err keyDown(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                   PF_EventExtra *event) override;
    PF_Err mouseExited(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output,
                       PF_EventExtra *event) override;
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
