// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes as the catalogue file "mg.bd" of a folder holding a few pictures: the
// catalogue must still hold exactly the folder's puzzles, sorted, and survive a save and reload.
#include <cstdint>
#include <tuple>
#include <vector>

#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/Catalog.h"
#include "fuzz/FuzzCheck.h"

namespace {

using fuzzcheck::Require;

// Four playable pictures and one that is too wide, in a folder kept for the whole run.
struct Folder : fuzzcheck::ScratchFolder {
    Folder() {
        const mosgrid::Picture4 p{2, 2, {mosgrid::kWhite, mosgrid::kBlack}, {1, 0, 0, 1}};
        for (const char* name : {"a.bmp", "B.BMP", "c.bmp.bmp", "\xD0\x9A\xD0\xBE\xD1\x82.bmp"})
            Require(mosgrid::WriteBmp4(path / name, p));
        Require(mosgrid::WriteBmp4(path / "wide.bmp", {51, 1, {mosgrid::kWhite}, std::vector<std::uint8_t>(51, 0)}));
    }
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
    Require(fuzzcheck::WriteFile(folder.path / mosgrid::CCatalog::kFileName, data, size));
    mosgrid::CCatalog catalog(folder.path);
    catalog.Load();
    std::vector<std::u16string> names;
    for (const auto& r : catalog.Records()) names.emplace_back(r.Name());
    Require(names == std::vector<std::u16string>{u"B", u"a", u"c.bmp", u"\u041A\u043E\u0442"});

    Require(catalog.Save());
    Require(std::filesystem::file_size(catalog.CatalogueFilePath()) == names.size() * mosgrid::PuzzleRecord::kFileSize);
    mosgrid::CCatalog again(folder.path);
    again.Load();
    Require(Contents(again) == Contents(catalog));
    return 0;
}
