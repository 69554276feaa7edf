// Play on the board: the solved check and what follows it, opening the field, and the desktop
// additions: the right button, undo and redo of whole steps, zoom and the reveal penalty.
#include <tuple>

#include "board/core/GameClock.h"

#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

class BoardSteps : public BoardFixture {
protected:
    // Cells of row r as text: '.' blank, 'x' crossed, '#' painted.
    std::string Row(int r) {
        std::string text;
        for (int c = 0; c < model().cols(); ++c) {
            const CellRecord& cell = model().Cell(c, r);
            text += cell.state == 1 ? '.' : (cell.colour == kWhite ? 'x' : '#');
        }
        return text;
    }
    void RightDrag(std::vector<QPoint> path) {
        Mouse(QEvent::MouseButtonPress, path.front(), Qt::RightButton, Qt::RightButton);
        for (QPoint p : path) Mouse(QEvent::MouseMove, p, Qt::NoButton, Qt::RightButton);
        Mouse(QEvent::MouseButtonRelease, path.back(), Qt::RightButton, Qt::NoButton);
    }
};

TEST_F(BoardSteps, RightButtonCrossesOrClearsAndItsDragKeepsToTheFirstCellsState) {
    MakeBoard(240, 268);
    Load({"111", "1.1", "111"}, {kWhite, kRed});
    // Rows of mixed cells: each drag changes only the cells in its first cell's state.
    Tap(CellPoint(1, 1));
    RightDrag({CellPoint(0, 1), CellPoint(1, 1), CellPoint(2, 1)});
    EXPECT_EQ(Row(1), "x#x");
    Tap(CellPoint(0, 2)), Tap(CellPoint(2, 2)), Tap(CellPoint(2, 2));
    ASSERT_EQ(Row(2), "#.x");
    RightDrag({CellPoint(0, 2), CellPoint(1, 2), CellPoint(2, 2)});
    EXPECT_EQ(Row(2), "x.x");
    RightDrag({CellPoint(2, 2), CellPoint(1, 2), CellPoint(0, 2)});
    EXPECT_EQ(Row(2), "...");
    // The clue areas ignore the right button.
    RightDrag({ColumnCluePoint(0, 0)});
    EXPECT_EQ(model().ColumnClue(0, 0).done, 0);
    // A whole right drag is one step.
    board->Undo();
    EXPECT_EQ(Row(2), "x.x");
}

TEST_F(BoardSteps, UndoAndRedoTakeWholeStepsCellsAndCluesButNeverTheClock) {
    MakeBoard(240, 268);
    Load({"1.1", "...", "1.."}, {kWhite, kRed});
    EXPECT_FALSE(board->CanUndo());
    // Out along the row and back: the cells passed twice end crossed, all in one step.
    Press(CellPoint(0, 0));
    for (int c : {1, 2, 1, 0}) MoveHeld(CellPoint(c, 0));
    Release(CellPoint(0, 0));
    ASSERT_EQ(Row(0), "xx#");
    DoubleTap(ColumnCluePoint(0, 0));
    ASSERT_EQ(model().ColumnClue(0, 0).done, 1);
    model().minutes = 7;
    board->Undo();
    EXPECT_EQ(model().ColumnClue(0, 0).done, 0);
    board->Undo();
    EXPECT_EQ(Row(0), "...");
    EXPECT_EQ(PixelAt(Cells(), s() / 2, s() / 2), kWhite);
    EXPECT_FALSE(board->CanUndo());
    EXPECT_EQ(model().minutes, 7);
    board->Redo();
    EXPECT_EQ(Row(0), "xx#");
    EXPECT_EQ(PixelAt(Cells(), 2 * s() + s() / 2, s() / 2), kRed);
    board->Redo();
    EXPECT_EQ(model().ColumnClue(0, 0).done, 1);
    EXPECT_FALSE(board->CanRedo());
    // A new step drops what was taken back; a restart forgets everything.
    board->Undo();
    Tap(CellPoint(1, 1));
    EXPECT_FALSE(board->CanRedo());
    board->ResetBoard();
    EXPECT_FALSE(board->CanUndo());
    // The step that completes the picture solves it; after that nothing is taken back.
    Tap(CellPoint(0, 0)), Tap(CellPoint(2, 0)), Tap(CellPoint(0, 2));
    for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(2, 1), QPoint(1, 2), QPoint(2, 2)})
        RightDrag({CellPoint(p.x(), p.y())});
    ASSERT_EQ(model().gameOver, 1);
    ASSERT_EQ(prompts.told.size(), 1u);
    board->Undo();
    EXPECT_EQ(Row(2), "#xx");
    EXPECT_FALSE(board->CanUndo());
}

TEST_F(BoardSteps, ZoomKeepsTheRevealPenaltyOfTheSetUpCellSize) {
    for (QSize size : {QSize(240, 268), QSize(120, 134)}) {
        MakeBoard(size.width(), size.height());
        Load({"1.1", "...", "1.."}, {kWhite, kRed});
        const int fitted = s();
        Tap(CellPoint(2, 0));
        Key(Qt::Key_Plus, Qt::ControlModifier);
        Key(Qt::Key_Plus, Qt::ControlModifier);
        EXPECT_EQ(s(), fitted + 2);
        // Drawn again at the new size: the grid's outer line and the painted cell.
        EXPECT_EQ(PixelAt(Cells(), 0, s() / 2), kBlack);
        EXPECT_EQ(PixelAt(Cells(), 2 * s() + s() / 2, s() / 2), kRed);
        board->SetHints(true);
        Hold(ColumnCluePoint(0, 0), 5, true);
        EXPECT_EQ(model().minutes, fitted) << size.width();
        EXPECT_EQ(Row(2), "#..");
        Key(Qt::Key_0, Qt::ControlModifier);
        EXPECT_EQ(s(), fitted);
        for (int i = 0; i < 50; ++i) Key(Qt::Key_Minus, Qt::ControlModifier);
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
}

}  // namespace
}  // namespace mosgrid::test
