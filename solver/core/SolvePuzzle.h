// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <vector>

#include "board/core/BoardModel.h"
#include "solver/core/SolveListener.h"
#include "solver/core/SolveProgress.h"

namespace mosgrid {

struct SolveResult {
    // Solutions found (at most kMaxVariants); the count the check reports.
    int count = 0;
    // The solutions, in lexicographic order (row-major, empty before the colours).
    std::vector<BoardModel::Cells> variants;
    // The cells as the last branch the search explored left them.
    BoardModel::Cells cells;
    // The store filled up, so the search ended early: there may be more solutions.
    bool storeFull = false;
    // The line passes alone decided every cell: one solution, no guess.
    bool linesAlone = false;
    // The picture has more colours than the solver handles; nothing was done.
    bool unsupported = false;
    // The listener asked the search to stop before it was over; count and variants are partial.
    bool stopped = false;
    long guesses = 0;
    long linePasses = 0;
    std::chrono::nanoseconds elapsed{0};
};

// Finds the solutions of the puzzle from its cells as they stand (the check starts from blank
// cells): sets the progress range to the number of cells, marks every line pending and
// searches from the first cell. The puzzle is only read; the solutions and the cells the search
// ends on come back in the result. listener may be null.
SolveResult SolvePuzzle(const BoardModel& puzzle, CSolveProgress& progress, SolveListener* listener = nullptr);
// The same, filling `result` as the search goes: should the search throw (out of memory), the
// solutions found so far and the cells stay in `result`.
void SolvePuzzleInto(const BoardModel& puzzle, CSolveProgress& progress, SolveListener* listener, SolveResult& result);

}  // namespace mosgrid
