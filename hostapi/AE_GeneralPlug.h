// General-plug-in suites an effect reaches through the host's project model: its own layer, the
// layer's source item and that item's size. Slots this system never calls or serves are plain
// function pointers: their signatures need project-model types this project does not declare.
#ifndef LUMORA_HOSTAPI_AE_GENERALPLUG_H
#define LUMORA_HOSTAPI_AE_GENERALPLUG_H

#include "A.h"
#include "AE_Effect.h"
#include "AE_EffectSuites.h"
#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _AEGP_Layer **AEGP_LayerH;
typedef struct _AEGP_Item **AEGP_ItemH;

#define kAEGPPFInterfaceSuite "AEGP PF Interface Suite"
#define kAEGPPFInterfaceSuiteVersion1 1

typedef struct AEGP_PFInterfaceSuite1 {
    SPAPI A_Err (*AEGP_GetEffectLayer)(PF_ProgPtr effect_ref, AEGP_LayerH *layerPH);
    void (*AEGP_GetNewEffectForEffect)(void);
    void (*AEGP_ConvertEffectToCompTime)(void);
    void (*AEGP_GetEffectCamera)(void);
    void (*AEGP_GetEffectCameraMatrix)(void);
} AEGP_PFInterfaceSuite1;

#define kAEGPLayerSuite "AEGP Layer Suite"
// Version numbers do not follow the structure names.
#define kAEGPLayerSuiteVersion5 11

typedef struct AEGP_LayerSuite5 {
    void (*AEGP_GetCompNumLayers)(void);
    void (*AEGP_GetCompLayerByIndex)(void);
    void (*AEGP_GetActiveLayer)(void);
    void (*AEGP_GetLayerIndex)(void);
    SPAPI A_Err (*AEGP_GetLayerSourceItem)(AEGP_LayerH layerH, AEGP_ItemH *source_itemPH);
    void (*AEGP_GetLayerSourceItemID)(void);
    void (*AEGP_GetLayerParentComp)(void);
    void (*AEGP_GetLayerName)(void);
    void (*AEGP_GetLayerQuality)(void);
    void (*AEGP_SetLayerQuality)(void);
    void (*AEGP_GetLayerFlags)(void);
    void (*AEGP_SetLayerFlag)(void);
    void (*AEGP_IsLayerVideoReallyOn)(void);
    void (*AEGP_IsLayerAudioReallyOn)(void);
    void (*AEGP_GetLayerCurrentTime)(void);
    void (*AEGP_GetLayerInPoint)(void);
    void (*AEGP_GetLayerDuration)(void);
    void (*AEGP_SetLayerInPointAndDuration)(void);
    void (*AEGP_GetLayerOffset)(void);
    void (*AEGP_SetLayerOffset)(void);
    void (*AEGP_GetLayerStretch)(void);
    void (*AEGP_SetLayerStretch)(void);
    void (*AEGP_GetLayerTransferMode)(void);
    void (*AEGP_SetLayerTransferMode)(void);
    void (*AEGP_IsAddLayerValid)(void);
    void (*AEGP_AddLayer)(void);
    void (*AEGP_ReorderLayer)(void);
    void (*AEGP_GetLayerMaskedBounds)(void);
    void (*AEGP_GetLayerObjectType)(void);
    void (*AEGP_IsLayer3D)(void);
    void (*AEGP_IsLayer2D)(void);
    void (*AEGP_IsVideoActive)(void);
    void (*AEGP_IsLayerUsedAsTrackMatte)(void);
    void (*AEGP_DoesLayerHaveTrackMatte)(void);
    void (*AEGP_ConvertCompToLayerTime)(void);
    void (*AEGP_ConvertLayerToCompTime)(void);
    void (*AEGP_GetLayerDancingRandValue)(void);
    void (*AEGP_GetLayerID)(void);
    void (*AEGP_GetLayerToWorldXform)(void);
    void (*AEGP_GetLayerToWorldXformFromView)(void);
    void (*AEGP_SetLayerName)(void);
    void (*AEGP_GetLayerParent)(void);
    void (*AEGP_SetLayerParent)(void);
    void (*AEGP_DeleteLayer)(void);
    void (*AEGP_DuplicateLayer)(void);
    void (*AEGP_GetLayerFromLayerID)(void);
} AEGP_LayerSuite5;

#define kAEGPItemSuite "AEGP Item Suite"
#define kAEGPItemSuiteVersion7 11

typedef struct AEGP_ItemSuite7 {
    void (*AEGP_GetFirstProjItem)(void);
    void (*AEGP_GetNextProjItem)(void);
    void (*AEGP_GetActiveItem)(void);
    void (*AEGP_IsItemSelected)(void);
    void (*AEGP_SelectItem)(void);
    void (*AEGP_GetItemType)(void);
    void (*AEGP_GetTypeName)(void);
    void (*AEGP_GetItemName)(void);
    void (*AEGP_SetItemName)(void);
    void (*AEGP_GetItemID)(void);
    void (*AEGP_GetItemFlags)(void);
    void (*AEGP_SetItemUseProxy)(void);
    void (*AEGP_GetItemParentFolder)(void);
    void (*AEGP_SetItemParentFolder)(void);
    void (*AEGP_GetItemDuration)(void);
    void (*AEGP_GetItemCurrentTime)(void);
    SPAPI A_Err (*AEGP_GetItemDimensions)(AEGP_ItemH itemH, A_long *widthPL, A_long *heightPL);
    void (*AEGP_GetItemPixelAspectRatio)(void);
    void (*AEGP_DeleteItem)(void);
    void (*AEGP_CreateNewFolder)(void);
    void (*AEGP_SetItemCurrentTime)(void);
    void (*AEGP_GetItemCommentLength)(void);
    void (*AEGP_GetItemComment)(void);
    void (*AEGP_SetItemComment)(void);
    void (*AEGP_GetItemLabel)(void);
    void (*AEGP_SetItemLabel)(void);
    void (*AEGP_GetItemMRUView)(void);
} AEGP_ItemSuite7;

#ifdef __cplusplus
}
#endif

#endif
