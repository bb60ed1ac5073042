#include "host/kit/ErrorNames.h"

#include <cstdio>
#include <cstring>

namespace AEUtil {

const char kUnknownErrorSjis[] = "\x95\x73\x96\xbe\x82\xc8\x83\x47\x83\x89\x81\x5b";

const char *errorName(PF_Err code) {
    switch (code) {
    case PF_Err_NONE: return "PF_Err_NONE";
    case 1:
    case 2:
    case 3: return "";
    case PF_Err_OUT_OF_MEMORY: return "PF_Err_OUT_OF_MEMORY";
    case PF_Err_INTERNAL_STRUCT_DAMAGED: return "PF_Err_INTERNAL_STRUCT_DAMAGED";
    case PF_Err_INVALID_INDEX: return "PF_Err_INVALID_INDEX";
    case PF_Err_UNRECOGNIZED_PARAM_TYPE: return "PF_Err_UNRECOGNIZED_PARAM_TYPE";
    case PF_Err_INVALID_CALLBACK: return "PF_Err_INVALID_CALLBACK";
    case PF_Err_BAD_CALLBACK_PARAM: return "PF_Err_BAD_CALLBACK_PARAM";
    case PF_Interrupt_CANCEL: return "PF_Interrupt_CANCEL";
    case PF_Err_CANNOT_PARSE_KEYFRAME_TEXT: return "PF_Err_CANNOT_PARSE_KEYFRAME_TEXT";
    default: return "unknown";
    }
}

std::string errorCodeMessage(PF_Err code) {
    char buffer[2048];
    std::snprintf(buffer, sizeof buffer, "error code = %d\n%s", static_cast<int>(code), errorName(code));
    return buffer;
}

void setReturnMessage(PF_OutData *out_data, const char *text) {
    if (!out_data)
        return;
    const std::size_t capacity = sizeof out_data->return_msg;
    const std::size_t length = text ? strnlen(text, capacity - 1) : 0;
    if (length)
        std::memcpy(out_data->return_msg, text, length);
    out_data->return_msg[length] = '\0';
}

} // namespace AEUtil
