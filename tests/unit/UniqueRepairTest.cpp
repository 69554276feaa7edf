// SPDX-License-Identifier: GPL-3.0-or-later
// The repair of pictures with several solutions: it ends with a picture whose clues have one
// solution, counting the cells it changed, or says why it could not.
#include <gtest/gtest.h>

#include <random>

#include "import/core/UniqueRepair.h"
#include "tests/unit/ImportTestPuzzles.h"

namespace mosgrid {
namespace {

int Differing(const Picture4& a, const Picture4& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.indices.size(); ++i) n += a.indices[i] != b.indices[i];
    return n;
}

long Solutions(const Picture4& p) {
    const TimedCount count = CountWithin(PuzzleFromPicture(p), 2, std::chrono::seconds(60), 0);
    EXPECT_FALSE(count.timedOut);
    return count.solutions;
}

TEST(UniqueRepair, EndsUniqueOrSaysWhy) {
    std::mt19937 random(777);
    int repaired = 0;
    for (int round = 0; round < 12; ++round) {
        const int colours = 1 + round % 3;
        const Picture4 picture = test::RandomPicture(random, 12 + round, 10 + round, colours, 50);
        if (Solutions(picture) < 2) continue;
        const RepairResult r = MakeUnique(picture, RepairLimits{std::chrono::seconds(60), 250});
        EXPECT_EQ(r.changed, Differing(picture, r.picture)) << round;
        EXPECT_EQ(r.picture.palette, picture.palette);
        if (r.unique) {
            ++repaired;
            EXPECT_GE(r.changed, 1) << round;
            EXPECT_EQ(Solutions(r.picture), 1) << round;
            EXPECT_TRUE(r.reason.empty());
        } else {
            EXPECT_FALSE(r.reason.empty()) << round;
        }
    }
    EXPECT_GE(repaired, 6);
    // Two crossing diagonals of one cell each: one change settles it.
    Picture4 two = test::RandomPicture(random, 2, 2, 1, 0);
    two.indices = {1, 0, 0, 1};
    const RepairResult r = MakeUnique(two);
    EXPECT_TRUE(r.unique);
    EXPECT_EQ(r.changed, 1);
}

TEST(UniqueRepair, LeavesAUniquePictureAloneAndStopsWhenTimeRunsOut) {
    const Picture4 unique = test::FindPicture(true, 10, 2);
    ASSERT_EQ(unique.width, 10);
    const RepairResult same = MakeUnique(unique);
    EXPECT_TRUE(same.unique);
    EXPECT_EQ(same.changed, 0);
    EXPECT_EQ(same.picture.indices, unique.indices);

    const Picture4 ambiguous = test::FindPicture(false, 10, 2);
    ASSERT_EQ(ambiguous.width, 10);
    const RepairResult late = MakeUnique(ambiguous, RepairLimits{std::chrono::milliseconds(0), 250});
    EXPECT_FALSE(late.unique);
    EXPECT_EQ(late.reason, "no verdict within the time given (0 cells changed)");
    const RepairResult few = MakeUnique(ambiguous, RepairLimits{std::chrono::seconds(60), 0});
    EXPECT_FALSE(few.unique);
    EXPECT_EQ(few.reason, "still ambiguous after 0 changed cells");
}

}  // namespace
}  // namespace mosgrid
