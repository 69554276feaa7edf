// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QTimer>

#include <memory>

#include "board/core/BoardModel.h"

class QWidget;

namespace mosgrid {

class BackgroundSearch;
class CDecision;
class CGmGride;

// One check of the board's puzzle, from its start to its end. The search runs on its own
// thread (BackgroundSearch) on a puzzle of its own while the window goes on painting and taking
// input; every 50 ms the board's view of the search is brought up to the cells the search
// published, and the progress dialog's bar to its position; the dialog shows once the search is
// more than a second old.
//
// The player's game is never touched while the check runs: the board shows the search as a
// layer over a new game, takes no play and holds its clock. Finished by itself, the check hands
// the game the search's last cells, its solutions and its duration (the game is then over),
// closes the dialog, tells the result and shows the first solution. Cancelled (the dialog's
// «Отмена», closing the dialog or Cancel()), it stops the search and takes the layer down,
// silently: the game shows again as it was, its clock running on if it ran.
class CheckRun : public QObject {
    Q_OBJECT
public:
    static constexpr int kRepaintIntervalMs = 50;

    // parent: the window the dialog and the result message belong to; it also owns the run.
    CheckRun(CGmGride& board, QWidget* parent);
    // Stops a search still running, without touching the board.
    ~CheckRun() override;

    bool Running() const { return running_; }
    // Cancels a running check; once the check is over it does nothing.
    void Cancel();
    CDecision* Dialog() const { return dialog_.get(); }

signals:
    // The check is over: finished (after its result message) or cancelled.
    void ended();

private:
    void Tick();
    void Finish();
    void CloseDialog();

    CGmGride& board_;
    QWidget* parent_;
    std::unique_ptr<CDecision> dialog_;
    std::unique_ptr<BackgroundSearch> search_;
    BoardModel::Cells published_;
    QTimer ticker_;
    bool running_ = false;
};

}  // namespace mosgrid
