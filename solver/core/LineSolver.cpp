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

// The line solver's steps, `next` as in Steps: narrows `emptyIo` (bit i: cell i allows empty) and
// the cells that allow each run's colour to what the valid placements give. `allow` and `out`
// (which may be the same array) are indexed by run value, or hold one entry for every run when
// the line has one colour.
template <class Bits, bool kOneColour>
bool SolveBits(Bits& emptyIo, const Bits* allow, Bits* out, int L, const LineRun* runs, int k, const int* next,
               ValueMask runValues) {
    const auto slot = [runs](int j) { return kOneColour ? 0 : runs[j].value; };
    const Bits empty = emptyIo;
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
        fits[j] = Window(allow[slot(j)], len);
        if (next[j] > len) fits[j] &= empty >> len;
        at = (at & fits[j]) << next[j];
        if (at == 0) return false;
    }
    if (!(reached[k] >> L & 1)) return false;

    // Backwards from the end, keeping what the complete placements give each cell.
    if constexpr (!kOneColour) {
        for (ValueMask left = runValues; left != 0; left &= left - 1) out[std::countr_zero(left)] = 0;
    }
    Bits emptyCells = 0;
    Bits filledCells = 0;
    Bits completes = Backwards(Bits(1) << L, empty, L);
    for (int j = k;; --j) {
        emptyCells |= reached[j] & empty & completes >> 1;
        if (j == 0) break;
        const int len = runs[j - 1].length;
        const Bits starts = fits[j - 1] & completes >> next[j - 1];
        const Bits placed = reached[j - 1] & starts;
        if constexpr (kOneColour) {
            filledCells |= Cover(placed, len);
        } else {
            out[runs[j - 1].value] |= Cover(placed, len);
        }
        if (next[j - 1] > len) emptyCells |= placed << len;
        completes = Backwards(starts, empty, L);
    }
    emptyIo = emptyCells;
    if constexpr (kOneColour) out[0] = filledCells;
    return true;
}

// How far a placement of each run moves on: its length, and the empty cell that must follow it
// when the next run has the same palette index. False when the runs cannot fit in `length` cells
// (the bit steps never shift past the line then).
bool Steps(const LineRun* runs, int k, int length, int* next) {
    int room = length;
    for (int j = 0; j < k; ++j) {
        if (runs[j].length < 1 || runs[j].length > length) return false;
        const bool gap = j + 1 < k && runs[j + 1].colourIndex == runs[j].colourIndex;
        next[j] = runs[j].length + (gap ? 1 : 0);
        room -= next[j];
        if (room < 0) return false;
    }
    return true;
}

// Positions 0 .. length, and a carry out of the last block of cells lands at most there: one
// machine word for lines under 64 cells.
template <bool kOneColour>
bool SolveSteps(LineBits& empty, LineBits* values, int length, const LineRun* runs, int runCount, const int* next,
                ValueMask runValues) {
    if (length >= 64) {
        return SolveBits<LineBits, kOneColour>(empty, values, values, length, runs, runCount, next, runValues);
    }
    std::uint64_t e = std::uint64_t(empty);
    std::uint64_t v[kMaxValues];
    if (kOneColour) {
        v[0] = std::uint64_t(values[0]);
    } else {
        for (ValueMask left = runValues; left != 0; left &= left - 1) {
            v[std::countr_zero(left)] = std::uint64_t(values[std::countr_zero(left)]);
        }
    }
    if (!SolveBits<std::uint64_t, kOneColour>(e, v, v, length, runs, runCount, next, runValues)) return false;
    empty = e;
    if (kOneColour) {
        values[0] = v[0];
    } else {
        for (ValueMask left = runValues; left != 0; left &= left - 1) {
            values[std::countr_zero(left)] = v[std::countr_zero(left)];
        }
    }
    return true;
}

}  // namespace

bool LineSolver::SolveOneColour(LineBits& empty, LineBits& filled, int length, const LineRun* runs, int runCount) {
    if (length < 0 || length > kMaxLine || runCount < 0 || runCount > kMaxLine) return false;
    int next[kMaxLine];
    if (!Steps(runs, runCount, length, next)) return false;
    return SolveSteps<true>(empty, &filled, length, runs, runCount, next, 0);
}

bool LineSolver::SolveColours(LineBits* values, int length, const LineRun* runs, int runCount) {
    if (length < 0 || length > kMaxLine || runCount < 0 || runCount > kMaxLine) return false;
    ValueMask runValues = 0;
    for (int j = 0; j < runCount; ++j) {
        if (runs[j].value <= 0 || runs[j].value >= kMaxValues) return false;
        runValues |= ValueMask(1) << runs[j].value;
    }
    int next[kMaxLine];
    if (!Steps(runs, runCount, length, next)) return false;
    return SolveSteps<false>(values[0], values, length, runs, runCount, next, runValues);
}

bool LineSolver::Solve(const ValueMask* cells, int length, const LineRun* runs, int runCount, ValueMask* possible) {
    if (length < 0 || length > kMaxLine || runCount < 0 || runCount > kMaxLine) return false;
    ValueMask runValues = 0;
    for (int j = 0; j < runCount; ++j) {
        if (runs[j].length <= 0 || runs[j].value <= 0 || runs[j].value >= kMaxValues) return false;
        runValues |= ValueMask(1) << runs[j].value;
    }
    // The cells as bit sets, one for empty and one for each run value.
    LineBits values[kMaxValues];
    values[0] = 0;
    for (ValueMask left = runValues; left != 0; left &= left - 1) values[std::countr_zero(left)] = 0;
    const ValueMask wanted = runValues | kEmptyBit;
    for (int i = 0; i < length; ++i) {
        for (ValueMask left = cells[i] & wanted; left != 0; left &= left - 1) {
            values[std::countr_zero(left)] |= LineBits(1) << i;
        }
    }
    if (!SolveColours(values, length, runs, runCount)) return false;
    for (int i = 0; i < length; ++i) possible[i] = ValueMask(values[0] >> i) & 1;
    for (ValueMask left = runValues; left != 0; left &= left - 1) {
        const int v = std::countr_zero(left);
        for (int half = 0; half < 2; ++half) {
            for (std::uint64_t bits = std::uint64_t(values[v] >> (64 * half)); bits != 0; bits &= bits - 1) {
                possible[64 * half + std::countr_zero(bits)] |= ValueMask(1) << v;
            }
        }
    }
    return true;
}

}  // namespace mosgrid
