// Solver figures: a 50 x 50 two-colour puzzle that the line passes alone solve, a 25 x 25 one
// that needs guessing, and single 50-cell lines with more and more clues (the cost of a line
// pass grows with length x clues, never exponentially).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>

#include "board/core/BoardModel.h"
#include "catalogue/core/BmpWriter.h"
#include "solver/core/LineSolver.h"
#include "solver/core/SolvePuzzle.h"

namespace mosgrid {
namespace {

constexpr COLORREF kFill = 0x2244AA;

// A random picture of white and one colour; `permille` of the pixels are filled.
Picture4 RandomPicture(int side, int permille, unsigned seed) {
    std::mt19937 random(seed);
    Picture4 p;
    p.width = side;
    p.height = side;
    p.palette = {kWhite, kFill};
    for (int i = 0; i < side * side; ++i) p.indices.push_back(std::uint8_t(int(random() % 1000) < permille));
    return p;
}

std::unique_ptr<BoardModel> Board(const Picture4& picture) {
    auto model = std::make_unique<BoardModel>();
    const std::vector<std::uint8_t> bytes = EncodeBmp4(picture);
    model->picture.LoadFromBytes(bytes.data(), bytes.size());
    model->SetupFromLoadedPicture(u"bench");
    model->Reset();
    return model;
}

// The first random picture of the given kind whose solve satisfies `wanted`.
template <typename Wanted>
std::unique_ptr<BoardModel> FindBoard(const char* what, int side, int permille, Wanted wanted) {
    for (unsigned seed = 1;; ++seed) {
        auto model = Board(RandomPicture(side, permille, seed));
        CountingProgress progress;
        const SolveResult r = SolvePuzzle(*model, progress);
        if (wanted(r)) {
            std::printf("%s: %d x %d, seed %u, %d solutions%s, %ld guesses, %ld line passes\n", what, side, side,
                        seed, r.count, r.storeFull ? "+" : "", r.guesses, r.linePasses);
            return model;
        }
    }
}

void Solve(benchmark::State& state, BoardModel& model) {
    SolveResult r;
    double totalMs = 0;
    for (auto _ : state) {
        model.Reset();
        CountingProgress progress;
        r = SolvePuzzle(model, progress);
        totalMs += std::chrono::duration<double, std::milli>(r.elapsed).count();
        benchmark::DoNotOptimize(r.count);
    }
    state.counters["solutions"] = r.count;
    state.counters["guesses"] = double(r.guesses);
    state.counters["passes"] = double(r.linePasses);
    // The solver's own clock, averaged: what the check reports as its time.
    state.counters["solver_ms"] = totalMs / double(state.iterations());
}

void BM_LinesAlone50x50(benchmark::State& state) {
    static auto model = FindBoard("lines alone", 50, 650, [](const SolveResult& r) { return r.linesAlone; });
    Solve(state, *model);
}
BENCHMARK(BM_LinesAlone50x50)->Unit(benchmark::kMillisecond);

void BM_NeedsGuessing25x25(benchmark::State& state) {
    static auto model = FindBoard("needs guessing", 25, 500,
                                  [](const SolveResult& r) { return r.guesses >= 10 && !r.storeFull; });
    Solve(state, *model);
}
BENCHMARK(BM_NeedsGuessing25x25)->Unit(benchmark::kMillisecond);

// A blank line of 50 cells with n runs of 1: C(51 - n, n) placements, nothing decided.
void BM_BlankLineOfOnes(benchmark::State& state) {
    const int n = int(state.range(0));
    LineSolver solver;
    ValueMask cells[kMaxSide], possible[kMaxSide];
    for (ValueMask& m : cells) m = 3;
    LineRun runs[kMaxSlots];
    for (int j = 0; j < n; ++j) runs[j] = LineRun{1, 1, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(solver.Solve(cells, kMaxSide, runs, n, possible));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlankLineOfOnes)->Arg(1)->Arg(5)->Arg(10)->Arg(17)->Arg(25)->Unit(benchmark::kMicrosecond);

// 50 cells and 50 runs of 1 in two alternating colours (they may touch), all cells open.
void BM_FiftyRunsTwoColours(benchmark::State& state) {
    LineSolver solver;
    ValueMask cells[kMaxSide], possible[kMaxSide];
    for (ValueMask& m : cells) m = 7;
    LineRun runs[kMaxSlots];
    for (int j = 0; j < 50; ++j) runs[j] = LineRun{1, 1 + j % 2, 1 + j % 2};
    for (auto _ : state) {
        benchmark::DoNotOptimize(solver.Solve(cells, kMaxSide, runs, 50, possible));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FiftyRunsTwoColours)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mosgrid

BENCHMARK_MAIN();
