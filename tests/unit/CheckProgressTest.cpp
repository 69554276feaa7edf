// The check's arithmetic without windows: the progress bar's threshold and the one-second rule
// of the progress dialog, and the pacing of the board's drawing during a search.
#include <gtest/gtest.h>

#include <vector>

#include "solver/core/ProgressTracker.h"
#include "solver/core/RepaintPacer.h"

namespace mosgrid {
namespace {

TEST(ProgressTrackerTest, BarMovesOnlyAboveTheThresholdAndStepItWrapsPastTheRange) {
    ProgressTracker t(0);
    t.SetRange(25, 0);  // step 2: the threshold becomes (position + 2) with bit 1 cleared
    std::vector<unsigned> moved;
    for (std::uint32_t p = 1; p <= 15; ++p)
        if (t.SetPos(p, 0).moveBar) moved.push_back(p);
    EXPECT_EQ(moved, (std::vector<unsigned>{1, 2, 5, 6, 9, 10, 13, 14}));
    EXPECT_EQ(t.Threshold(), 16u);
    EXPECT_FALSE(t.SetPos(3, 0).moveBar);  // a position put back after a branch
    t.SetPos(25, 0);
    EXPECT_FALSE(t.StepIt(0).moveBar);
    EXPECT_EQ(t.Position(), 0u);
}

TEST(ProgressTrackerTest, ShowsOnceMoreThanOneSecondAfterTheRangeWasSetAcrossAClockWrap) {
    ProgressTracker t(5000);
    t.SetRange(10, 0xFFFFFF00u);  // the range restarts the clock, 256 ms before it wraps
    EXPECT_FALSE(t.SetPos(1, 0xFFFFFFF0u).show);
    EXPECT_FALSE(t.SetPos(2, 0x2E8u).show);  // exactly one second: not yet
    EXPECT_TRUE(t.SetPos(2, 0x2E9u).show);
    EXPECT_FALSE(t.SetPos(3, 0x5000u).show);  // only once
    EXPECT_EQ(t.Elapsed(0x400u), 0x500u);
}

TEST(RepaintPacerTest, DrawsEachWrittenCellOnceAndOnlyWhenTheIntervalHasPassed) {
    RepaintPacer pacer(6, 50, 1000);
    for (int cell : {4, 1, 4, 6, -1}) pacer.CellWritten(cell);  // 6 and -1 lie outside the board
    EXPECT_FALSE(pacer.Due(1049));
    EXPECT_TRUE(pacer.Due(1050));
    std::vector<int> drawn;
    pacer.Flush([&](int i) { drawn.push_back(i); }, 1060);
    EXPECT_EQ(drawn, (std::vector<int>{4, 1}));
    // The interval counts from the last drawing; a cell drawn can be written and drawn again.
    EXPECT_FALSE(pacer.Due(1109));
    EXPECT_TRUE(pacer.Due(1110));
    pacer.CellWritten(4);
    pacer.Flush([&](int i) { drawn.push_back(i); }, 1110);
    EXPECT_EQ(drawn, (std::vector<int>{4, 1, 4}));
}

}  // namespace
}  // namespace mosgrid
