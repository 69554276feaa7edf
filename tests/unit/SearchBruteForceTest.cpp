// SPDX-License-Identifier: GPL-3.0-or-later
// The search against brute force (every grid of a small puzzle tried against the clues, the
// solutions listed in lexicographic order: row-major, empty before filled), and line passes and
// searches on hand-made boards for what brute force cannot see.
#include <gtest/gtest.h>

#include <map>

#include "solver/core/SolvePuzzle.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kFill = 0x3366CC;
using test::BoardFromText;

// Records what the search does to the progress.
class RecordingProgress final : public CSolveProgress {
public:
    void SetRange(std::uint32_t) override {}
    void SetPos(std::uint32_t position) override { position_ = position, putBack.push_back(position); }
    std::uint32_t GetPos() override { return position_; }
    void StepIt() override { ++position_, ++steps; }
    std::vector<std::uint32_t> putBack;
    int steps = 0;

private:
    std::uint32_t position_ = 0;
};

TEST(Search, ProgressCountsDeducedCellsOfTheBranchAndIsPutBackAfterEachGuessBranch) {
    // Lines decide rows 2 and 3 (four cells); rows 0 and 1 hold one of two permutations, so the
    // guess at (0, 0) opens two branches that each decide three cells.
    auto model = BoardFromText({"1.", ".1", "..", "11"}, {kWhite, kBlack});
    RecordingProgress progress;
    const SolveResult result = SolvePuzzle(*model, progress);
    ASSERT_EQ(result.count, 2);
    EXPECT_FALSE(result.linesAlone);
    EXPECT_EQ(progress.putBack, std::vector<std::uint32_t>{4});
    EXPECT_EQ(progress.GetPos(), 7u);
    EXPECT_EQ(progress.steps, 10);  // trying values out of the branch steps nothing
}

TEST(Search, RunsOfOneColourInTwoPaletteEntriesMayTouch) {
    auto model = BoardFromText({"1122", "...."}, {kWhite, kBlack, kBlack});
    ASSERT_EQ(model->picture.colourCount, 2);
    CountingProgress progress;
    const SolveResult result = SolvePuzzle(*model, progress);
    ASSERT_EQ(result.count, 1);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(result.variants[0][std::size_t(i)].colour, i < 4 ? kBlack : kWhite) << i;
}

// The clues of every row, then every column, of a grid (1 = filled) as text.
std::string Signature(const std::vector<int>& grid, int cols, int rows) {
    std::string s;
    auto line = [&](int length, auto at) {
        for (int p = 0; p <= length; ++p) s += p < length && at(p) ? "#" : p > 0 && at(p - 1) ? " " : "";
        s += '|';
    };
    for (int r = 0; r < rows; ++r) line(cols, [&](int c) { return grid[std::size_t(r * cols + c)]; });
    for (int c = 0; c < cols; ++c) line(rows, [&](int r) { return grid[std::size_t(r * cols + c)]; });
    return s;
}

// Solves the picture `grid` with the fill colour in palette entry 0 or 1 (neither is black) and
// compares the stored variants with `expected`.
void ExpectVariants(const std::vector<int>& grid, int cols, int rows, bool fillFirst, const std::vector<std::vector<int>>& expected) {
    std::vector<std::string> text(static_cast<std::size_t>(rows));
    for (std::size_t i = 0; i < grid.size(); ++i) text[i / std::size_t(cols)] += ".1"[grid[i] != int(fillFirst)];
    auto model = BoardFromText(text, fillFirst ? std::vector<COLORREF>{kFill, kWhite} : std::vector<COLORREF>{kWhite, kFill});
    ASSERT_TRUE(model);
    CountingProgress progress;
    const SolveResult result = SolvePuzzle(*model, progress);
    ASSERT_EQ(std::size_t(result.count), expected.size()) << Signature(grid, cols, rows);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        for (std::size_t i = 0; i < grid.size(); ++i) {
            const CellRecord& cell = result.variants[k][i];
            ASSERT_TRUE(cell.state == 0 && cell.colour == (expected[k][i] ? kFill : kWhite))
                << Signature(grid, cols, rows) << " variant " << k << " cell " << i;
        }
    }
}

TEST(SearchBruteForce, EveryTwoColourPuzzleUpToFourByFour) {
    long puzzles = 0;
    for (int rows = 1; rows <= 4; ++rows) {
        for (int cols = 1; cols <= 4; ++cols) {
            // Every grid in lexicographic order (cell 0 the most significant bit), by its clues.
            const int cells = cols * rows;
            std::map<std::string, std::vector<std::vector<int>>> solutions;
            for (long n = 0; n < 1L << cells; ++n) {
                std::vector<int> grid(static_cast<std::size_t>(cells));
                for (int i = 0; i < cells; ++i) grid[std::size_t(i)] = int(n >> (cells - 1 - i) & 1);
                solutions[Signature(grid, cols, rows)].push_back(std::move(grid));
            }
            for (const auto& [signature, grids] : solutions) {
                ExpectVariants(grids.front(), cols, rows, (cols + rows) % 2 == 0, grids);
                ++puzzles;
                if (HasFatalFailure()) return;
            }
        }
    }
    EXPECT_GT(puzzles, 10000);
}

}  // namespace
}  // namespace mosgrid
