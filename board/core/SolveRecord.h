#pragma once
#include <filesystem>
#include <string>

#include "board/core/GameClock.h"
#include "catalogue/core/GameFolders.h"

namespace mosgrid {

struct SolveOutcome {
    ClockTime best;                    // the puzzle's best time after this solve
    bool saved = true;                 // false when the catalogue file could not be written
    std::filesystem::path catalogPath; // the catalogue file, for the message on a failed write
};

// Records a solve of puzzle `name` in the catalogue of `folders` (their pictures and "mg.bd"): every
// record of that name gets its solve count raised by one and the best time of
// BestTimeAfterSolve; a name the catalogue does not list is not added. The catalogue is saved
// in every case.
SolveOutcome RecordSolve(const GameFolders& folders, const std::u16string& name, const ClockTime& elapsed);

}  // namespace mosgrid
