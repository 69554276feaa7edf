#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "board/core/BoardModel.h"
#include "solver/core/LineSolver.h"
#include "solver/core/SolveListener.h"
#include "solver/core/SolveProgress.h"

namespace mosgrid {

enum class LineKind { Row, Column };

// Solves the puzzle of a board model on the model's own cells: line passes, the propagation
// sweep over the lines waiting for a pass, and the depth-first search that stores the solutions
// in the model's variants. The work state (pending lines, contradiction, what blank cells can
// still become, the undo trail) lives here, not in the model.
//
// The cells take the values empty (white) and the non-white colours of the picture's colour
// list, in that order; the search guesses the first blank cell in row-major order and tries the
// values in that order, so the solutions are found in lexicographic order.
class PuzzleSolver {
public:
    // The model must hold its puzzle for the solver's whole life; listener may be null.
    explicit PuzzleSolver(BoardModel& model, SolveListener* listener = nullptr);
    PuzzleSolver(const PuzzleSolver&) = delete;
    PuzzleSolver& operator=(const PuzzleSolver&) = delete;

    // False for a picture of more colours than the solver handles (kMaxValues - 1 besides white).
    bool Usable() const { return usable_; }

    // One pass over row or column `index`: clears its pending flag, decides every blank cell
    // that all valid placements of the line's runs treat alike, marks the crossing line of each
    // cell it decides pending and steps the progress once per such cell. When no placement is
    // valid it sets `contradiction` and changes nothing. Decided cells are never changed.
    void SolveLine(LineKind kind, int index, CSolveProgress& progress);
    // Runs passes over the pending rows, then the pending columns, until a whole sweep ran none.
    // A contradiction does not cut the sweep short.
    void PropagateLines(CSolveProgress& progress);
    // Propagates, then guesses the first blank cell from (column, row) on in row-major order,
    // empty first, and goes on depth-first; every complete board reached is stored. Ends once
    // the store is full. False only when the propagation on entry ends in a contradiction.
    bool SearchSolutions(CSolveProgress& progress, int column, int row);
    // Appends a copy of the cells to the model's variants unless kMaxVariants are stored.
    void StoreSolution();

    void MarkAllLinesPending();
    bool StoreFull() const { return model_.variants.size() >= std::size_t(kMaxVariants); }
    // The listener asked for a stop; the search unwinds without exploring further.
    bool Stopped() const { return stopped_; }

    std::array<std::uint8_t, kMaxSide> pendingColumns{};
    std::array<std::uint8_t, kMaxSide> pendingRows{};
    int contradiction = 0;

    // Guesses made (cells tried with more than one value) and line passes run so far.
    long Guesses() const { return guesses_; }
    long LinePasses() const { return linePasses_; }
    // The colour of each value: [0] is white, then the picture's non-white colours.
    const std::vector<COLORREF>& ValueColours() const { return valueColours_; }

private:
    struct TrailEntry {
        int cell;
        CellRecord oldCell;
        ValueMask oldOpen;
    };

    int ValueOf(COLORREF colour) const;
    ValueMask CellMask(int cell) const;
    void WriteCell(int cell, const CellRecord& value, ValueMask open);
    void UndoTo(std::size_t mark);
    void BuildRuns();

    BoardModel& model_;
    SolveListener* listener_;
    bool usable_ = true;
    std::vector<COLORREF> valueColours_;
    ValueMask allValues_ = kEmptyBit;
    // What each blank cell can still become (narrower than all values only in colour puzzles).
    std::vector<ValueMask> open_;
    std::vector<TrailEntry> trail_;
    // Runs of every line from the line's start: rows first, then columns.
    std::vector<std::vector<LineRun>> lineRuns_;
    LineSolver lineSolver_;
    std::array<ValueMask, kMaxSide> lineCells_{};
    std::array<ValueMask, kMaxSide> linePossible_{};
    long guesses_ = 0;
    long linePasses_ = 0;
    bool stopped_ = false;

    bool PollStop() {
        if (!stopped_ && listener_ && listener_->StopRequested()) stopped_ = true;
        return stopped_;
    }
};

}  // namespace mosgrid
