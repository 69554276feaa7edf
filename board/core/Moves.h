// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include "board/core/BoardModel.h"

namespace mosgrid {

// One cell as a step of play changed it.
struct CellChange {
    int column = 0;
    int row = 0;
    CellRecord before;
    CellRecord after;
};

// One clue's done flag as a step of play changed it (column true: column clue, else row clue).
struct ClueChange {
    bool column = true;
    int line = 0;
    int slot = 0;
    std::int32_t before = 0;
    std::int32_t after = 0;
};

// One step of play, from a press to its release: every cell and clue it changed, each once, with
// the value before the step and the value after it.
class Move {
public:
    // A change of a cell or clue already in the move keeps the first value before and takes the
    // new value after.
    void Add(const CellChange& change);
    void Add(const ClueChange& change);
    // True when the step left every cell and clue as it found them.
    bool Empty() const;
    const std::vector<CellChange>& Cells() const { return cells_; }
    const std::vector<ClueChange>& Clues() const { return clues_; }

private:
    std::vector<CellChange> cells_;
    std::vector<ClueChange> clues_;
};

// The model operations that marking goes through; each returns what it changed.
CellChange ChangeCell(BoardModel& model, int column, int row, CellRecord after);
ClueChange ToggleClue(BoardModel& model, bool column, int line, int slot);

// Puts the values after (Apply) or before (Revert) the step into the model.
void ApplyMove(BoardModel& model, const Move& move);
void RevertMove(BoardModel& model, const Move& move);

// The right button's rule: blank and painted cells become crossed, crossed cells blank.
CellRecord CrossOrClear(const CellRecord& cell);
// The three states a right drag tells apart.
enum class MarkKind { Blank, Painted, Crossed };
MarkKind KindOf(const CellRecord& cell);

// The steps that can be taken back and those that can be made again. A new step drops the
// steps that were taken back.
class MoveHistory {
public:
    void Push(Move move);
    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    // Reverts (Undo) or applies again (Redo) the step and returns it for redrawing; null when
    // there is none.
    const Move* Undo(BoardModel& model);
    const Move* Redo(BoardModel& model);
    void Clear();

private:
    std::vector<Move> done_;
    std::vector<Move> undone_;
};

}  // namespace mosgrid
