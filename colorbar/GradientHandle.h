// Reading and writing a gradient value held in a host handle, through the handle suite.
#pragma once

#include "AE_EffectCBSuites.h"
#include "colorbar/data/GradientData.h"

namespace AEUtil {

// Copies the value into `data`: as many bytes as the handle holds, up to the record's size;
// the rest reads as the empty record. PF_Err_INTERNAL_STRUCT_DAMAGED when it cannot be locked.
PF_Err readGradient(const PF_HandleSuite1 *suite, PF_Handle handle, GradientData &data) noexcept;

// Replaces the value held by `handle` with `data`. PF_Err_INTERNAL_STRUCT_DAMAGED when it
// cannot be locked.
PF_Err writeGradient(const PF_HandleSuite1 *suite, PF_Handle handle, const GradientData &data) noexcept;

// Makes a new handle of the record's size holding `data`. PF_Err_OUT_OF_MEMORY when the host
// gives no handle; PF_Err_INTERNAL_STRUCT_DAMAGED when it cannot be locked, the handle being
// disposed. *handle is set only on success.
PF_Err newGradientHandle(const PF_HandleSuite1 *suite, const GradientData &data, PF_Handle *handle) noexcept;

} // namespace AEUtil
