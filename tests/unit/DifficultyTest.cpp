// SPDX-License-Identifier: GPL-3.0-or-later
// Puzzles rated by the reasoning they need, the ratings remembered by picture content, and the scan
// that rates pictures on a thread of its own and stops without reporting further files.
#include <gtest/gtest.h>

#include <condition_variable>
#include <fstream>
#include <mutex>
#include <random>

#include "catalogue/core/BmpWriter.h"
#include "import/core/ClueFile.h"
#include "import/core/Difficulty.h"
#include "import/core/DifficultyScan.h"
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
    const std::vector<std::uint8_t> text = test::ReadBytes(MOSGRID_SOURCE_DIR "/tests/import/trial.non");
    CluePuzzle trial;
    std::string error;
    ASSERT_TRUE(ReadClueFile(std::string(text.begin(), text.end()), trial, error)) << error;
    EXPECT_EQ(RateDifficulty(trial.puzzle), Difficulty::Trial);
    EXPECT_EQ(RateDifficulty(PuzzleFromPicture(test::HardPicture()), std::chrono::milliseconds(0)), Difficulty::Unknown);
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
    EXPECT_TRUE(none.Load(folder.path() / "missing") && none.Size() == 0u);
}

std::filesystem::path Write(const std::filesystem::path& folder, const std::string& name, const Picture4& picture) {
    const std::filesystem::path path = folder / (name + ".bmp");
    EXPECT_TRUE(WriteBmp4(path, picture));
    return path;
}

TEST(DifficultyScan, RatesEachFileOnceByItsBytes) {
    test::TempFolder folder;
    const Picture4& hard = test::HardPicture();
    Picture4 plain = hard;
    std::fill(plain.indices.begin(), plain.indices.end(), 1);
    const std::vector<std::filesystem::path> files{
        Write(folder.path(), "hard", hard), Write(folder.path(), "plain", plain),
        Write(folder.path(), "hard copy", hard), folder.path() / "missing.bmp"};
    std::vector<RatedPicture> rated;
    DifficultyScan scan(files, DifficultyCache{}, [&](const RatedPicture& r) { rated.push_back(r); });
    const DifficultyCache cache = scan.Finish();
    ASSERT_EQ(rated.size(), 4u);
    EXPECT_EQ(rated[0].level, RateDifficulty(PuzzleFromPicture(hard)));
    EXPECT_NE(rated[0].level, Difficulty::Lines);
    EXPECT_FALSE(rated[0].fromCache);
    EXPECT_EQ(rated[1].level, Difficulty::Lines);
    EXPECT_EQ(rated[2].level, rated[0].level);
    EXPECT_TRUE(rated[2].fromCache);
    EXPECT_EQ(rated[3].level, Difficulty::Unknown);
    EXPECT_EQ(cache.Size(), 2u);

    // A second scan with that cache asks the solver nothing.
    std::vector<RatedPicture> again;
    DifficultyScan second(files, cache, [&](const RatedPicture& r) { again.push_back(r); });
    second.Finish();
    ASSERT_EQ(again.size(), 4u);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(again[std::size_t(i)].fromCache) << i;
}

TEST(DifficultyScan, StopEndsTheScanWithoutFurtherReports) {
    test::TempFolder folder;
    std::mt19937 random(3);
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 5; ++i) files.push_back(Write(folder.path(), std::to_string(i), test::RandomPicture(random, 12, 12, 1, 50)));
    std::mutex mutex;
    std::condition_variable ready;
    std::vector<RatedPicture> rated;
    DifficultyScan* running = nullptr;
    {
        DifficultyScan scan(files, DifficultyCache{}, [&](const RatedPicture& r) {
            std::unique_lock<std::mutex> lock(mutex);
            ready.wait(lock, [&] { return running != nullptr; });
            rated.push_back(r);
            running->Stop();  // from the report itself, after the first file
        }, std::chrono::seconds(60));
        {
            std::lock_guard<std::mutex> lock(mutex);
            running = &scan;
        }
        ready.notify_all();
        const DifficultyCache cache = scan.Finish();
        EXPECT_EQ(cache.Size(), 1u);
    }
    EXPECT_EQ(rated.size(), 1u);
}

}  // namespace
}  // namespace mosgrid
