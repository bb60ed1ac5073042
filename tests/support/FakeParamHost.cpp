#include "tests/support/FakeParamHost.h"

namespace lumora::test {

namespace {

PF_Err addParam(PF_ProgPtr ref, PF_ParamIndex index, PF_ParamDefPtr def) {
    FakeParamHost &fake = FakeParamHost::of(ref);
    if (static_cast<A_long>(fake.added.size()) == fake.failAddAt)
        return PF_Err_OUT_OF_MEMORY;
    fake.added.push_back(*def);
    fake.addIndices.push_back(index);
    return PF_Err_NONE;
}

PF_Err checkoutParam(PF_ProgPtr ref, PF_ParamIndex index, A_long what_time, A_long, A_u_long, PF_ParamDef *param) {
    FakeParamHost &fake = FakeParamHost::of(ref);
    fake.checkedOut.push_back(index);
    fake.checkoutTimes.push_back(what_time);
    if (index == fake.failCheckoutAt)
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    auto it = fake.values.find(index);
    if (it == fake.values.end())
        return PF_Err_INVALID_INDEX;
    *param = it->second;
    return PF_Err_NONE;
}

PF_Err checkinParam(PF_ProgPtr ref, PF_ParamDef *param) {
    FakeParamHost::of(ref).checkedIn.push_back(param->uu.id);
    return PF_Err_NONE;
}

} // namespace

FakeParamHost::~FakeParamHost() { current_ = nullptr; }

FakeParamHost *FakeParamHost::current_ = nullptr;

// The host's own effect reference stays, so its AEGP suites know the effect.
FakeParamHost::FakeParamHost(embedhost::Host &host) : in_(host.inData()) {
    current_ = this;
    in_.inter.add_param = addParam;
    in_.inter.checkout_param = checkoutParam;
    in_.inter.checkin_param = checkinParam;
}

} // namespace lumora::test
