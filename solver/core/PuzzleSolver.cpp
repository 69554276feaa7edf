#include "solver/core/PuzzleSolver.h"

#include <bit>
#include <new>

namespace mosgrid {

PuzzleSolver::PuzzleSolver(BoardModel& model, SolveListener* listener) : model_(model), listener_(listener) {
    // Empty first, then the picture's colours in the order of its colour list: the order in
    // which a guess tries them.
    valueColours_.push_back(kWhite);
    const CBmpFile& picture = model_.picture;
    for (int i = 0; i < picture.colourCount && i < int(picture.colours.size()); ++i) {
        const COLORREF colour = picture.colours[std::size_t(i)];
        if (ValueOf(colour) < 0) valueColours_.push_back(colour);
    }
    BuildRuns();
    if (int(valueColours_.size()) > kMaxValues) {
        usable_ = false;
        return;
    }
    allValues_ = valueColours_.size() == std::size_t(kMaxValues)
                     ? ~ValueMask(0)
                     : (ValueMask(1) << valueColours_.size()) - 1;
    const std::size_t cellCount = model_.cells.size();
    open_.assign(cellCount, allValues_);
    // Along one branch a cell is narrowed at most once per value it loses.
    trail_.reserve(cellCount * valueColours_.size());
}

int PuzzleSolver::ValueOf(COLORREF colour) const {
    for (std::size_t v = 0; v < valueColours_.size(); ++v) {
        if (valueColours_[v] == colour) return int(v);
    }
    return -1;
}

void PuzzleSolver::BuildRuns() {
    const int cols = model_.cols();
    const int rows = model_.rows();
    lineRuns_.assign(std::size_t(rows + cols), {});
    auto collect = [this](std::vector<LineRun>& out, auto slotAt) {
        // Slot 0 is the run at the line's far end, so the slots are read downwards.
        for (int k = kMaxSlots - 1; k >= 0; --k) {
            const ClueEntry& e = slotAt(k);
            if (e.length == 0) continue;
            const COLORREF colour = model_.ClueColour(e);
            int value = ValueOf(colour);
            if (value < 0) {
                // Not a colour of the pixels: cannot come from the picture's own clues, but the
                // run still needs a value of its own.
                valueColours_.push_back(colour);
                value = int(valueColours_.size()) - 1;
            }
            out.push_back(LineRun{e.length, value, e.colourIndex});
        }
    };
    for (int r = 0; r < rows; ++r) {
        collect(lineRuns_[std::size_t(r)], [&](int k) -> const ClueEntry& { return model_.RowClue(r, k); });
    }
    for (int c = 0; c < cols; ++c) {
        collect(lineRuns_[std::size_t(rows + c)], [&](int k) -> const ClueEntry& { return model_.ColumnClue(c, k); });
    }
}

ValueMask PuzzleSolver::CellMask(int cell) const {
    const CellRecord& record = model_.cells[std::size_t(cell)];
    if (record.state == 1) return open_[std::size_t(cell)];
    const int value = ValueOf(record.colour);
    return value < 0 ? 0 : ValueMask(1) << value;
}

void PuzzleSolver::WriteCell(int cell, const CellRecord& value, ValueMask open) {
    CellRecord& record = model_.cells[std::size_t(cell)];
    if (record.state != value.state || record.colour != value.colour || open_[std::size_t(cell)] != open) {
        trail_.push_back(TrailEntry{cell, record, open_[std::size_t(cell)]});
        record = value;
        open_[std::size_t(cell)] = open;
    }
    if (listener_) listener_->CellWritten(cell % model_.cols(), cell / model_.cols(), record);
}

void PuzzleSolver::UndoTo(std::size_t mark) {
    while (trail_.size() > mark) {
        const TrailEntry e = trail_.back();
        trail_.pop_back();
        model_.cells[std::size_t(e.cell)] = e.oldCell;
        open_[std::size_t(e.cell)] = e.oldOpen;
        if (listener_) listener_->CellWritten(e.cell % model_.cols(), e.cell / model_.cols(), e.oldCell);
    }
}

void PuzzleSolver::SolveLine(LineKind kind, int index, CSolveProgress& progress) {
    if (!usable_) return;
    const int cols = model_.cols();
    const int rows = model_.rows();
    const bool row = kind == LineKind::Row;
    if (index < 0 || index >= (row ? rows : cols)) return;
    (row ? pendingRows : pendingColumns)[std::size_t(index)] = 0;
    ++linePasses_;

    const int length = row ? cols : rows;
    auto cellAt = [&](int p) { return row ? index * cols + p : p * cols + index; };
    for (int p = 0; p < length; ++p) lineCells_[std::size_t(p)] = CellMask(cellAt(p));
    const std::vector<LineRun>& runs = lineRuns_[std::size_t(row ? index : rows + index)];
    if (!lineSolver_.Solve(lineCells_.data(), length, runs.data(), int(runs.size()), linePossible_.data())) {
        contradiction = 1;
        return;
    }

    auto& crossing = row ? pendingColumns : pendingRows;
    for (int p = 0; p < length; ++p) {
        const int cell = cellAt(p);
        if (model_.cells[std::size_t(cell)].state != 1) continue;
        const ValueMask open = linePossible_[std::size_t(p)];
        CellRecord record{1, kWhite};
        if (std::has_single_bit(open)) {
            record = CellRecord{0, valueColours_[std::size_t(std::countr_zero(open))]};
            crossing[std::size_t(p)] = 1;
            progress.StepIt();
        } else if (open != open_[std::size_t(cell)]) {
            // Fewer colours left but not one: the crossing line can use that too.
            crossing[std::size_t(p)] = 1;
        }
        WriteCell(cell, record, open);
    }
}

void PuzzleSolver::PropagateLines(CSolveProgress& progress) {
    bool ran = true;
    while (ran) {
        ran = false;
        for (int r = 0; r < model_.rows(); ++r) {
            if (!pendingRows[std::size_t(r)]) continue;
            if (PollStop()) return;
            SolveLine(LineKind::Row, r, progress);
            if (listener_) listener_->LinePassed();
            ran = true;
        }
        for (int c = 0; c < model_.cols(); ++c) {
            if (!pendingColumns[std::size_t(c)]) continue;
            if (PollStop()) return;
            SolveLine(LineKind::Column, c, progress);
            if (listener_) listener_->LinePassed();
            ran = true;
        }
    }
}

bool PuzzleSolver::SearchSolutions(CSolveProgress& progress, int column, int row) {
    if (!usable_ || !model_.HasPuzzle()) return false;
    contradiction = 0;
    PropagateLines(progress);
    if (stopped_) return true;
    if (contradiction) return false;

    const int cols = model_.cols();
    const int cellCount = int(model_.cells.size());
    int cell = row * cols + column;
    if (cell < 0) cell = 0;
    while (cell < cellCount && model_.cells[std::size_t(cell)].state != 1) ++cell;
    if (cell >= cellCount) {
        StoreSolution();
        return true;
    }

    const int c = cell % cols;
    const int r = cell / cols;
    const std::uint32_t saved = progress.GetPos();
    const std::size_t mark = trail_.size();
    const ValueMask open = open_[std::size_t(cell)];
    ++guesses_;
    bool first = true;
    for (int v = 0; v < int(valueColours_.size()); ++v) {
        if (!(open >> v & 1)) continue;
        if (StoreFull() || PollStop()) break;
        if (!first) {
            UndoTo(mark);
            progress.SetPos(saved);
        }
        first = false;
        WriteCell(cell, CellRecord{0, valueColours_[std::size_t(v)]}, ValueMask(1) << v);
        pendingColumns[std::size_t(c)] = 1;
        pendingRows[std::size_t(r)] = 1;
        SearchSolutions(progress, c, r);
    }
    return true;
}

void PuzzleSolver::StoreSolution() {
    if (StoreFull()) return;
    try {
        model_.variants.push_back(model_.cells);
    } catch (const std::bad_alloc&) {
        // No room for the copy: the solution is neither stored nor counted.
    }
}

void PuzzleSolver::MarkAllLinesPending() {
    for (int c = 0; c < model_.cols(); ++c) pendingColumns[std::size_t(c)] = 1;
    for (int r = 0; r < model_.rows(); ++r) pendingRows[std::size_t(r)] = 1;
}

}  // namespace mosgrid
