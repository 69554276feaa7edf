// SPDX-License-Identifier: GPL-3.0-or-later
// Puzzles rated by the reasoning they need, and the ratings remembered by picture content.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "import/core/ClueFile.h"
#include "import/core/Difficulty.h"
#include "import/core/TimedSearch.h"
#include "tests/unit/ImportTestPuzzles.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

TEST(Difficulty, RatesByTheReasoningNeeded) {
    // Every level the solver tells apart, from random pictures of a fixed seed.
    std::mt19937 random(99);
    std::map<Difficulty, int> seen;
    for (int round = 0; round < 120; ++round) {
        const Picture4 p = test::RandomPicture(random, 12, 12, 1 + round % 2, 50 + round % 20);
        const Puzzle puzzle = PuzzleFromPicture(p);
        const Difficulty level = RateDifficulty(puzzle);
        ++seen[level];
        // The level agrees with what the search itself reports.
        const TimedCount count = CountWithin(puzzle, 2, std::chrono::seconds(60), 0);
        const TimedCount noProbing = CountWithin(puzzle, 2, std::chrono::seconds(60), 0, GridSearch::Options{false, true, true});
        switch (level) {
        case Difficulty::Lines: EXPECT_TRUE(count.linesAlone); break;
        case Difficulty::LookAhead:
            EXPECT_EQ(count.solutions, 1);
            EXPECT_EQ(count.guesses, 0);
            EXPECT_GT(noProbing.guesses, 0);  // without look-ahead it has to guess
            break;
        case Difficulty::Trial: EXPECT_GT(count.guesses, 0); EXPECT_EQ(count.solutions, 1); break;
        case Difficulty::Ambiguous: EXPECT_EQ(count.solutions, 2); break;
        case Difficulty::Unknown: ADD_FAILURE() << "no verdict on a 12 x 12 puzzle"; break;
        }
    }
    EXPECT_GT(seen[Difficulty::Lines], 0);
    EXPECT_GT(seen[Difficulty::LookAhead], 0);
    EXPECT_GT(seen[Difficulty::Ambiguous], 0);
    // Small random pictures almost never need guesses; this one, made unique by the repair, does.
    std::ifstream in(std::string(MOSGRID_SOURCE_DIR) + "/tests/import/trial.non");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CluePuzzle trial;
    std::string error;
    ASSERT_TRUE(ReadClueFile(text, trial, error)) << error;
    EXPECT_EQ(RateDifficulty(trial.puzzle), Difficulty::Trial);
    EXPECT_EQ(RateDifficulty(PuzzleFromPicture(test::FindPicture(true, 10, 2)), std::chrono::milliseconds(0)),
              Difficulty::Unknown);
    EXPECT_STREQ(DifficultyWord(Difficulty::LookAhead), "look-ahead");
}

TEST(Difficulty, CacheIsKeyedByContentAndSurvivesASave) {
    test::TempFolder folder;
    const std::vector<std::uint8_t> a{1, 2, 3}, b{1, 2, 4};
    EXPECT_NE(DifficultyCache::Key(a), DifficultyCache::Key(b));
    EXPECT_EQ(DifficultyCache::Key(a), DifficultyCache::Key(std::vector<std::uint8_t>(a)));
    DifficultyCache cache;
    cache.Put(DifficultyCache::Key(a), Difficulty::Trial);
    cache.Put(DifficultyCache::Key(b), Difficulty::Lines);
    const auto path = folder.path() / "levels";
    ASSERT_TRUE(cache.Save(path));
    {
        std::ofstream out(path, std::ios::app);
        out << "not a line\n0123456789abcdef 9\n";  // skipped when loading
    }
    DifficultyCache loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.Size(), 2u);
    EXPECT_EQ(loaded.Find(DifficultyCache::Key(a)), Difficulty::Trial);
    EXPECT_EQ(loaded.Find(DifficultyCache::Key(b)), Difficulty::Lines);
    EXPECT_FALSE(loaded.Find(12345));
    DifficultyCache none;
    EXPECT_TRUE(none.Load(folder.path() / "missing"));
    EXPECT_EQ(none.Size(), 0u);
}

}  // namespace
}  // namespace mosgrid
