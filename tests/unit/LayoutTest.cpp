// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <tuple>

#include "board/core/Layout.h"

namespace mosgrid {
namespace {

TEST(Layout, CellSizeNeverBelowTenScrollRangesAndABoardWithoutCluesCentredOnlyAtSetUp) {
    EXPECT_EQ(ComputeCellSize(240, 268, 20, 20, 5, 5), 10);  // 9 across would be too small
    EXPECT_EQ(ComputeCellSize(240, 268, 3, 2, 0, 0), 80);    // no clues: the grid alone
    auto all = [](const View& v) { return std::tuple(v.hx, v.vy, v.hMax, v.vMax); };
    EXPECT_EQ(all(LayoutOnResize({50, 50, 10, 10, 10}, 240, 268)), std::tuple(0, 0, 359, 331));  // 600 - 240 - 1
    EXPECT_EQ(all(LayoutAtSetup({3, 3, 0, 0, 10}, 500, 500)), std::tuple(-235, -235, 0, 0));
    EXPECT_EQ(all(LayoutOnResize({3, 3, 0, 0, 10}, 500, 500)), std::tuple(0, 0, 0, 0));
}

TEST(HitTest, AreasAreHalfOpenAndGiveSlotsFromTheGrid) {
    const BoardGeometry g{4, 3, 2, 3, 10};  // grid at (30, 20) to (70, 50)
    struct Case { int hx, vy, x, y; HitArea area; int column, row; };
    for (const Case& k : {Case{0, 0, 30, 19, HitArea::ColumnClues, 0, 0},  // the slot nearest the grid
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
