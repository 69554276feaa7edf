#pragma once
#include <QImage>

namespace mosgrid {

// The two background pictures of the board, tiled behind it: the landscape one while the board
// window is at least as wide as high, the portrait one while it is narrower.
struct Backgrounds {
    QImage landscape;
    QImage portrait;

    const QImage& For(int windowWidth, int windowHeight) const {
        return windowWidth < windowHeight ? portrait : landscape;
    }
};

// The pair for a screen `screenWidth` pixels wide: 320 x 240 and 240 x 320 up to 320 pixels,
// 640 x 480 and 480 x 640 above. A picture missing from the resources is replaced by a pale
// pattern of its size, so the board works either way. Images are RGB32.
Backgrounds LoadBackgrounds(int screenWidth);

// The pale pattern that stands in for a missing background picture.
QImage PlaceholderBackground(int width, int height);

}  // namespace mosgrid
