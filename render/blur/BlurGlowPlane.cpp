// The plane blur. Zero samples weigh a tenth of non-zero ones in the box mean, and the window
// counts virtual zeros past the far end of a line (not the near end), as the glow is defined.
#include "render/blur/BlurGlowPlane.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "render/blur/GlowWindow.h"
#include "render/pipeline/RowBand.h"

namespace AEUtil {

BlurWidths glowBlurWidths(double r, double A, bool planeForm) {
    const double C = A / 100.0;
    const double D = A * (std::sqrt(2.0) - 1.0) / 100.0;
    const double extra = planeForm ? 2.0 : 0.0;
    if (A > 0)
        return {(1 + D) * r, (1 - C) * r + extra};
    return {(1 + C) * r + extra, (1 - D) * r};
}

GlowKernel kernelForWidth(double width) {
    return MakeGlowKernel(static_cast<int32_t>(std::ceil(width)), width * width / 8.0);
}

namespace {

// Workers of a pass share the cross-direction flags and the content byte and only ever set
// them to 1. A relaxed atomic byte store (a plain store on x86) keeps that race well defined.
void setFlag(uint8_t &flag) { std::atomic_ref<uint8_t>(flag).store(1, std::memory_order_relaxed); }

// A strided view of one line of a plane.
template <class T>
struct Line {
    T *p;
    std::ptrdiff_t step;
    T &operator[](int32_t i) const { return p[i * step]; }
};

template <class MarkFn>
void blurLine(Line<const uint16_t> s, Line<const uint8_t> m, int32_t N, const GlowKernel &k, Line<uint16_t> d,
              MarkFn mark) {
    const uint32_t o = k.box;
    uint32_t c = 0;
    uint32_t sum = 0;
    auto enter = [&](int32_t j) {
        if (!m[j])
            return;
        if (s[j]) {
            c += 10;
            sum += 10u * s[j];
        } else {
            c += 1;
        }
    };
    auto leave = [&](int32_t j) {
        if (!m[j])
            return;
        if (s[j]) {
            c -= 10;
            sum -= 10u * s[j];
        } else {
            c -= 1;
        }
    };
    auto virtualZero = [&] { c += 1; }; // past the far end of the line; it never leaves
    auto blurAt = [&](int32_t x, int32_t jBegin, int32_t jEnd) {
        if (!m[x] || c == 0)
            return;
        uint32_t acc = 0;
        uint16_t ws = 0;
        for (int32_t j = jBegin; j <= jEnd; ++j) {
            const uint16_t w = k.weights[static_cast<std::size_t>(std::abs(j - x))];
            acc += uint32_t(w) * s[j];
            ws = static_cast<uint16_t>(ws + w);
        }
        uint32_t out;
        if (o == 0) {
            out = ws ? (acc + ws / 2u) / ws : s[x];
        } else {
            const uint64_t bm = sum / c;
            const uint64_t pm = ws ? acc / ws : 0;
            out = static_cast<uint32_t>((bm * o + pm * (32768u - o)) / 32768u);
        }
        d[x] = static_cast<uint16_t>(out);
        if (d[x])
            mark(x);
    };
    slideGlowWindow(k.halfWidth, N, enter, virtualZero, leave, blurAt);
}

PF_Err planePassCallback(void *refcon, A_long, A_long i, A_long count) {
    const PlanePass &pass = *static_cast<const PlanePass *>(refcon);
    const int32_t lines = pass.rowPass ? pass.src->height : pass.src->width;
    const RowBand band = rowBand(lines, count, i);
    try {
        blurPlaneLines(pass, band.begin, band.end);
    } catch (const std::bad_alloc &) {
        return PF_Err_OUT_OF_MEMORY;
    }
    return PF_Err_NONE;
}

} // namespace

void blurPlaneLines(const PlanePass &pass, int32_t begin, int32_t end) {
    constexpr int32_t W = kPlaneLanes;
    const GlowPlane &src = *pass.src;
    GlowPlane &dst = *pass.dst;
    const MaskPlane *mask = pass.mask; // null: open, every line and sample taking part
    const bool rows = pass.rowPass;
    const int32_t n = rows ? src.width : src.height;
    const PlaneLaneKernelView view = laneView(*pass.boxes);
    const PlaneLaneKernel kernel = pass.lanes ? pass.lanes : planeLaneKernel();
    std::vector<uint8_t> crossLit(static_cast<std::size_t>(n));

    PlaneLaneBlock block;
    block.rows = rows;
    block.n = n;
    block.src = src.data;
    block.mask = pass.openMask || !mask ? nullptr : mask->data;
    block.dst = dst.data;
    block.srcStride = src.rowSamples;
    block.maskStride = mask ? mask->rowSamples : 0;
    block.dstStride = dst.rowSamples;
    block.crossLit = crossLit.data();
    const PlaneLaneMemory memory(block, *pass.boxes);
    const uint8_t *lineOn = !mask ? nullptr : rows ? mask->rowFlags : mask->colFlags;
    uint8_t *lineFlags = rows ? dst.rowFlags : dst.colFlags;
    uint8_t *crossFlags = rows ? dst.colFlags : dst.rowFlags;
    bool any = false;
    forEachLaneBlock(block, lineOn, begin, end, W, [&] {
        uint8_t lineLit[W] = {};
        block.lineLit = lineLit;
        kernel(block, view);
        // Lines of the band are this worker's own; the samples across them are shared.
        for (int32_t l = 0; l < block.count; ++l) {
            if (lineLit[l]) {
                lineFlags[block.first + l] = 1;
                any = true;
            }
        }
    });
    for (int32_t i = 0; i < n; ++i)
        if (crossLit[static_cast<std::size_t>(i)])
            setFlag(crossFlags[i]);
    if (any)
        setFlag(dst.content);
}

void blurPlaneLinesLiteral(const PlanePass &pass, int32_t begin, int32_t end) {
    const GlowPlane &src = *pass.src;
    GlowPlane &dst = *pass.dst;
    const MaskPlane &mask = *pass.mask;
    for (int32_t line = begin; line < end; ++line) {
        if (pass.rowPass) {
            if (!mask.rowFlags[line])
                continue;
            blurLine({src.row(line), 1}, {mask.row(line), 1}, src.width, *pass.kernel, {dst.row(line), 1},
                     [&](int32_t x) {
                         dst.rowFlags[line] = 1;
                         setFlag(dst.colFlags[x]);
                         setFlag(dst.content);
                     });
        } else {
            if (!mask.colFlags[line])
                continue;
            blurLine({src.data + line, src.rowSamples}, {mask.data + line, mask.rowSamples}, src.height, *pass.kernel,
                     {dst.data + line, dst.rowSamples}, [&](int32_t y) {
                         setFlag(dst.rowFlags[y]);
                         dst.colFlags[line] = 1;
                         setFlag(dst.content);
                     });
        }
    }
}

PF_Err runPlanePass(const StageHost &host, const PlanePass &pass) {
    return host.run(const_cast<PlanePass *>(&pass), &planePassCallback);
}

PF_Err BlurGlowPlane(const StageHost &host, const GlowPlane &src, GlowPlane &dst, double radius, double aspect,
                     const ProgressCounter *progress, const MaskPlane *mask) {
    dst.resize(src.width, src.height, host.memory);
    // Under an open mask each pass writes every sample, so only the flags need a start.
    const bool open = radius >= 2.0 && (!mask || maskIsOpen(*mask));
    if (dst.data) {
        if (open)
            dst.copyFlagsFrom(src);
        else
            dst.copyFrom(src);
    } else {
        dst.bounds = src.bounds;
        dst.status = src.status;
        dst.content = src.content;
    }
    if (radius < 2.0)
        return PF_Err_NONE;

    GlowPlane tmp;
    tmp.resize(src.width, src.height, host.memory);
    PF_Err err = PF_Err_NONE;
    if (tmp.data) {
        if (open)
            tmp.clearFlags();
        else
            tmp.clear();
        const BlurWidths widths = glowBlurWidths(radius, aspect, true);
        const GlowKernel rowKernel = kernelForWidth(widths.horizontal);
        const NestedBoxKernel rowBoxes = nestedBoxes(rowKernel);
        err = runPlanePass(host, {&src, &tmp, mask, &rowKernel, true, &rowBoxes, nullptr, open});
        if (!err && progress)
            err = progress->report(progress->stepsDone);
        if (!err) {
            const GlowKernel colKernel = kernelForWidth(widths.vertical);
            const NestedBoxKernel colBoxes = nestedBoxes(colKernel);
            err = runPlanePass(host, {&tmp, &dst, mask, &colKernel, false, &colBoxes, nullptr, open});
            if (!err && progress)
                err = progress->report(progress->stepsDone);
        } else if (open) {
            dst.copyFrom(src); // stopped before the column pass: the output keeps the source
        }
    }
    dst.status = 1;
    dst.content = 1;
    return err;
}

} // namespace AEUtil
