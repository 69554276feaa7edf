// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Slow reference line solver for the tests: it enumerates placements one by one, so it is easy to
// trust and exponential in the worst case.
#include <algorithm>
#include <vector>

#include "solver/core/LineSolver.h"

namespace mosgrid::test {

// Every placement of the runs, one by one: the union of the values that the valid placements
// give each cell. Same rules as LineSolver, stated directly. A placement is abandoned at the
// first cell that does not allow its value. Returns 1 when some placement is valid, 0 when none
// is, and -1 when more than `budget` runs were placed before the answer was known.
inline int PlacementUnion(const std::vector<ValueMask>& cells, const std::vector<LineRun>& runs,
                          std::vector<ValueMask>& possible, long budget = 1L << 40) {
    const int L = int(cells.size());
    std::vector<ValueMask> line(cells.size());
    possible.assign(cells.size(), 0);
    bool found = false;
    long placed = 0;
    // Gives cells [from, to) the value bit `value` when all of them allow it.
    auto put = [&](int from, int to, ValueMask value) {
        for (int p = from; p < to; ++p)
            if (!(cells[std::size_t(p)] & value)) return false;
        std::fill(line.begin() + from, line.begin() + to, value);
        return true;
    };
    // Runs before j are placed and end before `from`; cells from `from` on are not yet set.
    auto place = [&](auto& self, std::size_t j, int from) -> void {
        if (++placed > budget) return;
        if (j == runs.size()) {
            if (!put(from, L, kEmptyBit)) return;
            found = true;
            for (int p = 0; p < L; ++p) possible[std::size_t(p)] |= line[std::size_t(p)];
            return;
        }
        const LineRun& run = runs[j];
        const int earliest = j > 0 && runs[j - 1].colourIndex == run.colourIndex ? from + 1 : from;
        for (int s = earliest; s + run.length <= L; ++s) {
            if (!put(from, s, kEmptyBit)) return;  // a longer gap holds the same cell
            if (put(s, s + run.length, ValueMask(1) << run.value)) self(self, j + 1, s + run.length);
        }
    };
    place(place, 0, 0);
    return placed > budget ? -1 : found;
}

}  // namespace mosgrid::test
