// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/core/Moves.h"

#include <algorithm>
#include <utility>

namespace mosgrid {
namespace {

bool Same(const CellRecord& a, const CellRecord& b) { return a.state == b.state && a.colour == b.colour; }

std::int32_t& DoneFlag(BoardModel& model, bool column, int line, int slot) {
    return column ? model.ColumnClue(line, slot).done : model.RowClue(line, slot).done;
}

}  // namespace

void Move::Add(const CellChange& change) {
    for (CellChange& known : cells_) {
        if (known.column == change.column && known.row == change.row) {
            known.after = change.after;
            return;
        }
    }
    cells_.push_back(change);
}

void Move::Add(const ClueChange& change) {
    for (ClueChange& known : clues_) {
        if (known.column == change.column && known.line == change.line && known.slot == change.slot) {
            known.after = change.after;
            return;
        }
    }
    clues_.push_back(change);
}

bool Move::Empty() const {
    return std::all_of(cells_.begin(), cells_.end(), [](const CellChange& c) { return Same(c.before, c.after); }) &&
           std::all_of(clues_.begin(), clues_.end(), [](const ClueChange& c) { return c.before == c.after; });
}

CellChange ChangeCell(BoardModel& model, int column, int row, CellRecord after) {
    CellRecord& cell = model.Cell(column, row);
    const CellChange change{column, row, cell, after};
    cell = after;
    return change;
}

ClueChange ToggleClue(BoardModel& model, bool column, int line, int slot) {
    std::int32_t& done = DoneFlag(model, column, line, slot);
    const ClueChange change{column, line, slot, done, done == 1 ? 0 : 1};
    done = change.after;
    return change;
}

void ApplyMove(BoardModel& model, const Move& move) {
    for (const CellChange& c : move.Cells()) model.Cell(c.column, c.row) = c.after;
    for (const ClueChange& c : move.Clues()) DoneFlag(model, c.column, c.line, c.slot) = c.after;
}

void RevertMove(BoardModel& model, const Move& move) {
    for (const CellChange& c : move.Cells()) model.Cell(c.column, c.row) = c.before;
    for (const ClueChange& c : move.Clues()) DoneFlag(model, c.column, c.line, c.slot) = c.before;
}

CellRecord CrossOrClear(const CellRecord& cell) {
    return KindOf(cell) == MarkKind::Crossed ? CellRecord{1, kWhite} : CellRecord{0, kWhite};
}

MarkKind KindOf(const CellRecord& cell) {
    if (cell.state == 1) return MarkKind::Blank;
    return cell.colour == kWhite ? MarkKind::Crossed : MarkKind::Painted;
}

void MoveHistory::Push(Move move) {
    if (move.Empty()) return;
    done_.push_back(std::move(move));
    undone_.clear();
}

const Move* MoveHistory::Undo(BoardModel& model) {
    if (done_.empty()) return nullptr;
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    RevertMove(model, undone_.back());
    return &undone_.back();
}

const Move* MoveHistory::Redo(BoardModel& model) {
    if (undone_.empty()) return nullptr;
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    ApplyMove(model, done_.back());
    return &done_.back();
}

void MoveHistory::Clear() {
    done_.clear();
    undone_.clear();
}

}  // namespace mosgrid
