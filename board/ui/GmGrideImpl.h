#pragma once
// The board window's private state, shared by its source files.
#include <QPoint>
#include <QImage>

#include "board/ui/Backgrounds.h"
#include "board/ui/BoardImages.h"
#include "board/ui/GmGride.h"

namespace mosgrid {

struct CGmGride::Impl {
    BoardHost* host = nullptr;
    BoardImages images;
    Backgrounds backgrounds;
    QImage frame;              // the off-screen image the viewport is composed in
    int s = kMinCellSize;      // cell size, chosen at set-up only
    int hx = 0;                // board point at the viewport's left edge
    int vy = 0;                // and at its top edge
    int lastColumn = -1;       // last stylus position acted on (cell, or clue line and slot)
    int lastRow = -1;
    QPoint dragPoint;          // where the left button last was while held, for drag gaps
    bool dragging = false;
    bool fullScreen = false;
    int timerId = 0;
    int adjusting = 0;         // > 0 while the board itself moves the scroll bars
    bool settingUp = false;    // a puzzle set-up is measuring the viewport
};

}  // namespace mosgrid
