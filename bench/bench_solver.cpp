// SPDX-License-Identifier: GPL-3.0-or-later
// Solver figures. First the puzzle sets, generated with fixed seeds and each search bounded in
// processor time (figures are processor time, std::clock, on whatever else the machine runs):
// - uniqueness (up to 2 solutions): 100 random 30 x 30 grids at density 0.5, 40 random 25 x 25
//   at density 0.42, and the domino chains n = 3 .. 10;
// - counting to 100 in lexicographic order: random 30 x 30 at 0.5 and 25 x 25 at 0.42;
// - a 100 x 100 random clue file at density 0.6, to two solutions;
// - the check of a 50 x 50 picture that line passes alone solve, through the board.
// Then Google Benchmark timings of single line passes (the cost grows with length x runs,
// never exponentially).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "board/core/BoardModel.h"
#include "catalogue/core/BmpWriter.h"
#include "solver/core/GridSearch.h"
#include "solver/core/SolutionSearch.h"
#include "solver/core/LineSolver.h"
#include "solver/core/SolvePuzzle.h"

namespace mosgrid {
namespace {

std::vector<LineRun> Runs(int count, const auto& at) {
    std::vector<LineRun> runs;
    for (int i = 0; i < count; ++i) {
        if (at(i) && (i == 0 || !at(i - 1))) runs.push_back(LineRun{0, 1, 1});
        if (at(i)) ++runs.back().length;
    }
    return runs;
}

Puzzle FromGrid(const std::vector<char>& grid, int width, int height) {
    Puzzle p;
    p.width = width;
    p.height = height;
    for (int r = 0; r < height; ++r) p.rows.push_back(Runs(width, [&](int c) { return grid[std::size_t(r * width + c)]; }));
    for (int c = 0; c < width; ++c) p.columns.push_back(Runs(height, [&](int r) { return grid[std::size_t(r * width + c)]; }));
    return p;
}

// A random two-colour grid with `permille` of its cells filled; seed and size fix it.
Puzzle RandomPuzzle(int side, int permille, unsigned seed) {
    std::mt19937 random(seed * 7919u + unsigned(side) * 131u + unsigned(permille));
    std::vector<char> grid(std::size_t(side * side));
    for (char& v : grid) v = char(int(random() % 1000) < permille);
    return FromGrid(grid, side, side);
}

// A chain of n dominoes on a (2n + 1)-square: a run of 3 in every second column from the right,
// each starting two rows below the last, with a single cell two rows above each run but the
// first. Line passes alone cannot place the first run.
Puzzle DominoChain(int n) {
    const int side = 2 * n + 1;
    std::vector<char> grid(std::size_t(side * side), 0);
    for (int k = 0; k < n; ++k) {
        const int c = 2 * n - 2 * k;
        for (int r = 2 * k; r < 2 * k + 3; ++r) grid[std::size_t(r * side + c)] = 1;
        if (k > 0) grid[std::size_t((2 * k - 2) * side + c)] = 1;
    }
    return FromGrid(grid, side, side);
}

// Counts solutions up to `max`, giving up after `limitMs` of processor time.
class Bounded final : public SearchObserver {
public:
    Bounded(long max, double limitMs) : max_(max), deadline_(std::clock() + std::clock_t(limitMs * CLOCKS_PER_SEC / 1000)) {}
    bool SolutionFound(const std::vector<ValueMask>&) override { return ++solutions < max_; }
    bool StopRequested() override { return (++polls_ & 63) == 0 && std::clock() > deadline_; }
    long solutions = 0;

private:
    long max_;
    std::clock_t deadline_;
    long polls_ = 0;
};

struct Run {
    double ms = 0;
    long solutions = 0;
    bool finished = true;
};

// One thread; "in order" gives the first solutions in lexicographic order, else only the count.
Run Solve(const Puzzle& puzzle, long max, double limitMs, bool inOrder) {
    const std::clock_t start = std::clock();
    Bounded observer(max, limitMs);
    SolutionSearchOptions options;
    options.countOnly = !inOrder;
    const SolutionSearchResult result = FindSolutions(puzzle, {}, max, observer, options);
    return Run{1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC, observer.solutions, !result.stopped};
}

// Runs a set and prints its distribution: median, 90th percentile, slowest, how many took
// longer than `over` ms, how many did not finish within the limit.
void Set(const char* name, int count, long max, double limitMs, double over, const auto& make) {
    std::vector<Run> runs;
    int slowest = 0;
    long solutionsTotal = 0;
    for (int i = 0; i < count; ++i) {
        runs.push_back(Solve(make(i), max, limitMs, std::string(name).find("in order") != std::string::npos));
        if (runs.back().ms > runs[std::size_t(slowest)].ms) slowest = i;
        solutionsTotal += runs.back().solutions;
    }
    std::vector<double> ms;
    for (const Run& r : runs) ms.push_back(r.ms);
    std::sort(ms.begin(), ms.end());
    const long overCount = std::count_if(ms.begin(), ms.end(), [&](double t) { return t > over; });
    const long unfinished = std::count_if(runs.begin(), runs.end(), [](const Run& r) { return !r.finished; });
    std::printf("%-44s n=%3d  median %9.2f ms  p90 %9.2f ms  max %9.2f ms (#%d%s)  over %.0f ms: %ld  "
                "unfinished in %.1f s: %ld  solutions %ld\n",
                name, count, ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back(), slowest,
                runs[std::size_t(slowest)].finished ? "" : ", stopped", over, overCount, limitMs / 1000, unfinished,
                solutionsTotal);
    std::fflush(stdout);
}

void PuzzleSets() {
    std::printf("Puzzle sets (processor time, fixed seeds, a shared machine):\n");
    Set("uniqueness, random 30x30 density 0.5", 100, 2, 1000, 500, [](int i) { return RandomPuzzle(30, 500, unsigned(i)); });
    Set("uniqueness, random 25x25 density 0.42", 40, 2, 1200, 1000, [](int i) { return RandomPuzzle(25, 420, unsigned(i)); });
    for (int n = 3; n <= 10; ++n) {
        const std::string name = "uniqueness, domino chain n=" + std::to_string(n);
        Set(name.c_str(), 1, 2, 10000, n <= 9 ? 300 : 3000, [n](int) { return DominoChain(n); });
    }
    Set("count to 100 in order, random 30x30 d 0.5", 12, 100, 10000, 10000, [](int i) { return RandomPuzzle(30, 500, unsigned(i)); });
    Set("count to 100 in order, random 25x25 d 0.42", 12, 100, 10000, 1000, [](int i) { return RandomPuzzle(25, 420, unsigned(i)); });
    Set("uniqueness, random 100x100 density 0.6", 1, 2, 30000, 1000, [](int) { return RandomPuzzle(100, 600, 1); });
}

// The check of a 50 x 50 picture through the board model, as the game runs it.
constexpr COLORREF kFill = 0x2244AA;

std::unique_ptr<BoardModel> Board(int side, int permille, unsigned seed) {
    std::mt19937 random(seed);
    Picture4 p;
    p.width = p.height = side;
    p.palette = {kWhite, kFill};
    for (int i = 0; i < side * side; ++i) p.indices.push_back(std::uint8_t(int(random() % 1000) < permille));
    auto model = std::make_unique<BoardModel>();
    const std::vector<std::uint8_t> bytes = EncodeBmp4(p);
    model->picture.LoadFromBytes(bytes.data(), bytes.size());
    model->SetupFromLoadedPicture(u"bench");
    model->Reset();
    return model;
}

void LinesAlone() {
    for (unsigned seed = 1;; ++seed) {
        auto model = Board(50, 650, seed);
        CountingProgress progress;
        if (!SolvePuzzle(*model, progress).linesAlone) continue;
        std::vector<double> ms;
        for (int i = 0; i < 50; ++i) {
            model->Reset();
            const std::clock_t start = std::clock();
            SolvePuzzle(*model, progress);
            ms.push_back(1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%-44s seed %u  median %.3f ms  max %.3f ms (50 checks through the board)\n",
                    "lines alone, 50x50 picture", seed, ms[ms.size() / 2], ms.back());
        return;
    }
}

// A blank line of 50 cells with n runs of 1: C(51 - n, n) placements, nothing decided.
void BM_BlankLineOfOnes(benchmark::State& state) {
    const int n = int(state.range(0));
    LineSolver solver;
    ValueMask cells[kMaxLine], possible[kMaxLine];
    for (ValueMask& m : cells) m = 3;
    LineRun runs[kMaxLine];
    for (int j = 0; j < n; ++j) runs[j] = LineRun{1, 1, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(solver.Solve(cells, 50, runs, n, possible));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlankLineOfOnes)->Arg(1)->Arg(5)->Arg(10)->Arg(17)->Arg(25)->Unit(benchmark::kMicrosecond);

// 100 cells and 100 runs of 1 in two alternating colours (they may touch), all cells open.
void BM_HundredRunsTwoColours(benchmark::State& state) {
    LineSolver solver;
    ValueMask cells[kMaxLine], possible[kMaxLine];
    for (ValueMask& m : cells) m = 7;
    LineRun runs[kMaxLine];
    for (int j = 0; j < kMaxLine; ++j) runs[j] = LineRun{1, 1 + j % 2, 1 + j % 2};
    for (auto _ : state) {
        benchmark::DoNotOptimize(solver.Solve(cells, kMaxLine, runs, kMaxLine, possible));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HundredRunsTwoColours)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mosgrid

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    mosgrid::PuzzleSets();
    mosgrid::LinesAlone();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
