#include <gtest/gtest.h>

#include <tuple>

#include "board/core/Layout.h"

namespace mosgrid {
namespace {

TEST(CellSize, FitsTheBoardButNeverBelowTen) {
    EXPECT_EQ(ComputeCellSize(240, 268, 5, 5, 1, 1), 40);
    EXPECT_EQ(ComputeCellSize(240, 268, 20, 20, 5, 5), 10);  // 9 across would be too small
    EXPECT_EQ(ComputeCellSize(240, 268, 0, 0, 0, 0), 10);    // no puzzle
    EXPECT_EQ(ComputeCellSize(240, 268, 3, 2, 0, 0), 80);    // no clues: the grid alone
}

TEST(View, CentresBySignedHalfOverflowAndScrollsOverTheRest) {
    struct Case { BoardGeometry g; bool atSetup; int w, h; int hx, vy, hMax, vMax; };
    for (const Case& k : {Case{{5, 5, 1, 1, 40}, false, 240, 268, 0, -14, 0, 0},   // ox = -1, oy = -29
                          Case{{10, 10, 3, 3, 18}, true, 240, 268, -3, -17, 0, 0},  // ox = -7, oy = -35
                          Case{{50, 50, 10, 10, 10}, true, 240, 268, 0, 0, 359, 331},
                          Case{{50, 50, 10, 10, 10}, false, 240, 268, 0, 0, 359, 331},
                          Case{{3, 3, 0, 0, 10}, false, 500, 500, 0, 0, 0, 0},      // no clues
                          Case{{3, 3, 0, 0, 10}, true, 500, 500, -235, -235, 0, 0}}) {
        const View v = k.atSetup ? LayoutAtSetup(k.g, k.w, k.h) : LayoutOnResize(k.g, k.w, k.h);
        SCOPED_TRACE(testing::Message() << k.g.cols << "x" << k.g.rows << " s " << k.g.s << " setup " << k.atSetup);
        EXPECT_EQ(std::tuple(v.hx, v.vy, v.hMax, v.vMax), std::tuple(k.hx, k.vy, k.hMax, k.vMax));
    }
}

TEST(HitTest, AreasAreHalfOpenAndGiveSlotsFromTheGrid) {
    const BoardGeometry g{4, 3, 2, 3, 10};  // grid at (30, 20) to (70, 50)
    struct Case { int hx, vy, x, y; HitArea area; int column, row; };
    for (const Case& k : {Case{0, 0, 30, 19, HitArea::ColumnClues, 0, 0},  // the slot nearest the grid
                          Case{0, 0, 31, 0, HitArea::ColumnClues, 0, 1},
                          Case{0, 0, 0, 20, HitArea::RowClues, 2, 0},      // the slot at the left edge
                          Case{0, 0, 69, 49, HitArea::Cells, 3, 2},
                          Case{0, 0, 70, 49, HitArea::None, 0, 0},
                          Case{0, 0, 10, 10, HitArea::None, 0, 0},         // the miniature corner
                          Case{10, 10, 20, 10, HitArea::Cells, 0, 0},      // scrolled by a cell
                          Case{-5, 0, 34, 25, HitArea::RowClues, 0, 0}}) { // centred
        const Hit h = HitTest(g, k.hx, k.vy, k.x, k.y);
        const bool none = h.area == HitArea::None;
        EXPECT_EQ(std::tuple(h.area, none ? 0 : h.column, none ? 0 : h.row), std::tuple(k.area, k.column, k.row)) << k.x << "," << k.y;
    }
}

}  // namespace
}  // namespace mosgrid
