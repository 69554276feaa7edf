// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/Colour.h"

namespace mosgrid {

// What the board needs of the main window: the colour button, the elapsed-time label and
// full-screen mode. The main window implements it; tests use a recording fake.
class BoardHost {
public:
    virtual ~BoardHost() = default;
    // Shows the current colour on the colour button (a disabled swatch that carries no command).
    virtual void ShowCurrentColour(COLORREF colour) = 0;
    // Writes the elapsed time into the time label (TimeText).
    virtual void ShowElapsedTime(int hours, int minutes, int seconds) = 0;
    // Covers the whole screen with the main window, menu bar and time label hidden; and back to
    // the placement it had before, menu bar and label shown.
    virtual void EnterFullScreen() = 0;
    virtual void LeaveFullScreen() = 0;
};

}  // namespace mosgrid
