// SPDX-License-Identifier: GPL-3.0-or-later
// The search against brute force (solutions in lexicographic order, empty before filled), its
// progress, the same results on any number of threads and on the check's thread, and its stop.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <future>
#include <map>
#include <random>

#include "catalogue/core/PictureFiles.h"
#include "import/core/TimedSearch.h"
#include "solver/core/BackgroundSearch.h"
#include "solver/core/ProgressTracker.h"
#include "solver/core/SolutionSearch.h"
#include "solver/core/SolvePuzzle.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kFill = 0x3366CC;
using test::BoardFromText;

// One colour on white ('1' filled); Permutation(n): one run of 1 in every line, n! solutions.
Picture4 Grid(const std::vector<std::string>& rows) { return test::PictureFromText(rows, {kWhite, kBlack}); }
std::vector<std::string> Permutation(int n) {
    std::vector<std::string> rows(std::size_t(n), std::string(std::size_t(n), '.'));
    for (int i = 0; i < n; ++i) rows[std::size_t(i)][std::size_t(i)] = '1';
    return rows;
}

// Records what the search does to the progress.
struct RecordingProgress final : CSolveProgress {
    void SetRange(std::uint32_t) override {}
    void SetPos(std::uint32_t to) override { position = to, putBack.push_back(to); }
    std::uint32_t GetPos() override { return position; }
    void StepIt() override { ++position, ++steps; }
    std::vector<std::uint32_t> putBack;
    std::uint32_t position = 0;
    int steps = 0;
};

TEST(Search, ProgressCountsDeducedCellsOfTheBranchAndIsPutBackAfterEachGuessBranch) {
    // Lines decide rows 2 and 3 (four cells); rows 0 and 1 hold one of two permutations, so the
    // guess at (0, 0) opens two branches that each decide three cells.
    RecordingProgress progress;
    const SolveResult result = SolvePuzzle(*BoardFromText({"1.", ".1", "..", "11"}, {kWhite, kBlack}), progress);
    ASSERT_TRUE(result.count == 2 && !result.linesAlone);
    EXPECT_EQ(progress.putBack, std::vector<std::uint32_t>{4});
    EXPECT_TRUE(progress.GetPos() == 7u && progress.steps == 10);  // trying values out of the branch steps nothing
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

// Solves `grid` with the fill colour in palette entry 0 or 1; the variants must be `expected`.
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

class Collect final : public SearchObserver {
public:
    explicit Collect(long max) : max_(max) {}
    bool SolutionFound(const std::vector<ValueMask>& cells) override {
        grids.push_back(cells);
        return long(grids.size()) < max_;
    }
    void LinePassed() override {
        if (++passes == 1000) started.set_value();
    }
    bool StopRequested() override { return stop.load(); }
    std::vector<std::vector<ValueMask>> grids;
    long passes = 0;
    std::promise<void> started;
    std::atomic<bool> stop{false};

private:
    long max_;
};

TEST(SolutionSearch, OneTwoAndFourThreadsFindTheSame) {
    std::vector<Puzzle> puzzles{PuzzleFromPicture(Grid(Permutation(7)))};
    std::mt19937 random(7);
    for (int n = 0; n < 4; ++n) {  // random grids of 16 x 16 and 18 x 18: a few with many solutions
        std::vector<std::string> rows(std::size_t(16 + n % 2 * 2));
        for (std::string& row : rows)
            while (row.size() < rows.size()) row += random() % 100 < 45 ? '1' : '.';
        puzzles.push_back(PuzzleFromPicture(Grid(rows)));
    }
    int over = 0;
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        for (long max : {2L, 100L}) {
            std::vector<std::vector<ValueMask>> first;
            for (int threads : {1, 2, 4}) {
                SolutionSearchOptions options;
                options.threads = threads;
                options.threadsAfter = std::chrono::microseconds(0);  // split from the first guesses on
                Collect collect(max);
                const SolutionSearchResult result = FindSolutions(puzzles[i], {}, max, collect, options);
                EXPECT_TRUE(result.found == long(collect.grids.size()) && result.capped == (result.found >= max));
                if (threads == 1) {
                    first = collect.grids;
                    ASSERT_TRUE(std::is_sorted(first.begin(), first.end()));
                    over += result.capped;
                } else {
                    ASSERT_EQ(collect.grids, first) << "puzzle " << i << ", max " << max << ", " << threads << " threads";
                }
            }
        }
    }
    EXPECT_GE(over, 3);
}

// The search that branches freely and sorts what it found gives the same variants, in the same
// order and under the same cap, as the search that branches in order: random pictures of one to
// four colours (white included), 4 x 4 to 9 x 9, sparse and dense, capped at 1, 3 and 100.
TEST(SolutionSearch, FreeAndOrderedSearchesAgreeOnPicturesOfEveryKind) {
    std::mt19937 random(23);
    const std::vector<COLORREF> palette{kWhite, kBlack, kFill, 0x22AA22};
    int capped = 0, colour = 0;
    for (int i = 0; i < 300; ++i) {
        const int colours = 2 + i % 3, width = 4 + int(random() % 6), height = 4 + int(random() % 6);
        const int density = 30 + int(random() % 50);
        std::vector<std::string> rows(static_cast<std::size_t>(height));
        for (std::string& row : rows)
            while (int(row.size()) < width) row += random() % 100 < unsigned(density) ? char('1' + random() % (colours - 1)) : '.';
        const Puzzle puzzle = PuzzleFromPicture(test::PictureFromText(rows, palette));
        const long max = std::array{1L, 3L, 100L}[std::size_t(i / 3 % 3)];
        std::vector<std::vector<ValueMask>> found[2];
        for (bool freeFirst : {false, true}) {
            SolutionSearchOptions options;
            options.freeFirst = freeFirst;
            options.search.judgeAfter = 0;  // the search in order judges every subtree
            Collect collect(max);
            const SolutionSearchResult result = FindSolutions(puzzle, {}, max, collect, options);
            ASSERT_EQ(result.found, long(collect.grids.size()));
            found[freeFirst] = collect.grids;
            capped += freeFirst && result.capped && max > 1;
        }
        ASSERT_EQ(found[1], found[0]) << "picture " << i << ", max " << max;
        colour += puzzle.valueCount > 2;
    }
    EXPECT_GE(capped, 10);
    EXPECT_GE(colour, 150);
}

// The search in order skips beginnings it has seen lead nowhere, and subtrees that a search in
// free order finds empty: the same first 100 solutions with and without, on random 20 x 20
// pictures where it has something to skip.
TEST(SolutionSearch, SkippingEmptySubtreesKeepsTheSolutions) {
    long skipped = 0;
    for (unsigned seed : {8u, 9u, 12u}) {
        std::mt19937 random(seed);
        std::vector<std::string> rows(20);
        for (std::string& row : rows)
            while (row.size() < 20) row += random() % 100 < 42 ? '1' : '.';
        const Puzzle puzzle = PuzzleFromPicture(Grid(rows));
        std::vector<std::vector<ValueMask>> found[3];
        long guesses[2] = {0, 0};
        for (int skip : {0, 1, 2}) {
            SolutionSearchOptions options;
            options.freeFirst = skip == 2;  // judging too
            options.search.deadPrefixes = skip > 0;
            options.search.judgeAfter = 0;
            Collect collect(100);
            const long g = FindSolutions(puzzle, {}, 100, collect, options).guesses;
            if (skip < 2) guesses[skip] = g;
            found[skip] = collect.grids;
        }
        ASSERT_EQ(found[1], found[0]) << "seed " << seed;
        ASSERT_EQ(found[2], found[0]) << "seed " << seed;
        skipped += guesses[0] - guesses[1];
    }
    EXPECT_GT(skipped, 0);
}

TEST(SolutionSearch, AStopEndsEveryThread) {
    // 12! solutions: counting them never ends by itself.
    const Puzzle puzzle = PuzzleFromPicture(Grid(Permutation(12)));
    for (bool countOnly : {true, false}) {
        SolutionSearchOptions options;
        options.threads = 4;
        options.threadsAfter = std::chrono::microseconds(0);
        options.countOnly = countOnly;
        Collect collect(1L << 40);
        std::future<void> started = collect.started.get_future();
        auto search = std::async(std::launch::async, [&] { return FindSolutions(puzzle, {}, 1L << 40, collect, options); });
        ASSERT_EQ(started.wait_for(std::chrono::minutes(2)), std::future_status::ready);
        collect.stop = true;
        ASSERT_EQ(search.wait_for(std::chrono::minutes(2)), std::future_status::ready) << "the search did not stop";
        EXPECT_TRUE(search.get().stopped);
    }
}

std::string Bytes(const BoardModel::Cells& cells) {
    std::string out(cells.size() * sizeof(CellRecord), '\0');
    if (!cells.empty()) std::memcpy(out.data(), cells.data(), out.size());
    return out;
}

// Every bundled puzzle is among the boards, and must have exactly one solution.
TEST(BackgroundSearch, FindsWhatTheSearchOnTheBoardFindsAndLeavesTheBoardAlone) {
    std::vector<std::unique_ptr<BoardModel>> boards;
    boards.push_back(BoardFromText({"..1", ".11", "111"}, {kBlack, kRed}));
    boards.push_back(test::BoardFromPicture(Grid(Permutation(2))));
    boards.back()->RowClue(0, 0).length = 2;  // clues of no picture: no solution
    // 7! solutions, of which the store keeps the first hundred.
    boards.push_back(test::BoardFromPicture(Grid(Permutation(7))));
    const std::size_t made = boards.size();
    for (const auto& entry : std::filesystem::directory_iterator(MOSGRID_SOURCE_DIR "/puzzles/src")) {
        if (entry.path().extension() != ".txt") continue;  // each source became a picture of the game
        auto picture = std::filesystem::path(MOSGRID_GAME_DIR) / entry.path().filename().replace_extension(".bmp");
        auto board = std::make_unique<BoardModel>();
        ASSERT_TRUE(board->Setup(picture, u"p") && IsPuzzlePicture(board->picture)) << picture << " (build the game)";
        board->Reset();
        boards.push_back(std::move(board));
    }
    ASSERT_GE(boards.size(), made + 60);
    std::vector<SolveResult> results;
    for (std::size_t i = 0; i < boards.size(); ++i) {
        SCOPED_TRACE(i);
        BoardModel& board = *boards[i];
        const std::string blank = Bytes(board.cells);
        BackgroundSearch search(board);
        search.Wait();
        EXPECT_EQ(Bytes(board.cells), blank);
        CountingProgress progress;
        const SolveResult expected = SolvePuzzle(board, progress);
        const SolveResult& found = search.Result();
        EXPECT_TRUE(found.count == expected.count && found.storeFull == expected.storeFull && !found.stopped);
        EXPECT_TRUE(i < made || expected.count == 1) << "a bundled puzzle with " << expected.count << " solutions";
        ASSERT_EQ(found.variants.size(), expected.variants.size());
        for (std::size_t v = 0; v < expected.variants.size(); ++v)
            EXPECT_EQ(Bytes(found.variants[v]), Bytes(expected.variants[v])) << "variant " << v;
        EXPECT_EQ(Bytes(found.cells), Bytes(expected.cells));
        results.push_back(expected);
    }
    // The store of the 7 x 7 board holds the first hundred in order: first the anti-diagonal.
    const SolveResult& square = results[made - 1];
    ASSERT_EQ(square.variants.size(), std::size_t(kMaxVariants));
    EXPECT_TRUE(square.variants[0][6].colour == kBlack && square.variants[0][42].colour == kBlack);
}

// The check's dialog shows once, more than a second after the range was set, across a clock wrap;
// a step past the range starts again from 0. (That the bar moves is the check dialog's test.)
TEST(ProgressTracker, ShowsOnceMoreThanOneSecondAfterTheRangeWasSetAcrossAClockWrap) {
    ProgressTracker t(5000);
    t.SetRange(10, 0xFFFFFF00u);  // the range restarts the clock, 256 ms before it wraps
    EXPECT_FALSE(t.SetPos(1, 0xFFFFFFF0u).show);
    EXPECT_FALSE(t.SetPos(2, 0x2E8u).show);  // exactly one second: not yet
    EXPECT_TRUE(t.SetPos(2, 0x2E9u).show);
    EXPECT_FALSE(t.SetPos(10, 0x5000u).show);  // only once
    EXPECT_TRUE(!t.StepIt(0x5000u).moveBar && t.Position() == 0u);
    EXPECT_EQ(t.Elapsed(0x400u), 0x500u);
}

}  // namespace
}  // namespace mosgrid
