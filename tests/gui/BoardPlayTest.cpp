// The solved check and what follows it, and opening the field, which stops the clock.
#include <QEventLoop>
#include <QTimer>
#include <tuple>

#include "tests/gui/BoardFixture.h"
#include "tests/unit/CatalogRecords.h"

namespace mosgrid::test {
namespace {

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A cross of red on white with four white corner cells, listed in the catalogue as never solved.
class BoardPlay : public BoardFixture {
protected:
    void SetUp() override {
        WriteCatalog(folder / "mg.bd", {{u"cross", 0, 0, 0, 0}});
        MakeBoard(300, 300);
        Load({".1.", "111", ".1."}, {kWhite, kRed}, "cross");
    }
};

TEST_F(BoardPlay, SolvedOnlyOnceEveryWhiteCellIsCrossedThenRecordedOnce) {
    int solved = 0;
    QObject::connect(board.get(), &CGmGride::puzzleSolved, [&solved] { ++solved; });
    Key(Qt::Key_Return);  // full-screen mode ends with the solve
    for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(2, 1), QPoint(1, 2)}) Tap(CellPoint(p.x(), p.y()));
    EXPECT_TRUE(prompts.told.empty());  // the picture matches, but white cells are still blank
    EXPECT_EQ(model().gameOver, 0);
    // While the message is open the game is already over and the solve recorded.
    std::vector<int> whileOpen;
    prompts.onTell = [&](const QString&) {
        whileOpen = {model().gameOver, int(board->ClockRunning()), int(ReadCatalog(folder / "mg.bd")[0].solvedCount)};
    };
    for (QPoint p : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(2, 2)}) {  // each tapped twice: crossed
        if (p == QPoint(2, 2)) std::tie(model().minutes, model().seconds) = std::tuple(2, 5);
        Tap(CellPoint(p.x(), p.y()));
        Tap(CellPoint(p.x(), p.y()));
    }
    EXPECT_EQ(whileOpen, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(prompts.told, std::vector<QString>{QStringLiteral("Кроссворд решен.\nЗатрачено времени - 0:02:05.\nЛучшее время - 0:02:05.")});
    EXPECT_EQ(model().gameOver, 1);
    EXPECT_EQ(solved, 1);
    EXPECT_FALSE(board->IsFullScreen());
    EXPECT_EQ(host.left, 1);
    const CatalogEntry stored = ReadCatalog(folder / "mg.bd").at(0);
    EXPECT_EQ(stored.solvedCount, 1);
    EXPECT_EQ(stored.minutes * 60 + stored.seconds, 125);
    // The game is over: taps change nothing and no second message comes.
    Tap(CellPoint(2, 2));
    EXPECT_EQ(model().Cell(2, 2).state, 0);
    EXPECT_EQ(prompts.told.size(), 1u);
}

TEST_F(BoardPlay, OpeningTheFieldStopsTheClockWithoutASolve) {
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
