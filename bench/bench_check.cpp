// SPDX-License-Identifier: GPL-3.0-or-later
// The check as the player runs it against the bare solver on the same puzzle. Two puzzles: the
// largest bundled two-colour puzzle (the folder is the first argument, else the build's game
// folder), and a random 30 x 30 picture whose search has to guess.
// Figures:
//   BareSolver         the solver alone on the board's model: no listener, no progress dialog
//   PollingStop        the solver polling a stop request between line passes and before guesses
//   BackgroundSearch   the check's search on its own thread over a copy of the puzzle, its
//                      progress kept by the dialog's rules and its cells taken every 50 ms
//   WholeCheck         the check end to end on a board window (offscreen): new game, search in
//                      the background, the board repainted from it every 50 ms, result shown
// Then, from runs taken in turn (the best of several each), the cost of polling and of the
// background search over the bare solver, in per cent; and how long «Отмена» takes on a search
// that runs for seconds (a 40 x 40 picture of noise), from the click to the player's game back
// on the board.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <stop_token>
#include <string>
#include <thread>

#include "bench/SilentPrompts.h"
#include "board/ui/GmGride.h"
#include "common/BmpFile.h"
#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/Text.h"
#include "solver/core/BackgroundSearch.h"
#include "solver/core/SolvePuzzle.h"
#include "solver/ui/CheckCommand.h"
#include "solver/ui/CheckRun.h"
#include "tests/unit/TestPictures.h"

namespace {

using namespace mosgrid;

struct Puzzle {
    std::filesystem::path path;
    std::u16string name;
};

Puzzle g_bundled;
Puzzle g_guessing;
Puzzle g_long;

// The two-colour picture of the most cells in the folder.
bool FindLargestTwoColour(const std::filesystem::path& folder) {
    long best = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".bmp") continue;
        CBmpFile picture;
        if (picture.Load(entry.path()) != 1 || picture.colourCount != 2) continue;
        const long cells = long(picture.width) * picture.height;
        if (cells > best) {
            best = cells;
            g_bundled = {entry.path(), Utf8ToUtf16(entry.path().stem().string())};
        }
    }
    return best > 0;
}

struct Board {
    explicit Board(const Puzzle& puzzle) : board(puzzle.path.parent_path(), nullptr) {
        board.resize(480, 640);
        board.show();
        QApplication::processEvents();
        board.SetupPuzzle(puzzle.path, puzzle.name);
    }
    CGmGride board;
};

// Only asks whether to stop, as the check's listener does, with nothing asking.
class PollingListener final : public SolveListener {
public:
    void CellWritten(int, int, const CellRecord&) override {}
    void LinePassed() override {}
    bool StopRequested() override { return token_.stop_requested(); }

private:
    std::stop_source stop_;
    std::stop_token token_ = stop_.get_token();
};

// Stops the search once a time has passed: searches too long for a benchmark are left out.
class DeadlineListener final : public SolveListener {
public:
    explicit DeadlineListener(std::chrono::milliseconds limit) : end_(std::chrono::steady_clock::now() + limit) {}
    void CellWritten(int, int, const CellRecord&) override {}
    void LinePassed() override {}
    bool StopRequested() override { return std::chrono::steady_clock::now() > end_; }

private:
    std::chrono::steady_clock::time_point end_;
};

// A square picture of `side` pixels, each inked or white by a coin toss from `seed`.
bool WriteNoise(const std::filesystem::path& path, int side, unsigned seed, COLORREF ink) {
    std::mt19937 random(seed);
    Picture4 p;
    p.width = p.height = side;
    p.palette = {kWhite, ink};
    for (int i = 0; i < side * side; ++i) p.indices.push_back(std::uint8_t(random() % 2));
    return WriteBmp4(path, p);
}

// Writes noise pictures of `side` pixels into `puzzle`'s file, seed after seed, until one whose
// search (cut off after `limit`) is accepted; prints its figures. On failure `puzzle` is cleared.
bool FindNoisePuzzle(Puzzle& puzzle, int side, std::chrono::milliseconds limit,
                     const std::function<bool(const SolveResult&)>& accept) {
    for (unsigned seed = 1; seed < 200; ++seed) {
        if (!WriteNoise(puzzle.path, side, seed, 0x2244AA)) break;
        Board b(puzzle);
        CountingProgress progress;
        DeadlineListener deadline(limit);
        const SolveResult r = SolvePuzzle(b.board.Model(), progress, &deadline);
        if (accept(r)) {
            std::printf("%s puzzle: %d x %d, seed %u, %d solutions, %ld guesses, %ld line passes, %.0f ms\n",
                        puzzle.path.stem().string().c_str(), side, side, seed, r.count, r.guesses, r.linePasses,
                        std::chrono::duration<double, std::milli>(r.elapsed).count());
            return true;
        }
    }
    puzzle = {};
    return false;
}

// A random 30 x 30 picture, half filled, whose solutions (fewer than 100) take guessing.
bool MakeGuessingPuzzle(const std::filesystem::path& folder) {
    g_guessing = {folder / "guessing.bmp", u"guessing"};
    return FindNoisePuzzle(g_guessing, 30, std::chrono::milliseconds(1500),
                           [](const SolveResult& r) { return r.guesses >= 20 && !r.storeFull && !r.stopped; });
}

// A random 35 x 35 picture, half filled, whose search runs for a good part of a second or more
// (but ends within five): the fixed costs of a check show against a search of some length.
bool MakeLongPuzzle(const std::filesystem::path& folder) {
    g_long = {folder / "long.bmp", u"long"};
    return FindNoisePuzzle(g_long, 35, std::chrono::milliseconds(5000), [](const SolveResult& r) {
        return !r.stopped && r.elapsed >= std::chrono::milliseconds(300);
    });
}

SolveResult RunBare(BoardModel& model) {
    model.Reset();
    CountingProgress progress;
    return SolvePuzzle(model, progress);
}

SolveResult RunPolling(BoardModel& model) {
    model.Reset();
    CountingProgress progress;
    PollingListener listener;
    return SolvePuzzle(model, progress, &listener);
}

// The background search from the copy to its end, with its cells taken every 50 ms as the board
// window does.
SolveResult RunBackground(BoardModel& model) {
    model.Reset();
    BackgroundSearch search(model);
    std::jthread taker([&search](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        BoardModel::Cells cells;
        while (!stop.stop_requested()) {
            wake.wait_for(lock, stop, std::chrono::milliseconds(CheckRun::kRepaintIntervalMs), [] { return false; });
            if (!stop.stop_requested()) search.TakeCells(cells);
        }
    });
    search.Wait();
    taker.request_stop();
    return search.Result();
}

// The check through the board window, with the event loop running until it has ended.
void RunWholeCheck(CGmGride& board) {
    CheckRun* check = CheckPuzzle(board, nullptr);
    QEventLoop loop;
    QObject::connect(check, &CheckRun::ended, &loop, &QEventLoop::quit);
    if (check->Running()) loop.exec();
    delete check;
}

void Measure(benchmark::State& state, const Puzzle& puzzle, SolveResult (*run)(BoardModel&)) {
    Board b(puzzle);
    BoardModel model = b.board.Model();
    SolveResult r;
    for (auto _ : state) {
        r = run(model);
        benchmark::DoNotOptimize(r.count);
    }
    state.counters["solutions"] = r.count;
    state.counters["passes"] = double(r.linePasses);
}

void WholeCheck(benchmark::State& state, const Puzzle& puzzle) {
    Board b(puzzle);
    for (auto _ : state) RunWholeCheck(b.board);
    state.counters["solutions"] = double(b.board.Model().variants.size());
}

void Register(const char* label, const Puzzle& puzzle) {
    const std::string l = label;
    benchmark::RegisterBenchmark(("BareSolver/" + l).c_str(), Measure, puzzle, RunBare)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("PollingStop/" + l).c_str(), Measure, puzzle, RunPolling)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BackgroundSearch/" + l).c_str(), Measure, puzzle, RunBackground)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("WholeCheck/" + l).c_str(), WholeCheck, puzzle)->Unit(benchmark::kMillisecond);
}

// Runs the bare solver, the polling solver, the background search and the whole check in turn,
// `rounds` times, and prints the best time of each and the costs over the bare solver. Taking
// them in turn and keeping the best keeps other load on the machine out of the comparison.
void PrintOverhead(const char* label, const Puzzle& puzzle, int rounds) {
    Board b(puzzle);
    using Ms = std::chrono::duration<double, std::milli>;
    auto time = [](const std::function<void()>& run) {
        const auto start = std::chrono::steady_clock::now();
        run();
        return Ms(std::chrono::steady_clock::now() - start).count();
    };
    double bare = 1e30, polling = 1e30, background = 1e30, whole = 1e30;
    BoardModel model = b.board.Model();
    for (int i = 0; i < rounds; ++i) {
        bare = std::min(bare, time([&] { RunBare(model); }));
        polling = std::min(polling, time([&] { RunPolling(model); }));
        background = std::min(background, time([&] { RunBackground(model); }));
        whole = std::min(whole, time([&] { RunWholeCheck(b.board); }));
    }
    std::printf("%s (best of %d): bare %.2f ms, polling %.2f ms (%+.1f%%), background %.2f ms (%+.1f%%), "
                "whole check %.2f ms (%+.1f%%)\n",
                label, rounds, bare, polling, (polling / bare - 1) * 100, background, (background / bare - 1) * 100,
                whole, (whole / bare - 1) * 100);
}

// Cancels a check of a long search 200 ms after its start, several times, and prints the
// slowest and the fastest cancel.
void PrintCancel(const std::filesystem::path& folder) {
    const Puzzle noise{folder / "noise.bmp", u"noise"};
    if (!WriteNoise(noise.path, 40, 3, kBlack)) return;
    Board b(noise);
    double fastest = 1e30, slowest = 0;
    for (int i = 0; i < 5; ++i) {
        CheckRun* check = CheckPuzzle(b.board, nullptr);
        QEventLoop loop;
        QTimer::singleShot(200, &loop, &QEventLoop::quit);
        loop.exec();
        const auto start = std::chrono::steady_clock::now();
        const bool running = check->Running();
        check->Cancel();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        delete check;
        if (!running) {
            std::printf("cancel: the search ended before 200 ms\n");
            return;
        }
        fastest = std::min(fastest, ms);
        slowest = std::max(slowest, ms);
    }
    std::printf("cancel after 200 ms of a 40 x 40 noise search (5 times): %.2f to %.2f ms\n", fastest, slowest);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentPrompts prompts(true);
    Prompts::Install(&prompts);
    benchmark::Initialize(&argc, argv);
    const std::filesystem::path folder = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::path(MOSGRID_GAME_DIR);
    if (!FindLargestTwoColour(folder)) {
        std::fprintf(stderr, "no two-colour puzzle in %s (build the game first)\n", folder.string().c_str());
        return 1;
    }
    {
        Board b(g_bundled);
        std::printf("bundled puzzle: %s, %d x %d\n", g_bundled.path.filename().string().c_str(),
                    b.board.Model().cols(), b.board.Model().rows());
    }
    test::TempFolder temp;
    Register("bundled", g_bundled);
    if (MakeGuessingPuzzle(temp.path())) Register("guessing", g_guessing);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintOverhead("bundled", g_bundled, 20);
    if (!g_guessing.path.empty()) PrintOverhead("guessing", g_guessing, 20);
    if (MakeLongPuzzle(temp.path())) PrintOverhead("long", g_long, 10);
    PrintCancel(temp.path());
    Prompts::Install(nullptr);
    return 0;
}
