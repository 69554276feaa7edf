#include "solver/core/BoardCopy.h"

#include <cstdint>
#include <vector>

namespace mosgrid {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    out[at] = std::uint8_t(value);
    out[at + 1] = std::uint8_t(value >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    Put16(out, at, value);
    Put16(out, at + 2, value >> 16);
}

// The picture as an 8-bit BMP: every palette entry the picture has and every pixel's index
// survive the trip, whatever the depth of the file it came from.
std::vector<std::uint8_t> EncodeBmp8(const CBmpFile& picture) {
    constexpr std::size_t kPaletteOffset = 54;
    constexpr std::size_t kPixelOffset = kPaletteOffset + 256 * 4;
    const std::size_t width = std::size_t(picture.width);
    const std::size_t height = std::size_t(picture.height);
    const std::size_t stride = (width + 3) / 4 * 4;
    std::vector<std::uint8_t> bytes(kPixelOffset + stride * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, std::uint32_t(bytes.size()));
    Put32(bytes, 10, std::uint32_t(kPixelOffset));
    Put32(bytes, 14, 40);
    Put32(bytes, 18, std::uint32_t(width));
    Put32(bytes, 22, std::uint32_t(height));
    Put16(bytes, 26, 1);
    Put16(bytes, 28, 8);
    for (int i = 0; i < picture.PaletteSize() && i < 256; ++i) {
        const COLORREF colour = picture.PaletteColour(i);
        std::uint8_t* entry = &bytes[kPaletteOffset + std::size_t(i) * 4];
        entry[0] = std::uint8_t(colour >> 16);  // blue
        entry[1] = std::uint8_t(colour >> 8);   // green
        entry[2] = std::uint8_t(colour);        // red
    }
    // Bottom row first.
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* row = &bytes[kPixelOffset + (height - 1 - y) * stride];
        for (std::size_t x = 0; x < width; ++x) row[x] = picture.PixelIndex(int(x), int(y));
    }
    return bytes;
}

}  // namespace

bool CopyPuzzle(const BoardModel& from, BoardModel& to) {
    to.Clear();
    if (!from.HasPuzzle()) return false;
    // The reader keeps the size of its palette to itself, so the copy is read back from an
    // encoding of the same palette and pixels.
    const std::vector<std::uint8_t> bytes = EncodeBmp8(from.picture);
    if (to.picture.LoadFromBytes(bytes.data(), bytes.size()) != 1 || !to.SetupFromLoadedPicture(from.name)) {
        to.Clear();
        return false;
    }
    // The clues as the source holds them, which is what the solver reads.
    to.K = from.K;
    to.R = from.R;
    to.columnClues = from.columnClues;
    to.rowClues = from.rowClues;
    return true;
}

void CopyGame(const BoardModel& from, BoardModel& to) {
    to.cells = from.cells;
    to.columnClues = from.columnClues;
    to.rowClues = from.rowClues;
    to.columnSolved = from.columnSolved;
    to.rowSolved = from.rowSolved;
    to.variants = from.variants;
    to.currentVariant = from.currentVariant;
    to.gameOver = from.gameOver;
    to.hints = from.hints;
    to.tapCounter = from.tapCounter;
    to.seconds = from.seconds;
    to.minutes = from.minutes;
    to.hours = from.hours;
    to.currentColour = from.currentColour;
}

}  // namespace mosgrid
