#include "params/ParamRegistry.h"

#include <algorithm>
#include <array>

#include "host/kit/AEException.h"
#include "params/BaseParam.h"

namespace AEUtil {

namespace {

// Fixed storage: the registry lives from the first command to module unload and must not
// depend on the order in which static objects are destroyed.
struct Registry {
    std::array<BaseParam *, kParamRegistryCapacity> slots{};
    std::size_t count = 0;
    std::array<BaseParam *, kParamRegistryCapacity> byId{};
    std::array<BaseParam *, kParamRegistryCapacity + 1> byIndex{}; // [0] is the input layer
    A_long hostCount = 1;
    A_long nextIndex = 1;
};

Registry g_registry;
int g_build_count = 0;

} // namespace

void resetParamRegistry() noexcept {
    Registry &r = g_registry;
    for (std::size_t i = 0; i < r.count; ++i) {
        delete r.slots[i];
        r.slots[i] = nullptr;
    }
    r.count = 0;
    r.byId.fill(nullptr);
    r.byIndex.fill(nullptr);
    r.hostCount = 1;
    r.nextIndex = 1;
}

void releaseParamRegistry() noexcept { resetParamRegistry(); }

A_long nextParamIndex() noexcept { return g_registry.nextIndex++; }

void appendParam(BaseParam *param) {
    Registry &r = g_registry;
    if (r.count >= r.slots.size())
        AE_THROW(PF_Err_OUT_OF_MEMORY, "parameter registry is full (%u objects)", static_cast<unsigned>(r.count));
    r.slots[r.count++] = param;
}

void sealParamRegistry() {
    Registry &r = g_registry;
    std::copy_n(r.slots.begin(), r.count, r.byId.begin());
    std::stable_sort(r.byId.begin(), r.byId.begin() + static_cast<std::ptrdiff_t>(r.count),
                     [](const BaseParam *a, const BaseParam *b) { return a->id() < b->id(); });
    r.byIndex.fill(nullptr);
    for (std::size_t i = 0; i < r.count; ++i) {
        A_long index = r.slots[i]->index();
        if (index < 1 || static_cast<std::size_t>(index) >= r.byIndex.size())
            AE_THROW(PF_Err_INTERNAL_STRUCT_DAMAGED, "parameter \"%s\" has host index %d",
                     r.slots[i]->name() ? r.slots[i]->name() : "", static_cast<int>(index));
        r.byIndex[static_cast<std::size_t>(index)] = r.slots[i];
    }
    r.hostCount = static_cast<A_long>(r.count) + 1;
}

void buildParamRegistry(const std::function<void()> &createParams) {
    resetParamRegistry();
    createParams();
    sealParamRegistry();
    ++g_build_count;
}

int paramRegistryBuildCount() noexcept { return g_build_count; }

std::size_t paramCount() noexcept { return g_registry.count; }

BaseParam *paramAt(std::size_t creationOrder) noexcept {
    return creationOrder < g_registry.count ? g_registry.slots[creationOrder] : nullptr;
}

A_long hostParamCount() noexcept { return g_registry.hostCount; }

BaseParam *paramAtIndex(A_long hostIndex) noexcept {
    if (hostIndex < 1 || hostIndex >= g_registry.hostCount)
        return nullptr;
    return g_registry.byIndex[static_cast<std::size_t>(hostIndex)];
}

A_long indexOfId(A_long id) noexcept {
    const Registry &r = g_registry;
    auto end = r.byId.begin() + static_cast<std::ptrdiff_t>(r.hostCount - 1);
    auto it = std::lower_bound(r.byId.begin(), end, id, [](const BaseParam *p, A_long key) { return p->id() < key; });
    return (it != end && (*it)->id() == id) ? (*it)->index() : 0;
}

PF_Err readAllParams(RenderSettings *record, ParamGetter &reader) {
    for (A_long i = 1; i < g_registry.hostCount; ++i) {
        BaseParam *param = g_registry.byIndex[static_cast<std::size_t>(i)];
        if (param == nullptr)
            continue;
        if (PF_Err err = param->read(record, reader); err != PF_Err_NONE)
            return err;
    }
    return PF_Err_NONE;
}

PF_Err releaseAllParams(ParamGetter &reader) {
    for (A_long i = 1; i < g_registry.hostCount; ++i) {
        BaseParam *param = g_registry.byIndex[static_cast<std::size_t>(i)];
        if (param == nullptr)
            continue;
        if (PF_Err err = param->release(reader); err != PF_Err_NONE)
            return err;
    }
    return PF_Err_NONE;
}

} // namespace AEUtil
