// Per-call cache of host suites: each suite is acquired on first use and every acquired
// suite is released when the cache goes out of scope, on every path.
#pragma once

#include <array>
#include <cstdint>

#include "AE_EffectCBSuites.h"
#include "AE_EffectSuites.h"
#include "AE_GeneralPlug.h"
#include "SPBasic.h"

namespace AEUtil {

enum class SuiteId : std::size_t {
    Handle,
    World2,
    World1,
    ParamUtils3,
    ParamUtils2,
    App5, // "PF AE App Suite" version 7, the first with the language query
    WorldTransform1,
    FillMatte2,
    PFInterface1,
    Layer5, // "AEGP Layer Suite" version 11
    Item7,  // "AEGP Item Suite" version 11
    App4,   // "PF AE App Suite" version 6: colours, colour picker, redraw, screen points
    CustomUI1,
    OverlayTheme1,
    DrawbotDraw1,
    DrawbotSupplier1,
    DrawbotSurface2,
    DrawbotPath1,
    Count
};

struct SuiteName {
    const char *name;
    int32_t version;
};

// Name and version under which each slot is acquired.
SuiteName suiteName(SuiteId id) noexcept;

class SuiteCache {
public:
    // A null basic suite raises the integer error PF_Err_BAD_CALLBACK_PARAM.
    explicit SuiteCache(SPBasicSuite *basic);
    ~SuiteCache();
    SuiteCache(const SuiteCache &) = delete;
    SuiteCache &operator=(const SuiteCache &) = delete;

    SPBasicSuite *basic() const noexcept { return basic_; }

    // Raise the integer error PF_Err_BAD_CALLBACK_PARAM when the host does not supply the suite.
    const PF_HandleSuite1 *handleSuite() { return static_cast<const PF_HandleSuite1 *>(require(SuiteId::Handle)); }
    const PF_WorldSuite1 *worldSuite1() { return static_cast<const PF_WorldSuite1 *>(require(SuiteId::World1)); }
    const PF_WorldTransformSuite1 *worldTransformSuite() {
        return static_cast<const PF_WorldTransformSuite1 *>(require(SuiteId::WorldTransform1));
    }
    const PF_FillMatteSuite2 *fillMatteSuite() {
        return static_cast<const PF_FillMatteSuite2 *>(require(SuiteId::FillMatte2));
    }
    const AEGP_PFInterfaceSuite1 *pfInterfaceSuite() {
        return static_cast<const AEGP_PFInterfaceSuite1 *>(require(SuiteId::PFInterface1));
    }
    const AEGP_LayerSuite5 *layerSuite() { return static_cast<const AEGP_LayerSuite5 *>(require(SuiteId::Layer5)); }
    const AEGP_ItemSuite7 *itemSuite() { return static_cast<const AEGP_ItemSuite7 *>(require(SuiteId::Item7)); }

    const PFAppSuite4 *appSuite4() { return static_cast<const PFAppSuite4 *>(require(SuiteId::App4)); }
    const PF_EffectCustomUISuite1 *customUISuite() {
        return static_cast<const PF_EffectCustomUISuite1 *>(require(SuiteId::CustomUI1));
    }
    const PF_EffectCustomUIOverlayThemeSuite1 *overlayThemeSuite() {
        return static_cast<const PF_EffectCustomUIOverlayThemeSuite1 *>(require(SuiteId::OverlayTheme1));
    }
    const DRAWBOT_DrawbotSuite1 *drawSuite() {
        return static_cast<const DRAWBOT_DrawbotSuite1 *>(require(SuiteId::DrawbotDraw1));
    }
    const DRAWBOT_SupplierSuite1 *supplierSuite() {
        return static_cast<const DRAWBOT_SupplierSuite1 *>(require(SuiteId::DrawbotSupplier1));
    }
    const DRAWBOT_SurfaceSuite2 *surfaceSuite() {
        return static_cast<const DRAWBOT_SurfaceSuite2 *>(require(SuiteId::DrawbotSurface2));
    }
    const DRAWBOT_PathSuite1 *pathSuite() {
        return static_cast<const DRAWBOT_PathSuite1 *>(require(SuiteId::DrawbotPath1));
    }

    // Null when the host does not supply it: callers fall back to an older version.
    const PF_WorldSuite2 *tryWorldSuite2() { return static_cast<const PF_WorldSuite2 *>(tryAcquire(SuiteId::World2)); }

    const void *require(SuiteId id);
    const void *tryAcquire(SuiteId id) noexcept;

private:
    SPBasicSuite *basic_;
    std::array<const void *, static_cast<std::size_t>(SuiteId::Count)> slots_{};
};

} // namespace AEUtil
