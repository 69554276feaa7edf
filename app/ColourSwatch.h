// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QToolButton>

#include "common/Colour.h"

namespace mosgrid {

// The colour button of the menu bar's row: a disabled button that only shows the current
// colour as a filled square. It carries no command.
class ColourSwatch : public QToolButton {
    Q_OBJECT
public:
    // Side of the square by the width of the screen the window opens on: 15 pixels on screens
    // up to 320 pixels wide, else 31.
    static int SideForScreenWidth(int screenWidth) { return screenWidth < 321 ? 15 : 31; }

    ColourSwatch(int side, QWidget* parent = nullptr);

    // Fills the square with `colour` (0x00BBGGRR); black until a puzzle sets a colour.
    void ShowColour(COLORREF colour);
    COLORREF Colour() const { return colour_; }
    int Side() const { return side_; }

private:
    int side_;
    COLORREF colour_ = kBlack;
};

}  // namespace mosgrid
