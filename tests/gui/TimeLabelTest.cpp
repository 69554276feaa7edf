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

    QPalette light;
    light.setColor(QPalette::Button, QColor(0xE0, 0xE0, 0xE0));
    light.setColor(QPalette::ButtonText, Qt::black);
    label.setPalette(light);
    auto [lightest, darkest] = LightestAndDarkest(label);
    EXPECT_EQ(lightest, 0xE0);  // the button face
    EXPECT_LT(darkest, 0x30);   // black text

    QPalette dark;
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xF0, 0xF0, 0xF0));
    dark.setColor(QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));
    label.setPalette(dark);
    std::tie(lightest, darkest) = LightestAndDarkest(label);
    EXPECT_EQ(darkest, 0x35);    // the dark button face
    EXPECT_GT(lightest, 0xC0);   // light text on it
}

}  // namespace
}  // namespace mosgrid
