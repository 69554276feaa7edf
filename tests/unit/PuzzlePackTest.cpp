// The bundled puzzle pack: every source became a picture the catalogue accepts, the pack has the
// promised spread of sizes and colours, and every puzzle has exactly one solution.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "board/core/BoardModel.h"
#include "catalogue/core/BmpFile.h"
#include "solver/core/SolvePuzzle.h"
#include "tests/unit/SolverTestBoards.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> PuzzleNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(MOSGRID_SOURCE_DIR) / "puzzles" / "src")) {
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    }
    return names;
}

struct Loaded {
    std::string name;
    int width = 0;
    int height = 0;
    int colours = 0;  // distinct colours of the pixels, white included
    std::unique_ptr<BoardModel> board;  // the puzzle set up as the game plays it, every cell blank
};

// Loads a pack picture as the catalogue does and checks what it demands of it.
Loaded LoadPuzzle(const std::string& name) {
    Loaded out;
    out.name = name;
    out.board = std::make_unique<BoardModel>();
    const fs::path path = fs::path(MOSGRID_GAME_DIR) / (name + ".bmp");
    EXPECT_TRUE(out.board->Setup(path, u"pack")) << path;
    const CBmpFile& bmp = out.board->picture;
    EXPECT_EQ(bmp.infoHeader.biBitCount, 4) << name;
    EXPECT_GE(bmp.infoHeader.biWidth, 1) << name;
    EXPECT_LE(bmp.infoHeader.biWidth, 50) << name;
    EXPECT_GE(bmp.infoHeader.biHeight, 1) << name;
    EXPECT_LE(bmp.infoHeader.biHeight, 50) << name;
    out.width = bmp.width;
    out.height = bmp.height;
    out.colours = bmp.colourCount;
    int white = -1;
    int palettes = 0;
    std::map<COLORREF, int> seen;
    for (int i = 0; i < bmp.PaletteSize(); ++i) {
        if (bmp.PaletteColour(i) == kWhite && white < 0) white = i;
    }
    EXPECT_GE(white, 0) << name << ": white is not in the palette";
    int whitePixels = 0;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            std::uint8_t index = bmp.PixelIndex(x, y);
            COLORREF colour = bmp.PaletteColour(index);
            if (colour == kWhite) ++whitePixels;
            if (seen.emplace(colour, index).first->second != index) ++palettes;
        }
    }
    EXPECT_EQ(palettes, 0) << name << ": one colour under two palette indices";
    EXPECT_GT(whitePixels, 0) << name << ": no white background";
    out.board->Reset();
    return out;
}

TEST(PuzzlePack, EveryPuzzleLoadsAndHasExactlyOneSolution) {
    const std::vector<std::string> names = PuzzleNames();
    ASSERT_GE(names.size(), 60u);
    int twoColour = 0;
    int manyColour = 0;
    std::map<int, int> bands;  // upper bound of the size band -> puzzles in it
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        Loaded p = LoadPuzzle(name);
        if (HasFailure()) continue;
        (p.colours == 2 ? twoColour : manyColour) += 1;
        EXPECT_LE(p.colours, 16);
        const int side = std::max(p.width, p.height);
        for (int bound : {10, 15, 20, 25, 40, 50}) {
            if (side <= bound) {
                bands[bound] += 1;
                break;
            }
        }
        CountingProgress progress;
        const SolveResult result = SolvePuzzle(*p.board, progress);
        EXPECT_FALSE(result.unsupported) << name;
        EXPECT_EQ(result.count, 1) << name << " does not have exactly one solution";
        EXPECT_FALSE(result.storeFull) << name;
    }
    EXPECT_GE(twoColour, 40);
    EXPECT_GE(manyColour, 15);
    for (int bound : {10, 15, 20, 25, 40, 50}) EXPECT_GE(bands[bound], 3) << "sizes up to " << bound;
}

// The pack's uniqueness check must be able to say no: the two diagonals of a 2 x 2 square have
// the same clues, so the solver finds both; a picture its clues fix passes.
TEST(PuzzlePack, CheckRejectsAmbiguousPictures) {
    auto diagonal = test::BoardFromText({"1.", ".1"}, {kWhite, kBlack});
    ASSERT_TRUE(diagonal);
    CountingProgress progress;
    SolveResult result = SolvePuzzle(*diagonal, progress);
    EXPECT_EQ(result.count, 2);
    EXPECT_FALSE(result.linesAlone);

    // Red and blue runs that touch, fixed by their columns.
    auto touching = test::BoardFromText({"122", "1.."}, {kWhite, 0x0000FF, 0xFF0000});
    ASSERT_TRUE(touching);
    result = SolvePuzzle(*touching, progress);
    EXPECT_EQ(result.count, 1);
    EXPECT_FALSE(result.storeFull);
    EXPECT_TRUE(result.linesAlone);
}

}  // namespace
}  // namespace mosgrid
