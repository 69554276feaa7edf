// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/LineSolver.h"

#include <algorithm>
#include <bit>

namespace mosgrid {

namespace {

// Bit i stands for position i of a line (cells 0..i-1 consumed) or for cell i: one machine word
// for lines shorter than 64 cells, two otherwise.
using Wide = unsigned __int128;

// The positions reachable from `from` by steps over cells that allow empty (i to i + 1 when
// cell i does). Adding the steppable starts to `empty` carries each block of such cells through
// to the position after it, from its first start.
template <class Bits>
Bits Onwards(Bits from, Bits empty) {
    return from | ((empty + (from & empty)) ^ empty);
}

// The positions from which `to` is reachable by such steps; doubling steps, up to
// 2^(r+1) - 1 cells after r rounds.
template <class Bits>
Bits Backwards(Bits to, Bits empty, int length) {
    for (int step = 1; step <= length; step *= 2) {
        to |= (to >> step) & empty;
        empty &= empty >> step;
    }
    return to;
}

// Bit i: bits i .. i + width - 1 of `bits` are all set.
template <class Bits>
Bits Window(Bits bits, int width) {
    int have = 1;
    for (; have * 2 <= width; have *= 2) bits &= bits >> have;
    return have < width ? bits & bits >> (width - have) : bits;
}

// Bits i .. i + width - 1 for every bit i of `starts`.
template <class Bits>
Bits Cover(Bits starts, int width) {
    int have = 1;
    for (; have * 2 <= width; have *= 2) starts |= starts << have;
    return have < width ? starts | starts << (width - have) : starts;
}

// The line solver's steps for a line of one colour, `next` as in LineSolver; narrows `empty`
// and `filled` (bit i: cell i allows it) to what the valid placements give.
template <class Bits>
bool SolveBits(Bits& emptyIo, Bits& filledIo, int L, const LineRun* runs, int k, const int* next) {
    const Bits empty = emptyIo;
    const Bits filled = filledIo;
    // fits[j]: run j can start at the position (its cells allow it, and the empty cell after
    // it when the next run needs a gap); reached[j]: the positions reachable with j runs placed.
    Bits fits[kMaxLine];
    Bits reached[kMaxLine + 1];
    Bits at = 1;
    for (int j = 0;; ++j) {
        at = Onwards(at, empty);
        reached[j] = at;
        if (j == k) break;
        const int len = runs[j].length;
        fits[j] = Window(filled, len);
        if (next[j] > len) fits[j] &= empty >> len;
        at = (at & fits[j]) << next[j];
        if (at == 0) return false;
    }
    if (!(reached[k] >> L & 1)) return false;

    // Backwards from the end, keeping what the complete placements give each cell.
    Bits emptyCells = 0;
    Bits filledCells = 0;
    Bits completes = Backwards(Bits(1) << L, empty, L);
    for (int j = k;; --j) {
        emptyCells |= reached[j] & empty & completes >> 1;
        if (j == 0) break;
        const int len = runs[j - 1].length;
        const Bits starts = fits[j - 1] & completes >> next[j - 1];
        const Bits placed = reached[j - 1] & starts;
        filledCells |= Cover(placed, len);
        if (next[j - 1] > len) emptyCells |= placed << len;
        completes = Backwards(starts, empty, L);
    }
    emptyIo = emptyCells;
    filledIo = filledCells;
    return true;
}

// How far a placement of each run moves on: its length, and the empty cell that must follow it
// when the next run has the same palette index.
void Steps(const LineRun* runs, int k, int* next) {
    for (int j = 0; j < k; ++j) {
        const bool gap = j + 1 < k && runs[j + 1].colourIndex == runs[j].colourIndex;
        next[j] = runs[j].length + (gap ? 1 : 0);
    }
}

bool SolveSteps(LineBits& empty, LineBits& filled, int length, const LineRun* runs, int runCount, const int* next) {
    // Positions 0 .. length, and a carry out of the last block of cells lands at most there.
    if (length >= 64) return SolveBits<LineBits>(empty, filled, length, runs, runCount, next);
    std::uint64_t e = std::uint64_t(empty);
    std::uint64_t f = std::uint64_t(filled);
    if (!SolveBits<std::uint64_t>(e, f, length, runs, runCount, next)) return false;
    empty = e;
    filled = f;
    return true;
}

}  // namespace

bool LineSolver::SolveOneColour(LineBits& empty, LineBits& filled, int length, const LineRun* runs, int runCount) {
    if (length < 0 || length > kMaxLine || runCount < 0 || runCount > kMaxLine) return false;
    int next[kMaxLine];
    Steps(runs, runCount, next);
    return SolveSteps(empty, filled, length, runs, runCount, next);
}

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
    Steps(runs, k, next_.data());
    if (OneValue(runValues) || runValues == 0) {
        // One colour: the cells as bit sets.
        const ValueMask filledBit = ValueMask(1) << (k > 0 ? runs[0].value : 1);
        LineBits empty = 0;
        LineBits filled = 0;
        for (int i = L - 1; i >= 0; --i) {
            empty = empty << 1 | LineBits((cells[i] & kEmptyBit) != 0);
            filled = filled << 1 | LineBits((cells[i] & filledBit) != 0);
        }
        if (!SolveSteps(empty, filled, L, runs, k, next_.data())) return false;
        for (int i = 0; i < L; ++i) {
            possible[i] = (ValueMask(empty >> i) & 1) | ((ValueMask(filled >> i) & 1) ? filledBit : 0);
        }
        return true;
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
