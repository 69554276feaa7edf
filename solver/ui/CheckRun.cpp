// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/ui/CheckRun.h"

#include <QWidget>

#include <chrono>

#include "board/ui/GmGride.h"
#include "common/Prompts.h"
#include "solver/core/BackgroundSearch.h"
#include "solver/core/CheckReport.h"
#include "solver/ui/Decision.h"

namespace mosgrid {

CheckRun::CheckRun(CGmGride& board, QWidget* parent) : QObject(parent), board_(board), parent_(parent) {
    // The search gets a puzzle of its own: a new game on the board's puzzle, blank cells.
    BoardModel puzzle = board_.CheckPuzzle();
    board_.ShowSearchCells(puzzle.cells);

    dialog_ = std::make_unique<CDecision>(parent_);
    dialog_->SetRange(std::uint32_t(puzzle.cols()) * std::uint32_t(puzzle.rows()));
    connect(dialog_.get(), &CDecision::cancelRequested, this, &CheckRun::Cancel);
    connect(&ticker_, &QTimer::timeout, this, &CheckRun::Tick);
    running_ = true;
    search_ = std::make_unique<BackgroundSearch>(
        std::move(puzzle), [this] { QMetaObject::invokeMethod(this, &CheckRun::Finish, Qt::QueuedConnection); });
    ticker_.start(kRepaintIntervalMs);
}

CheckRun::~CheckRun() {
    // The search's thread may still post its end to this object; it is stopped and joined
    // before the object goes, and whatever it posted goes with the object.
    search_.reset();
}

void CheckRun::Tick() {
    if (!running_) return;
    if (search_->TakeCells(published_)) board_.ShowSearchCells(published_);
    dialog_->SetBarPosition(search_->BarPosition());
    if (search_->ShowDue() && !dialog_->isVisible()) dialog_->show();
}

void CheckRun::Finish() {
    if (!running_) return;
    running_ = false;
    ticker_.stop();
    search_->Wait();
    if (search_->OutOfMemory()) {
        // Nothing the search left can be trusted: the player's game, never touched, shows again.
        search_.reset();
        CloseDialog();
        board_.EndSearchView();
        Prompts::Current().Tell(parent_, kCheckOutOfMemory);
        emit ended();
        return;
    }
    const SolveResult& found = search_->Result();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(found.elapsed);
    const ClockTime duration = CheckDuration(std::uint32_t(elapsed.count()));
    // The board shows where the search ended; the game takes its cells, solutions and duration.
    board_.ShowSearchCells(found.cells);
    board_.TakeCheckResult(found.cells, found.variants, duration);
    search_.reset();
    CloseDialog();

    const int variants = int(board_.Model().variants.size());
    if (variants == 0) {
        Prompts::Current().Tell(parent_, kCheckNoSolution);
    } else {
        Prompts::Current().Tell(parent_, CheckResultMessage(duration, variants));
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
    // Nothing to put back: the game was never touched.
    board_.EndSearchView();
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

}  // namespace mosgrid
