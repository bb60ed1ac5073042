#include "embedhost/WorldStore.h"

#include <cstring>
#include <new>

#include "embedhost/CurrentHost.h"

namespace embedhost {

namespace {

constexpr std::align_val_t kPixelAlignment{16};

WorldStore *storeFor(PF_ProgPtr effectRef) { return current::worldsOf(effectRef); }

WorldStore *currentStore() { return current::worlds(); }

PF_Err cbNewWorld2(PF_ProgPtr ref, A_long w, A_long h, PF_Boolean clear, PF_PixelFormat format, PF_EffectWorld *world) {
    WorldStore *s = storeFor(ref);
    return s ? s->create(w, h, format, clear != 0, world, true) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbNewWorld1(PF_ProgPtr ref, A_long w, A_long h, PF_NewWorldFlags flags, PF_EffectWorld *world) {
    WorldStore *s = storeFor(ref);
    return s ? s->createWithFlags(w, h, flags, world) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbDispose(PF_ProgPtr ref, PF_EffectWorld *world) {
    WorldStore *s = storeFor(ref);
    return s ? s->dispose(world) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbPixelFormat(const PF_EffectWorld *world, PF_PixelFormat *format) {
    WorldStore *s = currentStore();
    return s ? s->pixelFormat(world, format) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbCopy(PF_ProgPtr ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *srcRect, PF_Rect *dstRect) {
    WorldStore *s = storeFor(ref);
    return s ? s->copy(src, dst, srcRect, dstRect) : PF_Err_BAD_CALLBACK_PARAM;
}

} // namespace

namespace {
void releasePixels(void *data) { ::operator delete[](data, kPixelAlignment); }
} // namespace

WorldStore::WorldStore(const HostProfile &profile, MemoryMeter *meter)
    : cache_(profile.reuseCacheBytes, &releasePixels), meter_(meter), profile_(profile) {
    suite1_.new_world = cbNewWorld1;
    suite1_.dispose_world = cbDispose;
    suite2_.PF_NewWorld = cbNewWorld2;
    suite2_.PF_DisposeWorld = cbDispose;
    suite2_.PF_GetPixelFormat = cbPixelFormat;
}

WorldStore::~WorldStore() {
    for (auto &[data, record] : worlds_)
        ::operator delete[](const_cast<void *>(data), kPixelAlignment);
}

void WorldStore::fillUtilCallbacks(PF_UtilCallbacks &utils) {
    utils.new_world = cbNewWorld1;
    utils.dispose_world = cbDispose;
    utils.copy = cbCopy;
}

std::size_t WorldStore::bytesPerPixel(PF_PixelFormat format) {
    switch (format) {
    case PF_PixelFormat_ARGB32: return sizeof(PF_Pixel);
    case PF_PixelFormat_ARGB64: return sizeof(PF_Pixel16);
    case PF_PixelFormat_ARGB128: return sizeof(PF_PixelFloat);
    default: return 0;
    }
}

PF_Err WorldStore::create(A_long width, A_long height, PF_PixelFormat format, bool clear, PF_EffectWorld *world,
                          bool forEffect) {
    const std::size_t pixelBytes = bytesPerPixel(format);
    if (!world || pixelBytes == 0)
        return PF_Err_BAD_CALLBACK_PARAM;
    if (width < 1 || height < 1 || width > profile_.maxWorldDimension || height > profile_.maxWorldDimension)
        return PF_Err_BAD_CALLBACK_PARAM;

    const std::size_t extra = static_cast<std::size_t>(profile_.extraRowBytes > 0 ? profile_.extraRowBytes : 0);
    const std::size_t rowbytes = (std::size_t(width) * pixelBytes + extra + 15) / 16 * 16;
    const std::size_t bytes = rowbytes * std::size_t(height);
    if (rowbytes > 0x7fffffff || bytes > profile_.maxAllocationBytes)
        return PF_Err_BAD_CALLBACK_PARAM;
    void *data = nullptr;
    {
        std::lock_guard lock(mutex_);
        data = cache_.take(bytes);
    }
    if (!data)
        data = ::operator new[](bytes, kPixelAlignment, std::nothrow);
    if (!data)
        return PF_Err_OUT_OF_MEMORY;
    if (clear || profile_.garbageFill)
        std::memset(data, clear ? 0 : kGarbageByte, bytes);

    std::memset(world, 0, sizeof *world);
    world->world_flags =
        PF_WorldFlag_WRITEABLE | (format == PF_PixelFormat_ARGB64 ? PF_WorldFlags{PF_WorldFlag_DEEP} : 0);
    world->data = static_cast<PF_PixelPtr>(data);
    world->rowbytes = static_cast<A_long>(rowbytes);
    world->width = width;
    world->height = height;
    world->extent_hint = PF_Rect{0, 0, width, height};
    world->pix_aspect_ratio = PF_RationalScale{1, 1};

    std::lock_guard lock(mutex_);
    worlds_[data] = Record{format, width, height, static_cast<A_long>(rowbytes), bytes, forEffect};
    if (forEffect && meter_)
        meter_->add(bytes);
    ++totalCreated_;
    return PF_Err_NONE;
}

PF_Err WorldStore::createWithFlags(A_long width, A_long height, PF_NewWorldFlags flags, PF_EffectWorld *world) {
    const PF_PixelFormat format = (flags & PF_NewWorldFlag_DEEP_PIXELS) ? PF_PixelFormat_ARGB64 : PF_PixelFormat_ARGB32;
    return create(width, height, format, (flags & PF_NewWorldFlag_CLEAR_PIXELS) != 0, world, true);
}

const WorldStore::Record *WorldStore::findLocked(const PF_EffectWorld *world) const {
    if (!world || !world->data)
        return nullptr;
    auto it = worlds_.find(world->data);
    if (it == worlds_.end())
        return nullptr;
    const Record &r = it->second;
    if (world->width != r.width || world->height != r.height || world->rowbytes != r.rowbytes)
        return nullptr;
    return &r;
}

PF_Err WorldStore::dispose(PF_EffectWorld *world) {
    // The caller's record keeps its stale pointer, as with a real host: using it is a bug
    // that the sanitizers see unless the block is kept for reuse.
    std::lock_guard lock(mutex_);
    const Record *record = findLocked(world);
    if (!record)
        return PF_Err_BAD_CALLBACK_PARAM;
    const std::size_t bytes = record->bytes;
    if (record->effect && meter_)
        meter_->remove(bytes);
    void *data = world->data;
    worlds_.erase(data);
    cache_.give(data, bytes);
    return PF_Err_NONE;
}

PF_Err WorldStore::pixelFormat(const PF_EffectWorld *world, PF_PixelFormat *format) const {
    if (!format)
        return PF_Err_BAD_CALLBACK_PARAM;
    std::lock_guard lock(mutex_);
    const Record *r = findLocked(world);
    if (!r)
        return PF_Err_BAD_CALLBACK_PARAM;
    *format = r->format;
    return PF_Err_NONE;
}

std::optional<PF_PixelFormat> WorldStore::formatOf(const PF_EffectWorld &world) const {
    std::lock_guard lock(mutex_);
    const Record *r = findLocked(&world);
    return r ? std::optional<PF_PixelFormat>(r->format) : std::nullopt;
}

std::size_t WorldStore::live() const {
    std::lock_guard lock(mutex_);
    return worlds_.size();
}

std::size_t WorldStore::totalCreated() const {
    std::lock_guard lock(mutex_);
    return totalCreated_;
}

} // namespace embedhost
