// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/core/BoardModel.h"

#include <algorithm>

namespace mosgrid {

bool BoardModel::Setup(const std::filesystem::path& picturePath, const std::u16string& puzzleName) {
    Clear();
    if (picture.Load(picturePath) != 1) return false;
    return SetupFromLoadedPicture(puzzleName);
}

bool BoardModel::SetupFromLoadedPicture(const std::u16string& puzzleName) {
    Clear();
    ReleaseVariants();
    // The clue tables hold 50 slots a line and the flags 50 lines: larger pictures are not
    // played, whatever file named them.
    if (picture.pixels.empty() || picture.width <= 0 || picture.height <= 0 || picture.width > kMaxSide ||
        picture.height > kMaxSide) {
        return false;
    }
    cols_ = picture.width;
    rows_ = picture.height;
    name = puzzleName;
    cells.assign(std::size_t(cols_) * std::size_t(rows_), CellRecord{0, 0});
    columnClues.assign(std::size_t(kMaxSlots) * std::size_t(cols_), ClueEntry{});
    rowClues.assign(std::size_t(kMaxSlots) * std::size_t(rows_), ClueEntry{});
    DeriveClues();
    return true;
}

void BoardModel::Clear() {
    cols_ = 0;
    rows_ = 0;
    K = 0;
    R = 0;
    cells.clear();
    columnClues.clear();
    rowClues.clear();
    gameOver = 0;
}

void BoardModel::ReleaseVariants() {
    variants.clear();
    currentVariant = 0;
}

void BoardModel::Reset() {
    ReleaseVariants();
    gameOver = 0;
    for (int c = 0; c < cols_; ++c) columnSolved[std::size_t(c)] = 0;
    for (int r = 0; r < rows_; ++r) rowSolved[std::size_t(r)] = 0;
    std::fill(cells.begin(), cells.end(), CellRecord{1, kWhite});
    for (ClueEntry& e : columnClues) e.done = 0;
    for (ClueEntry& e : rowClues) e.done = 0;
    seconds = minutes = hours = 0;
}

bool BoardModel::AnyDecided() const {
    return std::any_of(cells.begin(), cells.end(), [](const CellRecord& c) { return c.state == 0; });
}

bool BoardModel::FirstPuzzleColour(COLORREF& out) const {
    for (int i = 0; i < picture.colourCount; ++i) {
        if (picture.colours[std::size_t(i)] != kWhite) {
            out = picture.colours[std::size_t(i)];
            return true;
        }
    }
    return false;
}

// Scans every line from its far end towards the grid's far side (columns bottom to top, rows
// right to left) and records each maximal stretch of one palette index whose colour is not
// white; slot 0 is therefore the run met first.
void BoardModel::DeriveClues() {
    auto scan = [this](int length, auto indexAt, auto slotAt) {
        int count = 0;
        int run = 0;
        int prev = indexAt(length - 1);
        auto endRun = [&] {
            if (picture.PaletteColour(prev) != kWhite) {
                ClueEntry& e = slotAt(count);
                e.length = std::uint8_t(run);
                e.colourIndex = std::uint8_t(prev);
                ++count;
            }
        };
        for (int i = length - 1; i >= 0; --i) {
            int v = indexAt(i);
            if (v == prev) {
                ++run;
            } else {
                endRun();
                run = 1;
            }
            prev = v;
        }
        endRun();
        return count;
    };
    K = 0;
    R = 0;
    for (int c = 0; c < cols_; ++c) {
        int count = scan(rows_, [&](int r) { return int(picture.PixelIndex(c, r)); },
                         [&](int k) -> ClueEntry& { return ColumnClue(c, k); });
        K = std::max(K, count);
    }
    for (int r = 0; r < rows_; ++r) {
        int count = scan(cols_, [&](int c) { return int(picture.PixelIndex(c, r)); },
                         [&](int k) -> ClueEntry& { return RowClue(r, k); });
        R = std::max(R, count);
    }
}

}  // namespace mosgrid
