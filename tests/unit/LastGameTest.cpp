#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

#include "board/core/LineCheck.h"
#include "catalogue/core/Text.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/core/LastGameStore.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGreen = 0x00FF00;  // in the palette, but no pixel uses it

using Bytes = std::vector<std::uint8_t>;

// 10 columns, 15 rows, red and blue on white.
Picture4 TenByFifteen() {
    return test::PictureFromText({"..11111...", ".1222221..", "1222..2221", "12.2..2.21", "1222222221",
                                  ".12....21.", "..122221..", "...1111...", "....11....", "....11....",
                                  "...1..1...", "..1....1..", ".1......1.", "1111111111", "2.2.2.2.2."},
                                 {kWhite, kRed, kBlue, kGreen});
}

Picture4 Transposed(const Picture4& p) {
    Picture4 t = p;
    t.width = p.height;
    t.height = p.width;
    for (int r = 0; r < t.height; ++r)
        for (int c = 0; c < t.width; ++c) t.indices[std::size_t(r * t.width + c)] = p.indices[std::size_t(c * p.width + r)];
    return t;
}

// A puzzle set up from its picture file in a folder of its own, as the board sets it up.
struct Game {
    explicit Game(const Picture4& picture = TenByFifteen(), const std::u16string& name = u"p") {
        EXPECT_TRUE(WriteBmp4(PicturePath(folder.path(), name), picture));
        EXPECT_TRUE(model.Setup(PicturePath(folder.path(), name), name));
        model.Reset();
    }
    test::TempFolder folder;
    BoardModel model;
};

// Sets the solved flags of every line of the picture as play leaves them.
void CheckAllLines(BoardModel& m) {
    for (int c = 0; c < m.cols(); ++c) m.columnSolved[std::size_t(c)] = ColumnComplete(m, c) ? 1 : 0;
    for (int r = 0; r < m.rows(); ++r) m.rowSolved[std::size_t(r)] = RowComplete(m, r) ? 1 : 0;
}

// Marks, crossed-out clues, solved flags and a running clock. Column 3 and row 14 are right.
void PlaySome(BoardModel& m) {
    for (int r = 0; r < 15; ++r) m.Cell(3, r) = {0, m.PictureColour(3, r)};
    for (int c = 0; c < 10; ++c) m.Cell(c, 14) = {0, m.PictureColour(c, 14)};
    m.Cell(2, 0) = {0, kRed};
    m.Cell(0, 0) = {0, kWhite};
    m.Cell(5, 7) = {0, kBlue};  // wrong, but a colour of the picture
    m.ColumnClue(2, 0).done = 1;
    m.RowClue(13, 0).done = 1;
    m.RowClue(2, 1).done = 1;
    m.columnSolved[3] = 1;
    m.rowSolved[14] = 1;
    m.tapCounter = 4;
    m.seconds = 7;
    m.minutes = 59;
    m.hours = 2;
}

Bytes Encode(const BoardModel& m) {
    std::optional<Bytes> bytes = EncodeLastGame(m);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(Bytes{});
}

Bytes ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::int32_t I32At(const Bytes& b, std::size_t at) {
    return std::int32_t(std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
                        std::uint32_t(b[at + 3]) << 24);
}
void PutI32(Bytes& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(std::uint32_t(v) >> (8 * i));
}
Bytes WithName(Bytes b, std::u16string_view name) {
    for (std::size_t i = 0; i < 260; ++i) {
        char16_t u = i < name.size() ? name[i] : 0;
        b[2 * i] = std::uint8_t(u);
        b[2 * i + 1] = std::uint8_t(u >> 8);
    }
    return b;
}

// Applies bytes that must be refused to a game in progress and checks nothing changed.
void ExpectRefused(const Bytes& bytes, BoardModel& target, const std::string& what) {
    const Bytes before = Encode(target);
    EXPECT_FALSE(ApplyLastGame(bytes, target)) << what;
    EXPECT_EQ(Encode(target), before) << what;
}

// Offsets in the file of a 10 x 15 game.
constexpr std::size_t kCols = 10, kRows = 15;
constexpr std::size_t ColumnClueAt(std::size_t c, std::size_t k) { return 936 + (k * kCols + c) * 8; }
constexpr std::size_t RowClueAt(std::size_t r, std::size_t k) { return 936 + 400 * kCols + (k * kRows + r) * 8; }
constexpr std::size_t CellAt(std::size_t c, std::size_t r) { return 936 + 400 * (kCols + kRows) + (r * kCols + c) * 8; }

TEST(LastGameSave, TenByFifteenGameIsWrittenFieldByFieldLittleEndian) {
    Game g;
    PlaySome(g.model);
    LastGameSaveResult result = SaveLastGame(g.folder.path(), g.model);
    ASSERT_EQ(result.outcome, LastGameSaveResult::Outcome::Written);
    EXPECT_EQ(result.path, g.folder / "lastcrw.sav");
    Bytes b = ReadAll(result.path);
    ASSERT_EQ(b.size(), 12136u);

    EXPECT_EQ(b[0], 'p');
    for (std::size_t i = 1; i < 520; ++i) ASSERT_EQ(b[i], 0) << i;
    EXPECT_EQ(I32At(b, 520), 4);
    EXPECT_EQ(I32At(b, 524 + 4 * 3), 1);
    EXPECT_EQ(I32At(b, 724 + 4 * 14), 1);
    EXPECT_EQ(I32At(b, 724 + 4 * 13), 0);
    EXPECT_EQ(I32At(b, 924), 7);
    EXPECT_EQ(I32At(b, 928), 59);
    EXPECT_EQ(I32At(b, 932), 2);
    // Column 2 from the bottom: blue (length 1), then red 1, blue 1, blue 3, red 1...
    EXPECT_EQ(b[ColumnClueAt(2, 0)], 1);
    EXPECT_EQ(b[ColumnClueAt(2, 0) + 1], 2);
    EXPECT_EQ(I32At(b, ColumnClueAt(2, 0) + 4), 1);
    EXPECT_EQ(b[ColumnClueAt(2, 1)], 1);
    EXPECT_EQ(b[ColumnClueAt(2, 1) + 1], 1);
    EXPECT_EQ(I32At(b, ColumnClueAt(2, 1) + 4), 0);
    // Row 13 is one red run of 10; row 2 from the right: red 1, blue 3, blue 3, red 1.
    EXPECT_EQ(b[RowClueAt(13, 0)], 10);
    EXPECT_EQ(I32At(b, RowClueAt(13, 0) + 4), 1);
    EXPECT_EQ(b[RowClueAt(13, 1)], 0);
    EXPECT_EQ(b[RowClueAt(2, 1)], 3);
    EXPECT_EQ(b[RowClueAt(2, 1) + 1], 2);
    EXPECT_EQ(I32At(b, RowClueAt(2, 1) + 4), 1);
    EXPECT_EQ(b[RowClueAt(2, 4)], 0);
    // Cells: state, then the colour red in the low byte.
    EXPECT_EQ(I32At(b, CellAt(2, 0)), 0);
    EXPECT_EQ(Bytes(b.begin() + CellAt(2, 0) + 4, b.begin() + CellAt(2, 0) + 8), (Bytes{0xFF, 0, 0, 0}));
    EXPECT_EQ(Bytes(b.begin() + CellAt(3, 1) + 4, b.begin() + CellAt(3, 1) + 8), (Bytes{0, 0, 0xFF, 0}));
    EXPECT_EQ(I32At(b, CellAt(0, 0)), 0);
    EXPECT_EQ(I32At(b, CellAt(0, 0) + 4), 0xFFFFFF);
    EXPECT_EQ(I32At(b, CellAt(1, 0)), 1);
    EXPECT_EQ(I32At(b, CellAt(1, 0) + 4), 0xFFFFFF);
    EXPECT_EQ(I32At(b, CellAt(9, 14)), 0);
}

TEST(LastGameRestore, RoundTripIsByteExactThroughBytesAndThroughTheFolder) {
    Game g;
    PlaySome(g.model);
    const Bytes saved = Encode(g.model);

    Game fresh;
    fresh.model.Cell(4, 4) = {0, kRed};  // whatever was there is replaced
    ASSERT_TRUE(ApplyLastGame(saved, fresh.model));
    EXPECT_EQ(Encode(fresh.model), saved);
    EXPECT_EQ(fresh.model.Cell(3, 1).colour, kBlue);
    EXPECT_EQ(fresh.model.Cell(4, 4).state, 1);
    EXPECT_EQ(fresh.model.gameOver, 0);

    ASSERT_FALSE(SaveLastGame(g.folder.path(), g.model).failed());
    EXPECT_EQ(LoadLastGameName(g.folder.path()), std::u16string(u"p"));
    BoardModel restored;
    EXPECT_EQ(RestoreLastGame(g.folder.path(), restored), RestoreOutcome::Restored);
    EXPECT_EQ(restored.cols(), 10);
    EXPECT_EQ(restored.rows(), 15);
    EXPECT_EQ(Encode(restored), saved);
    // Restoring does not remove the file.
    EXPECT_TRUE(std::filesystem::exists(g.folder / "lastcrw.sav"));
}

TEST(LastGameRestore, ExtremesThatPlayCanReachAreAccepted) {
    Game g;
    PlaySome(g.model);
    g.model.seconds = 59;
    g.model.minutes = 59;
    g.model.hours = kLastGameMaxHours;
    g.model.tapCounter = 0;
    // Flags beyond this picture's width and height, left by a larger puzzle played before.
    g.model.columnSolved[30] = 1;
    g.model.rowSolved[49] = 1;
    // Every cell decided and all but one right, every clue crossed out.
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 10; ++c) g.model.Cell(c, r) = {0, g.model.PictureColour(c, r)};
    g.model.Cell(5, 7) = {0, kWhite};
    CheckAllLines(g.model);
    for (ClueEntry& e : g.model.columnClues) e.done = e.length ? 1 : 0;
    for (ClueEntry& e : g.model.rowClues) e.done = e.length ? 1 : 0;
    const Bytes saved = Encode(g.model);
    Game fresh;
    ASSERT_TRUE(ApplyLastGame(saved, fresh.model));
    EXPECT_EQ(Encode(fresh.model), saved);
    EXPECT_EQ(fresh.model.columnSolved[30], 1);
    EXPECT_EQ(fresh.model.rowSolved[0], 1);
    EXPECT_EQ(fresh.model.rowSolved[7], 0);
    EXPECT_EQ(fresh.model.columnSolved[5], 0);
}

TEST(LastGameRestore, SolvedFlagsMustSayWhatTheStoredCellsSay) {
    Game g;
    PlaySome(g.model);
    const Bytes good = Encode(g.model);
    Game target;
    target.model.Cell(1, 1) = {0, kRed};

    struct Patch {
        const char* what;
        std::function<void(Bytes&)> apply;
    };
    const std::vector<Patch> patches = {
        // A flag of 1 on a line that is not complete.
        {"untouched row claimed", [](Bytes& b) { PutI32(b, 724 + 4 * 0, 1); }},
        {"last column claimed", [](Bytes& b) { PutI32(b, 524 + 4 * 9, 1); }},
        {"every line claimed", [](Bytes& b) {
             for (std::size_t i = 0; i < 10; ++i) PutI32(b, 524 + 4 * i, 1);
             for (std::size_t i = 0; i < 15; ++i) PutI32(b, 724 + 4 * i, 1);
         }},
        // A solved row whose cell was changed behind its flag: blanked, crossed where the
        // picture is blue, painted red where it is white.
        {"cell of a solved row blanked", [](Bytes& b) {
             PutI32(b, CellAt(0, 14), 1);
             PutI32(b, CellAt(0, 14) + 4, std::int32_t(kWhite));
         }},
        {"cell of a solved row crossed", [](Bytes& b) { PutI32(b, CellAt(0, 14) + 4, std::int32_t(kWhite)); }},
        {"cell of a solved column recoloured", [](Bytes& b) { PutI32(b, CellAt(3, 3) + 4, std::int32_t(kRed)); }},
        // A flag of 0 on a complete line.
        {"complete row hidden", [](Bytes& b) { PutI32(b, 724 + 4 * 14, 0); }},
        {"complete column hidden", [](Bytes& b) { PutI32(b, 524 + 4 * 3, 0); }},
    };
    for (const Patch& p : patches) {
        Bytes b = good;
        p.apply(b);
        ExpectRefused(b, target.model, p.what);
    }

    // A line completed by hand in the file, with its flag set to match, is a fair game.
    Bytes completed = good;
    for (std::size_t r = 0; r < kRows; ++r) {
        PutI32(completed, CellAt(9, r), 0);
        PutI32(completed, CellAt(9, r) + 4, std::int32_t(g.model.PictureColour(9, int(r))));
    }
    ExpectRefused(completed, target.model, "complete column without its flag");
    PutI32(completed, 524 + 4 * 9, 1);
    ASSERT_TRUE(ApplyLastGame(completed, target.model));
    EXPECT_EQ(target.model.columnSolved[9], 1);
    EXPECT_EQ(target.model.Cell(9, 5).state, 0);
    EXPECT_EQ(target.model.Cell(1, 1).state, 1);
}

TEST(LastGameSave, FinishedGameOrNoPuzzleLeavesNoFile) {
    Game g;
    PlaySome(g.model);
    const auto path = g.folder / "lastcrw.sav";
    for (int finished = 0; finished < 2; ++finished) {
        ASSERT_EQ(SaveLastGame(g.folder.path(), g.model).outcome, LastGameSaveResult::Outcome::Written);
        ASSERT_TRUE(std::filesystem::exists(path));
        BoardModel none;
        if (finished) g.model.gameOver = 1;
        LastGameSaveResult result = SaveLastGame(g.folder.path(), finished ? g.model : none);
        EXPECT_EQ(result.outcome, LastGameSaveResult::Outcome::NothingToSave);
        EXPECT_FALSE(result.failed());
        EXPECT_FALSE(std::filesystem::exists(path));
        // With nothing there either, still no error.
        EXPECT_FALSE(SaveLastGame(g.folder.path(), finished ? g.model : none).failed());
    }
    EXPECT_EQ(RestoreLastGame(g.folder.path(), g.model), RestoreOutcome::NoGame);
}

TEST(LastGameSave, FailedWriteKeepsTheOldFileAndGivesThePath) {
    Game g;
    PlaySome(g.model);
    ASSERT_FALSE(SaveLastGame(g.folder.path(), g.model).failed());
    const Bytes old = ReadAll(g.folder / "lastcrw.sav");

    const auto missing = g.folder / "gone";
    LastGameSaveResult result = SaveLastGame(missing, g.model);
    EXPECT_EQ(result.outcome, LastGameSaveResult::Outcome::Failed);
    EXPECT_EQ(result.path, missing / "lastcrw.sav");

    // A folder that cannot be written to (as the owner, unless run with privileges).
    if (::geteuid() != 0) {
        g.model.seconds = 8;
        std::filesystem::permissions(g.folder.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        result = SaveLastGame(g.folder.path(), g.model);
        std::filesystem::permissions(g.folder.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        EXPECT_TRUE(result.failed());
        EXPECT_EQ(ReadAll(g.folder / "lastcrw.sav"), old);
    }
}

TEST(LastGameName, NameOf259UnitsRoundTripsAndLongerNamesAreNotSaved) {
    const Bytes picture = EncodeBmp4(TenByFifteen());
    std::u16string name;
    for (int i = 0; i < 259; ++i) name.push_back(char16_t(u'\u0410' + i % 32));
    auto setUp = [&](BoardModel& m, const std::u16string& n) {
        ASSERT_EQ(m.picture.LoadFromBytes(picture.data(), picture.size()), 1);
        ASSERT_TRUE(m.SetupFromLoadedPicture(n));
        m.Reset();
    };
    BoardModel m;
    setUp(m, name);
    PlaySome(m);
    const Bytes saved = Encode(m);
    EXPECT_EQ(saved.size(), 12136u);
    EXPECT_EQ(saved[518], 0);  // the terminator is the 260th unit
    EXPECT_EQ(saved[519], 0);
    EXPECT_EQ(LastGameName(saved), name);
    BoardModel other;
    setUp(other, name);
    ASSERT_TRUE(ApplyLastGame(saved, other));
    EXPECT_EQ(Encode(other), saved);

    test::TempFolder folder;
    ASSERT_EQ(SaveLastGame(folder.path(), m).outcome, LastGameSaveResult::Outcome::Written);
    EXPECT_EQ(LoadLastGameName(folder.path()), name);

    // One unit more: a shortened name would name another picture, so nothing is written, the
    // old file is gone and the caller learns the path.
    BoardModel longer;
    setUp(longer, name + u"x");
    EXPECT_FALSE(EncodeLastGame(longer).has_value());
    LastGameSaveResult result = SaveLastGame(folder.path(), longer);
    EXPECT_EQ(result.outcome, LastGameSaveResult::Outcome::NameNotStorable);
    EXPECT_TRUE(result.failed());
    EXPECT_EQ(result.path, folder / "lastcrw.sav");
    EXPECT_FALSE(std::filesystem::exists(folder / "lastcrw.sav"));

    // A file whose name fills all 260 units has no terminator and is refused.
    EXPECT_FALSE(LastGameName(WithName(saved, name + u"x")).has_value());
}

TEST(LastGameRestore, FilesThatDoNotFitThePictureAreRefusedWithoutTouchingTheModel) {
    Game g;
    PlaySome(g.model);
    const Bytes good = Encode(g.model);
    Game target;
    target.model.Cell(1, 1) = {0, kRed};
    target.model.minutes = 3;
    target.model.RowClue(0, 0).done = 1;

    ExpectRefused(Bytes(good.begin(), good.end() - 1), target.model, "one byte short");
    ExpectRefused(Bytes(good.begin(), good.begin() + 600), target.model, "cut after the name");
    ExpectRefused(Bytes{}, target.model, "empty");
    Bytes longer = good;
    longer.push_back(0);
    ExpectRefused(longer, target.model, "one byte long");

    Picture4 shorter = TenByFifteen();
    shorter.height = 14;
    shorter.indices.resize(140);
    Game smaller(shorter);
    ExpectRefused(Encode(smaller.model), target.model, "10 x 14 picture");
    // 15 x 10 gives a file of the same length; its clues do not fit.
    Game transposed(Transposed(TenByFifteen()));
    ASSERT_EQ(Encode(transposed.model).size(), good.size());
    ExpectRefused(Encode(transposed.model), target.model, "15 x 10 picture");
    // Another picture of the same size and name.
    Picture4 other = TenByFifteen();
    other.indices[0] = 1;
    Game changed(other);
    ExpectRefused(Encode(changed.model), target.model, "changed picture");

    std::mt19937 random(12345);
    for (int i = 0; i < 20; ++i) {
        Bytes noise(i % 2 ? good.size() : random() % 20000);
        for (auto& b : noise) b = std::uint8_t(random());
        ExpectRefused(noise, target.model, "random bytes");
        if (i % 2) ExpectRefused(WithName(noise, u"p"), target.model, "random bytes named p");
    }

    struct Patch {
        const char* what;
        std::function<void(Bytes&)> apply;
    };
    const std::vector<Patch> patches = {
        {"cell state 2", [](Bytes& b) { PutI32(b, CellAt(4, 4), 2); }},
        {"cell state -1", [](Bytes& b) { PutI32(b, CellAt(4, 4), -1); }},
        {"blank cell coloured", [](Bytes& b) { PutI32(b, CellAt(4, 4) + 4, std::int32_t(kRed)); }},
        {"palette colour no pixel has", [](Bytes& b) { PutI32(b, CellAt(2, 0) + 4, std::int32_t(kGreen)); }},
        {"colour foreign to the picture", [](Bytes& b) { PutI32(b, CellAt(2, 0) + 4, 0x123456); }},
        {"black, not in the picture", [](Bytes& b) { PutI32(b, CellAt(2, 0) + 4, 0); }},
        {"high byte of a colour", [](Bytes& b) { b[CellAt(2, 0) + 7] = 1; }},
        {"minutes 60", [](Bytes& b) { PutI32(b, 928, 60); }},
        {"negative minutes", [](Bytes& b) { PutI32(b, 928, -1); }},
        {"seconds 60", [](Bytes& b) { PutI32(b, 924, 60); }},
        {"negative seconds", [](Bytes& b) { PutI32(b, 924, -1); }},
        {"negative hours", [](Bytes& b) { PutI32(b, 932, -5); }},
        {"absurd hours", [](Bytes& b) { PutI32(b, 932, kLastGameMaxHours + 1); }},
        {"negative tap counter", [](Bytes& b) { PutI32(b, 520, -1); }},
        {"tap counter near overflow", [](Bytes& b) { PutI32(b, 520, 0x7FFFFFFF); }},
        {"done flag 7", [](Bytes& b) { PutI32(b, ColumnClueAt(2, 0) + 4, 7); }},
        {"done flag on an empty slot", [](Bytes& b) { PutI32(b, RowClueAt(13, 1) + 4, 1); }},
        {"clue length", [](Bytes& b) { b[RowClueAt(13, 0)] = 9; }},
        {"clue colour index", [](Bytes& b) { b[RowClueAt(13, 0) + 1] = 2; }},
        {"clue in an empty slot", [](Bytes& b) { b[ColumnClueAt(0, 49)] = 1; }},
        {"clue padding", [](Bytes& b) { b[ColumnClueAt(2, 0) + 2] = 1; }},
        {"column flag 2", [](Bytes& b) { PutI32(b, 524 + 4 * 3, 2); }},
        {"row flag -1 beyond the picture", [](Bytes& b) { PutI32(b, 724 + 4 * 40, -1); }},
        {"another name", [](Bytes& b) { b[0] = 'q'; }},
        {"bytes after the name's terminator", [](Bytes& b) { b[100] = 'x'; }},
    };
    for (const Patch& p : patches) {
        Bytes b = good;
        p.apply(b);
        ExpectRefused(b, target.model, p.what);
    }
    // The untouched file still applies.
    EXPECT_TRUE(ApplyLastGame(good, target.model));
    EXPECT_FALSE(ApplyLastGame(good, *std::make_unique<BoardModel>()));
}

TEST(LastGameRestore, DamagedFileStartsThePuzzleAfresh) {
    Game g;
    PlaySome(g.model);
    Bytes b = Encode(g.model);
    PutI32(b, 928, 60);
    WriteAll(g.folder / "lastcrw.sav", b);
    BoardModel m;
    ASSERT_EQ(RestoreLastGame(g.folder.path(), m), RestoreOutcome::StartedAfresh);
    ASSERT_TRUE(m.HasPuzzle());
    EXPECT_EQ(m.name, u"p");
    EXPECT_EQ(m.minutes, 0);
    EXPECT_EQ(m.Cell(2, 0).state, 1);
    EXPECT_EQ(m.ColumnClue(2, 0).done, 0);

    // The picture has gone: no puzzle.
    std::filesystem::remove(g.folder / "p.bmp");
    EXPECT_EQ(RestoreLastGame(g.folder.path(), m), RestoreOutcome::NoGame);
    EXPECT_FALSE(m.HasPuzzle());

    // No file, or something other than a regular file in its place.
    test::TempFolder empty;
    EXPECT_EQ(RestoreLastGame(empty.path(), m), RestoreOutcome::NoGame);
    std::filesystem::create_directory(empty / "lastcrw.sav");
    EXPECT_FALSE(LoadLastGameName(empty.path()).has_value());
}

TEST(LastGameRestore, PictureIsFoundWhateverTheCaseOfItsExtension) {
    Game g;
    PlaySome(g.model);
    ASSERT_FALSE(SaveLastGame(g.folder.path(), g.model).failed());
    const Bytes saved = ReadAll(g.folder / "lastcrw.sav");
    std::filesystem::rename(g.folder / "p.bmp", g.folder / "p.BMP");
    BoardModel m;
    ASSERT_EQ(RestoreLastGame(g.folder.path(), m), RestoreOutcome::Restored);
    EXPECT_EQ(m.name, u"p");
    EXPECT_EQ(Encode(m), saved);
}

TEST(LastGameName, HostileNamesAreNeverOpened) {
    // The program folder lies inside a scratch folder; every name below would find a picture if
    // it were used as a path.
    test::TempFolder root;
    const auto program = root / "prog";
    std::filesystem::create_directories(program / "a");
    const Picture4 picture = TenByFifteen();
    const Bytes pictureBytes = EncodeBmp4(picture);
    for (const char* file : {"x.bmp", "prog/a/b.bmp", "prog/..bmp", "prog/...bmp", "prog/.bmp", "prog/a\\b.bmp"})
        ASSERT_TRUE(WriteBmp4(root.path() / file, picture));
    const std::u16string lone = {u'a', char16_t(0xD800), u'b'};
    ASSERT_TRUE(WriteBmp4(PicturePath(program, lone), picture));

    Game g;
    PlaySome(g.model);
    const Bytes good = Encode(g.model);
    for (std::u16string_view name : {std::u16string_view(u"../x"), std::u16string_view(u"a/b"),
                                     std::u16string_view(u"."), std::u16string_view(u".."), std::u16string_view(u""),
                                     std::u16string_view(u"a\\b"), std::u16string_view(lone)}) {
        const std::string shown = Utf16ToUtf8(name);
        WriteAll(program / "lastcrw.sav", WithName(good, name));
        EXPECT_FALSE(LoadLastGameName(program).has_value()) << shown;
        const Bytes before = Encode(g.model);
        EXPECT_EQ(RestoreLastGame(program, g.model), RestoreOutcome::NoGame) << shown;
        EXPECT_EQ(Encode(g.model), before) << shown;
        // Nor is such a name ever written.
        BoardModel named;
        ASSERT_EQ(named.picture.LoadFromBytes(pictureBytes.data(), pictureBytes.size()), 1);
        ASSERT_TRUE(named.SetupFromLoadedPicture(std::u16string(name)));
        named.Reset();
        EXPECT_FALSE(EncodeLastGame(named).has_value()) << shown;
        EXPECT_EQ(SaveLastGame(program, named).outcome, LastGameSaveResult::Outcome::NameNotStorable) << shown;
    }
    // A plain name in the same folder is opened.
    WriteAll(program / "lastcrw.sav", WithName(good, u"x"));
    ASSERT_TRUE(WriteBmp4(program / "x.bmp", picture));
    BoardModel m;
    EXPECT_EQ(RestoreLastGame(program, m), RestoreOutcome::Restored);
    EXPECT_EQ(m.name, u"x");
}

}  // namespace
}  // namespace mosgrid
