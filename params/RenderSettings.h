// The render settings record: one frame's parameter values as the host holds them, plus the
// buffers and rectangles of the render call. Registration objects copy raw values into it by
// offset; the render converts them to working units.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"

struct RenderSettings {
    A_FpLong glowIntensity;
    A_long view;
    A_long blendMode;
    A_FpLong opacity;
    A_long glowType;
    A_FpLong glowRadius;
    A_FpLong glowAspect;
    A_long inputChannel;
    A_FpLong threshold;
    A_FpLong thresholdSoft;
    A_u_char depthEffectsEnabled;
    A_u_char reserved0;
    A_u_char reserved1;
    PF_EffectWorld *depthLayer;
    A_FpLong centerPosition;
    A_FpLong depthBias;
    PF_Pixel depthTint;
    A_FpLong depthRadius;
    A_FpLong depthIntensity;
    int64_t reserved2;
    PF_InData *in_data;
    PF_OutData *out_data;
    PF_EffectWorld *input;
    PF_EffectWorld *output;
    PF_PixelFormat pixelFormat;
    PF_Rect inputRect;
    PF_Rect inputPlacement;
    A_u_char smart;
};

// The pre-render hands the record to the render in a host handle of exactly this size.
static_assert(sizeof(void *) != 8 || sizeof(RenderSettings) == 208, "render settings layout changed");

namespace AEUtil {

// The record's initial values (also what a failed read leaves in untouched members).
void initRenderSettings(RenderSettings &settings) noexcept;

} // namespace AEUtil

#define LUMORA_RS_OFFSET(member) static_cast<A_long>(offsetof(RenderSettings, member))
#define LUMORA_RS_WIDTH(member) static_cast<A_long>(sizeof(RenderSettings::member))
