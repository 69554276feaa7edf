// Cost of building the catalogue of a folder of 1,000 small 4-bit pictures, as every user of the
// catalogue does (the chooser, the random pick, the solved check), and of the chooser's opening:
// the catalogue, every picture read once more for its size and colours, and the save.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "catalogue/core/BmpFile.h"
#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/Catalog.h"

namespace {

namespace fs = std::filesystem;
constexpr int kPictures = 1000;

const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path made = fs::temp_directory_path() / ("mosgrid-bench-catalogue-" + std::to_string(::getpid()));
        fs::remove_all(made);
        fs::create_directories(made);
        unsigned state = 12345;
        for (int i = 0; i < kPictures; ++i) {
            mosgrid::Picture4 p;
            p.width = 10 + i % 41;
            p.height = 10 + (i * 7) % 41;
            for (int c = 0; c < 16; ++c) p.palette.push_back(mosgrid::MakeColour(std::uint8_t(c * 16), 0, 255));
            p.palette[0] = mosgrid::kWhite;
            for (int k = 0; k < p.width * p.height; ++k) {
                state = state * 1103515245u + 12345u;
                p.indices.push_back(std::uint8_t((state >> 16) % 16));
            }
            mosgrid::WriteBmp4(made / ("puzzle " + std::to_string((i * 7919) % kPictures) + ".bmp"), p);
        }
        mosgrid::CCatalog catalog(made);
        catalog.Load();
        catalog.Save();  // the catalogue file exists, so every Load merges and sorts
        return made;
    }();
    return folder;
}

void CatalogueLoad(benchmark::State& state) {
    for (auto _ : state) {
        mosgrid::CCatalog catalog(Folder());
        catalog.Load();
        benchmark::DoNotOptimize(catalog.Records().data());
        if (catalog.Records().size() != kPictures) state.SkipWithError("wrong number of puzzles");
    }
}
BENCHMARK(CatalogueLoad)->Unit(benchmark::kMillisecond);

void LoadAndReadEveryPicture(mosgrid::CCatalog& catalog) {
    catalog.Load();
    mosgrid::CBmpFile picture;
    for (const mosgrid::PuzzleRecord& record : catalog.Records()) {
        if (picture.Load(catalog.PicturePathOf(record.Name())) == 1) {
            benchmark::DoNotOptimize(picture.colourCount);
            picture.Release();
        }
    }
}

void ChooserLoadAndPictures(benchmark::State& state) {
    for (auto _ : state) {
        mosgrid::CCatalog catalog(Folder());
        LoadAndReadEveryPicture(catalog);
    }
}
BENCHMARK(ChooserLoadAndPictures)->Unit(benchmark::kMillisecond);

void ChooserLoadPicturesAndSave(benchmark::State& state) {
    for (auto _ : state) {
        mosgrid::CCatalog catalog(Folder());
        LoadAndReadEveryPicture(catalog);
        if (!catalog.Save()) state.SkipWithError("save failed");
    }
}
BENCHMARK(ChooserLoadPicturesAndSave)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Folder();  // made before any timing starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
    return 0;
}
