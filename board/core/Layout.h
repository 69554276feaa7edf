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

// Where the parts of the board lie in a viewport of viewWidth x viewHeight at view offsets
// (hx, vy). The cells lie as the offsets say. While the board is scrolled past its clue areas
// these stay at the viewport's top and left edges, as a spreadsheet keeps its headers: the
// column clues move across with their columns but stay at the top, the row clues move down
// with their rows but stay at the left, and the corner stays put; the cells go under them. A
// clue area keeps at most half the viewport that way: a deeper one scrolls on until half is
// left. Unscrolled or centred, everything lies as the offsets say.
struct Panes {
    int hx = 0;       // the view offsets: the board point at the viewport's left and top edge
    int vy = 0;
    int pinnedX = 0;  // the offsets of the corner and the row clues across (hx unless pinned)
    int pinnedY = 0;  // and of the corner and the column clues down (vy unless pinned)
};
Panes PinnedPanes(const BoardGeometry& g, int hx, int vy, int viewWidth, int viewHeight);

// The three areas of the board that take the stylus, in viewport coordinates: those of the
// board's parts as `PinnedPanes` places them, so that a point hits what is drawn there.
enum class HitArea { None, ColumnClues, RowClues, Cells };
struct Hit {
    HitArea area = HitArea::None;
    int column = 0;  // grid column (column clues, cells) or clue slot (row clues)
    int row = 0;     // grid row (row clues, cells) or clue slot (column clues)
};
// Column clues give (column, slot), row clues (slot, row), cells (column, row); slot 0 is the
// clue nearest the grid.
Hit HitTest(const BoardGeometry& g, const Panes& panes, int x, int y);

}  // namespace mosgrid
