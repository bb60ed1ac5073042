#include "host/kit/SuiteCache.h"

namespace AEUtil {

SuiteName suiteName(SuiteId id) noexcept {
    switch (id) {
    case SuiteId::Handle: return {kPFHandleSuite, kPFHandleSuiteVersion1};
    case SuiteId::World2: return {kPFWorldSuite, kPFWorldSuiteVersion2};
    case SuiteId::World1: return {kPFWorldSuite, kPFWorldSuiteVersion1};
    case SuiteId::ParamUtils3: return {kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3};
    case SuiteId::ParamUtils2: return {kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1};
    case SuiteId::App5: return {kPFAppSuite, kPFAppSuiteVersion5};
    case SuiteId::WorldTransform1: return {kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1};
    case SuiteId::FillMatte2: return {kPFFillMatteSuite, kPFFillMatteSuiteVersion2};
    case SuiteId::PFInterface1: return {kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1};
    case SuiteId::Layer5: return {kAEGPLayerSuite, kAEGPLayerSuiteVersion5};
    case SuiteId::Item7: return {kAEGPItemSuite, kAEGPItemSuiteVersion7};
    case SuiteId::App4: return {kPFAppSuite, kPFAppSuiteVersion4};
    case SuiteId::CustomUI1: return {kPFEffectCustomUISuite, kPFEffectCustomUISuiteVersion1};
    case SuiteId::OverlayTheme1:
        return {kPFEffectCustomUIOverlayThemeSuite, kPFEffectCustomUIOverlayThemeSuiteVersion1};
    case SuiteId::DrawbotDraw1: return {kDRAWBOT_DrawSuite, kDRAWBOT_DrawSuite_Version1};
    case SuiteId::DrawbotSupplier1: return {kDRAWBOT_SupplierSuite, kDRAWBOT_SupplierSuite_Version1};
    case SuiteId::DrawbotSurface2: return {kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2};
    case SuiteId::DrawbotPath1: return {kDRAWBOT_PathSuite, kDRAWBOT_PathSuite_Version1};
    case SuiteId::Count: break;
    }
    return {"", 0};
}

SuiteCache::SuiteCache(SPBasicSuite *basic) : basic_(basic) {
    if (!basic_)
        throw static_cast<PF_Err>(PF_Err_BAD_CALLBACK_PARAM);
}

SuiteCache::~SuiteCache() {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (!slots_[i])
            continue;
        const SuiteName n = suiteName(static_cast<SuiteId>(i));
        basic_->ReleaseSuite(n.name, n.version);
    }
}

const void *SuiteCache::tryAcquire(SuiteId id) noexcept {
    const void *&slot = slots_[static_cast<std::size_t>(id)];
    if (slot)
        return slot;
    const SuiteName n = suiteName(id);
    const void *table = nullptr;
    const SPErr err = basic_->AcquireSuite(n.name, n.version, &table);
    if (err != kSPNoError || !table) {
        // A host that reports success with no table still counts the acquisition.
        if (err == kSPNoError)
            basic_->ReleaseSuite(n.name, n.version);
        return nullptr;
    }
    slot = table;
    return slot;
}

const void *SuiteCache::require(SuiteId id) {
    if (const void *table = tryAcquire(id))
        return table;
    throw static_cast<PF_Err>(PF_Err_BAD_CALLBACK_PARAM);
}

} // namespace AEUtil
