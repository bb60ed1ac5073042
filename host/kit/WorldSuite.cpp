#include "host/kit/WorldSuite.h"

#include <cstring>
#include <utility>

#include "host/kit/AEException.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

struct EffectWorldPtr::Block {
    SPBasicSuite *basic = nullptr;
    PF_ProgPtr effect_ref = nullptr;
    PF_EffectWorld world{};
    int32_t count = 1;
    bool created = false; // the host filled `world`, so it must be disposed
};

EffectWorldPtr::EffectWorldPtr(Block *block) noexcept : block_(block), world_(block ? &block->world : nullptr) {}

EffectWorldPtr::EffectWorldPtr(const EffectWorldPtr &other) noexcept : block_(other.block_), world_(other.world_) {
    if (block_)
        ++block_->count;
}

EffectWorldPtr::EffectWorldPtr(EffectWorldPtr &&other) noexcept
    : block_(std::exchange(other.block_, nullptr)), world_(std::exchange(other.world_, nullptr)) {}

EffectWorldPtr &EffectWorldPtr::operator=(const EffectWorldPtr &other) noexcept {
    EffectWorldPtr copy(other);
    std::swap(block_, copy.block_);
    std::swap(world_, copy.world_);
    return *this;
}

EffectWorldPtr &EffectWorldPtr::operator=(EffectWorldPtr &&other) noexcept {
    if (this != &other) {
        release();
        block_ = std::exchange(other.block_, nullptr);
        world_ = std::exchange(other.world_, nullptr);
    }
    return *this;
}

EffectWorldPtr::~EffectWorldPtr() { release(); }

int32_t EffectWorldPtr::useCount() const noexcept { return block_ ? block_->count : 0; }

int32_t EffectWorldPtr::release() noexcept {
    if (!block_)
        return -1;
    Block *block = std::exchange(block_, nullptr);
    world_ = nullptr;
    const int32_t left = --block->count;
    if (left == 0) {
        if (block->created) {
            try {
                WorldSuite::disposeWorld(block->basic, block->effect_ref, &block->world);
            } catch (...) {
                // A host that withdrew its suites keeps the buffer; nothing safe is left to do.
            }
        }
        delete block;
    }
    return left;
}

EffectWorldPtr WorldSuite::newWorld(PF_InData *in_data, A_long width, A_long height, bool clear,
                                    PF_PixelFormat pixel_format) {
    EffectWorldPtr handle(new EffectWorldPtr::Block);
    handle.block_->basic = in_data->pica_basicP;
    handle.block_->effect_ref = in_data->effect_ref;

    PF_Err err = PF_Err_NONE;
    {
        SuiteCache suites(in_data->pica_basicP);
        if (const PF_WorldSuite2 *ws2 = suites.tryWorldSuite2()) {
            err = ws2->PF_NewWorld(in_data->effect_ref, width, height, clear ? 1 : 0, pixel_format, handle.world_);
        } else if (pixel_format == PF_PixelFormat_ARGB32 || pixel_format == PF_PixelFormat_ARGB64) {
            PF_NewWorldFlags flags = pixel_format == PF_PixelFormat_ARGB64 ? PF_NewWorldFlag_DEEP_PIXELS : 0;
            if (clear)
                flags |= PF_NewWorldFlag_CLEAR_PIXELS;
            err = suites.worldSuite1()->new_world(in_data->effect_ref, width, height, flags, handle.world_);
        } else {
            // Version 1 has no float buffers: refuse rather than hand back an empty world.
            AE_THROW(PF_Err_UNRECOGNIZED_PARAM_TYPE, "%s: pixel format 0x%08x needs PF World Suite 2\n",
                     __PRETTY_FUNCTION__, static_cast<unsigned>(pixel_format));
        }
    }
    if (err != PF_Err_NONE) {
        std::memset(handle.world_, 0, sizeof *handle.world_);
        AE_THROW(err, "%s", __PRETTY_FUNCTION__);
    }
    handle.block_->created = true;
    return handle;
}

PF_Err WorldSuite::pixelFormat(PF_InData *in_data, const PF_EffectWorld *world, PF_PixelFormat *format) {
    *format = PF_PixelFormat_INVALID;
    SuiteCache suites(in_data->pica_basicP);
    if (const PF_WorldSuite2 *ws2 = suites.tryWorldSuite2())
        return ws2->PF_GetPixelFormat(world, format);
    *format = (world->world_flags & PF_WorldFlag_DEEP) ? PF_PixelFormat_ARGB64 : PF_PixelFormat_ARGB32;
    return PF_Err_NONE;
}

PF_Err WorldSuite::disposeWorld(SPBasicSuite *basic, PF_ProgPtr effect_ref, PF_EffectWorld *world) {
    SuiteCache suites(basic);
    if (const PF_WorldSuite2 *ws2 = suites.tryWorldSuite2())
        return ws2->PF_DisposeWorld(effect_ref, world);
    return suites.worldSuite1()->dispose_world(effect_ref, world);
}

} // namespace AEUtil
