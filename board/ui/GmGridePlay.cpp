// The board window's play: stylus input, cell updates, the line check and what follows a solve,
// hints, line reveals and opening the field.
#include <QMouseEvent>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "app/Prompts.h"
#include "board/core/BoardTexts.h"
#include "board/core/CellMarking.h"
#include "board/core/GameClock.h"
#include "board/core/LineCheck.h"
#include "board/core/Moves.h"
#include "board/core/SolveRecord.h"
#include "board/ui/GmGride.h"
#include "board/ui/GmGrideImpl.h"

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
    if (event->button() == Qt::RightButton) {
        EndStep();
        impl_->lastColumn = -1;
        impl_->lastRow = -1;
        impl_->rightKind = -1;
        impl_->dragPoint = at;
        impl_->rightDragging = true;
        ProcessStylus(StylusFlagsOf(event), at.x(), at.y(), StylusKind::Tap);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    EndStep();
    impl_->lastColumn = -1;
    impl_->lastRow = -1;
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
        if (HitTest(Geometry(), impl_->hx, impl_->vy, x, y).area != HitArea::Cells) continue;
        ProcessStylus(flags, x, y, StylusKind::Tap);
    }
}

void CGmGride::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    EndStep();
    impl_->lastColumn = -1;
    impl_->lastRow = -1;
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
    EndStep();
    RepaintNow();
}

// One stylus event on a clue of a column (column true) or row `line`, slot `slot`: while hints are
// on, further events on the same line count towards the reveal question; then a tap takes the
// clue's colour and a double crosses the clue out or back in.
void CGmGride::ClueEvent(bool column, int line, int slot, StylusKind kind, COLORREF& apply) {
    if (model_.hints == 1) {
        if (line == (column ? impl_->lastColumn : impl_->lastRow)) {
            ++model_.tapCounter;
            if (model_.tapCounter >= 5) {
                if (column) {
                    AskRevealColumn(line);
                } else {
                    AskRevealRow(line);
                }
            }
        } else {
            model_.tapCounter = 0;
            impl_->lastColumn = column ? line : slot;
            impl_->lastRow = column ? slot : line;
        }
    }
    const ClueEntry& clue = column ? model_.ColumnClue(line, slot) : model_.RowClue(line, slot);
    if (clue.length == 0) return;
    if (kind == StylusKind::Tap) {
        apply = model_.ClueColour(clue);
        return;
    }
    impl_->step.Add(ToggleClue(model_, column, line, slot));
    if (column) {
        impl_->images.DrawToggledColumnClue(model_, line, slot);
    } else {
        impl_->images.DrawToggledRowClue(model_, line, slot);
    }
}

// The right button alone crosses and clears cells; the clue areas ignore it.
void CGmGride::RightStylus(int x, int y) {
    const Hit hit = HitTest(Geometry(), impl_->hx, impl_->vy, x, y);
    if (hit.area != HitArea::Cells) return;
    if (hit.column == impl_->lastColumn && hit.row == impl_->lastRow) return;
    impl_->lastColumn = hit.column;
    impl_->lastRow = hit.row;
    const CellRecord cell = model_.Cell(hit.column, hit.row);
    const int kind = int(KindOf(cell));
    // The first cell of the drag says which cells the drag changes: those in its own state.
    if (impl_->rightKind == -1) impl_->rightKind = kind;
    if (kind != impl_->rightKind) return;
    impl_->step.Add(ChangeCell(model_, hit.column, hit.row, CrossOrClear(cell)));
    impl_->images.DrawCell(model_, hit.column, hit.row);
    const int s = impl_->s;
    viewport()->repaint((hit.column + model_.R) * s - impl_->hx + 2, (hit.row + model_.K) * s - impl_->vy + 2, s - 3, s - 3);
    CheckLines(hit.column, hit.row, CellUpdate::Mark);
}

void CGmGride::ProcessStylus(int flags, int x, int y, StylusKind kind) {
    if (model_.gameOver != 0) return;
    if (!model_.HasPuzzle()) return;
    if (flags == kStylusRight && kind == StylusKind::Tap) {
        RightStylus(x, y);
        ShowPendingMessages();
        return;
    }
    if (flags != kStylusLeft) return;
    if (!model_.HasPuzzle()) return;
    COLORREF apply = model_.currentColour;
    const Hit hit = HitTest(Geometry(), impl_->hx, impl_->vy, x, y);
    switch (hit.area) {
        case HitArea::ColumnClues:
            ClueEvent(true, hit.column, hit.row, kind, apply);
            break;
        case HitArea::RowClues:
            ClueEvent(false, hit.row, hit.column, kind, apply);
            break;
        case HitArea::Cells:
            if (kind == StylusKind::Tap) {
                if (hit.column != impl_->lastColumn || hit.row != impl_->lastRow) {
                    ApplyUpdate(hit.column, hit.row, CellUpdate::Mark);
                }
                impl_->lastColumn = hit.column;
                impl_->lastRow = hit.row;
            }
            break;
        case HitArea::None:
            break;
    }
    SetCurrentColour(apply);
    ShowPendingMessages();
}

// ---- Cells and lines ----------------------------------------------------------------------

void CGmGride::UpdateCell(int column, int row, CellUpdate mode) {
    ApplyUpdate(column, row, mode);
    EndStep();
    ShowPendingMessages();
}

void CGmGride::ApplyUpdate(int column, int row, CellUpdate mode) {
    if (!model_.HasPuzzle() || column < 0 || row < 0 || column >= model_.cols() || row >= model_.rows()) return;
    switch (mode) {
        case CellUpdate::Mark: {
            impl_->step.Add(MarkCell(model_, column, row, model_.currentColour));
            impl_->images.DrawCell(model_, column, row);
            // The marked cell goes on the screen at once, over the background.
            const int s = impl_->s;
            viewport()->repaint((column + model_.R) * s - impl_->hx + 2, (row + model_.K) * s - impl_->vy + 2, s - 3, s - 3);
            break;
        }
        case CellUpdate::Reveal:
            impl_->step.Add(RevealCell(model_, column, row));
            impl_->images.DrawCell(model_, column, row);
            break;
        case CellUpdate::Refresh:
            break;
    }
    CheckLines(column, row, mode);
}

void CGmGride::CheckLines(int column, int row, CellUpdate mode) {
    const LineCheckResult result = CheckLinesThrough(model_, column, row);
    if (model_.hints == 1) {
        impl_->images.SetHintMarks(column, row, result.rowComplete, result.columnComplete);
    } else if (mode == CellUpdate::Refresh) {
        impl_->images.SetHintMarks(column, row, false, false);
    }
    if (model_.gameOver == 0 && AllLinesSolved(model_)) Solved();
}

// Everything a solve changes happens here, before any message: the clock stops, the solve is
// recorded and the game is over, so that a quit while the message is open saves nothing in play.
// The messages follow once the step that solved the puzzle is complete.
void CGmGride::Solved() {
    StopTimer();
    LeaveFullScreen();
    model_.gameOver = 1;
    const ClockTime elapsed = ClockOf(model_);
    const SolveOutcome outcome = RecordSolve(folders_, model_.name, elapsed);
    EndStep();
    if (!outcome.saved) impl_->pending.push_back(QString::fromStdString(outcome.catalogPath.string()));
    impl_->pending.push_back(QString::fromStdString(SolvedMessage(elapsed, outcome.best)));
    impl_->solvedPending = true;
}

void CGmGride::ShowPendingMessages() {
    if (impl_->pending.empty() && !impl_->solvedPending) return;
    const std::vector<QString> texts = std::exchange(impl_->pending, {});
    const bool solved = std::exchange(impl_->solvedPending, false);
    for (const QString& text : texts) Prompts::Current().Tell(this, text);
    if (solved) emit puzzleSolved();
}

// ---- Steps of play and their history ------------------------------------------------------

void CGmGride::EndStep() {
    Move step = std::exchange(impl_->step, Move{});
    if (step.Empty()) return;
    impl_->history.Push(std::move(step));
    emit historyChanged();
}

bool CGmGride::CanUndo() const { return model_.gameOver == 0 && model_.HasPuzzle() && impl_->history.CanUndo(); }
bool CGmGride::CanRedo() const { return model_.gameOver == 0 && model_.HasPuzzle() && impl_->history.CanRedo(); }

void CGmGride::ClearHistory() {
    impl_->step = Move{};
    impl_->history.Clear();
    emit historyChanged();
}

MoveHistory CGmGride::TakeHistory() {
    impl_->step = Move{};
    MoveHistory taken = std::move(impl_->history);
    impl_->history.Clear();
    emit historyChanged();
    return taken;
}

void CGmGride::PutHistory(MoveHistory history) {
    impl_->step = Move{};
    impl_->history = std::move(history);
    emit historyChanged();
}

void CGmGride::Undo() {
    EndStep();
    if (!CanUndo()) return;
    if (const Move* move = impl_->history.Undo(model_)) RedrawMove(*move);
    emit historyChanged();
    ShowPendingMessages();
}

void CGmGride::Redo() {
    EndStep();
    if (!CanRedo()) return;
    if (const Move* move = impl_->history.Redo(model_)) RedrawMove(*move);
    emit historyChanged();
    ShowPendingMessages();
}

// The changed cells and clues drawn again; the line check runs for every changed cell, so a
// redo that completes the picture solves it. The step is a copy: a solve on the way may touch
// the history it came from.
void CGmGride::RedrawMove(Move move) {
    for (const ClueChange& c : move.Clues()) {
        if (c.column) {
            impl_->images.DrawToggledColumnClue(model_, c.line, c.slot);
        } else {
            impl_->images.DrawToggledRowClue(model_, c.line, c.slot);
        }
    }
    for (const CellChange& c : move.Cells()) impl_->images.DrawCell(model_, c.column, c.row);
    for (const CellChange& c : move.Cells()) CheckLines(c.column, c.row, CellUpdate::Mark);
    RepaintNow();
}

// ---- Hints, reveals, opening the field ----------------------------------------------------

void CGmGride::SetHints(bool on) {
    model_.hints = on ? 1 : 0;
    if (!model_.HasPuzzle()) return;
    for (int c = 0; c < model_.cols(); ++c) {
        for (int r = 0; r < model_.rows(); ++r) ApplyUpdate(c, r, CellUpdate::Refresh);
    }
    RepaintNow();
    ShowPendingMessages();
}

// The step in progress is closed before the question: no box opens over a half-made step.
void CGmGride::AskRevealColumn(int column) {
    EndStep();
    LeaveFullScreen();
    if (Prompts::Current().Ask(this, QString::fromStdString(RevealColumnQuestion(column + 1)))) RevealLine(true, column);
}

void CGmGride::AskRevealRow(int row) {
    EndStep();
    LeaveFullScreen();
    if (Prompts::Current().Ask(this, QString::fromStdString(RevealRowQuestion(row + 1)))) RevealLine(false, row);
}

// The penalty is as many minutes as the cell was pixels wide when the puzzle was set up, so
// zooming in cannot make a reveal cheaper. The revealed line is a step of its own.
void CGmGride::RevealLine(bool column, int index) {
    AddPenaltyMinutes(model_, impl_->setupS);
    if (column) {
        for (int r = 0; r < model_.rows(); ++r) ApplyUpdate(index, r, CellUpdate::Reveal);
    } else {
        for (int c = 0; c < model_.cols(); ++c) ApplyUpdate(c, index, CellUpdate::Reveal);
    }
    EndStep();
    RepaintNow();
    ShowPendingMessages();
}

void CGmGride::OpenField() {
    if (!model_.HasPuzzle()) return;
    model_.ReleaseVariants();
    StopTimer();
    model_.gameOver = 1;
    for (int c = 0; c < model_.cols(); ++c) {
        for (int r = 0; r < model_.rows(); ++r) ApplyUpdate(c, r, CellUpdate::Reveal);
    }
    ClearHistory();
    RepaintNow();
}

}  // namespace mosgrid
