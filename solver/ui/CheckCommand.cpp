#include "solver/ui/CheckCommand.h"

#include <memory>

#include "app/Prompts.h"
#include "board/ui/GmGride.h"
#include "solver/core/CheckReport.h"
#include "solver/core/SolvePuzzle.h"
#include "solver/ui/Decision.h"
#include "solver/ui/SearchPainter.h"

namespace mosgrid {

void CheckCommand(CGmGride& board, QWidget* parent) {
    if (!board.Model().HasPuzzle()) return;
    if (!CheckAccepts(board.Model())) {
        Prompts::Current().Refuse(parent, QString::fromUtf8(kCheckColourRefusal));
        return;
    }
    if (Prompts::Current().Ask(parent, QString::fromUtf8(kCheckQuestion))) CheckPuzzle(board, parent);
}

void CheckPuzzle(CGmGride& board, QWidget* parent, std::function<std::uint32_t()> clock) {
    BoardModel& model = board.Model();
    if (!model.HasPuzzle()) return;
    board.ResetBoard();
    board.StopTimer();
    model.gameOver = 1;

    auto dialog = std::make_unique<CDecision>(parent, std::move(clock));
    SearchPainter painter(board);
    // Sets the dialog's range (which restarts its clock), marks every line pending and searches
    // from the first cell.
    SolvePuzzle(model, *dialog, &painter);
    const ClockTime duration = CheckDuration(dialog->Now() - dialog->StartTime());
    // The cells the search wrote since the last paced repaint.
    painter.Finish();
    model.hours = duration.hours;
    model.minutes = duration.minutes;
    model.seconds = duration.seconds;
    dialog.reset();

    const int variants = int(model.variants.size());
    if (variants == 0) {
        Prompts::Current().Tell(parent, QString::fromUtf8(kCheckNoSolution));
        return;
    }
    Prompts::Current().Tell(parent, QString::fromStdString(CheckResultMessage(duration, variants)));
    board.ShowVariant(0);
}

}  // namespace mosgrid
