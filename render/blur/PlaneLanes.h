// The plane blur's line pass run on sixteen lines at once, one line per SIMD lane: samples,
// masks and results interleaved (x-major, lane-minor), so sixteen adjacent columns are read
// straight from the plane and sixteen rows need only an interleave. Built for several
// instruction sets; the best the CPU runs is chosen at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/blur/FloatLanes.h"
#include "render/blur/NestedBoxKernel.h"

namespace AEUtil {

inline constexpr int32_t kPlaneLanes = 16;

// The kernel's nested boxes as plain arrays (see NestedBoxKernel).
struct PlaneLaneKernelView {
    const int32_t *radii = nullptr;
    const uint32_t *steps = nullptr;
    int32_t count = 0;
    int32_t peakTaps = 1;
    int32_t halfWidth = 1;
    uint32_t box = 0;
};

// Which blur a block follows: the plane blur's, one 16-bit sample per line and lane; or the
// colour blur's on 16-bit pixels, four lines a block and a lane per line and channel.
enum class LaneRule : uint8_t { Plane, Color16 };
inline constexpr int32_t kColorLines = kPlaneLanes / 4;

// Up to kPlaneLanes adjacent lines of a plane (kColorLines of a 16-bit world), blurred together:
// read from src where the mask is set, written to dst there, as the literal passes do line by line.
struct PlaneLaneBlock {
    LaneRule rule = LaneRule::Plane;
    bool rows = true;             // the lines are rows; else columns
    int32_t n = 0;                // samples per line
    int32_t first = 0, count = 0; // lines first ... first + count - 1
    uint32_t laneOn = 0;          // bit l: line first + l takes part (the mask's line flag)
    const uint16_t *src = nullptr;
    const uint8_t *mask = nullptr; // null: every sample of the lines taking part is open
    uint16_t *dst = nullptr;
    std::ptrdiff_t srcStride = 0, maskStride = 0, dstStride = 0; // 16-bit values (mask: bytes) from row to row
    const uint16_t *weights = nullptr; // per sample: the peak's weight sum clipped to the line, 16-bit
    // Working memory (PlaneLaneMemory): planeLaneWorkSize(n, kernel) values, and three n x kPlaneLanes buffers.
    uint32_t *work = nullptr;
    uint16_t *in = nullptr, *out = nullptr;
    uint8_t *gate = nullptr;
    // The plane rule only: count entries set to 1 where a line got a non-zero value, and n
    // entries set to 1 where some line got one at that sample.
    uint8_t *lineLit = nullptr;
    uint8_t *crossLit = nullptr;
};

// The prefix sums one block needs, in uint32 values.
std::size_t planeLaneWorkSize(int32_t n, const PlaneLaneKernelView &k);

// The builds for other instruction sets share no inline code with the rest of the program,
// hence plain pointers only.
using PlaneLaneKernel = void (*)(const PlaneLaneBlock &, const PlaneLaneKernelView &);

struct PlaneLaneVariant {
    const char *isa;
    PlaneLaneKernel run;
    FloatLaneKernel runFloat; // the float colour blur's lanes (FloatLanes.h)
};
// Every build of the kernel this CPU can run, the fastest first; never empty.
const std::vector<PlaneLaneVariant> &planeLaneVariants();
inline PlaneLaneKernel planeLaneKernel() { return planeLaneVariants().front().run; }

PlaneLaneKernelView laneView(const NestedBoxKernel &k);

// Lines [begin, end) a block of `perBlock` at a time: sets the block's first, count and laneOn
// (from the mask's line flags; null: every line) and calls run() for blocks with a line on.
template <class Block, class Run>
void forEachLaneBlock(Block &block, const uint8_t *lineOn, int32_t begin, int32_t end, int32_t perBlock, Run run) {
    for (int32_t first = begin; first < end; first += perBlock) {
        block.first = first;
        block.count = end - first < perBlock ? end - first : perBlock;
        block.laneOn = 0;
        for (int32_t l = 0; l < block.count; ++l)
            block.laneOn |= !lineOn || lineOn[first + l] ? 1u << l : 0u;
        if (block.laneOn)
            run();
    }
}

// The clipped weight sums blurLineFast divides by, for a line of n samples.
void clippedWeights(int32_t n, const NestedBoxKernel &k, std::vector<uint16_t> &out);

// One worker's working memory for its blocks under kernel k, lent to the block (whose n and
// mask are set first): the clipped weight sums, the prefix sums, the lanes in and out, and the
// gate where the block reads a mask. May throw std::bad_alloc.
class PlaneLaneMemory {
public:
    PlaneLaneMemory(PlaneLaneBlock &block, const NestedBoxKernel &k);
    PlaneLaneMemory(const PlaneLaneMemory &) = delete; // the block points into it
    PlaneLaneMemory &operator=(const PlaneLaneMemory &) = delete;

private:
    std::vector<uint16_t> weights_, in_, out_;
    std::vector<uint8_t> gate_;
    std::vector<uint32_t> work_;
};

} // namespace AEUtil
