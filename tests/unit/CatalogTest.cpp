#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <map>

#include "catalogue/core/BmpFile.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/core/PictureFiles.h"
#include "catalogue/core/ProgramFolder.h"
#include "catalogue/core/Text.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;

// A playable 4-bit picture of the given size (a diagonal on white) under a UTF-8 file name.
void WritePicture(const fs::path& folder, const std::string& file, int width, int height) {
    Picture4 p;
    p.width = width;
    p.height = height;
    p.palette = {kWhite, kBlack};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.indices.push_back(x == y ? 1 : 0);
    ASSERT_TRUE(WriteBmp4(folder / file, p));
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::u16string> Names(const CCatalog& catalog) {
    std::vector<std::u16string> names;
    for (const PuzzleRecord& r : catalog.Records()) names.emplace_back(r.Name());
    return names;
}

std::vector<std::uint8_t> RecordBytes(std::u16string_view name, std::int32_t count, std::uint8_t h, std::uint8_t m,
                                      std::uint8_t s) {
    PuzzleRecord r;
    EXPECT_TRUE(r.SetName(name));
    r.solvedCount = count;
    r.bestHours = h;
    r.bestMinutes = m;
    r.bestSeconds = s;
    std::vector<std::uint8_t> bytes(PuzzleRecord::kFileSize);
    EncodeRecord(r, bytes.data());
    return bytes;
}

void Append(std::vector<std::uint8_t>& to, const std::vector<std::uint8_t>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

TEST(PuzzleRecord, FileBytesAreLittleEndianWithZerosAfterTheName) {
    PuzzleRecord r;
    ASSERT_TRUE(r.SetName(u"Кот1"));
    r.name[7] = u'x';  // stray units after the terminator are not written
    r.solvedCount = 0x01020304;
    r.bestHours = 5;
    r.bestMinutes = 59;
    r.bestSeconds = 58;
    r.spare = 0x77;
    std::uint8_t bytes[528];
    std::fill(std::begin(bytes), std::end(bytes), 0xAA);
    EncodeRecord(r, bytes);
    const std::uint8_t head[] = {0x1A, 0x04, 0x3E, 0x04, 0x42, 0x04, '1', 0};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), bytes));
    EXPECT_TRUE(std::all_of(bytes + 8, bytes + 520, [](std::uint8_t b) { return b == 0; }));
    const std::uint8_t tail[] = {0x04, 0x03, 0x02, 0x01, 5, 59, 58, 0};
    EXPECT_TRUE(std::equal(std::begin(tail), std::end(tail), bytes + 520));

    r.solvedCount = -2;
    EncodeRecord(r, bytes);
    EXPECT_EQ(bytes[520], 0xFE);
    EXPECT_EQ(bytes[523], 0xFF);
    std::optional<PuzzleRecord> back = DecodeRecord(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Name(), u"Кот1");
    EXPECT_EQ(back->solvedCount, -2);
    EXPECT_EQ(back->bestMinutes, 59);
}

TEST(PuzzleRecord, NamesMustFitWithTheirTerminator) {
    PuzzleRecord r;
    EXPECT_FALSE(r.SetName(std::u16string(260, u'a')));
    EXPECT_FALSE(r.SetName(std::u16string(u"a\0b", 3)));
    EXPECT_EQ(r.Name(), u"");
    ASSERT_TRUE(r.SetName(std::u16string(259, u'a')));
    std::uint8_t bytes[528];
    EncodeRecord(r, bytes);
    ASSERT_TRUE(DecodeRecord(bytes));
    EXPECT_EQ(DecodeRecord(bytes)->Name().size(), 259u);
    bytes[518] = 'a';  // the terminator gone: all 260 units are name
    EXPECT_FALSE(DecodeRecord(bytes));
}

TEST(PictureFiles, NamesDropTheFinalExtensionInAnyLetterCase) {
    EXPECT_EQ(PuzzleNameOfFile("x.bmp.bmp"), u"x.bmp");
    EXPECT_EQ(PuzzleNameOfFile("Cat.BMP"), u"Cat");
    EXPECT_EQ(PuzzleNameOfFile("a.bMp"), u"a");
    EXPECT_EQ(PuzzleNameOfFile("Ёж.bmp"), u"Ёж");
    EXPECT_FALSE(PuzzleNameOfFile("a.bmpx"));
    EXPECT_FALSE(PuzzleNameOfFile("bmp"));
    EXPECT_FALSE(PuzzleNameOfFile(".bmp"));
    EXPECT_FALSE(PuzzleNameOfFile("bad\xff.bmp"));  // not UTF-8: could never be found again
}

TEST(PictureFiles, FindsThePictureOfANameWhateverTheCaseOfItsExtension) {
    test::TempFolder folder;
    WritePicture(folder.path(), "Cat.BMP", 2, 2);
    WritePicture(folder.path(), "Dog.bmp", 2, 2);
    WritePicture(folder.path(), "Dog.BMP", 2, 2);
    WritePicture(folder.path(), "Owl.Bmp", 2, 2);
    WritePicture(folder.path(), "Owl.BMP", 2, 2);
    fs::create_directory(folder / "Box.BMP");
    EXPECT_EQ(FindPicturePath(folder.path(), u"Cat"), folder / "Cat.BMP");
    EXPECT_EQ(FindPicturePath(folder.path(), u"Dog"), folder / "Dog.bmp");
    EXPECT_EQ(FindPicturePath(folder.path(), u"Owl"), folder / "Owl.BMP");  // first by bytes
    EXPECT_EQ(FindPicturePath(folder.path(), u"Box"), folder / "Box.bmp");  // a folder is no picture
    EXPECT_EQ(FindPicturePath(folder.path(), u"Gone"), folder / "Gone.bmp");
    EXPECT_EQ(FindPicturePath(folder.path(), u"ca"), folder / "ca.bmp");
    EXPECT_EQ(FindPicturePath(folder.path(), u"../Cat"), fs::path());
}

TEST(Catalog, ScanKeepsOnlyPlayablePictures) {
    test::TempFolder folder;
    WritePicture(folder.path(), "full.bmp", 50, 50);
    WritePicture(folder.path(), "one.bmp", 1, 1);
    WritePicture(folder.path(), "wide.bmp", 51, 10);
    WritePicture(folder.path(), "tall.bmp", 10, 51);
    WritePicture(folder.path(), "other.png", 3, 3);
    std::vector<std::uint8_t> eight(54 + 1024 + 8, 0);  // a 3 x 2 picture of 8 bits a pixel
    eight[10] = std::uint8_t((54 + 1024) & 0xFF);
    eight[11] = std::uint8_t((54 + 1024) >> 8);
    eight[18] = 3;
    eight[22] = 2;
    eight[28] = 8;
    WriteBytes(folder / "eight.bmp", eight);
    std::vector<std::uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
    WriteBytes(folder / "text.bmp", text);
    fs::create_directory(folder / "dir.bmp");

    CCatalog catalog(folder.path());
    catalog.Load();
    EXPECT_EQ(Names(catalog), (std::vector<std::u16string>{u"full", u"one"}));
    EXPECT_EQ(catalog.Records()[0].solvedCount, 0);
    EXPECT_FALSE(fs::exists(catalog.CatalogueFilePath()));  // loading never writes
}

TEST(Catalog, ExtensionsMatchInAnyCaseAndEachNameIsCataloguedOnce) {
    test::TempFolder folder;
    WritePicture(folder.path(), "x.bmp.bmp", 2, 2);
    WritePicture(folder.path(), "Cat.BMP", 2, 2);
    WritePicture(folder.path(), "Dup.bmp", 2, 2);
    WritePicture(folder.path(), "Dup.BMP", 60, 2);  // not the file of "Dup": does not count
    WritePicture(folder.path(), "Big.BMP", 60, 2);  // the file of "Big", unplayable
    WritePicture(folder.path(), "Big.Bmp", 2, 2);
    CCatalog catalog(folder.path());
    catalog.Scan();
    EXPECT_EQ(Names(catalog), (std::vector<std::u16string>{u"Cat", u"Dup", u"x.bmp"}));
    EXPECT_EQ(catalog.PicturePathOf(u"Cat"), folder / "Cat.BMP");
    EXPECT_EQ(catalog.PicturePathOf(u"x.bmp"), folder / "x.bmp.bmp");
}

TEST(Catalog, ScanOrderUntilTheFileExistsThenUtf16Order) {
    test::TempFolder folder;
    // U+FF21 precedes U+1F600 in UTF-8 bytes but follows its surrogates in UTF-16 units.
    for (const char* file : {"b.bmp", "\xEF\xBC\xA1.bmp", "a.bmp", "\xF0\x9F\x98\x80.bmp", "C.bmp", "Кот.bmp"})
        WritePicture(folder.path(), file, 3, 3);
    CCatalog first(folder.path());
    first.Load();
    EXPECT_EQ(Names(first), (std::vector<std::u16string>{u"C", u"a", u"b", u"Кот", u"\uFF21", u"\U0001F600"}));
    ASSERT_TRUE(first.Save());
    EXPECT_EQ(fs::file_size(first.CatalogueFilePath()), 6u * 528);

    CCatalog second(folder.path());
    second.Load();
    EXPECT_EQ(Names(second), (std::vector<std::u16string>{u"C", u"a", u"b", u"Кот", u"\U0001F600", u"\uFF21"}));
}

TEST(Catalog, LoadMergesTheFileByNameLaterRecordsWinning) {
    test::TempFolder folder;
    WritePicture(folder.path(), "one.bmp", 4, 4);
    WritePicture(folder.path(), "two.bmp", 4, 4);
    std::vector<std::uint8_t> file;
    Append(file, RecordBytes(u"gone", 9, 0, 0, 9));  // its picture was deleted
    Append(file, RecordBytes(u"one", 1, 0, 1, 2));
    Append(file, RecordBytes(u"two", 5, 0, 0, 5));
    std::vector<std::uint8_t> unterminated = RecordBytes(u"two", 6, 0, 0, 6);
    for (std::size_t i = 6; i < 520; i += 2) unterminated[i] = 'z';
    Append(file, unterminated);
    Append(file, RecordBytes(u"one", 3, 1, 2, 3));
    std::vector<std::uint8_t> piece = RecordBytes(u"two", 7, 0, 0, 7);
    piece.pop_back();  // a trailing piece one byte short of a record
    Append(file, piece);
    WriteBytes(folder / "mg.bd", file);

    CCatalog catalog(folder.path());
    catalog.Load();
    std::int32_t count = -1;
    std::uint8_t h = 99, m = 99, s = 99;
    ASSERT_TRUE(catalog.Find(u"one", count, h, m, s));
    EXPECT_EQ((std::vector<int>{count, h, m, s}), (std::vector<int>{3, 1, 2, 3}));
    ASSERT_TRUE(catalog.Find(u"two", count, h, m, s));
    EXPECT_EQ((std::vector<int>{count, h, m, s}), (std::vector<int>{5, 0, 0, 5}));

    ASSERT_TRUE(catalog.Save());
    std::vector<std::uint8_t> saved = ReadBytes(folder / "mg.bd");
    std::vector<std::uint8_t> expected = RecordBytes(u"one", 3, 1, 2, 3);
    Append(expected, RecordBytes(u"two", 5, 0, 0, 5));
    EXPECT_EQ(saved, expected);  // "gone" dropped, nothing else carried over
}

TEST(Catalog, FindAndAddOrUpdate) {
    CCatalog catalog("");
    ASSERT_TRUE(catalog.AddOrUpdate(u"a", 1, 1, 1, 1, 1));
    ASSERT_TRUE(catalog.AddOrUpdate(u"b", 2, 2, 2, 2, 1));
    ASSERT_TRUE(catalog.AddOrUpdate(u"a", 3, 3, 3, 3, 1));
    EXPECT_FALSE(catalog.AddOrUpdate(std::u16string(260, u'n'), 0, 0, 0, 0, 1));
    EXPECT_EQ(catalog.Records().size(), 3u);

    std::int32_t count = 11;
    std::uint8_t h = 12, m = 13, s = 14;
    EXPECT_FALSE(catalog.Find(u"A", count, h, m, s));
    EXPECT_FALSE(catalog.Find(std::u16string_view(u"a\0", 2), count, h, m, s));
    EXPECT_EQ((std::vector<int>{count, h, m, s}), (std::vector<int>{11, 12, 13, 14}));
    ASSERT_TRUE(catalog.Find(u"a", count, h, m, s));
    EXPECT_EQ(count, 3);  // of two matches the last one's values remain

    EXPECT_TRUE(catalog.AddOrUpdate(u"a", 8, 0, 4, 2, -1));
    EXPECT_TRUE(catalog.AddOrUpdate(u"b", 9, 0, 0, 9, 0));
    EXPECT_FALSE(catalog.AddOrUpdate(u"c", 9, 0, 0, 9, 2));
    const auto& r = catalog.Records();
    EXPECT_EQ((std::vector<int>{r[0].solvedCount, r[1].solvedCount, r[2].solvedCount}), (std::vector<int>{8, 9, 8}));
    EXPECT_EQ(r[2].bestMinutes, 4);
    EXPECT_EQ(r.size(), 3u);
}

TEST(Catalog, SaveIntoAFolderThatCannotExistFailsAndNamesTheFile) {
    test::TempFolder folder;
    WriteBytes(folder / "plain", {1, 2, 3});
    CCatalog catalog(folder / "plain" / "sub");
    catalog.AddOrUpdate(u"a", 1, 0, 0, 1, 1);
    EXPECT_FALSE(catalog.Save());
    EXPECT_EQ(catalog.CatalogueFilePath(), folder / "plain" / "sub" / "mg.bd");
}

TEST(Catalog, FailedWriteLeavesTheOldFileWhole) {
    test::TempFolder folder;
    WritePicture(folder.path(), "a.bmp", 2, 2);
    CCatalog catalog(folder.path());
    catalog.Load();
    catalog.AddOrUpdate(u"a", 4, 0, 1, 0, 0);
    ASSERT_TRUE(catalog.Save());
    const std::vector<std::uint8_t> before = ReadBytes(folder / "mg.bd");
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
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(folder.path())) left.push_back(entry.path().filename());
    EXPECT_EQ(left.size(), 2u);  // a.bmp and mg.bd: no temporary file left behind
}

TEST(Catalog, SaveIntoAReadOnlyFolderFails) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    test::TempFolder folder;
    CCatalog catalog(folder.path());
    catalog.AddOrUpdate(u"a", 1, 0, 0, 1, 1);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(catalog.Save());
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(folder / "mg.bd"));
}

CCatalog WithCounts(const std::vector<std::int32_t>& counts) {
    CCatalog catalog("");
    for (std::size_t i = 0; i < counts.size(); ++i)
        catalog.AddOrUpdate(u"p" + std::u16string(1, char16_t(u'0' + i)), counts[i], 0, 0, 0, 1);
    return catalog;
}

std::map<std::u16string, int> Tally(const CCatalog& catalog, std::uint32_t picks) {
    std::map<std::u16string, int> tally;
    for (std::uint32_t seed = 0; seed < picks; ++seed) {
        std::optional<std::u16string> name = catalog.PickRandom(seed);
        if (name) ++tally[*name];
    }
    return tally;
}

TEST(CatalogPick, OnlyTheLeastSolvedTakePartEachAboutEquallyOften) {
    std::map<std::u16string, int> tally = Tally(WithCounts({2, 0, 5, 0}), 4000);
    ASSERT_EQ(tally.size(), 2u);
    EXPECT_NEAR(tally[u"p1"], 2000, 200);
    EXPECT_NEAR(tally[u"p3"], 2000, 200);

    std::map<std::u16string, int> even = Tally(WithCounts({7, 7, 7}), 3000);
    ASSERT_EQ(even.size(), 3u);
    for (const auto& [name, times] : even) EXPECT_NEAR(times, 1000, 150);

    EXPECT_EQ(Tally(WithCounts({4}), 50)[u"p0"], 50);
}

TEST(CatalogPick, CountsCompareUnsignedUnderTheCeiling) {
    EXPECT_EQ(Tally(WithCounts({-1, 100001, 100000, -5}), 100), (std::map<std::u16string, int>{{u"p2", 100}}));
    EXPECT_EQ(Tally(WithCounts({-1, 100001}), 100).size(), 0u);
    EXPECT_FALSE(WithCounts({-1}).PickRandom());
    EXPECT_FALSE(CCatalog("").PickRandom());
}

TEST(CatalogPick, SameSeedSamePickAndTheClockSeedPicksACandidate) {
    CCatalog catalog = WithCounts({0, 0, 0, 0, 0, 0, 0, 1});
    for (std::uint32_t seed : {0u, 1u, 123456u, 0xFFFFFFFFu}) EXPECT_EQ(catalog.PickRandom(seed), catalog.PickRandom(seed));
    for (int i = 0; i < 20; ++i) {
        std::optional<std::u16string> name = catalog.PickRandom();
        ASSERT_TRUE(name);
        EXPECT_NE(*name, u"p7");
    }
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutableWithItsLetterCase) {
    const fs::path folder = GetProgramFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(fs::exists(folder / "mosgrid_unit_tests"));

    test::TempFolder temp;
    fs::create_directories(temp / "Game Folder");
    WriteBytes(temp / "Game Folder" / "MosGrid", {0});
    fs::create_directories(temp / "Links");
    fs::create_symlink(temp / "Game Folder" / "MosGrid", temp / "Links" / "exe");
    fs::create_symlink("../Game Folder/MosGrid", temp / "Links" / "relative");
    EXPECT_EQ(FolderOfLinkTarget(temp / "Links" / "exe"), temp / "Game Folder");
    EXPECT_EQ(fs::canonical(FolderOfLinkTarget(temp / "Links" / "relative")), fs::canonical(temp / "Game Folder"));
    EXPECT_EQ(FolderOfLinkTarget(temp / "Links" / "missing"), fs::path());
}

}  // namespace
}  // namespace mosgrid
