// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "board/core/BoardModel.h"
#include "board/core/Moves.h"

namespace mosgrid {

// The marking cycle of one cell under a tap with the current colour: blank becomes the current
// colour, a cell of another colour is repainted in it, a cell of the current colour is crossed
// (decided white), and a crossed cell becomes blank again.
CellRecord NextMark(const CellRecord& cell, COLORREF current);

// Applies the marking cycle to cell (c, r) of the model; returns the change.
CellChange MarkCell(BoardModel& model, int c, int r, COLORREF current);

// Decides cell (c, r) as the picture has it (white pictures cells become crossed).
CellChange RevealCell(BoardModel& model, int c, int r);

}  // namespace mosgrid
