// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include "board/core/BoardModel.h"

namespace mosgrid {

// What a line's clues and the player's decided cells alone say of the line (never the picture):
// whether the cells can still match the clues, and which clue runs they prove complete.
struct LineVerdict {
    // No placement of the clue runs fits the decided cells.
    bool error = false;
    // Bit k: the run of clue slot k is proved complete, that is, every placement of the runs that
    // fits the decided cells puts it on the same cells, the player has painted all of them in its
    // colour, and the cells either side of it are decided as not that colour or lie past the
    // line's end.
    std::uint64_t proved = 0;
    friend bool operator==(const LineVerdict&, const LineVerdict&) = default;
};
static_assert(kMaxSlots <= 64);

// The verdict on column `line` (column true) or row `line` of the model.
LineVerdict JudgeLine(const BoardModel& model, bool column, int line);

}  // namespace mosgrid
