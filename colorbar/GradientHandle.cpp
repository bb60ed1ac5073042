#include "colorbar/GradientHandle.h"

#include <cstring>

#include "host/kit/HandleLock.h"

namespace AEUtil {

PF_Err readGradient(const PF_HandleSuite1 *suite, PF_Handle handle, GradientData &data) noexcept {
    initEmptyGradient(data);
    HandleLock lock(suite, handle);
    if (!lock)
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    A_HandleSize size = suite->host_get_handle_size(handle);
    if (size > sizeof data)
        size = sizeof data;
    std::memcpy(&data, lock.data(), static_cast<std::size_t>(size));
    return PF_Err_NONE;
}

PF_Err newGradientHandle(const PF_HandleSuite1 *suite, const GradientData &data, PF_Handle *handle) noexcept {
    OwnedHandle owned(suite, suite->host_new_handle(sizeof data));
    if (!owned)
        return PF_Err_OUT_OF_MEMORY;
    {
        HandleLock lock(suite, owned.get());
        if (!lock)
            return PF_Err_INTERNAL_STRUCT_DAMAGED;
        std::memcpy(lock.data(), &data, sizeof data);
    }
    *handle = owned.release();
    return PF_Err_NONE;
}

} // namespace AEUtil
