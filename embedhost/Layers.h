// The layers the embedded host can hand to a render: the effect's own input layer (id 0) and
// the layers that layer parameters name by id, the size of the item behind the effect's layer,
// and the conversions between images and the host's worlds.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "AE_Effect.h"
#include "embedhost/Image.h"
#include "embedhost/WorldStore.h"

namespace embedhost {

constexpr A_long kInputLayerId = 0;

struct Size {
    A_long width = 0;
    A_long height = 0;
    bool operator==(const Size &) const = default;
};

class LayerStore {
public:
    // Throws std::invalid_argument for an id below 0, an unknown format, a size below 1 or
    // pixels that do not hold height rows of width pixels; nothing changes then.
    void set(A_long id, Image image);
    void remove(A_long id);
    // Throws std::invalid_argument for a size below 1.
    void setItemSize(A_long width, A_long height);
    // The stored image itself, shared rather than copied; null when there is none.
    std::shared_ptr<const Image> get(A_long id) const;
    std::optional<Size> inputSize() const; // full resolution
    // The override, else the input layer's full-resolution size, else `fallback`.
    Size itemSize(Size fallback) const;

private:
    mutable std::mutex mutex_;
    std::map<A_long, std::shared_ptr<const Image>> layers_;
    std::optional<Size> itemSize_;
};

// A length at a downsample factor, rounded up: ceil(length * num / den).
A_long downsampled(A_long length, PF_RationalScale scale);
// Whether num and den make a factor in (0, 1].
bool validDownsample(PF_RationalScale scale);

// Nearest neighbour: target pixel x takes source pixel floor(x * source width / width), the
// same for rows. The host's resampling of layers to the render's downsample.
Image resampleNearest(const Image &image, A_long width, A_long height);
// The same pixels on another depth's scale (rounded to nearest for integer depths).
Image convertImage(const Image &image, PF_PixelFormat format);
// The part of the image inside `rect` (which must lie within it).
Image crop(const Image &image, const PF_Rect &rect);

// A new world of the store holding the image; the world's origin is left at 0.
PF_Err worldFromImage(WorldStore &worlds, const Image &image, PF_EffectWorld &world);
// The same for the part of the image inside `rect` (which must lie within it), copied once.
PF_Err worldFromImage(WorldStore &worlds, const Image &image, const PF_Rect &rect, PF_EffectWorld &world);
// The pixels of a world as an image of the given format (the world's own).
Image imageFromWorld(const PF_EffectWorld &world, PF_PixelFormat format);

} // namespace embedhost
