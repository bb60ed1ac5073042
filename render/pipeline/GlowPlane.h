// Single-channel working planes of the renderer (16-bit glow values, 8-bit masks) with their
// row and column "may be non-zero" flags, in one block of host memory shared by stage views.
#pragma once

#include <cstddef>
#include <cstdint>

#include "SPBasic.h"
#include "host/kit/SharedPtr.h"

namespace AEUtil {

// Where plane blocks come from: host memory through the basic suite, or the process heap when
// no suite is given (tools and tests that run without a host).
struct PlaneMemory {
    SPBasicSuite *basic = nullptr;
    SharedPtr<uint8_t> allocate(std::size_t bytes) const;
};

struct PlaneRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

template <class T>
struct Plane {
    T *data = nullptr;
    SharedPtr<uint8_t> block;
    std::size_t blockBytes = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t rowBytes = 0;
    int32_t rowSamples = 0;
    PlaneRect bounds;
    uint8_t status = 0;
    uint8_t content = 0; // the plane may hold non-zero values
    uint8_t *rowFlags = nullptr;
    uint8_t *colFlags = nullptr;

    static int32_t quads(int32_t n) { return (n + 3) / 4; }
    // Values (rows padded to whole quads), then a flag per row and per column, each padded.
    static std::size_t blockSize(int32_t w, int32_t h) {
        return (static_cast<std::size_t>(h) * quads(w) * 4 * sizeof(T)) + static_cast<std::size_t>(quads(h)) * 4 +
               static_cast<std::size_t>(quads(w)) * 4;
    }

    T *row(int32_t y) { return data + static_cast<std::ptrdiff_t>(y) * rowSamples; }
    const T *row(int32_t y) const { return data + static_cast<std::ptrdiff_t>(y) * rowSamples; }

    // Lays the plane over a caller's block of at least blockSize(w, h) bytes; contents untouched.
    void attach(SharedPtr<uint8_t> mem, int32_t w, int32_t h) {
        block = std::move(mem);
        width = w;
        height = h;
        rowSamples = quads(w) * 4;
        rowBytes = rowSamples * static_cast<int32_t>(sizeof(T));
        blockBytes = blockSize(w, h);
        data = reinterpret_cast<T *>(block.get());
        rowFlags = block.get() + static_cast<std::size_t>(h) * rowBytes;
        colFlags = rowFlags + static_cast<std::size_t>(quads(h)) * 4;
        bounds = {0, 0, w, h};
        status = content = 1;
    }

    // A new block for w x h (contents undefined), or an empty plane when w * h is 0.
    void resize(int32_t w, int32_t h, const PlaneMemory &mem) {
        if (static_cast<int64_t>(w) * h != 0) {
            attach(mem.allocate(blockSize(w, h)), w, h);
            return;
        }
        *this = Plane{};
        status = content = 1;
    }

    void clear() {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                row(y)[x] = 0;
        clearFlags();
    }
    // clear() but for the values.
    void clearFlags() {
        for (int32_t y = 0; y < height; ++y)
            rowFlags[y] = 0;
        for (int32_t x = 0; x < width; ++x)
            colFlags[x] = 0;
        bounds = {};
        status = content = 0;
    }

    // Every value of the w x h area set to `value`, every line marked, bounds the whole plane,
    // both status bytes 0: the open mask and the full depth mask.
    void fillWhole(T value) {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                row(y)[x] = value;
        for (int32_t y = 0; y < height; ++y)
            rowFlags[y] = 1;
        for (int32_t x = 0; x < width; ++x)
            colFlags[x] = 1;
        bounds = {0, 0, width, height};
        status = content = 0;
    }
    // Copies values and flags of the w x h area, bounds and status; sizes must match.
    void copyFrom(const Plane &src) {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                row(y)[x] = src.row(y)[x];
        copyFlagsFrom(src);
    }
    // copyFrom() but for the values.
    void copyFlagsFrom(const Plane &src) {
        for (int32_t y = 0; y < height; ++y)
            rowFlags[y] = src.rowFlags[y];
        for (int32_t x = 0; x < width; ++x)
            colFlags[x] = src.colFlags[x];
        bounds = src.bounds;
        status = src.status;
        content = src.content;
    }
};

using GlowPlane = Plane<uint16_t>;
using MaskPlane = Plane<uint8_t>;

// The mask every blur of a render uses: all samples and lines take part; status bytes 0.
void fillOpenMask(MaskPlane &mask);
// Whether every sample and line of the mask takes part, so that a blur writes every sample.
bool maskIsOpen(const MaskPlane &mask);

} // namespace AEUtil
