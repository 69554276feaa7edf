// SPDX-License-Identifier: GPL-3.0-or-later
// Play on the board window, for what only the window shows: the right button, undo and redo
// drawn, zoom and the reveal penalty of the set-up cell size, and what follows a solve or opening
// the field. The rules themselves are tested on Game (tests/unit/GameTest.cpp).
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

class BoardSteps : public BoardFixture {
protected:
    std::string Row(int r) { return CellRows(model())[std::size_t(r)]; }
    void RightDrag(std::vector<QPoint> path) {
        Mouse(QEvent::MouseButtonPress, path.front(), Qt::RightButton, Qt::RightButton);
        for (QPoint p : path) Mouse(QEvent::MouseMove, p, Qt::NoButton, Qt::RightButton);
        Mouse(QEvent::MouseButtonRelease, path.back(), Qt::RightButton, Qt::NoButton);
    }
};

TEST_F(BoardSteps, RightDragAndUndoAndRedoAreDrawnAsTheyChangeTheCells) {
    MakeBoard(240, 268);
    Load({"1.1", "...", "1.."}, {kWhite, kRed});
    // A cell painted, then the right button dragged along the middle row (whole steps and the
    // strokes themselves are tested on Game).
    Tap(CellPoint(2, 0));
    ASSERT_EQ(Row(0), "..#");
    RightDrag({CellPoint(0, 1), CellPoint(1, 1)});
    EXPECT_EQ(Row(1), "xx.");
    EXPECT_GT(CountInterior(1, 1, kBlack), 0);  // crossed: the diagonals drawn
    board->Undo();
    EXPECT_EQ(Row(1), "...");
    EXPECT_EQ(CountInterior(1, 1, kBlack), 0);
    board->Undo();
    EXPECT_EQ(Row(0), "...");
    EXPECT_EQ(PixelAt(Cells(), 2 * s() + s() / 2, s() / 2), kWhite);
    EXPECT_FALSE(board->CanUndo());
    board->Redo();
    EXPECT_EQ(Row(0), "..#");
    EXPECT_EQ(PixelAt(Cells(), 2 * s() + s() / 2, s() / 2), kRed);
}

TEST_F(BoardSteps, ZoomKeepsTheRevealPenaltyOfTheSetUpCellSize) {
    for (QSize size : {QSize(240, 268), QSize(120, 134)}) {
        MakeBoard(size.width(), size.height());
        Load({"1.1", "...", "1.."}, {kWhite, kRed});
        const int fitted = s();
        EXPECT_EQ(board->PenaltyMinutes(), fitted);
        Tap(CellPoint(2, 0));
        board->Zoom(+1);
        board->Zoom(+1);
        EXPECT_EQ(s(), fitted + 2);
        // Drawn again at the new size: the grid's outer line and the painted cell.
        EXPECT_EQ(PixelAt(Cells(), 0, s() / 2), kBlack);
        EXPECT_EQ(PixelAt(Cells(), 2 * s() + s() / 2, s() / 2), kRed);
        board->SetHints(true);
        Hold(ColumnCluePoint(0, 0), 5, true);
        EXPECT_EQ(model().minutes, fitted) << size.width();
        EXPECT_EQ(Row(2), "#..");
        board->FitToWindow();
        EXPECT_EQ(s(), fitted);
        for (int i = 0; i < 50; ++i) board->Zoom(-1);
        EXPECT_EQ(s(), 10);
    }
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

TEST_F(BoardPlay, ASolveIsRecordedAndAnnouncedOnceWithFullScreenModeLeft) {
    int solved = 0;
    QObject::connect(board.get(), &CGmGride::puzzleSolved, [&solved] { ++solved; });
    for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(2, 1), QPoint(1, 2)}) Tap(CellPoint(p.x(), p.y()));
    Change([](BoardModel& m) { m.minutes = 2, m.seconds = 5; });
    Key(Qt::Key_Return);  // full-screen mode ends with the solve
    // While the message is open the game is already over and the solve recorded.
    std::vector<int> whileOpen;
    prompts.onTell = [&](const QString&) {
        whileOpen = {model().gameOver, int(board->ClockRunning()), int(ReadCatalog(folder / "mg.bd")[0].solvedCount)};
    };
    for (QPoint p : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(2, 2)}) {  // each tapped twice: crossed
        Tap(CellPoint(p.x(), p.y()));
        Tap(CellPoint(p.x(), p.y()));
    }
    EXPECT_EQ(whileOpen, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(prompts.told, std::vector<QString>{QStringLiteral("Кроссворд решен.\nЗатрачено времени - 0:02:05.\nЛучшее время - 0:02:05.")});
    EXPECT_EQ(solved, 1);
    EXPECT_FALSE(board->IsFullScreen());
    EXPECT_EQ(host.left, 1);
    const CatalogEntry stored = ReadCatalog(folder / "mg.bd").at(0);
    EXPECT_EQ(stored.solvedCount, 1);
    EXPECT_EQ(stored.minutes * 60 + stored.seconds, 125);
    Tap(CellPoint(2, 2));
    EXPECT_EQ(prompts.told.size(), 1u);
}

TEST_F(BoardPlay, OpeningTheFieldStopsTheClockWithoutASolve) {
    ASSERT_FALSE(host.times.empty());
    EXPECT_EQ(host.times.back(), (ClockTime{0, 0, 0}));  // the set-up shows 0:00:00
    Change([](BoardModel& m) { m.minutes = 59; });
    board->OpenField();  // no solve: no message, nothing recorded
    EXPECT_TRUE(prompts.told.empty());
    EXPECT_TRUE(model().gameOver == 1 && !board->ClockRunning());
    EXPECT_EQ(ReadCatalog(folder / "mg.bd")[0].solvedCount, 0);
    EXPECT_EQ(host.times.back(), (ClockTime{0, 59, 0}));
}

}  // namespace
}  // namespace mosgrid::test
