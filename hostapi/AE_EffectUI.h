// Custom-UI events of the host's effects API: the register_ui record, the event extra with its
// context, window and per-event records, spelled and laid out as the host's SDK publishes them.
#ifndef LUMORA_HOSTAPI_AE_EFFECTUI_H
#define LUMORA_HOSTAPI_AE_EFFECTUI_H

#include "AE_Effect.h"
#include "AE_EffectCB.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef A_long PF_CustomEventFlags;
enum {
    PF_CustomEFlag_NONE = 0,
    PF_CustomEFlag_COMP = 1L << 0,
    PF_CustomEFlag_LAYER = 1L << 1,
    PF_CustomEFlag_EFFECT = 1L << 2,
    PF_CustomEFlag_PREVIEW = 1L << 3
};

typedef A_long PF_UIAlignment;
enum {
    PF_UIAlignment_NONE = 0,
    PF_UIAlignment_TOP = 1L << 0,
    PF_UIAlignment_LEFT = 1L << 1,
    PF_UIAlignment_BOTTOM = 1L << 2,
    PF_UIAlignment_RIGHT = 1L << 3
};

// The record handed to register_ui (in_data->inter.register_ui); its tag completes the
// forward declaration in AE_Effect.h.
typedef struct PF_CustomUIInfo {
    A_long events; // PF_CustomEventFlags
    A_long comp_ui_width;
    A_long comp_ui_height;
    PF_UIAlignment comp_ui_alignment;
    A_long layer_ui_width;
    A_long layer_ui_height;
    PF_UIAlignment layer_ui_alignment;
    A_long preview_ui_width;
    A_long preview_ui_height;
    PF_UIAlignment preview_ui_alignment;
} PF_CustomUIInfo;

typedef A_long PF_WindowType;
enum { PF_Window_NONE = -1, PF_Window_COMP, PF_Window_LAYER, PF_Window_EFFECT, PF_Window_PREVIEW };

typedef A_long PF_EventType;
enum {
    PF_Event_NEW_CONTEXT,
    PF_Event_ACTIVATE,
    PF_Event_DO_CLICK,
    PF_Event_DRAG,
    PF_Event_DRAW,
    PF_Event_DEACTIVATE,
    PF_Event_CLOSE_CONTEXT,
    PF_Event_IDLE,
    PF_Event_UNUSED_0, // the retired key event
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

typedef intptr_t A_intptr_t;

struct _PF_ContextFlat;
struct _DRAWBOT_DrawRef;

// One context per open panel; plugin_state belongs to the plug-in for the context's life.
typedef struct _PF_Context {
    A_u_long magic;
    PF_WindowType w_type;
    struct _PF_ContextFlat *reserved_flat;
    A_intptr_t plugin_state[4];
    struct _DRAWBOT_DrawRef *reserved_drawref;
    void *reserved_paneP;
} PF_Context, *PF_ContextPtr, **PF_ContextH;

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
    A_long char_code;
    A_long key_code;
    PF_Modifiers modifiers;
} PF_KeyDownEvent;

typedef struct {
    A_u_long when;
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

// Coordinate conversions for custom UIs; this system never calls them, so every function slot
// keeps its place with the generic signature of AE_EffectCB.h.
typedef struct {
    void *refcon;
    PF_UnusedCallback layer_to_comp;
    PF_UnusedCallback comp_to_layer;
    PF_UnusedCallback get_comp2layer_xform;
    PF_UnusedCallback get_layer2comp_xform;
    PF_UnusedCallback source_to_frame;
    PF_UnusedCallback frame_to_source;
    PF_UnusedCallback info_draw_color;
    PF_UnusedCallback info_draw_text;
    PF_UnusedCallback info_draw_text3;
    PF_UnusedCallback info_draw_text3plus;
} PF_EventCallbacks;

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
