// SPDX-License-Identifier: GPL-3.0-or-later
#include "savegame/ui/BoardLastGame.h"

#include <QString>

#include <filesystem>
#include <optional>

#include "board/ui/GmGride.h"
#include "catalogue/core/PictureFiles.h"
#include "common/Prompts.h"
#include "savegame/core/LastGameCodec.h"

namespace mosgrid {

RestoreOutcome RestoreLastGame(CGmGride& board) {
    // The name is checked on reading: a path, "." or ".." is never opened.
    const std::optional<LastGameFile> file = ReadLastGame(board.Folders());
    if (!file) return RestoreOutcome::NoGame;
    const std::filesystem::path picture = FindPicturePath(board.Folders(), file->name);
    board.SetupPuzzle(picture, file->name);
    if (!board.Model().HasPuzzle()) return RestoreOutcome::NoGame;
    board.ApplyFirstPuzzleColour();

    // The file is read into a copy of the fresh game; the board takes it over only when the
    // whole file fits, otherwise the fresh game stays.
    BoardModel saved = board.Model();
    const bool applied = ApplyLastGame(file->bytes, saved) && board.RestorePlay(saved);
    if (!applied) {
        board.StartTimer();
        board.RepaintNow();
    }
    return applied ? RestoreOutcome::Restored : RestoreOutcome::StartedAfresh;
}

LastGameSaveResult SaveLastGame(CGmGride& board) {
    const LastGameSaveResult result = SaveLastGame(board.Folders(), board.Model());
    if (result.failed()) Prompts::Current().Tell(&board, result.path.string());
    return result;
}

}  // namespace mosgrid
