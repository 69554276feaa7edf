// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "board/core/BoardModel.h"
#include "catalogue/core/GameFolders.h"

namespace mosgrid {

// The last-game file, in the folder of the player's files.
inline constexpr const char* kLastGameFileName = "lastcrw.sav";
// Where a saved game that could not be restored is kept, one at a time.
inline constexpr const char* kDamagedLastGameFileName = "lastcrw.sav.bad";
std::filesystem::path LastGamePath(const GameFolders& folders);

struct LastGameSaveResult {
    enum class Outcome {
        Written,            // the game in play is in the file
        NothingToSave,      // no puzzle or a finished game: no file is left
        NameNotStorable,    // the puzzle's name is not a plain name (see IsRestorableName)
        Failed,             // the file could not be written or the old one not removed
    };
    Outcome outcome = Outcome::Failed;
    std::filesystem::path path;  // the file's full path, which the player is shown on a failure
    // Only a write that went wrong is a failure to tell; a name that is not stored is not one.
    bool failed() const { return outcome == Outcome::Failed; }
};

// Saves the game in play at the end of a run. A last-game file that does not restore (a refused
// name, no picture of its name, or contents that do not fit the picture: damaged on the disk or
// written by another build) is first moved aside to kDamagedLastGameFileName, replacing the one
// kept there before, so it is never lost without a trace. With no puzzle or a finished game the
// old file is removed and none is written. Otherwise the file is replaced atomically: a failed write leaves
// the old one whole. A name longer than the file holds is not cut short (the shortened name
// would name another picture): nothing is written and the outcome says so.
LastGameSaveResult SaveLastGame(const GameFolders& folders, const BoardModel& model);

// The file as read at start: the puzzle name, already checked to be a plain name of a picture
// folder, and all of the file's bytes (at most one byte more than the largest valid
// file, which is enough to tell that it is too long).
struct LastGameFile {
    std::u16string name;
    std::vector<std::uint8_t> bytes;
};
// Nothing when there is no regular file, it cannot be read or its name is refused.
std::optional<LastGameFile> ReadLastGame(const GameFolders& folders);

// The whole restore on a bare model, as the board does it without drawing: read the file, set
// the named puzzle up and reset it, then apply the rest of the file when it fits.
enum class RestoreOutcome {
    NoGame,         // no file, a refused name or no picture of that name: no puzzle set up
    StartedAfresh,  // the puzzle is set up, but the rest of the file did not fit it
    Restored,       // the puzzle is set up and the saved game applied
};
RestoreOutcome RestoreLastGame(const GameFolders& folders, BoardModel& model);

}  // namespace mosgrid
