#pragma once
#include <chrono>

#include "board/core/BoardModel.h"
#include "solver/core/SolveListener.h"
#include "solver/core/SolveProgress.h"

namespace mosgrid {

struct SolveResult {
    // Solutions stored in the model's variants (at most kMaxVariants); the count the check
    // reports.
    int count = 0;
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

// Finds the solutions of the model's puzzle from its cells as they stand (the check resets the
// board first): discards the stored variants, sets the progress range to the number of cells,
// marks every line pending and searches from the first cell. The solutions found are in the
// model's variants, in lexicographic order (row-major, empty before the colours); the cells hold
// whatever the last branch explored left. listener may be null.
SolveResult SolvePuzzle(BoardModel& model, CSolveProgress& progress, SolveListener* listener = nullptr);

}  // namespace mosgrid
