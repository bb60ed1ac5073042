#include "render/pipeline/HostWorldOps.h"

#include "host/kit/SuiteCache.h"

namespace AEUtil {

PF_Err queryItemSize(PF_InData *in_data, A_long &width, A_long &height) {
    width = 0;
    height = 0;
    SuiteCache suites(in_data->pica_basicP);
    const AEGP_PFInterfaceSuite1 *pf = suites.pfInterfaceSuite();
    const AEGP_LayerSuite5 *layers = suites.layerSuite();
    const AEGP_ItemSuite7 *items = suites.itemSuite();

    AEGP_LayerH layer = nullptr;
    if (const A_Err err = pf->AEGP_GetEffectLayer(in_data->effect_ref, &layer))
        return err;
    AEGP_ItemH item = nullptr;
    if (const A_Err err = layers->AEGP_GetLayerSourceItem(layer, &item))
        return err;
    // Written only on success: a failing call leaves the size at 0 x 0.
    A_long w = 0, h = 0;
    if (const A_Err err = items->AEGP_GetItemDimensions(item, &w, &h))
        return err;
    width = w;
    height = h;
    return PF_Err_NONE;
}

PF_Err fillWorld(PF_InData *in_data, PF_EffectWorld &world, FillColor color) {
    SuiteCache suites(in_data->pica_basicP);
    const PF_FillMatteSuite2 *fm = suites.fillMatteSuite();
    const PF_Rect whole{0, 0, world.width, world.height};
    const PF_Pixel opaqueBlack{255, 0, 0, 0};
    const PF_Pixel *c = color == FillColor::OpaqueBlack ? &opaqueBlack : nullptr;
    return fm->fill(in_data->effect_ref, c, &whole, &world);
}

PF_Err copyWorld(PF_InData *in_data, const PF_EffectWorld &src, PF_EffectWorld &dst) {
    SuiteCache suites(in_data->pica_basicP);
    const PF_WorldTransformSuite1 *wt = suites.worldTransformSuite();
    // The suite takes a non-const source though it only reads it.
    auto *from = const_cast<PF_EffectWorld *>(&src);
    if (in_data->quality == PF_Quality_HI)
        return wt->copy_hq(in_data->effect_ref, from, &dst, nullptr, nullptr);
    return wt->copy(in_data->effect_ref, from, &dst, nullptr, nullptr);
}

PF_Err scaleWorldHq(PF_InData *in_data, const PF_EffectWorld &src, const PF_Rect &srcRect, PF_EffectWorld &dst,
                    const PF_Rect &dstRect) {
    SuiteCache suites(in_data->pica_basicP);
    const PF_WorldTransformSuite1 *wt = suites.worldTransformSuite();
    PF_Rect s = srcRect;
    PF_Rect d = dstRect;
    return wt->copy_hq(in_data->effect_ref, const_cast<PF_EffectWorld *>(&src), &dst, &s, &d);
}

} // namespace AEUtil
