#include "solver/ui/CheckRun.h"

#include <QWidget>

#include <chrono>

#include "app/Prompts.h"
#include "board/ui/GmGride.h"
#include "solver/core/BackgroundSearch.h"
#include "solver/core/BoardCopy.h"
#include "solver/core/CheckReport.h"
#include "solver/ui/Decision.h"

namespace mosgrid {

CheckRun::CheckRun(CGmGride& board, QWidget* parent) : QObject(parent), board_(board), parent_(parent) {
    BoardModel& model = board_.Model();
    CopyPuzzle(model, saved_);
    CopyGame(model, saved_);
    savedHistory_ = board_.TakeHistory();
    board_.ResetBoard();
    board_.StopTimer();
    model.gameOver = 1;

    dialog_ = std::make_unique<CDecision>(parent_);
    dialog_->SetRange(std::uint32_t(model.cols()) * std::uint32_t(model.rows()));
    connect(dialog_.get(), &CDecision::cancelRequested, this, &CheckRun::Cancel);
    connect(&ticker_, &QTimer::timeout, this, &CheckRun::Tick);
    running_ = true;
    search_ = std::make_unique<BackgroundSearch>(
        model, [this] { QMetaObject::invokeMethod(this, &CheckRun::Finish, Qt::QueuedConnection); });
    ticker_.start(kRepaintIntervalMs);
}

CheckRun::~CheckRun() {
    // The search's thread may still post its end to this object; it is stopped and joined
    // before the object goes, and whatever it posted goes with the object.
    search_.reset();
}

void CheckRun::Tick() {
    if (!running_) return;
    if (search_->TakeCells(published_)) ShowCells(published_);
    dialog_->SetBarPosition(search_->BarPosition());
    if (search_->ShowDue() && !dialog_->isVisible()) dialog_->show();
}

void CheckRun::ShowCells(const BoardModel::Cells& cells) {
    BoardModel& model = board_.Model();
    if (cells.size() != model.cells.size()) return;
    bool changed = false;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        CellRecord cell = cells[i];
        if (cell.state == 1) cell.colour = kWhite;
        CellRecord& shown = model.cells[i];
        if (shown.state == cell.state && shown.colour == cell.colour) continue;
        shown = cell;
        board_.PaintCell(int(i % std::size_t(model.cols())), int(i / std::size_t(model.cols())));
        changed = true;
    }
    if (changed) board_.RepaintNow();
}

void CheckRun::Finish() {
    if (!running_) return;
    running_ = false;
    ticker_.stop();
    search_->Wait();
    if (search_->OutOfMemory()) {
        // Nothing the search left can be trusted: the player's game comes back as it was.
        search_.reset();
        CloseDialog();
        PutBackPlayerGame();
        Prompts::Current().Tell(parent_, QString::fromUtf8(kCheckOutOfMemory));
        emit ended();
        return;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(search_->Result().elapsed);
    const ClockTime duration = CheckDuration(std::uint32_t(elapsed.count()));
    BoardModel& found = search_->Puzzle();
    // The board shows where the search ended, then takes its solutions and duration.
    ShowCells(found.cells);
    board_.Model().TakeCheckResult(found.cells, std::move(found.variants), duration.hours, duration.minutes,
                                   duration.seconds);
    search_.reset();
    CloseDialog();

    const int variants = int(board_.Model().variants.size());
    if (variants == 0) {
        Prompts::Current().Tell(parent_, QString::fromUtf8(kCheckNoSolution));
    } else {
        Prompts::Current().Tell(parent_, QString::fromStdString(CheckResultMessage(duration, variants)));
        board_.ShowVariant(0);
    }
    emit ended();
}

void CheckRun::Cancel() {
    if (!running_) return;
    running_ = false;
    ticker_.stop();
    search_.reset();
    CloseDialog();
    PutBackPlayerGame();
    emit ended();
}

// The dialog may be in the middle of its own event handler (a close, «Отмена») or on the list of
// windows the application is closing as it quits: it is hidden now and deleted once control is
// back in the event loop.
void CheckRun::CloseDialog() {
    if (!dialog_) return;
    dialog_->hide();
    dialog_.release()->deleteLater();
}

void CheckRun::PutBackPlayerGame() {
    BoardModel& model = board_.Model();
    // A new game draws the board afresh; the player's cells, crossed-out clues and hint marks
    // then go back on it.
    board_.ResetBoard();
    CopyGame(saved_, model);
    board_.RenderBoardFromState();
    if (model.hints == 1) board_.SetHints(true);
    if (model.gameOver != 0) board_.StopTimer();
    board_.ShowTime();
    board_.PutHistory(std::move(savedHistory_));
    board_.RepaintNow();
}

}  // namespace mosgrid
