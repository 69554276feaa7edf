// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/core/LineCheck.h"

namespace mosgrid {
namespace {

bool CellMatches(const BoardModel& model, int c, int r) {
    const CellRecord& cell = model.Cell(c, r);
    return cell.state == 0 && cell.colour == model.PictureColour(c, r);
}

}  // namespace

bool RowComplete(const BoardModel& model, int r) {
    for (int c = 0; c < model.cols(); ++c) {
        if (!CellMatches(model, c, r)) return false;
    }
    return true;
}

bool ColumnComplete(const BoardModel& model, int c) {
    for (int r = 0; r < model.rows(); ++r) {
        if (!CellMatches(model, c, r)) return false;
    }
    return true;
}

LineCheckResult CheckLinesThrough(BoardModel& model, int c, int r) {
    LineCheckResult result{RowComplete(model, r), ColumnComplete(model, c)};
    model.rowSolved[std::size_t(r)] = result.rowComplete ? 1 : 0;
    model.columnSolved[std::size_t(c)] = result.columnComplete ? 1 : 0;
    return result;
}

bool AllLinesSolved(const BoardModel& model) {
    if (!model.HasPuzzle()) return false;
    for (int c = 0; c < model.cols(); ++c) {
        if (model.columnSolved[std::size_t(c)] != 1) return false;
    }
    for (int r = 0; r < model.rows(); ++r) {
        if (model.rowSolved[std::size_t(r)] != 1) return false;
    }
    return true;
}

}  // namespace mosgrid
