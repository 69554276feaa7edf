// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <future>
#include <map>

#include "common/BmpFile.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/core/PictureFiles.h"
#include "catalogue/core/SolveRecord.h"
#include "savegame/core/LastGameStore.h"
#include "tests/unit/CatalogRecords.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test::ReadBytes;
using test::WriteBytes;

// A playable 4-bit picture of the given size (a diagonal on white).
void WritePicture(const fs::path& folder, const std::string& file, int width, int height) {
    Picture4 p{width, height, {kWhite, kBlack}, {}};
    for (int i = 0; i < width * height; ++i) p.indices.push_back(i % width == i / width);
    ASSERT_TRUE(WriteBmp4(folder / file, p));
}

std::vector<std::u16string> Names(const CCatalog& catalog) {
    std::vector<std::u16string> names;
    for (const PuzzleRecord& r : catalog.Records()) names.emplace_back(r.Name());
    return names;
}

TEST(PuzzleRecord, FileBytesAreLittleEndianWithZerosAfterTheNameAndNamesMustFit) {
    PuzzleRecord r;
    ASSERT_TRUE(r.SetName(u"Кот1"));
    r.name[7] = u'x';  // stray units after the terminator are not written
    r.solvedCount = -0x01020304;
    r.bestHours = 5, r.bestMinutes = 59, r.bestSeconds = 58, r.spare = 0x77;
    Bytes bytes(528, 0xAA), expected{0x1A, 0x04, 0x3E, 0x04, 0x42, 0x04, '1', 0};
    EncodeRecord(r, bytes.data());
    expected.resize(520);
    expected.insert(expected.end(), {0xFC, 0xFC, 0xFD, 0xFE, 5, 59, 58, 0});
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DecodeRecord(bytes.data()).value().solvedCount, -0x01020304);
    EXPECT_TRUE(!r.SetName(std::u16string(260, u'a')) && !r.SetName(std::u16string(u"a\0b", 3)) && r.Name() == u"Кот1");
    ASSERT_TRUE(r.SetName(std::u16string(259, u'a')));
    EncodeRecord(r, bytes.data());
    EXPECT_EQ(DecodeRecord(bytes.data()).value().Name().size(), 259u);
}

// The scan visits names by their bytes; once the file exists the catalogue is in UTF-16 order
// (U+FF21 precedes U+1F600 in UTF-8 bytes but follows its surrogates in UTF-16 units).
TEST(Catalog, ScanKeepsOnlyPlayablePicturesOncePerNameAndSavingSortsThem) {
    test::TempFolder folder;
    for (auto [file, w, h] : {std::tuple("full.bmp", 50, 50), {"one.bmp", 1, 1}, {"wide.bmp", 51, 10},
                              {"tall.bmp", 10, 51}, {"other.png", 3, 3}, {"x.bmp.bmp", 2, 2}, {"Cat.BMP", 2, 2},
                              {"Dup.bmp", 2, 2}, {"Dup.BMP", 60, 2}, {"Big.BMP", 60, 2}, {"Big.Bmp", 2, 2},
                              {"a\\b.bmp", 2, 2}, {"..bmp", 2, 2}, {"...bmp", 2, 2}, {".bmp", 2, 2}, {"bmp", 2, 2},
                              {"a.bmpx", 2, 2}, {"bad\xff.bmp", 2, 2}, {"\xD0\x81\xD0\xB6.bMp", 2, 2},
                              {"\xEF\xBC\xA1.bmp", 2, 2}, {"\xF0\x9F\x98\x80.bmp", 2, 2}})
        WritePicture(folder.path(), file, w, h);
    Bytes eight = ReadBytes(folder / "one.bmp");
    eight[28] = 8;  // 8 bits a pixel
    WriteBytes(folder / "eight.bmp", eight);
    WriteBytes(folder / "text.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
    int undecodable = 0;
    for (const auto& picture : test::UndecodablePictures())
        WriteBytes(folder / ("undecodable" + std::to_string(undecodable++) + ".bmp"), picture.second);
    fs::create_directory(folder / "dir.bmp");

    CCatalog first(folder.path());
    first.Load();
    // "Dup.BMP" is not the file of "Dup" (a name's own ".bmp" comes first); "Big.BMP", the first
    // file of "Big" by bytes, is too wide; "", "." and ".." are no names, nor is what is not UTF-8.
    EXPECT_EQ(Names(first), (std::vector<std::u16string>{u"Cat", u"Dup", u"a\\b", u"full", u"one", u"x.bmp", u"Ёж",
                                                         u"\uFF21", u"\U0001F600"}));
    EXPECT_TRUE(first.PicturePathOf(u"Cat") == folder / "Cat.BMP" && FindPicturePath(folder.path(), u"../one").empty());
    EXPECT_FALSE(fs::exists(first.CatalogueFilePath()));  // loading never writes
    ASSERT_TRUE(first.Save());
    CCatalog second(folder.path());
    second.Load();
    EXPECT_EQ(Names(second), (std::vector<std::u16string>{u"Cat", u"Dup", u"a\\b", u"full", u"one", u"x.bmp", u"Ёж",
                                                          u"\U0001F600", u"\uFF21"}));
    // The picture of a name is the one the scan catalogued, not one that turned up since.
    WritePicture(folder.path(), "Cat.bmp", 60, 2);
    EXPECT_EQ(second.PicturePathOf(u"Cat"), folder / "Cat.BMP");
}

TEST(Catalog, LoadMergesTheFileByNameLaterRecordsWinning) {
    test::TempFolder folder;
    WritePicture(folder.path(), "one.bmp", 4, 4);
    WritePicture(folder.path(), "two.bmp", 4, 4);
    test::WriteCatalog(folder / "mg.bd", {{u"gone", 9, 0, 0, 9}, {u"one", 1, 0, 1, 2}, {u"two", 5, 0, 0, 5},
                                          {u"two", 6, 0, 0, 6}, {u"one", 3, 1, 2, 3}, {u"two", 7, 0, 0, 7}});
    Bytes bytes = ReadBytes(folder / "mg.bd");
    std::fill(bytes.begin() + 3 * 528 + 6, bytes.begin() + 3 * 528 + 520, 'z');  // the fourth unterminated
    bytes.pop_back();  // the last a piece one byte short of a record
    WriteBytes(folder / "mg.bd", bytes);
    CCatalog catalog(folder.path());
    catalog.Load();
    ASSERT_TRUE(catalog.Save());
    // "gone" (its picture deleted), the unterminated record and the piece dropped.
    EXPECT_EQ(test::ReadCatalog(folder / "mg.bd"), (std::vector<test::CatalogEntry>{{u"one", 3, 1, 2, 3}, {u"two", 5, 0, 0, 5}}));
}

TEST(Catalog, FailedSaveLeavesTheOldFileWhole) {
    test::TempFolder folder;
    CCatalog catalog(folder.path());
    catalog.AddOrUpdate(u"a", 4, 0, 1, 0, 1);
    ASSERT_TRUE(catalog.Save());
    const Bytes before = ReadBytes(folder / "mg.bd");
    for (int i = 0; i < 20; ++i) catalog.AddOrUpdate(u"n" + std::u16string(1, char16_t(u'a' + i)), i, 0, 0, 0, 1);
    // The storage fills up part way through the write (as root no permission stops a write).
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4000;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = catalog.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(folder / "mg.bd"), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);  // mg.bd alone: no temporary left
}

// Whether `read` returns on its own while nothing writes into the FIFO at `fifo`. One that waits
// for a writer is released by opening the FIFO for writing, so that the test fails, not hangs.
bool ReturnsWithoutWriter(const fs::path& fifo, const std::function<void()>& read) {
    std::future<void> done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return true;
    ::close(::open(fifo.c_str(), O_WRONLY));
    done.wait();
    return false;
}

TEST(Catalog, FilesThatAreNotRegularAreNeitherWaitedForNorReadWithoutEnd) {
    test::TempFolder folder;
    WritePicture(folder.path(), "one.bmp", 4, 4);
    CCatalog catalog(folder.path());
    ASSERT_EQ(::mkfifo((folder / "mg.bd").c_str(), 0600), 0);
    EXPECT_TRUE(ReturnsWithoutWriter(folder / "mg.bd", [&] { catalog.Load(); })) << "a pipe named mg.bd";
    EXPECT_EQ(catalog.Records().size(), 1u);
    if (HasFailure()) return;  // a reader that waits for pipes would read a device without end
    fs::remove(folder / "mg.bd");
    for (const char* file : {"mg.bd", "lastcrw.sav", "two.bmp"}) fs::create_symlink("/dev/zero", folder / file);
    CBmpFile picture;
    catalog.Records().clear();
    catalog.Load();
    EXPECT_TRUE(catalog.Records().size() == 1u && !ReadLastGame(folder.path()) && picture.Load(folder / "two.bmp") == 0);
}

// A catalogue of p0, p1, ... solved as often as `counts` says, and how often seeds 0 to picks - 1 pick each.
CCatalog WithCounts(const std::vector<std::int32_t>& counts) {
    CCatalog catalog("");
    for (std::size_t i = 0; i < counts.size(); ++i) catalog.AddOrUpdate(u"p" + std::u16string(1, char16_t(u'0' + i)), counts[i], 0, 0, 0, 1);
    return catalog;
}
std::map<std::u16string, int> Tally(const CCatalog& catalog, std::uint32_t picks) {
    std::map<std::u16string, int> tally;
    for (std::uint32_t seed = 0; seed < picks; ++seed) if (auto name = catalog.PickRandom(seed)) ++tally[*name];
    return tally;
}

TEST(CatalogPick, OnlyTheLeastSolvedTakePartEachAboutEquallyOftenCountsCompareUnsigned) {
    std::map<std::u16string, int> tally = Tally(WithCounts({2, 0, 5, 0}), 4000);
    ASSERT_EQ(tally.size(), 2u);
    EXPECT_NEAR(tally[u"p1"], 2000, 200);
    EXPECT_NEAR(tally[u"p3"], 2000, 200);
    const CCatalog catalog = WithCounts({0, 0, 0, 1});
    for (std::uint32_t seed : {1u, 0xFFFFFFFFu}) EXPECT_EQ(catalog.PickRandom(seed), catalog.PickRandom(seed));
    for (int i = 0; i < 20; ++i) EXPECT_NE(catalog.PickRandom().value_or(u"p3"), u"p3");  // the clock's seed

    // Negative counts are huge; counts above the ceiling never take part.
    EXPECT_EQ(Tally(WithCounts({-1, 100001, 100000, -5}), 100), (std::map<std::u16string, int>{{u"p2", 100}}));
    EXPECT_TRUE(Tally(WithCounts({-1, 100001}), 100).empty() && !CCatalog("").PickRandom());
}

// Counting a solve of a catalogued puzzle, and the best time on a tie, are what the board's own
// solve walks through; here the cases it does not meet.
TEST(RecordSolve, APictureWithoutARecordIsCataloguedAndANameWithoutAPictureIsNot) {
    test::TempFolder folder;
    WritePicture(folder.path(), "a.bmp", 1, 1);
    WritePicture(folder.path(), "b.bmp", 1, 1);
    test::WriteCatalog(folder / "mg.bd", {{u"a", 4, 0, 20, 0}});
    // "b" gets a record with zero counters, so the first solve sets its time.
    const SolveOutcome o = RecordSolve(folder.path(), u"b", {0, 3, 9});
    EXPECT_TRUE(o.saved && o.best == (ClockTime{0, 3, 9}));
    // The message still gets the time of a name the catalogue cannot list.
    EXPECT_EQ(RecordSolve(folder.path(), u"ghost", {1, 2, 3}).best, (ClockTime{1, 2, 3}));
    EXPECT_EQ(test::ReadCatalog(folder / "mg.bd"), (std::vector<test::CatalogEntry>{{u"a", 4, 0, 20, 0}, {u"b", 1, 0, 3, 9}}));
    // A catalogue that cannot be written is reported with its path.
    const SolveOutcome lost = RecordSolve(folder / "gone", u"a", {0, 1, 2});
    EXPECT_TRUE(!lost.saved && lost.catalogPath == folder / "gone" / "mg.bd");
}

TEST(BestTime, ReplacedOnlyWhenNeverSolvedOrStrictlyShorterInTotalSeconds) {
    struct Case { int count; ClockTime stored, elapsed, best; };
    for (const Case& k : {Case{0, {0, 0, 1}, {2, 3, 4}, {2, 3, 4}},       // never solved
                          Case{3, {0, 9, 60}, {0, 10, 0}, {0, 9, 60}},     // a tie of total seconds keeps the stored one
                          Case{1, {1, 0, 0}, {0, 59, 59}, {0, 59, 59}},
                          Case{1, {2, 0, 0}, {257, 0, 0}, {1, 0, 0}}})     // 8 bits a part stored
        EXPECT_EQ(BestTimeAfterSolve(k.count, k.stored, k.elapsed), k.best) << TimeText(k.stored) << " vs " << TimeText(k.elapsed);
}

}  // namespace
}  // namespace mosgrid
