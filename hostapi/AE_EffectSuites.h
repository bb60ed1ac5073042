// Effect suites for parameter UI state and keyframes ("PF Param Utils Suite") and for the
// application's look and language ("PF AE App Suite"). Slots this system never calls keep
// their place as plain function pointers.
#ifndef LUMORA_HOSTAPI_AE_EFFECTSUITES_H
#define LUMORA_HOSTAPI_AE_EFFECTSUITES_H

#include "AE_Effect.h"
#include "AE_EffectUI.h"
#include "DrawbotSuite.h"
#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kPFParamUtilsSuite "PF Param Utils Suite"
// Version numbers do not follow the structure names: PF_ParamUtilsSuite1 is version 2.
#define kPFParamUtilsSuiteVersion1 2
#define kPFParamUtilsSuiteVersion3 3

typedef struct {
    A_long reservedAL[4];
} PF_State;

#define PF_ParamIndex_NONE (-1L)
#define PF_ParamIndex_CHECK_ALL (-2L)
#define PF_ParamIndex_CHECK_ALL_EXCEPT_LAYER_PARAMS (-3L)
#define PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE (-4L)

#define PF_KeyIndex_NONE (-1L)

enum {
    PF_TimeDir_GREATER_THAN = 0x0000,
    PF_TimeDir_LESS_THAN = 0x0001,
    PF_TimeDir_GREATER_THAN_OR_EQUAL = 0x1000,
    PF_TimeDir_LESS_THAN_OR_EQUAL = 0x1001
};
typedef A_long PF_TimeDir;
typedef A_long PF_KeyIndex;

// Version 2 (AE 10): the first slot, PF_UpdateParamUI, is where version 3 has it; the state
// functions between are the obsolete ones.
typedef struct PF_ParamUtilsSuite1 {
    SPAPI PF_Err (*PF_UpdateParamUI)(PF_ProgPtr effect_ref, PF_ParamIndex param_index, const PF_ParamDef *defP);
    void (*PF_GetCurrentStateObsolete)(void);
    void (*PF_HasParamChangedObsolete)(void);
    void (*PF_HaveInputsChangedOverTimeSpanObsolete)(void);
    void (*PF_IsIdenticalCheckout)(void);
    void (*PF_FindKeyframeTime)(void);
    SPAPI PF_Err (*PF_GetKeyframeCount)(PF_ProgPtr effect_ref, PF_ParamIndex param_index, PF_KeyIndex *key_countP);
    void (*PF_CheckoutKeyframe)(void);
    void (*PF_CheckinKeyframe)(void);
    void (*PF_KeyIndexToTime)(void);
} PF_ParamUtilsSuite1;

typedef struct PF_ParamUtilsSuite3 {
    SPAPI PF_Err (*PF_UpdateParamUI)(PF_ProgPtr effect_ref, PF_ParamIndex param_index, const PF_ParamDef *defP);
    SPAPI PF_Err (*PF_GetCurrentState)(PF_ProgPtr effect_ref, PF_ParamIndex param_index, const A_Time *startPT0,
                                       const A_Time *durationPT0, PF_State *stateP);
    SPAPI PF_Err (*PF_AreStatesIdentical)(PF_ProgPtr effect_ref, const PF_State *state1P, const PF_State *state2P,
                                          A_Boolean *samePB);
    void (*PF_IsIdenticalCheckout)(void);
    void (*PF_FindKeyframeTime)(void);
    SPAPI PF_Err (*PF_GetKeyframeCount)(PF_ProgPtr effect_ref, PF_ParamIndex param_index, PF_KeyIndex *key_countP);
    void (*PF_CheckoutKeyframe)(void);
    void (*PF_CheckinKeyframe)(void);
    void (*PF_KeyIndexToTime)(void);
} PF_ParamUtilsSuite3;

// The suite's version numbers do not follow its structure names: the first structure with the
// language query is PFAppSuite5, served as version 7.
#define kPFAppSuite "PF AE App Suite"
#define kPFAppSuiteVersion4 6
#define kPFAppSuiteVersion5 7
#define kPFAppSuiteVersion6 1

#define PF_APP_LANG_TAG_SIZE (5 + 1)

typedef struct PF_App_Color {
    A_u_short red;
    A_u_short green;
    A_u_short blue;
} PF_App_Color;
typedef A_short PF_App_ColorType;

// Version 6, the one the colour bar asks for: colours, the colour picker, redraws and the
// conversion of panel points to screen points.
typedef struct PFAppSuite4 {
    SPAPI PF_Err (*PF_AppGetBgColor)(PF_App_Color *bg_colorP);
    SPAPI PF_Err (*PF_AppGetColor)(PF_App_ColorType color_type, PF_App_Color *app_colorP);
    void (*PF_GetPersonalInfo)(void);
    void (*PF_GetFontStyleSheet)(void);
    void (*PF_SetCursor)(void);
    SPAPI PF_Err (*PF_IsRenderEngine)(PF_Boolean *render_enginePB);
    SPAPI PF_Err (*PF_AppColorPickerDialog)(const A_char *dialog_titleZ0, const PF_PixelFloat *sample_colorP,
                                            PF_Boolean use_ws_to_monitor_xformB, PF_PixelFloat *result_colorP);
    void (*PF_GetMouse)(void);
    SPAPI PF_Err (*PF_InvalidateRect)(const PF_ContextH contextH, const PF_Rect *rectP0);
    SPAPI PF_Err (*PF_ConvertLocalToGlobal)(const PF_Point *localP, PF_Point *globalP);
    void (*PF_GetColorAtGlobalPoint)(void);
} PFAppSuite4;

typedef struct PFAppSuite5 {
    SPAPI PF_Err (*PF_AppGetBgColor)(PF_App_Color *bg_colorP);
    SPAPI PF_Err (*PF_AppGetColor)(PF_App_ColorType color_type, PF_App_Color *app_colorP);
    // Writes the interface language tag ("en_US", "ja_JP", ...): PF_APP_LANG_TAG_SIZE bytes.
    SPAPI PF_Err (*PF_AppGetLanguage)(A_char *lang_tagZ);
    void (*PF_GetPersonalInfo)(void);
    void (*PF_GetFontStyleSheet)(void);
    void (*PF_SetCursor)(void);
    SPAPI PF_Err (*PF_IsRenderEngine)(PF_Boolean *render_enginePB);
    SPAPI PF_Err (*PF_AppColorPickerDialog)(const A_char *dialog_titleZ0, const PF_PixelFloat *sample_colorP,
                                            PF_Boolean use_ws_to_monitor_xformB, PF_PixelFloat *result_colorP);
    void (*PF_GetMouse)(void);
    SPAPI PF_Err (*PF_InvalidateRect)(const PF_ContextH contextH, const PF_Rect *rectP0);
    SPAPI PF_Err (*PF_ConvertLocalToGlobal)(const PF_Point *localP, PF_Point *globalP);
    void (*PF_GetColorAtGlobalPoint)(void);
} PFAppSuite5;

// The drawing reference of a custom-UI context, for the DRAWBOT suites.
#define kPFEffectCustomUISuite "PF Effect Custom UI Suite"
#define kPFEffectCustomUISuiteVersion1 1

typedef struct PF_EffectCustomUISuite1 {
    SPAPI PF_Err (*PF_GetDrawingReference)(const PF_ContextH effect_contextH, DRAWBOT_DrawRef *referenceP0);
} PF_EffectCustomUISuite1;

// The host's preferred colours for drawing over its panels.
#define kPFEffectCustomUIOverlayThemeSuite "PF Effect Custom UI Overlay Theme Suite"
#define kPFEffectCustomUIOverlayThemeSuiteVersion1 1

typedef struct PF_EffectCustomUIOverlayThemeSuite1 {
    SPAPI PF_Err (*PF_GetPreferredForegroundColor)(DRAWBOT_ColorRGBA *foreground_colorP);
    SPAPI PF_Err (*PF_GetPreferredShadowColor)(DRAWBOT_ColorRGBA *shadow_colorP);
    void (*PF_GetPreferredStrokeWidth)(void);
    void (*PF_GetPreferredVertexSize)(void);
    void (*PF_GetPreferredShadowOffset)(void);
    void (*PF_StrokePath)(void);
    void (*PF_FillPath)(void);
    void (*PF_FillVertex)(void);
} PF_EffectCustomUIOverlayThemeSuite1;

#ifdef __cplusplus
}
#endif

#endif
