// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "board/core/BoardTypes.h"

namespace mosgrid {

// Told of everything the solver does to the board's cells, so the board can show the search
// as it goes. The solver calls it synchronously; how often the board actually repaints is the
// board's business.
class SolveListener {
public:
    virtual ~SolveListener() = default;
    // Cell (column, row) has just been written with `cell`: a deduction or a guess on the branch
    // being explored, or a cell put back when a branch is undone. Values only tried out (probing)
    // are never written.
    virtual void CellWritten(int column, int row, const CellRecord& cell) = 0;
    // One line pass has ended.
    virtual void LinePassed() = 0;
    // Polled between line passes, before every probe and before every guess: true ends the
    // search as soon as it can. The cells and the stored variants are then whatever the search
    // had reached.
    virtual bool StopRequested() { return false; }
};

}  // namespace mosgrid
