// SPDX-License-Identifier: GPL-3.0-or-later
// The board window's drawing costs: marking one cell (the model, the cells image, the line check
// and the cell put on the screen), a full paint of a 50 x 50 board at cells of 10 pixels, and
// the composition and the rebuilding of its images at device pixel ratios 1 and 2. The window's
// own ratio is the screen's: run with QT_SCALE_FACTOR=2 to paint the window at ratio 2.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "bench/SilentPrompts.h"
#include "board/ui/BoardImages.h"
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
        b.board->MarkCell(i % 50, (i / 50) % 50);
        ++i;
    }
    state.counters["s"] = b.board->CellSize();
}
BENCHMARK(BM_MarkOneCell);

void BM_PaintFullBoard50x50(benchmark::State& state) {
    Board50 b;
    for (int c = 0; c < 50; c += 2) b.board->MarkCell(c, c);
    for (auto _ : state) b.board->RepaintNow();
    state.counters["s"] = b.board->CellSize();
    state.counters["ratio"] = b.board->PixelRatio();
}
BENCHMARK(BM_PaintFullBoard50x50)->Unit(benchmark::kMillisecond);

void BM_ComposeImage50x50(benchmark::State& state) {
    Board50 b;
    for (auto _ : state) benchmark::DoNotOptimize(b.board->ComposedImage());
}
BENCHMARK(BM_ComposeImage50x50)->Unit(benchmark::kMillisecond);

// What a paint composes at ratio 1 or 2 (the argument): background, the four images and the
// hint marks into a frame of the window's device pixels.
void BM_ComposeAtRatio50x50(benchmark::State& state) {
    Board50 b;
    for (int c = 0; c < 50; c += 2) b.board->MarkCell(c, c);
    const double ratio = double(state.range(0));
    BoardImages images;
    images.Rebuild(b.board->Model(), b.board->CellSize(), ratio);
    QImage frame(b.board->viewport()->size() * ratio, QImage::Format_RGB32);
    QImage background(frame.size(), QImage::Format_RGB32);
    background.fill(0xFFF0F4F8u);
    for (auto _ : state) images.Compose(frame, frame.rect(), background, Panes{});
    state.counters["device_w"] = frame.width();
    state.counters["device_h"] = frame.height();
}
BENCHMARK(BM_ComposeAtRatio50x50)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Every image drawn afresh from the model (a zoom, or a move to a screen of another ratio).
void BM_RebuildAtRatio50x50(benchmark::State& state) {
    Board50 b;
    BoardImages images;
    for (auto _ : state) images.Rebuild(b.board->Model(), b.board->CellSize(), double(state.range(0)));
}
BENCHMARK(BM_RebuildAtRatio50x50)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

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
