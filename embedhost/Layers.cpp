#include "embedhost/Layers.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "embedhost/PixelIO.h"

namespace embedhost {

void LayerStore::set(A_long id, Image image) {
    if (id < 0)
        throw std::invalid_argument("embedhost: layer id " + std::to_string(id) + " is below 0");
    if (Image::pixelBytes(image.format) == 0)
        throw std::invalid_argument("embedhost: layer " + std::to_string(id) + " has an unknown pixel format");
    if (image.width < 1 || image.height < 1)
        throw std::invalid_argument("embedhost: layer " + std::to_string(id) + " is smaller than 1 x 1");
    if (image.pixels.size() != image.rowBytes() * std::size_t(image.height))
        throw std::invalid_argument("embedhost: layer " + std::to_string(id) +
                                    ": pixel bytes do not match width, height and format");
    auto shared = std::make_shared<const Image>(std::move(image));
    std::lock_guard lock(mutex_);
    layers_[id] = std::move(shared);
}

void LayerStore::remove(A_long id) {
    std::lock_guard lock(mutex_);
    layers_.erase(id);
}

void LayerStore::setItemSize(A_long width, A_long height) {
    if (width < 1 || height < 1)
        throw std::invalid_argument("embedhost: item size " + std::to_string(width) + " x " + std::to_string(height) +
                                    " is below 1 x 1");
    std::lock_guard lock(mutex_);
    itemSize_ = Size{width, height};
}

std::shared_ptr<const Image> LayerStore::get(A_long id) const {
    std::lock_guard lock(mutex_);
    auto it = layers_.find(id);
    return it == layers_.end() ? nullptr : it->second;
}

std::optional<Size> LayerStore::inputSize() const {
    std::lock_guard lock(mutex_);
    auto it = layers_.find(kInputLayerId);
    if (it == layers_.end())
        return std::nullopt;
    return Size{it->second->width, it->second->height};
}

Size LayerStore::itemSize(Size fallback) const {
    {
        std::lock_guard lock(mutex_);
        if (itemSize_)
            return *itemSize_;
    }
    return inputSize().value_or(fallback);
}

bool validDownsample(PF_RationalScale scale) {
    return scale.num > 0 && scale.den > 0 && std::uint32_t(scale.num) <= scale.den;
}

A_long downsampled(A_long length, PF_RationalScale scale) {
    if (!validDownsample(scale) || length <= 0)
        return length;
    const std::int64_t n = std::int64_t(length) * scale.num;
    return static_cast<A_long>((n + scale.den - 1) / scale.den);
}

Image resampleNearest(const Image &image, A_long width, A_long height) {
    if (width == image.width && height == image.height)
        return image;
    Image out = Image::make(width, height, image.format);
    const std::size_t px = image.pixelBytes();
    for (A_long y = 0; y < height; ++y) {
        const A_long sy = static_cast<A_long>(std::int64_t(y) * image.height / height);
        const std::uint8_t *from = image.pixels.data() + image.rowBytes() * std::size_t(sy);
        std::uint8_t *to = out.pixels.data() + out.rowBytes() * std::size_t(y);
        for (A_long x = 0; x < width; ++x) {
            const A_long sx = static_cast<A_long>(std::int64_t(x) * image.width / width);
            std::memcpy(to + px * std::size_t(x), from + px * std::size_t(sx), px);
        }
    }
    return out;
}

Image convertImage(const Image &image, PF_PixelFormat format) {
    if (format == image.format)
        return image;
    Image out = Image::make(image.width, image.height, format);
    for (A_long y = 0; y < image.height; ++y) {
        const std::uint8_t *from = image.pixels.data() + image.rowBytes() * std::size_t(y);
        std::uint8_t *to = out.pixels.data() + out.rowBytes() * std::size_t(y);
        for (A_long x = 0; x < image.width; ++x)
            pixelio::store(to, format, x, pixelio::rescale(pixelio::load(from, image.format, x), image.format, format));
    }
    return out;
}

Image crop(const Image &image, const PF_Rect &rect) {
    if (rect.left < 0 || rect.top < 0 || rect.right > image.width || rect.bottom > image.height ||
        rect.left > rect.right || rect.top > rect.bottom)
        throw std::invalid_argument("embedhost: crop rectangle outside the image");
    Image out = Image::make(rect.right - rect.left, rect.bottom - rect.top, image.format);
    const std::size_t px = image.pixelBytes();
    for (A_long y = 0; y < out.height; ++y)
        std::memcpy(out.pixels.data() + out.rowBytes() * std::size_t(y),
                    image.pixels.data() + image.rowBytes() * std::size_t(rect.top + y) + px * std::size_t(rect.left),
                    out.rowBytes());
    return out;
}

PF_Err worldFromImage(WorldStore &worlds, const Image &image, PF_EffectWorld &world) {
    return worldFromImage(worlds, image, PF_Rect{0, 0, image.width, image.height}, world);
}

PF_Err worldFromImage(WorldStore &worlds, const Image &image, const PF_Rect &rect, PF_EffectWorld &world) {
    if (rect.left < 0 || rect.top < 0 || rect.right > image.width || rect.bottom > image.height ||
        rect.left > rect.right || rect.top > rect.bottom)
        throw std::invalid_argument("embedhost: world rectangle outside the image");
    const A_long width = rect.right - rect.left;
    const A_long height = rect.bottom - rect.top;
    if (PF_Err err = worlds.create(width, height, image.format, false, &world))
        return err;
    const std::size_t px = image.pixelBytes();
    for (A_long y = 0; y < height; ++y)
        std::memcpy(reinterpret_cast<std::uint8_t *>(world.data) + std::size_t(world.rowbytes) * std::size_t(y),
                    image.pixels.data() + image.rowBytes() * std::size_t(rect.top + y) + px * std::size_t(rect.left),
                    px * std::size_t(width));
    return PF_Err_NONE;
}

Image imageFromWorld(const PF_EffectWorld &world, PF_PixelFormat format) {
    if (!world.data)
        return Image::make(world.width, world.height, format);
    // Appended row by row, so the pixels are written once, not zeroed first.
    Image out = Image::make(0, 0, format);
    out.width = world.width;
    out.height = world.height;
    const std::size_t rowBytes = out.rowBytes();
    out.pixels.reserve(rowBytes * std::size_t(world.height > 0 ? world.height : 0));
    for (A_long y = 0; y < world.height; ++y) {
        const auto *row =
            reinterpret_cast<const std::uint8_t *>(world.data) + std::size_t(world.rowbytes) * std::size_t(y);
        out.pixels.insert(out.pixels.end(), row, row + rowBytes);
    }
    return out;
}

} // namespace embedhost
