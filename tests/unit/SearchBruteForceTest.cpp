// The search against brute force: every grid of a small puzzle tried against the clues, the
// solutions listed in lexicographic order (row-major, empty before the colours in the order of
// the picture's colour list).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>

#include "solver/core/SolvePuzzle.h"
#include "tests/unit/SolverTestBoards.h"

namespace mosgrid {
namespace {

constexpr COLORREF kFill = 0x3366CC;

// The runs of every row, then every column, of a grid of values (0 = empty), by value.
std::string Signature(const std::vector<int>& grid, int cols, int rows) {
    std::string s;
    auto line = [&](int length, auto at) {
        for (int p = 0; p < length;) {
            const int v = at(p);
            int q = p;
            while (q < length && at(q) == v) ++q;
            if (v != 0) s += char('a' + v) + std::to_string(q - p);
            p = q;
        }
        s += '|';
    };
    for (int r = 0; r < rows; ++r) line(cols, [&](int c) { return grid[std::size_t(r * cols + c)]; });
    for (int c = 0; c < cols; ++c) line(rows, [&](int r) { return grid[std::size_t(r * cols + c)]; });
    return s;
}

// Grid number n in lexicographic order: cell 0 is the most significant digit.
std::vector<int> GridOf(long n, int cells, int base) {
    std::vector<int> grid(static_cast<std::size_t>(cells));
    for (int i = cells - 1; i >= 0; --i, n /= base) grid[std::size_t(i)] = int(n % base);
    return grid;
}

// Solves the picture whose pixels are `grid` (value v drawn in palette entry index[v]) and
// compares the stored variants with `expected`, given as grids of values.
void ExpectVariants(const std::vector<int>& grid, int cols, int rows, const std::vector<COLORREF>& palette,
                    const std::vector<int>& index, const std::vector<std::vector<int>>& expected) {
    Picture4 picture;
    picture.width = cols;
    picture.height = rows;
    picture.palette = palette;
    for (int v : grid) picture.indices.push_back(std::uint8_t(index[std::size_t(v)]));
    auto model = test::BoardFromPicture(picture);
    ASSERT_TRUE(model);
    CountingProgress progress;
    const SolveResult result = SolvePuzzle(*model, progress);
    const std::size_t want = std::min<std::size_t>(expected.size(), kMaxVariants);
    ASSERT_EQ(std::size_t(result.count), want) << Signature(grid, cols, rows);
    EXPECT_EQ(result.storeFull, expected.size() >= std::size_t(kMaxVariants));
    EXPECT_EQ(result.linesAlone, result.guesses == 0 && want == 1);
    for (std::size_t k = 0; k < want; ++k) {
        for (std::size_t i = 0; i < grid.size(); ++i) {
            const CellRecord& cell = model->variants[k][i];
            ASSERT_EQ(cell.state, 0);
            ASSERT_EQ(cell.colour, palette[std::size_t(index[std::size_t(expected[k][i])])])
                << Signature(grid, cols, rows) << " variant " << k << " cell " << i;
        }
    }
}

TEST(SearchBruteForce, EveryTwoColourPuzzleUpToFourByFour) {
    long puzzles = 0;
    for (int rows = 1; rows <= 4; ++rows) {
        for (int cols = 1; cols <= 4; ++cols) {
            const int cells = cols * rows;
            // Solutions of every clue set, in lexicographic order.
            std::map<std::string, std::vector<std::vector<int>>> solutions;
            for (long n = 0; n < 1L << cells; ++n) {
                std::vector<int> grid = GridOf(n, cells, 2);
                solutions[Signature(grid, cols, rows)].push_back(std::move(grid));
            }
            // The fill colour sits in entry 0 or entry 1 by turns; neither is black.
            const bool fillFirst = (cols + rows) % 2 == 0;
            const std::vector<COLORREF> palette = fillFirst ? std::vector<COLORREF>{kFill, kWhite}
                                                            : std::vector<COLORREF>{kWhite, kFill};
            const std::vector<int> index = fillFirst ? std::vector<int>{1, 0} : std::vector<int>{0, 1};
            for (const auto& [signature, grids] : solutions) {
                ExpectVariants(grids.front(), cols, rows, palette, index, grids);
                ++puzzles;
                if (HasFatalFailure()) return;
            }
        }
    }
    EXPECT_GT(puzzles, 10000);
}

TEST(SearchBruteForce, PictureOfWhiteAndSeveralColours) {
    std::mt19937 random(99);
    const std::vector<COLORREF> palette{kWhite, 0x0000FF, 0x00FF00, 0xFF0000};
    int puzzles = 0;
    for (int colours : {2, 3}) {
        const int cols = colours == 2 ? 3 : 4;
        const int rows = colours == 2 ? 3 : 2;
        const int cells = cols * rows;
        for (int sample = 0; sample < 25; ++sample) {
            std::vector<int> picture(static_cast<std::size_t>(cells));
            for (int& v : picture) v = std::uniform_int_distribution<int>(0, colours)(random);
            // Values in the order of the picture's colour list: white first, then the colours
            // as they first appear row by row.
            std::vector<int> order{0};
            for (int v : picture) {
                if (v != 0 && std::find(order.begin(), order.end(), v) == order.end()) order.push_back(v);
            }
            std::vector<int> index(order.size());
            for (std::size_t k = 0; k < order.size(); ++k) index[k] = order[k];
            std::vector<int> asValues(picture.size());
            for (std::size_t i = 0; i < picture.size(); ++i) {
                asValues[i] = int(std::find(order.begin(), order.end(), picture[i]) - order.begin());
            }
            const int base = int(order.size());
            long count = 1;
            for (int i = 0; i < cells; ++i) count *= base;
            const std::string want = Signature(asValues, cols, rows);
            std::vector<std::vector<int>> expected;
            for (long n = 0; n < count && expected.size() < std::size_t(kMaxVariants); ++n) {
                std::vector<int> grid = GridOf(n, cells, base);
                if (Signature(grid, cols, rows) == want) expected.push_back(std::move(grid));
            }
            ExpectVariants(asValues, cols, rows, palette, index, expected);
            ++puzzles;
            if (HasFatalFailure()) return;
        }
    }
    EXPECT_EQ(puzzles, 50);
}

TEST(SearchBruteForce, PermutationMatricesHaveFactorialSolutions) {
    for (int n = 1; n <= 6; ++n) {
        // Permutations with the filled cell of the first row as far right as possible first:
        // that is lexicographic order of the grids, empty before filled.
        std::vector<int> p(static_cast<std::size_t>(n));
        std::iota(p.rbegin(), p.rend(), 0);
        std::vector<std::vector<int>> expected;
        do {
            std::vector<int> grid(static_cast<std::size_t>(n * n), 0);
            for (int r = 0; r < n; ++r) grid[std::size_t(r * n + p[std::size_t(r)])] = 1;
            expected.push_back(std::move(grid));
        } while (std::prev_permutation(p.begin(), p.end()));
        ASSERT_EQ(expected.size(), std::size_t(std::tgamma(n + 1) + 0.5));
        ExpectVariants(expected.back(), n, n, {kWhite, kFill}, {0, 1}, expected);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace mosgrid
