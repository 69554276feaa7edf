// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/core/ClueDecision.h"

#include <bit>
#include <cstdio>

#include "import/core/TimedSearch.h"

namespace mosgrid {

Picture4 PictureOfSolution(const CluePuzzle& puzzle, const std::vector<ValueMask>& cells) {
    Picture4 picture;
    picture.width = puzzle.puzzle.width;
    picture.height = puzzle.puzzle.height;
    std::vector<int> index(puzzle.colours.size(), -1);
    picture.palette.push_back(kWhite);
    index[0] = 0;
    std::vector<bool> used(puzzle.colours.size(), false);
    for (ValueMask v : cells) used[std::size_t(std::countr_zero(v))] = true;
    for (std::size_t v = 1; v < used.size(); ++v) {
        if (!used[v]) continue;
        index[v] = int(picture.palette.size());
        picture.palette.push_back(puzzle.colours[v]);
    }
    for (ValueMask v : cells) picture.indices.push_back(std::uint8_t(index[std::size_t(std::countr_zero(v))]));
    return picture;
}

ClueVerdict DecideCluePuzzle(const CluePuzzle& puzzle, const DecideLimits& limits) {
    ClueVerdict verdict;
    const Puzzle& p = puzzle.puzzle;
    if (p.width > kImportMaxSide || p.height > kImportMaxSide) {
        verdict.kind = ClueVerdict::Kind::TooLarge;
        verdict.reason = std::to_string(p.width) + " x " + std::to_string(p.height) + " is larger than " +
                         std::to_string(kImportMaxSide) + " x " + std::to_string(kImportMaxSide);
        return verdict;
    }
    if (int(puzzle.colours.size()) - 1 > kImportMaxColours) {
        verdict.kind = ClueVerdict::Kind::TooManyColours;
        verdict.reason = std::to_string(puzzle.colours.size() - 1) + " colours besides white, more than " +
                         std::to_string(kImportMaxColours);
        return verdict;
    }
    const TimedCount count = p.Valid() ? CountWithin(p, limits.cap, limits.time, 1) : TimedCount{};
    verdict.solutions = count.solutions;
    if (count.solutions >= 2) {
        verdict.kind = ClueVerdict::Kind::Several;
        verdict.reason = (count.capped || count.timedOut ? "at least " : "") + std::to_string(count.solutions) +
                         " solutions; the game needs exactly one";
    } else if (count.timedOut) {
        verdict.kind = ClueVerdict::Kind::TooHard;
        char after[32];
        std::snprintf(after, sizeof after, "%g s", double(limits.time.count()) / 1000.0);
        verdict.reason = std::string("too hard to check: no verdict after ") + after;
    } else if (count.solutions == 0) {
        verdict.kind = ClueVerdict::Kind::Contradictory;
        verdict.reason = "contradictory clues: no solution";
    } else {
        verdict.kind = ClueVerdict::Kind::Unique;
        verdict.picture = PictureOfSolution(puzzle, count.grids[0]);
    }
    return verdict;
}

}  // namespace mosgrid
