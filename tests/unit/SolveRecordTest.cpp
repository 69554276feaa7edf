// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <tuple>

#include "board/core/GameClock.h"
#include "catalogue/core/SolveRecord.h"
#include "tests/unit/CatalogRecords.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

// Counting a solve of a catalogued puzzle, and the best time on a tie, are what the board's own
// solve walks through; here the cases it does not meet.
TEST(RecordSolve, APictureWithoutARecordIsCataloguedAndANameWithoutAPictureIsNot) {
    test::TempFolder folder;
    for (const char* file : {"a.bmp", "b.bmp"})
        ASSERT_TRUE(WriteBmp4(folder / file, test::PictureFromText({"1"}, {kWhite, kRed})));
    test::WriteCatalog(folder / "mg.bd", {{u"a", 4, 0, 20, 0}});
    // "b" gets a record with zero counters, so the first solve sets its time.
    const SolveOutcome o = RecordSolve(folder.path(), u"b", {0, 3, 9});
    EXPECT_TRUE(o.saved && o.best == (ClockTime{0, 3, 9}));
    // The message still gets the time of a name the catalogue cannot list.
    EXPECT_EQ(RecordSolve(folder.path(), u"ghost", {1, 2, 3}).best, (ClockTime{1, 2, 3}));
    const auto entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(std::tuple(entries[0].name, entries[0].solvedCount, entries[0].minutes), std::tuple(u"a", 4, 20));
    EXPECT_EQ(std::tuple(entries[1].name, entries[1].solvedCount, entries[1].minutes, entries[1].seconds),
              std::tuple(u"b", 1, 3, 9));
    // A catalogue that cannot be written is reported with its path.
    const SolveOutcome lost = RecordSolve(folder / "gone", u"a", {0, 1, 2});
    EXPECT_FALSE(lost.saved);
    EXPECT_EQ(lost.catalogPath, folder / "gone" / "mg.bd");
}

TEST(GameClock, SecondsAndPenaltiesCarryIntoMinutesAndHours) {
    BoardModel model;
    model.minutes = 59;
    model.seconds = 59;
    TickClock(model);
    EXPECT_EQ(ClockOf(model), (ClockTime{1, 0, 0}));
    AddPenaltyMinutes(model, 130);
    EXPECT_EQ(ClockOf(model), (ClockTime{3, 10, 0}));
    model.minutes = 59;
    TickClock(model);
    EXPECT_EQ(TimeText(ClockOf(model)), "3:59:01");
}

TEST(BestTime, ReplacedOnlyWhenNeverSolvedOrStrictlyShorterInTotalSeconds) {
    struct Case { int count; ClockTime stored, elapsed, best; };
    for (const Case& k : {Case{0, {0, 0, 1}, {2, 3, 4}, {2, 3, 4}},       // never solved
                          Case{3, {0, 9, 60}, {0, 10, 0}, {0, 9, 60}},     // a tie of total seconds keeps the stored one
                          Case{1, {1, 0, 0}, {0, 59, 59}, {0, 59, 59}},
                          Case{1, {2, 0, 0}, {257, 0, 0}, {1, 0, 0}}}) {   // 8 bits a part stored
        const ClockTime got = BestTimeAfterSolve(k.count, k.stored, k.elapsed);
        EXPECT_EQ(got, k.best) << TimeText(k.stored) << " vs " << TimeText(k.elapsed);
    }
}

}  // namespace
}  // namespace mosgrid
