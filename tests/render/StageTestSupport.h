// Worlds on the heap, plane builders and the embedded host's workers for the stage tests.
#pragma once

#include <cstring>
#include <vector>

#include "colorbar/data/GradientData.h"
#include "embedhost/Host.h"
#include "render/pipeline/GlowPlane.h"
#include "render/pipeline/StageHost.h"

namespace stagetest {

using namespace AEUtil;

inline embedhost::HostProfile workers(unsigned n) {
    embedhost::HostProfile p;
    p.workerThreads = n;
    return p;
}

// The host's iterate_generic over its thread pool, and plane memory from its handles.
inline StageHost stagesOf(embedhost::Host &host) {
    return {host.utils().iterate_generic, {const_cast<SPBasicSuite *>(host.suites().basicSuite())}};
}

template <class Pixel>
struct World {
    std::vector<Pixel> px;
    PF_EffectWorld w{};
    World(int width, int height, Pixel fill = {}) : px(std::size_t(width * height), fill) {
        w.data = reinterpret_cast<PF_Pixel *>(px.data());
        w.width = width;
        w.height = height;
        w.rowbytes = width * int(sizeof(Pixel));
    }
    Pixel &at(int x, int y) { return px[std::size_t(y * w.width + x)]; }
    std::vector<unsigned char> bytes() const {
        std::vector<unsigned char> b(px.size() * sizeof(Pixel));
        std::memcpy(b.data(), px.data(), b.size());
        return b;
    }
};

inline GlowPlane plane(int width, int height, uint16_t fill = 0) {
    GlowPlane p;
    p.resize(width, height, {});
    p.clear();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.row(y)[x] = fill;
    return p;
}

inline std::vector<uint16_t> values(const GlowPlane &p) {
    std::vector<uint16_t> v;
    for (int y = 0; y < p.height; ++y)
        v.insert(v.end(), p.row(y), p.row(y) + p.width);
    return v;
}

// Stops at 0 and 1 of one colour each.
inline ColorFlagList twoStops(PF_Pixel at0, PF_Pixel at1) {
    ColorFlagList l;
    initColorFlagList(l);
    l.count = 2;
    l.flags = kColorFlagListSorted;
    l.flag[0] = {at0.alpha, at0.red, at0.green, at0.blue, 0.0f, 0, 0};
    l.flag[1] = {at1.alpha, at1.red, at1.green, at1.blue, 1.0f, 1, 0};
    return l;
}

} // namespace stagetest
