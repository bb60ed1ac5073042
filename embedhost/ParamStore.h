// The parameters of the effect instance as the host keeps them: definitions in host order,
// their look in the effect controls and their values over time.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "embedhost/ParamDefinition.h"
#include "embedhost/ParamValue.h"

namespace embedhost {

// Index 0 is the input layer. Pure bookkeeping: it never calls the plug-in and is not
// synchronised (EffectParams is).
class ParamStore {
public:
    struct Entry {
        std::unique_ptr<RegisteredParam> reg;
        PF_ParamDef ui{};           // the registered definition with the accepted UI updates
        ParamValue dephault;        // arbitrary data: the default handle the host took over
        ParamValue initial;         // the value field at registration (projects that lack it)
        ParamValue constant;        // the value while there are no keyframes
        std::vector<Keyframe> keys; // ascending time, never two at one time
        unsigned long revision = 0; // grows with every change of value or keyframes
    };

    // What a value at some time is made of: `value` for every type but arbitrary data; for
    // arbitrary data the host still has to copy `left` (right null) or interpolate left to
    // right at `t` through the plug-in.
    struct Sample {
        ParamValue value;
        const ParamValue *left = nullptr;
        const ParamValue *right = nullptr;
        double t = 0;
    };

    ParamStore();

    // Forgets every parameter but the input layer (release arbitrary handles first).
    void reset();

    // add_param: checks the definition, disk id uniqueness and group nesting, then appends.
    PF_Err add(const PF_ParamDef &def, std::string *reason);
    int openGroups() const { return openGroups_; }

    A_long count() const { return static_cast<A_long>(entries_.size()); }
    bool valid(PF_ParamIndex index) const { return index >= 0 && index < count(); }
    const Entry &at(PF_ParamIndex index) const; // throws std::out_of_range
    Entry &at(PF_ParamIndex index);
    std::optional<PF_ParamIndex> indexOfId(A_long id) const;
    PF_ParamIndex indexOfIdOrThrow(A_long id) const;

    // PF_UpdateParamUI: takes only what the host lets a plug-in change (name, ui_width,
    // ui_height, PF_PUI_DISABLED and PF_PUI_ECW_SEPARATOR, PF_ParamFlag_COLLAPSE_TWIRLY, and the
    // slider range, precision and display flags of sliders). Values are never taken.
    PF_Err updateUi(PF_ParamIndex index, const PF_ParamDef &def);

    // Values. Each returns the arbitrary handles it displaced, for the caller to dispose.
    std::vector<PF_Handle> setConstant(PF_ParamIndex index, const ParamValue &value);
    std::vector<PF_Handle> setKeyframe(PF_ParamIndex index, A_Time time, const ParamValue &value);
    std::vector<PF_Handle> clearKeyframes(PF_ParamIndex index);
    void setDefaultHandle(PF_ParamIndex index, PF_Handle handle);

    Sample sample(PF_ParamIndex index, A_Time time) const;

    // Every arbitrary handle the store holds (defaults, constants, keyframes).
    std::vector<PF_Handle> heldHandles() const;
    // Forgets them (the parameters stay, without arbitrary values), for disposal by index.
    std::vector<std::pair<PF_ParamIndex, PF_Handle>> releaseHandles();
    unsigned long revision(PF_ParamIndex index) const { return at(index).revision; }

private:
    void checkValueType(const Entry &e, const ParamValue &value) const; // throws invalid_argument

    std::vector<Entry> entries_;
    int openGroups_ = 0;
};

} // namespace embedhost
