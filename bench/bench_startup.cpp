// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up costs the player feels: building and showing the main window, and opening the
// puzzle chooser on a folder of 1,000 small pictures. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "bench/SilentPrompts.h"
#include "app/MainFrame.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/BmpWriter.h"
#include "catalogue/ui/ListFiles.h"
#include "tests/unit/TestPictures.h"

namespace {

using namespace mosgrid;

void BM_MainWindowStartup(benchmark::State& state) {
    test::TempFolder folder;
    for (auto _ : state) {
        CMainFrame frame(folder.path());
        frame.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(frame.Board().Model().cols());
    }
}
BENCHMARK(BM_MainWindowStartup)->Unit(benchmark::kMillisecond);

// A folder of `count` 4-bit pictures of 10 x 10 to 20 x 20 pixels in two to four colours.
void FillFolder(const std::filesystem::path& folder, int count) {
    std::mt19937 random(12345);
    for (int i = 0; i < count; ++i) {
        Picture4 p;
        p.width = 10 + int(random() % 11);
        p.height = 10 + int(random() % 11);
        p.palette = {kWhite, kBlack, 0x0000FF, 0x00A000};
        const unsigned colours = 2 + random() % 3;
        for (int k = 0; k < p.width * p.height; ++k) p.indices.push_back(std::uint8_t(random() % colours));
        WriteBmp4(folder / ("puzzle" + std::to_string(i) + ".bmp"), p);
    }
}

void BM_OpenChooser1000(benchmark::State& state) {
    test::TempFolder folder;
    FillFolder(folder.path(), 1000);
    { CListFiles first(folder.path()); }  // the catalogue file exists from now on, as in play
    for (auto _ : state) {
        CListFiles chooser(folder.path());
        if (chooser.List()->topLevelItemCount() != 1000) state.SkipWithError("not every picture listed");
    }
}
BENCHMARK(BM_OpenChooser1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    SilentPrompts prompts;
    Prompts::Install(&prompts);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Prompts::Install(nullptr);
    return 0;
}
