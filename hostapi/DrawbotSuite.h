// The host's drawing suites ("DRAWBOT"): a draw reference hands out a supplier (pens, brushes,
// fonts, images, paths) and a surface to paint on. Spelled and laid out as the host's SDK has
// them; the slots this system never calls keep their place as plain function pointers.
#ifndef LUMORA_HOSTAPI_DRAWBOTSUITE_H
#define LUMORA_HOSTAPI_DRAWBOTSUITE_H

#include "A.h"
#include "AE_EffectUI.h"
#include "SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _DRAWBOT_SupplierRef *DRAWBOT_SupplierRef;
typedef struct _DRAWBOT_SurfaceRef *DRAWBOT_SurfaceRef;
typedef struct _DRAWBOT_ObjectRef *DRAWBOT_ObjectRef;
typedef struct _DRAWBOT_PenRef *DRAWBOT_PenRef;
typedef struct _DRAWBOT_BrushRef *DRAWBOT_BrushRef;
typedef struct _DRAWBOT_FontRef *DRAWBOT_FontRef;
typedef struct _DRAWBOT_ImageRef *DRAWBOT_ImageRef;
typedef struct _DRAWBOT_PathRef *DRAWBOT_PathRef;

typedef unsigned char DRAWBOT_Boolean;
typedef unsigned short DRAWBOT_UTF16Char;

typedef int DRAWBOT_PixelLayout;
enum {
    kDRAWBOT_PixelLayout_24RGB = 0,
    kDRAWBOT_PixelLayout_24BGR,
    kDRAWBOT_PixelLayout_32RGB,
    kDRAWBOT_PixelLayout_32BGR, // bytes blue, green, red and an ignored fourth
    kDRAWBOT_PixelLayout_32ARGB_Straight,
    kDRAWBOT_PixelLayout_32ARGB_Premul,
    kDRAWBOT_PixelLayout_32BGRA_Straight,
    kDRAWBOT_PixelLayout_32BGRA_Premul
};

typedef int DRAWBOT_TextAlignment;
enum {
    kDRAWBOT_TextAlignment_Left = 0,
    kDRAWBOT_TextAlignment_Center = 1,
    kDRAWBOT_TextAlignment_Right = 2,
    kDRAWBOT_TextAlignment_Default = kDRAWBOT_TextAlignment_Left
};

typedef int DRAWBOT_TextTruncation;
enum {
    kDRAWBOT_TextTruncation_None = 0,
    kDRAWBOT_TextTruncation_End,
    kDRAWBOT_TextTruncation_EndEllipsis,
    kDRAWBOT_TextTruncation_PathEllipsis
};

typedef int DRAWBOT_FillType;
enum {
    kDRAWBOT_FillType_EvenOdd = 0,
    kDRAWBOT_FillType_Winding,
    kDRAWBOT_FillType_Default = kDRAWBOT_FillType_Winding
};

typedef int DRAWBOT_InterpolationPolicy;
enum {
    kDRAWBOT_InterpolationPolicy_None = 0,
    kDRAWBOT_InterpolationPolicy_Med,
    kDRAWBOT_InterpolationPolicy_High,
    kDRAWBOT_InterpolationPolicy_Default = kDRAWBOT_InterpolationPolicy_None
};

typedef int DRAWBOT_AntiAliasPolicy;
enum {
    kDRAWBOT_AntiAliasPolicy_None = 0,
    kDRAWBOT_AntiAliasPolicy_Med,
    kDRAWBOT_AntiAliasPolicy_High,
    kDRAWBOT_AntiAliasPolicy_Default = kDRAWBOT_AntiAliasPolicy_None
};

typedef struct {
    float red;
    float green;
    float blue;
    float alpha;
} DRAWBOT_ColorRGBA;

typedef struct {
    float x;
    float y;
} DRAWBOT_PointF32;

typedef struct {
    float left;
    float top;
    float width;
    float height;
} DRAWBOT_RectF32;

typedef struct {
    int left;
    int top;
    int width;
    int height;
} DRAWBOT_Rect32;

typedef struct {
    float mat[3][3];
} DRAWBOT_MatrixF32;

#define kDRAWBOT_DrawSuite "DRAWBOT Draw Suite"
#define kDRAWBOT_DrawSuite_Version1 1
#define kDRAWBOT_DrawSuite_VersionCurrent kDRAWBOT_DrawSuite_Version1

typedef struct DRAWBOT_DrawbotSuite1 {
    SPAPI PF_Err (*GetSupplier)(DRAWBOT_DrawRef in_drawbot_ref, DRAWBOT_SupplierRef *out_supplierP);
    SPAPI PF_Err (*GetSurface)(DRAWBOT_DrawRef in_drawbot_ref, DRAWBOT_SurfaceRef *out_surfaceP);
} DRAWBOT_DrawbotSuite1;

#define kDRAWBOT_SupplierSuite "DRAWBOT Supplier Suite"
#define kDRAWBOT_SupplierSuite_Version1 1
#define kDRAWBOT_SupplierSuite_VersionCurrent kDRAWBOT_SupplierSuite_Version1

typedef struct DRAWBOT_SupplierSuite1 {
    SPAPI PF_Err (*NewPen)(DRAWBOT_SupplierRef in_supplier_ref, const DRAWBOT_ColorRGBA *in_colorP, float in_size,
                           DRAWBOT_PenRef *out_penP);
    SPAPI PF_Err (*NewBrush)(DRAWBOT_SupplierRef in_supplier_ref, const DRAWBOT_ColorRGBA *in_colorP,
                             DRAWBOT_BrushRef *out_brushP);
    SPAPI PF_Err (*SupportsText)(DRAWBOT_SupplierRef in_supplier_ref, DRAWBOT_Boolean *out_supports_textB);
    SPAPI PF_Err (*GetDefaultFontSize)(DRAWBOT_SupplierRef in_supplier_ref, float *out_font_sizeF);
    SPAPI PF_Err (*NewDefaultFont)(DRAWBOT_SupplierRef in_supplier_ref, float in_font_sizeF,
                                   DRAWBOT_FontRef *out_fontP);
    SPAPI PF_Err (*NewImageFromBuffer)(DRAWBOT_SupplierRef in_supplier_ref, int in_width, int in_height,
                                       int in_row_bytes, DRAWBOT_PixelLayout in_pl, const void *in_dataP,
                                       DRAWBOT_ImageRef *out_imageP);
    SPAPI PF_Err (*NewPath)(DRAWBOT_SupplierRef in_supplier_ref, DRAWBOT_PathRef *out_pathP);
    SPAPI PF_Err (*SupportsPixelLayoutBGRA)(DRAWBOT_SupplierRef in_supplier_ref, DRAWBOT_Boolean *out_supports_bgraPB);
    SPAPI PF_Err (*PrefersPixelLayoutBGRA)(DRAWBOT_SupplierRef in_supplier_ref, DRAWBOT_Boolean *out_prefers_bgraPB);
    SPAPI PF_Err (*SupportsPixelLayoutARGB)(DRAWBOT_SupplierRef in_supplier_ref, DRAWBOT_Boolean *out_supports_argbPB);
    SPAPI PF_Err (*PrefersPixelLayoutARGB)(DRAWBOT_SupplierRef in_supplier_ref, DRAWBOT_Boolean *out_prefers_argbPB);
    SPAPI PF_Err (*RetainObject)(DRAWBOT_ObjectRef in_obj_ref);
    SPAPI PF_Err (*ReleaseObject)(DRAWBOT_ObjectRef in_obj_ref);
} DRAWBOT_SupplierSuite1;

#define kDRAWBOT_SurfaceSuite "DRAWBOT Surface Suite"
#define kDRAWBOT_SurfaceSuite_Version1 1
#define kDRAWBOT_SurfaceSuite_Version2 2
#define kDRAWBOT_SurfaceSuite_VersionCurrent kDRAWBOT_SurfaceSuite_Version2

// Both versions share one layout.
typedef struct DRAWBOT_SurfaceSuite1 {
    SPAPI PF_Err (*PushStateStack)(DRAWBOT_SurfaceRef in_surface_ref);
    SPAPI PF_Err (*PopStateStack)(DRAWBOT_SurfaceRef in_surface_ref);
    SPAPI PF_Err (*PaintRect)(DRAWBOT_SurfaceRef in_surface_ref, const DRAWBOT_ColorRGBA *in_colorP,
                              const DRAWBOT_RectF32 *in_rectPR);
    SPAPI PF_Err (*FillPath)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_BrushRef in_brush_ref,
                             DRAWBOT_PathRef in_path_ref, DRAWBOT_FillType in_fill_type);
    SPAPI PF_Err (*StrokePath)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_PenRef in_pen_ref,
                               DRAWBOT_PathRef in_path_ref);
    SPAPI PF_Err (*Clip)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_SupplierRef in_supplier_ref,
                         const DRAWBOT_Rect32 *in_rectPR);
    SPAPI PF_Err (*GetClipBounds)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_Rect32 *out_rectPR);
    SPAPI PF_Err (*IsWithinClipBounds)(DRAWBOT_SurfaceRef in_surface_ref, const DRAWBOT_Rect32 *in_rectPR,
                                       DRAWBOT_Boolean *out_withinPB);
    SPAPI PF_Err (*Transform)(DRAWBOT_SurfaceRef in_surface_ref, const DRAWBOT_MatrixF32 *in_matrixP);
    SPAPI PF_Err (*DrawString)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_BrushRef in_brush_ref,
                               DRAWBOT_FontRef in_font_ref, const DRAWBOT_UTF16Char *in_stringP,
                               const DRAWBOT_PointF32 *in_originP, DRAWBOT_TextAlignment in_alignment_style,
                               DRAWBOT_TextTruncation in_truncation_style, float in_truncation_width);
    SPAPI PF_Err (*DrawImage)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_ImageRef in_image_ref,
                              const DRAWBOT_PointF32 *in_originP, float in_alpha);
    SPAPI PF_Err (*SetInterpolationPolicy)(DRAWBOT_SurfaceRef in_surface_ref,
                                           DRAWBOT_InterpolationPolicy in_interp);
    SPAPI PF_Err (*GetInterpolationPolicy)(DRAWBOT_SurfaceRef in_surface_ref,
                                           DRAWBOT_InterpolationPolicy *out_interpP);
    SPAPI PF_Err (*SetAntiAliasPolicy)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_AntiAliasPolicy in_policy);
    SPAPI PF_Err (*GetAntiAliasPolicy)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_AntiAliasPolicy *out_policyP);
    SPAPI PF_Err (*Flush)(DRAWBOT_SurfaceRef in_surface_ref);
    SPAPI PF_Err (*GetTransformToScreenScale)(DRAWBOT_SurfaceRef in_surface_ref, float *out_scale);
} DRAWBOT_SurfaceSuite2;
typedef DRAWBOT_SurfaceSuite2 DRAWBOT_SurfaceSuite1;

#define kDRAWBOT_PathSuite "DRAWBOT Path Suite"
#define kDRAWBOT_PathSuite_Version1 1
#define kDRAWBOT_PathSuite_VersionCurrent kDRAWBOT_PathSuite_Version1

typedef struct DRAWBOT_PathSuite1 {
    SPAPI PF_Err (*MoveTo)(DRAWBOT_PathRef in_path_ref, float in_x, float in_y);
    SPAPI PF_Err (*LineTo)(DRAWBOT_PathRef in_path_ref, float in_x, float in_y);
    SPAPI PF_Err (*BezierTo)(DRAWBOT_PathRef in_path_ref, const DRAWBOT_PointF32 *in_pt1P,
                             const DRAWBOT_PointF32 *in_pt2P, const DRAWBOT_PointF32 *in_pt3P);
    SPAPI PF_Err (*AddRect)(DRAWBOT_PathRef in_path_ref, const DRAWBOT_RectF32 *in_rectPR);
    SPAPI PF_Err (*AddArc)(DRAWBOT_PathRef in_path_ref, const DRAWBOT_PointF32 *in_centerP, float in_radius,
                           float in_start_angle, float in_sweep);
    SPAPI PF_Err (*Close)(DRAWBOT_PathRef in_path_ref);
} DRAWBOT_PathSuite1;

#define kDRAWBOT_PenSuite "DRAWBOT Pen Suite"
#define kDRAWBOT_PenSuite_Version1 1
#define kDRAWBOT_PenSuite_VersionCurrent kDRAWBOT_PenSuite_Version1

typedef struct DRAWBOT_PenSuite1 {
    SPAPI PF_Err (*SetDashPattern)(DRAWBOT_PenRef in_pen_ref, const float *in_dashesP, int in_dashes_size);
} DRAWBOT_PenSuite1;

#define kDRAWBOT_ImageSuite "DRAWBOT Image Suite"
#define kDRAWBOT_ImageSuite_Version1 1
#define kDRAWBOT_ImageSuite_VersionCurrent kDRAWBOT_ImageSuite_Version1

typedef struct DRAWBOT_ImageSuite1 {
    SPAPI PF_Err (*SetScaleFactor)(DRAWBOT_ImageRef in_image_ref, float in_scale_factor);
} DRAWBOT_ImageSuite1;

typedef struct {
    DRAWBOT_DrawbotSuite1 *drawbot_suiteP;
    DRAWBOT_SupplierSuite1 *supplier_suiteP;
    DRAWBOT_SurfaceSuite2 *surface_suiteP;
    DRAWBOT_PathSuite1 *path_suiteP;
    DRAWBOT_PenSuite1 *pen_suiteP;
    DRAWBOT_ImageSuite1 *image_suiteP;
} DRAWBOT_Suites;

#ifdef __cplusplus
}
#endif

#endif
