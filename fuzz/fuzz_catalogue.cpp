// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes as the catalogue file "mg.bd" of a folder holding a few pictures: the
// catalogue must still hold exactly the folder's puzzles, sorted, and survive a save and reload.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/Catalog.h"

namespace fs = std::filesystem;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Four playable pictures and one that is too wide, in a memory-backed folder when the system has
// one so that the save's flush costs little; removed at exit.
struct Folder {
    Folder() {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        path = base / ("mosgrid-fuzz-catalogue-" + std::to_string(::getpid()));
        fs::create_directories(path);
        const mosgrid::Picture4 p{2, 2, {mosgrid::kWhite, mosgrid::kBlack}, {1, 0, 0, 1}};
        for (const char* name : {"a.bmp", "B.BMP", "c.bmp.bmp", "\xD0\x9A\xD0\xBE\xD1\x82.bmp"})
            Require(mosgrid::WriteBmp4(path / name, p));
        Require(mosgrid::WriteBmp4(path / "wide.bmp", {51, 1, {mosgrid::kWhite}, std::vector<std::uint8_t>(51, 0)}));
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

// Name and counters of every record, in order.
std::vector<std::tuple<std::u16string, std::int32_t, int, int, int>> Contents(const mosgrid::CCatalog& catalog) {
    std::vector<std::tuple<std::u16string, std::int32_t, int, int, int>> out;
    for (const auto& r : catalog.Records())
        out.emplace_back(r.Name(), r.solvedCount, r.bestHours, r.bestMinutes, r.bestSeconds);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folder folder;
    std::ofstream(folder.path / mosgrid::CCatalog::kFileName, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    mosgrid::CCatalog catalog(folder.path);
    catalog.Load();
    std::vector<std::u16string> names;
    for (const auto& r : catalog.Records()) names.emplace_back(r.Name());
    Require(names == std::vector<std::u16string>{u"B", u"a", u"c.bmp", u"\u041A\u043E\u0442"});

    Require(catalog.Save());
    Require(fs::file_size(catalog.CatalogueFilePath()) == names.size() * mosgrid::PuzzleRecord::kFileSize);
    mosgrid::CCatalog again(folder.path);
    again.Load();
    Require(Contents(again) == Contents(catalog));
    return 0;
}
