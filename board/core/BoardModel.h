// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "board/core/BoardTypes.h"
#include "common/BmpFile.h"

namespace mosgrid {

// One puzzle in play: the hidden picture, the clues derived from it, the player's marks, the
// game flags, the clock and the solution variants. A plain value that copies as a whole; the
// game in play (Game) is its one owner and applies the rules, drawing and input live in the
// board widget.
class BoardModel {
public:
    using Cells = std::vector<CellRecord>;

    // Replaces the puzzle by the one in the picture file. Returns true when a puzzle is loaded
    // afterwards; on a failed read or an empty picture the model is left without a puzzle.
    // Does not reset the marks: call Reset() afterwards (Game::Restart does).
    bool Setup(const std::filesystem::path& picturePath, const std::u16string& name);
    // Sets up from a picture already loaded into `picture` (tests and tools).
    bool SetupFromLoadedPicture(const std::u16string& name);
    // Back to no puzzle: arrays released, K = R = 0, cols = rows = 0.
    void Clear();
    // A new game on the same puzzle: variants released, game in play, solved flags 0, every
    // cell blank, every clue restored, clock at 0:00:00.
    void Reset();
    void ReleaseVariants();
    // True when the player has decided at least one cell (painted or crossed).
    bool AnyDecided() const;

    bool HasPuzzle() const { return cols() > 0; }
    int cols() const { return cols_; }
    int rows() const { return rows_; }

    CellRecord& Cell(int c, int r) { return cells[std::size_t(r) * std::size_t(cols_) + std::size_t(c)]; }
    const CellRecord& Cell(int c, int r) const { return cells[std::size_t(r) * std::size_t(cols_) + std::size_t(c)]; }
    // Slot k of column c (slot 0 is the run nearest the grid, the bottom-most one).
    ClueEntry& ColumnClue(int c, int k) { return columnClues[std::size_t(k) * std::size_t(cols_) + std::size_t(c)]; }
    const ClueEntry& ColumnClue(int c, int k) const { return columnClues[std::size_t(k) * std::size_t(cols_) + std::size_t(c)]; }
    // Slot k of row r (slot 0 is the right-most run).
    ClueEntry& RowClue(int r, int k) { return rowClues[std::size_t(k) * std::size_t(rows_) + std::size_t(r)]; }
    const ClueEntry& RowClue(int r, int k) const { return rowClues[std::size_t(k) * std::size_t(rows_) + std::size_t(r)]; }

    // The colour of a clue (its palette entry) and of the picture at a cell.
    COLORREF ClueColour(const ClueEntry& e) const { return picture.PaletteColour(e.colourIndex); }
    COLORREF PictureColour(int c, int r) const { return picture.PaletteColour(picture.PixelIndex(c, r)); }
    // The first colour of the picture's colour list that is not white; false when there is none.
    bool FirstPuzzleColour(COLORREF& out) const;

    CBmpFile picture;
    int K = 0;  // column-clue slots in use
    int R = 0;  // row-clue slots in use
    std::vector<ClueEntry> columnClues;  // 50 * cols, slot-major
    std::vector<ClueEntry> rowClues;     // 50 * rows, slot-major
    Cells cells;                         // cols * rows, row-major
    std::vector<Cells> variants;         // solution variants, at most 100
    std::int32_t currentVariant = 0;
    std::int32_t gameOver = 0;
    std::int32_t hints = 0;
    std::int32_t tapCounter = 0;
    std::u16string name;
    std::array<std::int32_t, kMaxSlots> columnSolved{};
    std::array<std::int32_t, kMaxSlots> rowSolved{};
    std::int32_t seconds = 0;
    std::int32_t minutes = 0;
    std::int32_t hours = 0;
    COLORREF currentColour = 0x000000;

private:
    void DeriveClues();
    int cols_ = 0;
    int rows_ = 0;
};

}  // namespace mosgrid
