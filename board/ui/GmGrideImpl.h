#pragma once
// The board window's private state, shared by its source files.
#include <QPoint>
#include <QImage>
#include <QString>

#include <vector>

#include "board/core/Moves.h"
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
    int setupS = kMinCellSize; // the cell size chosen at set-up: the reveal penalty
    int hx = 0;                // board point at the viewport's left edge
    int vy = 0;                // and at its top edge
    int lastColumn = -1;       // last stylus position acted on (cell, or clue line and slot)
    int lastRow = -1;
    QPoint dragPoint;          // where the left button last was while held, for drag gaps
    bool dragging = false;
    bool fullScreen = false;
    int timerId = 0;
    int adjusting = 0;         // > 0 while the board itself moves the scroll bars
    bool settingUp = false;    // the board itself is laying the view out
    bool rightDragging = false;  // the right button is held
    int rightKind = -1;        // MarkKind of the first cell of a right drag, -1 before it
    Move step;                 // what the current press has changed so far
    MoveHistory history;
    std::vector<QString> pending;  // messages to show once the step is complete
    bool solvedPending = false;    // puzzleSolved follows those messages
    int wheelRest = 0;         // wheel turn not yet taken, in eighths of a degree
};

}  // namespace mosgrid
