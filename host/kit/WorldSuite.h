// Host image buffers: creation through the World Suite (version 2, else version 1), the
// pixel-format query, and EffectWorldPtr, the shared owner that disposes a buffer with its last copy.
#pragma once

#include <cstdint>

#include "AE_EffectCBSuites.h"

namespace AEUtil {

class EffectWorldPtr {
public:
    EffectWorldPtr() noexcept = default;
    EffectWorldPtr(const EffectWorldPtr &other) noexcept;
    EffectWorldPtr(EffectWorldPtr &&other) noexcept;
    EffectWorldPtr &operator=(const EffectWorldPtr &other) noexcept;
    EffectWorldPtr &operator=(EffectWorldPtr &&other) noexcept;
    ~EffectWorldPtr();

    // -1 for an empty handle, else the references left (0: the buffer was disposed).
    int32_t release() noexcept;

    PF_EffectWorld *get() const noexcept { return world_; }
    PF_EffectWorld *operator->() const noexcept { return world_; }
    explicit operator bool() const noexcept { return world_ != nullptr; }
    int32_t useCount() const noexcept;

private:
    friend struct WorldSuite;
    struct Block;
    explicit EffectWorldPtr(Block *block) noexcept;

    Block *block_ = nullptr;
    PF_EffectWorld *world_ = nullptr;
};

struct WorldSuite {
    // A new buffer of the given size and format; `clear` asks for zeroed pixels. Raises
    // AEException with the host's code when the host refuses, and PF_Err_UNRECOGNIZED_PARAM_TYPE
    // for a format the host's suites cannot make (float without World Suite version 2).
    static EffectWorldPtr newWorld(PF_InData *in_data, A_long width, A_long height, bool clear,
                                   PF_PixelFormat pixel_format);

    // Version 2 answers when present; otherwise the deep flag tells 16 from 8 bits.
    static PF_Err pixelFormat(PF_InData *in_data, const PF_EffectWorld *world, PF_PixelFormat *format);

    static PF_Err disposeWorld(SPBasicSuite *basic, PF_ProgPtr effect_ref, PF_EffectWorld *world);
};

} // namespace AEUtil
