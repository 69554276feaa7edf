// Feeds arbitrary bytes as the catalogue file "mg.bd" of a folder holding a few pictures: the
// catalogue must still hold exactly the folder's puzzles, sorted, and survive a save and reload.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/Catalog.h"

namespace fs = std::filesystem;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void RemoveFolder();

// Created once: four playable pictures and one that is too wide. A memory-backed folder when the
// system has one, so that the save's flush costs little.
const fs::path& Folder() {
    // Never destroyed, so that the clean-up at exit can still use it.
    static const fs::path* folder = new fs::path([] {
        fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path made = base / ("mosgrid-fuzz-catalogue-" + std::to_string(::getpid()));
        fs::remove_all(made);
        fs::create_directories(made);
        mosgrid::Picture4 p{2, 2, {mosgrid::kWhite, mosgrid::kBlack}, {1, 0, 0, 1}};
        for (const char* name : {"a.bmp", "B.BMP", "c.bmp.bmp", "\xD0\x9A\xD0\xBE\xD1\x82.bmp"})
            mosgrid::WriteBmp4(made / name, p);
        mosgrid::Picture4 wide{51, 1, {mosgrid::kWhite}, std::vector<std::uint8_t>(51, 0)};
        mosgrid::WriteBmp4(made / "wide.bmp", wide);
        std::atexit(RemoveFolder);
        return made;
    }());
    return *folder;
}

void RemoveFolder() {
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
}

std::vector<std::u16string> Names(const mosgrid::CCatalog& catalog) {
    std::vector<std::u16string> names;
    for (const auto& record : catalog.Records()) names.emplace_back(record.Name());
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path& folder = Folder();
    {
        std::ofstream out(folder / mosgrid::CCatalog::kFileName, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    mosgrid::CCatalog catalog(folder);
    catalog.Load();
    const std::vector<std::u16string> expected = {u"B", u"a", u"c.bmp", u"\u041A\u043E\u0442"};
    Require(Names(catalog) == expected);

    std::uint32_t seed = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 4); ++i) seed = seed << 8 | data[i];
    if (auto pick = catalog.PickRandom(seed)) Require(std::find(expected.begin(), expected.end(), *pick) != expected.end());

    Require(catalog.Save());
    Require(fs::file_size(catalog.CatalogueFilePath()) == expected.size() * mosgrid::PuzzleRecord::kFileSize);
    mosgrid::CCatalog again(folder);
    again.Load();
    Require(Names(again) == expected);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& a = catalog.Records()[i];
        const auto& b = again.Records()[i];
        Require(a.solvedCount == b.solvedCount && a.bestHours == b.bestHours && a.bestMinutes == b.bestMinutes &&
                a.bestSeconds == b.bestSeconds);
    }
    return 0;
}
