// The host's utility callbacks (in_data->utils): handles, copying, iteration, ANSI helpers.
// Slots this system never calls or serves are plain function pointers: the host's full
// signatures need types this project does not declare.
#ifndef LUMORA_HOSTAPI_AE_EFFECTCB_H
#define LUMORA_HOSTAPI_AE_EFFECTCB_H

#include "AE_Effect.h"

#ifdef __cplusplus
extern "C" {
#endif

#define PF_Iterations_ONCE_PER_PROCESSOR -1

typedef A_long PF_NewWorldFlags;
enum {
    PF_NewWorldFlag_NONE = 0,
    PF_NewWorldFlag_CLEAR_PIXELS = 1L << 0,
    PF_NewWorldFlag_DEEP_PIXELS = 1L << 1,
    PF_NewWorldFlag_RESERVED0 = 1L << 2,
    PF_NewWorldFlag_RESERVED1 = 1L << 3
};

typedef A_long PF_PlatDataID;
enum {
    PF_PlatData_MAIN_WND = 0,
    PF_PlatData_EXE_FILE_PATH_DEPRECATED,
    PF_PlatData_RES_FILE_PATH_DEPRECATED,
    PF_PlatData_RES_REFNUM,
    PF_PlatData_RES_DLLINSTANCE,
    PF_PlatData_SP_PLUG_REF,
    PF_PlatData_BUNDLE_REF,
    PF_PlatData_EXE_FILE_PATH_W,
    PF_PlatData_RES_FILE_PATH_W
};

typedef struct {
    A_FpLong (*atan)(A_FpLong);
    A_FpLong (*atan2)(A_FpLong y, A_FpLong x);
    A_FpLong (*ceil)(A_FpLong);
    A_FpLong (*cos)(A_FpLong);
    A_FpLong (*exp)(A_FpLong);
    A_FpLong (*fabs)(A_FpLong);
    A_FpLong (*floor)(A_FpLong);
    A_FpLong (*fmod)(A_FpLong x, A_FpLong y);
    A_FpLong (*hypot)(A_FpLong x, A_FpLong y);
    A_FpLong (*log)(A_FpLong);
    A_FpLong (*log10)(A_FpLong);
    A_FpLong (*pow)(A_FpLong x, A_FpLong y);
    A_FpLong (*sin)(A_FpLong);
    A_FpLong (*sqrt)(A_FpLong);
    A_FpLong (*tan)(A_FpLong);
    int (*sprintf)(A_char *, const A_char *, ...);
    A_char *(*strcpy)(A_char *, const A_char *);
    A_FpLong (*asin)(A_FpLong);
    A_FpLong (*acos)(A_FpLong);
    A_long ansi_procs[1];
} PF_ANSICallbacks;

typedef struct {
    void (*RGBtoHLS)(void);
    void (*HLStoRGB)(void);
    void (*RGBtoYIQ)(void);
    void (*YIQtoRGB)(void);
    void (*Luminance)(void);
    void (*Hue)(void);
    void (*Lightness)(void);
    void (*Saturation)(void);
} PF_ColorCallbacks;

typedef PF_Err (*PF_IteratePixel8Func)(void *refcon, A_long x, A_long y, PF_Pixel *in,
                                       PF_Pixel *out);

struct _PF_UtilCallbacks {
    void (*begin_sampling)(void);
    void (*subpixel_sample)(void);
    void (*area_sample)(void);
    void *get_batch_func_is_deprecated;
    void (*end_sampling)(void);
    void (*composite_rect)(void);
    void (*blend)(void);
    void (*convolve)(void);
    PF_Err (*copy)(PF_ProgPtr effect_ref, PF_EffectWorld *src, PF_EffectWorld *dst,
                   PF_Rect *src_r, PF_Rect *dst_r);
    void (*fill)(void);
    void (*gaussian_kernel)(void);
    void (*iterate)(void);
    void (*premultiply)(void);
    void (*premultiply_color)(void);
    PF_Err (*new_world)(PF_ProgPtr effect_ref, A_long width, A_long height,
                        PF_NewWorldFlags flags, PF_EffectWorld *world);
    PF_Err (*dispose_world)(PF_ProgPtr effect_ref, PF_EffectWorld *world);
    void (*iterate_origin)(void);
    void (*iterate_lut)(void);
    void (*transfer_rect)(void);
    void (*transform_world)(void);
    PF_Handle (*host_new_handle)(A_HandleSize size);
    void *(*host_lock_handle)(PF_Handle pf_handle);
    void (*host_unlock_handle)(PF_Handle pf_handle);
    void (*host_dispose_handle)(PF_Handle pf_handle);
    void (*get_callback_addr)(void);
    void (*app)(void);
    PF_ANSICallbacks ansi;
    PF_ColorCallbacks colorCB;
    PF_Err (*get_platform_data)(PF_ProgPtr effect_ref, PF_PlatDataID which, void *data);
    A_HandleSize (*host_get_handle_size)(PF_Handle pf_handle);
    void (*iterate_origin_non_clip_src)(void);
    PF_Err (*iterate_generic)(A_long iterationsL, void *refconPV,
                              PF_Err (*fn_func)(void *refconPV, A_long thread_indexL, A_long i,
                                                A_long iterationsL));
    PF_Err (*host_resize_handle)(A_HandleSize new_sizeL, PF_Handle *handlePH);
    void (*subpixel_sample16)(void);
    void (*area_sample16)(void);
    void (*fill16)(void);
    void (*premultiply_color16)(void);
    void (*iterate16)(void);
    void (*iterate_origin16)(void);
    void (*iterate_origin_non_clip_src16)(void);
    void (*get_pixel_data8)(void);
    void (*get_pixel_data16)(void);
    A_long reserved[1];
};
typedef struct _PF_UtilCallbacks PF_UtilCallbacks;

#ifdef __cplusplus
}
#endif

#endif
