// The effect's identity, version and global flags: the one source for both the property-list
// generator and the plug-in's global set-up, so the host sees the same values in both places.
#pragma once

#include "AE_Effect.h"

namespace lumora::version {

inline constexpr A_u_long kMajor = 1;
inline constexpr A_u_long kMinor = 1;
inline constexpr A_u_long kRevision = 1;
inline constexpr A_u_long kStage = PF_Stage_RELEASE;
inline constexpr A_u_long kBuild = 13;

// The host's packed version word (PF_OutData::my_version and the "eVER" property).
inline constexpr A_u_long kPackedVersion = PF_VERSION(kMajor, kMinor, kRevision, kStage, kBuild);

inline constexpr PF_OutFlags kOutFlags = static_cast<PF_OutFlags>(
    PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING | PF_OutFlag_I_DO_DIALOG | PF_OutFlag_USE_OUTPUT_EXTENT |
    PF_OutFlag_I_EXPAND_BUFFER | PF_OutFlag_CUSTOM_UI | PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI);

inline constexpr PF_OutFlags2 kOutFlags2 = static_cast<PF_OutFlags2>(
    PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS | PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG |
    PF_OutFlag2_I_AM_THREADSAFE | PF_OutFlag2_REVEALS_ZERO_ALPHA | PF_OutFlag2_SUPPORTS_SMART_RENDER |
    PF_OutFlag2_FLOAT_COLOR_AWARE | PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA |
    PF_OutFlag2_SUPPORTS_THREADED_RENDERING);

// Effects API version the property list declares ("eSVR") and the property-list format
// version ("ePVR").
inline constexpr A_u_short kSpecVersionMajor = 13;
inline constexpr A_u_short kSpecVersionMinor = 27;
inline constexpr A_u_short kPiPLVersionMajor = 2;
inline constexpr A_u_short kPiPLVersionMinor = 0;

inline constexpr char kEffectName[] = "Lumora";
inline constexpr char kCategory[] = "NORIK";
inline constexpr char kMatchName[] = "NORIK GLOW";
inline constexpr char kEntryPointName[] = "EntryPointFunc";

// The host compares these against values it already knows for this effect; a silent change
// here would make it reject or re-register the plug-in.
static_assert(kPackedVersion == 560653, "packed effect version changed");
static_assert(static_cast<A_u_long>(kOutFlags) == 0x06008270u, "global out flags changed");
static_assert(static_cast<A_u_long>(kOutFlags2) == 0x08801499u, "global out flags 2 changed");
static_assert(sizeof(kEffectName) - 1 <= PF_MAX_EFFECT_NAME_LEN, "effect name too long for the host");

} // namespace lumora::version
