#pragma once
#include "board/core/BoardModel.h"

namespace mosgrid {

// Copies of a board model for work that must not touch the board itself: the check searches on
// a copy of the puzzle on its own thread, and keeps a copy of the player's game to put back
// when it is cancelled.

// Makes `to` hold the puzzle of `from`: the same picture (palette, pixels, colour list), name
// and clues as they stand (clue tables and slot counts included). The game on it is whatever
// set-up leaves. False when `from` holds no puzzle; `to` then holds none either.
bool CopyPuzzle(const BoardModel& from, BoardModel& to);

// Copies the game played on the puzzle: cells, crossed-out clues, solved flags, game-over flag,
// hints mode and its tap count, clock, current colour and solution variants. Both models must
// hold the same puzzle (CopyPuzzle).
void CopyGame(const BoardModel& from, BoardModel& to);

}  // namespace mosgrid
