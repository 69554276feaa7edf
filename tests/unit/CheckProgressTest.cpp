// The check's arithmetic without windows: the progress bar's threshold and the one-second rule
// of the progress dialog, the check's duration in clock fields and its messages, and the pacing
// of the board's drawing during a search.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "solver/core/CheckReport.h"
#include "solver/core/ProgressTracker.h"
#include "solver/core/RepaintPacer.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

TEST(ProgressTrackerTest, BarMovesOnlyAboveTheThresholdWhichSkipsAheadByStepMasking) {
    ProgressTracker t(0);
    t.SetRange(25, 0);
    EXPECT_EQ(t.Step(), 2u);
    std::vector<unsigned> moved, thresholds;
    for (std::uint32_t p = 1; p <= 15; ++p) {
        if (t.SetPos(p, 0).moveBar) {
            moved.push_back(p);
            thresholds.push_back(t.Threshold());
        }
        EXPECT_EQ(t.Position(), p);
    }
    EXPECT_EQ(moved, (std::vector<unsigned>{1, 2, 5, 6, 9, 10, 13, 14}));
    EXPECT_EQ(thresholds, (std::vector<unsigned>{1, 4, 5, 8, 9, 12, 13, 16}));
}

TEST(ProgressTrackerTest, PositionsRestoredAfterABranchDoNotMoveTheBar) {
    ProgressTracker t(0);
    t.SetRange(100, 0);  // step 10
    EXPECT_TRUE(t.SetPos(30, 0).moveBar);
    const std::uint32_t threshold = t.Threshold();
    EXPECT_EQ(threshold, (30u + 10u) & ~10u);
    EXPECT_FALSE(t.SetPos(12, 0).moveBar);
    EXPECT_EQ(t.Position(), 12u);
    EXPECT_EQ(t.Threshold(), threshold);
}

TEST(ProgressTrackerTest, StepItAdvancesByOneAndWrapsToZeroPastTheRange) {
    ProgressTracker t(0);
    t.SetRange(3, 0);  // step 0: the threshold follows the position exactly
    std::vector<unsigned> seen;
    std::vector<bool> moves;
    for (int i = 0; i < 5; ++i) {
        moves.push_back(t.StepIt(0).moveBar);
        seen.push_back(t.Position());
    }
    EXPECT_EQ(seen, (std::vector<unsigned>{1, 2, 3, 0, 1}));
    // 0 is not above the threshold 3, nor is 1 afterwards.
    EXPECT_EQ(moves, (std::vector<bool>{true, true, true, false, false}));
}

TEST(ProgressTrackerTest, ShowsOnceMoreThanOneSecondAfterTheRangeWasSet) {
    ProgressTracker t(5000);
    t.SetRange(10, 9000);  // the range restarts the clock
    EXPECT_FALSE(t.SetPos(1, 9500).show);
    EXPECT_FALSE(t.SetPos(2, 10000).show);  // exactly one second: not yet
    EXPECT_FALSE(t.Shown());
    EXPECT_TRUE(t.SetPos(2, 10001).show);
    EXPECT_TRUE(t.Shown());
    EXPECT_FALSE(t.SetPos(3, 20000).show);  // only once
    EXPECT_EQ(t.Elapsed(20000), 11000u);
}

TEST(ProgressTrackerTest, ClockWrappingRoundStillMeasuresTheDifference) {
    ProgressTracker t(0);
    t.SetRange(10, 0xFFFFFF00u);
    EXPECT_FALSE(t.SetPos(1, 0xFFFFFFF0u).show);
    EXPECT_FALSE(t.SetPos(1, 100u).show);  // 356 ms after the start, across the wrap
    EXPECT_TRUE(t.SetPos(1, 0x400u).show);
    EXPECT_EQ(t.Elapsed(0x400u), 0x500u);
}

TEST(CheckReportTest, DurationKeepsEachFieldModuloSixty) {
    EXPECT_EQ(CheckDuration(0), (ClockTime{0, 0, 0}));
    EXPECT_EQ(CheckDuration(999), (ClockTime{0, 0, 0}));
    EXPECT_EQ(CheckDuration(61'500), (ClockTime{0, 1, 1}));
    EXPECT_EQ(CheckDuration(3'600'000 + 59 * 60'000 + 59'999), (ClockTime{1, 59, 59}));
    // 61 hours: the hours field wraps too.
    EXPECT_EQ(CheckDuration(61u * 3'600'000u + 2'000u), (ClockTime{1, 0, 2}));
}

TEST(CheckReportTest, ResultMessageCarriesHoursMinutesSecondsAndCountInThatOrder) {
    EXPECT_EQ(CheckResultMessage(ClockTime{0, 0, 0}, 1),
              "Кроссворд решен .\nЗатрачено времени:\n0час.0мин. 0сек.\nНайдено вариантов решения - 1.");
    EXPECT_EQ(CheckResultMessage(ClockTime{2, 13, 7}, 100),
              "Кроссворд решен .\nЗатрачено времени:\n2час.13мин. 7сек.\nНайдено вариантов решения - 100.");
}

TEST(CheckReportTest, AcceptsExactlyTwoColoursWhiteOrNot) {
    auto model = [](const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
        auto m = std::make_unique<BoardModel>();
        const std::vector<std::uint8_t> bytes = EncodeBmp4(test::PictureFromText(rows, std::move(palette)));
        EXPECT_EQ(m->picture.LoadFromBytes(bytes.data(), bytes.size()), 1);
        EXPECT_TRUE(m->SetupFromLoadedPicture(u"t"));
        return m;
    };
    EXPECT_TRUE(CheckAccepts(*model({"1.", ".1"}, {kWhite, kBlack})));
    EXPECT_TRUE(CheckAccepts(*model({"12", "21"}, {kWhite, kBlack, 0x0000FF})));  // black and red
    EXPECT_FALSE(CheckAccepts(*model({"12", ".1"}, {kWhite, kBlack, 0x0000FF})));
    EXPECT_FALSE(CheckAccepts(*model({"11", "11"}, {kWhite, kBlack})));  // one colour only
}

TEST(RepaintPacerTest, DrawsEachWrittenCellOnceAndOnlyWhenTheIntervalHasPassed) {
    RepaintPacer pacer(6, 50, 1000);
    pacer.CellWritten(4);
    pacer.CellWritten(1);
    pacer.CellWritten(4);
    pacer.CellWritten(6);   // outside the board
    pacer.CellWritten(-1);
    EXPECT_EQ(pacer.PendingCells(), 2u);
    EXPECT_FALSE(pacer.Due(1049));
    EXPECT_TRUE(pacer.Due(1050));
    std::vector<int> drawn;
    pacer.Flush([&](int i) { drawn.push_back(i); }, 1060);
    EXPECT_EQ(drawn, (std::vector<int>{4, 1}));
    EXPECT_EQ(pacer.Flushes(), 1);
    // The interval counts from the last drawing; a cell drawn can be written and drawn again.
    EXPECT_FALSE(pacer.Due(1100));
    EXPECT_TRUE(pacer.Due(1110));
    pacer.CellWritten(4);
    drawn.clear();
    pacer.Flush([&](int i) { drawn.push_back(i); }, 1110);
    EXPECT_EQ(drawn, (std::vector<int>{4}));
}

}  // namespace
}  // namespace mosgrid
