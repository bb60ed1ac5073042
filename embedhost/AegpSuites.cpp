// The AEGP suites an effect uses to find the item behind its layer: "AEGP PF Interface Suite" 1,
// "AEGP Layer Suite" 11 and "AEGP Item Suite" 11.
#include "embedhost/FunctionSlot.h"
#include "embedhost/CurrentHost.h"
#include "embedhost/HostProfile.h"
#include "embedhost/Layers.h"
#include "embedhost/RenderSuites.h"

namespace embedhost {

namespace {

// One Host lives at a time, so one layer and one item handle serve it.
unsigned char gLayerTag = 0;
unsigned char gItemTag = 0;
AEGP_LayerH layerHandle() { return reinterpret_cast<AEGP_LayerH>(&gLayerTag); }
AEGP_ItemH itemHandle() { return reinterpret_cast<AEGP_ItemH>(&gItemTag); }

SPAPI A_Err getEffectLayer(PF_ProgPtr ref, AEGP_LayerH *layer) {
    if (!current::isEffect(ref) || !layer)
        return PF_Err_BAD_CALLBACK_PARAM;
    *layer = layerHandle();
    return PF_Err_NONE;
}

SPAPI A_Err getLayerSourceItem(AEGP_LayerH layer, AEGP_ItemH *item) {
    if (!current::live() || layer != layerHandle() || !item)
        return PF_Err_BAD_CALLBACK_PARAM;
    *item = itemHandle();
    return PF_Err_NONE;
}

SPAPI A_Err getItemDimensions(AEGP_ItemH item, A_long *width, A_long *height) {
    const HostProfile *profile = current::profile();
    LayerStore *layers = current::layers();
    if (!profile || !layers || item != itemHandle() || !width || !height)
        return PF_Err_BAD_CALLBACK_PARAM;
    const Size size = layers->itemSize(Size{profile->width, profile->height});
    *width = size.width;
    *height = size.height;
    return PF_Err_NONE;
}

LUMORA_SUITE_STUB(AEGP_GetNewEffectForEffect)
LUMORA_SUITE_STUB(AEGP_ConvertEffectToCompTime)
LUMORA_SUITE_STUB(AEGP_GetEffectCamera)
LUMORA_SUITE_STUB(AEGP_GetEffectCameraMatrix)
LUMORA_SUITE_STUB(AEGP_GetCompNumLayers)
LUMORA_SUITE_STUB(AEGP_GetCompLayerByIndex)
LUMORA_SUITE_STUB(AEGP_GetActiveLayer)
LUMORA_SUITE_STUB(AEGP_GetLayerIndex)
LUMORA_SUITE_STUB(AEGP_GetLayerSourceItemID)
LUMORA_SUITE_STUB(AEGP_GetLayerParentComp)
LUMORA_SUITE_STUB(AEGP_GetLayerName)
LUMORA_SUITE_STUB(AEGP_GetLayerQuality)
LUMORA_SUITE_STUB(AEGP_SetLayerQuality)
LUMORA_SUITE_STUB(AEGP_GetLayerFlags)
LUMORA_SUITE_STUB(AEGP_SetLayerFlag)
LUMORA_SUITE_STUB(AEGP_IsLayerVideoReallyOn)
LUMORA_SUITE_STUB(AEGP_IsLayerAudioReallyOn)
LUMORA_SUITE_STUB(AEGP_GetLayerCurrentTime)
LUMORA_SUITE_STUB(AEGP_GetLayerInPoint)
LUMORA_SUITE_STUB(AEGP_GetLayerDuration)
LUMORA_SUITE_STUB(AEGP_SetLayerInPointAndDuration)
LUMORA_SUITE_STUB(AEGP_GetLayerOffset)
LUMORA_SUITE_STUB(AEGP_SetLayerOffset)
LUMORA_SUITE_STUB(AEGP_GetLayerStretch)
LUMORA_SUITE_STUB(AEGP_SetLayerStretch)
LUMORA_SUITE_STUB(AEGP_GetLayerTransferMode)
LUMORA_SUITE_STUB(AEGP_SetLayerTransferMode)
LUMORA_SUITE_STUB(AEGP_IsAddLayerValid)
LUMORA_SUITE_STUB(AEGP_AddLayer)
LUMORA_SUITE_STUB(AEGP_ReorderLayer)
LUMORA_SUITE_STUB(AEGP_GetLayerMaskedBounds)
LUMORA_SUITE_STUB(AEGP_GetLayerObjectType)
LUMORA_SUITE_STUB(AEGP_IsLayer3D)
LUMORA_SUITE_STUB(AEGP_IsLayer2D)
LUMORA_SUITE_STUB(AEGP_IsVideoActive)
LUMORA_SUITE_STUB(AEGP_IsLayerUsedAsTrackMatte)
LUMORA_SUITE_STUB(AEGP_DoesLayerHaveTrackMatte)
LUMORA_SUITE_STUB(AEGP_ConvertCompToLayerTime)
LUMORA_SUITE_STUB(AEGP_ConvertLayerToCompTime)
LUMORA_SUITE_STUB(AEGP_GetLayerDancingRandValue)
LUMORA_SUITE_STUB(AEGP_GetLayerID)
LUMORA_SUITE_STUB(AEGP_GetLayerToWorldXform)
LUMORA_SUITE_STUB(AEGP_GetLayerToWorldXformFromView)
LUMORA_SUITE_STUB(AEGP_SetLayerName)
LUMORA_SUITE_STUB(AEGP_GetLayerParent)
LUMORA_SUITE_STUB(AEGP_SetLayerParent)
LUMORA_SUITE_STUB(AEGP_DeleteLayer)
LUMORA_SUITE_STUB(AEGP_DuplicateLayer)
LUMORA_SUITE_STUB(AEGP_GetLayerFromLayerID)
LUMORA_SUITE_STUB(AEGP_GetFirstProjItem)
LUMORA_SUITE_STUB(AEGP_GetNextProjItem)
LUMORA_SUITE_STUB(AEGP_GetActiveItem)
LUMORA_SUITE_STUB(AEGP_IsItemSelected)
LUMORA_SUITE_STUB(AEGP_SelectItem)
LUMORA_SUITE_STUB(AEGP_GetItemType)
LUMORA_SUITE_STUB(AEGP_GetTypeName)
LUMORA_SUITE_STUB(AEGP_GetItemName)
LUMORA_SUITE_STUB(AEGP_SetItemName)
LUMORA_SUITE_STUB(AEGP_GetItemID)
LUMORA_SUITE_STUB(AEGP_GetItemFlags)
LUMORA_SUITE_STUB(AEGP_SetItemUseProxy)
LUMORA_SUITE_STUB(AEGP_GetItemParentFolder)
LUMORA_SUITE_STUB(AEGP_SetItemParentFolder)
LUMORA_SUITE_STUB(AEGP_GetItemDuration)
LUMORA_SUITE_STUB(AEGP_GetItemCurrentTime)
LUMORA_SUITE_STUB(AEGP_GetItemPixelAspectRatio)
LUMORA_SUITE_STUB(AEGP_DeleteItem)
LUMORA_SUITE_STUB(AEGP_CreateNewFolder)
LUMORA_SUITE_STUB(AEGP_SetItemCurrentTime)
LUMORA_SUITE_STUB(AEGP_GetItemCommentLength)
LUMORA_SUITE_STUB(AEGP_GetItemComment)
LUMORA_SUITE_STUB(AEGP_SetItemComment)
LUMORA_SUITE_STUB(AEGP_GetItemLabel)
LUMORA_SUITE_STUB(AEGP_SetItemLabel)
LUMORA_SUITE_STUB(AEGP_GetItemMRUView)

} // namespace

void fillAegpSuites(AEGP_PFInterfaceSuite1 &pf, AEGP_LayerSuite5 &layer, AEGP_ItemSuite7 &item) {
#define LUMORA_SLOT(table, name) fillSlot(table.name, stub_##name)
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
    LUMORA_SLOT(layer, AEGP_GetLayerSourceItemID);
    LUMORA_SLOT(layer, AEGP_GetLayerParentComp);
    LUMORA_SLOT(layer, AEGP_GetLayerName);
    LUMORA_SLOT(layer, AEGP_GetLayerQuality);
    LUMORA_SLOT(layer, AEGP_SetLayerQuality);
    LUMORA_SLOT(layer, AEGP_GetLayerFlags);
    LUMORA_SLOT(layer, AEGP_SetLayerFlag);
    LUMORA_SLOT(layer, AEGP_IsLayerVideoReallyOn);
    LUMORA_SLOT(layer, AEGP_IsLayerAudioReallyOn);
    LUMORA_SLOT(layer, AEGP_GetLayerCurrentTime);
    LUMORA_SLOT(layer, AEGP_GetLayerInPoint);
    LUMORA_SLOT(layer, AEGP_GetLayerDuration);
    LUMORA_SLOT(layer, AEGP_SetLayerInPointAndDuration);
    LUMORA_SLOT(layer, AEGP_GetLayerOffset);
    LUMORA_SLOT(layer, AEGP_SetLayerOffset);
    LUMORA_SLOT(layer, AEGP_GetLayerStretch);
    LUMORA_SLOT(layer, AEGP_SetLayerStretch);
    LUMORA_SLOT(layer, AEGP_GetLayerTransferMode);
    LUMORA_SLOT(layer, AEGP_SetLayerTransferMode);
    LUMORA_SLOT(layer, AEGP_IsAddLayerValid);
    LUMORA_SLOT(layer, AEGP_AddLayer);
    LUMORA_SLOT(layer, AEGP_ReorderLayer);
    LUMORA_SLOT(layer, AEGP_GetLayerMaskedBounds);
    LUMORA_SLOT(layer, AEGP_GetLayerObjectType);
    LUMORA_SLOT(layer, AEGP_IsLayer3D);
    LUMORA_SLOT(layer, AEGP_IsLayer2D);
    LUMORA_SLOT(layer, AEGP_IsVideoActive);
    LUMORA_SLOT(layer, AEGP_IsLayerUsedAsTrackMatte);
    LUMORA_SLOT(layer, AEGP_DoesLayerHaveTrackMatte);
    LUMORA_SLOT(layer, AEGP_ConvertCompToLayerTime);
    LUMORA_SLOT(layer, AEGP_ConvertLayerToCompTime);
    LUMORA_SLOT(layer, AEGP_GetLayerDancingRandValue);
    LUMORA_SLOT(layer, AEGP_GetLayerID);
    LUMORA_SLOT(layer, AEGP_GetLayerToWorldXform);
    LUMORA_SLOT(layer, AEGP_GetLayerToWorldXformFromView);
    LUMORA_SLOT(layer, AEGP_SetLayerName);
    LUMORA_SLOT(layer, AEGP_GetLayerParent);
    LUMORA_SLOT(layer, AEGP_SetLayerParent);
    LUMORA_SLOT(layer, AEGP_DeleteLayer);
    LUMORA_SLOT(layer, AEGP_DuplicateLayer);
    LUMORA_SLOT(layer, AEGP_GetLayerFromLayerID);

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
    LUMORA_SLOT(item, AEGP_GetItemPixelAspectRatio);
    LUMORA_SLOT(item, AEGP_DeleteItem);
    LUMORA_SLOT(item, AEGP_CreateNewFolder);
    LUMORA_SLOT(item, AEGP_SetItemCurrentTime);
    LUMORA_SLOT(item, AEGP_GetItemCommentLength);
    LUMORA_SLOT(item, AEGP_GetItemComment);
    LUMORA_SLOT(item, AEGP_SetItemComment);
    LUMORA_SLOT(item, AEGP_GetItemLabel);
    LUMORA_SLOT(item, AEGP_SetItemLabel);
    LUMORA_SLOT(item, AEGP_GetItemMRUView);
#undef LUMORA_SLOT
}

} // namespace embedhost
