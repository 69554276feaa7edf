#include <gtest/gtest.h>

#include <fstream>

#include "board/core/SolveRecord.h"
#include "tests/unit/CatalogRecords.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

using test::CatalogEntry;

// The catalogue lists the playable pictures of its folder; the file only carries counters.
void AddPicture(const test::TempFolder& folder, const std::string& name) {
    ASSERT_TRUE(WriteBmp4(folder / (name + ".bmp"), test::PictureFromText({"1"}, {kWhite, kRed})));
}

TEST(RecordSolve, FirstSolveStoresTheTimeAndCountsOne) {
    test::TempFolder folder;
    AddPicture(folder, "a");
    AddPicture(folder, "cat");
    test::WriteCatalog(folder / "mg.bd", {{u"a", 0, 0, 0, 0}, {u"cat", 0, 0, 0, 0}});
    SolveOutcome o = RecordSolve(folder.path(), u"cat", {0, 3, 9});
    EXPECT_TRUE(o.saved);
    EXPECT_EQ(o.best, (ClockTime{0, 3, 9}));
    auto entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].solvedCount, 0);
    EXPECT_EQ(entries[1].solvedCount, 1);
    EXPECT_EQ(entries[1].minutes, 3);
    EXPECT_EQ(entries[1].seconds, 9);
}

TEST(RecordSolve, TieKeepsTheStoredBestAndTheLastRecordOfTheFileCounts) {
    test::TempFolder folder;
    AddPicture(folder, "cat");
    test::WriteCatalog(folder / "mg.bd", {{u"cat", 2, 0, 10, 0}, {u"cat", 4, 0, 20, 0}});
    SolveOutcome o = RecordSolve(folder.path(), u"cat", {0, 20, 0});
    EXPECT_EQ(o.best, (ClockTime{0, 20, 0}));
    auto entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].solvedCount, 5);
    EXPECT_EQ(entries[0].minutes, 20);
}

TEST(RecordSolve, PuzzleWithoutPictureIsNotAddedButStillGetsItsTime) {
    test::TempFolder folder;
    AddPicture(folder, "other");
    test::WriteCatalog(folder / "mg.bd", {{u"other", 1, 0, 1, 0}});
    SolveOutcome o = RecordSolve(folder.path(), u"ghost", {1, 2, 3});
    EXPECT_TRUE(o.saved);
    EXPECT_EQ(o.best, (ClockTime{1, 2, 3}));  // the message shows the time
    auto entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].solvedCount, 1);

    // A picture without a record in the file is catalogued with zero counters.
    AddPicture(folder, "cat");
    RecordSolve(folder.path(), u"cat", {0, 0, 42});
    entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, u"cat");
    EXPECT_EQ(entries[0].solvedCount, 1);
    EXPECT_EQ(entries[0].seconds, 42);
}

TEST(RecordSolve, UnwritableCatalogueReportsItsPath) {
    test::TempFolder folder;
    AddPicture(folder, "cat");
    // A folder standing where the file should be reads as no file and cannot be replaced.
    std::filesystem::create_directory(folder / "mg.bd");
    SolveOutcome o = RecordSolve(folder.path(), u"cat", {0, 0, 1});
    EXPECT_FALSE(o.saved);
    EXPECT_EQ(o.best, (ClockTime{0, 0, 1}));
    EXPECT_EQ(o.catalogPath, folder / "mg.bd");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "mg.bd"));
}

}  // namespace
}  // namespace mosgrid
