// The fast line solver against the slow enumeration: every short line exhaustively, long and
// multi-colour lines by sampling.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "solver/core/LineSolver.h"
#include "tests/unit/LineOracles.h"

namespace mosgrid {
namespace {

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
    const int slow = test::PlacementUnion(cells, runs, expected, budget);
    if (slow < 0) return Verdict::Skipped;
    ValueMask possible[kMaxLine];
    const bool ok = fast.Solve(cells.data(), int(cells.size()), runs.data(), int(runs.size()), possible);
    if (ok != (slow == 1) || (ok && !std::equal(expected.begin(), expected.end(), possible))) return Verdict::Disagree;
    return ok ? Verdict::Solvable : Verdict::Contradiction;
}

// Cells allowing empty (1), filled (2) or both (3), as one letter each.
std::string Text(const std::vector<ValueMask>& cells) {
    std::string text;
    for (ValueMask c : cells) text += "?xF."[c & 3];
    return text;
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
            for (int p = 0; p < L && failures < 5;) {  // every assignment, as base-3 digits 1, 2, 3
                ++lines;
                if (Compare(fast, cells, runs, 1L << 40) == Verdict::Disagree) {
                    ++failures;
                    ADD_FAILURE() << "clues " << testing::PrintToString(clues) << " on " << Text(cells);
                }
                for (p = 0; p < L && cells[std::size_t(p)] == 3; ++p) cells[std::size_t(p)] = 1;
                if (p < L) ++cells[std::size_t(p)];
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(lines, 2'206'284);  // the sum over L of 3^L times the number of clue lists
}

TEST(LineSolverOracle, RandomLongLines) {
    LineSolver fast;
    std::mt19937 random(12345);
    int compared = 0, contradictions = 0, failures = 0;
    const int samples = 6000;
    for (int i = 0; i < samples && failures < 5; ++i) {
        const int L = std::uniform_int_distribution<int>(11, 50)(random);
        std::bernoulli_distribution filled(std::uniform_real_distribution<double>(0.2, 0.8)(random));
        std::bernoulli_distribution reveal(std::uniform_real_distribution<double>(0.3, 1.0)(random)), flip(0.02);
        std::vector<int> picture(static_cast<std::size_t>(L));
        std::vector<ValueMask> cells(static_cast<std::size_t>(L), 3);
        for (std::size_t p = 0; p < picture.size(); ++p) {
            picture[p] = filled(random);
            if (reveal(random)) cells[p] = (picture[p] ^ int(flip(random))) ? 2 : 1;
        }
        const Verdict verdict = Compare(fast, cells, RunsOf(picture, {0, 1}), 2'000'000);
        if (verdict == Verdict::Disagree) ADD_FAILURE() << "sample " << i << ": " << Text(cells);
        failures += verdict == Verdict::Disagree;
        compared += verdict != Verdict::Skipped;
        contradictions += verdict == Verdict::Contradiction;
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(compared, samples * 9 / 10);
    EXPECT_GT(contradictions, 50);  // the sample holds contradictory lines too
}

// Lines of several colours: runs of one palette index need a gap, runs of different indices may
// touch (also when two indices share a colour); cells may allow any set of values.
TEST(LineSolverOracle, RandomMultiColourLines) {
    LineSolver fast;
    std::mt19937 random(777);
    int failures = 0, contradictions = 0;
    for (int i = 0; i < 40000 && failures < 5; ++i) {
        const int L = std::uniform_int_distribution<int>(1, 10)(random);
        const int indices = std::uniform_int_distribution<int>(2, 4)(random);
        // Index k has value valueOf[k]; value 0 is empty. Sometimes two indices share a value.
        std::vector<int> valueOf{0, 1};
        for (int k = 2; k <= indices; ++k) valueOf.push_back(std::bernoulli_distribution(0.25)(random) ? valueOf.back() : k);
        std::vector<int> picture(static_cast<std::size_t>(L));
        for (int& v : picture) v = std::bernoulli_distribution(0.3)(random) ? 0 : std::uniform_int_distribution<int>(0, indices)(random);
        const ValueMask all = (ValueMask(1) << (indices + 1)) - 1;
        std::uniform_int_distribution<ValueMask> anySet(0, all);
        std::vector<ValueMask> cells(static_cast<std::size_t>(L));
        for (int p = 0; p < L; ++p) {
            const int kind = std::uniform_int_distribution<int>(0, 9)(random);
            const ValueMask own = ValueMask(1) << valueOf[std::size_t(picture[std::size_t(p)])];
            cells[std::size_t(p)] = kind < 4 ? all : kind < 7 ? own : kind < 9 ? own | anySet(random) : anySet(random);
        }
        const Verdict verdict = Compare(fast, cells, RunsOf(picture, valueOf), 1L << 40);
        // The fixed seed makes the sample number enough to find the line again.
        if (verdict == Verdict::Disagree) ADD_FAILURE() << "sample " << i;
        failures += verdict == Verdict::Disagree;
        contradictions += verdict == Verdict::Contradiction;
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(contradictions, 100);
}

}  // namespace
}  // namespace mosgrid
