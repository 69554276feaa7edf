// The game carried from one run to the next through the real main window: quitting mid-game
// writes the file, a new main window on the same folder shows the same board and runs the clock
// on; finished games leave no file; no file in the folder makes the start crash or show garbage.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <fstream>
#include <memory>
#include <random>

#include "app/ColourSwatch.h"
#include "app/MainFrame.h"
#include "app/StringTime.h"
#include "catalogue/core/Text.h"
#include "catalogue/ui/ListFiles.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/ui/BoardLastGame.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test::ScriptedPrompts;
using test::TempFolder;

constexpr COLORREF kBlue = 0xFF0000;

// 10 columns, 15 rows, red and blue on white.
const std::vector<std::string> kTen = {"..11111...", ".1222221..", "1222..2221", "12.2..2.21", "1222222221",
                                       ".12....21.", "..122221..", "...1111...", "....11....", "....11....",
                                       "...1..1...", "..1....1..", ".1......1.", "1111111111", "2.2.2.2.2."};
const std::vector<COLORREF> kRedBlue = {kWhite, kRed, kBlue};
// A plus sign: five blue cells, four white ones that must be crossed.
const std::vector<std::string> kPlus = {".1.", "111", ".1."};

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void Click(CGmGride& board, QPoint at) {
    Send(board.viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Send(board.viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// What a double click delivers: press, release, double click, release.
void DoubleClick(CGmGride& board, QPoint at) {
    Click(board, at);
    Send(board.viewport(), QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    Send(board.viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void ClickCell(CGmGride& board, int column, int row) { Click(board, test::CellCentre(board, column, row)); }

// The middle of clue slot k of a column (slot 0 next to the grid) and of a row.
QPoint ColumnClue(CGmGride& board, int column, int slot) {
    const BoardModel& m = board.Model();
    const int s = board.CellSize();
    return {(m.R + column) * s - board.HorizontalOffset() + s / 2, (m.K - 1 - slot) * s - board.VerticalOffset() + s / 2};
}
QPoint RowClue(CGmGride& board, int row, int slot) {
    const BoardModel& m = board.Model();
    const int s = board.CellSize();
    return {(m.R - 1 - slot) * s - board.HorizontalOffset() + s / 2, (m.K + row) * s - board.VerticalOffset() + s / 2};
}

// The viewport rectangle of a clue cell with a pixel of margin: a column clue (slot k of
// `line`) or a row clue.
QRect ClueCell(CGmGride& board, bool column, int line, int slot) {
    const BoardModel& m = board.Model();
    const int s = board.CellSize();
    const int x = column ? (m.R + line) * s : (m.R - 1 - slot) * s;
    const int y = column ? (m.K - 1 - slot) * s : (m.K + line) * s;
    return QRect(x - board.HorizontalOffset() - 1, y - board.VerticalOffset() - 1, s + 3, s + 3);
}

// How many pixels of two images of one size differ, leaving out the `skip` rectangles and
// looking only inside `within` when it is given.
int DifferingPixels(const QImage& a, const QImage& b, const std::vector<QRect>& skip, QRect within = QRect()) {
    if (a.size() != b.size()) return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QPoint p(x, y);
            if (within.isValid() && !within.contains(p)) continue;
            if (std::any_of(skip.begin(), skip.end(), [&](const QRect& r) { return r.contains(p); })) continue;
            if (a.pixel(p) != b.pixel(p)) ++count;
        }
    return count;
}

// Lets the event loop run until `done` holds or the time is up (the clock ticks once a second).
template <class Done>
bool RunEventsUntil(Done done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class LastGameTest : public ::testing::Test {
protected:
    std::unique_ptr<CMainFrame> Start() {
        auto frame = std::make_unique<CMainFrame>(folder.path());
        frame->show();
        QApplication::processEvents();
        return frame;
    }
    // The only puzzle of the folder, by the random pick.
    void PickTen(CMainFrame& frame) {
        frame.Action(ID_GAME_RANDOM)->trigger();
        QApplication::processEvents();
        ASSERT_TRUE(frame.Board().Model().HasPuzzle());
        ASSERT_EQ(frame.Board().Model().cols(), 10);
    }
    // Part of a game by clicks: row 13 in red and row 14 in blue (white cells crossed) are
    // complete; a wrong blue cell; a column clue and a row clue crossed out.
    void PlaySome(CMainFrame& frame) {
        CGmGride& board = frame.Board();
        ASSERT_EQ(board.Model().currentColour, kRed);
        for (int c = 0; c < 10; ++c) ClickCell(board, c, 13);
        Click(board, RowClue(board, 14, 0));  // a blue clue makes blue the current colour
        ASSERT_EQ(board.Model().currentColour, kBlue);
        for (int c = 0; c < 10; ++c) {
            ClickCell(board, c, 14);
            if (c % 2) ClickCell(board, c, 14);  // a white cell: painted, then crossed
        }
        ClickCell(board, 5, 7);
        DoubleClick(board, ColumnClue(board, 4, 0));
        DoubleClick(board, RowClue(board, 2, 1));
        const BoardModel& m = board.Model();
        ASSERT_EQ(m.rowSolved[13], 1);
        ASSERT_EQ(m.rowSolved[14], 1);
        ASSERT_EQ(m.ColumnClue(4, 0).done, 1);
        ASSERT_EQ(m.RowClue(2, 1).done, 1);
        ASSERT_EQ(m.Cell(5, 7).colour, kBlue);
        ASSERT_EQ(m.Cell(1, 14).colour, kWhite);
        ASSERT_EQ(m.gameOver, 0);
    }

    TempFolder folder;
    ScriptedPrompts prompts;
    const fs::path file = folder / "lastcrw.sav";
};

TEST_F(LastGameTest, QuitAndStartAgainShowsTheSameBoardAndTheClockRunsOn) {
    // The picture's extension in capitals: the restore finds it as the chooser does.
    ASSERT_TRUE(WriteBmp4(folder / "Ten.BMP", test::PictureFromText(kTen, kRedBlue)));
    test::WritePuzzle(folder.path(), "plus", kPlus, {kWhite, kBlue});

    auto frame = Start();
    test::WhenDialogOpens<CListFiles>([](CListFiles& chooser) {
        QTreeWidget* list = chooser.List();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0) == QStringLiteral("Ten")) list->setCurrentItem(list->topLevelItem(i));
        chooser.OkButton()->click();
    });
    frame->Action(ID_GAME_CHOOSE)->trigger();
    QApplication::processEvents();  // the scroll bars settle as the event loop goes on
    ASSERT_EQ(frame->Board().Model().name, u"Ten");
    const QImage fresh = frame->Board().ComposedImage();
    PlaySome(*frame);
    // Twelve minutes into the game.
    frame->Board().Model().minutes = 12;
    frame->Board().Model().seconds = 58;
    frame->Board().ShowTime();
    const BoardModel& before = frame->Board().Model();
    const Bytes expected = EncodeLastGame(before).value();
    const QImage shown = frame->Board().ComposedImage();
    const int cellSize = frame->Board().CellSize();

    frame->Action(ID_GAME_EXIT)->trigger();
    EXPECT_FALSE(frame->isVisible());
    const Bytes saved = ReadAll(file);
    EXPECT_EQ(saved.size(), 12136u);
    EXPECT_EQ(saved, expected);
    // Closing and then destroying the window saves once: what changes in between is not saved.
    frame->Board().Model().minutes = 30;
    frame.reset();
    EXPECT_EQ(ReadAll(file), saved);

    // The second run: no tick may fall between restoring and saving again.
    frame = std::make_unique<CMainFrame>(folder.path());
    frame->Board().StopTimer();
    frame->show();
    QApplication::processEvents();
    CGmGride& board = frame->Board();
    EXPECT_EQ(board.Model().name, u"Ten");
    EXPECT_EQ(board.CellSize(), cellSize);
    EXPECT_EQ(EncodeLastGame(board.Model()).value(), saved);
    // The same picture on the screen; only the strokes over crossed clues may differ by a
    // pixel at their ends (a restored game draws them a little inside the cell), but they are
    // there.
    const std::vector<QRect> struck = {ClueCell(board, true, 4, 0), ClueCell(board, false, 2, 1)};
    EXPECT_EQ(DifferingPixels(board.ComposedImage(), shown, struck), 0);
    for (const QRect& cell : struck) EXPECT_GT(DifferingPixels(board.ComposedImage(), fresh, {}, cell), 20);
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:12:58"));
    // The first non-white colour is current again, on the swatch too.
    EXPECT_EQ(board.Model().currentColour, kRed);
    EXPECT_EQ(frame->Swatch()->Colour(), kRed);
    EXPECT_EQ(board.Model().gameOver, 0);
    EXPECT_TRUE(frame->Action(ID_OTHER_OPEN_FIELD)->isEnabled());
    EXPECT_TRUE(test::NoBoxes(prompts));

    // Save, restore, save: the same bytes.
    frame->close();
    EXPECT_EQ(ReadAll(file), saved);
    frame.reset();

    // The clock runs on from the saved time.
    frame = Start();
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:12:58"));
    const QString restored = frame->TimeLabel()->text();
    EXPECT_TRUE(RunEventsUntil([&] { return frame->TimeLabel()->text() != restored; }, 1500));
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:12:59"));
    EXPECT_EQ(frame->Board().Model().seconds, 59);
    // And the game goes on: the wrong cell is put right and the next save holds it.
    ClickCell(frame->Board(), 5, 7);  // blue becomes red (the current colour)
    EXPECT_EQ(frame->Board().Model().Cell(5, 7).colour, kRed);
    frame.reset();
    const Bytes later = ReadAll(file);
    ASSERT_EQ(later.size(), 12136u);
    EXPECT_NE(later, saved);
    BoardModel check;
    ASSERT_EQ(RestoreLastGame(folder.path(), check), RestoreOutcome::Restored);
    EXPECT_EQ(check.Cell(5, 7).colour, kRed);
    EXPECT_EQ(check.minutes, 12);
}

TEST_F(LastGameTest, QuittingTheApplicationWithoutClosingSavesOnce) {
    test::WritePuzzle(folder.path(), "Ten", kTen, kRedBlue);
    auto frame = Start();
    PickTen(*frame);
    PlaySome(*frame);
    // The application's event loop ends while the window is still open.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    const Bytes saved = ReadAll(file);
    ASSERT_EQ(saved.size(), 12136u);
    EXPECT_EQ(saved, EncodeLastGame(frame->Board().Model()).value());
    // Whatever happens to the board afterwards is not saved again.
    ClickCell(frame->Board(), 0, 0);
    frame->close();
    frame.reset();
    EXPECT_EQ(ReadAll(file), saved);
}

TEST_F(LastGameTest, FinishedGamesAndNoPuzzleLeaveNoFile) {
    test::WritePuzzle(folder.path(), "plus", kPlus, {kWhite, kBlue});
    // No puzzle: an old file is not left behind either.
    WriteAll(file, Bytes(100, 7));
    auto frame = Start();
    EXPECT_FALSE(frame->Board().Model().HasPuzzle());
    frame->close();
    EXPECT_FALSE(fs::exists(file));
    frame.reset();
    EXPECT_FALSE(fs::exists(file));

    // Solved by clicks.
    frame = Start();
    frame->Action(ID_GAME_RANDOM)->trigger();
    ASSERT_TRUE(frame->Board().Model().HasPuzzle());
    frame->close();  // a game in play is saved
    ASSERT_TRUE(fs::exists(file));
    frame.reset();
    frame = Start();
    ASSERT_EQ(frame->Board().Model().name, u"plus");
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            if (c == 1 && r == 1) continue;
            ClickCell(frame->Board(), c, r);
            if (kPlus[std::size_t(r)][std::size_t(c)] == '.') ClickCell(frame->Board(), c, r);
        }
    ClickCell(frame->Board(), 1, 1);
    ASSERT_EQ(frame->Board().Model().gameOver, 1);
    frame->Action(ID_GAME_EXIT)->trigger();
    EXPECT_FALSE(fs::exists(file));
    frame.reset();

    // The field opened.
    frame = Start();
    frame->Action(ID_GAME_RANDOM)->trigger();
    frame->close();
    ASSERT_TRUE(fs::exists(file));
    frame.reset();
    frame = Start();
    ASSERT_TRUE(frame->Board().Model().HasPuzzle());
    prompts.Answer(true);
    frame->Action(ID_OTHER_OPEN_FIELD)->trigger();
    ASSERT_EQ(frame->Board().Model().gameOver, 1);
    frame.reset();  // the end of the program without a close
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(LastGameTest, AFileThatCannotBeWrittenShowsItsPathAndLeavesNoPartialFile) {
    test::WritePuzzle(folder.path(), "Ten", kTen, kRedBlue);
    // A folder in the file's place, with something in it, can be neither removed nor replaced.
    fs::create_directory(file);
    WriteAll(file / "keep", Bytes(3, 1));
    auto frame = Start();
    EXPECT_FALSE(frame->Board().Model().HasPuzzle());
    PickTen(*frame);
    PlaySome(*frame);
    frame->Action(ID_GAME_EXIT)->trigger();
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(prompts.told[0], QString::fromStdString(file.string()));
    EXPECT_TRUE(prompts.asked.empty());
    frame.reset();
    EXPECT_EQ(prompts.told.size(), 1u);  // told once
    EXPECT_TRUE(fs::is_directory(file));
    // Nothing else was left in the folder: the picture, the catalogue file and that folder.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path())) names.push_back(entry.path().filename().string());
    for (const std::string& name : names)
        EXPECT_TRUE(name == "Ten.bmp" || name == "lastcrw.sav" || name == "mg.bd") << name;
}

// Files that must not be restored: the board after the start is empty or the puzzle fresh, as
// a new pick of the puzzle shows it.
TEST_F(LastGameTest, BadFilesStartWithoutACrashAndWithoutGarbage) {
    test::WritePuzzle(folder.path(), "Ten", kTen, kRedBlue);
    auto frame = Start();
    const QImage empty = frame->Board().ComposedImage();
    PickTen(*frame);
    const QImage fresh = frame->Board().ComposedImage();
    PlaySome(*frame);
    frame->Board().Model().minutes = 5;
    frame.reset();
    const Bytes good = ReadAll(file);
    ASSERT_EQ(good.size(), 12136u);

    // The puzzle set up afresh: no marks, no crossed clues, no solved lines, the clock at zero.
    auto expectFresh = [&](const std::string& what) {
        auto f = Start();
        const BoardModel& m = f->Board().Model();
        ASSERT_TRUE(m.HasPuzzle()) << what;
        EXPECT_EQ(m.name, u"Ten") << what;
        for (const CellRecord& cell : m.cells) ASSERT_EQ(cell.state, 1) << what;
        for (const ClueEntry& e : m.columnClues) ASSERT_EQ(e.done, 0) << what;
        for (const ClueEntry& e : m.rowClues) ASSERT_EQ(e.done, 0) << what;
        for (int r = 0; r < 15; ++r) ASSERT_EQ(m.rowSolved[std::size_t(r)], 0) << what;
        EXPECT_EQ(f->TimeLabel()->text(), QStringLiteral("0:00:00")) << what;
        EXPECT_EQ(m.currentColour, kRed) << what;
        EXPECT_EQ(f->Board().ComposedImage(), fresh) << what;
    };
    auto expectEmpty = [&](const std::string& what) {
        auto f = Start();
        EXPECT_FALSE(f->Board().Model().HasPuzzle()) << what;
        EXPECT_EQ(f->Board().ComposedImage(), empty) << what;
        EXPECT_EQ(f->TimeLabel()->text(), QStringLiteral("0:00:00")) << what;
        EXPECT_FALSE(f->Action(ID_GAME_RESTART)->isEnabled()) << what;
    };

    for (std::size_t length : {std::size_t(12135), std::size_t(6000), std::size_t(936), std::size_t(521)}) {
        WriteAll(file, Bytes(good.begin(), good.begin() + std::ptrdiff_t(length)));
        expectFresh("cut to " + std::to_string(length) + " bytes");
    }
    Bytes longer = good;
    longer.resize(20000, 0);
    WriteAll(file, longer);
    expectFresh("zeros appended");
    // A file claiming a solved line it does not hold.
    Bytes claim = good;
    claim[724] = 1;
    WriteAll(file, claim);
    expectFresh("false solved row");

    // The picture has another size now: 10 x 14, and 15 x 10 (a file of the same length).
    std::vector<std::string> shorter(kTen.begin(), kTen.end() - 1);
    test::WritePuzzle(folder.path(), "Ten", shorter, kRedBlue);
    WriteAll(file, good);
    {
        auto f = Start();
        ASSERT_TRUE(f->Board().Model().HasPuzzle());
        EXPECT_EQ(f->Board().Model().rows(), 14);
        for (const CellRecord& cell : f->Board().Model().cells) ASSERT_EQ(cell.state, 1);
        EXPECT_EQ(f->TimeLabel()->text(), QStringLiteral("0:00:00"));
    }
    std::vector<std::string> transposed(10, std::string(15, '.'));
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 10; ++c) transposed[std::size_t(c)][std::size_t(r)] = kTen[std::size_t(r)][std::size_t(c)];
    test::WritePuzzle(folder.path(), "Ten", transposed, kRedBlue);
    WriteAll(file, good);
    {
        auto f = Start();
        ASSERT_TRUE(f->Board().Model().HasPuzzle());
        EXPECT_EQ(f->Board().Model().cols(), 15);
        for (const CellRecord& cell : f->Board().Model().cells) ASSERT_EQ(cell.state, 1);
    }
    test::WritePuzzle(folder.path(), "Ten", kTen, kRedBlue);

    // Random bytes, also behind the right name.
    std::mt19937 random(2024);
    for (int i = 0; i < 4; ++i) {
        Bytes noise(i < 2 ? 12136 : random() % 30000);
        for (auto& b : noise) b = std::uint8_t(random());
        WriteAll(file, noise);
        expectEmpty("random bytes " + std::to_string(i));
        for (std::size_t k = 0; k < 520; ++k) noise[k] = k == 0 ? 'T' : k == 2 ? 'e' : k == 4 ? 'n' : 0;
        WriteAll(file, noise);
        expectFresh("random bytes named Ten " + std::to_string(i));
    }

    // Names that would lead out of the folder, each with a picture there to find.
    fs::create_directories(folder / "sub");
    test::WritePuzzle(folder / "sub", "x", kTen, kRedBlue);
    test::WritePuzzle(folder.path().parent_path(), folder.path().filename().string() + "-outside", kTen, kRedBlue);
    const std::u16string outside = u"../" + Utf8ToUtf16(folder.path().filename().string()) + u"-outside";
    for (const std::u16string& name : {outside, std::u16string(u"sub/x"), std::u16string(u"sub\\x"),
                                       std::u16string(u".."), std::u16string(u".")}) {
        Bytes hostile = good;
        for (std::size_t k = 0; k < 260; ++k) {
            const char16_t unit = k < name.size() ? name[k] : 0;
            hostile[2 * k] = std::uint8_t(unit);
            hostile[2 * k + 1] = std::uint8_t(unit >> 8);
        }
        WriteAll(file, hostile);
        expectEmpty("name " + Utf16ToUtf8(name));
    }
    fs::remove(folder.path().parent_path() / (folder.path().filename().string() + "-outside.bmp"));

    // A picture of that name that cannot be read.
    WriteAll(folder / "Ten.bmp", Bytes(10, 0x42));
    WriteAll(file, good);
    expectEmpty("unreadable picture");
    EXPECT_TRUE(test::NoBoxes(prompts));
}

}  // namespace
}  // namespace mosgrid
