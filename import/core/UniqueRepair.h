// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <string>

#include "catalogue/core/BmpWriter.h"

namespace mosgrid {

struct RepairLimits {
    std::chrono::milliseconds time{30000};  // for the whole repair
    int maxChanges = 250;                   // cells changed at most
};

struct RepairResult {
    bool unique = false;      // the picture's clues now have exactly one solution
    int changed = 0;          // cells that differ from the picture given
    int checks = 0;           // searches run
    Picture4 picture;         // the repaired picture (the last one tried when not unique)
    std::string reason;       // why it could not, one line; empty when unique
};

// Changes cells of a picture until its clues have exactly one solution: search for a second
// solution; change one cell where it differs from the picture to the second solution's colour,
// preferring cells at the edge of a region of one colour (where a change shows least) and never
// changing a cell twice; check again. Gives up, saying why, when the time or the number of
// changes runs out or no cell is left to change. A unique picture comes back unchanged.
RepairResult MakeUnique(const Picture4& picture, const RepairLimits& limits = RepairLimits{});

}  // namespace mosgrid
