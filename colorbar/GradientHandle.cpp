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

PF_Err writeGradient(const PF_HandleSuite1 *suite, PF_Handle handle, const GradientData &data) noexcept {
    HandleLock lock(suite, handle);
    if (!lock)
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    std::memcpy(lock.data(), &data, sizeof data);
    return PF_Err_NONE;
}

PF_Err newGradientHandle(const PF_HandleSuite1 *suite, const GradientData &data, PF_Handle *handle) noexcept {
    OwnedHandle owned(suite, suite->host_new_handle(sizeof data));
    if (!owned)
        return PF_Err_OUT_OF_MEMORY;
    if (const PF_Err err = writeGradient(suite, owned.get(), data))
        return err;
    *handle = owned.release();
    return PF_Err_NONE;
}

} // namespace AEUtil
