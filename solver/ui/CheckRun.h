#pragma once
#include <QObject>
#include <QTimer>

#include <memory>

#include "board/core/BoardModel.h"
#include "board/core/Moves.h"

class QWidget;

namespace mosgrid {

class BackgroundSearch;
class CDecision;
class CGmGride;

// One check of the board's puzzle, from its start to its end. The search runs on its own
// thread (BackgroundSearch) while the window goes on painting and taking input; every 50 ms the
// board is brought up to the cells the search published, and the progress dialog's bar to its
// position; the dialog shows once the search is more than a second old.
//
// Started, the check keeps a copy of the player's game, then starts a new game on the board,
// stops its clock and ends the game. Finished by itself, it puts the search's last cells and
// the check's duration on the board, closes the dialog, tells the result and shows the first
// solution. Cancelled (the dialog's «Отмена», closing the dialog or Cancel()), it stops the
// search and puts the player's game back as it was, clock running again if it ran, silently.
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
    void ShowCells(const BoardModel::Cells& cells);
    void CloseDialog();
    void PutBackPlayerGame();

    CGmGride& board_;
    QWidget* parent_;
    BoardModel saved_;
    MoveHistory savedHistory_;
    std::unique_ptr<CDecision> dialog_;
    std::unique_ptr<BackgroundSearch> search_;
    BoardModel::Cells published_;
    QTimer ticker_;
    bool running_ = false;
};

}  // namespace mosgrid
