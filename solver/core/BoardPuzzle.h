// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "board/core/BoardModel.h"
#include "solver/core/Puzzle.h"

namespace mosgrid {

// The puzzle of a board model as the search takes it. The values are empty (white) and the
// picture's non-white colours in the order of its colour list: the order in which a guess tries
// them, so the solutions come in lexicographic order.
struct BoardPuzzle {
    Puzzle puzzle;
    std::vector<COLORREF> valueColours;  // [0] is white
    // False for a picture of more colours than the search handles (kMaxValues - 1 besides white).
    bool usable = false;

    int ValueOf(COLORREF colour) const;
    // The values a cell of the board allows: all for a blank cell, its own for a decided one
    // (none for a colour the puzzle does not have).
    ValueMask CellValues(const CellRecord& cell) const;
    // The board's record of a cell that allows `values`: decided when one value is left.
    CellRecord Record(ValueMask values) const;
};

BoardPuzzle PuzzleFromBoard(const BoardModel& model);

}  // namespace mosgrid
