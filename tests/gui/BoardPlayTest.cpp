// The solved check and what follows it, line reveals with their penalty, opening the field and
// the game clock.
#include <QEventLoop>
#include <QTimer>

#include "tests/gui/BoardFixture.h"
#include "tests/unit/CatalogRecords.h"

namespace mosgrid::test {
namespace {

using BoardPlay = BoardFixture;

// A cross of red on white: four white corner cells.
const std::vector<std::string> kCross = {".1.", "111", ".1."};

QString Solved(const char* elapsed, const char* best) {
    return QStringLiteral("Кроссворд решен.\nЗатрачено времени - %1.\nЛучшее время - %2.")
        .arg(QString::fromLatin1(elapsed), QString::fromLatin1(best));
}

class BoardSolving : public BoardFixture {
protected:
    void SetUpCross(std::vector<CatalogEntry> catalog) {
        WriteCatalog(folder / "mg.bd", catalog);
        MakeBoard(300, 300);
        Load(kCross, {kWhite, kRed}, "cross");
    }
    // Paints the red cells and crosses three of the four white ones.
    void AlmostSolve() {
        for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(2, 1), QPoint(1, 2)}) Tap(CellPoint(p.x(), p.y()));
        for (QPoint p : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2)}) {
            Tap(CellPoint(p.x(), p.y()));
            Tap(CellPoint(p.x(), p.y()));
        }
    }
    void FinishAt(int h, int m, int sec) {
        model().hours = h;
        model().minutes = m;
        model().seconds = sec;
        Tap(CellPoint(2, 2));
        Tap(CellPoint(2, 2));
    }
};

TEST_F(BoardSolving, SolvedOnlyOnceEveryWhiteCellIsCrossed) {
    SetUpCross({{u"cross", 0, 0, 0, 0}});
    int solved = 0;
    QObject::connect(board.get(), &CGmGride::puzzleSolved, [&solved] { ++solved; });
    for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(2, 1), QPoint(1, 2)}) Tap(CellPoint(p.x(), p.y()));
    EXPECT_TRUE(prompts.told.empty());  // the picture matches, but white cells are still blank
    EXPECT_EQ(model().gameOver, 0);
    AlmostSolve();  // the red cells again would cross them: put them back
    for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(2, 1), QPoint(1, 2)}) {
        Tap(CellPoint(p.x(), p.y()));
        Tap(CellPoint(p.x(), p.y()));
    }
    EXPECT_TRUE(prompts.told.empty());
    Key(Qt::Key_Return);  // full-screen mode ends with the solve
    FinishAt(0, 2, 5);
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(prompts.told[0], Solved("0:02:05", "0:02:05"));
    EXPECT_EQ(model().gameOver, 1);
    EXPECT_EQ(solved, 1);
    EXPECT_FALSE(board->IsFullScreen());
    EXPECT_EQ(host.left, 1);
    auto entries = ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].solvedCount, 1);
    EXPECT_EQ(entries[0].minutes, 2);
    EXPECT_EQ(entries[0].seconds, 5);
    // The game is over: taps change nothing and no second message comes.
    Tap(CellPoint(2, 2));
    EXPECT_EQ(model().Cell(2, 2).colour, kWhite);
    EXPECT_EQ(prompts.told.size(), 1u);
}

TEST_F(BoardSolving, EqualTimeKeepsTheStoredBest) {
    ASSERT_TRUE(WriteBmp4(folder / "other.bmp", PictureFromText({"1"}, {kWhite, kRed})));
    SetUpCross({{u"other", 3, 0, 1, 0}, {u"cross", 2, 0, 10, 0}});
    AlmostSolve();
    FinishAt(0, 10, 0);
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(prompts.told[0], Solved("0:10:00", "0:10:00"));
    auto entries = ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 2u);  // sorted by name
    EXPECT_EQ(entries[0].name, u"cross");
    EXPECT_EQ(entries[0].solvedCount, 3);
    EXPECT_EQ(entries[0].minutes, 10);
    EXPECT_EQ(entries[1].solvedCount, 3);  // another puzzle untouched
    EXPECT_EQ(entries[1].minutes, 1);
}

TEST_F(BoardSolving, TimesCompareByTotalSeconds) {
    SetUpCross({{u"cross", 1, 1, 0, 0}});
    AlmostSolve();
    FinishAt(0, 59, 59);
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(prompts.told[0], Solved("0:59:59", "0:59:59"));

    // And the other way round: 1:00:00 does not beat 0:59:59.
    board->ResetBoard();
    EXPECT_EQ(model().gameOver, 0);
    AlmostSolve();
    FinishAt(1, 0, 0);
    ASSERT_EQ(prompts.told.size(), 2u);
    EXPECT_EQ(prompts.told[1], Solved("1:00:00", "0:59:59"));
    auto entries = ReadCatalog(folder / "mg.bd");
    EXPECT_EQ(entries[0].solvedCount, 3);
    EXPECT_EQ(entries[0].hours, 0);
    EXPECT_EQ(entries[0].minutes, 59);
}

TEST_F(BoardSolving, UnwritableCatalogueShowsItsPathAndStillAnnounces) {
    SetUpCross({{u"cross", 0, 0, 0, 0}});
    std::filesystem::remove(folder / "mg.bd");
    std::filesystem::create_directory(folder / "mg.bd");  // a folder where the file should go
    AlmostSolve();
    FinishAt(0, 0, 7);
    ASSERT_EQ(prompts.told.size(), 2u);
    EXPECT_EQ(prompts.told[0], QString::fromStdString((folder / "mg.bd").string()));
    EXPECT_EQ(prompts.told[1], Solved("0:00:07", "0:00:07"));
    EXPECT_EQ(model().gameOver, 1);
}

TEST_F(BoardPlay, RevealAddsTheCellSizeInMinutesAndCanEndInTheSolve) {
    WriteCatalog(folder / "mg.bd", {{u"p", 0, 0, 0, 0}});
    MakeBoard(61, 61);  // 3 x 3 with one clue slot each way: 4 cells of 15 pixels across
    Load(kCross, {kWhite, kRed});
    ASSERT_EQ(s(), 15);
    board->SetHints(true);
    model().minutes = 50;
    model().seconds = 30;
    // Reveal column 0 with a hold on its clue.
    Press(ColumnCluePoint(0, 0));
    prompts.Answer(true);
    for (int i = 0; i < 5; ++i) MoveHeld(ColumnCluePoint(0, 0));
    Release(ColumnCluePoint(0, 0));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], QStringLiteral("Вы хотите открыть 1 столбец ?"));
    // 50 + 15 minutes: the hour is carried at once.
    EXPECT_EQ(model().hours, 1);
    EXPECT_EQ(model().minutes, 5);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(model().Cell(0, r).state, 0);
        EXPECT_EQ(model().Cell(0, r).colour, model().PictureColour(0, r));
    }
    EXPECT_EQ(model().columnSolved[0], 1);
    EXPECT_EQ(PixelAt(board->Images().Cells(), s() / 2, 0), kRed);  // hint mark of column 0
    // "Нет" changes nothing.
    Press(RowCluePoint(1, 0));
    prompts.Answer(false);
    for (int i = 0; i < 5; ++i) MoveHeld(RowCluePoint(1, 0));
    Release(RowCluePoint(1, 0));
    EXPECT_EQ(model().minutes, 5);
    EXPECT_EQ(model().Cell(1, 1).state, 1);
    // Reveal the other columns; the last one completes the picture.
    for (int column : {1, 2}) {
        Press(ColumnCluePoint(column, 0));
        prompts.Answer(true);
        for (int i = 0; i < 5; ++i) MoveHeld(ColumnCluePoint(column, 0));
        Release(ColumnCluePoint(column, 0));
    }
    EXPECT_EQ(model().gameOver, 1);
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(prompts.told[0], Solved("1:35:30", "1:35:30"));
}

TEST_F(BoardPlay, OpenFieldShowsThePictureWithoutASolvedMessage) {
    WriteCatalog(folder / "mg.bd", {{u"p", 0, 0, 0, 0}});
    MakeBoard(300, 300);
    Load(kCross, {kWhite, kRed});
    model().minutes = 3;
    board->OpenField();
    EXPECT_TRUE(prompts.told.empty());
    EXPECT_EQ(model().gameOver, 1);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(model().Cell(c, r).state, 0);
            EXPECT_EQ(model().Cell(c, r).colour, model().PictureColour(c, r));
        }
    }
    const QImage& cells = board->Images().Cells();
    const QRect corner = board->Images().CellInterior(0, 0);
    EXPECT_EQ(PixelAt(cells, corner.left(), corner.top()), kBlack);  // white cells crossed
    EXPECT_EQ(ReadCatalog(folder / "mg.bd")[0].solvedCount, 0);
    EXPECT_EQ(model().minutes, 3);
}

TEST_F(BoardPlay, ClockTicksEverySecondAndRollsIntoTheHour) {
    MakeBoard(300, 300);
    Load(kCross, {kWhite, kRed});
    ASSERT_FALSE(host.times.empty());
    EXPECT_EQ(host.times.back(), (ClockTime{0, 0, 0}));  // the reset shows 0:00:00
    model().minutes = 59;
    model().seconds = 59;
    QEventLoop loop;
    QTimer::singleShot(1300, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(ClockOf(model()), (ClockTime{1, 0, 0}));
    EXPECT_EQ(host.times.back(), (ClockTime{1, 0, 0}));
    // Opening the field stops the clock.
    board->OpenField();
    const std::size_t shown = host.times.size();
    QTimer::singleShot(1200, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(host.times.size(), shown);
    EXPECT_EQ(ClockOf(model()), (ClockTime{1, 0, 0}));
}

TEST_F(BoardPlay, RestartClearsTheGameButKeepsColourAndHints) {
    MakeBoard(300, 300);
    Load({"12"}, {kWhite, kRed, kBlue});
    board->SetHints(true);
    Tap(RowCluePoint(0, 0));  // blue
    Tap(CellPoint(1, 0));
    DoubleTap(ColumnCluePoint(0, 0));
    board->OpenField();
    board->ResetBoard();
    EXPECT_EQ(model().gameOver, 0);
    EXPECT_EQ(model().Cell(1, 0).state, 1);
    EXPECT_EQ(model().ColumnClue(0, 0).done, 0);
    EXPECT_EQ(model().currentColour, kRed);  // the double tap on the red clue picked red
    EXPECT_EQ(model().hints, 1);
    EXPECT_EQ(PixelAt(board->Images().Miniature(), 1, 0), kWhite);
}

TEST_F(BoardPlay, PaintCellDrawsTheModelWithoutTheLineCheck) {
    MakeBoard(300, 300);
    Load({"1"}, {kWhite, kBlue});
    model().Cell(0, 0) = CellRecord{0, kBlue};  // as the solver writes it
    board->PaintCell(0, 0);
    const QRect interior = board->Images().CellInterior(0, 0);
    EXPECT_EQ(PixelAt(board->Images().Cells(), interior.left(), interior.top()), kBlue);
    EXPECT_EQ(PixelAt(board->Images().Miniature(), 0, 0), kBlue);
    EXPECT_EQ(model().rowSolved[0], 0);
    EXPECT_EQ(model().gameOver, 0);
    EXPECT_TRUE(prompts.told.empty());
    board->PaintCell(5, 5);  // outside the grid: ignored
}

TEST_F(BoardPlay, FirstPuzzleColourBecomesCurrentAndTheSwatchIsShown) {
    MakeBoard(300, 300);
    Load({"..2", "1.."}, {kWhite, kRed, kBlue});
    EXPECT_EQ(model().currentColour, kBlue);  // first in reading order
    host.swatches.clear();
    board->ApplyFirstPuzzleColour();
    ASSERT_EQ(host.swatches.size(), 1u);  // shown again although unchanged
    EXPECT_EQ(host.swatches[0], kBlue);
    // An all-white picture has no colour to offer: the current one stays.
    Load({"..", ".."}, {kWhite, kRed}, "white");
    EXPECT_EQ(model().K, 0);
    EXPECT_EQ(model().currentColour, kBlue);
    EXPECT_TRUE(board->Images().ColumnClues().isNull());
    board->SetCurrentColour(kWhite);  // never white
    EXPECT_EQ(model().currentColour, kBlue);
}

TEST(BoardWithoutHost, PlaysWithoutAMainWindow) {
    ScriptedPrompts prompts;
    TempFolder folder;
    ASSERT_TRUE(WriteBmp4(folder / "p.bmp", PictureFromText({"1"}, {kWhite, kRed})));
    CGmGride board(folder.path(), nullptr);
    board.resize(100, 100);
    board.SetupPuzzle(folder / "p.bmp", u"p");
    board.ApplyFirstPuzzleColour();
    board.EnterFullScreen();
    EXPECT_TRUE(board.IsFullScreen());
    board.UpdateCell(0, 0, CellUpdate::Mark);
    EXPECT_EQ(board.Model().gameOver, 1);
    EXPECT_FALSE(board.IsFullScreen());
    ASSERT_EQ(prompts.told.size(), 1u);
}

}  // namespace
}  // namespace mosgrid::test
