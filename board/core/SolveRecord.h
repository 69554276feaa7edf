#pragma once
#include <filesystem>
#include <string>

#include "board/core/GameClock.h"

namespace mosgrid {

struct SolveOutcome {
    ClockTime best;                    // the puzzle's best time after this solve
    bool saved = true;                 // false when the catalogue file could not be written
    std::filesystem::path catalogPath; // the catalogue file, for the message on a failed write
};

// Records a solve of puzzle `name` in the catalogue file "mg.bd" of `folder`: every record of
// that name gets its solve count raised by one and the best time of BestTimeAfterSolve. A
// puzzle without a record keeps none, unless its picture lies in the folder (the catalogue
// lists every picture of its folder). The file is rewritten atomically.
SolveOutcome RecordSolve(const std::filesystem::path& folder, const std::u16string& name, const ClockTime& elapsed);

}  // namespace mosgrid
