// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ColourSwatch.h"

#include <QIcon>
#include <QPixmap>

namespace mosgrid {

ColourSwatch::ColourSwatch(int side, QWidget* parent) : QToolButton(parent), side_(side) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(side, side));
    setToolTip(QStringLiteral("Текущий цвет"));
    ShowColour(kBlack);
    setEnabled(false);
}

void ColourSwatch::ShowColour(COLORREF colour) {
    colour_ = colour;
    QPixmap square(side_, side_);
    square.fill(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
    // The same picture for the disabled state, so the button shows the colour and not a
    // greyed copy of it.
    QIcon icon;
    icon.addPixmap(square, QIcon::Normal);
    icon.addPixmap(square, QIcon::Disabled);
    setIcon(icon);
}

}  // namespace mosgrid
