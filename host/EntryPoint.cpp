#include "host/EntryPoint.h"

#include <new>
#include <vector>

#include "host/CustomFilter.h"
#include "host/GlowParamTable.h"
#include "host/kit/FailureTranslation.h"
#include "host/kit/SuiteCache.h"
#include "params/ParamRegistry.h"

namespace {

constexpr A_long kAfterEffectsApplId = 0x46585443; // 'FXTC'

alignas(AEUtil::CustomFilter) unsigned char g_filter_storage[sizeof(AEUtil::CustomFilter)];
AEUtil::BaseFilter *g_filter = nullptr;
bool g_initialised = false;
std::vector<PF_Err> *g_pending_errors = nullptr;

PF_Err constructFilter() {
    g_filter = new (g_filter_storage) AEUtil::CustomFilter();
    return g_filter ? PF_Err_NONE : PF_Err_INTERNAL_STRUCT_DAMAGED;
}

void destroyFilter() noexcept {
    if (!g_filter)
        return;
    g_filter->~BaseFilter();
    g_filter = nullptr;
}

// The glow's table in the registry; its arbitrary parameter belongs to the filter's colour bar.
void buildGlowParams(PF_InData *in_data) {
    AEUtil::GradColorPresetUI &colorBar = static_cast<AEUtil::CustomFilter *>(g_filter)->colorBar();
    AEUtil::buildParamRegistry([&] { AEUtil::buildGlowParamTable(in_data, colorBar); });
}

PF_Err firstCall(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output) {
    if (!g_pending_errors) {
        g_pending_errors = new std::vector<PF_Err>();
        g_pending_errors->reserve(256);
    }
    // A first call that failed part-way leaves a filter behind; the retry reuses it.
    PF_Err result = g_filter ? PF_Err_NONE : constructFilter();
    if (result == PF_Err_NONE) {
        buildGlowParams(in_data);
        result = g_filter->initialize(in_data, out_data, params, output);
        g_initialised = true;
    }
    return result;
}

// A host may send commands again after global set-down without unloading the module. The
// destroyed filter is never reached: a fresh one is built, and the registration objects are
// rebuilt with it, since the arbitrary parameter belongs to the new filter's colour bar.
PF_Err rebuildAfterSetdown(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output) {
    PF_Err result = constructFilter();
    if (result == PF_Err_NONE) {
        buildGlowParams(in_data);
        result = g_filter->initialize(in_data, out_data, params, output);
    }
    return result;
}

} // namespace

namespace AEUtil {

void addPendingError(PF_Err code) {
    if (!g_pending_errors) {
        g_pending_errors = new std::vector<PF_Err>();
        g_pending_errors->reserve(256);
    }
    g_pending_errors->push_back(code);
}

void releaseModuleState() noexcept {
    destroyFilter();
    releaseParamRegistry();
    delete g_pending_errors;
    g_pending_errors = nullptr;
}

} // namespace AEUtil

extern "C" LUMORA_EXPORT PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                                               PF_ParamDef *params[], PF_LayerDef *output, void *extra) {
    if (!in_data || in_data->appl_id != kAfterEffectsApplId)
        return PF_Err_BAD_CALLBACK_PARAM;

    return AEUtil::runGuarded(out_data, [&]() -> PF_Err {
        AEUtil::SuiteCache suites(in_data->pica_basicP);
        PF_Err result = PF_Err_NONE;
        if (!g_initialised)
            result = firstCall(in_data, out_data, params, output);
        else if (!g_filter)
            result = rebuildAfterSetdown(in_data, out_data, params, output);

        if (g_pending_errors)
            g_pending_errors->clear();
        if (result == PF_Err_NONE)
            result = g_filter->dispatch(cmd, in_data, out_data, params, output, extra);
        if (cmd == PF_Cmd_GLOBAL_SETDOWN)
            destroyFilter();
        if (result == PF_Err_NONE && g_pending_errors && !g_pending_errors->empty())
            result = g_pending_errors->front();
        return result;
    });
}
