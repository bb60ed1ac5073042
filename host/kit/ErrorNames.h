// Host error codes as the plug-in names them in messages, and the bounded copy of a
// message into the host's return-message field.
#pragma once

#include <string>

#include "AE_Effect.h"

namespace AEUtil {

// "PF_Err_NONE", "PF_Err_OUT_OF_MEMORY", ...; empty for 1 to 3; "unknown" for anything unlisted.
const char *errorName(PF_Err code);

// "error code = <code>\n<name>", formatted through a 2048-byte buffer.
std::string errorCodeMessage(PF_Err code);

// Copies at most PF_MAX_EFFECT_MSG_LEN characters and a terminating zero; a null out_data is ignored.
void setReturnMessage(PF_OutData *out_data, const char *text);

// "unknown error" in Japanese, in the Japanese code page (Shift-JIS), as the host shows it.
extern const char kUnknownErrorSjis[];

} // namespace AEUtil
