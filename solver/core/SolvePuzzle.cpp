// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/SolvePuzzle.h"

#include <bit>
#include <algorithm>
#include <new>
#include <thread>
#include <vector>

#include "solver/core/BoardPuzzle.h"
#include "solver/core/GridSearch.h"
#include "solver/core/SolutionSearch.h"

namespace mosgrid {

namespace {

// Keeps the search's own board cells in step with it: the cells of the branch being explored,
// the progress (one step per cell a deduction decides, put back when a guess's branch is undone)
// and the stored variants.
class BoardObserver final : public SearchObserver {
public:
    BoardObserver(SolveResult& result, int cols, const BoardPuzzle& puzzle, CSolveProgress& progress,
                  SolveListener* listener)
        : result_(result), cols_(cols), puzzle_(puzzle), progress_(progress), listener_(listener) {}

    void CellChanged(int cell, ValueMask values) override {
        CellRecord& record = result_.cells[std::size_t(cell)];
        record = puzzle_.Record(values);
        if (listener_) listener_->CellWritten(cell % cols_, cell / cols_, record);
    }
    void CellDecided() override { progress_.StepIt(); }
    void LinePassed() override {
        if (listener_) listener_->LinePassed();
    }
    void GuessOpened() override { saved_.push_back(progress_.GetPos()); }
    void BranchUndone() override { progress_.SetPos(saved_.back()); }
    void GuessClosed() override { saved_.pop_back(); }
    bool SolutionFound(const std::vector<ValueMask>& cells) override {
        try {
            BoardModel::Cells variant(cells.size());
            for (std::size_t i = 0; i < cells.size(); ++i) variant[i] = puzzle_.Record(cells[i]);
            result_.variants.push_back(std::move(variant));
        } catch (const std::bad_alloc&) {
            // No room for the copy: the solution is neither stored nor counted.
        }
        return result_.variants.size() < std::size_t(kMaxVariants);
    }
    bool StopRequested() override { return listener_ && listener_->StopRequested(); }

private:
    SolveResult& result_;
    int cols_;
    const BoardPuzzle& puzzle_;
    CSolveProgress& progress_;
    SolveListener* listener_;
    std::vector<std::uint32_t> saved_;
};

}  // namespace

SolveResult SolvePuzzle(const BoardModel& puzzle, CSolveProgress& progress, SolveListener* listener) {
    SolveResult result;
    SolvePuzzleInto(puzzle, progress, listener, result);
    return result;
}

void SolvePuzzleInto(const BoardModel& model, CSolveProgress& progress, SolveListener* listener, SolveResult& result) {
    result = SolveResult{};
    if (!model.HasPuzzle()) return;
    const auto start = std::chrono::steady_clock::now();
    const BoardPuzzle puzzle = PuzzleFromBoard(model);
    if (!puzzle.usable) {
        result.unsupported = true;
        return;
    }
    result.cells = model.cells;
    progress.SetRange(std::uint32_t(model.cols()) * std::uint32_t(model.rows()));
    std::vector<ValueMask> startCells(model.cells.size());
    for (std::size_t i = 0; i < startCells.size(); ++i) startCells[i] = puzzle.CellValues(model.cells[i]);
    BoardObserver observer(result, model.cols(), puzzle, progress, listener);
    // A puzzle of white alone has nothing to deduce: its cells start with their one value.
    for (std::size_t i = 0; i < startCells.size(); ++i) {
        if (model.cells[i].state == 1 && std::has_single_bit(startCells[i])) observer.CellChanged(int(i), startCells[i]);
    }
    SolutionSearchOptions options;
    options.threads = int(std::max(1u, std::thread::hardware_concurrency()));
    const SolutionSearchResult found = FindSolutions(puzzle.puzzle, startCells, kMaxVariants, observer, options);
    result.elapsed = std::chrono::steady_clock::now() - start;
    result.count = int(result.variants.size());
    result.storeFull = result.count >= kMaxVariants;
    result.guesses = found.guesses;
    result.linePasses = found.linePasses;
    result.stopped = found.stopped;
    result.linesAlone = !result.stopped && found.solvedByLines && result.count == 1;
}

}  // namespace mosgrid
