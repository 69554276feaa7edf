// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pixel-exact drawing on RGB32 images, as the board's bitmaps are drawn: no antialiasing, a
// line leaves out its end point, white (0xFFFFFF) is the transparent colour of every copy.
#include <QImage>
#include <QRect>

#include "common/Colour.h"

namespace mosgrid::raster {

constexpr QRgb kWhiteRgb = 0xFFFFFFFFu;

// 0x00BBGGRR to the image's 0xAARRGGBB (opaque).
constexpr QRgb ToRgb(COLORREF c) {
    return 0xFF000000u | (QRgb(RedOf(c)) << 16) | (QRgb(GreenOf(c)) << 8) | QRgb(BlueOf(c));
}
constexpr COLORREF FromRgb(QRgb p) {
    return MakeColour(std::uint8_t((p >> 16) & 0xFF), std::uint8_t((p >> 8) & 0xFF), std::uint8_t(p & 0xFF));
}

// A new RGB32 image filled white (a null image when either side is 0).
QImage NewImage(int width, int height);

void SetPixel(QImage& image, int x, int y, QRgb colour);
// Fills the rectangle (left, top, width, height), clipped to the image.
void FillRect(QImage& image, int left, int top, int width, int height, QRgb colour);

// A one-pixel line from (x0, y0) towards (x1, y1); the end point itself is not drawn.
void DrawLine(QImage& image, int x0, int y0, int x1, int y1, QRgb colour);
// A wide line: the one-pixel line with each point followed by width - 1 neighbours further
// along the minor axis direction of travel (horizontally for lines of 45 degrees or steeper,
// vertically for flatter ones), drawing only inside `clip` (image coordinates). Width 2 is the
// two-pixel pen of the crossed-out clue.
void DrawWideLine(QImage& image, int x0, int y0, int x1, int y1, int width, QRgb colour, const QRect& clip);

// Copies every non-white pixel of `source` to `target` at (x, y), within `clip` (target
// coordinates).
void CopyNonWhite(QImage& target, const QImage& source, int x, int y, const QRect& clip);
// The same with `source` scaled to width by height by nearest neighbour.
void CopyNonWhiteScaled(QImage& target, const QImage& source, int x, int y, int width, int height,
                        const QRect& clip);
// Fills `clip` of `target` with `tile` repeated from the target's top-left corner.
void Tile(QImage& target, const QImage& tile, const QRect& clip);

}  // namespace mosgrid::raster
