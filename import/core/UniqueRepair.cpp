// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/core/UniqueRepair.h"

#include <bit>

#include "import/core/TimedSearch.h"

namespace mosgrid {

namespace {

// A cell with a neighbour (4 directions) of another colour lies on a region's edge.
bool OnEdge(const Picture4& p, int cell) {
    const int x = cell % p.width;
    const int y = cell / p.width;
    const std::uint8_t own = p.indices[std::size_t(cell)];
    constexpr int dx[4] = {1, -1, 0, 0};
    constexpr int dy[4] = {0, 0, 1, -1};
    for (int k = 0; k < 4; ++k) {
        const int nx = x + dx[k];
        const int ny = y + dy[k];
        if (nx < 0 || ny < 0 || nx >= p.width || ny >= p.height) continue;
        if (p.indices[std::size_t(ny * p.width + nx)] != own) return true;
    }
    return false;
}

}  // namespace

RepairResult MakeUnique(const Picture4& picture, const RepairLimits& limits) {
    RepairResult result;
    result.picture = picture;
    Picture4& p = result.picture;
    // A cell made empty takes palette index 0, the white that a solution's value 0 stands for.
    if (p.palette.empty() || p.palette[0] != kWhite) {
        result.reason = "the picture's first palette colour is not white";
        return result;
    }
    const auto end = std::chrono::steady_clock::now() + limits.time;
    std::vector<bool> touched(p.indices.size(), false);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        const Puzzle puzzle = PuzzleFromPicture(p);
        const TimedCount count = CountWithin(puzzle, 2, std::max(left, std::chrono::milliseconds(0)), 2);
        ++result.checks;
        if (count.solutions < 2 && count.timedOut) {
            result.reason = "no verdict within the time given (" + std::to_string(result.changed) + " cells changed)";
            return result;
        }
        if (count.solutions == 1) {
            result.unique = true;
            return result;
        }
        // The picture itself always solves its clues; take the solution that is not it.
        const std::vector<ValueMask> own = CellsOfPicture(p);
        const std::vector<ValueMask>& other = count.grids[0] == own ? count.grids[1] : count.grids[0];
        int best = -1;
        for (int cell = 0; cell < int(own.size()); ++cell) {
            if (own[std::size_t(cell)] == other[std::size_t(cell)] || touched[std::size_t(cell)]) continue;
            if (best < 0) best = cell;
            if (OnEdge(p, cell)) {
                best = cell;
                break;
            }
        }
        if (best < 0) {
            result.reason = "every cell where the solutions differ was changed already";
            return result;
        }
        if (result.changed >= limits.maxChanges) {
            result.reason = "still ambiguous after " + std::to_string(result.changed) + " changed cells";
            return result;
        }
        touched[std::size_t(best)] = true;
        p.indices[std::size_t(best)] = std::uint8_t(std::countr_zero(other[std::size_t(best)]));
        result.changed = 0;
        for (std::size_t i = 0; i < p.indices.size(); ++i) result.changed += p.indices[i] != picture.indices[i];
    }
}

}  // namespace mosgrid
