// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "board/core/BoardModel.h"

namespace mosgrid {

// A line is complete when every cell of it is decided and has exactly the picture's colour;
// a white picture cell therefore counts only once it is crossed.
bool RowComplete(const BoardModel& model, int r);
bool ColumnComplete(const BoardModel& model, int c);

struct LineCheckResult {
    bool rowComplete = false;
    bool columnComplete = false;
};

// Re-evaluates the row and the column through cell (c, r) and stores the results in the
// model's row-solved and column-solved flags.
LineCheckResult CheckLinesThrough(BoardModel& model, int c, int r);

// True when a puzzle is loaded and every row-solved and column-solved flag is set.
bool AllLinesSolved(const BoardModel& model);

}  // namespace mosgrid
