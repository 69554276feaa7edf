// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/core/Game.h"

#include <cstdlib>
#include <utility>

#include "board/core/BoardTexts.h"
#include "board/core/CellMarking.h"
#include "board/core/GameClock.h"
#include "board/core/LineCheck.h"

namespace mosgrid {

Game::Game(BoardModel model) : model_(std::move(model)) {
    clockRunning_ = model_.HasPuzzle() && model_.gameOver == 0;
}

// A step still open (a key step a drag may carry on) can be taken back; nothing can be made
// again then, as the step drops what was taken back once it closes.
bool Game::CanUndo() const { return InPlay() && (history_.CanUndo() || !step_.Empty()); }
bool Game::CanRedo() const { return InPlay() && history_.CanRedo() && step_.Empty(); }

// ---- Puzzles and games ----------------------------------------------------------------------

void Game::ForgetHistory(GameChange& change) {
    step_ = Move{};
    keyRun_.reset();
    history_.Clear();
    change.history = true;
}

GameChange Game::Load(const std::filesystem::path& picturePath, const std::u16string& name) {
    GameChange change;
    ForgetHistory(change);
    change.board = true;
    // Nothing to play: the game is left without a puzzle, its clock stopped.
    if (!model_.Setup(picturePath, name)) clockRunning_ = false;
    JudgeLines(change);
    return change;
}

GameChange Game::Restart() {
    GameChange change;
    if (!model_.HasPuzzle()) return change;
    ForgetHistory(change);
    model_.Reset();
    clockRunning_ = true;
    change.board = true;
    change.clockStarted = true;
    JudgeLines(change);
    return change;
}

std::optional<GameChange> Game::Restore(const BoardModel& saved) {
    const bool fits = model_.HasPuzzle() && saved.cols() == model_.cols() && saved.rows() == model_.rows() &&
                      saved.K == model_.K && saved.R == model_.R && saved.cells.size() == model_.cells.size() &&
                      saved.columnClues.size() == model_.columnClues.size() &&
                      saved.rowClues.size() == model_.rowClues.size();
    if (!fits) return std::nullopt;
    GameChange change;
    ForgetHistory(change);
    change.colour = saved.currentColour != model_.currentColour;
    model_ = saved;
    clockRunning_ = model_.gameOver == 0;
    change.board = true;
    // The clock starts again from the restored time: a full second to its next tick, and the
    // time shown at once.
    change.clockStarted = true;
    JudgeLines(change);
    return change;
}

// ---- Assists ---------------------------------------------------------------------------------

LineVerdict Game::Verdict(bool column, int line) const {
    const std::vector<LineVerdict>& kept = column ? columnVerdicts_ : rowVerdicts_;
    if (line < 0 || std::size_t(line) >= kept.size()) return LineVerdict{};
    LineVerdict shown = kept[std::size_t(line)];
    if (!assists_.markProvedClues) shown.proved = 0;
    if (!assists_.showErrors) shown.error = false;
    return shown;
}

GameChange Game::SetAssists(const PlayAssists& assists) {
    GameChange change;
    std::vector<LineVerdict> before;
    for (const bool column : {true, false}) {
        for (int i = 0; i < (column ? model_.cols() : model_.rows()); ++i) before.push_back(Verdict(column, i));
    }
    assists_ = assists;
    columnVerdicts_.clear();
    rowVerdicts_.clear();
    GameChange all;
    all.board = true;
    JudgeLines(all);
    std::size_t i = 0;
    for (const bool column : {true, false}) {
        for (int line = 0; line < (column ? model_.cols() : model_.rows()); ++line) {
            if (!(Verdict(column, line) == before[i++])) change.verdicts.push_back(LineRef{column, line});
        }
    }
    return change;
}

// Judging runs the line solver once or a few times for each line the change touched, so a move
// costs two lines however large the board is.
void Game::JudgeLines(GameChange& change) {
    if (!(assists_.markProvedClues || assists_.showErrors) || !model_.HasPuzzle()) {
        columnVerdicts_.clear();
        rowVerdicts_.clear();
        return;
    }
    const std::size_t cols = std::size_t(model_.cols());
    const std::size_t rows = std::size_t(model_.rows());
    // A new board is drawn whole, its verdicts with it: none to list.
    const bool all = change.board || columnVerdicts_.size() != cols || rowVerdicts_.size() != rows;
    if (all) {
        columnVerdicts_.assign(cols, LineVerdict{});
        rowVerdicts_.assign(rows, LineVerdict{});
    }
    std::vector<bool> columns(cols, all);
    std::vector<bool> lines(rows, all);
    for (const CellRef& c : change.cells) {
        columns[std::size_t(c.column)] = true;
        lines[std::size_t(c.row)] = true;
    }
    for (const bool column : {true, false}) {
        std::vector<LineVerdict>& kept = column ? columnVerdicts_ : rowVerdicts_;
        const std::vector<bool>& touched = column ? columns : lines;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            if (!touched[i]) continue;
            const LineVerdict now = JudgeLine(model_, column, int(i));
            if (now == kept[i]) continue;
            kept[i] = now;
            if (!change.board) change.verdicts.push_back(LineRef{column, int(i)});
        }
    }
}

// ---- Colour ---------------------------------------------------------------------------------

GameChange Game::SetColour(COLORREF colour) {
    GameChange change;
    if (colour == model_.currentColour || colour == kWhite) return change;
    model_.currentColour = colour;
    change.colour = true;
    return change;
}

GameChange Game::PickFirstColour() {
    GameChange change;
    COLORREF first = 0;
    if (!model_.FirstPuzzleColour(first)) return change;
    model_.currentColour = first;
    change.colour = true;
    return change;
}

// ---- Strokes --------------------------------------------------------------------------------

void Game::EndStep(GameChange& change) {
    keyRun_.reset();
    Move step = std::exchange(step_, Move{});
    if (step.Empty()) return;
    history_.Push(std::move(step));
    change.history = true;
}

GameChange Game::BeginStroke() {
    GameChange change;
    EndStep(change);
    lastColumn_ = -1;
    lastRow_ = -1;
    rightKind_ = -1;
    dragStart_.reset();
    dragAxis_ = 0;
    return change;
}

GameChange Game::EndStroke() {
    GameChange change;
    EndStep(change);
    return change;
}

GameChange Game::Stylus(int flags, const Hit& hit, StylusKind kind) {
    GameChange change;
    StylusEvent(flags, hit, kind, change);
    JudgeLines(change);
    return change;
}

void Game::StylusEvent(int flags, const Hit& hit, StylusKind kind, GameChange& change) {
    if (model_.gameOver != 0 || !model_.HasPuzzle()) return;
    if (flags == kStylusRight && kind == StylusKind::Tap) {
        RightStylus(hit, change);
        return;
    }
    if (flags != kStylusLeft) return;
    COLORREF apply = model_.currentColour;
    switch (hit.area) {
        case HitArea::ColumnClues:
            ClueEvent(true, hit.column, hit.row, kind, apply, change);
            break;
        case HitArea::RowClues:
            ClueEvent(false, hit.row, hit.column, kind, apply, change);
            break;
        case HitArea::Cells:
            if (kind == StylusKind::Tap && assists_.straightDrag) {
                StraightStylus(hit, change);
            } else if (kind == StylusKind::Tap) {
                if (hit.column != lastColumn_ || hit.row != lastRow_) ApplyUpdate(hit.column, hit.row, Update::Mark, change);
                lastColumn_ = hit.column;
                lastRow_ = hit.row;
            }
            break;
        case HitArea::None:
            break;
    }
    if (apply != model_.currentColour && apply != kWhite) {
        model_.currentColour = apply;
        change.colour = true;
    }
}

// One stylus event on a clue of a column (column true) or row `line`, slot `slot`: while hints are
// on, further events on the same line count towards the reveal question; then a tap takes the
// clue's colour and a double crosses the clue out or back in. The step so far is closed before
// the question, so no question is asked over a half-made step.
void Game::ClueEvent(bool column, int line, int slot, StylusKind kind, COLORREF& apply, GameChange& change) {
    if (model_.hints == 1) {
        if (line == (column ? lastColumn_ : lastRow_)) {
            ++model_.tapCounter;
            if (model_.tapCounter >= 5) {
                EndStep(change);
                change.question =
                    RevealQuestion{column, line, column ? RevealColumnQuestion(line + 1) : RevealRowQuestion(line + 1)};
            }
        } else {
            model_.tapCounter = 0;
            lastColumn_ = column ? line : slot;
            lastRow_ = column ? slot : line;
        }
    }
    const ClueEntry& clue = column ? model_.ColumnClue(line, slot) : model_.RowClue(line, slot);
    if (clue.length == 0) return;
    if (kind == StylusKind::Tap) {
        apply = model_.ClueColour(clue);
        return;
    }
    step_.Add(ToggleClue(model_, column, line, slot));
    change.clues.push_back(ClueRef{column, line, slot});
}

// The right button alone crosses and clears cells; the clue areas ignore it. The first cell of
// the stroke says which cells it changes: those in its own state.
void Game::RightStylus(const Hit& hit, GameChange& change) {
    if (hit.area != HitArea::Cells) return;
    if (hit.column == lastColumn_ && hit.row == lastRow_) return;
    lastColumn_ = hit.column;
    lastRow_ = hit.row;
    const CellRecord cell = model_.Cell(hit.column, hit.row);
    const int kind = int(KindOf(cell));
    if (rightKind_ == -1) rightKind_ = kind;
    if (kind != rightKind_) return;
    step_.Add(ChangeCell(model_, hit.column, hit.row, CrossOrClear(cell)));
    change.cells.push_back(CellRef{hit.column, hit.row});
    CellChanged(hit.column, hit.row, change);
}

// A left drag kept to one line: the first cell takes the marking cycle's next state, the drag's
// first step off it chooses the row or the column (the longer way, the row on a tie), and every
// later event stands for the cell of that line level with it. The cells from the last one
// reached to that one that are as the first cell was take its new state; the others stay.
void Game::StraightStylus(const Hit& hit, GameChange& change) {
    if (!dragStart_) {
        const CellRecord before = model_.Cell(hit.column, hit.row);
        ApplyUpdate(hit.column, hit.row, Update::Mark, change);
        dragStart_ = CellRef{hit.column, hit.row};
        dragFrom_ = before;
        dragTo_ = model_.Cell(hit.column, hit.row);
        dragLast_ = *dragStart_;
        return;
    }
    const CellRef start = *dragStart_;
    if (dragAxis_ == 0) {
        const int dc = std::abs(hit.column - start.column);
        const int dr = std::abs(hit.row - start.row);
        if (dc == 0 && dr == 0) return;
        dragAxis_ = dc >= dr ? 1 : 2;
    }
    const CellRef target = dragAxis_ == 1 ? CellRef{hit.column, start.row} : CellRef{start.column, hit.row};
    const auto same = [](const CellRecord& a, const CellRecord& b) { return a.state == b.state && a.colour == b.colour; };
    while (!(dragLast_ == target) && model_.gameOver == 0) {
        if (dragAxis_ == 1) {
            dragLast_.column += target.column > dragLast_.column ? 1 : -1;
        } else {
            dragLast_.row += target.row > dragLast_.row ? 1 : -1;
        }
        if (!same(model_.Cell(dragLast_.column, dragLast_.row), dragFrom_)) continue;
        step_.Add(ChangeCell(model_, dragLast_.column, dragLast_.row, dragTo_));
        change.cells.push_back(dragLast_);
        CellChanged(dragLast_.column, dragLast_.row, change);
    }
}

// After a cell the player changed: the finished lines through it crossed (when that assist is
// on and the cell is decided now, so that clearing a cross by hand stays possible), then the
// line check.
void Game::CellChanged(int column, int row, GameChange& change) {
    if (assists_.crossFinishedLines && model_.Cell(column, row).state == 0) {
        CrossIfFinished(false, row, change);
        CrossIfFinished(true, column, change);
    }
    CheckLines(column, row, Update::Mark, change);
}

// Crosses the blank cells of a column (column true) or row whose painted runs, colours
// included, are exactly its clues.
void Game::CrossIfFinished(bool column, int line, GameChange& change) {
    const int length = column ? model_.rows() : model_.cols();
    const auto cellAt = [&](int i) -> const CellRecord& { return column ? model_.Cell(line, i) : model_.Cell(i, line); };
    // The painted runs in line order, as (length, colour).
    std::vector<std::pair<int, COLORREF>> painted;
    bool anyBlank = false;
    COLORREF previous = kWhite;
    for (int i = 0; i < length; ++i) {
        const CellRecord& cell = cellAt(i);
        anyBlank = anyBlank || cell.state == 1;
        const COLORREF colour = cell.state == 0 ? cell.colour : kWhite;
        if (colour != kWhite) {
            if (colour == previous) {
                ++painted.back().first;
            } else {
                painted.emplace_back(1, colour);
            }
        }
        previous = colour;
    }
    if (!anyBlank) return;
    // The clues are stored from the grid outwards, the last run of the line first.
    const int slots = column ? model_.K : model_.R;
    std::vector<std::pair<int, COLORREF>> clues;
    for (int k = 0; k < slots; ++k) {
        const ClueEntry& clue = column ? model_.ColumnClue(line, k) : model_.RowClue(line, k);
        if (clue.length == 0) break;
        clues.emplace(clues.begin(), int(clue.length), model_.ClueColour(clue));
    }
    if (painted != clues) return;
    for (int i = 0; i < length; ++i) {
        if (cellAt(i).state != 1) continue;
        const int c = column ? line : i;
        const int r = column ? i : line;
        step_.Add(ChangeCell(model_, c, r, CellRecord{0, kWhite}));
        change.cells.push_back(CellRef{c, r});
        CheckLines(c, r, Update::Mark, change);
    }
}

// ---- Cells and lines ------------------------------------------------------------------------

void Game::ApplyUpdate(int column, int row, Update mode, GameChange& change) {
    if (!model_.HasPuzzle() || column < 0 || row < 0 || column >= model_.cols() || row >= model_.rows()) return;
    switch (mode) {
        case Update::Mark:
            step_.Add(MarkCell(model_, column, row, model_.currentColour));
            change.cells.push_back(CellRef{column, row});
            CellChanged(column, row, change);
            return;
        case Update::Reveal:
            step_.Add(RevealCell(model_, column, row));
            change.cells.push_back(CellRef{column, row});
            break;
        case Update::Refresh:
            break;
    }
    CheckLines(column, row, mode, change);
}

void Game::CheckLines(int column, int row, Update mode, GameChange& change) {
    const LineCheckResult result = CheckLinesThrough(model_, column, row);
    if (model_.hints == 1) {
        change.marks.push_back(LineMarks{column, row, result.rowComplete, result.columnComplete});
    } else if (mode == Update::Refresh) {
        change.marks.push_back(LineMarks{column, row, false, false});
    }
    if (model_.gameOver == 0 && AllLinesSolved(model_)) Solved(change);
}

// Everything a solve changes happens at once: the clock stops and the game is over, so that a
// quit while the announcement is open saves nothing in play. Recording the solve and the
// announcement follow the operation.
void Game::Solved(GameChange& change) {
    clockRunning_ = false;
    model_.gameOver = 1;
    change.gameOver = true;
    change.solved = ClockOf(model_);
    EndStep(change);
}

GameChange Game::Mark(int column, int row) {
    GameChange change;
    EndStep(change);
    ApplyUpdate(column, row, Update::Mark, change);
    EndStep(change);
    JudgeLines(change);
    return change;
}

// ---- History --------------------------------------------------------------------------------

// The changed cells and clues are drawn again; the line check runs for every changed cell, so a
// redo that completes the picture solves it. The move is a copy: a solve on the way touches the
// history it came from.
void Game::ReplayMove(const Move& move, GameChange& change) {
    for (const ClueChange& c : move.Clues()) change.clues.push_back(ClueRef{c.column, c.line, c.slot});
    for (const CellChange& c : move.Cells()) change.cells.push_back(CellRef{c.column, c.row});
    for (const CellChange& c : move.Cells()) CheckLines(c.column, c.row, Update::Mark, change);
}

GameChange Game::Undo() {
    GameChange change;
    EndStep(change);
    if (!CanUndo()) return change;
    if (const Move* move = history_.Undo(model_)) ReplayMove(Move(*move), change);
    change.history = true;
    JudgeLines(change);
    return change;
}

GameChange Game::Redo() {
    GameChange change;
    EndStep(change);
    if (!CanRedo()) return change;
    if (const Move* move = history_.Redo(model_)) ReplayMove(Move(*move), change);
    change.history = true;
    JudgeLines(change);
    return change;
}

// ---- Hints, reveals, opening the field, the clock --------------------------------------------

GameChange Game::SetHints(bool on) {
    GameChange change;
    model_.hints = on ? 1 : 0;
    if (!model_.HasPuzzle()) return change;
    for (int c = 0; c < model_.cols(); ++c) {
        for (int r = 0; r < model_.rows(); ++r) ApplyUpdate(c, r, Update::Refresh, change);
    }
    return change;
}

// The revealed line is a step of its own.
GameChange Game::RevealLine(bool column, int line) {
    GameChange change;
    if (!model_.HasPuzzle()) return change;
    EndStep(change);
    AddPenaltyMinutes(model_, penaltyMinutes_);
    if (column) {
        for (int r = 0; r < model_.rows(); ++r) ApplyUpdate(line, r, Update::Reveal, change);
    } else {
        for (int c = 0; c < model_.cols(); ++c) ApplyUpdate(c, line, Update::Reveal, change);
    }
    EndStep(change);
    JudgeLines(change);
    return change;
}

GameChange Game::OpenField() {
    GameChange change;
    if (!model_.HasPuzzle()) return change;
    model_.ReleaseVariants();
    clockRunning_ = false;
    model_.gameOver = 1;
    change.gameOver = true;
    for (int c = 0; c < model_.cols(); ++c) {
        for (int r = 0; r < model_.rows(); ++r) ApplyUpdate(c, r, Update::Reveal, change);
    }
    ForgetHistory(change);
    JudgeLines(change);
    return change;
}

GameChange Game::Tick() {
    GameChange change;
    if (!clockRunning_) return change;
    TickClock(model_);
    change.time = true;
    return change;
}

// ---- The check ------------------------------------------------------------------------------

BoardModel Game::CheckPuzzle() const {
    BoardModel puzzle = model_;
    puzzle.Reset();
    return puzzle;
}

GameChange Game::TakeCheckResult(BoardModel::Cells lastCells, std::vector<BoardModel::Cells> solutions,
                                 const ClockTime& duration) {
    GameChange change;
    if (!model_.HasPuzzle()) return change;
    ForgetHistory(change);
    model_.Reset();
    if (lastCells.size() == model_.cells.size()) model_.cells = std::move(lastCells);
    for (BoardModel::Cells& solution : solutions) {
        if (solution.size() == model_.cells.size() && model_.variants.size() < std::size_t(kMaxVariants))
            model_.variants.push_back(std::move(solution));
    }
    model_.currentVariant = 0;
    model_.hours = duration.hours;
    model_.minutes = duration.minutes;
    model_.seconds = duration.seconds;
    model_.gameOver = 1;
    clockRunning_ = false;
    change.board = true;
    change.gameOver = true;
    JudgeLines(change);
    return change;
}

GameChange Game::ShowVariant(int index) {
    GameChange change;
    if (!model_.HasPuzzle() || index < 0 || std::size_t(index) >= model_.variants.size()) return change;
    const BoardModel::Cells& variant = model_.variants[std::size_t(index)];
    if (variant.size() != model_.cells.size()) return change;
    for (int r = 0; r < model_.rows(); ++r) {
        for (int c = 0; c < model_.cols(); ++c) {
            CellRecord cell = variant[std::size_t(r) * std::size_t(model_.cols()) + std::size_t(c)];
            // A blank cell always carries white.
            if (cell.state == 1) cell.colour = kWhite;
            ChangeCell(model_, c, r, cell);
            change.cells.push_back(CellRef{c, r});
        }
    }
    model_.currentVariant = index;
    JudgeLines(change);
    return change;
}

}  // namespace mosgrid
