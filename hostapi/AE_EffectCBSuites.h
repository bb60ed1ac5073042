// Suites that replace the utility callbacks: host handles, image buffers, filling and copying
// worlds. Slots this system never calls or serves are plain function pointers.
#ifndef LUMORA_HOSTAPI_AE_EFFECTCBSUITES_H
#define LUMORA_HOSTAPI_AE_EFFECTCBSUITES_H

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "AE_EffectPixelFormat.h"
#include "AE_EffectSuites.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kPFHandleSuite "PF Handle Suite"
#define kPFHandleSuiteVersion1 2

typedef struct PF_HandleSuite1 {
    SPAPI PF_Handle (*host_new_handle)(A_HandleSize size);
    SPAPI void *(*host_lock_handle)(PF_Handle pf_handle);
    SPAPI void (*host_unlock_handle)(PF_Handle pf_handle);
    SPAPI void (*host_dispose_handle)(PF_Handle pf_handle);
    SPAPI A_HandleSize (*host_get_handle_size)(PF_Handle pf_handle);
    SPAPI PF_Err (*host_resize_handle)(A_HandleSize new_sizeL, PF_Handle *handlePH);
} PF_HandleSuite1;

#define kPFWorldSuite "PF World Suite"
#define kPFWorldSuiteVersion1 1
#define kPFWorldSuiteVersion2 2

typedef struct PF_WorldSuite1 {
    SPAPI PF_Err (*new_world)(PF_ProgPtr effect_ref, A_long width, A_long height,
                              PF_NewWorldFlags flags, PF_EffectWorld *world);
    SPAPI PF_Err (*dispose_world)(PF_ProgPtr effect_ref, PF_EffectWorld *world);
} PF_WorldSuite1;

typedef struct PF_WorldSuite2 {
    SPAPI PF_Err (*PF_NewWorld)(PF_ProgPtr effect_ref, A_long widthL, A_long heightL,
                                PF_Boolean clear_pixB, PF_PixelFormat pixel_format,
                                PF_EffectWorld *worldP);
    SPAPI PF_Err (*PF_DisposeWorld)(PF_ProgPtr effect_ref, PF_EffectWorld *worldP);
    SPAPI PF_Err (*PF_GetPixelFormat)(const PF_EffectWorld *worldP, PF_PixelFormat *pixel_formatP);
} PF_WorldSuite2;

#define kPFFillMatteSuite "PF Fill Matte Suite"
#define kPFFillMatteSuiteVersion2 2

typedef struct PF_FillMatteSuite2 {
    SPAPI PF_Err (*fill)(PF_ProgPtr effect_ref, const PF_Pixel *color, const PF_Rect *dst_rect,
                         PF_EffectWorld *world);
    void (*fill16)(void);
    SPAPI PF_Err (*fill_float)(PF_ProgPtr effect_ref, const PF_PixelFloat *color, const PF_Rect *dst_rect,
                               PF_EffectWorld *world);
    void (*premultiply)(void);
    void (*premultiply_color)(void);
    void (*premultiply_color16)(void);
    void (*premultiply_color_float)(void);
} PF_FillMatteSuite2;

#define kPFWorldTransformSuite "PF World Transform Suite"
#define kPFWorldTransformSuiteVersion1 1

typedef struct PF_WorldTransformSuite1 {
    void (*composite_rect)(void);
    void (*blend)(void);
    void (*convolve)(void);
    SPAPI PF_Err (*copy)(PF_ProgPtr effect_ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *src_r,
                         PF_Rect *dst_r);
    SPAPI PF_Err (*copy_hq)(PF_ProgPtr effect_ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *src_r,
                            PF_Rect *dst_r);
    void (*transfer_rect)(void);
    void (*transform_world)(void);
} PF_WorldTransformSuite1;

#ifdef __cplusplus
}
#endif

#endif
