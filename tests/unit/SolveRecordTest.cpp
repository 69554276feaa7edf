#include <gtest/gtest.h>

#include <fstream>

#include "board/core/SolveRecord.h"
#include "tests/unit/CatalogRecords.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

using test::CatalogEntry;

void TouchPicture(const test::TempFolder& folder, const std::string& name) {
    ASSERT_TRUE(WriteBmp4(folder / (name + ".bmp"), test::PictureFromText({"1"}, {kWhite, kRed})));
}

TEST(RecordSolve, FirstSolveStoresTheTimeAndCountsOne) {
    test::TempFolder folder;
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

TEST(RecordSolve, TieKeepsTheStoredBestAndEveryRecordOfTheNameChanges) {
    test::TempFolder folder;
    test::WriteCatalog(folder / "mg.bd", {{u"cat", 2, 0, 10, 0}, {u"cat", 4, 0, 20, 0}});
    // The last record of the name gives the counters: 4 solves, best 0:20:00.
    SolveOutcome o = RecordSolve(folder.path(), u"cat", {0, 20, 0});
    EXPECT_EQ(o.best, (ClockTime{0, 20, 0}));
    auto entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 2u);
    for (const CatalogEntry& e : entries) {
        EXPECT_EQ(e.solvedCount, 5);
        EXPECT_EQ(e.minutes, 20);
    }
}

TEST(RecordSolve, PuzzleWithoutRecordIsAddedOnlyWhenItsPictureIsThere) {
    test::TempFolder folder;
    test::WriteCatalog(folder / "mg.bd", {{u"other", 1, 0, 1, 0}});
    SolveOutcome o = RecordSolve(folder.path(), u"ghost", {1, 2, 3});
    EXPECT_TRUE(o.saved);
    EXPECT_EQ(o.best, (ClockTime{1, 2, 3}));  // the message still shows the time
    ASSERT_EQ(test::ReadCatalog(folder / "mg.bd").size(), 1u);

    TouchPicture(folder, "cat");
    RecordSolve(folder.path(), u"cat", {0, 0, 42});
    auto entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].name, u"cat");
    EXPECT_EQ(entries[1].solvedCount, 1);
    EXPECT_EQ(entries[1].seconds, 42);
}

TEST(RecordSolve, ShortTailAndUnterminatedNamesAreDropped) {
    test::TempFolder folder;
    std::vector<std::uint8_t> bytes = test::CatalogBytes({{u"cat", 1, 0, 5, 0}});
    std::vector<std::uint8_t> unterminated(528, 'x');  // 260 units of "xx", no terminator
    bytes.insert(bytes.end(), unterminated.begin(), unterminated.end());
    bytes.insert(bytes.end(), 100, 0);  // a piece shorter than a record
    {
        std::ofstream out(folder / "mg.bd", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    RecordSolve(folder.path(), u"cat", {0, 4, 0});
    auto entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].solvedCount, 2);
    EXPECT_EQ(entries[0].minutes, 4);
    EXPECT_EQ(std::filesystem::file_size(folder / "mg.bd"), 528u);
}

TEST(RecordSolve, UnwritableFolderReportsTheFailure) {
    test::TempFolder folder;
    SolveOutcome o = RecordSolve(folder / "missing", u"cat", {0, 0, 1});
    EXPECT_FALSE(o.saved);
    EXPECT_EQ(o.catalogPath, folder / "missing" / "mg.bd");

    // A folder standing where the file should be reads as empty and cannot be replaced.
    std::filesystem::create_directory(folder / "mg.bd");
    o = RecordSolve(folder.path(), u"cat", {0, 0, 1});
    EXPECT_FALSE(o.saved);
    EXPECT_EQ(o.best, (ClockTime{0, 0, 1}));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "mg.bd"));
}

}  // namespace
}  // namespace mosgrid
