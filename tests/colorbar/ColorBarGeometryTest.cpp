// Where the colour bar's parts lie in a frame, which marker a point hits, and the selection.
#include <gtest/gtest.h>

#include <cmath>

#include "colorbar/ColorBarActions.h"
#include "colorbar/ColorBarContext.h"
#include "colorbar/ColorBarGeometry.h"

namespace {

using namespace AEUtil;

constexpr PF_Rect kNarrow{0, 0, 200, 88}; // 170 pixels between the margins
constexpr PF_Rect kWide{0, 0, 400, 88};   // 370

TEST(ColorBarGeometry, NarrowFramesKeepTheMinimumBarAndWideOnesFollowTheFrame) {
    struct Case {
        PF_Rect frame;
        float position;
        A_long centre;
    };
    // Narrow: 208 steps from x0 = 15, reaching past x1 as the 209-pixel bar does; wide: x1 - x0 - 1.
    for (const Case &c : {Case{kNarrow, 0.0f, 15}, Case{kNarrow, 0.5f, 119}, Case{kNarrow, 1.0f, 223},
                          Case{kWide, 0.5f, 200}, Case{kWide, 1.0f, 384}})
        EXPECT_EQ(ColorBarGeometry(c.frame).markerCentre(c.position), c.centre) << c.position;
    EXPECT_EQ(ColorBarGeometry(kNarrow).barWidth(), 209);
    EXPECT_EQ(ColorBarGeometry(kWide).barWidth(), 370);
}

TEST(ColorBarGeometry, ColumnsMapToPositionsClampedAtTheBarEnds) {
    const ColorBarGeometry narrow(kNarrow), wide(kWide);
    EXPECT_EQ(narrow.positionAt(14), 0.0);
    EXPECT_DOUBLE_EQ(narrow.positionAt(185), 170.0 / 209.0) << "a narrow bar divides by 209";
    EXPECT_EQ(narrow.positionAt(186), 1.0);
    EXPECT_DOUBLE_EQ(wide.positionAt(200), 0.5);
}

TEST(ColorBarGeometry, TopRowAreasFollowTheFrameEdges) {
    const ColorBarGeometry g(PF_Rect{10, 20, 410, 108});
    const PF_Rect expected[3] = {{10, 24, 276, 46}, {279, 24, 311, 46}, {314, 24, 362, 46}};
    for (int i = 0; i < 3; ++i) {
        const PF_Rect r = g.area(i);
        EXPECT_EQ(r.left, expected[i].left) << i;
        EXPECT_EQ(r.top, expected[i].top) << i;
        EXPECT_EQ(r.right, expected[i].right) << i;
        EXPECT_EQ(r.bottom, expected[i].bottom) << i;
    }
    EXPECT_EQ(g.areaAt(300, 30), 1);
    EXPECT_EQ(g.areaAt(277, 30), -1) << "the gap between the field and Add";
}

ColorFlagList flagsAt(std::initializer_list<A_long> columns, const ColorBarGeometry &g) {
    ColorFlagList list;
    initColorFlagList(list);
    for (const A_long cx : columns) {
        ColorFlag f{255, 0, 0, 0, static_cast<float>(cx - g.x0()) / 369.0f, -1, 0};
        appendColorFlag(list, f);
        EXPECT_EQ(g.markerCentre(list.flag[list.count - 1].position), cx);
    }
    return list;
}

TEST(ColorBarGeometry, TheNearestMarkerWinsAndTiesGoToTheEarlierFlag) {
    const ColorBarGeometry g(kWide);
    struct Case {
        A_long h, v, hit;
        const char *why;
    };
    const ColorFlagList list = flagsAt({200, 204, 201}, g);
    for (const Case &c : {Case{203, 71, 1, "one column from the second, three from the first"},
                          Case{201, 71, 0, "distances 1 and 0 both count as 1: the earlier flag"},
                          Case{193, 71, 0, "seven columns left of the first is still its box"},
                          Case{192, 71, -1, "eight is outside every box"}, Case{200, 63, -1, "above the hit boxes"},
                          Case{200, 78, 0, "their last row"}})
        EXPECT_EQ(g.markerAt(list, c.h, c.v), c.hit) << c.why;
    ColorFlagList unused = list;
    unused.flag[0].id = -1;
    EXPECT_EQ(g.markerAt(unused, 200, 71), 2) << "a flag without id is no flag";
}

TEST(ColorBarSelection, HoldsAtMost32IdsAndReusesEntries) {
    ColorBarContext c;
    initColorBarContext(c);
    for (A_long id = 0; id < 33; ++id)
        selectFlag(c, id);
    EXPECT_EQ(c.selectionCount, 32);
    EXPECT_FALSE(isSelected(c, 32));
    deselectFlag(c, 5);
    EXPECT_FALSE(isSelected(c, 5));
    EXPECT_EQ(selectedCount(c), 31);
    selectFlag(c, 5);
    EXPECT_EQ(c.selectionCount, 32) << "the entry of 5 is selected again, not appended";
    EXPECT_EQ(selectedCount(c), 32);
    clearSelection(c);
    EXPECT_EQ(selectedCount(c), 0);
}

TEST(ColorBarColors, PickedChannelsBecomeBytesWithinRange) {
    struct Case {
        float unit;
        A_u_char byte;
    };
    for (const Case &c : {Case{-0.5f, 0}, Case{0.5f, 128}, Case{1.0f, 255}, Case{1.2f, 255}, Case{std::nanf(""), 0}})
        EXPECT_EQ(unitToByte(c.unit), c.byte) << c.unit;
    EXPECT_EQ(byteToUnit(128), 16448.0f / 32768.0f) << "128 * 32768 / 255 = 16448.25, rounded";
    EXPECT_EQ(byteToUnit(255), 1.0f);
}

} // namespace
