#include "embedhost/pipl/FlagNames.h"

#include "AE_Effect.h"

// Spelling each name once keeps the text and the value from drifting apart.
#define LUMORA_FLAG(flag)                                                                                              \
    FlagName { static_cast<std::uint32_t>(flag), #flag }

namespace lumora::pipl {

namespace {

constexpr FlagName kOutFlags[] = {
    LUMORA_FLAG(PF_OutFlag_KEEP_RESOURCE_OPEN),
    LUMORA_FLAG(PF_OutFlag_WIDE_TIME_INPUT),
    LUMORA_FLAG(PF_OutFlag_NON_PARAM_VARY),
    LUMORA_FLAG(PF_OutFlag_RESERVED6),
    LUMORA_FLAG(PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING),
    LUMORA_FLAG(PF_OutFlag_I_DO_DIALOG),
    LUMORA_FLAG(PF_OutFlag_USE_OUTPUT_EXTENT),
    LUMORA_FLAG(PF_OutFlag_SEND_DO_DIALOG),
    LUMORA_FLAG(PF_OutFlag_DISPLAY_ERROR_MESSAGE),
    LUMORA_FLAG(PF_OutFlag_I_EXPAND_BUFFER),
    LUMORA_FLAG(PF_OutFlag_PIX_INDEPENDENT),
    LUMORA_FLAG(PF_OutFlag_I_WRITE_INPUT_BUFFER),
    LUMORA_FLAG(PF_OutFlag_I_SHRINK_BUFFER),
    LUMORA_FLAG(PF_OutFlag_WORKS_IN_PLACE),
    LUMORA_FLAG(PF_OutFlag_RESERVED8),
    LUMORA_FLAG(PF_OutFlag_CUSTOM_UI),
    LUMORA_FLAG(PF_OutFlag_RESERVED7),
    LUMORA_FLAG(PF_OutFlag_REFRESH_UI),
    LUMORA_FLAG(PF_OutFlag_NOP_RENDER),
    LUMORA_FLAG(PF_OutFlag_I_USE_SHUTTER_ANGLE),
    LUMORA_FLAG(PF_OutFlag_I_USE_AUDIO),
    LUMORA_FLAG(PF_OutFlag_I_AM_OBSOLETE),
    LUMORA_FLAG(PF_OutFlag_FORCE_RERENDER),
    LUMORA_FLAG(PF_OutFlag_PiPL_OVERRIDES_OUTDATA_OUTFLAGS),
    LUMORA_FLAG(PF_OutFlag_I_HAVE_EXTERNAL_DEPENDENCIES),
    LUMORA_FLAG(PF_OutFlag_DEEP_COLOR_AWARE),
    LUMORA_FLAG(PF_OutFlag_SEND_UPDATE_PARAMS_UI),
    LUMORA_FLAG(PF_OutFlag_AUDIO_FLOAT_ONLY),
    LUMORA_FLAG(PF_OutFlag_AUDIO_IIR),
    LUMORA_FLAG(PF_OutFlag_I_SYNTHESIZE_AUDIO),
    LUMORA_FLAG(PF_OutFlag_AUDIO_EFFECT_TOO),
    LUMORA_FLAG(PF_OutFlag_AUDIO_EFFECT_ONLY),
};

constexpr FlagName kOutFlags2[] = {
    LUMORA_FLAG(PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS),
    LUMORA_FLAG(PF_OutFlag2_I_USE_3D_CAMERA),
    LUMORA_FLAG(PF_OutFlag2_I_USE_3D_LIGHTS),
    LUMORA_FLAG(PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG),
    LUMORA_FLAG(PF_OutFlag2_I_AM_THREADSAFE),
    LUMORA_FLAG(PF_OutFlag2_CAN_COMBINE_WITH_DESTINATION),
    LUMORA_FLAG(PF_OutFlag2_DOESNT_NEED_EMPTY_PIXELS),
    LUMORA_FLAG(PF_OutFlag2_REVEALS_ZERO_ALPHA),
    LUMORA_FLAG(PF_OutFlag2_PRESERVES_FULLY_OPAQUE_PIXELS),
    LUMORA_FLAG(PF_OutFlag2_SUPPORTS_SMART_RENDER),
    LUMORA_FLAG(PF_OutFlag2_RESERVED9),
    LUMORA_FLAG(PF_OutFlag2_FLOAT_COLOR_AWARE),
    LUMORA_FLAG(PF_OutFlag2_I_USE_COLORSPACE_ENUMERATION),
    LUMORA_FLAG(PF_OutFlag2_I_AM_DEPRECATED),
    LUMORA_FLAG(PF_OutFlag2_PPRO_DO_NOT_CLONE_SEQUENCE_DATA_FOR_RENDER),
    LUMORA_FLAG(PF_OutFlag2_RESERVED10),
    LUMORA_FLAG(PF_OutFlag2_AUTOMATIC_WIDE_TIME_INPUT),
    LUMORA_FLAG(PF_OutFlag2_I_USE_TIMECODE),
    LUMORA_FLAG(PF_OutFlag2_DEPENDS_ON_UNREFERENCED_MASKS),
    LUMORA_FLAG(PF_OutFlag2_OUTPUT_IS_WATERMARKED),
    LUMORA_FLAG(PF_OutFlag2_I_MIX_GUID_DEPENDENCIES),
    LUMORA_FLAG(PF_OutFlag2_AE13_5_THREADSAFE),
    LUMORA_FLAG(PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA),
    LUMORA_FLAG(PF_OutFlag2_CUSTOM_UI_ASYNC_MANAGER),
    LUMORA_FLAG(PF_OutFlag2_SUPPORTS_GPU_RENDER_F32),
    LUMORA_FLAG(PF_OutFlag2_RESERVED12),
    LUMORA_FLAG(PF_OutFlag2_SUPPORTS_THREADED_RENDERING),
    LUMORA_FLAG(PF_OutFlag2_MUTABLE_RENDER_SEQUENCE_DATA_SLOWER),
};

} // namespace

std::span<const FlagName> outFlagNames() { return kOutFlags; }
std::span<const FlagName> outFlag2Names() { return kOutFlags2; }

std::vector<std::string> setFlagNames(std::uint32_t value, std::span<const FlagName> names) {
    std::vector<std::string> result;
    for (unsigned bit = 0; bit < 32; ++bit) {
        const std::uint32_t mask = std::uint32_t{1} << bit;
        if (!(value & mask))
            continue;
        const char *name = nullptr;
        for (const FlagName &flag : names)
            if (flag.mask == mask)
                name = flag.name;
        result.push_back(name ? std::string(name) : "bit " + std::to_string(bit));
    }
    return result;
}

} // namespace lumora::pipl
