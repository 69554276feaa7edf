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

TEST(HitTest, AreasAreHalfOpenGiveSlotsFromTheGridAndFollowTheCluesPinnedWhileScrolled) {
    const BoardGeometry g{4, 3, 2, 3, 10};  // grid at (30, 20) to (70, 50)
    struct Case { int hx, vy, w, x, y; HitArea area; int column, row; };  // a viewport w x 80
    for (const Case& k : {Case{0, 0, 99, 30, 19, HitArea::ColumnClues, 0, 0},  // the slot nearest the grid
                          Case{0, 0, 99, 0, 20, HitArea::RowClues, 2, 0},      // the slot at the left edge
                          Case{0, 0, 99, 69, 49, HitArea::Cells, 3, 2},
                          Case{0, 0, 99, 70, 49, HitArea::None, 0, 0},
                          Case{0, 0, 99, 10, 10, HitArea::None, 0, 0},         // the miniature corner
                          Case{-5, 0, 99, 34, 25, HitArea::RowClues, 0, 0},    // centred
                          // Scrolled by a cell: the corner and the clue areas stay put, the
                          // clues and cells under them are those of the lines scrolled there.
                          Case{10, 10, 99, 29, 19, HitArea::None, 0, 0},
                          Case{10, 10, 99, 30, 19, HitArea::ColumnClues, 1, 0},
                          Case{10, 10, 99, 29, 20, HitArea::RowClues, 0, 1},
                          Case{10, 10, 99, 30, 20, HitArea::Cells, 1, 1},      // not cell (0, 0), hidden
                          Case{25, 7, 99, 30, 0, HitArea::ColumnClues, 2, 1},
                          Case{25, 7, 99, 0, 20, HitArea::RowClues, 2, 0},
                          Case{25, 7, 99, 44, 26, HitArea::Cells, 3, 1},
                          Case{25, 7, 99, 45, 26, HitArea::None, 0, 0},        // right of the grid
                          // A viewport of 40: the row clues keep at most 20 of it.
                          Case{25, 0, 40, 0, 25, HitArea::RowClues, 1, 0},
                          Case{25, 0, 40, 20, 25, HitArea::Cells, 1, 0}}) {
        const Hit h = HitTest(g, PinnedPanes(g, k.hx, k.vy, k.w, 80), k.x, k.y);
        const bool none = h.area == HitArea::None;
        EXPECT_EQ(std::tuple(h.area, none ? 0 : h.column, none ? 0 : h.row), std::tuple(k.area, k.column, k.row))
            << k.hx << "," << k.vy << ": " << k.x << "," << k.y;
    }
}

}  // namespace
}  // namespace mosgrid
