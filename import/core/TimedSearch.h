// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <chrono>
#include <vector>

#include "catalogue/core/BmpWriter.h"
#include "solver/core/GridSearch.h"
#include "solver/core/Puzzle.h"

namespace mosgrid {

// What a search bounded by a solution cap and a time limit found.
struct TimedCount {
    long solutions = 0;
    bool capped = false;        // stopped at the cap: there may be more
    bool timedOut = false;      // stopped by the clock: the count is a lower bound
    bool linesAlone = false;    // line passes alone decided every cell
    long guesses = 0;
    long probes = 0;
    std::chrono::microseconds elapsed{0};
    std::vector<std::vector<ValueMask>> grids;  // the first `keep` solutions found
};

// Searches `puzzle` (which must be Valid) until `cap` solutions are found, the tree is exhausted,
// `limit` has passed or `stop` (when given) is set, keeping the first `keep` solutions. A search
// ended by `stop` reports timedOut as well.
TimedCount CountWithin(const Puzzle& puzzle, long cap, std::chrono::milliseconds limit, int keep,
                       GridSearch::Options options = GridSearch::Options{}, const std::atomic<bool>* stop = nullptr);

// The clues of a picture as the game derives them: every maximal run of one palette index whose
// colour is not white, in a row or a column. A cell's value is its palette index (white entries
// are value 0), so a solution's values are palette indices again.
Puzzle PuzzleFromPicture(const Picture4& picture);

// The values of a picture's cells, as the search reports them (one bit a cell).
std::vector<ValueMask> CellsOfPicture(const Picture4& picture);

// Whether every line of the puzzle can hold its runs at all (lengths and the gaps that runs of
// one colour need); a puzzle where one cannot has no solution.
bool LinesCanFit(const Puzzle& puzzle);

}  // namespace mosgrid
