// SPDX-License-Identifier: GPL-3.0-or-later
// The board window's play: mouse input handed to the game, and what the game's operations
// changed put on the screen, with the questions and messages that follow them.
#include <QMouseEvent>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "board/core/BoardTexts.h"
#include "board/ui/GmGride.h"
#include "board/ui/GmGrideImpl.h"
#include "catalogue/core/SolveRecord.h"
#include "common/Prompts.h"

namespace mosgrid {
namespace {

// The flags of a mouse event as a stylus message carries them.
int StylusFlagsOf(const QMouseEvent* event) {
    int flags = 0;
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons & Qt::LeftButton) flags |= kStylusLeft;
    if (buttons & Qt::RightButton) flags |= kStylusRight;
    if (buttons & Qt::MiddleButton) flags |= kStylusMiddle;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers & Qt::ShiftModifier) flags |= kStylusShift;
    if (modifiers & Qt::ControlModifier) flags |= kStylusControl;
    return flags;
}

}  // namespace

// ---- Mouse --------------------------------------------------------------------------------

// A double click arrives as press, release, double click, release: the first press acts as a
// tap, the double click only as a double. Every press starts a new step of play.
void CGmGride::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    HideCursor();
    const Hit hit = HitTest(Geometry(), ViewPanes(), at.x(), at.y());
    if (hit.area == HitArea::Cells) impl_->mouseCell = QPoint(hit.column, hit.row);
    if (event->button() == Qt::RightButton) {
        Apply(game_.BeginStroke());
        impl_->dragPoint = at;
        impl_->rightDragging = true;
        ProcessStylus(StylusFlagsOf(event), at.x(), at.y(), StylusKind::Tap);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    Apply(game_.BeginStroke());
    impl_->dragPoint = at;
    impl_->dragging = true;
    ProcessStylus(StylusFlagsOf(event), at.x(), at.y(), StylusKind::Tap);
}

void CGmGride::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int flags = StylusFlagsOf(event);
    if ((flags == kStylusLeft && impl_->dragging) || (flags == kStylusRight && impl_->rightDragging))
        FillDragGap(flags, impl_->dragPoint, at);
    impl_->dragPoint = at;
    impl_->dragging = (event->buttons() & Qt::LeftButton) != 0;
    impl_->rightDragging = impl_->rightDragging && (event->buttons() & Qt::RightButton) != 0;
    ProcessStylus(flags, at.x(), at.y(), StylusKind::Tap);
}

// The window system merges mouse moves that arrive faster than they are handled, so a quick drag
// can jump over cells. The cells between the last point and this one are entered as the stroke
// passed them, each once; points outside the cell area are left out, so the clue areas see only
// the real events.
void CGmGride::FillDragGap(int flags, QPoint from, QPoint to) {
    const int step = std::max(1, impl_->s / 2);
    const int distance = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    const int samples = distance / step;
    for (int i = 1; i < samples; ++i) {
        const int x = from.x() + (to.x() - from.x()) * i / samples;
        const int y = from.y() + (to.y() - from.y()) * i / samples;
        if (HitTest(Geometry(), ViewPanes(), x, y).area != HitArea::Cells) continue;
        ProcessStylus(flags, x, y, StylusKind::Tap);
    }
}

void CGmGride::mouseDoubleClickEvent(QMouseEvent* event) {
    HideCursor();
    if (event->button() != Qt::LeftButton) return;
    Apply(game_.BeginStroke());
    const QPoint at = event->position().toPoint();
    impl_->dragPoint = at;
    impl_->dragging = true;
    ProcessStylus(StylusFlagsOf(event), at.x(), at.y(), StylusKind::Double);
}

void CGmGride::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        impl_->rightDragging = false;
    } else if (event->button() == Qt::LeftButton) {
        impl_->dragging = false;
    } else {
        return;
    }
    Apply(game_.EndStroke());
    RepaintNow();
}

// While the check's layer shows, the board takes no play.
void CGmGride::ProcessStylus(int flags, int x, int y, StylusKind kind) {
    if (impl_->search) return;
    Apply(game_.Stylus(flags, HitTest(Geometry(), ViewPanes(), x, y), kind), true);
}

// ---- What the game changed ----------------------------------------------------------------

void CGmGride::Apply(const GameChange& change, bool atOnce) {
    const BoardModel& model = game_.Model();
    // A new game, or one that is over: the cursor goes (before any message) and the arrows
    // scroll again.
    const bool hideCursor = (change.board || change.gameOver) && impl_->cursor;
    if (hideCursor) impl_->cursor.reset();
    if (change.board) DrawWholeBoard();
    for (const ClueRef& c : change.clues) {
        if (c.column) {
            impl_->images.DrawToggledColumnClue(model, c.line, c.slot);
        } else {
            impl_->images.DrawToggledRowClue(model, c.line, c.slot);
        }
    }
    const int s = impl_->s;
    for (const CellRef& c : change.cells) {
        impl_->images.DrawCell(model, c.column, c.row);
        // A cell marked by a stroke goes on the screen at once, over the background.
        if (atOnce)
            viewport()->repaint((c.column + model.R) * s - impl_->hx + 2, (c.row + model.K) * s - impl_->vy + 2, s - 3, s - 3);
    }
    for (const LineMarks& m : change.marks) impl_->images.SetHintMarks(m.column, m.row, m.rowComplete, m.columnComplete);
    for (const LineRef& line : change.verdicts) ShowVerdict(line);
    if (change.colour && impl_->host) impl_->host->ShowCurrentColour(model.currentColour);
    if (change.clockStarted) {
        StartTimer();
    } else if (!game_.ClockRunning()) {
        StopTimer();
    }
    if (change.time) ShowTime();
    if (change.history) emit historyChanged();
    if (change.board) emit puzzleChanged();
    const bool drawn = change.board || !change.cells.empty() || !change.clues.empty() || !change.marks.empty() ||
                       !change.verdicts.empty();
    // A message or a question shows over the whole board as the operation left it: hint marks and
    // verdicts included, which a stroke's cell-by-cell drawing does not put on the screen.
    if ((drawn && (!atOnce || change.solved || change.question)) || hideCursor) RepaintNow();
    if (change.solved) SolvedBy(*change.solved);
    if (change.question) {
        const RevealQuestion question = *change.question;
        LeaveFullScreen();
        if (Prompts::Current().Ask(this, question.text)) Apply(game_.RevealLine(question.column, question.line));
    }
}

// The game is over and its clock stopped already, so that a quit while a message is open saves
// nothing in play; the solve is recorded before any message.
void CGmGride::SolvedBy(const ClockTime& elapsed) {
    LeaveFullScreen();
    const SolveOutcome outcome = RecordSolve(folders_, game_.Model().name, elapsed);
    if (!outcome.saved) Prompts::Current().Tell(this, outcome.catalogPath.string());
    Prompts::Current().Tell(this, SolvedMessage(elapsed, outcome.best));
    emit puzzleSolved();
}

// A new game's images, then every cell and crossed clue of what the board shows, and the hint
// marks of its solved lines while hints are on.
void CGmGride::DrawWholeBoard() {
    const BoardModel& shown = Shown();
    impl_->images.DrawNewGame(shown);
    impl_->images.RenderFromState(shown);
    ShowVerdicts();
    if (shown.hints != 1) return;
    for (int r = 0; r < shown.rows(); ++r) impl_->images.SetHintMarks(-1, r, shown.rowSolved[std::size_t(r)] != 0, false);
    for (int c = 0; c < shown.cols(); ++c) impl_->images.SetHintMarks(c, -1, false, shown.columnSolved[std::size_t(c)] != 0);
}

void CGmGride::ShowVerdicts() {
    for (int c = 0; c < Shown().cols(); ++c) ShowVerdict(LineRef{true, c});
    for (int r = 0; r < Shown().rows(); ++r) ShowVerdict(LineRef{false, r});
}

void CGmGride::ShowVerdict(const LineRef& line) {
    if (impl_->search) return;
    const LineVerdict verdict = game_.Verdict(line.column, line.line);
    impl_->images.SetVerdict(game_.Model(), line.column, line.line, verdict.proved, verdict.error);
}

// ---- Operations ---------------------------------------------------------------------------

void CGmGride::MarkCell(int column, int row) { Apply(game_.Mark(column, row), true); }

void CGmGride::SetCurrentColour(COLORREF colour) { Apply(game_.SetColour(colour)); }

void CGmGride::ApplyFirstPuzzleColour() { Apply(game_.PickFirstColour()); }

bool CGmGride::CanUndo() const { return !impl_->search && game_.CanUndo(); }
bool CGmGride::CanRedo() const { return !impl_->search && game_.CanRedo(); }

void CGmGride::Undo() { Apply(game_.Undo()); }
void CGmGride::Redo() { Apply(game_.Redo()); }

void CGmGride::SetHints(bool on) { Apply(game_.SetHints(on)); }

void CGmGride::SetAssists(const PlayAssists& assists) { Apply(game_.SetAssists(assists)); }

void CGmGride::OpenField() { Apply(game_.OpenField()); }

void CGmGride::ShowVariant(int index) { Apply(game_.ShowVariant(index)); }

// ---- The check's layer --------------------------------------------------------------------

bool CGmGride::SearchShown() const { return impl_->search.has_value(); }

void CGmGride::ShowSearchCells(const BoardModel::Cells& cells) {
    bool changed = false;
    if (!impl_->search) {
        // A new game on the puzzle, its clock at 0:00:00 and standing still.
        impl_->search = game_.CheckPuzzle();
        impl_->cursor.reset();  // the search's board takes no keys
        StopTimer();
        if (impl_->host) impl_->host->ShowElapsedTime(0, 0, 0);
        DrawWholeBoard();
        emit historyChanged();
        changed = true;
    }
    BoardModel& shown = *impl_->search;
    if (cells.size() == shown.cells.size()) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            CellRecord cell = cells[i];
            if (cell.state == 1) cell.colour = kWhite;
            CellRecord& now = shown.cells[i];
            if (now.state == cell.state && now.colour == cell.colour) continue;
            now = cell;
            impl_->images.DrawCell(shown, int(i % std::size_t(shown.cols())), int(i / std::size_t(shown.cols())));
            changed = true;
        }
    }
    if (changed) RepaintNow();
}

void CGmGride::EndSearchView() {
    if (!impl_->search) return;
    impl_->search.reset();
    DrawWholeBoard();
    StartTimer();
    emit historyChanged();
    RepaintNow();
}

void CGmGride::TakeCheckResult(BoardModel::Cells lastCells, std::vector<BoardModel::Cells> solutions,
                               const ClockTime& duration) {
    impl_->search.reset();
    Apply(game_.TakeCheckResult(std::move(lastCells), std::move(solutions), duration));
}

}  // namespace mosgrid
