// SPDX-License-Identifier: GPL-3.0-or-later
// The search split across threads: the same results whatever the number of threads, and a stop
// that ends every thread.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <random>

#include "import/core/TimedSearch.h"
#include "solver/core/SolutionSearch.h"

namespace mosgrid {
namespace {

// The clues of a grid of one colour (1 = filled), `width` cells a row.
Puzzle FromGrid(const std::vector<int>& grid, int width) {
    Picture4 picture{width, int(grid.size()) / width, {kWhite, kBlack}, {}};
    for (int v : grid) picture.indices.push_back(std::uint8_t(v));
    return PuzzleFromPicture(picture);
}

// One run of 1 in every line: the n! permutation matrices.
Puzzle Permutations(int n) {
    std::vector<int> grid(std::size_t(n * n), 0);
    for (int i = 0; i < n; ++i) grid[std::size_t(i * n + i)] = 1;
    return FromGrid(grid, n);
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
    std::vector<Puzzle> puzzles{Permutations(7)};
    std::mt19937 random(7);
    for (int n = 0; n < 4; ++n) {  // random grids of 16 x 16 and 18 x 18: a few with many solutions
        const int side = 16 + n % 2 * 2;
        std::vector<int> grid(std::size_t(side * side));
        for (int& v : grid) v = int(random() % 100) < 45;
        puzzles.push_back(FromGrid(grid, side));
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
                EXPECT_EQ(result.found, long(collect.grids.size()));
                EXPECT_EQ(result.capped, result.found >= max);
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

TEST(SolutionSearch, AStopEndsEveryThread) {
    // 12! solutions: counting them never ends by itself.
    const Puzzle puzzle = Permutations(12);
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

}  // namespace
}  // namespace mosgrid
