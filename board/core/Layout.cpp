// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/core/Layout.h"

#include <algorithm>
#include <cmath>

namespace mosgrid {

int ComputeCellSize(int clientWidth, int clientHeight, int cols, int rows, int K, int R) {
    if (cols == 0) return kMinCellSize;
    double across = std::floor(double(clientWidth) / double(cols + R));
    double down = std::floor(double(clientHeight) / double(rows + K));
    double s = std::min(across, down);
    if (!(s >= kMinCellSize)) return kMinCellSize;
    return int(std::min(s, 1.0e6));
}

int HorizontalOverflow(const BoardGeometry& g, int clientWidth) { return g.s * (g.R + g.cols) - clientWidth - 1; }
int VerticalOverflow(const BoardGeometry& g, int clientHeight) { return g.s * (g.K + g.rows) - clientHeight - 1; }

View LayoutAtSetup(const BoardGeometry& g, int clientWidth, int clientHeight) {
    int ox = HorizontalOverflow(g, clientWidth);
    int oy = VerticalOverflow(g, clientHeight);
    View v;
    v.hx = ox < 0 ? ox / 2 : 0;
    v.vy = oy < 0 ? oy / 2 : 0;
    v.hMax = std::max(ox, 0);
    v.vMax = std::max(oy, 0);
    return v;
}

View LayoutOnResize(const BoardGeometry& g, int clientWidth, int clientHeight) {
    if (g.R == 0 || g.K == 0) return View{};
    int ox = HorizontalOverflow(g, clientWidth);
    int oy = VerticalOverflow(g, clientHeight);
    View v;
    v.hx = ox > 0 ? 0 : ox / 2;
    v.vy = oy > 0 ? 0 : oy / 2;
    v.hMax = std::max(ox, 0);
    v.vMax = std::max(oy, 0);
    return v;
}

int ScrollPosition(int code, int p, int minimum, int limit, int s, int track) {
    switch (code) {
        case SB_LINEUP: return p > minimum ? p - 1 : p;
        case SB_LINEDOWN: return p < limit ? p + 1 : p;
        case SB_PAGEUP: return p > minimum ? std::max(p - s, minimum) : p;
        case SB_PAGEDOWN: return p < limit ? std::min(p + s, limit) : p;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: return track;
        case SB_TOP: return minimum;
        case SB_BOTTOM: return limit;
        default: return p;
    }
}

int KeyScrollPosition(int direction, int p, int minimum, int limit, int s) {
    return ScrollPosition(direction < 0 ? SB_PAGEUP : SB_PAGEDOWN, p, minimum, limit, s, p);
}

namespace {

// The offset of a clue area `depth` pixels deep along a viewport `room` pixels long: the view
// offset while that shows the whole area (centred or unscrolled), at most 0 once scrolled, so
// that the area stays at the edge; a deeper area than half the room scrolls on until its grid
// side is halfway along.
int PinnedOffset(int offset, int depth, int room) { return std::min(offset, std::max(0, depth - room / 2)); }

}  // namespace

Panes PinnedPanes(const BoardGeometry& g, int hx, int vy, int viewWidth, int viewHeight) {
    return Panes{hx, vy, PinnedOffset(hx, g.R * g.s, viewWidth), PinnedOffset(vy, g.K * g.s, viewHeight)};
}

Hit HitTest(const BoardGeometry& g, const Panes& p, int x, int y) {
    const int s = g.s;
    const int cellsLeft = g.R * s - p.pinnedX;  // the grid side of the clue areas
    const int cellsTop = g.K * s - p.pinnedY;
    const int gridRight = (g.R + g.cols) * s - p.hx;
    const int gridBottom = (g.K + g.rows) * s - p.vy;
    auto inside = [&](int l, int t, int r, int b) { return x >= l && x < r && y >= t && y < b; };
    if (inside(cellsLeft, -p.pinnedY, gridRight, cellsTop)) {
        return {HitArea::ColumnClues, (x + p.hx - g.R * s) / s, g.K - 1 - (y + p.pinnedY) / s};
    }
    if (inside(-p.pinnedX, cellsTop, cellsLeft, gridBottom)) {
        return {HitArea::RowClues, g.R - 1 - (x + p.pinnedX) / s, (y + p.vy - g.K * s) / s};
    }
    if (inside(cellsLeft, cellsTop, gridRight, gridBottom)) {
        return {HitArea::Cells, (x + p.hx - g.R * s) / s, (y + p.vy - g.K * s) / s};
    }
    return {};
}

}  // namespace mosgrid
