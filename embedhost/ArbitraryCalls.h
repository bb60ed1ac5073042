// The host's side of arbitrary-data values: each operation is a PF_Cmd_ARBITRARY_CALLBACK to the
// plug-in, and each handle it hands over is counted until given back through DISPOSE.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "AE_Effect.h"

namespace embedhost {

class Host;

// Which arbitrary type a call is about: the definition's arb_d.id and refconPV.
struct ArbType {
    A_short id = 0;
    void *refcon = nullptr;
};

class ArbitraryCalls {
public:
    explicit ArbitraryCalls(Host &host) : host_(host) {}
    ArbitraryCalls(const ArbitraryCalls &) = delete;
    ArbitraryCalls &operator=(const ArbitraryCalls &) = delete;

    // Operations that produce a handle put it in *out (null on failure) and count it as held.
    // A handle the plug-in returns together with an error is disposed at once and counted in
    // handlesReturnedWithErrors(); success without a handle is PF_Err_INTERNAL_STRUCT_DAMAGED.
    PF_Err makeNew(const ArbType &type, PF_Handle *out);
    PF_Err copy(const ArbType &type, PF_Handle src, PF_Handle *out);
    PF_Err unflatten(const ArbType &type, const std::vector<std::uint8_t> &flat, PF_Handle *out);
    PF_Err interpolate(const ArbType &type, PF_Handle left, PF_Handle right, double t, PF_Handle *out);
    PF_Err scan(const ArbType &type, const std::string &text, PF_Handle *out);

    // Always forgets the handle, whatever the plug-in answers.
    PF_Err dispose(const ArbType &type, PF_Handle handle);

    // FLAT_SIZE then FLATTEN into a buffer of the reported size.
    PF_Err flatten(const ArbType &type, PF_Handle handle, std::vector<std::uint8_t> *bytes);
    PF_Err compare(const ArbType &type, PF_Handle a, PF_Handle b, PF_ArbCompareResult *result);
    // PRINT_SIZE then PRINT into a zeroed buffer of that size; the text ends at its first NUL.
    PF_Err print(const ArbType &type, PF_Handle handle, PF_ArbPrintFlags flags, std::string *text);

    // A handle the plug-in gave the host another way (a registered default, a changed value).
    void adopt(PF_Handle handle);
    bool holds(PF_Handle handle) const;
    std::size_t held() const;
    long calls(PF_FunctionSelector which) const;
    long handlesReturnedWithErrors() const;

private:
    PF_Err call(PF_ArbParamsExtra &extra);
    PF_Err produce(PF_ArbParamsExtra &extra, PF_Handle *slot, PF_Handle *out);
    // FLAT_SIZE or PRINT_SIZE (their records differ only in the size field's name): the size the
    // plug-in reports for `handle`'s value goes to *size.
    PF_Err askSize(const ArbType &type, PF_FunctionSelector which, PF_Handle handle, A_u_long *size);
    static PF_ArbParamsExtra extraFor(const ArbType &type, PF_FunctionSelector which);

    Host &host_;
    mutable std::mutex mutex_;
    std::set<PF_Handle> held_;
    std::array<long, PF_Arbitrary_SCAN_FUNC + 1> calls_{};
    long returnedWithErrors_ = 0;
};

} // namespace embedhost
