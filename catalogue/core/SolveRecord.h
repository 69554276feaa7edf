// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>

#include "catalogue/core/GameFolders.h"
#include "common/ClockTime.h"

namespace mosgrid {

struct SolveOutcome {
    ClockTime best;                    // the puzzle's best time after this solve
    bool saved = true;                 // false when the catalogue file could not be written
    std::filesystem::path catalogPath; // the catalogue file, for the message on a failed write
};

// The best time after a solve. The stored best (of a puzzle solved `solvedCount` times) is
// replaced only when the puzzle was never solved or the new time is strictly shorter. Both
// times are taken as the catalogue stores them: each part reduced to its low 8 bits.
ClockTime BestTimeAfterSolve(int solvedCount, const ClockTime& storedBest, const ClockTime& elapsed);

// The parts of a time as the catalogue keeps them (each modulo 256).
ClockTime ClockBytes(const ClockTime& t);

// Records a solve of puzzle `name` in the catalogue of `folders` (their pictures and "mg.bd"): every
// record of that name gets its solve count raised by one and the best time of
// BestTimeAfterSolve; a name the catalogue does not list is not added. The catalogue is saved
// in every case.
SolveOutcome RecordSolve(const GameFolders& folders, const std::u16string& name, const ClockTime& elapsed);

}  // namespace mosgrid
