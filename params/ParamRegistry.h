// The process-wide registry of parameter registration objects: creation order, a view sorted
// by disk id and a view in host-index order. Built once per module lifetime on the first
// command and emptied when the module is unloaded.
#pragma once

#include <cstddef>
#include <functional>

#include "AE_Effect.h"

struct RenderSettings;

namespace AEUtil {

class BaseParam;
class ParamGetter;

inline constexpr std::size_t kParamRegistryCapacity = 0x3FFF;

// Empties the registry, runs `createParams` (which creates the effect's registration objects in
// host order) and seals it.
void buildParamRegistry(const std::function<void()> &createParams);
// Deletes every object and clears both views; the next object created gets host index 1.
void releaseParamRegistry() noexcept;
// How many times the registry was built in this module's lifetime (1 after the first command).
int paramRegistryBuildCount() noexcept;

// Building blocks of buildParamRegistry, also used to assemble other tables.
void resetParamRegistry() noexcept;
// Called by BaseParam's constructor: the host index of the next object, then its slot.
A_long nextParamIndex() noexcept;
void appendParam(BaseParam *param);
// Sorts the id view and fills the host-index view; call after the last object is created.
void sealParamRegistry();

// Objects in creation order.
std::size_t paramCount() noexcept;
BaseParam *paramAt(std::size_t creationOrder) noexcept;
// Host parameters including the input layer: objects + 1.
A_long hostParamCount() noexcept;
// The object at host index 1..paramCount(), or null.
BaseParam *paramAtIndex(A_long hostIndex) noexcept;
// Host index of the parameter with that disk id, 0 when none has it.
A_long indexOfId(A_long id) noexcept;

// Every object's read in host-index order, stopping at the first failure.
PF_Err readAllParams(RenderSettings *record, ParamGetter &reader);
// Every object's release in host-index order, stopping at the first failure.
PF_Err releaseAllParams(ParamGetter &reader);

} // namespace AEUtil
