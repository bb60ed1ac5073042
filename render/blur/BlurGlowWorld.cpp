// The colour blur. Unlike the plane blur, only masked samples count, each once, and nothing
// is counted past the end of a line; the integer form rounds to nearest.
#include "render/blur/BlurGlowWorld.h"

#include <cstdlib>
#include <new>
#include <vector>

#include "render/blur/BlurGlowPlane.h"
#include "render/blur/GlowWindow.h"
#include "render/pipeline/RowBand.h"

namespace AEUtil {
namespace {

template <class Pixel>
struct PixelLine {
    char *base;
    std::ptrdiff_t step; // bytes between neighbours along the line
    Pixel &operator[](int32_t i) const { return *reinterpret_cast<Pixel *>(base + i * step); }
};

struct MaskLine {
    const uint8_t *p;
    std::ptrdiff_t step;
    uint8_t operator[](int32_t i) const { return p[i * step]; }
};

// Box and window bookkeeping shared by both forms; Sum is the type of the channel sums.
template <class Pixel, class Sum, class OutFn>
void blurWorldLine(PixelLine<const Pixel> s, MaskLine m, int32_t N, const GlowKernel &k, OutFn emit) {
    uint32_t n = 0;
    Sum a = 0, r = 0, g = 0, b = 0;
    auto enter = [&](int32_t j) {
        if (!m[j])
            return;
        ++n;
        a += s[j].alpha, r += s[j].red, g += s[j].green, b += s[j].blue;
    };
    auto leave = [&](int32_t j) {
        if (!m[j])
            return;
        --n;
        a -= s[j].alpha, r -= s[j].red, g -= s[j].green, b -= s[j].blue;
    };
    auto nothingPastEnd = [] {};
    slideGlowWindow(k.halfWidth, N, enter, nothingPastEnd, leave, [&](int32_t x, int32_t jBegin, int32_t jEnd) {
        if (m[x] && n != 0)
            emit(x, jBegin, jEnd, n, a, r, g, b);
    });
}

void line16(const WorldPass &p, PixelLine<const PF_Pixel16> s, MaskLine m, int32_t N, PixelLine<PF_Pixel16> d) {
    const GlowKernel &k = *p.kernel;
    const uint32_t o = k.box;
    blurWorldLine<PF_Pixel16, uint32_t>(
        s, m, N, k,
        [&](int32_t x, int32_t jb, int32_t je, uint32_t n, uint32_t sa, uint32_t sr, uint32_t sg, uint32_t sb) {
            uint32_t acc[4] = {0, 0, 0, 0};
            uint16_t ws = 0;
            for (int32_t j = jb; j <= je; ++j) {
                if (!m[j])
                    continue;
                const uint32_t w = k.weights[static_cast<std::size_t>(std::abs(j - x))];
                acc[0] += w * s[j].alpha, acc[1] += w * s[j].red, acc[2] += w * s[j].green, acc[3] += w * s[j].blue;
                ws = static_cast<uint16_t>(ws + w);
            }
            if (o == 0) {
                if (ws == 0) {
                    d[x] = s[x];
                    return;
                }
                auto ch = [&](uint32_t v) { return static_cast<A_u_short>((v + ws / 2u) / ws); };
                d[x] = {ch(acc[0]), ch(acc[1]), ch(acc[2]), ch(acc[3])};
                return;
            }
            const uint32_t sums[4] = {sa, sr, sg, sb};
            A_u_short outc[4];
            for (int c = 0; c < 4; ++c) {
                const uint64_t bm = sums[c] / n;
                const uint64_t peak = ws ? uint64_t(acc[c] / ws) * (32768u - o) : 0;
                outc[c] = static_cast<A_u_short>((bm * o + peak + 16384u) / 32768u);
            }
            d[x] = {outc[0], outc[1], outc[2], outc[3]};
        });
}

void lineFloat(const WorldPass &p, PixelLine<const PF_PixelFloat> s, MaskLine m, int32_t N,
               PixelLine<PF_PixelFloat> d) {
    const GlowKernel &k = *p.kernel;
    const double o = k.box;
    blurWorldLine<PF_PixelFloat, double>(
        s, m, N, k, [&](int32_t x, int32_t jb, int32_t je, uint32_t n, double sa, double sr, double sg, double sb) {
            double peak[4] = {0, 0, 0, 0};
            uint16_t ws = 0;
            for (int32_t j = jb; j <= je; ++j) {
                if (!m[j])
                    continue;
                const uint16_t w = k.weights[static_cast<std::size_t>(std::abs(j - x))];
                const double f = w / 32768.0;
                peak[0] += f * s[j].alpha, peak[1] += f * s[j].red, peak[2] += f * s[j].green, peak[3] += f * s[j].blue;
                ws = static_cast<uint16_t>(ws + w);
            }
            if (o == 0 && ws == 0) {
                d[x] = s[x];
                return;
            }
            const double sums[4] = {sa, sr, sg, sb};
            float outc[4];
            for (int c = 0; c < 4; ++c) {
                const double boxPart = (sums[c] / n) * (o / 32768.0);
                if (o == 0)
                    outc[c] = static_cast<float>(peak[c] * (32768.0 / ws));
                else if (ws == 0)
                    outc[c] = static_cast<float>(boxPart);
                else
                    outc[c] = static_cast<float>(peak[c] * (32768.0 / ws) * (1.0 - o / 32768.0) + boxPart);
            }
            d[x] = {outc[0], outc[1], outc[2], outc[3]};
        });
}

template <class Pixel, class LineFn>
void blurLines(const WorldPass &p, int32_t begin, int32_t end, LineFn lineFn) {
    const MaskPlane &mask = *p.mask;
    const auto px = static_cast<std::ptrdiff_t>(sizeof(Pixel));
    auto at = [&](const PF_EffectWorld *w, int32_t x, int32_t y) {
        return reinterpret_cast<char *>(w->data) + static_cast<std::ptrdiff_t>(y) * w->rowbytes + x * px;
    };
    const int32_t width = p.rect.right - p.rect.left, height = p.rect.bottom - p.rect.top;
    for (int32_t line = begin; line < end; ++line) {
        if (p.rowPass) {
            if (!mask.rowFlags[line])
                continue;
            const int32_t y = p.rect.top + line;
            lineFn(p, PixelLine<const Pixel>{at(p.src, p.rect.left, y), px}, MaskLine{mask.row(line), 1}, width,
                   PixelLine<Pixel>{at(p.dst, p.rect.left, y), px});
        } else {
            if (!mask.colFlags[line])
                continue;
            const int32_t x = p.rect.left + line;
            lineFn(p, PixelLine<const Pixel>{at(p.src, x, p.rect.top), p.src->rowbytes},
                   MaskLine{mask.data + line, mask.rowSamples}, height,
                   PixelLine<Pixel>{at(p.dst, x, p.rect.top), p.dst->rowbytes});
        }
    }
}

template <bool Float>
PF_Err passCallback(void *refcon, A_long, A_long i, A_long count) {
    const WorldPass &p = *static_cast<const WorldPass *>(refcon);
    const int32_t lines = p.rowPass ? p.rect.bottom - p.rect.top : p.rect.right - p.rect.left;
    const RowBand band = rowBand(lines, count, i);
    try {
        if constexpr (Float)
            blurWorldLinesFloat(p, band.begin, band.end);
        else
            blurWorldLines16(p, band.begin, band.end);
    } catch (const std::bad_alloc &) {
        return PF_Err_OUT_OF_MEMORY;
    }
    return PF_Err_NONE;
}

// The r < 2 copy: masked pixels of the rectangle only.
template <class Pixel>
PF_Err copyMaskedCallback(void *refcon, A_long, A_long i, A_long count) {
    const WorldPass &p = *static_cast<const WorldPass *>(refcon);
    const RowBand band = rowBand(p.rect.bottom - p.rect.top, count, i);
    for (int32_t line = band.begin; line < band.end; ++line) {
        const int32_t y = p.rect.top + line;
        const auto *s = reinterpret_cast<const Pixel *>(reinterpret_cast<const char *>(p.src->data) +
                                                        static_cast<std::ptrdiff_t>(y) * p.src->rowbytes);
        auto *d = reinterpret_cast<Pixel *>(reinterpret_cast<char *>(p.dst->data) +
                                            static_cast<std::ptrdiff_t>(y) * p.dst->rowbytes);
        for (int32_t c = 0; c < p.rect.right - p.rect.left; ++c)
            if (!p.mask || p.mask->row(line)[c])
                d[p.rect.left + c] = s[p.rect.left + c];
    }
    return PF_Err_NONE;
}

// A null mask is the open one (every pixel takes part).
template <class Pixel, bool Float>
PF_Err blurWorld(const StageHost &host, PF_EffectWorld &out, const PF_EffectWorld &in, PF_EffectWorld &tmp,
                 const PlaneRect &rect, const MaskPlane *mask, double radius, double aspect,
                 const ProgressCounter *progress) {
    if (radius < 2.0) {
        WorldPass copy{&in, &out, rect, mask, nullptr, true};
        return host.run(&copy, &copyMaskedCallback<Pixel>);
    }
    const BlurWidths widths = glowBlurWidths(radius, aspect, false);
    const GlowKernel rowKernel = kernelForWidth(widths.horizontal);
    const NestedBoxKernel rowBoxes = nestedBoxes(rowKernel);
    const bool open = !mask || maskIsOpen(*mask);
    WorldPass rows{&in, &tmp, rect, mask, &rowKernel, true, &rowBoxes, nullptr, open};
    PF_Err err = host.run(&rows, &passCallback<Float>);
    if (!err && progress)
        err = progress->report(progress->stepsDone);
    if (err)
        return err;
    const GlowKernel colKernel = kernelForWidth(widths.vertical);
    const NestedBoxKernel colBoxes = nestedBoxes(colKernel);
    WorldPass cols{&tmp, &out, rect, mask, &colKernel, false, &colBoxes, nullptr, open};
    err = host.run(&cols, &passCallback<Float>);
    if (!err && progress)
        err = progress->report(progress->stepsDone);
    return err;
}

// The rectangle of a fast pass as its lane block reads it: lines, their length, where the first
// channel of each world sits (channels of type T) and how far apart rows are; the mask (null
// when open) and the mask's line flags (null: every line).
template <class T, class Block>
const uint8_t *describePass(const WorldPass &p, Block &block) {
    auto origin = [&](const PF_EffectWorld *w) {
        return reinterpret_cast<T *>(reinterpret_cast<char *>(w->data) +
                                     static_cast<std::ptrdiff_t>(p.rect.top) * w->rowbytes) +
               4 * static_cast<std::ptrdiff_t>(p.rect.left);
    };
    const MaskPlane *mask = p.mask;
    block.rows = p.rowPass;
    block.n = p.rowPass ? p.rect.right - p.rect.left : p.rect.bottom - p.rect.top;
    block.src = origin(p.src);
    block.dst = origin(p.dst);
    block.srcStride = p.src->rowbytes / static_cast<A_long>(sizeof(T));
    block.dstStride = p.dst->rowbytes / static_cast<A_long>(sizeof(T));
    block.mask = p.openMask || !mask ? nullptr : mask->data;
    block.maskStride = mask ? mask->rowSamples : 0;
    return !mask ? nullptr : p.rowPass ? mask->rowFlags : mask->colFlags;
}

} // namespace

void blurWorldLines16Literal(const WorldPass &pass, int32_t begin, int32_t end) {
    blurLines<PF_Pixel16>(pass, begin, end, line16);
}

void blurWorldLines16(const WorldPass &p, int32_t begin, int32_t end) {
    PlaneLaneBlock block;
    block.rule = LaneRule::Color16;
    const uint8_t *lineOn = describePass<uint16_t>(p, block);
    const PlaneLaneKernelView view = laneView(*p.boxes);
    const PlaneLaneKernel kernel = p.lanes ? p.lanes : planeLaneKernel();
    const PlaneLaneMemory memory(block, *p.boxes);
    forEachLaneBlock(block, lineOn, begin, end, kColorLines, [&] { kernel(block, view); });
}

void blurWorldLinesFloatLiteral(const WorldPass &pass, int32_t begin, int32_t end) {
    blurLines<PF_PixelFloat>(pass, begin, end, [](const WorldPass &p, auto src, MaskLine m, int32_t n, auto dst) {
        lineFloat(p, src, m, n, dst);
    });
}

void blurWorldLinesFloat(const WorldPass &p, int32_t begin, int32_t end) {
    FloatLaneBlock block;
    const uint8_t *lineOn = describePass<float>(p, block);
    const int32_t n = block.n;
    const GlowKernel &kernel = *p.kernel;
    const FloatLaneKernel run = p.floatLanes ? p.floatLanes : planeLaneVariants().front().runFloat;
    const auto samples = static_cast<std::size_t>(n) * kFloatLanes;
    std::vector<uint16_t> weights;
    std::vector<float> in(samples), out(samples);
    std::vector<uint8_t> gate(p.openMask ? 0 : samples);
    std::vector<uint32_t> lit(static_cast<std::size_t>(n) + 1);
    clippedWeights(n, *p.boxes, weights);
    block.kernel = kernel.weights.data();
    block.peakTaps = kernel.length();
    block.halfWidth = kernel.halfWidth;
    block.box = kernel.box;
    block.weights = weights.data();
    block.in = in.data();
    block.out = out.data();
    block.gate = gate.data();
    block.lit = lit.data();
    forEachLaneBlock(block, lineOn, begin, end, kFloatLines, [&] { run(block); });
}

PF_Err BlurGlowWorld(const StageHost &host, PF_EffectWorld &out, const PF_EffectWorld &in, PF_EffectWorld &tmp,
                     const PlaneRect &rect, double radius, double aspect, const ProgressCounter *progress,
                     const MaskPlane *mask) {
    return blurWorld<PF_Pixel16, false>(host, out, in, tmp, rect, mask, radius, aspect, progress);
}

PF_Err BlurGlowWorldFloat(const StageHost &host, PF_EffectWorld &out, const PF_EffectWorld &in, PF_EffectWorld &tmp,
                          const PlaneRect &rect, double radius, double aspect, const ProgressCounter *progress,
                          const MaskPlane *mask) {
    return blurWorld<PF_PixelFloat, true>(host, out, in, tmp, rect, mask, radius, aspect, progress);
}

} // namespace AEUtil
