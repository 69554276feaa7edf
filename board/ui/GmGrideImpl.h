// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board window's private state, shared by its source files.
#include <QPoint>
#include <QImage>
#include <QString>

#include <optional>

#include "board/ui/Backgrounds.h"
#include "board/ui/BoardImages.h"
#include "board/ui/GmGride.h"

namespace mosgrid {

struct CGmGride::Impl {
    BoardHost* host = nullptr;
    BoardImages images;
    Backgrounds backgrounds;
    QImage frame;              // the off-screen image the viewport is composed in
    int s = kMinCellSize;      // cell size: fitted at set-up and on resizes, or zoomed
    int hx = 0;                // board point at the viewport's left edge
    int vy = 0;                // and at its top edge
    QPoint dragPoint;          // where the left button last was while held, for drag gaps
    bool dragging = false;
    bool fullScreen = false;
    int timerId = 0;
    int adjusting = 0;         // > 0 while the board itself moves the scroll bars
    bool settingUp = false;    // the board itself is laying the view out
    bool rightDragging = false;  // the right button is held
    std::optional<BoardModel> search;  // the check's layer: its cells over a new game
    int wheelRest = 0;         // wheel turn not yet taken, in eighths of a degree
    std::optional<QPoint> cursor;  // the keyboard's cursor (see CursorPosition), none while hidden
    QPoint mouseCell{-1, -1};  // the cell the mouse last pressed, where the cursor first shows
};

}  // namespace mosgrid
