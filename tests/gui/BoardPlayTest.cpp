// The solved check and what follows it, line reveals with their penalty, opening the field and
// the game clock.
#include <QEventLoop>
#include <QTimer>
#include <tuple>

#include "board/core/BoardTexts.h"
#include "tests/gui/BoardFixture.h"
#include "tests/unit/CatalogRecords.h"

namespace mosgrid::test {
namespace {

QString Solved(ClockTime elapsed, ClockTime best) { return QString::fromStdString(SolvedMessage(elapsed, best)); }

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A cross of red on white with four white corner cells, listed in the catalogue as `record`.
class BoardPlay : public BoardFixture {
protected:
    void SetUpCross(CatalogEntry record, int size = 300) {
        WriteCatalog(folder / "mg.bd", {record});
        MakeBoard(size, size);
        Load({".1.", "111", ".1."}, {kWhite, kRed}, "cross");
    }
    void PaintRed() {
        for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(2, 1), QPoint(1, 2)}) Tap(CellPoint(p.x(), p.y()));
    }
    // Crosses (two taps) the white corners but (2, 2), then sets the clock and crosses (2, 2).
    void CrossCorners(ClockTime at) {
        for (QPoint p : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(2, 2)}) {
            if (p == QPoint(2, 2)) std::tie(model().hours, model().minutes, model().seconds) = std::tie(at.hours, at.minutes, at.seconds);
            Tap(CellPoint(p.x(), p.y()));
            Tap(CellPoint(p.x(), p.y()));
        }
    }
};

TEST_F(BoardPlay, SolvedOnlyOnceEveryWhiteCellIsCrossedThenRecordedOnce) {
    SetUpCross({u"cross", 0, 0, 0, 0});
    int solved = 0;
    QObject::connect(board.get(), &CGmGride::puzzleSolved, [&solved] { ++solved; });
    Key(Qt::Key_Return);  // full-screen mode ends with the solve
    PaintRed();
    EXPECT_TRUE(prompts.told.empty());  // the picture matches, but white cells are still blank
    EXPECT_EQ(model().gameOver, 0);
    // While the message is open the game is already over and the solve recorded.
    std::vector<int> whileOpen;
    prompts.onTell = [&](const QString&) {
        whileOpen = {model().gameOver, int(board->ClockRunning()), int(ReadCatalog(folder / "mg.bd")[0].solvedCount)};
    };
    CrossCorners({0, 2, 5});
    EXPECT_EQ(whileOpen, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(prompts.told, std::vector<QString>{Solved({0, 2, 5}, {0, 2, 5})});
    EXPECT_EQ(model().gameOver, 1);
    EXPECT_EQ(solved, 1);
    EXPECT_FALSE(board->IsFullScreen());
    EXPECT_EQ(host.left, 1);
    auto entries = ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].solvedCount, 1);
    EXPECT_EQ(entries[0].minutes * 60 + entries[0].seconds, 125);
    // The game is over: taps change nothing and no second message comes.
    Tap(CellPoint(2, 2));
    EXPECT_EQ(model().Cell(2, 2).state, 0);
    EXPECT_EQ(prompts.told.size(), 1u);
}

TEST_F(BoardPlay, BestTimeComparesTotalSecondsATieKeepsItAndAFailedWriteShowsThePath) {
    SetUpCross({u"cross", 1, 0, 59, 59});
    PaintRed();
    CrossCorners({1, 0, 0});
    board->ResetBoard();
    EXPECT_EQ(model().gameOver, 0);
    PaintRed();
    CrossCorners({0, 59, 59});
    EXPECT_EQ(prompts.told, (std::vector<QString>{Solved({1, 0, 0}, {0, 59, 59}), Solved({0, 59, 59}, {0, 59, 59})}));
    auto entries = ReadCatalog(folder / "mg.bd");
    EXPECT_EQ(entries[0].solvedCount, 3);
    EXPECT_EQ(entries[0].hours * 3600 + entries[0].minutes * 60 + entries[0].seconds, 3599);
    std::filesystem::remove(folder / "mg.bd");
    std::filesystem::create_directory(folder / "mg.bd");  // a folder where the file should go
    board->ResetBoard();
    PaintRed();
    CrossCorners({0, 0, 7});
    ASSERT_EQ(prompts.told.size(), 4u);
    EXPECT_EQ(prompts.told[2], QString::fromStdString((folder / "mg.bd").string()));
    EXPECT_EQ(prompts.told[3], Solved({0, 0, 7}, {0, 0, 7}));
}

TEST_F(BoardPlay, RevealAddsTheCellSizeInMinutesWithHoursCarriedAndCanEndInTheSolve) {
    SetUpCross({u"cross", 0, 0, 0, 0}, 61);  // one clue slot each way: 4 cells of 15 pixels across
    ASSERT_EQ(s(), 15);
    board->SetHints(true);
    model().minutes = 50;
    model().seconds = 30;
    Hold(RowCluePoint(1, 0), 5, false);  // "Нет" changes nothing
    EXPECT_EQ(model().minutes, 50);
    EXPECT_EQ(model().Cell(1, 1).state, 1);
    Hold(ColumnCluePoint(0, 0), 5, true);
    EXPECT_EQ(ClockOf(model()), (ClockTime{1, 5, 30}));  // 50 + 15 minutes
    for (int r = 0; r < 3; ++r) EXPECT_TRUE(model().Cell(0, r).state == 0 && model().Cell(0, r).colour == model().PictureColour(0, r)) << r;
    EXPECT_TRUE(board->Images().ColumnMarked(0));  // hint mark of column 0
    for (int column : {1, 2}) Hold(ColumnCluePoint(column, 0), 5, true);
    EXPECT_EQ(model().gameOver, 1);  // the last reveal completed the picture
    EXPECT_EQ(prompts.told, std::vector<QString>{Solved({1, 35, 30}, {1, 35, 30})});
}

TEST_F(BoardPlay, ClockRollsIntoTheHourAndOpeningTheFieldStopsItWithoutASolve) {
    SetUpCross({u"cross", 0, 0, 0, 0});
    ASSERT_FALSE(host.times.empty());
    EXPECT_EQ(host.times.back(), (ClockTime{0, 0, 0}));  // the set-up shows 0:00:00
    model().minutes = 59;
    model().seconds = 59;
    Wait(1300);
    EXPECT_EQ(host.times.back(), (ClockTime{1, 0, 0}));
    board->OpenField();  // no solve: no message, nothing recorded
    EXPECT_TRUE(prompts.told.empty());
    EXPECT_EQ(model().gameOver, 1);
    EXPECT_EQ(ReadCatalog(folder / "mg.bd")[0].solvedCount, 0);
    const std::size_t shown = host.times.size();
    Wait(1200);
    EXPECT_EQ(host.times.size(), shown);
    EXPECT_EQ(ClockOf(model()), (ClockTime{1, 0, 0}));
    DoubleTap(RowCluePoint(1, 0));  // the stylus is ignored now
    EXPECT_EQ(model().RowClue(1, 0).done, 0);
}

}  // namespace
}  // namespace mosgrid::test
