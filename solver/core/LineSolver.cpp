// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/LineSolver.h"

#include <algorithm>
#include <bit>

namespace mosgrid {

bool LineSolver::Solve(const ValueMask* cells, int length, const LineRun* runs, int runCount, ValueMask* possible) {
    if (length < 0 || length > kCells || runCount < 0 || runCount > kRuns) return false;
    const int L = length;
    const int k = runCount;

    // Which run values occur, and for each a prefix count of the cells that refuse it.
    ValueMask runValues = 0;
    for (int j = 0; j < k; ++j) {
        if (runs[j].length <= 0 || runs[j].value <= 0 || runs[j].value >= kMaxValues) return false;
        runValues |= ValueMask(1) << runs[j].value;
    }
    for (ValueMask left = runValues; left != 0; left &= left - 1) {
        const int v = std::countr_zero(left);
        auto& blocked = blocked_[std::size_t(v)];
        blocked[0] = 0;
        for (int i = 0; i < L; ++i) {
            blocked[std::size_t(i + 1)] = std::uint8_t(blocked[std::size_t(i)] + ((cells[i] >> v & 1) ? 0 : 1));
        }
        std::fill_n(cover_[std::size_t(v)].begin(), L + 1, std::int16_t(0));
    }

    // How far a placement of each run moves on: its length, and the empty cell that must
    // follow it when the next run has the same palette index.
    for (int j = 0; j < k; ++j) {
        const bool gap = j + 1 < k && runs[j + 1].colourIndex == runs[j].colourIndex;
        next_[std::size_t(j)] = runs[j].length + (gap ? 1 : 0);
    }

    // State (i, j) can only occur when runs 0..j-1 fit before cell i and runs j.. after it.
    int before = 0;
    for (int j = 0; j <= k; ++j) {
        first_[std::size_t(j)] = before;
        if (j < k) before += next_[std::size_t(j)];
    }
    if (before > L) return false;
    const int slack = L - before;

    // Where each run can lie, at the starts that its state allows.
    for (int j = 0; j < k; ++j) {
        const LineRun& run = runs[j];
        const bool gap = next_[std::size_t(j)] > run.length;
        const auto& blocked = blocked_[std::size_t(run.value)];
        auto& fits = fits_[std::size_t(j)];
        for (int i = first_[std::size_t(j)], last = i + slack; i <= last; ++i) {
            const int end = i + run.length;
            bool ok = blocked[std::size_t(end)] == blocked[std::size_t(i)];
            if (ok && gap) ok = (cells[end] & kEmptyBit) != 0;
            fits[std::size_t(i)] = ok;
        }
    }
    auto lastOf = [&](int j) { return first_[std::size_t(j)] + slack; };

    // Forward: states reachable from the start of the line.
    for (int j = 0; j <= k; ++j) {
        std::fill_n(fromStart_[std::size_t(j)].begin() + first_[std::size_t(j)], slack + 1, false);
    }
    fromStart_[0][0] = true;
    for (int j = 0; j <= k; ++j) {
        auto& here = fromStart_[std::size_t(j)];
        for (int i = first_[std::size_t(j)], last = lastOf(j); i <= last; ++i) {
            if (!here[std::size_t(i)]) continue;
            if (i < last && (cells[i] & kEmptyBit)) here[std::size_t(i + 1)] = true;
            if (j < k && fits_[std::size_t(j)][std::size_t(i)]) {
                fromStart_[std::size_t(j + 1)][std::size_t(i + next_[std::size_t(j)])] = true;
            }
        }
    }
    if (!fromStart_[std::size_t(k)][std::size_t(L)]) return false;

    // Backward: states from which the rest of the line can be completed.
    for (int j = k; j >= 0; --j) {
        auto& here = toEnd_[std::size_t(j)];
        for (int i = lastOf(j), first = first_[std::size_t(j)]; i >= first; --i) {
            bool ok = j == k && i == L;
            if (!ok && i < lastOf(j) && (cells[i] & kEmptyBit)) ok = here[std::size_t(i + 1)];
            if (!ok && j < k && fits_[std::size_t(j)][std::size_t(i)]) {
                ok = toEnd_[std::size_t(j + 1)][std::size_t(i + next_[std::size_t(j)])];
            }
            here[std::size_t(i)] = ok;
        }
    }

    // Every step that lies on a complete placement says what its cells may be.
    for (int i = 0; i < L; ++i) possible[i] = 0;
    for (int j = 0; j <= k; ++j) {
        for (int i = first_[std::size_t(j)], last = lastOf(j); i <= last; ++i) {
            if (!fromStart_[std::size_t(j)][std::size_t(i)]) continue;
            if (i < last && (cells[i] & kEmptyBit) && toEnd_[std::size_t(j)][std::size_t(i + 1)]) {
                possible[i] |= kEmptyBit;
            }
            if (j < k && fits_[std::size_t(j)][std::size_t(i)] &&
                toEnd_[std::size_t(j + 1)][std::size_t(i + next_[std::size_t(j)])]) {
                const LineRun& run = runs[j];
                auto& cover = cover_[std::size_t(run.value)];
                ++cover[std::size_t(i)];
                --cover[std::size_t(i + run.length)];
                if (next_[std::size_t(j)] > run.length) possible[i + run.length] |= kEmptyBit;
            }
        }
    }
    for (ValueMask left = runValues; left != 0; left &= left - 1) {
        const int v = std::countr_zero(left);
        const auto& cover = cover_[std::size_t(v)];
        int depth = 0;
        for (int i = 0; i < L; ++i) {
            depth += cover[std::size_t(i)];
            if (depth > 0) possible[i] |= ValueMask(1) << v;
        }
    }
    return true;
}

}  // namespace mosgrid
