// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace mosgrid {

class CGmGride;
class CheckRun;

// "Проверить кроссворд" on the board's puzzle: pictures of other than two colours are refused;
// otherwise, once the player confirms, CheckPuzzle. Without a puzzle it does nothing. Returns
// the check started, or null. The caller brings the menu state up to date afterwards.
CheckRun* CheckCommand(CGmGride& board, QWidget* parent);

// Starts the check of the board's puzzle (see CheckRun) and returns it; it belongs to `parent`
// and runs on while the event loop does. Null when the board holds no puzzle.
CheckRun* CheckPuzzle(CGmGride& board, QWidget* parent);

}  // namespace mosgrid
