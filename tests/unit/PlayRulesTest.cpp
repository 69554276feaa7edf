#include <gtest/gtest.h>

#include <memory>

#include "board/core/BoardModel.h"
#include "board/core/BoardTexts.h"
#include "board/core/CellMarking.h"
#include "board/core/GameClock.h"
#include "board/core/LineCheck.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGreen = 0x00FF00;

std::unique_ptr<BoardModel> Model(const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
    test::TempFolder folder;
    auto path = folder / "p.bmp";
    EXPECT_TRUE(WriteBmp4(path, test::PictureFromText(rows, std::move(palette))));
    auto m = std::make_unique<BoardModel>();
    EXPECT_TRUE(m->Setup(path, u"p"));
    m->Reset();
    return m;
}

TEST(MarkingCycle, ColourCrossBlankColourAndRepaintInAnotherColour) {
    CellRecord cell{1, kWhite};
    cell = NextMark(cell, kRed);
    EXPECT_EQ(cell.state, 0);
    EXPECT_EQ(cell.colour, kRed);
    cell = NextMark(cell, kRed);
    EXPECT_EQ(cell.state, 0);
    EXPECT_EQ(cell.colour, kWhite);  // crossed
    cell = NextMark(cell, kRed);
    EXPECT_EQ(cell.state, 1);
    EXPECT_EQ(cell.colour, kWhite);  // blank
    cell = NextMark(cell, kRed);
    EXPECT_EQ(cell.colour, kRed);
    // Another current colour repaints instead of crossing.
    cell = NextMark(cell, kBlue);
    EXPECT_EQ(cell.state, 0);
    EXPECT_EQ(cell.colour, kBlue);
    // A crossed cell goes blank whatever the current colour.
    EXPECT_EQ(NextMark(CellRecord{0, kWhite}, kBlue).state, 1);
}

TEST(LineCheck, WhiteCellsCountOnlyWhenCrossed) {
    auto model = Model({"1.", ".."}, {kWhite, kRed});
    BoardModel& m = *model;
    MarkCell(m, 0, 0, kRed);
    EXPECT_FALSE(RowComplete(m, 0));  // (1, 0) is blank
    MarkCell(m, 1, 0, kRed);
    EXPECT_FALSE(RowComplete(m, 0));  // painted where the picture is white
    MarkCell(m, 1, 0, kRed);          // now crossed
    EXPECT_TRUE(RowComplete(m, 0));
    EXPECT_FALSE(ColumnComplete(m, 0));
    LineCheckResult r = CheckLinesThrough(m, 0, 0);
    EXPECT_TRUE(r.rowComplete);
    EXPECT_FALSE(r.columnComplete);
    EXPECT_EQ(m.rowSolved[0], 1);
    EXPECT_EQ(m.columnSolved[0], 0);
}

TEST(LineCheck, WrongColourKeepsTheLineIncompleteAndSolvedNeedsEveryFlag) {
    auto model = Model({"12"}, {kWhite, kRed, kBlue});
    BoardModel& m = *model;
    MarkCell(m, 0, 0, kRed);
    MarkCell(m, 1, 0, kGreen);  // right length, wrong colour
    CheckLinesThrough(m, 0, 0);
    CheckLinesThrough(m, 1, 0);
    EXPECT_FALSE(AllLinesSolved(m));
    MarkCell(m, 1, 0, kBlue);
    CheckLinesThrough(m, 1, 0);
    EXPECT_TRUE(AllLinesSolved(m));
    RevealCell(m, 1, 0);
    EXPECT_EQ(m.Cell(1, 0).colour, kBlue);
    BoardModel empty;
    EXPECT_FALSE(AllLinesSolved(empty));
}

TEST(GameClock, TickRollsSecondsAndMinutesIntoHours) {
    BoardModel m;
    m.hours = 0;
    m.minutes = 59;
    m.seconds = 59;
    TickClock(m);
    EXPECT_EQ(ClockOf(m), (ClockTime{1, 0, 0}));
    EXPECT_EQ(FormatClock(ClockOf(m)), "1:00:00");
    EXPECT_EQ(FormatClock({100, 0, 5}), "100:00:05");
}

TEST(GameClock, RevealPenaltyCarriesWholeHours) {
    BoardModel m;
    m.hours = 0;
    m.minutes = 50;
    m.seconds = 30;
    AddPenaltyMinutes(m, 15);
    EXPECT_EQ(ClockOf(m), (ClockTime{1, 5, 30}));
    // Nothing is lost at the next tick.
    TickClock(m);
    EXPECT_EQ(ClockOf(m), (ClockTime{1, 5, 31}));
    AddPenaltyMinutes(m, 130);
    EXPECT_EQ(ClockOf(m), (ClockTime{3, 15, 31}));
}

TEST(BestTime, StrictlyShorterWinsAndFirstSolveAlwaysCounts) {
    EXPECT_EQ(BestTimeAfterSolve(0, {0, 0, 0}, {2, 3, 4}), (ClockTime{2, 3, 4}));
    EXPECT_EQ(BestTimeAfterSolve(0, {0, 0, 1}, {2, 3, 4}), (ClockTime{2, 3, 4}));  // never solved
    EXPECT_EQ(BestTimeAfterSolve(3, {0, 10, 0}, {0, 10, 0}), (ClockTime{0, 10, 0}));
    EXPECT_EQ(BestTimeAfterSolve(3, {0, 10, 0}, {0, 9, 59}), (ClockTime{0, 9, 59}));
    // By total seconds, not by parts.
    EXPECT_EQ(BestTimeAfterSolve(1, {1, 0, 0}, {0, 59, 59}), (ClockTime{0, 59, 59}));
    EXPECT_EQ(BestTimeAfterSolve(1, {0, 59, 59}, {1, 0, 0}), (ClockTime{0, 59, 59}));
    // The catalogue keeps 8 bits a part: 257 hours compare as 1.
    EXPECT_EQ(BestTimeAfterSolve(1, {2, 0, 0}, {257, 0, 0}), (ClockTime{1, 0, 0}));
}

TEST(BoardTexts, MessagesAsTheBoardShowsThem) {
    EXPECT_EQ(SolvedMessage({0, 5, 7}, {0, 4, 59}),
              "Кроссворд решен.\nЗатрачено времени - 0:05:07.\nЛучшее время - 0:04:59.");
    EXPECT_EQ(RevealColumnQuestion(3), "Вы хотите открыть 3 столбец ?");
    EXPECT_EQ(RevealRowQuestion(12), "Вы хотите открыть 12 ряд ?");
}

}  // namespace
}  // namespace mosgrid
