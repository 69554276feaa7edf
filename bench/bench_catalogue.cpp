// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of building the catalogue of a folder of 1,000 small 4-bit pictures, as every user of the
// catalogue does (the chooser, the random pick, the solved check), and of the chooser's opening:
// the catalogue, every picture read once more for its size and colours, and the save. Folder 0
// names its pictures "puzzle N.bmp"; folder 1 spells them "pN.BMP" and also holds one large
// picture (60 MB, 24 bits a pixel) that is no puzzle.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/BmpFile.h"
#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/ui/ListFiles.h"

#include <QApplication>

namespace {

namespace fs = std::filesystem;
constexpr int kPictures = 1000;

// A 24-bit picture of 5000 x 4000 pixels: some 60 MB of pixel rows after its headers.
void WriteLargePicture(const fs::path& path) {
    const std::uint32_t width = 5000, height = 4000, rowBytes = width * 3, pixelBytes = rowBytes * height;
    std::vector<std::uint8_t> header(54, 0);
    auto put = [&header](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) header[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    };
    put(0, 0x4D42, 2);
    put(2, 54 + pixelBytes, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
    const std::vector<char> row(rowBytes, '\x7F');
    for (std::uint32_t y = 0; y < height; ++y) out.write(row.data(), std::streamsize(row.size()));
}

fs::path MakeFolder(bool upperCase) {
    fs::path made = fs::temp_directory_path() /
                    ("mosgrid-bench-catalogue-" + std::to_string(::getpid()) + (upperCase ? "-upper" : ""));
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
        const std::string number = std::to_string((i * 7919) % kPictures);
        mosgrid::WriteBmp4(made / (upperCase ? "p" + number + ".BMP" : "puzzle " + number + ".bmp"), p);
    }
    if (upperCase) WriteLargePicture(made / "photo.bmp");
    mosgrid::CCatalog catalog(made);
    catalog.Load();
    catalog.Save();  // the catalogue file exists, so every Load merges and sorts
    return made;
}

const fs::path& Folder(std::int64_t which) {
    static const fs::path folders[2] = {MakeFolder(false), MakeFolder(true)};
    return folders[which];
}

void CatalogueLoad(benchmark::State& state) {
    for (auto _ : state) {
        mosgrid::CCatalog catalog(Folder(state.range(0)));
        catalog.Load();
        benchmark::DoNotOptimize(catalog.Records().data());
        if (catalog.Records().size() != kPictures) state.SkipWithError("wrong number of puzzles");
    }
}
BENCHMARK(CatalogueLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
        mosgrid::CCatalog catalog(Folder(state.range(0)));
        LoadAndReadEveryPicture(catalog);
    }
}
BENCHMARK(ChooserLoadAndPictures)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void ChooserLoadPicturesAndSave(benchmark::State& state) {
    for (auto _ : state) {
        mosgrid::CCatalog catalog(Folder(state.range(0)));
        LoadAndReadEveryPicture(catalog);
        if (!catalog.Save()) state.SkipWithError("save failed");
    }
}
BENCHMARK(ChooserLoadPicturesAndSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The chooser's whole opening as the player meets it: the dialog built with its filled list (and
// whatever it starts in the background), then closed.
void ChooserDialog(benchmark::State& state) {
    for (auto _ : state) {
        mosgrid::CListFiles chooser(Folder(state.range(0)));
        benchmark::DoNotOptimize(&chooser);
    }
}
BENCHMARK(ChooserDialog)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The chooser needs an application object; no screen is needed to build it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Folder(0);  // made before any timing starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    for (std::int64_t which : {0, 1}) fs::remove_all(Folder(which), ignored);
    return 0;
}
