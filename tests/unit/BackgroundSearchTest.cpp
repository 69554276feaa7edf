// SPDX-License-Identifier: GPL-3.0-or-later
// The check's search on its own thread over a copy of the puzzle: the same results as the search
// on the board's own model, and the board left alone. Every bundled puzzle is among the boards,
// and must have exactly one solution.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "catalogue/core/PictureFiles.h"
#include "solver/core/BackgroundSearch.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

std::string Bytes(const BoardModel::Cells& cells) {
    std::string out(cells.size() * sizeof(CellRecord), '\0');
    if (!cells.empty()) std::memcpy(out.data(), cells.data(), out.size());
    return out;
}

TEST(BackgroundSearch, FindsWhatTheSearchOnTheBoardFindsAndLeavesTheBoardAlone) {
    std::vector<std::unique_ptr<BoardModel>> boards;
    boards.push_back(test::BoardFromText({"1.", ".1"}, {kWhite, kBlack}));
    boards.push_back(test::BoardFromText({"..1", ".11", "111"}, {kBlack, kRed}));
    boards.push_back(test::BoardFromText({"1.", ".1"}, {kWhite, kBlack}));
    boards.back()->RowClue(0, 0).length = 2;  // clues of no picture: no solution
    std::mt19937 random(1);
    for (int square = 0; square < 8; ++square) {  // 12 x 12 random pixels, each filled or white
        std::vector<std::string> rows(12);
        for (std::string& row : rows)
            for (int i = 0; i < 12; ++i) row += random() % 2 ? '1' : '.';
        boards.push_back(test::BoardFromText(rows, {kWhite, kBlack}));
    }
    // Every row and column a single 1: 7! solutions, of which the store keeps the first hundred.
    boards.push_back(test::BoardFromText({"1......", ".1.....", "..1....", "...1...", "....1..", ".....1.", "......1"},
                                         {kWhite, kBlack}));
    const std::size_t made = boards.size();
    for (const auto& entry : std::filesystem::directory_iterator(MOSGRID_SOURCE_DIR "/puzzles/src")) {
        if (entry.path().extension() != ".txt") continue;  // each source became a picture of the game
        auto picture = std::filesystem::path(MOSGRID_GAME_DIR) / entry.path().filename().replace_extension(".bmp");
        auto board = std::make_unique<BoardModel>();
        ASSERT_TRUE(board->Setup(picture, u"p") && IsPuzzlePicture(board->picture)) << picture << " (build the game)";
        board->Reset();
        boards.push_back(std::move(board));
    }
    ASSERT_GE(boards.size(), made + 60);
    std::vector<SolveResult> results;
    for (std::size_t i = 0; i < boards.size(); ++i) {
        SCOPED_TRACE(i);
        BoardModel& board = *boards[i];
        const std::string blank = Bytes(board.cells);
        BackgroundSearch search(board);
        search.Wait();
        EXPECT_EQ(Bytes(board.cells), blank);
        CountingProgress progress;
        const SolveResult expected = SolvePuzzle(board, progress);
        const SolveResult& found = search.Result();
        EXPECT_EQ(found.count, expected.count);
        EXPECT_TRUE(i < made || expected.count == 1) << "a bundled puzzle with " << expected.count << " solutions";
        EXPECT_EQ(found.storeFull, expected.storeFull);
        EXPECT_FALSE(found.stopped);
        ASSERT_EQ(found.variants.size(), expected.variants.size());
        for (std::size_t v = 0; v < expected.variants.size(); ++v)
            EXPECT_EQ(Bytes(found.variants[v]), Bytes(expected.variants[v])) << "variant " << v;
        EXPECT_EQ(Bytes(found.cells), Bytes(expected.cells));
        EXPECT_EQ(Bytes(board.cells), blank);
        results.push_back(expected);
    }
    // The store of the 7 x 7 board holds the first hundred in order: first the anti-diagonal.
    const SolveResult& square = results[made - 1];
    ASSERT_EQ(square.variants.size(), std::size_t(kMaxVariants));
    EXPECT_TRUE(square.variants[0][6].colour == kBlack && square.variants[0][42].colour == kBlack);
}

}  // namespace
}  // namespace mosgrid
