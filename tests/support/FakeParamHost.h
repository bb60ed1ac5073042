// A stand-in for the host's parameter callbacks: records what add_param receives and serves
// checkouts from a table the test fills, failing at a chosen index. The embedded host supplies
// the suites, handles and utility callbacks around it.
#pragma once

#include <map>
#include <vector>

#include "embedhost/Host.h"

namespace lumora::test {

class FakeParamHost {
public:
    explicit FakeParamHost(embedhost::Host &host);
    ~FakeParamHost();
    FakeParamHost(const FakeParamHost &) = delete;
    FakeParamHost &operator=(const FakeParamHost &) = delete;

    // in_data with this fake's parameter callbacks (one fake at a time).
    PF_InData &inData() { return in_; }

    std::vector<PF_ParamDef> added;        // add_param, in call order
    std::vector<PF_ParamIndex> addIndices; // the index each add_param asked for
    std::map<A_long, PF_ParamDef> values;  // what checkout_param hands out, by host index
    A_long failCheckoutAt = -1;            // this index answers PF_Err_INTERNAL_STRUCT_DAMAGED
    A_long failAddAt = -1;                 // the n-th add_param (0-based) fails
    std::vector<A_long> checkedOut;        // indices, in call order
    std::vector<A_long> checkedIn;         // uu.id of every check-in
    std::vector<A_long> checkoutTimes;     // what_time of every checkout

    static FakeParamHost &of(PF_ProgPtr) { return *current_; }

private:
    static FakeParamHost *current_;
    PF_InData in_;
};

} // namespace lumora::test
