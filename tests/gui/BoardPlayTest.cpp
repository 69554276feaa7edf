// The solved check and what follows it, and opening the field, which stops the clock.
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
    void SetUpCross(CatalogEntry record) {
        WriteCatalog(folder / "mg.bd", {record});
        MakeBoard(300, 300);
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

TEST_F(BoardPlay, OpeningTheFieldStopsTheClockWithoutASolve) {
    SetUpCross({u"cross", 0, 0, 0, 0});
    ASSERT_FALSE(host.times.empty());
    EXPECT_EQ(host.times.back(), (ClockTime{0, 0, 0}));  // the set-up shows 0:00:00
    model().minutes = 59;
    board->OpenField();  // no solve: no message, nothing recorded
    EXPECT_TRUE(prompts.told.empty());
    EXPECT_EQ(model().gameOver, 1);
    EXPECT_EQ(ReadCatalog(folder / "mg.bd")[0].solvedCount, 0);
    const std::size_t shown = host.times.size();
    Wait(1200);
    EXPECT_EQ(host.times.size(), shown);
    EXPECT_EQ(ClockOf(model()), (ClockTime{0, 59, 0}));
    DoubleTap(RowCluePoint(1, 0));  // the stylus is ignored now
    EXPECT_EQ(model().RowClue(1, 0).done, 0);
}

}  // namespace
}  // namespace mosgrid::test
