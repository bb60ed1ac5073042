// A custom control whose value is an arbitrary-data parameter kept in a host handle, with its
// registration and the sizes the host asks for.
#pragma once

#include <string>
#include <vector>

#include "colorbar/CUISubscriber.h"

namespace AEUtil {

class PresetUI : public CUISubscriber {
public:
    ~PresetUI() override;

    // Bytes of the value, of its flattened form and of its text form.
    virtual A_u_long valueSize() const = 0;
    virtual A_u_long flatSize() const = 0;
    virtual A_u_long printSize() const = 0;
    // A new handle holding the default value, locked and unlocked through the handle suite.
    // PF_Err_OUT_OF_MEMORY when the host gives no handle, PF_Err_INTERNAL_STRUCT_DAMAGED when
    // it cannot be locked (the handle is then disposed); *handle is set only on success.
    virtual PF_Err newDefaultValue(PF_InData *in_data, PF_Handle *handle) = 0;
    // Creates the parameter's registration object with a default value and makes the control
    // serve it. Returns the default value's error and then creates nothing.
    virtual PF_Err registerParam(PF_InData *in_data, const char *name, A_long id, const PF_ParamDef &templ,
                                 const char *presetFileName) = 0;
    // Size of the control in the effect panel (width 0: the panel's width).
    virtual A_short uiWidth() const = 0;
    virtual A_short uiHeight() const = 0;

    // The preset operations, each on the value of the event's parameter and the preset file
    // read afresh (the file is the only store, shared by every instance and host).
#define LUMORA_PRESET_OPERATION(name)                                                                                  \
    name(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_EventExtra *event)
    // The names in file order, duplicates included.
    virtual std::vector<std::string> LUMORA_PRESET_OPERATION(listPresetNames) = 0;
    // Loads the preset of the value's name into its current and preset lists.
    virtual PF_Err LUMORA_PRESET_OPERATION(applyPreset) = 0;
    // Stores the current list under the value's name: in place, or added in name order.
    virtual PF_Err LUMORA_PRESET_OPERATION(savePreset) = 0;
    // Removes the preset of the value's name from the file.
    virtual PF_Err LUMORA_PRESET_OPERATION(deletePreset) = 0;
    // Whether the current list differs from the preset list in count, colours or positions.
    virtual bool differsFromPreset(const GradientData &value) const = 0;
    // Top-row area 0 (preset field), 1 ("Add") or 2 ("Delete") of a control frame.
    virtual PF_Rect areaRect(const PF_Rect &frame, int area) const = 0;

    const std::string &presetFileName() const noexcept { return text_; }

protected:
    PresetUI() = default;
};

} // namespace AEUtil
