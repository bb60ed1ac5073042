// Image buffers the host allocates for plug-ins: "PF World Suite" versions 1 and 2 and the
// new_world / dispose_world / copy utility callbacks. Remembers each live world's format.
#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>

#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "embedhost/BlockCache.h"
#include "embedhost/HostProfile.h"
#include "embedhost/MemoryMeter.h"

namespace embedhost {

class WorldStore {
public:
    // The meter (if any) counts the worlds the effect makes through the suites.
    explicit WorldStore(const HostProfile &profile, MemoryMeter *meter = nullptr);
    WorldStore(const WorldStore &) = delete;
    WorldStore &operator=(const WorldStore &) = delete;
    ~WorldStore(); // frees what plug-ins leaked; live() tells tests about it before

    // Fills *world with a new buffer: rowbytes a multiple of 16 (plus the profile's extra row
    // bytes), WRITEABLE (and DEEP for 16 bit), extent_hint the whole world, square pixels.
    // Without `clear` the pixels hold a garbage pattern (the profile's garbageFill), as host
    // memory is not zeroed.
    // Errors: PF_Err_BAD_CALLBACK_PARAM for a null world, unknown format, or a size below 1
    // or above the profile's limits; nothing is allocated then.
    PF_Err create(A_long width, A_long height, PF_PixelFormat format, bool clear, PF_EffectWorld *world,
                  bool forEffect = false);
    // Version 1 and utils flavour: PF_NewWorldFlag_DEEP_PIXELS selects 16 bit, else 8 bit.
    PF_Err createWithFlags(A_long width, A_long height, PF_NewWorldFlags flags, PF_EffectWorld *world);
    PF_Err dispose(PF_EffectWorld *world); // unknown world: PF_Err_BAD_CALLBACK_PARAM
    PF_Err pixelFormat(const PF_EffectWorld *world, PF_PixelFormat *format) const;

    // copy callback: same format only; null rects mean the whole world; with rectangles the
    // source rectangle goes to the destination rectangle when their sizes match (no scaling).
    PF_Err copy(const PF_EffectWorld *src, PF_EffectWorld *dst, const PF_Rect *srcRect, const PF_Rect *dstRect) const;

    std::optional<PF_PixelFormat> formatOf(const PF_EffectWorld &world) const;
    std::size_t live() const;
    std::size_t totalCreated() const;

    static std::size_t bytesPerPixel(PF_PixelFormat format); // 0 for unknown formats
    static constexpr unsigned char kGarbageByte = 0xCD;

    const PF_WorldSuite1 *suite1() const { return &suite1_; }
    const PF_WorldSuite2 *suite2() const { return &suite2_; }
    static void fillUtilCallbacks(PF_UtilCallbacks &utils); // new_world, dispose_world, copy

private:
    struct Record {
        PF_PixelFormat format;
        A_long width, height, rowbytes;
        std::size_t bytes;
        bool effect; // made through the suites, so counted by the meter
    };
    // The world's record when *world describes a live buffer of this store exactly.
    const Record *findLocked(const PF_EffectWorld *world) const;

    mutable std::mutex mutex_;
    BlockCache cache_;
    MemoryMeter *meter_;
    HostProfile profile_;
    std::map<const void *, Record> worlds_; // keyed by the pixel address
    std::size_t totalCreated_ = 0;
    PF_WorldSuite1 suite1_{};
    PF_WorldSuite2 suite2_{};
};

} // namespace embedhost
