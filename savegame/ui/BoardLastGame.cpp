#include "savegame/ui/BoardLastGame.h"

#include <QString>

#include <optional>

#include "app/Prompts.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/PictureFiles.h"
#include "savegame/core/LastGameCodec.h"

namespace mosgrid {

RestoreOutcome RestoreLastGame(CGmGride& board) {
    // The name is checked on reading: a path, "." or ".." is never opened.
    const std::optional<LastGameFile> file = ReadLastGame(board.ProgramFolder());
    if (!file) return RestoreOutcome::NoGame;
    board.SetupPuzzle(FindPicturePath(board.ProgramFolder(), file->name), file->name);
    BoardModel& model = board.Model();
    if (!model.HasPuzzle()) return RestoreOutcome::NoGame;

    // White first, so that the swatch shows the colour even when it was current already.
    COLORREF first = kWhite;
    if (model.FirstPuzzleColour(first)) {
        model.currentColour = kWhite;
        board.SetCurrentColour(first);
    }

    // ApplyLastGame leaves the freshly set-up game alone unless the whole file fits it.
    const bool applied = ApplyLastGame(file->bytes, model);
    if (applied) board.RenderBoardFromState();
    // The clock starts again from the restored time: a full second to its next tick, and the
    // label shows the time at once.
    board.StartTimer();
    board.RepaintNow();
    return applied ? RestoreOutcome::Restored : RestoreOutcome::StartedAfresh;
}

LastGameSaveResult SaveLastGame(CGmGride& board) {
    const LastGameSaveResult result = SaveLastGame(board.ProgramFolder(), board.Model());
    if (result.failed()) Prompts::Current().Tell(&board, QString::fromStdString(result.path.string()));
    return result;
}

}  // namespace mosgrid
