// The check as the player runs it, with the board painting the search (offscreen), against the
// bare solver on the same puzzle. Two puzzles: the largest bundled two-colour puzzle (the
// folder is the first argument, else the build's game folder), and a random 30 x 30 picture
// whose search has to guess (the pacing of the repaints matters only when a search runs long).
// Figures:
//   BareSolver            the solver alone on the board's model: no dialog, no painting
//   TimedPartOfCheck      what the check times and reports: the search with the progress
//                         dialog and the board drawn and repainted at most every 50 ms
//   WholeCheckCommand     CheckPuzzle end to end: new game (grid and clues drawn), dialog,
//                         search, result message (silent), the first variant drawn and shown
//   RepaintingEveryPass   for comparison, the search with a repaint after every line pass
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "bench/SilentPrompts.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/BmpFile.h"
#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/Text.h"
#include "solver/core/SolvePuzzle.h"
#include "solver/ui/CheckCommand.h"
#include "solver/ui/Decision.h"
#include "solver/ui/SearchPainter.h"
#include "tests/unit/TestPictures.h"

namespace {

using namespace mosgrid;

struct Puzzle {
    std::filesystem::path path;
    std::u16string name;
};

Puzzle g_bundled;
Puzzle g_guessing;

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

// A random 30 x 30 picture, half filled, whose solutions (fewer than 100) take guessing.
bool MakeGuessingPuzzle(const std::filesystem::path& folder) {
    for (unsigned seed = 1; seed < 200; ++seed) {
        std::mt19937 random(seed);
        Picture4 p;
        p.width = p.height = 30;
        p.palette = {kWhite, 0x2244AA};
        for (int i = 0; i < 900; ++i) p.indices.push_back(std::uint8_t(random() % 2));
        g_guessing = {folder / "guessing.bmp", u"guessing"};
        if (!WriteBmp4(g_guessing.path, p)) return false;
        Board b(g_guessing);
        CountingProgress progress;
        const SolveResult r = SolvePuzzle(b.board.Model(), progress);
        if (r.guesses >= 20 && !r.storeFull) {
            std::printf("guessing puzzle: 30 x 30, seed %u, %d solutions, %ld guesses, %ld line passes\n", seed,
                        r.count, r.guesses, r.linePasses);
            return true;
        }
    }
    return false;
}

void BareSolver(benchmark::State& state, const Puzzle& puzzle) {
    Board b(puzzle);
    SolveResult r;
    for (auto _ : state) {
        b.board.Model().Reset();
        CountingProgress progress;
        r = SolvePuzzle(b.board.Model(), progress);
        benchmark::DoNotOptimize(r.count);
    }
    state.counters["solutions"] = r.count;
    state.counters["passes"] = double(r.linePasses);
}

void TimedPartOfCheck(benchmark::State& state, const Puzzle& puzzle) {
    Board b(puzzle);
    long repaints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        b.board.Model().Reset();
        CDecision dialog;
        state.ResumeTiming();
        SearchPainter painter(b.board);
        SolvePuzzle(b.board.Model(), dialog, &painter);
        repaints = painter.Repaints();
    }
    state.counters["paced_repaints"] = double(repaints);
}

void WholeCheckCommand(benchmark::State& state, const Puzzle& puzzle) {
    Board b(puzzle);
    for (auto _ : state) {
        CheckPuzzle(b.board, nullptr);
        benchmark::DoNotOptimize(b.board.Model().variants.size());
    }
    state.counters["solutions"] = double(b.board.Model().variants.size());
}

void RepaintingEveryPass(benchmark::State& state, const Puzzle& puzzle) {
    Board b(puzzle);
    long repaints = 0;
    for (auto _ : state) {
        b.board.Model().Reset();
        CountingProgress progress;
        SearchPainter painter(b.board, 0);
        SolvePuzzle(b.board.Model(), progress, &painter);
        repaints = painter.Repaints();
    }
    state.counters["repaints"] = double(repaints);
}

void Register(const char* label, const Puzzle& puzzle) {
    const std::string l = label;
    benchmark::RegisterBenchmark(("BareSolver/" + l).c_str(), BareSolver, puzzle)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("TimedPartOfCheck/" + l).c_str(), TimedPartOfCheck, puzzle)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("WholeCheckCommand/" + l).c_str(), WholeCheckCommand, puzzle)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("RepaintingEveryPass/" + l).c_str(), RepaintingEveryPass, puzzle)
        ->Unit(benchmark::kMillisecond);
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
    Prompts::Install(nullptr);
    return 0;
}
