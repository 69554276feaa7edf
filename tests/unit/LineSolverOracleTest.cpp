// SPDX-License-Identifier: GPL-3.0-or-later
// The line solver against a slow enumeration: short one-colour lines all, others by sampling.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "solver/core/LineSolver.h"

namespace mosgrid {
namespace {

// The union of the values every valid placement of the runs gives each cell, placed one by one.
// Returns 1 when some placement is valid, 0 when none is, -1 past `budget` runs placed.
int PlacementUnion(const std::vector<ValueMask>& cells, const std::vector<LineRun>& runs, std::vector<ValueMask>& possible, long budget) {
    const int L = int(cells.size());
    std::vector<ValueMask> line(cells.size());
    possible.assign(cells.size(), 0);
    long placed = 0, found = 0;
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
            found = 1;
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
    return placed > budget ? -1 : int(found);
}

void ClueLists(int room, std::vector<int>& current, std::vector<std::vector<int>>& out) {
    out.push_back(current);
    for (int length = 1; length <= room; ++length) {
        current.push_back(length);
        ClueLists(room - length - 1, current, out);
        current.pop_back();
    }
}

// The runs of a line of palette indices (0 empty), index k having the value valueOf[k].
std::vector<LineRun> RunsOf(const std::vector<int>& picture, const std::vector<int>& valueOf) {
    std::vector<LineRun> runs;
    for (std::size_t p = 0; p < picture.size(); ++p) {
        const int index = picture[p];
        if (index != 0 && (p == 0 || picture[p - 1] != index))
            runs.push_back(LineRun{0, valueOf[std::size_t(index)], index});
        if (index != 0) ++runs.back().length;
    }
    return runs;
}

enum class Verdict { Disagree, Skipped, Solvable, Contradiction };

// Runs the line solver and the enumeration on one line.
Verdict Compare(LineSolver& fast, const std::vector<ValueMask>& cells, const std::vector<LineRun>& runs, long budget) {
    std::vector<ValueMask> expected;
    const int slow = PlacementUnion(cells, runs, expected, budget);
    if (slow < 0) return Verdict::Skipped;
    ValueMask possible[kMaxLine];
    const bool ok = fast.Solve(cells.data(), int(cells.size()), runs.data(), int(runs.size()), possible);
    if (ok != (slow == 1) || (ok && !std::equal(expected.begin(), expected.end(), possible))) return Verdict::Disagree;
    return ok ? Verdict::Solvable : Verdict::Contradiction;
}

TEST(LineSolverOracle, EveryLineUpToNineCellsWithEveryClueListAndEveryPartialAssignment) {
    LineSolver fast;
    long lines = 0;
    int failures = 0;
    for (int L = 1; L <= 9 && failures < 5; ++L) {
        std::vector<std::vector<int>> lists;
        std::vector<int> current;
        ClueLists(L, current, lists);
        for (const auto& clues : lists) {
            std::vector<LineRun> runs;
            for (int c : clues) runs.push_back(LineRun{c, 1, 0});
            std::vector<ValueMask> cells(static_cast<std::size_t>(L), 1);
            for (int p = 0; p < L && failures < 5;) {  // every line of empty (1), filled (2) or open (3) cells
                ++lines;
                if (Compare(fast, cells, runs, 1L << 40) == Verdict::Disagree) {
                    ++failures;
                    ADD_FAILURE() << "clues " << testing::PrintToString(clues) << " on " << testing::PrintToString(cells);
                }
                for (p = 0; p < L && cells[std::size_t(p)] == 3; ++p) cells[std::size_t(p)] = 1;
                if (p < L) ++cells[std::size_t(p)];
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(lines, 2'206'284);  // the sum over L of 3^L times the number of clue lists
}

// Random lines of up to 50 cells (every fourth up to 100) in up to four palette indices: runs of one index need a gap,
// runs of different indices may touch (also when two indices share a colour). Cells are decided
// as the picture has them, sometimes wrongly, or allow several values.
TEST(LineSolverOracle, RandomLinesOfOneOrSeveralColours) {
    LineSolver fast;
    std::mt19937 random(777);
    auto chance = [&random](double p) { return std::bernoulli_distribution(p)(random); };
    auto between = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    int compared = 0, contradictions = 0, failures = 0;
    const int samples = 12000;
    for (int i = 0; i < samples && failures < 5; ++i) {
        const int L = between(1, i % 4 == 0 ? kMaxLine : 50), indices = between(1, 4);
        // Index k has value valueOf[k]; value 0 is empty. Sometimes two indices share a value.
        std::vector<int> valueOf{0, 1};
        for (int k = 2; k <= indices; ++k) valueOf.push_back(chance(0.25) ? valueOf.back() : k);
        const double filled = between(2, 8) / 10.0, decided = between(3, 10) / 10.0;
        std::vector<int> picture(static_cast<std::size_t>(L));
        for (int& v : picture) v = chance(filled) ? between(1, indices) : 0;
        const ValueMask all = (ValueMask(1) << (indices + 1)) - 1;
        std::vector<ValueMask> cells(static_cast<std::size_t>(L));
        for (std::size_t p = 0; p < cells.size(); ++p) {
            const ValueMask own = ValueMask(1) << valueOf[std::size_t(picture[p])], any = ValueMask(between(0, int(all)));
            cells[p] = chance(decided) ? (chance(0.03) ? any : own) : chance(0.5) ? all : own | any;
        }
        const Verdict verdict = Compare(fast, cells, RunsOf(picture, valueOf), 2'000'000);
        // The fixed seed makes the sample number enough to find the line again.
        if (verdict == Verdict::Disagree) ADD_FAILURE() << "sample " << i;
        failures += verdict == Verdict::Disagree;
        compared += verdict != Verdict::Skipped;
        contradictions += verdict == Verdict::Contradiction;
    }
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(compared > samples * 9 / 10 && contradictions > samples / 20) << compared << " " << contradictions;  // contradictions too
    // Runs that cannot fit, one longer than the line among them, have no placement.
    for (int L : {10, 63, 64}) {
        const std::vector<ValueMask> open(std::size_t(L), 3);
        EXPECT_EQ(Compare(fast, open, {LineRun{L + 1, 1, 1}}, 1000), Verdict::Contradiction) << L;
        EXPECT_EQ(Compare(fast, open, {LineRun{70, 1, 1}, LineRun{1, 1, 1}}, 1000), Verdict::Contradiction) << L;
    }
}

}  // namespace
}  // namespace mosgrid
