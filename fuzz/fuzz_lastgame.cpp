// SPDX-License-Identifier: GPL-3.0-or-later
// Restores a last-game file from arbitrary bytes through the real path: the file is read from a
// folder (ReadLastGame), its picture found there by its name (FindPicturePath, any letter case of
// the extension), the puzzle set up and the file applied (RestoreLastGame). The input chooses the
// picture too. Its first four bytes:
//   0, 1  width and height less one (modulo 50)
//   2     seed of the picture's pixels
//   3     bits 0-1: colours less one (white and up to three others); bit 2: the picture is saved
//         under the name the file holds (else as "p"); bit 3: its extension is ".BMP";
//         bit 4: the file is the encoding of a fresh game on "p", patched by the rest of the
//         input (three bytes a patch: offset, low byte first, and the new byte), so that deep
//         checks are reached; otherwise the rest of the input is the file.
// A restored game must encode back to the file's bytes (its clock carried) and keep the solved
// flags in step with the cells; a file that does not fit leaves a fresh game, and a save
// afterwards keeps it aside.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "board/core/LineCheck.h"
#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/PictureFiles.h"
#include "catalogue/core/Text.h"
#include "fuzz/FuzzCheck.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/core/LastGameStore.h"

namespace {

using fuzzcheck::Require;

mosgrid::Picture4 PictureOf(const std::uint8_t* head) {
    mosgrid::Picture4 p;
    p.width = 1 + head[0] % 50;
    p.height = 1 + head[1] % 50;
    const int colours = 1 + (head[3] & 3);
    const mosgrid::COLORREF palette[] = {mosgrid::kWhite, 0x0000FF, 0xFF0000, 0x00AA00};
    p.palette.assign(palette, palette + colours);
    std::uint32_t state = 0x9E3779B9u ^ head[2];
    for (int i = 0; i < p.width * p.height; ++i) {
        state = state * 1664525u + 1013904223u;
        p.indices.push_back(std::uint8_t((state >> 24) % std::uint32_t(colours)));
    }
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const fuzzcheck::ScratchFolder scratch;  // a folder of its own for each input
    const std::filesystem::path& folder = scratch.path;
    const mosgrid::Picture4 picture = PictureOf(data);
    const std::uint8_t flags = data[3];
    const std::span<const std::uint8_t> rest(data + 4, size - 4);

    std::vector<std::uint8_t> file;
    std::u16string pictureName = u"p";
    if (flags & 16) {
        auto fresh = std::make_unique<mosgrid::BoardModel>();
        const std::vector<std::uint8_t> bmp = mosgrid::EncodeBmp4(picture);
        Require(fresh->picture.LoadFromBytes(bmp.data(), bmp.size()) == 1 && fresh->SetupFromLoadedPicture(u"p"));
        fresh->Reset();
        file = mosgrid::EncodeLastGame(*fresh).value();
        for (std::size_t at = 0; at + 3 <= rest.size(); at += 3) {
            const std::size_t offset = rest[at] | std::size_t(rest[at + 1]) << 8;
            if (offset < file.size()) file[offset] = rest[at + 2];
        }
    } else {
        file.assign(rest.begin(), rest.end());
        if (flags & 4) {
            if (std::optional<std::u16string> name = mosgrid::LastGameName(file)) pictureName = *name;
        }
    }
    if (std::optional<std::u16string> name = mosgrid::LastGameName(file)) Require(mosgrid::IsRestorableName(*name));
    fuzzcheck::WriteFile(folder / mosgrid::kLastGameFileName, file.data(), file.size());
    std::filesystem::path picturePath = mosgrid::PicturePath(folder, pictureName);
    if (flags & 8) picturePath.replace_extension(".BMP");
    mosgrid::WriteBmp4(picturePath, picture);

    auto model = std::make_unique<mosgrid::BoardModel>();
    const mosgrid::RestoreOutcome outcome = mosgrid::RestoreLastGame(folder, *model);
    if (outcome == mosgrid::RestoreOutcome::NoGame) {
        Require(!model->HasPuzzle());
        return 0;
    }
    Require(model->HasPuzzle() && model->cols() == picture.width && model->rows() == picture.height);
    const std::optional<std::vector<std::uint8_t>> after = mosgrid::EncodeLastGame(*model);
    Require(after.has_value());
    if (outcome == mosgrid::RestoreOutcome::StartedAfresh) {
        for (const mosgrid::CellRecord& cell : model->cells) Require(cell.state == 1);
        // The next save keeps the file that did not fit aside, whole.
        Require(mosgrid::SaveLastGame(folder, *model).outcome == mosgrid::LastGameSaveResult::Outcome::Written);
        std::ifstream in(folder / mosgrid::kDamagedLastGameFileName, std::ios::binary);
        Require(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) == file);
        return 0;
    }
    // Byte for byte the same, but for the clock (bytes 924 to 935), whose minutes or seconds may
    // have been carried.
    std::vector<std::uint8_t> expected = file;
    Require(expected.size() == after->size());
    std::copy(after->begin() + 924, after->begin() + 936, expected.begin() + 924);
    Require(*after == expected && model->seconds < 60 && model->minutes < 60);
    // A restored file never announces a solved line the cells do not hold, nor hides one.
    for (int c = 0; c < model->cols(); ++c)
        Require((model->columnSolved[std::size_t(c)] == 1) == mosgrid::ColumnComplete(*model, c));
    for (int r = 0; r < model->rows(); ++r)
        Require((model->rowSolved[std::size_t(r)] == 1) == mosgrid::RowComplete(*model, r));
    return 0;
}
