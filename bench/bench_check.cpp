// The check as the player runs it, on the largest bundled two-colour puzzle: CheckPuzzle with
// its progress dialog and the board painting the search (offscreen), against the bare solver
// on the same puzzle, and against a board repainted after every line pass (what the pacing
// avoids). The puzzle folder is the first argument, else the build's game folder.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Prompts.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/BmpFile.h"
#include "catalogue/core/Text.h"
#include "solver/core/SolvePuzzle.h"
#include "solver/ui/CheckCommand.h"
#include "solver/ui/SearchPainter.h"

namespace {

using namespace mosgrid;

// Message boxes that nobody answers: a benchmark must never wait on one.
class SilentPrompts : public Prompts {
public:
    bool Ask(QWidget*, const QString&) override { return true; }
    void Tell(QWidget*, const QString&) override {}
    void Refuse(QWidget*, const QString&) override {}
};

std::filesystem::path g_folder;
std::filesystem::path g_picture;
std::u16string g_name;

// The two-colour picture of the most cells in the folder.
bool FindLargestTwoColour() {
    long best = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(g_folder, error)) {
        if (entry.path().extension() != ".bmp") continue;
        CBmpFile picture;
        if (!picture.Load(entry.path()) || picture.colourCount != 2) continue;
        const long cells = long(picture.width) * picture.height;
        if (cells > best) {
            best = cells;
            g_picture = entry.path();
        }
    }
    if (best == 0) return false;
    g_name = Utf8ToUtf16(g_picture.stem().string());
    return true;
}

struct Board {
    Board() : board(g_folder, nullptr) {
        board.resize(480, 640);
        board.show();
        QApplication::processEvents();
        board.SetupPuzzle(g_picture, g_name);
    }
    CGmGride board;
};


// The solver alone on the board's model: no painting, no dialog.
void BM_BareSolver(benchmark::State& state) {
    Board b;
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
BENCHMARK(BM_BareSolver)->Unit(benchmark::kMillisecond);

// The check command's own path: new game, dialog, search painting the board paced, the result
// message (silent) and the first variant on the board.
void BM_CheckWithBoardPainting(benchmark::State& state) {
    Board b;
    SilentPrompts prompts;
    Prompts::Install(&prompts);
    for (auto _ : state) {
        CheckPuzzle(b.board, nullptr);
        benchmark::DoNotOptimize(b.board.Model().variants.size());
    }
    Prompts::Install(nullptr);
    state.counters["solutions"] = double(b.board.Model().variants.size());
}
BENCHMARK(BM_CheckWithBoardPainting)->Unit(benchmark::kMillisecond);

// For comparison: the search with the board drawn and repainted after every line pass.
void BM_SearchRepaintingEveryPass(benchmark::State& state) {
    Board b;
    long repaints = 0;
    for (auto _ : state) {
        b.board.Model().Reset();
        CountingProgress progress;
        SearchPainter painter(b.board, 0);
        SolvePuzzle(b.board.Model(), progress, &painter);
        painter.Finish();
        repaints = painter.Repaints();
    }
    state.counters["repaints"] = double(repaints);
}
BENCHMARK(BM_SearchRepaintingEveryPass)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_folder = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::path(MOSGRID_GAME_DIR);
    if (!FindLargestTwoColour()) {
        std::fprintf(stderr, "no two-colour puzzle in %s (build the game first)\n", g_folder.string().c_str());
        return 1;
    }
    {
        Board b;
        std::printf("puzzle: %s, %d x %d\n", g_picture.filename().string().c_str(), b.board.Model().cols(),
                    b.board.Model().rows());
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
