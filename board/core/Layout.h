// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace mosgrid {

// Sizes that fix where everything lies on the board: the puzzle's cols and rows, the clue slots
// in use (K above the grid, R left of it) and the cell size s.
struct BoardGeometry {
    int cols = 0;
    int rows = 0;
    int K = 0;
    int R = 0;
    int s = 10;

    int Width() const { return (R + cols) * s + 1; }
    int Height() const { return (K + rows) * s + 1; }
};

constexpr int kMinCellSize = 10;

// The largest cell size that fits the whole board into a client area of w x h, at least 10.
int ComputeCellSize(int clientWidth, int clientHeight, int cols, int rows, int K, int R);

// How far the board overflows a client area (negative when it is smaller).
int HorizontalOverflow(const BoardGeometry& g, int clientWidth);
int VerticalOverflow(const BoardGeometry& g, int clientHeight);

// View offsets (board point at the window's left and top edge; negative while centred) and the
// largest scroll position of each bar (0 = no scrolling, the bar hidden).
struct View {
    int hx = 0;
    int vy = 0;
    int hMax = 0;
    int vMax = 0;
};

// The view computed when a puzzle is set up: centred where the board is smaller.
View LayoutAtSetup(const BoardGeometry& g, int clientWidth, int clientHeight);
// The view after a resize: centred where smaller, otherwise the top-left corner shown;
// no clues at all (K or R 0) leaves the board uncentred and unscrolled.
View LayoutOnResize(const BoardGeometry& g, int clientWidth, int clientHeight);

// Window scroll-bar codes.
enum ScrollCode {
    SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8,
};

// The new position of a bar for a scroll code: p the current position, [minimum, limit] the
// positions the bar can take, s the cell size (a page), track the thumb position of codes 4, 5.
int ScrollPosition(int code, int p, int minimum, int limit, int s, int track);
// The new position for a direction key: one cell back (-1) or forward (+1) within the range.
int KeyScrollPosition(int direction, int p, int minimum, int limit, int s);

// The three areas of the board that take the stylus, in window coordinates.
enum class HitArea { None, ColumnClues, RowClues, Cells };
struct Hit {
    HitArea area = HitArea::None;
    int column = 0;  // grid column (column clues, cells) or clue slot (row clues)
    int row = 0;     // grid row (row clues, cells) or clue slot (column clues)
};
// Column clues give (column, slot), row clues (slot, row), cells (column, row); slot 0 is the
// clue nearest the grid.
Hit HitTest(const BoardGeometry& g, int hx, int vy, int x, int y);

}  // namespace mosgrid
