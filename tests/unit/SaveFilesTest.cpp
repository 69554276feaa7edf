// SPDX-License-Identifier: GPL-3.0-or-later
// The saves of lastcrw.sav and mg.bd: the last game's layout, refusals, names and the file kept
// aside; modes kept, leftovers of killed saves removed, and a save killed at any moment.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <random>

#include "catalogue/core/AtomicFile.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/core/Text.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/core/LastGameStore.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Outcome = LastGameSaveResult::Outcome;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGreen = 0x00FF00;  // in the palette, but no pixel uses it

// 10 columns, 15 rows, red and blue on white; other sizes take its first w * h pixels.
Picture4 Ten(int w = 10, int h = 15) {
    Picture4 p = test::PictureFromText({"..11111...", ".1222221..", "1222..2221", "12.2..2.21", "1222222221",
                                        ".12....21.", "..122221..", "...1111...", "....11....", "....11....",
                                        "...1..1...", "..1....1..", ".1......1.", "1111111111", "2.2.2.2.2."},
                                       {kWhite, kRed, kBlue, kGreen});
    p.width = w, p.height = h;
    p.indices.resize(std::size_t(w * h));
    return p;
}

std::unique_ptr<BoardModel> Named(const std::u16string& name, const Picture4& picture = Ten()) {
    return test::BoardFromPicture(picture, name);
}

// Column 3 and row 14 right; flags beyond the picture left by a larger puzzle; the longest clock.
void PlaySome(BoardModel& m) {
    for (int r = 0; r < 15; ++r) m.Cell(3, r) = {0, m.PictureColour(3, r)};
    for (int c = 0; c < 10; ++c) m.Cell(c, 14) = {0, m.PictureColour(c, 14)};
    m.Cell(2, 0) = {0, kRed};
    m.Cell(0, 0) = {0, kWhite};
    m.Cell(5, 7) = {0, kBlue};  // wrong, but a colour of the picture
    m.ColumnClue(2, 0).done = m.RowClue(13, 0).done = m.RowClue(2, 1).done = 1;
    m.columnSolved[3] = m.rowSolved[14] = m.columnSolved[30] = m.rowSolved[49] = 1;
    m.tapCounter = 4, m.seconds = 7, m.minutes = 59, m.hours = kLastGameMaxHours;
}

// The game above on the puzzle "p", and a folder of its own.
struct Game {
    Game() { PlaySome(*model); }
    test::TempFolder folder;
    std::unique_ptr<BoardModel> model = Named(u"p");
    fs::path file = folder / "lastcrw.sav";
};

Bytes Encode(const BoardModel& m) { return EncodeLastGame(m).value_or(Bytes{}); }
Bytes Slice(const Bytes& b, std::size_t at, std::size_t n) { return {b.begin() + long(at), b.begin() + long(at + n)}; }
Bytes WithName(Bytes b, std::u16string_view name) {
    for (std::size_t i = 0; i < 520; ++i) b[i] = std::uint8_t(i / 2 < name.size() ? name[i / 2] >> (8 * (i % 2)) : 0);
    return b;
}

// Offsets in the file of a 10 x 15 game.
constexpr std::size_t ColumnClueAt(std::size_t c, std::size_t k) { return 936 + (k * 10 + c) * 8; }
constexpr std::size_t RowClueAt(std::size_t r, std::size_t k) { return 936 + 4000 + (k * 15 + r) * 8; }
constexpr std::size_t CellAt(std::size_t c, std::size_t r) { return 936 + 10000 + (r * 10 + c) * 8; }

TEST(LastGame, TenByFifteenGameIsWrittenFieldByFieldLittleEndianAndReadBackByteExact) {
    Game g;
    ASSERT_EQ(SaveLastGame(g.folder.path(), *g.model).outcome, Outcome::Written);
    const Bytes b = test::ReadBytes(g.file);
    ASSERT_EQ(b.size(), 12136u);
    EXPECT_EQ(Slice(b, 0, 520), WithName(Bytes(520), u"p"));
    // Tap counter, then the solved flags of columns 0 to 3.
    EXPECT_EQ(Slice(b, 520, 20), (Bytes{4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Slice(b, 724 + 4 * 13, 8), (Bytes{0, 0, 0, 0, 1, 0, 0, 0}));  // row 14 solved, 13 not
    EXPECT_EQ(Slice(b, 924, 12), (Bytes{7, 0, 0, 0, 59, 0, 0, 0, 0x9F, 0x86, 1, 0}));  // 99999:59:07
    // Clues from the bottom and the right: length, colour index, padding, done flag.
    EXPECT_EQ(Slice(b, ColumnClueAt(2, 0), 16), (Bytes{1, 2, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Slice(b, RowClueAt(13, 0), 8), (Bytes{10, 1, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Slice(b, RowClueAt(2, 1), 8), (Bytes{3, 2, 0, 0, 1, 0, 0, 0}));
    // Cells: state (0 decided, 1 blank), colour 0x00BBGGRR.
    EXPECT_EQ(Slice(b, CellAt(0, 0), 24),
              (Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0}));
    EXPECT_EQ(Slice(b, CellAt(3, 1), 8), (Bytes{0, 0, 0, 0, 0, 0, 0xFF, 0}));

    auto fresh = Named(u"p");
    fresh->Cell(4, 4) = {0, kRed};  // whatever was there is replaced
    EXPECT_TRUE(ApplyLastGame(b, *fresh) && Encode(*fresh) == b);

    // Written right after a reveal, before the next tick carried the minutes: the total counts.
    const Bytes late = test::With(test::With(test::With(b, 932, 2), 928, 75), 924, 61);
    ASSERT_TRUE(ApplyLastGame(late, *fresh));
    EXPECT_EQ(std::tuple(fresh->hours, fresh->minutes, fresh->seconds), std::tuple(3, 16, 1));
}

TEST(LastGame, FilesThatDoNotFitThePictureAreRefusedWithoutTouchingTheModel) {
    const Game g;
    const Bytes good = Encode(*g.model);
    auto target = Named(u"p");
    target->Cell(1, 1) = {0, kRed};  // a game in play, which a refused file leaves alone
    const Bytes before = Encode(*target);
    using Edit = std::function<void(Bytes&)>;
    auto put = [](std::size_t at, std::int32_t v) -> Edit { return [=](Bytes& b) { b = test::With(b, at, std::uint32_t(v)); }; };
    auto set = [](std::size_t at, std::uint8_t v) -> Edit { return [=](Bytes& b) { b[at] = v; }; };
    auto game = [](const Picture4& p) -> Edit { return [p](Bytes& b) { b = Encode(*Named(u"p", p)); }; };
    const std::vector<std::pair<const char*, Edit>> cases = {
        {"one byte short", [](Bytes& b) { b.pop_back(); }}, {"10 x 14 picture", game(Ten(10, 14))},
        {"15 x 10 picture: a file of the same length", game(Ten(15, 10))}, {"another name", set(0, 'q')},
        {"bytes after the name's terminator", set(100, 'x')}, {"cell state 2", put(CellAt(4, 4), 2)},
        {"blank cell coloured", put(CellAt(4, 4) + 4, kRed)}, {"palette colour no pixel has", put(CellAt(2, 0) + 4, kGreen)},
        {"high byte of a colour", set(CellAt(2, 0) + 7, 1)}, {"a minute past the longest clock", put(928, 60)},
        {"negative seconds", put(924, -1)}, {"negative hours", put(932, -5)},
        {"absurd hours", put(932, kLastGameMaxHours + 1)}, {"negative tap counter", put(520, -1)},
        {"tap counter near overflow", put(520, 0x7FFFFFFF)}, {"done flag 7", put(ColumnClueAt(2, 0) + 4, 7)},
        {"done flag on an empty slot", put(RowClueAt(13, 1) + 4, 1)}, {"clue length", set(RowClueAt(13, 0), 9)},
        {"clue colour index", set(RowClueAt(13, 0) + 1, 2)}, {"clue in an empty slot", set(ColumnClueAt(0, 49), 1)},
        {"clue padding", set(ColumnClueAt(2, 0) + 2, 1)}, {"row flag -1 beyond the picture", put(724 + 4 * 40, -1)},
        // Solved flags that disagree with the stored cells, either way.
        {"untouched row claimed", put(724, 1)}, {"complete column hidden", put(524 + 4 * 3, 0)},
    };
    for (const auto& [what, edit] : cases) {
        Bytes b = good;
        edit(b);
        EXPECT_FALSE(ApplyLastGame(b, *target)) << what;
        EXPECT_EQ(Encode(*target), before) << what;
    }
}

TEST(LastGame, NamesThatAreNotPlainNamesOfTheFolderAreNeitherOpenedNorWritten) {
    // A name of 259 units is the longest the file holds, and comes back whole.
    const std::u16string longest(259, u'\u0416');
    auto m = Named(longest);
    PlaySome(*m);
    const Bytes saved = Encode(*m);
    ASSERT_EQ(saved.size(), 12136u);
    EXPECT_TRUE(LastGameName(saved) == longest && ApplyLastGame(saved, *Named(longest)));

    // Inside the program folder "prog" or next to it, each name would find a picture as a path.
    Game g;
    const fs::path program = g.folder / "prog";
    fs::create_directories(program / "a");
    const std::u16string lone = {u'a', char16_t(0xD800), u'b'};
    for (const char* file : {"x.bmp", "prog/a/b.bmp", "prog/..bmp", "prog/...bmp", "prog/.bmp", "prog/a\\b.bmp"})
        ASSERT_TRUE(WriteBmp4(g.folder / file, Ten()));
    ASSERT_TRUE(WriteBmp4(PicturePath(program, lone), Ten()));
    for (const std::u16string& name : {std::u16string(u"../x"), std::u16string(u"a/b"), std::u16string(u"."),
                                       std::u16string(u".."), std::u16string(), lone, longest + u"x"}) {
        test::WriteBytes(program / "lastcrw.sav", WithName(saved, name));
        EXPECT_FALSE(ReadLastGame(program).has_value()) << Utf16ToUtf8(name);
        // Nor is such a name written (a shortened one would name another picture): the old file
        // goes, and no write failed.
        const LastGameSaveResult result = SaveLastGame(program, *Named(name));
        EXPECT_TRUE(result.outcome == Outcome::NameNotStorable && !result.failed() && !fs::exists(program / "lastcrw.sav"))
            << Utf16ToUtf8(name);
    }
    // A backslash is an ordinary character of a file name: the catalogue lists a\b.bmp as a\b,
    // and its game is saved and restored.
    g.model->name = u"a\\b";
    ASSERT_EQ(SaveLastGame(program, *g.model).outcome, Outcome::Written);
    BoardModel restored;
    EXPECT_EQ(RestoreLastGame(program, restored), RestoreOutcome::Restored);
    EXPECT_EQ(Encode(restored), Encode(*g.model));
}

TEST(LastGame, AFileThatDoesNotRestoreIsKeptAsideBeforeTheNextSaveWritesOrRemovesIt) {
    Game g;
    ASSERT_TRUE(WriteBmp4(g.folder / "p.bmp", Ten()));
    const fs::path aside = g.folder / "lastcrw.sav.bad";
    const Bytes good = Encode(*g.model);
    Bytes cut(good.begin(), good.end() - 8);   // a sector lost
    const Bytes flipped = test::With(good, CellAt(4, 4), 7);  // a cell state no build writes
    // A file that restores is replaced, and nothing is kept aside.
    test::WriteBytes(g.file, good);
    ASSERT_EQ(SaveLastGame(g.folder.path(), *g.model).outcome, Outcome::Written);
    EXPECT_FALSE(fs::exists(aside));
    // One that does not is kept whole before a save writes a new one; the next such file takes
    // its place. A finished game or no puzzle leaves no file, but keeps only a bad one aside.
    test::WriteBytes(g.file, cut);
    ASSERT_EQ(SaveLastGame(g.folder.path(), *g.model).outcome, Outcome::Written);
    EXPECT_TRUE(test::ReadBytes(aside) == cut && test::ReadBytes(g.file) == good);
    g.model->gameOver = 1;
    ASSERT_EQ(SaveLastGame(g.folder.path(), *g.model).outcome, Outcome::NothingToSave);
    EXPECT_TRUE(!fs::exists(g.file) && test::ReadBytes(aside) == cut);
    test::WriteBytes(g.file, flipped);
    BoardModel none;
    ASSERT_EQ(SaveLastGame(g.folder.path(), none).outcome, Outcome::NothingToSave);
    EXPECT_TRUE(test::ReadBytes(aside) == flipped && !fs::exists(g.file));
    // Without its picture the file cannot be restored either.
    test::WriteBytes(g.file, good);
    fs::remove(g.folder / "p.bmp");
    ASSERT_EQ(SaveLastGame(g.folder.path(), none).outcome, Outcome::NothingToSave);
    EXPECT_EQ(test::ReadBytes(aside), good);
}

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicFile, AReplacedFileKeepsItsModeAndANewOneIsReadableByAll) {
    test::TempFolder folder;
    const fs::path file = folder / "mg.bd";
    ASSERT_TRUE(WriteFileAtomically(file, {1, 2, 3}));
    EXPECT_EQ(ModeOf(file), 0644u);
    for (mode_t mode : {0600u, 0640u, 0664u}) {
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        ASSERT_TRUE(WriteFileAtomically(file, {4, 5}));
        EXPECT_TRUE(ModeOf(file) == mode && test::ReadBytes(file) == (Bytes{4, 5})) << std::oct << mode;
    }
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"mg.bd"});
}

TEST(AtomicFile, LeftoversOfOurSavesAreRemovedAndNoOtherFile) {
    test::TempFolder folder;
    const std::vector<std::string> ours{"mg.bd.a1B2c3", "mg.bd.XXXXXX", "lastcrw.sav.000000", "lastcrw.sav.zZ9yY8"};
    const std::vector<std::string> others{
        "mg.bd", "lastcrw.sav", "lastcrw.sav.bad", "mg.bd.a1B2c", "mg.bd.a1B2c3d", "mg.bd.a1B2c!", "mg.bd.a1-2c3",
        "mg.bd.\xC3\xA9\x61\x62\x63", "Mg.bd.a1B2c3", "xmg.bd.a1B2c3", "mg.bdXa1B2c3", "other.a1B2c3", "p.bmp.a1B2c3"};
    for (const auto* names : {&ours, &others})
        for (const std::string& name : *names) test::WriteBytes(folder / name, {1});
    // Neither a folder nor a link named like a leftover, nor the file a link points at.
    fs::create_directory(folder / "mg.bd.Dir123");
    test::TempFolder outside;
    test::WriteBytes(outside / "kept", {1});
    fs::create_symlink(outside / "kept", folder / "lastcrw.sav.Lnk123");

    EXPECT_EQ(RemoveLeftoverTemporaries(folder.path(), {CCatalog::kFileName, kLastGameFileName}), int(ours.size()));
    std::vector<std::string> expected = others;
    expected.insert(expected.end(), {"mg.bd.Dir123", "lastcrw.sav.Lnk123"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(folder.path()), expected);
    EXPECT_TRUE(fs::exists(outside / "kept"));
}

// A child saves two versions of each file in turn and is killed at a random moment, 300 times.
TEST(SaveCrash, SavesKilledAtRandomMomentsLeaveWholeFilesAndTheStartRemovesTheirLeftovers) {
    Game g;
    const test::TempFolder& folder = g.folder;
    ASSERT_TRUE(WriteBmp4(folder / "p.bmp", Ten()));
    const std::unique_ptr<BoardModel> games[2] = {Named(u"p"), std::move(g.model)};  // blank and played
    std::vector<Bytes> gameBytes{Encode(*games[0]), Encode(*games[1])}, catalogueBytes;
    std::vector<CCatalog> catalogues;
    for (int version = 0; version < 2; ++version) {
        catalogues.emplace_back(folder.path());
        for (int i = 0; i < 20 + 30 * version; ++i)
            catalogues.back().AddOrUpdate(u"n" + std::u16string(1, char16_t(u'a' + i)), i + version, 0, 1, 2, 1);
        ASSERT_TRUE(catalogues.back().Save());
        catalogueBytes.push_back(test::ReadBytes(folder / "mg.bd"));
    }
    ASSERT_EQ(SaveLastGame(folder.path(), *games[0]).outcome, Outcome::Written);
    std::mt19937 random(5);
    for (int kill = 0; kill < 300; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            (void)!::write(ready[1], "r", 1);
            for (unsigned i = 0;; ++i) {
                SaveLastGame(folder.path(), *games[i % 2]);
                catalogues[(i / 2) % 2].Save();
            }
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the child never started";
        ::close(ready[0]);
        ::usleep(useconds_t(random() % 10000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const Bytes game = test::ReadBytes(folder / "lastcrw.sav");
        EXPECT_TRUE(game == gameBytes[0] || game == gameBytes[1]) << "kill " << kill;
        BoardModel restored;
        EXPECT_EQ(RestoreLastGame(folder.path(), restored), RestoreOutcome::Restored) << "kill " << kill;
        const Bytes catalogue = test::ReadBytes(folder / "mg.bd");
        EXPECT_TRUE(catalogue == catalogueBytes[0] || catalogue == catalogueBytes[1]) << "kill " << kill;
        EXPECT_FALSE(fs::exists(folder / "lastcrw.sav.bad")) << "a whole file was taken for a damaged one";
        if (HasFailure()) return;
    }
    const int leftovers = int(Names(folder.path()).size()) - 3;
    EXPECT_EQ(RemoveLeftoverTemporaries(folder.path(), {CCatalog::kFileName, kLastGameFileName}), leftovers);
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"lastcrw.sav", "mg.bd", "p.bmp"}));
}

}  // namespace
}  // namespace mosgrid
