// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "board/core/BoardModel.h"
#include "board/core/Layout.h"
#include "board/core/LineVerdict.h"
#include "board/core/Moves.h"
#include "common/ClockTime.h"

namespace mosgrid {

// What a stylus event is: a press or a move (tap), or a double tap.
enum class StylusKind { Tap, Double };

// The button and modifier flags of a stylus event, as the game tests them: only the left button
// alone (value 1) marks and picks, only the right button alone crosses and clears.
enum StylusFlags { kStylusLeft = 0x1, kStylusRight = 0x2, kStylusShift = 0x4, kStylusControl = 0x8, kStylusMiddle = 0x10 };

struct CellRef {
    int column = 0;
    int row = 0;
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

struct ClueRef {
    bool column = true;  // a column clue, else a row clue
    int line = 0;
    int slot = 0;
};

// The hint marks of the row and the column through a cell, as the line check left them.
struct LineMarks {
    int column = 0;
    int row = 0;
    bool rowComplete = false;
    bool columnComplete = false;
};

// A column (column true) or a row.
struct LineRef {
    bool column = true;
    int line = 0;
    friend bool operator==(const LineRef&, const LineRef&) = default;
};

// The question of a line reveal: asked once the operation that raised it is complete; a "yes"
// is answered with Game::RevealLine(column, line).
struct RevealQuestion {
    bool column = true;
    int line = 0;
    std::string text;
};

// What one operation of the game changed, so that the board draws exactly that and asks or
// tells exactly that, in this order: the drawing, the clock, the solve, the question.
struct GameChange {
    std::vector<CellRef> cells;      // cells to draw anew (each as the model has it now)
    std::vector<ClueRef> clues;      // clues whose done flag changed
    std::vector<LineMarks> marks;    // hint marks to set, in order
    std::vector<LineRef> verdicts;   // lines whose assists' verdict (Game::Verdict) changed
    bool board = false;              // a new game or another game altogether: draw everything
    bool colour = false;             // the current colour is to be shown
    bool clockStarted = false;       // the clock (re)started: show its time, a second to the next tick
    bool time = false;               // the clock's time changed and is to be shown
    bool history = false;            // steps were added to or taken from the undo history
    bool gameOver = false;           // the game ended with this operation
    std::optional<ClockTime> solved; // solved now in this time: the solve is to be recorded and announced
    std::optional<RevealQuestion> question;

    bool Empty() const {
        return cells.empty() && clues.empty() && marks.empty() && verdicts.empty() && !board && !colour && !clockStarted && !time &&
               !history && !gameOver && !solved && !question;
    }
};

// What a cell key does to the cell under the keyboard's cursor: steps it round the marking cycle
// (as a left tap does), crosses it, or makes it blank.
enum class CellKey { Mark, Cross, Clear };

// Play assists the player may switch on; all off, the game plays by its plain rules.
struct PlayAssists {
    // When a line's painted cells form exactly its clue runs, its blank cells are crossed in
    // the same step.
    bool crossFinishedLines = false;
    // A left drag keeps to the row or column it first moves along and gives every cell it passes
    // that was as its first cell was the state the first cell took.
    bool straightDrag = false;
    // A clue is drawn crossed while the line's decided cells prove its run complete.
    bool markProvedClues = false;
    // A line whose decided cells no longer fit its clues shows its clues as in error.
    bool showErrors = false;
};

// The game in play: the one owner of the board model, the undo history and the clock's state.
// Every play rule lives here and nothing else writes the model; each operation takes plain
// inputs and says what it changed. The clock only moves on Tick(), which the window calls once
// a second while ClockRunning().
class Game {
public:
    Game() = default;
    // A game on `model` as it stands (tests and tools); the clock runs while it is in play.
    explicit Game(BoardModel model);

    const BoardModel& Model() const { return model_; }
    bool ClockRunning() const { return clockRunning_; }
    // A step of play to take back or to make again; never while the game is over.
    bool CanUndo() const;
    bool CanRedo() const;

    // ---- Puzzles and games ----
    // Replaces the puzzle by the picture's (the history forgotten); on a failed read the game
    // holds no puzzle and its clock stops. Restart() then begins the game.
    GameChange Load(const std::filesystem::path& picturePath, const std::u16string& name);
    // A new game on the same puzzle: marks, crossed clues, line flags, variants and clock
    // cleared, the history forgotten, the clock running from 0:00:00.
    GameChange Restart();
    // Takes over `saved`, a model of the same puzzle (a game read back, a copy taken earlier),
    // as it stands; the history is forgotten and the clock runs on from its time unless the game
    // is over. Nothing, when it does not fit the puzzle in play.
    std::optional<GameChange> Restore(const BoardModel& saved);
    // The reveal penalty in minutes (the board's cell size when the puzzle was set up).
    void SetRevealPenalty(int minutes) { penaltyMinutes_ = minutes; }
    int RevealPenalty() const { return penaltyMinutes_; }

    // ---- Assists ----
    // The verdicts of the lines follow the assists switched on.
    GameChange SetAssists(const PlayAssists& assists);
    const PlayAssists& Assists() const { return assists_; }
    // What the assists show of a line: its clues proved complete (while markProvedClues is on)
    // and whether it is in error (while showErrors is on); nothing while both are off. Taken
    // from the clues and the decided cells alone, never from the picture, and kept apart from
    // the model: the clues' done flags are the player's own.
    LineVerdict Verdict(bool column, int line) const;

    // ---- Colour ----
    // Makes `colour` current; white or the colour already current change nothing.
    GameChange SetColour(COLORREF colour);
    // The picture's first non-white colour becomes current, and is to be shown even when it
    // already was.
    GameChange PickFirstColour();

    // ---- Strokes: a press, its moves and its release ----
    // A press starts a new step of play and forgets the last position acted on.
    GameChange BeginStroke();
    // One stylus event on what the board hit: marks a cell (once per cell a stroke enters),
    // picks the colour of a clue (tap), crosses a clue out or back in (double tap), counts the
    // events on one clue line while hints are on (the fifth and every further one asks for a
    // reveal), and with the right button alone crosses or clears the cells in the state of the
    // stroke's first cell.
    GameChange Stylus(int flags, const Hit& hit, StylusKind kind);
    // The release: the step is complete and kept for undo.
    GameChange EndStroke();

    // ---- Keys: the keyboard's cell cursor ----
    // A cell key on (column, row) as a new step of play. The step stays open, so that a key drag
    // carries it on, until another step begins (Undo closes it first).
    GameChange KeyCell(int column, int row, CellKey key);
    // Shift with an arrow, from (column, row) to (toColumn, toRow): the change of the last cell
    // key goes on as a drag, in the same step. The cell entered takes the state the key's cell
    // took when it was as that one was before, and stays as it is otherwise. From a cell the
    // last key did not act on, that key (Mark before any) acts on it first, as a new step.
    GameChange KeyDrag(int column, int row, int toColumn, int toRow);
    // The next (+1) or previous (-1) of the puzzle's clue colours becomes current, round and
    // round; a current colour that is none of them goes to the first or the last.
    GameChange NextColour(int direction);
    // Crosses a clue out or back in as a step of its own (as a double tap does); a slot
    // without a clue changes nothing.
    GameChange CrossClue(bool column, int line, int slot);
    // Asks for the reveal of a column (column true) or row, as holding on its clues does: only
    // while hints are on.
    GameChange AskReveal(bool column, int line);

    // ---- Single operations ----
    // The marking cycle on cell (column, row) as one step of play.
    GameChange Mark(int column, int row);
    // Reveals a column (column true) or row as the picture has it, for the reveal penalty; a
    // step of its own.
    GameChange RevealLine(bool column, int line);
    // Switches hints on or off; the hint marks of every line follow.
    GameChange SetHints(bool on);
    // Shows the picture on the grid; the game is over, unsolved, and the history forgotten.
    GameChange OpenField();
    // Takes back the last step, or makes the last step taken back again (cells and crossed
    // clues, never the clock); a redo that completes the picture solves it.
    GameChange Undo();
    GameChange Redo();
    // One second of the clock, while it runs.
    GameChange Tick();

    // ---- The check ----
    // The puzzle as a check searches it: a new game on it (blank cells).
    BoardModel CheckPuzzle() const;
    // The end of a check: a new game that is over, holding the cells where the search ended,
    // its solutions (at most kMaxVariants, variant 0 current) and its duration on the stopped
    // clock. Sizes that do not fit the puzzle are ignored.
    GameChange TakeCheckResult(BoardModel::Cells lastCells, std::vector<BoardModel::Cells> solutions,
                               const ClockTime& duration);
    // Puts stored solution variant `index` on the board (no line check) and makes it current.
    // An index outside the store changes nothing.
    GameChange ShowVariant(int index);

private:
    enum class Update { Mark, Reveal, Refresh };
    void ApplyUpdate(int column, int row, Update mode, GameChange& change);
    void CheckLines(int column, int row, Update mode, GameChange& change);
    void Solved(GameChange& change);
    void ClueEvent(bool column, int line, int slot, StylusKind kind, COLORREF& apply, GameChange& change);
    void RightStylus(const Hit& hit, GameChange& change);
    void StraightStylus(const Hit& hit, GameChange& change);
    void CellChanged(int column, int row, GameChange& change);
    void CrossIfFinished(bool column, int line, GameChange& change);
    void ReplayMove(const Move& move, GameChange& change);
    void EndStep(GameChange& change);
    void StylusEvent(int flags, const Hit& hit, StylusKind kind, GameChange& change);
    // Judges the lines again that the change touched (every line after a new board) while an
    // assist that shows verdicts is on, and lists those whose verdict changed.
    void JudgeLines(GameChange& change);
    void ForgetHistory(GameChange& change);
    bool InPlay() const { return model_.HasPuzzle() && model_.gameOver == 0; }
    bool InGrid(int column, int row) const {
        return column >= 0 && row >= 0 && column < model_.cols() && row < model_.rows();
    }
    void KeySetCell(int column, int row, const CellRecord& after, GameChange& change);

    BoardModel model_;
    MoveHistory history_;
    Move step_;                 // what the current stroke has changed so far
    bool clockRunning_ = false;
    int penaltyMinutes_ = kMinCellSize;
    int lastColumn_ = -1;       // last position acted on (cell, or clue line and slot)
    int lastRow_ = -1;
    int rightKind_ = -1;        // MarkKind of the first cell of a right stroke, -1 before it
    PlayAssists assists_;
    // A straight drag: its first cell, the cell before and after its first mark, the line it
    // keeps to (0 none yet, 1 row, 2 column) and the last cell it reached on it.
    std::optional<CellRef> dragStart_;
    CellRecord dragFrom_;
    CellRecord dragTo_;
    int dragAxis_ = 0;
    CellRef dragLast_;
    // The last cell key, and while its step is open the cell it last acted on with that cell's
    // state before and after the key.
    CellKey lastKey_ = CellKey::Mark;
    struct KeyRun {
        CellRef last;
        CellRecord from;
        CellRecord to;
    };
    std::optional<KeyRun> keyRun_;
    // The last verdict of every column and row; empty while no assist shows them.
    std::vector<LineVerdict> columnVerdicts_;
    std::vector<LineVerdict> rowVerdicts_;
};

}  // namespace mosgrid
