// The parameter array a command receives (params[0] is the input layer): definitions filled
// with the instance's values at one time.
#pragma once

#include <vector>

#include "AE_Effect.h"

namespace embedhost {

// Arbitrary values in it are host-owned copies made for the command; EffectParams::finish
// takes changed values back and disposes the rest.
class ParamArray {
public:
    ParamArray() = default;
    ParamArray(const ParamArray &) = delete;
    ParamArray &operator=(const ParamArray &) = delete;
    ParamArray(ParamArray &&) = default;
    ParamArray &operator=(ParamArray &&) = default;

    PF_ParamDef **data() { return pointers_.empty() ? nullptr : pointers_.data(); }
    std::size_t size() const { return defs_.size(); }
    const PF_ParamDef &at(std::size_t index) const { return defs_.at(index); }
    PF_ParamDef &at(std::size_t index) { return defs_.at(index); }

private:
    friend class EffectParams;
    std::vector<PF_ParamDef> defs_;
    std::vector<PF_ParamDef *> pointers_;
    std::vector<PF_Handle> copies_; // by index; null where the parameter is not arbitrary data
    A_Time time_{0, 1};
    bool finished_ = false;
};

} // namespace embedhost
