#include <gtest/gtest.h>

#include "board/core/Layout.h"

namespace mosgrid {
namespace {

TEST(CellSize, FitsTheBoardButNeverBelowTen) {
    EXPECT_EQ(ComputeCellSize(240, 268, 5, 5, 1, 1), 40);
    EXPECT_EQ(ComputeCellSize(240, 268, 50, 50, 10, 10), 10);
    EXPECT_EQ(ComputeCellSize(240, 268, 20, 20, 5, 5), 10);  // 9 across would be too small
    EXPECT_EQ(ComputeCellSize(240, 268, 0, 0, 0, 0), 10);    // no puzzle
    EXPECT_EQ(ComputeCellSize(240, 268, 3, 2, 0, 0), 80);    // no clues: the grid alone
}

TEST(View, CentresBySignedHalfOverflowTruncatedTowardZero) {
    BoardGeometry g{5, 5, 1, 1, 40};
    View v = LayoutOnResize(g, 240, 268);
    EXPECT_EQ(v.hx, 0);   // ox = -1
    EXPECT_EQ(v.vy, -14); // oy = -29
    EXPECT_EQ(v.hMax, 0);
    EXPECT_EQ(v.vMax, 0);

    BoardGeometry g10{10, 10, 3, 3, 18};
    EXPECT_EQ(LayoutAtSetup(g10, 240, 268).hx, -3);  // ox = -7
}

TEST(View, LargeBoardScrollsOverItsOverflow) {
    BoardGeometry g{50, 50, 10, 10, 10};
    View v = LayoutAtSetup(g, 240, 268);
    EXPECT_EQ(v.hx, 0);
    EXPECT_EQ(v.vy, 0);
    EXPECT_EQ(v.hMax, 359);
    EXPECT_EQ(v.vMax, 331);
    EXPECT_EQ(LayoutOnResize(g, 240, 268).hMax, 359);
}

TEST(View, ResizeWithoutCluesNeitherCentresNorScrolls) {
    BoardGeometry g{3, 3, 0, 0, 10};
    View v = LayoutOnResize(g, 500, 500);
    EXPECT_EQ(v.hx, 0);
    EXPECT_EQ(v.vy, 0);
    EXPECT_EQ(v.hMax, 0);
    // At set-up the same board is centred.
    EXPECT_LT(LayoutAtSetup(g, 500, 500).hx, 0);
}

TEST(Scrolling, EveryCodeStaysWithinTheRange) {
    EXPECT_EQ(ScrollPosition(SB_LINEUP, 0, 0, 100, 18, 0), 0);
    EXPECT_EQ(ScrollPosition(SB_LINEUP, 5, 0, 100, 18, 0), 4);
    EXPECT_EQ(ScrollPosition(SB_LINEDOWN, 100, 0, 100, 18, 0), 100);
    EXPECT_EQ(ScrollPosition(SB_PAGEUP, 10, 0, 100, 18, 0), 0);
    EXPECT_EQ(ScrollPosition(SB_PAGEDOWN, 90, 0, 100, 18, 0), 100);
    EXPECT_EQ(ScrollPosition(SB_PAGEDOWN, 50, 0, 100, 18, 0), 68);
    EXPECT_EQ(ScrollPosition(SB_THUMBTRACK, 50, 0, 100, 18, 33), 33);
    EXPECT_EQ(ScrollPosition(SB_TOP, 50, 0, 100, 18, 0), 0);
    EXPECT_EQ(ScrollPosition(SB_BOTTOM, 50, 0, 100, 18, 0), 100);
    EXPECT_EQ(ScrollPosition(SB_ENDSCROLL, 50, 0, 100, 18, 0), 50);
    EXPECT_EQ(KeyScrollPosition(+1, 95, 0, 100, 10), 100);
    EXPECT_EQ(KeyScrollPosition(-1, 15, 0, 100, 10), 5);
}

TEST(HitTest, AreasAreHalfOpenAndGiveSlotsFromTheGrid) {
    BoardGeometry g{4, 3, 2, 3, 10};  // grid at (30, 20) to (70, 50)
    Hit h = HitTest(g, 0, 0, 30, 19);
    EXPECT_EQ(h.area, HitArea::ColumnClues);
    EXPECT_EQ(h.column, 0);
    EXPECT_EQ(h.row, 0);  // the slot nearest the grid
    h = HitTest(g, 0, 0, 31, 0);
    EXPECT_EQ(h.row, 1);
    h = HitTest(g, 0, 0, 0, 20);
    EXPECT_EQ(h.area, HitArea::RowClues);
    EXPECT_EQ(h.column, 2);  // the slot at the left edge
    EXPECT_EQ(h.row, 0);
    h = HitTest(g, 0, 0, 69, 49);
    EXPECT_EQ(h.area, HitArea::Cells);
    EXPECT_EQ(h.column, 3);
    EXPECT_EQ(h.row, 2);
    EXPECT_EQ(HitTest(g, 0, 0, 70, 49).area, HitArea::None);
    EXPECT_EQ(HitTest(g, 0, 0, 10, 10).area, HitArea::None);  // the miniature corner
    // Scrolled by one cell and centred by a negative offset.
    EXPECT_EQ(HitTest(g, 10, 10, 20, 10).area, HitArea::Cells);
    EXPECT_EQ(HitTest(g, -5, 0, 34, 25).area, HitArea::RowClues);
}

}  // namespace
}  // namespace mosgrid
