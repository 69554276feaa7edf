// The fast line solver against the slow enumerations: every short line exhaustively, long and
// multi-colour lines by sampling.
#include <gtest/gtest.h>

#include <bit>
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

// Cell codes: 0 blank, 1 decided empty, 2 decided filled.
std::string Describe(const std::vector<int>& clues, const std::vector<int>& codes) {
    std::string s = "clues";
    for (int c : clues) s += " " + std::to_string(c);
    s += ", line ";
    for (int c : codes) s += ".xF"[c];
    return s;
}

// Runs both solvers on one line; returns false (and reports) on a disagreement.
bool Agree(LineSolver& fast, test::EnumeratedLine& slow, const std::vector<int>& clues, const std::vector<int>& codes,
           bool* skipped = nullptr) {
    const int L = int(codes.size());
    CellRecord cells[kMaxSide];
    ValueMask masks[kMaxSide];
    for (int p = 0; p < L; ++p) {
        const int code = codes[std::size_t(p)];
        cells[p] = code == 0 ? CellRecord{1, kWhite} : CellRecord{0, code == 1 ? kWhite : kFill};
        masks[p] = code == 0 ? 3 : (code == 1 ? 1 : 2);
    }
    LineRun runs[kMaxSlots];
    for (std::size_t j = 0; j < clues.size(); ++j) runs[j] = LineRun{clues[j], 1, 0};

    const bool slowOk = slow.Solve(cells, L, clues.data(), int(clues.size()));
    if (slow.exhausted()) {
        if (skipped) *skipped = true;
        return true;
    }
    ValueMask possible[kMaxSide];
    const bool fastOk = fast.Solve(masks, L, runs, int(clues.size()), possible);
    if (fastOk != slowOk) {
        ADD_FAILURE() << Describe(clues, codes) << ": enumeration " << slowOk << ", line solver " << fastOk;
        return false;
    }
    if (!fastOk) return true;
    for (int p = 0; p < L; ++p) {
        using O = test::EnumeratedLine::Outcome;
        O expected = slow.outcome(p);
        if (codes[std::size_t(p)] != 0) {
            // A decided cell keeps the one value it has.
            if (possible[p] != masks[p]) {
                ADD_FAILURE() << Describe(clues, codes) << ": decided cell " << p << " got " << possible[p];
                return false;
            }
            continue;
        }
        O got = possible[p] == 1 ? O::Empty : possible[p] == 2 ? O::Filled : O::Blank;
        if (possible[p] == 0 || got != expected) {
            ADD_FAILURE() << Describe(clues, codes) << ": cell " << p << " enumeration " << int(expected)
                          << ", line solver mask " << possible[p];
            return false;
        }
    }
    return true;
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
        std::vector<int> codes(static_cast<std::size_t>(L), 0);
        for (const auto& clues : lists) {
            std::fill(codes.begin(), codes.end(), 0);
            for (;;) {
                ++lines;
                if (!Agree(fast, slow, clues, codes) && ++failures >= 5) break;
                int p = 0;
                while (p < L && codes[std::size_t(p)] == 2) codes[std::size_t(p++)] = 0;
                if (p == L) break;
                ++codes[std::size_t(p)];
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(lines, 2'206'284);  // the sum over L of 3^L times the number of clue lists
}

// Ten cells: every clue list, with every assignment of at most three decided cells and a
// sample of the rest (all 3^10 assignments of all 144 lists take too long for a unit test).
TEST(LineSolverOracle, EveryClueListOfTenCells) {
    LineSolver fast;
    test::EnumeratedLine slow(kFill, 1L << 40);
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> code(0, 2);
    std::vector<std::vector<int>> lists;
    std::vector<int> current;
    ClueLists(10, current, lists);
    ASSERT_EQ(lists.size(), 144u);
    int failures = 0;
    for (const auto& clues : lists) {
        std::vector<int> codes(10, 0);
        for (int mask = 0; mask < 1 << 10 && failures < 5; ++mask) {
            if (std::popcount(unsigned(mask)) > 3) continue;
            std::vector<int> decided;
            for (int p = 0; p < 10; ++p) if (mask >> p & 1) decided.push_back(p);
            for (int values = 0; values < 1 << decided.size(); ++values) {
                std::fill(codes.begin(), codes.end(), 0);
                for (std::size_t i = 0; i < decided.size(); ++i) codes[std::size_t(decided[i])] = 1 + (values >> i & 1);
                if (!Agree(fast, slow, clues, codes)) ++failures;
            }
        }
        for (int i = 0; i < 3000 && failures < 5; ++i) {
            for (int& c : codes) c = code(random);
            if (!Agree(fast, slow, clues, codes)) ++failures;
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(LineSolverOracle, RandomLongLines) {
    LineSolver fast;
    test::EnumeratedLine slow(kFill, 2'000'000);
    std::mt19937 random(12345);
    int compared = 0;
    int contradictions = 0;
    int failures = 0;
    const int samples = 6000;
    for (int i = 0; i < samples && failures < 5; ++i) {
        const int L = std::uniform_int_distribution<int>(11, 50)(random);
        const double density = std::uniform_real_distribution<double>(0.2, 0.8)(random);
        const double known = std::uniform_real_distribution<double>(0.3, 1.0)(random);
        std::bernoulli_distribution filled(density), reveal(known), flip(0.02);
        std::vector<int> picture(static_cast<std::size_t>(L)), codes(static_cast<std::size_t>(L), 0), clues;
        for (int p = 0; p < L; ++p) picture[std::size_t(p)] = filled(random);
        for (int p = 0; p < L;) {
            if (!picture[std::size_t(p)]) { ++p; continue; }
            int q = p;
            while (q < L && picture[std::size_t(q)]) ++q;
            clues.push_back(q - p);
            p = q;
        }
        for (int p = 0; p < L; ++p) {
            if (!reveal(random)) continue;
            const int value = picture[std::size_t(p)] ^ int(flip(random));
            codes[std::size_t(p)] = value ? 2 : 1;
        }
        bool skipped = false;
        if (!Agree(fast, slow, clues, codes, &skipped)) ++failures;
        if (skipped) continue;
        ++compared;
        ValueMask masks[kMaxSide], possible[kMaxSide];
        LineRun runs[kMaxSlots];
        for (int p = 0; p < L; ++p) masks[p] = codes[std::size_t(p)] == 0 ? 3 : ValueMask(codes[std::size_t(p)]);
        for (std::size_t j = 0; j < clues.size(); ++j) runs[j] = LineRun{clues[j], 1, 0};
        if (!fast.Solve(masks, L, runs, int(clues.size()), possible)) ++contradictions;
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
    int failures = 0;
    int contradictions = 0;
    const int samples = 40000;
    for (int i = 0; i < samples && failures < 5; ++i) {
        const int L = std::uniform_int_distribution<int>(1, 10)(random);
        const int indices = std::uniform_int_distribution<int>(2, 4)(random);
        // Index k has value valueOf[k]; value 0 is empty. Sometimes two indices share a value.
        std::vector<int> valueOf{0};
        for (int k = 1; k <= indices; ++k) {
            valueOf.push_back(k > 1 && std::bernoulli_distribution(0.25)(random) ? valueOf[std::size_t(k - 1)] : k);
        }
        std::uniform_int_distribution<int> pick(0, indices);
        std::vector<int> picture(static_cast<std::size_t>(L));
        for (int& v : picture) v = std::bernoulli_distribution(0.3)(random) ? 0 : pick(random);
        std::vector<LineRun> runs;
        for (int p = 0; p < L;) {
            const int index = picture[std::size_t(p)];
            int q = p;
            while (q < L && picture[std::size_t(q)] == index) ++q;
            if (index != 0) runs.push_back(LineRun{q - p, valueOf[std::size_t(index)], index});
            p = q;
        }
        const ValueMask all = (ValueMask(1) << (indices + 1)) - 1;
        std::vector<ValueMask> cells(static_cast<std::size_t>(L));
        for (int p = 0; p < L; ++p) {
            const int kind = std::uniform_int_distribution<int>(0, 9)(random);
            const ValueMask own = ValueMask(1) << valueOf[std::size_t(picture[std::size_t(p)])];
            if (kind < 4) cells[std::size_t(p)] = all;
            else if (kind < 7) cells[std::size_t(p)] = own;
            else if (kind < 9) cells[std::size_t(p)] = own | (std::uniform_int_distribution<ValueMask>(0, all)(random));
            else cells[std::size_t(p)] = std::uniform_int_distribution<ValueMask>(0, all)(random);
        }
        test::PlacementUnion slow(cells, runs);
        const bool slowOk = slow.Solve();
        ValueMask possible[kMaxSide];
        const bool fastOk = fast.Solve(cells.data(), L, runs.data(), int(runs.size()), possible);
        if (!fastOk) ++contradictions;
        bool same = fastOk == slowOk;
        for (int p = 0; same && fastOk && p < L; ++p) same = possible[p] == slow.possible()[std::size_t(p)];
        if (!same) {
            ++failures;
            std::string cellText, runText;
            for (ValueMask m : cells) cellText += std::to_string(m) + " ";
            for (const LineRun& r : runs) {
                runText += std::to_string(r.length) + "/" + std::to_string(r.value) + "/" + std::to_string(r.colourIndex) + " ";
            }
            ADD_FAILURE() << "cells " << cellText << "runs " << runText << "ok " << slowOk << " vs " << fastOk;
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(contradictions, 100);
}

TEST(LineSolver, ManyShortRunsOnABlankLongLine) {
    // 17 runs of 1 in 50 cells: billions of placements for an enumeration, nothing decided.
    LineSolver fast;
    ValueMask cells[kMaxSide], possible[kMaxSide];
    for (ValueMask& m : cells) m = 3;
    LineRun runs[kMaxSlots];
    for (int j = 0; j < 17; ++j) runs[j] = LineRun{1, 1, 0};
    ASSERT_TRUE(fast.Solve(cells, 50, runs, 17, possible));
    for (int p = 0; p < 50; ++p) EXPECT_EQ(possible[p], 3u) << p;
    // 25 runs of 2 with gaps fill 74 cells: no room in 50.
    for (int j = 0; j < 25; ++j) runs[j] = LineRun{2, 1, 0};
    EXPECT_FALSE(fast.Solve(cells, 50, runs, 25, possible));
    // 50 runs of 1 alternating two indices of two colours: exactly one line.
    for (int j = 0; j < 50; ++j) runs[j] = LineRun{1, 1 + j % 2, 1 + j % 2};
    for (ValueMask& m : cells) m = 7;
    ASSERT_TRUE(fast.Solve(cells, 50, runs, 50, possible));
    for (int p = 0; p < 50; ++p) EXPECT_EQ(possible[p], ValueMask(1) << (1 + p % 2)) << p;
}

}  // namespace
}  // namespace mosgrid
