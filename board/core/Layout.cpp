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

Hit HitTest(const BoardGeometry& g, int hx, int vy, int x, int y) {
    const int s = g.s;
    const int gridLeft = g.R * s - hx;
    const int gridTop = g.K * s - vy;
    const int gridRight = (g.R + g.cols) * s - hx;
    const int gridBottom = (g.K + g.rows) * s - vy;
    auto inside = [&](int l, int t, int r, int b) { return x >= l && x < r && y >= t && y < b; };
    if (inside(gridLeft, -vy, gridRight, gridTop)) {
        return {HitArea::ColumnClues, (x + hx - g.R * s) / s, g.K - 1 - (y + vy) / s};
    }
    if (inside(-hx, gridTop, gridLeft, gridBottom)) {
        return {HitArea::RowClues, g.R - 1 - (x + hx) / s, (y + vy - g.K * s) / s};
    }
    if (inside(gridLeft, gridTop, gridRight, gridBottom)) {
        return {HitArea::Cells, (x + hx - g.R * s) / s, (y + vy - g.K * s) / s};
    }
    return {};
}

}  // namespace mosgrid
