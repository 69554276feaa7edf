// SPDX-License-Identifier: GPL-3.0-or-later
#include "savegame/core/LastGameStore.h"

#include <memory>
#include <system_error>

#include "catalogue/core/AtomicFile.h"
#include "catalogue/core/PictureFiles.h"
#include "common/RegularFile.h"
#include "savegame/core/LastGameCodec.h"

namespace mosgrid {

std::filesystem::path LastGamePath(const GameFolders& folders) { return folders.playerFiles / kLastGameFileName; }

namespace {

// Moves a last-game file that does not restore to kDamagedLastGameFileName, beside it in the
// folder of the player's files. Only a regular file is moved (not a link, a pipe or a folder in
// its place). False when it could not be moved.
bool KeepDamagedFileAside(const GameFolders& folders) {
    std::error_code error;
    const std::filesystem::path path = LastGamePath(folders);
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error))) return true;
    auto scratch = std::make_unique<BoardModel>();
    if (RestoreLastGame(folders, *scratch) == RestoreOutcome::Restored) return true;
    std::filesystem::rename(path, folders.playerFiles / kDamagedLastGameFileName, error);
    return !error;
}

}  // namespace

LastGameSaveResult SaveLastGame(const GameFolders& folders, const BoardModel& model) {
    using Outcome = LastGameSaveResult::Outcome;
    LastGameSaveResult result;
    result.path = LastGamePath(folders);
    if (!KeepDamagedFileAside(folders)) {
        result.outcome = Outcome::Failed;
        return result;
    }
    if (!model.HasPuzzle() || model.gameOver != 0 || !IsRestorableName(model.name)) {
        // Whatever the old file holds is not the game in play any more.
        std::error_code error;
        std::filesystem::remove(result.path, error);
        if (error) {
            result.outcome = Outcome::Failed;
        } else {
            result.outcome = model.HasPuzzle() && model.gameOver == 0 ? Outcome::NameNotStorable : Outcome::NothingToSave;
        }
        return result;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = EncodeLastGame(model);
    result.outcome = bytes && WriteFileAtomically(result.path, *bytes) ? Outcome::Written : Outcome::Failed;
    return result;
}

std::optional<LastGameFile> ReadLastGame(const GameFolders& folders) {
    // Only a regular file: a pipe or a device in its place must not block or flood the start.
    const RegularFile opened(LastGamePath(folders));
    std::optional<std::vector<std::uint8_t>> bytes = opened.Read(0, kLastGameMaxSize + 1);
    if (!bytes) return std::nullopt;
    LastGameFile file;
    file.bytes = std::move(*bytes);
    std::optional<std::u16string> name = LastGameName(file.bytes);
    if (!name) return std::nullopt;
    file.name = std::move(*name);
    return file;
}

RestoreOutcome RestoreLastGame(const GameFolders& folders, BoardModel& model) {
    std::optional<LastGameFile> file = ReadLastGame(folders);
    if (!file) return RestoreOutcome::NoGame;
    // The picture is found whatever the letter case of its extension ("Cat.BMP"), in the folder
    // the chooser would take it from.
    if (!model.Setup(FindPicturePath(folders, file->name), file->name)) return RestoreOutcome::NoGame;
    model.Reset();
    return ApplyLastGame(file->bytes, model) ? RestoreOutcome::Restored : RestoreOutcome::StartedAfresh;
}

}  // namespace mosgrid
