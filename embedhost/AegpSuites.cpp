// The AEGP suites an effect uses to find the item behind its layer: "AEGP PF Interface Suite" 1,
// "AEGP Layer Suite" 11 and "AEGP Item Suite" 11.
#include "embedhost/Host.h"
#include "embedhost/RenderSuites.h"

namespace embedhost {

namespace {

// One Host lives at a time, so one layer and one item handle serve it.
unsigned char gLayerTag = 0;
unsigned char gItemTag = 0;
AEGP_LayerH layerHandle() { return reinterpret_cast<AEGP_LayerH>(&gLayerTag); }
AEGP_ItemH itemHandle() { return reinterpret_cast<AEGP_ItemH>(&gItemTag); }

SPAPI A_Err getEffectLayer(PF_ProgPtr ref, AEGP_LayerH *layer) {
    Host *host = Host::current();
    if (!host || !host->isEffectRef(ref) || !layer)
        return PF_Err_BAD_CALLBACK_PARAM;
    *layer = layerHandle();
    return PF_Err_NONE;
}

SPAPI A_Err getLayerSourceItem(AEGP_LayerH layer, AEGP_ItemH *item) {
    if (!Host::current() || layer != layerHandle() || !item)
        return PF_Err_BAD_CALLBACK_PARAM;
    *item = itemHandle();
    return PF_Err_NONE;
}

SPAPI A_Err getItemDimensions(AEGP_ItemH item, A_long *width, A_long *height) {
    Host *host = Host::current();
    if (!host || item != itemHandle() || !width || !height)
        return PF_Err_BAD_CALLBACK_PARAM;
    const Size size = host->layers().itemSize(Size{host->profile().width, host->profile().height});
    *width = size.width;
    *height = size.height;
    return PF_Err_NONE;
}

#define LUMORA_AEGP_STUB(name)                                                                     \
    SPAPI PF_Err stub_##name() { return unsupportedSuiteCall(#name); }
LUMORA_AEGP_STUB(AEGP_GetNewEffectForEffect)
LUMORA_AEGP_STUB(AEGP_ConvertEffectToCompTime)
LUMORA_AEGP_STUB(AEGP_GetEffectCamera)
LUMORA_AEGP_STUB(AEGP_GetEffectCameraMatrix)
LUMORA_AEGP_STUB(AEGP_GetCompNumLayers)
LUMORA_AEGP_STUB(AEGP_GetCompLayerByIndex)
LUMORA_AEGP_STUB(AEGP_GetActiveLayer)
LUMORA_AEGP_STUB(AEGP_GetLayerIndex)
LUMORA_AEGP_STUB(AEGP_GetFirstProjItem)
LUMORA_AEGP_STUB(AEGP_GetNextProjItem)
LUMORA_AEGP_STUB(AEGP_GetActiveItem)
LUMORA_AEGP_STUB(AEGP_IsItemSelected)
LUMORA_AEGP_STUB(AEGP_SelectItem)
LUMORA_AEGP_STUB(AEGP_GetItemType)
LUMORA_AEGP_STUB(AEGP_GetTypeName)
LUMORA_AEGP_STUB(AEGP_GetItemName)
LUMORA_AEGP_STUB(AEGP_SetItemName)
LUMORA_AEGP_STUB(AEGP_GetItemID)
LUMORA_AEGP_STUB(AEGP_GetItemFlags)
LUMORA_AEGP_STUB(AEGP_SetItemUseProxy)
LUMORA_AEGP_STUB(AEGP_GetItemParentFolder)
LUMORA_AEGP_STUB(AEGP_SetItemParentFolder)
LUMORA_AEGP_STUB(AEGP_GetItemDuration)
LUMORA_AEGP_STUB(AEGP_GetItemCurrentTime)
#undef LUMORA_AEGP_STUB

} // namespace

void fillAegpSuites(AEGP_PFInterfaceSuite1 &pf, AEGP_LayerSuite5 &layer, AEGP_ItemSuite7 &item) {
#define LUMORA_SLOT(table, name) table.name = stub_##name
    pf.AEGP_GetEffectLayer = getEffectLayer;
    LUMORA_SLOT(pf, AEGP_GetNewEffectForEffect);
    LUMORA_SLOT(pf, AEGP_ConvertEffectToCompTime);
    LUMORA_SLOT(pf, AEGP_GetEffectCamera);
    LUMORA_SLOT(pf, AEGP_GetEffectCameraMatrix);

    LUMORA_SLOT(layer, AEGP_GetCompNumLayers);
    LUMORA_SLOT(layer, AEGP_GetCompLayerByIndex);
    LUMORA_SLOT(layer, AEGP_GetActiveLayer);
    LUMORA_SLOT(layer, AEGP_GetLayerIndex);
    layer.AEGP_GetLayerSourceItem = getLayerSourceItem;

    LUMORA_SLOT(item, AEGP_GetFirstProjItem);
    LUMORA_SLOT(item, AEGP_GetNextProjItem);
    LUMORA_SLOT(item, AEGP_GetActiveItem);
    LUMORA_SLOT(item, AEGP_IsItemSelected);
    LUMORA_SLOT(item, AEGP_SelectItem);
    LUMORA_SLOT(item, AEGP_GetItemType);
    LUMORA_SLOT(item, AEGP_GetTypeName);
    LUMORA_SLOT(item, AEGP_GetItemName);
    LUMORA_SLOT(item, AEGP_SetItemName);
    LUMORA_SLOT(item, AEGP_GetItemID);
    LUMORA_SLOT(item, AEGP_GetItemFlags);
    LUMORA_SLOT(item, AEGP_SetItemUseProxy);
    LUMORA_SLOT(item, AEGP_GetItemParentFolder);
    LUMORA_SLOT(item, AEGP_SetItemParentFolder);
    LUMORA_SLOT(item, AEGP_GetItemDuration);
    LUMORA_SLOT(item, AEGP_GetItemCurrentTime);
    item.AEGP_GetItemDimensions = getItemDimensions;
#undef LUMORA_SLOT
}

} // namespace embedhost
