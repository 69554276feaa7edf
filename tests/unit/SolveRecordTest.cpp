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

TEST(BestTime, ReplacedOnlyWhenNeverSolvedOrStrictlyShorterInTotalSeconds) {
    struct Case { int count; ClockTime stored, elapsed, best; };
    for (const Case& k : {Case{0, {0, 0, 1}, {2, 3, 4}, {2, 3, 4}},       // never solved
                          Case{3, {0, 9, 60}, {0, 10, 0}, {0, 9, 60}},     // a tie keeps the stored one
                          Case{3, {0, 10, 0}, {0, 9, 59}, {0, 9, 59}},
                          Case{1, {1, 0, 0}, {0, 59, 59}, {0, 59, 59}},    // by total seconds,
                          Case{1, {0, 59, 59}, {1, 0, 0}, {0, 59, 59}},    // not by parts
                          Case{1, {2, 0, 0}, {257, 0, 0}, {1, 0, 0}}}) {   // 8 bits a part stored
        const ClockTime got = BestTimeAfterSolve(k.count, k.stored, k.elapsed);
        EXPECT_EQ(got, k.best) << FormatClock(k.stored) << " vs " << FormatClock(k.elapsed);
    }
}

}  // namespace
}  // namespace mosgrid
