// SPDX-License-Identifier: GPL-3.0-or-later
// The check's arithmetic without windows: the progress bar's threshold and the one-second rule
// of the progress dialog.
#include <gtest/gtest.h>

#include <vector>

#include "solver/core/ProgressTracker.h"

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

}  // namespace
}  // namespace mosgrid
