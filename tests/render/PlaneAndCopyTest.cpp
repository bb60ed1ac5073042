// Plane layout and lifecycle; the centred copy with and without clipping.
#include <gtest/gtest.h>

#include <vector>

#include "render/pipeline/GlowPlane.h"
#include "render/source/CopyCentered.h"

namespace {

using namespace AEUtil;

TEST(Plane, BlockSizeFollowsPaddedRowsAndFlags) {
    // 5 x 3: ceil(5/4) = 2 quads, ceil(3/4) = 1. Glow: ((2*3 + 1)*2 + 1)*4 = 60.
    EXPECT_EQ(GlowPlane::blockSize(5, 3), 60u);
    // Mask: ((3 + 1)*2 + 1)*4 = 36.
    EXPECT_EQ(MaskPlane::blockSize(5, 3), 36u);
    GlowPlane p;
    p.resize(5, 3, {});
    EXPECT_EQ(p.rowSamples, 8);
    EXPECT_EQ(p.rowBytes, 16);
    EXPECT_EQ(p.blockBytes, 60u);
    EXPECT_EQ(reinterpret_cast<uint8_t *>(p.rowFlags) - p.block.get(), 48);
    EXPECT_EQ(p.colFlags - p.rowFlags, 4);
    EXPECT_EQ(p.bounds.right, 5);
    EXPECT_EQ(p.bounds.bottom, 3);
    EXPECT_EQ(p.status, 1);
    EXPECT_EQ(p.content, 1);
}

TEST(Plane, ClearZeroesValuesFlagsBoundsAndStatus) {
    GlowPlane p;
    p.resize(3, 2, {});
    p.clear();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(p.row(y)[x], 0);
    EXPECT_EQ(p.rowFlags[1], 0);
    EXPECT_EQ(p.colFlags[2], 0);
    EXPECT_EQ(p.bounds.right, 0);
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.content, 0);
}

TEST(Plane, ResizeToZeroAreaEmptiesThePlane) {
    GlowPlane p;
    p.resize(4, 4, {});
    p.resize(0, 7, {});
    EXPECT_EQ(p.data, nullptr);
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(p.rowSamples, 0);
    EXPECT_EQ(p.status, 1);
}

// A world of 4-byte pixels over a vector, each pixel filled with `fill`.
struct World {
    std::vector<PF_Pixel> px;
    PF_EffectWorld w{};
    World(int width, int height, uint8_t fill) : px(size_t(width * height), PF_Pixel{fill, fill, fill, fill}) {
        w.data = px.data();
        w.width = width;
        w.height = height;
        w.rowbytes = width * 4;
    }
    uint8_t at(int x, int y) const { return px[size_t(y * w.width + x)].red; }
};

World numbered(int width, int height) {
    World s(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.px[size_t(y * width + x)] = PF_Pixel{255, uint8_t(10 * y + x + 1), 0, 0};
    return s;
}

TEST(CopyCentered, SameSizeCopiesRowForRow) {
    World src = numbered(3, 2), dst(3, 2, 0);
    CenteredCopy job{&dst.w, &src.w, {0, 0, 3, 2}, {0, 0, 3, 2}, 0, 0};
    ASSERT_EQ(copyCentered<PF_Pixel>(StageHost{}, job), PF_Err_NONE);
    EXPECT_EQ(dst.px[0].red, 1);
    EXPECT_EQ(dst.px[5].red, 13);
    EXPECT_EQ(dst.px[5].alpha, 255);
}

TEST(CopyCentered, OddMarginPutsTheSmallerHalfLeftAndLeavesTheRestAlone) {
    // aw - w = 5: x0 = 2; ah - h = 3: y0 = 1.
    World src = numbered(2, 1), dst(7, 4, 99);
    CenteredCopy job{&dst.w, &src.w, {0, 0, 2, 1}, {0, 0, 7, 4}, 0, 0};
    ASSERT_EQ(copyCentered<PF_Pixel>(StageHost{}, job), PF_Err_NONE);
    EXPECT_EQ(dst.at(2, 1), 1);
    EXPECT_EQ(dst.at(3, 1), 2);
    EXPECT_EQ(dst.at(1, 1), 99);
    EXPECT_EQ(dst.at(4, 1), 99);
    EXPECT_EQ(dst.at(2, 0), 99);
    EXPECT_EQ(dst.at(2, 2), 99);
}

TEST(CopyCentered, OffsetsPastTheDestinationAreClipped) {
    // Centred x0 = 1, y0 = 1; offsets (+2, -2) give x0 = 3, y0 = -1 in a 4 x 3 world:
    // only source column 0 (to x = 3) of source rows 1 and 2 (to y = 0, 1) lands inside.
    World src = numbered(2, 3), dst(4, 3, 99);
    CenteredCopy job{&dst.w, &src.w, {0, 0, 2, 3}, {0, 0, 4, 5}, 2, -2};
    ASSERT_EQ(copyCentered<PF_Pixel>(StageHost{}, job), PF_Err_NONE);
    EXPECT_EQ(dst.at(3, 0), 11);
    EXPECT_EQ(dst.at(3, 1), 21);
    EXPECT_EQ(dst.at(3, 2), 99);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(dst.at(x, y), 99) << x << "," << y;
}

TEST(CopyCentered, NegativeColumnStartClipsTheLeftSide) {
    // A 3-wide source in a 1-wide area: x0 = (1 - 3)/2 = -1; only source column 1 lands.
    World src = numbered(3, 1), dst(1, 1, 99);
    CenteredCopy job{&dst.w, &src.w, {0, 0, 3, 1}, {0, 0, 1, 1}, 0, 0};
    ASSERT_EQ(copyCentered<PF_Pixel>(StageHost{}, job), PF_Err_NONE);
    EXPECT_EQ(dst.at(0, 0), 2);
}

} // namespace
