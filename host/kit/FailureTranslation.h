// Turns every failure a command can raise into the host's result code and return message.
#pragma once

#include <exception>

#include "AE_Effect.h"
#include "host/kit/AEException.h"
#include "host/kit/ErrorNames.h"

namespace AEUtil {

// Runs `body` (returning PF_Err) and translates what it throws: AEException -> its code and
// message; other standard exceptions -> PF_Err_INTERNAL_STRUCT_DAMAGED with what(); a bare
// PF_Err -> that code with "error code = N\n<name>"; anything else -> 512 with "unknown error".
template <class Body>
PF_Err runGuarded(PF_OutData *out_data, Body &&body) noexcept {
    try {
        return body();
    } catch (const AEException &e) {
        setReturnMessage(out_data, e.what());
        return e.code();
    } catch (const std::exception &e) {
        setReturnMessage(out_data, e.what());
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    } catch (PF_Err code) {
        setReturnMessage(out_data, errorCodeMessage(code).c_str());
        return code;
    } catch (...) {
        setReturnMessage(out_data, kUnknownErrorSjis);
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
}

} // namespace AEUtil
