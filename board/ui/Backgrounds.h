// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QSize>
#include <QString>

namespace mosgrid {

// The background pictures of the board: the landscape one while the board window is at least
// as wide as high, the portrait one while it is narrower. A window whose device pixels the
// picture of its shape covers shows that picture from its top-left corner; a larger one shows
// the large artwork of that shape scaled to cover it, centred, so there are no seams.
struct Backgrounds {
    QImage landscape;
    QImage portrait;
    QString landscapeLarge;  // resources of the large artwork, loaded when first needed
    QString portraitLarge;

    // The picture for a window of windowWidth x windowHeight (logical) drawn at `device` pixels:
    // at least `device` in size, or the picture of the window's shape where that covers it.
    const QImage& For(int windowWidth, int windowHeight, QSize device) const;

private:
    mutable QImage landscapeSource_;
    mutable QImage portraitSource_;
    mutable QImage fitted_;  // the large artwork scaled for the last size asked for
    mutable QSize fittedSize_;
    mutable bool fittedPortrait_ = false;
};

// The pair for a screen `screenWidth` pixels wide: 320 x 240 and 240 x 320 up to 320 pixels,
// 640 x 480 and 480 x 640 above, and the large artwork for larger windows. A picture missing
// from the resources is replaced by a pale pattern of its size, so the board works either way.
// Images are RGB32.
Backgrounds LoadBackgrounds(int screenWidth);

// The pale pattern that stands in for a missing background picture.
QImage PlaceholderBackground(int width, int height);

}  // namespace mosgrid
