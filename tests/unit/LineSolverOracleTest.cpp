// The fast line solver against the slow enumerations: every short line exhaustively, long and
// multi-colour lines by sampling.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "solver/core/LineSolver.h"
#include "tests/unit/LineOracles.h"

namespace mosgrid {
namespace {

constexpr COLORREF kFill = 0x2080C0;

void ClueLists(int room, std::vector<int>& current, std::vector<std::vector<int>>& out) {
    out.push_back(current);
    for (int length = 1; length <= room; ++length) {
        current.push_back(length);
        ClueLists(room - length - 1, current, out);
        current.pop_back();
    }
}

enum class Verdict { Disagree, Skipped, Solvable, Contradiction };

// Runs both solvers on one line of cell codes (0 blank, 1 decided empty, 2 decided filled).
Verdict Compare(LineSolver& fast, test::EnumeratedLine& slow, const std::vector<int>& clues, const std::vector<int>& codes) {
    const int L = int(codes.size());
    CellRecord cells[kMaxSide];
    ValueMask masks[kMaxSide], possible[kMaxSide];
    LineRun runs[kMaxSlots];
    for (int p = 0; p < L; ++p) {
        const int code = codes[std::size_t(p)];
        cells[p] = code == 0 ? CellRecord{1, kWhite} : CellRecord{0, code == 1 ? kWhite : kFill};
        masks[p] = code == 0 ? 3 : ValueMask(code);
    }
    for (std::size_t j = 0; j < clues.size(); ++j) runs[j] = LineRun{clues[j], 1, 0};
    const bool slowOk = slow.Solve(cells, L, clues);
    if (slow.exhausted()) return Verdict::Skipped;
    const bool fastOk = fast.Solve(masks, L, runs, int(clues.size()), possible);
    // A decided cell keeps the one value it has; a blank one is decided as the enumeration does.
    int wrong = fastOk == slowOk ? -1 : L;
    for (int p = 0; wrong < 0 && fastOk && p < L; ++p)
        if (possible[p] != (codes[std::size_t(p)] != 0 ? masks[p] : slow.Decided(p))) wrong = p;
    if (wrong < 0) return fastOk ? Verdict::Solvable : Verdict::Contradiction;
    std::string text;
    for (int c : clues) text += std::to_string(c) + " ";
    for (int c : codes) text += ".xF"[c];
    ADD_FAILURE() << "clues and line " << text << ": enumeration " << slowOk << ", line solver " << fastOk << ", first wrong cell " << wrong;
    return Verdict::Disagree;
}

TEST(LineSolverOracle, EveryLineUpToNineCellsWithEveryClueListAndEveryPartialAssignment) {
    LineSolver fast;
    test::EnumeratedLine slow(kFill, 1L << 40);
    long lines = 0;
    int failures = 0;
    for (int L = 1; L <= 9 && failures < 5; ++L) {
        std::vector<std::vector<int>> lists;
        std::vector<int> current;
        ClueLists(L, current, lists);
        for (const auto& clues : lists) {
            std::vector<int> codes(static_cast<std::size_t>(L), 0);
            for (int p = 0; p < L && failures < 5;) {  // every codes vector, as base-3 digits
                ++lines;
                failures += Compare(fast, slow, clues, codes) == Verdict::Disagree;
                for (p = 0; p < L && codes[std::size_t(p)] == 2; ++p) codes[std::size_t(p)] = 0;
                if (p < L) ++codes[std::size_t(p)];
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(lines, 2'206'284);  // the sum over L of 3^L times the number of clue lists
}

TEST(LineSolverOracle, RandomLongLines) {
    LineSolver fast;
    test::EnumeratedLine slow(kFill, 2'000'000);
    std::mt19937 random(12345);
    int compared = 0, contradictions = 0, failures = 0;
    const int samples = 6000;
    for (int i = 0; i < samples && failures < 5; ++i) {
        const int L = std::uniform_int_distribution<int>(11, 50)(random);
        std::bernoulli_distribution filled(std::uniform_real_distribution<double>(0.2, 0.8)(random));
        std::bernoulli_distribution reveal(std::uniform_real_distribution<double>(0.3, 1.0)(random)), flip(0.02);
        std::vector<int> picture(static_cast<std::size_t>(L)), codes(static_cast<std::size_t>(L), 0), clues;
        for (int& v : picture) v = filled(random);
        for (int p = 0; p < L; ++p) {
            if (picture[std::size_t(p)] && (p == 0 || !picture[std::size_t(p - 1)])) clues.push_back(0);
            if (picture[std::size_t(p)]) ++clues.back();
            if (reveal(random)) codes[std::size_t(p)] = (picture[std::size_t(p)] ^ int(flip(random))) ? 2 : 1;
        }
        const Verdict verdict = Compare(fast, slow, clues, codes);
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
        std::vector<LineRun> runs;
        for (int p = 0; p < L; ++p) {
            const int index = picture[std::size_t(p)];
            if (index != 0 && (p == 0 || picture[std::size_t(p - 1)] != index)) runs.push_back(LineRun{0, valueOf[std::size_t(index)], index});
            if (index != 0) ++runs.back().length;
        }
        const ValueMask all = (ValueMask(1) << (indices + 1)) - 1;
        std::uniform_int_distribution<ValueMask> anySet(0, all);
        std::vector<ValueMask> cells(static_cast<std::size_t>(L));
        for (int p = 0; p < L; ++p) {
            const int kind = std::uniform_int_distribution<int>(0, 9)(random);
            const ValueMask own = ValueMask(1) << valueOf[std::size_t(picture[std::size_t(p)])];
            cells[std::size_t(p)] = kind < 4 ? all : kind < 7 ? own : kind < 9 ? own | anySet(random) : anySet(random);
        }
        std::vector<ValueMask> union_;
        const bool slowOk = test::PlacementUnion(cells, runs, union_);
        ValueMask possible[kMaxSide];
        const bool fastOk = fast.Solve(cells.data(), L, runs.data(), int(runs.size()), possible);
        contradictions += !fastOk;
        if (fastOk != slowOk || (fastOk && !std::equal(union_.begin(), union_.end(), possible))) {
            ++failures;  // the fixed seed makes the sample number enough to find the line again
            ADD_FAILURE() << "sample " << i << ": enumeration " << slowOk << ", line solver " << fastOk;
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(contradictions, 100);
}

}  // namespace
}  // namespace mosgrid
