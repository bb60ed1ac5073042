// General-plug-in suites an effect reaches through the host's project model: its own layer, the
// layer's source item and that item's size. Tables end after the last slot this system calls;
// the slots before it keep their place with a generic signature.
#ifndef LUMORA_HOSTAPI_AE_GENERALPLUG_H
#define LUMORA_HOSTAPI_AE_GENERALPLUG_H

#include "A.h"
#include "AE_Effect.h"
#include "AE_EffectSuites.h"
#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _AEGP_LayerOpaque *AEGP_LayerH;
typedef struct _AEGP_ItemOpaque *AEGP_ItemH;

#define kAEGPPFInterfaceSuite "AEGP PF Interface Suite"
#define kAEGPPFInterfaceSuiteVersion1 1

typedef struct AEGP_PFInterfaceSuite1 {
    SPAPI A_Err (*AEGP_GetEffectLayer)(PF_ProgPtr effect_ref, AEGP_LayerH *layerPH);
    SPAPI PF_UnusedSuiteFunc AEGP_GetNewEffectForEffect;
    SPAPI PF_UnusedSuiteFunc AEGP_ConvertEffectToCompTime;
    SPAPI PF_UnusedSuiteFunc AEGP_GetEffectCamera;
    SPAPI PF_UnusedSuiteFunc AEGP_GetEffectCameraMatrix;
} AEGP_PFInterfaceSuite1;

#define kAEGPLayerSuite "AEGP Layer Suite"
// Version numbers do not follow the structure names.
#define kAEGPLayerSuiteVersion5 11

typedef struct AEGP_LayerSuite5 {
    SPAPI PF_UnusedSuiteFunc AEGP_GetCompNumLayers;
    SPAPI PF_UnusedSuiteFunc AEGP_GetCompLayerByIndex;
    SPAPI PF_UnusedSuiteFunc AEGP_GetActiveLayer;
    SPAPI PF_UnusedSuiteFunc AEGP_GetLayerIndex;
    SPAPI A_Err (*AEGP_GetLayerSourceItem)(AEGP_LayerH layerH, AEGP_ItemH *source_itemPH);
} AEGP_LayerSuite5;

#define kAEGPItemSuite "AEGP Item Suite"
#define kAEGPItemSuiteVersion7 11

typedef struct AEGP_ItemSuite7 {
    SPAPI PF_UnusedSuiteFunc AEGP_GetFirstProjItem;
    SPAPI PF_UnusedSuiteFunc AEGP_GetNextProjItem;
    SPAPI PF_UnusedSuiteFunc AEGP_GetActiveItem;
    SPAPI PF_UnusedSuiteFunc AEGP_IsItemSelected;
    SPAPI PF_UnusedSuiteFunc AEGP_SelectItem;
    SPAPI PF_UnusedSuiteFunc AEGP_GetItemType;
    SPAPI PF_UnusedSuiteFunc AEGP_GetTypeName;
    SPAPI PF_UnusedSuiteFunc AEGP_GetItemName;
    SPAPI PF_UnusedSuiteFunc AEGP_SetItemName;
    SPAPI PF_UnusedSuiteFunc AEGP_GetItemID;
    SPAPI PF_UnusedSuiteFunc AEGP_GetItemFlags;
    SPAPI PF_UnusedSuiteFunc AEGP_SetItemUseProxy;
    SPAPI PF_UnusedSuiteFunc AEGP_GetItemParentFolder;
    SPAPI PF_UnusedSuiteFunc AEGP_SetItemParentFolder;
    SPAPI PF_UnusedSuiteFunc AEGP_GetItemDuration;
    SPAPI PF_UnusedSuiteFunc AEGP_GetItemCurrentTime;
    SPAPI A_Err (*AEGP_GetItemDimensions)(AEGP_ItemH itemH, A_long *widthPL, A_long *heightPL);
} AEGP_ItemSuite7;

#ifdef __cplusplus
}
#endif

#endif
