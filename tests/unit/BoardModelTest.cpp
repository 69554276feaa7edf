// SPDX-License-Identifier: GPL-3.0-or-later
// The board's model without a window: clues derived from the picture, lines checked, the layout
// of cells and clues and what a point on the board hits.
#include <gtest/gtest.h>

#include <tuple>

#include "board/core/BoardModel.h"
#include "board/core/CellMarking.h"
#include "board/core/Layout.h"
#include "board/core/LineCheck.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kBlue = 0xFF0000;

// Clues as "length/index" from slot 0 (the one next to the grid) outwards.
std::string Clues(const BoardModel& m, bool column, int line) {
    std::string out;
    for (int k = 0; k < (column ? m.K : m.R); ++k) {
        const ClueEntry& e = column ? m.ColumnClue(line, k) : m.RowClue(line, k);
        if (e.length == 0) break;
        out += (out.empty() ? "" : " ") + std::to_string(e.length) + "/" + std::to_string(e.colourIndex);
    }
    return out;
}

TEST(ClueDerivation, RunsCountFromTheGridOutwards) {
    struct Case { std::vector<std::string> rows; std::vector<COLORREF> palette; bool column; int line; std::string clues; };
    const std::vector<COLORREF> rgb = {kWhite, kRed, kBlue};
    for (const Case& k : {
             Case{{".", "1", "1", ".", "2"}, rgb, true, 0, "1/2 2/1"},              // from the bottom up
             Case{{"112"}, rgb, false, 0, "1/2 2/1"},                              // touching runs
             Case{{"133"}, {kWhite, kRed, kBlue, kRed}, false, 0, "2/3 1/1"},      // equal colours, two indices
             Case{{"0101", "1111"}, {kBlack, kWhite}, false, 0, "1/0 1/0"},       // white at index 1
             Case{{"0101", "1111"}, {kBlack, kWhite}, false, 1, ""},
             Case{{"0101", "1111"}, {kBlack, kWhite}, true, 1, ""},
             Case{{"...", "..."}, rgb, false, 0, ""}}) {  // all white: playable, no clues
        const auto m = test::BoardFromText(k.rows, k.palette);
        ASSERT_TRUE(m);
        EXPECT_EQ(Clues(*m, k.column, k.line), k.clues) << k.rows[0] << (k.column ? " column " : " row ") << k.line;
    }
}

TEST(ClueDerivation, FiftyRunsInARowFillEverySlotAndFailedSetUpsLeaveNoPuzzle) {
    std::vector<std::string> rows(50, std::string(50, '.'));
    for (int i = 0; i < 50; ++i) rows[7][std::size_t(i)] = i % 2 ? '2' : '1';
    auto m = test::BoardFromText(rows, {kWhite, kRed, kBlue});
    ASSERT_TRUE(m && m->R == 50 && m->K == 1);
    for (int k = 0; k < 50; ++k) EXPECT_TRUE(m->RowClue(7, k).length == 1 && m->RowClue(7, k).colourIndex == 2 - k % 2) << k;
    COLORREF first = 0;  // the first non-white colour in reading order
    EXPECT_TRUE(m->FirstPuzzleColour(first) && first == kRed);
    EXPECT_TRUE(test::BoardFromText({"..2", "1.."}, {kWhite, kRed, kBlue})->FirstPuzzleColour(first) && first == kBlue);
    test::TempFolder folder;
    ASSERT_TRUE(WriteBmp4(folder / "big.bmp", test::PictureFromText({std::string(51, '1')}, {kWhite, kRed})));
    for (const char* name : {"big.bmp", "missing.bmp"}) {  // wider than 50, unreadable
        m = test::BoardFromText({"1"}, {kWhite, kRed});
        EXPECT_FALSE(m->Setup(folder / name, u"x")) << name;
        EXPECT_TRUE(!m->HasPuzzle() && m->K == 0 && m->cells.empty()) << name;
    }
}

TEST(LineCheck, LineIsCompleteOnlyWithExactColoursAndWhiteCellsCrossed) {
    const auto m = test::BoardFromText({"1.", "2."}, {kWhite, kRed, kBlue});
    ASSERT_TRUE(m);
    MarkCell(*m, 0, 0, kRed);
    MarkCell(*m, 1, 0, kRed);
    EXPECT_FALSE(RowComplete(*m, 0));  // painted where the picture is white
    MarkCell(*m, 1, 0, kRed);
    EXPECT_TRUE(CheckLinesThrough(*m, 1, 0).rowComplete && m->rowSolved[0] == 1);
    MarkCell(*m, 0, 1, kRed);  // right length, wrong colour
    EXPECT_FALSE(CheckLinesThrough(*m, 0, 1).columnComplete);
    RevealCell(*m, 0, 1);
    RevealCell(*m, 1, 1);
    CheckLinesThrough(*m, 0, 1);
    EXPECT_FALSE(AllLinesSolved(*m));  // column 1 never re-checked
    CheckLinesThrough(*m, 1, 1);
    EXPECT_TRUE(AllLinesSolved(*m) && !AllLinesSolved(BoardModel{}));
}

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
