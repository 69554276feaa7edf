// The bundled puzzle pack: every source became a picture the catalogue accepts and every puzzle
// has exactly one solution by the game's own solver.
#include <gtest/gtest.h>

#include <filesystem>
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
        auto board = std::make_unique<BoardModel>();
        ASSERT_TRUE(board->Setup(fs::path(MOSGRID_GAME_DIR) / (name + ".bmp"), u"pack"));
        EXPECT_TRUE(IsPuzzlePicture(board->picture));  // as the catalogue's scan demands
        board->Reset();
        CountingProgress progress;
        const SolveResult result = SolvePuzzle(*board, progress);
        EXPECT_EQ(result.count, 1) << "not exactly one solution";
    }
    EXPECT_GE(puzzles, 60);
}

}  // namespace
}  // namespace mosgrid
