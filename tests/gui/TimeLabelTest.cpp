// SPDX-License-Identifier: GPL-3.0-or-later
// The time label draws in the palette's colours, so it stays readable on a dark desktop.
#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>

#include "app/StringTime.h"

namespace mosgrid {
namespace {

// The lightest and the darkest pixel of the label as drawn.
std::pair<int, int> LightestAndDarkest(CStringTime& label) {
    const QImage image = label.grab().toImage();
    int lightest = 0, darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(image.pixel(x, y));
            lightest = std::max(lightest, grey);
            darkest = std::min(darkest, grey);
        }
    return {lightest, darkest};
}

TEST(TimeLabel, TextAndBackgroundFollowTheLightAndTheDarkPalette) {
    CStringTime label;
    label.resize(120, 30);
    label.setText(QStringLiteral("0:08:08"));
    // Each palette: its button face and text colour; the face is drawn exactly, the text near its colour.
    for (const auto& [face, text] : {std::pair{QColor(0xE0, 0xE0, 0xE0), QColor(Qt::black)},
                                     std::pair{QColor(0x35, 0x35, 0x35), QColor(0xF0, 0xF0, 0xF0)}}) {
        QPalette palette;
        palette.setColor(QPalette::Button, face);
        palette.setColor(QPalette::ButtonText, text);
        palette.setColor(QPalette::WindowText, text);
        label.setPalette(palette);
        const auto [lightest, darkest] = LightestAndDarkest(label);
        const bool dark = face.lightness() < 128;
        EXPECT_EQ(dark ? darkest : lightest, qGray(face.rgb())) << dark;
        EXPECT_LT(std::abs((dark ? lightest : darkest) - qGray(text.rgb())), 0x30) << dark;
    }
}

}  // namespace
}  // namespace mosgrid
