// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/ui/Raster.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace mosgrid::raster {

QImage NewImage(int width, int height) {
    if (width <= 0 || height <= 0) return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kWhiteRgb);
    return image;
}

void SetPixel(QImage& image, int x, int y, QRgb colour) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return;
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
}

void FillRect(QImage& image, int left, int top, int width, int height, QRgb colour) {
    QRect r = QRect(left, top, width, height).intersected(image.rect());
    if (r.isEmpty()) return;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + r.left(), line + r.left() + r.width(), colour);
    }
}

namespace {

// Bresenham from (x0, y0) towards (x1, y1), calling plot(x, y, sx, sy, steep) for every point
// but the last.
template <typename Plot>
void Walk(int x0, int y0, int x1, int y1, Plot plot) {
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x1 > x0 ? 1 : (x1 < x0 ? -1 : 0);
    const int sy = y1 > y0 ? 1 : (y1 < y0 ? -1 : 0);
    const bool steep = dy >= dx;
    const int steps = std::max(dx, dy);
    int x = x0;
    int y = y0;
    int err = 0;
    for (int i = 0; i < steps; ++i) {
        plot(x, y, sx, sy, steep);
        if (steep) {
            y += sy;
            err += 2 * dx;
            if (err > dy) {
                x += sx;
                err -= 2 * dy;
            }
        } else {
            x += sx;
            err += 2 * dy;
            if (err > dx) {
                y += sy;
                err -= 2 * dx;
            }
        }
    }
}

}  // namespace

void DrawLine(QImage& image, int x0, int y0, int x1, int y1, QRgb colour) {
    Walk(x0, y0, x1, y1, [&](int x, int y, int, int, bool) { SetPixel(image, x, y, colour); });
}

void DrawWideLine(QImage& image, int x0, int y0, int x1, int y1, int width, QRgb colour, const QRect& clip) {
    const QRect area = clip.intersected(image.rect());
    auto put = [&](int x, int y) {
        if (area.contains(x, y)) reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
    };
    Walk(x0, y0, x1, y1, [&](int x, int y, int sx, int sy, bool steep) {
        for (int k = 0; k < width; ++k) {
            if (steep) {
                put(x + k * (sx != 0 ? sx : 1), y);
            } else {
                put(x, y + k * (sy != 0 ? sy : 1));
            }
        }
    });
}

void CopyNonWhite(QImage& target, const QImage& source, int x, int y, const QRect& clip) {
    if (source.isNull()) return;
    QRect r = QRect(x, y, source.width(), source.height()).intersected(clip).intersected(target.rect());
    if (r.isEmpty()) return;
    for (int ty = r.top(); ty <= r.bottom(); ++ty) {
        const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(ty - y)) + (r.left() - x);
        QRgb* to = reinterpret_cast<QRgb*>(target.scanLine(ty)) + r.left();
        for (int i = 0; i < r.width(); ++i) {
            QRgb p = from[i] | 0xFF000000u;
            if (p != kWhiteRgb) to[i] = p;
        }
    }
}

void CopyNonWhiteScaled(QImage& target, const QImage& source, int x, int y, int width, int height,
                        const QRect& clip) {
    if (source.isNull() || width <= 0 || height <= 0) return;
    QRect r = QRect(x, y, width, height).intersected(clip).intersected(target.rect());
    if (r.isEmpty()) return;
    const long long sw = source.width();
    const long long sh = source.height();
    for (int ty = r.top(); ty <= r.bottom(); ++ty) {
        int sy = int((ty - y) * sh / height);
        const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        QRgb* to = reinterpret_cast<QRgb*>(target.scanLine(ty));
        for (int tx = r.left(); tx <= r.right(); ++tx) {
            QRgb p = from[(tx - x) * sw / width] | 0xFF000000u;
            if (p != kWhiteRgb) to[tx] = p;
        }
    }
}

void Tile(QImage& target, const QImage& tile, const QRect& clip) {
    QRect r = clip.intersected(target.rect());
    if (r.isEmpty()) return;
    if (tile.isNull()) {
        FillRect(target, r.left(), r.top(), r.width(), r.height(), kWhiteRgb);
        return;
    }
    const int tw = tile.width();
    const int th = tile.height();
    for (int ty = r.top(); ty <= r.bottom(); ++ty) {
        const QRgb* from = reinterpret_cast<const QRgb*>(tile.constScanLine(ty % th));
        QRgb* to = reinterpret_cast<QRgb*>(target.scanLine(ty));
        int tx = r.left();
        while (tx <= r.right()) {
            int sx = tx % tw;
            int n = std::min(tw - sx, r.right() + 1 - tx);
            std::memcpy(to + tx, from + sx, std::size_t(n) * sizeof(QRgb));
            tx += n;
        }
    }
}

}  // namespace mosgrid::raster
