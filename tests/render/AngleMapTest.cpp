// Angle-map regions on small planes: isolated pixels, bars, spans that take in other blobs,
// and blobs that start below a finished region.
#include "render/color/AngleMap.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace AEUtil;

namespace {

GlowPlane makePlane(int32_t w, int32_t h, const std::vector<std::pair<int, int>> &lit) {
    GlowPlane p;
    p.resize(w, h, PlaneMemory{});
    p.clear();
    for (auto [y, x] : lit)
        p.row(y)[x] = 1000;
    return p;
}

GlowPlane anglesFor(const GlowPlane &combined) {
    GlowPlane a;
    a.resize(combined.width, combined.height, PlaneMemory{});
    for (int32_t y = 0; y < a.height; ++y)
        for (int32_t x = 0; x < a.width; ++x)
            a.row(y)[x] = 0xBEEF; // must be cleared by the stage
    buildAngleMap(a, combined, PlaneMemory{});
    return a;
}

} // namespace

TEST(AngleValue, Quadrants) {
    EXPECT_EQ(angleValue(0, 0), 16384); // atan2(0, 0) = 0: half a turn after -pi
    EXPECT_EQ(angleValue(0, 1), 16384);
    EXPECT_EQ(angleValue(0, -1), 32768); // +pi
    EXPECT_EQ(angleValue(-1, 0), 8192);  // above the centre
    EXPECT_EQ(angleValue(1, 0), 24576);  // below the centre
    // (atan2(1, 2) + pi) / 2pi = 0.573792 -> 18802.2
    EXPECT_EQ(angleValue(1, 2), 18802);
}

TEST(AngleMap, IsolatedPixelIsItsOwnCentre) {
    const GlowPlane c = makePlane(5, 3, {{1, 2}});
    const GlowPlane a = anglesFor(c);
    EXPECT_EQ(a.row(1)[2], 16384);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            if (!(y == 1 && x == 2)) {
                EXPECT_EQ(a.row(y)[x], 0) << y << "," << x;
            }
        }
    EXPECT_EQ(c.row(1)[2], 1000); // the combined plane is left alone
}

TEST(AngleMap, CornerPixelSpanStopsAtTheEdge) {
    // Span [0, 1] at the left edge: centre column 0, so the pixel is again the centre.
    const GlowPlane a = anglesFor(makePlane(3, 3, {{0, 0}}));
    EXPECT_EQ(a.row(0)[0], 16384);
    // At the right edge of a 3-wide plane the span is [1, 2]: centre column 1, pixel right of it.
    const GlowPlane b = anglesFor(makePlane(3, 3, {{0, 2}}));
    EXPECT_EQ(b.row(0)[2], 16384);
}

TEST(AngleMap, HorizontalBar) {
    // Row 1, columns 1..3 of 5: span [0, 4], centre (1, 2).
    const GlowPlane a = anglesFor(makePlane(5, 3, {{1, 1}, {1, 2}, {1, 3}}));
    EXPECT_EQ(a.row(1)[1], 32768);
    EXPECT_EQ(a.row(1)[2], 16384);
    EXPECT_EQ(a.row(1)[3], 16384);
}

TEST(AngleMap, VerticalBar) {
    // Column 1, rows 0..2 of a 3 x 4 plane: rows 0..2, centre row (0 + 3) / 2 = 1.
    const GlowPlane a = anglesFor(makePlane(3, 4, {{0, 1}, {1, 1}, {2, 1}}));
    EXPECT_EQ(a.row(0)[1], 8192);
    EXPECT_EQ(a.row(1)[1], 16384);
    EXPECT_EQ(a.row(2)[1], 24576);
}

TEST(AngleMap, WideningSpanTakesInDiagonalBlobs) {
    // (0,2) then (1,1) and (1,3), none 4-connected: one region, span [0, 4], centre (1, 2).
    const GlowPlane a = anglesFor(makePlane(5, 3, {{0, 2}, {1, 1}, {1, 3}}));
    EXPECT_EQ(a.row(0)[2], 8192);
    EXPECT_EQ(a.row(1)[1], 32768);
    EXPECT_EQ(a.row(1)[3], 16384);
}

TEST(AngleMap, BlobBelowAFinishedRegionStartsItsOwn) {
    // (0,2) ends at row 0; (2,2)-(3,2) is a new region reaching the bottom: centre (3, 2).
    const GlowPlane a = anglesFor(makePlane(5, 4, {{0, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(a.row(0)[2], 16384);
    EXPECT_EQ(a.row(2)[2], 8192);
    EXPECT_EQ(a.row(3)[2], 16384);
}
