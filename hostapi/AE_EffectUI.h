// Custom-UI events of the host's effects API: the event extra with its context, window and
// per-event records, spelled and laid out as the host's SDK publishes them. The register_ui
// record is in AE_Effect.h.
#ifndef LUMORA_HOSTAPI_AE_EFFECTUI_H
#define LUMORA_HOSTAPI_AE_EFFECTUI_H

#include "AE_Effect.h"
#include "AE_EffectCB.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef A_long PF_WindowType;
enum { PF_Window_NONE = -1, PF_Window_COMP, PF_Window_LAYER, PF_Window_EFFECT, PF_Window_PREVIEW };

typedef A_long PF_EventType;
enum {
    PF_Event_NONE = -1,
    PF_Event_NEW_CONTEXT,
    PF_Event_ACTIVATE,
    PF_Event_DO_CLICK,
    PF_Event_DRAG,
    PF_Event_DRAW,
    PF_Event_DEACTIVATE,
    PF_Event_CLOSE_CONTEXT,
    PF_Event_IDLE,
    PF_Event_KEYDOWN_OBSOLETE,
    PF_Event_ADJUST_CURSOR,
    PF_Event_KEYDOWN,
    PF_Event_MOUSE_EXITED,
    PF_Event_NUM_EVENTS
};

typedef A_long PF_EventInFlags;
enum { PF_EI_NONE = 0, PF_EI_DONT_DRAW = 1L << 0 };

typedef A_long PF_EventOutFlags;
enum {
    PF_EO_NONE = 0,
    PF_EO_HANDLED_EVENT = 1L << 0,
    PF_EO_ALWAYS_UPDATE = 1L << 1,
    PF_EO_NEVER_UPDATE = 1L << 2,
    PF_EO_UPDATE_NOW = 1L << 3
};

typedef A_long PF_Modifiers;
enum {
    PF_Mod_NONE = 0x0000,
    PF_Mod_CMD_CTRL_KEY = 0x0100,
    PF_Mod_SHIFT_KEY = 0x0200,
    PF_Mod_CAPS_LOCK_KEY = 0x0400,
    PF_Mod_OPT_ALT_KEY = 0x0800,
    PF_Mod_MAC_CONTROL_KEY = 0x1000
};

typedef A_long PF_CursorType;
enum { PF_Cursor_NONE = 0, PF_Cursor_CUSTOM, PF_Cursor_ARROW };

typedef A_long PF_EffectArea;
enum { PF_EA_NONE = 0, PF_EA_PARAM_TITLE, PF_EA_CONTROL };

typedef A_u_long PF_KeyCode;

typedef struct _PF_ContextRefcon *PF_ContextRefcon;
typedef struct _DRAWBOT_DrawRef *DRAWBOT_DrawRef;

#define PF_CONTEXT_MAGIC 0x05EA771E

// One context per open panel; plugin_state belongs to the plug-in for the context's life.
typedef struct PF_Context {
    A_u_long magic;
    PF_WindowType w_type;
    PF_ContextRefcon reserved_flt;
    A_intptr_t plugin_state[4];
    DRAWBOT_DrawRef reserved_drawref;
    void *reserved_paneP;
    void *reserved_job_manageP;
} PF_Context;
typedef struct PF_Context *PF_ContextPtr;
typedef struct PF_Context **PF_ContextH;

typedef struct {
    PF_ParamIndex index;
    PF_EffectArea area;
    PF_Rect current_frame;
    PF_Rect param_title_frame;
    A_long horiz_offset;
} PF_EffectWindowInfo;

typedef struct {
    A_u_long when;
    PF_Point screen_point;
    A_long num_clicks;
    PF_Modifiers modifiers;
    A_intptr_t continue_refcon[4];
    PF_Boolean send_drag;
    PF_Boolean last_time;
} PF_DoClickEventInfo;

typedef struct {
    PF_Rect update_rect;
    A_long depth;
} PF_DrawEventInfo;

typedef struct {
    A_u_long when;
    PF_Point screen_point;
    PF_KeyCode keycode;
    PF_Modifiers modifiers;
} PF_KeyDownEvent;

// What the retired key event carried; hosts that still send it use this record.
typedef struct {
    A_u_long when;
    PF_Point screen_point;
    A_long char_code;
    A_long key_code;
    PF_Modifiers modifiers;
} PF_KeyDownEventObsolete;

typedef struct {
    PF_Point screen_point;
    PF_Modifiers modifiers;
    PF_CursorType set_cursor;
} PF_AdjustCursorEventInfo;

typedef union {
    PF_DoClickEventInfo do_click;
    PF_DrawEventInfo draw;
    PF_KeyDownEvent key_down;
    PF_AdjustCursorEventInfo adjust_cursor;
} PF_EventUnion;

// Coordinate conversions and info-palette output for custom UIs. The info-palette slots are
// never called here and stay plain function pointers.
typedef struct PF_EventCallbacks {
    void *refcon;
    PF_Err (*layer_to_comp)(void *refcon, PF_ContextH context, A_long curr_time, A_long time_scale,
                            PF_FixedPoint *pt);
    PF_Err (*comp_to_layer)(void *refcon, PF_ContextH context, A_long curr_time, A_long time_scale,
                            PF_FixedPoint *pt);
    PF_Err (*get_comp2layer_xform)(void *refcon, PF_ContextH context, A_long curr_time,
                                   A_long time_scale, A_long *exists, PF_FloatMatrix *comp2layer);
    PF_Err (*get_layer2comp_xform)(void *refcon, PF_ContextH context, A_long curr_time,
                                   A_long time_scale, PF_FloatMatrix *layer2comp);
    PF_Err (*source_to_frame)(void *refcon, PF_ContextH context, PF_FixedPoint *pt);
    PF_Err (*frame_to_source)(void *refcon, PF_ContextH context, PF_FixedPoint *pt);
    void (*info_draw_color)(void);
    void (*info_draw_text)(void);
} PF_EventCallbacks;
typedef struct PF_EventCallbacks *PF_EventCallbacksPtr;

typedef struct {
    PF_ContextH contextH;
    PF_EventType e_type;
    PF_EventUnion u;
    PF_EffectWindowInfo effect_win;
    PF_EventCallbacks cbs;
    PF_EventInFlags evt_in_flags;
    PF_EventOutFlags evt_out_flags;
} PF_EventExtra;

#ifdef __cplusplus
}
#endif

#endif
