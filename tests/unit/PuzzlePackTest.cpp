// The bundled puzzle pack: every source became a picture the catalogue accepts and every puzzle
// has exactly one solution by the game's own solver.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "board/core/BoardModel.h"
#include "catalogue/core/PictureFiles.h"
#include "solver/core/SolvePuzzle.h"
#include "solver/core/SolveProgress.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;

TEST(PuzzlePack, EveryPuzzleLoadsAndHasExactlyOneSolution) {
    int puzzles = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(MOSGRID_SOURCE_DIR) / "puzzles" / "src")) {
        if (entry.path().extension() != ".txt") continue;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        ++puzzles;
        auto board = std::make_unique<BoardModel>();  // large: kept off the stack
        ASSERT_TRUE(board->Setup(fs::path(MOSGRID_GAME_DIR) / (name + ".bmp"), u"pack"));
        const CBmpFile& bmp = board->picture;
        EXPECT_TRUE(IsPuzzlePicture(bmp));  // as the catalogue's scan demands
        // White background, and no colour under two palette indices.
        std::map<COLORREF, int> indexOf;
        int whitePixels = 0;
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) {
                const std::uint8_t index = bmp.PixelIndex(x, y);
                const COLORREF colour = bmp.PaletteColour(index);
                whitePixels += colour == kWhite;
                EXPECT_EQ(indexOf.emplace(colour, index).first->second, index);
            }
        EXPECT_GT(whitePixels, 0);
        board->Reset();
        CountingProgress progress;
        const SolveResult result = SolvePuzzle(*board, progress);
        EXPECT_FALSE(result.unsupported);
        EXPECT_EQ(result.count, 1) << "not exactly one solution";
    }
    EXPECT_GE(puzzles, 60);
}

}  // namespace
}  // namespace mosgrid
