#include <gtest/gtest.h>

#include "board/core/SolveRecord.h"
#include "tests/unit/CatalogRecords.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

// The catalogue lists the playable pictures of its folder; the file only carries counters.
void AddPictures(const test::TempFolder& folder, std::initializer_list<const char*> names) {
    for (const char* name : names)
        ASSERT_TRUE(WriteBmp4(folder / (std::string(name) + ".bmp"), test::PictureFromText({"1"}, {kWhite, kRed})));
}

TEST(RecordSolve, CountsTheSolveAndKeepsTheStoredBestOnATie) {
    test::TempFolder folder;
    AddPictures(folder, {"a", "cat"});
    // Two records of one name: the last one in the file counts.
    test::WriteCatalog(folder / "mg.bd", {{u"a", 0, 0, 0, 0}, {u"cat", 2, 0, 10, 0}, {u"cat", 4, 0, 20, 0}});
    SolveOutcome o = RecordSolve(folder.path(), u"cat", {0, 20, 0});
    EXPECT_TRUE(o.saved);
    EXPECT_EQ(o.best, (ClockTime{0, 20, 0}));
    auto entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].solvedCount, 0);
    EXPECT_EQ(entries[1].solvedCount, 5);
    EXPECT_EQ(entries[1].minutes, 20);
    // A picture without a record: catalogued with zero counters, so the first solve sets the time.
    AddPictures(folder, {"b"});
    EXPECT_EQ(RecordSolve(folder.path(), u"b", {0, 3, 9}).best, (ClockTime{0, 3, 9}));
    entries = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].name, u"b");
    EXPECT_EQ(entries[1].solvedCount, 1);
    EXPECT_EQ(entries[1].minutes * 60 + entries[1].seconds, 189);
    // A name without a picture is not added, yet the message gets its time.
    EXPECT_EQ(RecordSolve(folder.path(), u"ghost", {1, 2, 3}).best, (ClockTime{1, 2, 3}));
    EXPECT_EQ(test::ReadCatalog(folder / "mg.bd").size(), 3u);
}

TEST(RecordSolve, UnwritableCatalogueReportsItsPath) {
    test::TempFolder folder;
    AddPictures(folder, {"cat"});
    // A folder standing where the file should be reads as no file and cannot be replaced.
    std::filesystem::create_directory(folder / "mg.bd");
    SolveOutcome o = RecordSolve(folder.path(), u"cat", {0, 0, 1});
    EXPECT_FALSE(o.saved);
    EXPECT_EQ(o.best, (ClockTime{0, 0, 1}));
    EXPECT_EQ(o.catalogPath, folder / "mg.bd");
}

}  // namespace
}  // namespace mosgrid
