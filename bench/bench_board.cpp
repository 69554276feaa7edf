// The board window's drawing costs: marking one cell (the model, the cells image, the line check
// and the cell put on the screen) and a full paint of a 50 x 50 board at cells of 10 pixels.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "bench/SilentPrompts.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/BmpWriter.h"
#include "tests/unit/TestPictures.h"

namespace {

using namespace mosgrid;

// A 50 x 50 picture in three colours with many clues, on a board of 480 x 640 (s = 10).
struct Board50 {
    Board50() {
        Picture4 p;
        p.width = p.height = 50;
        p.palette = {kWhite, kRed, 0xFF0000, 0x00A000};
        for (int r = 0; r < 50; ++r) {
            for (int c = 0; c < 50; ++c) p.indices.push_back(std::uint8_t((c / 3 + r / 4) % 4 == 0 ? 0 : 1 + (c + r) % 3));
        }
        WriteBmp4(folder / "big.bmp", p);
        board = std::make_unique<CGmGride>(folder.path(), nullptr);
        board->resize(480, 640);
        board->show();
        QApplication::processEvents();
        board->SetupPuzzle(folder / "big.bmp", u"big");
        board->ApplyFirstPuzzleColour();
        QApplication::processEvents();
    }
    test::TempFolder folder;
    std::unique_ptr<CGmGride> board;
};

void BM_MarkOneCell(benchmark::State& state) {
    Board50 b;
    int i = 0;
    for (auto _ : state) {
        b.board->UpdateCell(i % 50, (i / 50) % 50, CellUpdate::Mark);
        ++i;
    }
    state.counters["s"] = b.board->CellSize();
}
BENCHMARK(BM_MarkOneCell);

void BM_PaintFullBoard50x50(benchmark::State& state) {
    Board50 b;
    for (int c = 0; c < 50; c += 2) b.board->UpdateCell(c, c, CellUpdate::Mark);
    for (auto _ : state) b.board->RepaintNow();
    state.counters["s"] = b.board->CellSize();
}
BENCHMARK(BM_PaintFullBoard50x50)->Unit(benchmark::kMillisecond);

void BM_ComposeImage50x50(benchmark::State& state) {
    Board50 b;
    for (auto _ : state) benchmark::DoNotOptimize(b.board->ComposedImage());
}
BENCHMARK(BM_ComposeImage50x50)->Unit(benchmark::kMillisecond);

void BM_NewGame50x50(benchmark::State& state) {
    Board50 b;
    for (auto _ : state) b.board->ResetBoard();
}
BENCHMARK(BM_NewGame50x50)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentPrompts prompts;
    Prompts::Install(&prompts);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Prompts::Install(nullptr);
    return 0;
}
