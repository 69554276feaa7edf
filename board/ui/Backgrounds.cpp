// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/ui/Backgrounds.h"

#include <QString>

namespace mosgrid {
namespace {

QImage LoadOrMake(const QString& resource, int width, int height) {
    QImage image(resource);
    if (image.isNull()) return PlaceholderBackground(width, height);
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QImage PlaceholderBackground(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    // A faint diagonal weave of two pale tints: light enough for the grid and the clues to stay
    // legible, and never pure white, so it is plain where the board's images are transparent.
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            // The stripes lean one way on the landscape picture and the other on the portrait one.
            bool stripe = (width >= height ? (x + y) / 6 : (x + height - y) / 6) % 2 == 0;
            bool dot = (x % 12 == 0) && (y % 12 == 0);
            line[x] = dot ? qRgb(0xD8, 0xE2, 0xEC) : (stripe ? qRgb(0xEE, 0xF2, 0xF6) : qRgb(0xF4, 0xF6, 0xF0));
        }
    }
    return image;
}

const QImage& Backgrounds::For(int windowWidth, int windowHeight, QSize device) const {
    const bool tall = windowWidth < windowHeight;
    const QImage& picture = tall ? portrait : landscape;
    if (device.width() <= picture.width() && device.height() <= picture.height()) return picture;
    if (fitted_.isNull() || fittedSize_ != device || fittedPortrait_ != tall) {
        QImage& source = tall ? portraitSource_ : landscapeSource_;
        if (source.isNull()) {
            const QString& resource = tall ? portraitLarge : landscapeLarge;
            source = resource.isEmpty() ? QImage() : QImage(resource);
            if (source.isNull()) source = picture;
        }
        if (source.isNull()) return picture;
        const QImage scaled = source.scaled(device, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        fitted_ = scaled
                      .copy((scaled.width() - device.width()) / 2, (scaled.height() - device.height()) / 2,
                            device.width(), device.height())
                      .convertToFormat(QImage::Format_RGB32);
        fittedSize_ = device;
        fittedPortrait_ = tall;
    }
    return fitted_;
}

Backgrounds LoadBackgrounds(int screenWidth) {
    Backgrounds b;
    b.landscapeLarge = QStringLiteral(":/backgrounds/landscape_hd.png");
    b.portraitLarge = QStringLiteral(":/backgrounds/portrait_hd.png");
    if (screenWidth <= 320) {
        b.landscape = LoadOrMake(QStringLiteral(":/backgrounds/landscape_small.bmp"), 320, 240);
        b.portrait = LoadOrMake(QStringLiteral(":/backgrounds/portrait_small.bmp"), 240, 320);
    } else {
        b.landscape = LoadOrMake(QStringLiteral(":/backgrounds/landscape_large.bmp"), 640, 480);
        b.portrait = LoadOrMake(QStringLiteral(":/backgrounds/portrait_large.bmp"), 480, 640);
    }
    return b;
}

}  // namespace mosgrid
