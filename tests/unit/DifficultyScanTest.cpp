// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures rated on a thread of the scan's own: levels from the solver, the same bytes under
// another name from the cache, and a stop that ends the scan without reporting further files.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <random>

#include "catalogue/core/BmpWriter.h"
#include "import/core/DifficultyScan.h"
#include "import/core/TimedSearch.h"
#include "tests/unit/ImportTestPuzzles.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

std::filesystem::path Write(const std::filesystem::path& folder, const std::string& name, const Picture4& picture) {
    const std::filesystem::path path = folder / (name + ".bmp");
    EXPECT_TRUE(WriteBmp4(path, picture));
    return path;
}

TEST(DifficultyScan, RatesEachFileOnceByItsBytes) {
    test::TempFolder folder;
    const Picture4 hard = test::FindPicture(true, 10, 2);
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
