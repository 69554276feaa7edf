#include <gtest/gtest.h>

#include "board/core/BoardModel.h"
#include "board/core/CellMarking.h"
#include "board/core/GameClock.h"
#include "board/core/LineCheck.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kBlue = 0xFF0000;

TEST(LineCheck, LineIsCompleteOnlyWithExactColoursAndWhiteCellsCrossed) {
    test::TempFolder folder;
    ASSERT_TRUE(WriteBmp4(folder / "p.bmp", test::PictureFromText({"1.", "2."}, {kWhite, kRed, kBlue})));
    BoardModel m;
    ASSERT_TRUE(m.Setup(folder / "p.bmp", u"p"));
    m.Reset();
    MarkCell(m, 0, 0, kRed);
    MarkCell(m, 1, 0, kRed);
    EXPECT_FALSE(RowComplete(m, 0));  // painted where the picture is white
    MarkCell(m, 1, 0, kRed);
    EXPECT_TRUE(CheckLinesThrough(m, 1, 0).rowComplete);
    EXPECT_EQ(m.rowSolved[0], 1);
    MarkCell(m, 0, 1, kRed);  // right length, wrong colour
    EXPECT_FALSE(CheckLinesThrough(m, 0, 1).columnComplete);
    RevealCell(m, 0, 1);
    RevealCell(m, 1, 1);
    CheckLinesThrough(m, 0, 1);
    EXPECT_FALSE(AllLinesSolved(m));  // column 1 never re-checked
    CheckLinesThrough(m, 1, 1);
    EXPECT_TRUE(AllLinesSolved(m));
    EXPECT_FALSE(AllLinesSolved(BoardModel{}));
}

TEST(GameClock, TickRollsIntoTheHourAndThePenaltyCarriesWholeHours) {
    BoardModel m;
    m.minutes = 59;
    m.seconds = 59;
    TickClock(m);
    EXPECT_EQ(FormatClock(ClockOf(m)), "1:00:00");
    m.minutes = 50;
    m.seconds = 30;
    AddPenaltyMinutes(m, 15);
    EXPECT_EQ(ClockOf(m), (ClockTime{2, 5, 30}));
    TickClock(m);  // nothing is lost at the next tick
    EXPECT_EQ(ClockOf(m), (ClockTime{2, 5, 31}));
    AddPenaltyMinutes(m, 130);
    EXPECT_EQ(FormatClock(ClockOf(m)), "4:15:31");
}

TEST(BestTime, ReplacedOnlyWhenNeverSolvedOrStrictlyShorterInTotalSeconds) {
    struct Case { int count; ClockTime stored, elapsed, best; };
    for (const Case& k : {Case{0, {0, 0, 1}, {2, 3, 4}, {2, 3, 4}},       // never solved
                          Case{3, {0, 9, 60}, {0, 10, 0}, {0, 9, 60}},     // a tie keeps the stored one
                          Case{3, {0, 10, 0}, {0, 9, 59}, {0, 9, 59}},
                          Case{1, {1, 0, 0}, {0, 59, 59}, {0, 59, 59}},    // by total seconds,
                          Case{1, {0, 59, 59}, {1, 0, 0}, {0, 59, 59}},    // not by parts
                          Case{1, {2, 0, 0}, {257, 0, 0}, {1, 0, 0}}}) {   // 8 bits a part stored
        const ClockTime got = BestTimeAfterSolve(k.count, k.stored, k.elapsed);
        EXPECT_EQ(got, k.best) << FormatClock(k.stored) << " vs " << FormatClock(k.elapsed);
    }
}

}  // namespace
}  // namespace mosgrid
