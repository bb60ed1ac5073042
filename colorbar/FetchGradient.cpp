#include "colorbar/FetchGradient.h"

#include <cstdint>

#include "colorbar/GradientHandle.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

namespace {

// Checks a successfully checked-out parameter in on every path.
class CheckedOutParam {
public:
    explicit CheckedOutParam(PF_InData *in_data) noexcept : in_data_(in_data) {}
    ~CheckedOutParam() {
        if (out_)
            in_data_->inter.checkin_param(in_data_->effect_ref, &def_);
    }
    CheckedOutParam(const CheckedOutParam &) = delete;
    CheckedOutParam &operator=(const CheckedOutParam &) = delete;

    PF_Err checkOut(PF_ParamIndex index) noexcept {
        const PF_Err err = in_data_->inter.checkout_param(in_data_->effect_ref, index, in_data_->current_time,
                                                          in_data_->time_step, in_data_->time_scale, &def_);
        out_ = err == PF_Err_NONE;
        return err;
    }
    PF_Err checkIn() noexcept {
        out_ = false;
        return in_data_->inter.checkin_param(in_data_->effect_ref, &def_);
    }
    const PF_ParamDef &def() const noexcept { return def_; }

private:
    PF_InData *in_data_;
    PF_ParamDef def_{};
    bool out_ = false;
};

} // namespace

PF_Err fetchGradient(PF_InData *in_data, PF_ParamIndex index, ColorFlagList &out) {
    CheckedOutParam param(in_data);
    if (const PF_Err err = param.checkOut(index))
        return err;
    GradientData data;
    PF_Err err = PF_Err_NONE;
    const PF_ParamDef &def = param.def();
    if (def.param_type != PF_Param_ARBITRARY_DATA ||
        reinterpret_cast<std::uintptr_t>(def.u.arb_d.refconPV) != kGradientRefcon) {
        err = PF_Err_BAD_CALLBACK_PARAM;
    } else {
        SuiteCache suites(in_data->pica_basicP);
        err = readGradient(suites.handleSuite(), def.u.arb_d.value, data);
    }
    const PF_Err checkInErr = param.checkIn();
    if (err == PF_Err_NONE)
        err = checkInErr;
    if (err != PF_Err_NONE)
        return err;
    sortColorFlags(data.current);
    out = data.current;
    return PF_Err_NONE;
}

} // namespace AEUtil
