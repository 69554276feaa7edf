#include <gtest/gtest.h>

#include <memory>

#include "board/core/BoardModel.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kBlue = 0xFF0000;

std::unique_ptr<BoardModel> SetUpModel(const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
    test::TempFolder folder;
    auto path = folder / "p.bmp";
    EXPECT_TRUE(WriteBmp4(path, test::PictureFromText(rows, std::move(palette))));
    auto m = std::make_unique<BoardModel>();
    EXPECT_TRUE(m->Setup(path, u"p"));
    return m;
}

TEST(ClueDerivation, ColumnSlotsCountFromTheGridUpwards) {
    // Column top to bottom: white, red, red, white, blue.
    auto model = SetUpModel({".", "1", "1", ".", "2"}, {kWhite, kRed, kBlue});
    BoardModel& m = *model;
    ASSERT_EQ(m.K, 2);
    EXPECT_EQ(m.ColumnClue(0, 0).length, 1);
    EXPECT_EQ(m.ClueColour(m.ColumnClue(0, 0)), kBlue);
    EXPECT_EQ(m.ColumnClue(0, 1).length, 2);
    EXPECT_EQ(m.ClueColour(m.ColumnClue(0, 1)), kRed);
    EXPECT_EQ(m.ColumnClue(0, 2).length, 0);
}

TEST(ClueDerivation, TouchingRunsAndEqualColoursOfOtherIndices) {
    // Row red, red, blue: two clues with no gap. Indices 1 and 3 are both red: two red clues.
    auto model = SetUpModel({"112", "133"}, {kWhite, kRed, kBlue, kRed});
    BoardModel& m = *model;
    ASSERT_EQ(m.R, 2);
    EXPECT_EQ(m.RowClue(0, 0).length, 1);
    EXPECT_EQ(m.ClueColour(m.RowClue(0, 0)), kBlue);
    EXPECT_EQ(m.RowClue(0, 1).length, 2);
    EXPECT_EQ(m.RowClue(1, 0).length, 2);
    EXPECT_EQ(m.RowClue(1, 0).colourIndex, 3);
    EXPECT_EQ(m.RowClue(1, 1).length, 1);
    EXPECT_EQ(m.RowClue(1, 1).colourIndex, 1);
}

TEST(ClueDerivation, WhiteNeverFormsAClueWhateverItsIndex) {
    // Palette entry 0 is black here and entry 1 white.
    auto model = SetUpModel({"0101", "1111"}, {kBlack, kWhite});
    BoardModel& m = *model;
    EXPECT_EQ(m.R, 2);
    EXPECT_EQ(m.K, 1);
    EXPECT_EQ(m.RowClue(1, 0).length, 0);
    EXPECT_EQ(m.ColumnClue(1, 0).length, 0);
    EXPECT_EQ(m.ColumnClue(0, 0).length, 1);
}

TEST(ClueDerivation, AllWhitePictureHasNoClues) {
    auto model = SetUpModel({"...", "..."}, {kWhite, kRed});
    BoardModel& m = *model;
    EXPECT_TRUE(m.HasPuzzle());
    EXPECT_EQ(m.K, 0);
    EXPECT_EQ(m.R, 0);
    COLORREF c = 123;
    EXPECT_FALSE(m.FirstPuzzleColour(c));
    EXPECT_EQ(c, 123u);
}

TEST(ClueDerivation, FiftyAlternatingRunsFillEverySlot) {
    std::string row;
    for (int i = 0; i < 50; ++i) row += (i % 2 ? '2' : '1');
    std::vector<std::string> rows(50, std::string(50, '.'));
    rows[7] = row;
    auto model = SetUpModel(rows, {kWhite, kRed, kBlue});
    BoardModel& m = *model;
    EXPECT_EQ(m.R, 50);
    for (int k = 0; k < 50; ++k) EXPECT_EQ(m.RowClue(7, k).length, 1);
    EXPECT_EQ(m.RowClue(7, 0).colourIndex, 2);  // the right-most run is slot 0
}

TEST(BoardModel, ArraysLaidOutSlotMajor) {
    auto model = SetUpModel({"1.1", "111"}, {kWhite, kRed});
    BoardModel& m = *model;
    EXPECT_EQ(m.cells.size(), 6u);
    EXPECT_EQ(m.columnClues.size(), 150u);
    EXPECT_EQ(m.rowClues.size(), 100u);
    // Row 0 "1.1": slot 0 (right run) at index 0 * rows + 0, slot 1 at index 1 * rows + 0.
    EXPECT_EQ(m.rowClues[0].length, 1);
    EXPECT_EQ(m.rowClues[2].length, 1);
    EXPECT_EQ(m.rowClues[1].length, 3);
    // Column 1 ".1": slot 0 at index 1.
    EXPECT_EQ(m.columnClues[1].length, 1);
}

TEST(BoardModel, ResetBlanksEverythingAndFailedSetupLeavesNoPuzzle) {
    auto model = SetUpModel({"12"}, {kWhite, kRed, kBlue});
    BoardModel& m = *model;
    m.Reset();
    m.Cell(0, 0) = {0, kRed};
    m.RowClue(0, 0).done = 1;
    m.gameOver = 1;
    m.seconds = 5;
    m.variants.push_back(m.cells);
    m.Reset();
    EXPECT_EQ(m.Cell(0, 0).state, 1);
    EXPECT_EQ(m.Cell(0, 0).colour, kWhite);
    EXPECT_EQ(m.RowClue(0, 0).done, 0);
    EXPECT_EQ(m.gameOver, 0);
    EXPECT_EQ(m.seconds, 0);
    EXPECT_TRUE(m.variants.empty());
    COLORREF first = 0;
    ASSERT_TRUE(m.FirstPuzzleColour(first));
    EXPECT_EQ(first, kRed);

    EXPECT_FALSE(m.Setup("/nonexistent/x.bmp", u"x"));
    EXPECT_FALSE(m.HasPuzzle());
    EXPECT_EQ(m.K, 0);
    EXPECT_TRUE(m.cells.empty());
}

TEST(BoardModel, PicturesLargerThanFiftyAreNotPlayed) {
    auto model = SetUpModel({"1"}, {kWhite, kRed});
    BoardModel& m = *model;
    test::TempFolder folder;
    auto path = folder / "big.bmp";
    ASSERT_TRUE(WriteBmp4(path, test::PictureFromText({std::string(51, '1')}, {kWhite, kRed})));
    EXPECT_FALSE(m.Setup(path, u"big"));
    EXPECT_FALSE(m.HasPuzzle());
}

}  // namespace
}  // namespace mosgrid
