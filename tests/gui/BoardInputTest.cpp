// SPDX-License-Identifier: GPL-3.0-or-later
// Input and play on the board window, for what only the window does: the marks as drawn, mouse
// buttons, modifiers and merged moves, clue hit-testing, the keyboard's cursor, reveal questions,
// undo drawn, zoom's reveal penalty and what follows a solve. The rules: tests/unit/GameTest.cpp.
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

// Five columns; row 0 red, row 1 blue, row 2 empty; a single red cell at (0, 3).
const std::vector<std::string> kStripes = {"11111", "22222", ".....", "1...."};

class BoardInput : public BoardFixture {
protected:
    void SetUp() override {
        MakeBoard(300, 300);
        Load(kStripes, {kWhite, kRed, kBlue});
    }
};

TEST_F(BoardInput, TapsDrawColourCrossBlankOnTheCellsTheMiniatureAndTheScreen) {
    ASSERT_EQ(model().currentColour, kRed);
    const QRect in = board->Images().CellInterior(2, 2);
    struct Step { COLORREF corner, offCorner, miniature; };  // after each tap
    for (const Step& k : {Step{kRed, kRed, kRed}, Step{kBlack, kWhite, kWhite}, Step{kWhite, kWhite, kWhite}}) {
        Tap(CellPoint(2, 2));
        EXPECT_EQ(PixelAt(Cells(), in.left(), in.top()), k.corner);
        EXPECT_EQ(PixelAt(Cells(), in.left() + 3, in.top()), k.offCorner);
        EXPECT_EQ(PixelAt(board->Images().Miniature(), 2, 2), k.miniature);
    }
    EXPECT_EQ(model().Cell(2, 2).state, 1);
    Tap(CellPoint(4, 2));
    EXPECT_EQ(PixelAt(board->ComposedImage(), CellPoint(4, 2).x(), CellPoint(4, 2).y()), kRed);  // on the screen too
}

TEST_F(BoardInput, ClueTapShowsItsColourOnceAndOnlyAPlainLeftPressMarks) {
    host.swatches.clear();
    Tap(RowCluePoint(1, 0));  // the blue row's clue
    Tap(RowCluePoint(1, 0));  // the same colour again: no second swatch
    ASSERT_EQ(host.swatches, std::vector<COLORREF>{kBlue});
    // The corner, modifiers and other buttons do nothing.
    Tap(QPoint(2 - board->HorizontalOffset(), 2 - board->VerticalOffset()));
    Press(CellPoint(1, 2), Qt::ShiftModifier);
    Mouse(QEvent::MouseButtonPress, CellPoint(2, 2), Qt::MiddleButton, Qt::MiddleButton);
    Mouse(QEvent::MouseMove, CellPoint(3, 2), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(model().currentColour, kBlue);
    for (const CellRecord& cell : model().cells) EXPECT_EQ(cell.state, 1);
    // A double click marks a cell once and crosses a clue out.
    DoubleTap(CellPoint(3, 2));
    EXPECT_EQ(model().Cell(3, 2).colour, kBlue);
    DoubleTap(ColumnCluePoint(2, 1));
    EXPECT_EQ(model().ColumnClue(2, 1).done, 1);
}

TEST_F(BoardInput, HoldOnAClueLineAsksThroughAMessageBoxWhileHintsAreOn) {
    board->SetHints(true);
    Hold(ColumnCluePoint(1, 0), 5, false);
    ASSERT_EQ(prompts.asked, std::vector<QString>{QStringLiteral("Вы хотите открыть 2 столбец ?")});
    EXPECT_EQ(model().Cell(1, 0).state, 1);
    Hold(RowCluePoint(1, 0), 5, true);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1], QStringLiteral("Вы хотите открыть 2 ряд ?"));
    EXPECT_EQ(PixelAt(Cells(), board->Images().CellInterior(3, 1).center().x(), board->Images().CellInterior(3, 1).center().y()), kBlue);
}

// The keyboard's cursor on a board larger than the window: hidden, the arrows scroll; a cell key
// shows it, then the arrows move it (Shift dragging) and the view follows a cell at a time; it
// reaches the clues; Esc and a mouse press hide it.
using BoardCursor = BoardFixture;

TEST_F(BoardCursor, ACellKeyShowsItTheArrowsMoveItAndEscOrAPressHideIt) {
    MakeBoard(150, 150);
    Load(std::vector<std::string>(20, "11111111112222222222"), {kWhite, kRed, kBlue});
    Key(Qt::Key_Right);
    ASSERT_EQ(board->HorizontalOffset(), s());
    Key(Qt::Key_Left);
    Key(Qt::Key_Space);  // shows the cursor on the first cell in view, and only that
    ASSERT_EQ(board->CursorPosition(), QPoint(0, 0));
    EXPECT_EQ(model().Cell(0, 0).state, 1);
    Key(Qt::Key_Space);
    for (int i = 0; i < 12; ++i) Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(model().Cell(12, 0).colour, kRed);
    const int hx = board->HorizontalOffset();
    EXPECT_TRUE(hx > 0 && hx % s() == 0 && CellPoint(12, 0).x() + s() / 2 < viewport()->width()) << hx;
    Key(Qt::Key_Left);  // the cursor moves; the view stays
    EXPECT_EQ(board->HorizontalOffset(), hx);
    for (int i = 0; i < 12; ++i) Key(Qt::Key_Left);
    ASSERT_EQ(board->CursorPosition(), QPoint(-1, 0));  // on the row's clue
    EXPECT_EQ(board->HorizontalOffset(), 0);  // back until cell 0 showed right of the pinned clues
    Key(Qt::Key_Space);
    EXPECT_EQ(model().RowClue(0, 0).done, 1);
    board->SetHints(true);
    prompts.Answer(false);
    Key(Qt::Key_O);
    EXPECT_EQ(prompts.asked, std::vector<QString>{QStringLiteral("Вы хотите открыть 1 ряд ?")});
    Key(Qt::Key_Tab);
    EXPECT_EQ(host.swatches.back(), kBlue);
    Key(Qt::Key_Backtab);
    EXPECT_EQ(model().currentColour, kRed);
    Key(Qt::Key_Escape);
    Key(Qt::Key_Right);
    EXPECT_TRUE(!board->CursorPosition() && board->HorizontalOffset() == s());
    // A press hides it; the next cell key shows it where the mouse was, outlined black and white.
    Key(Qt::Key_X);
    ASSERT_TRUE(board->CursorPosition());
    Tap(CellPoint(2, 1));
    EXPECT_FALSE(board->CursorPosition());
    Key(Qt::Key_Delete);
    ASSERT_EQ(board->CursorPosition(), QPoint(2, 1));
    const QPoint left = CellPoint(2, 1) - QPoint(s() / 2, 0);
    const QImage shown = board->ComposedImage();
    EXPECT_EQ(PixelAt(shown, left.x() - 1, left.y()), kBlack);
    EXPECT_EQ(PixelAt(shown, left.x() + 1, left.y()), kWhite);
}

// A quick drag whose mouse moves were merged by the window system still enters every cell the
// stroke passed over, once each, and never reaches into the clue areas on the way.
using BoardDrag = BoardFixture;

TEST_F(BoardDrag, MergedMovesStillEnterEveryCellBetween) {
    MakeBoard(300, 300);
    Load({"11111", "11111", "11111", "11111", "11111"}, {kWhite, kRed});
    Press(CellPoint(0, 1));
    MoveHeld(CellPoint(4, 1));  // one move across the row
    for (int c = 0; c < 5; ++c) EXPECT_EQ(model().Cell(c, 1).state, 0) << c;
    MoveHeld(CellPoint(0, 4));  // diagonal back: the cells on the way, each once
    Release(CellPoint(0, 4));
    int marked = 0;
    for (int r = 2; r < 5; ++r)
        for (int c = 0; c < 5; ++c) marked += model().Cell(c, r).state == 0;
    EXPECT_GE(marked, 3);
    EXPECT_LE(marked, 6);
    EXPECT_EQ(model().Cell(0, 4).state, 0);
    EXPECT_EQ(model().Cell(0, 4).colour, kRed);

    // A stroke from a cell into the row clues: only the real event there counts towards the hold
    // (the row is the one last acted on), however many slots the stroke jumped over.
    board->SetHints(true);
    ASSERT_EQ(model().tapCounter, 0);
    Press(CellPoint(4, 0));
    MoveHeld(RowCluePoint(0, 0));
    Release(RowCluePoint(0, 0));
    EXPECT_EQ(model().tapCounter, 1);
    EXPECT_EQ(model().Cell(2, 0).colour, kRed);  // on the way to the clues: entered
    EXPECT_EQ(model().Cell(0, 3).state, 1);
}

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
    EXPECT_EQ(ReadCatalog(folder / "mg.bd").at(0).minutes * 60 + ReadCatalog(folder / "mg.bd").at(0).seconds, 125);
    Tap(CellPoint(2, 2));
    EXPECT_EQ(prompts.told.size(), 1u);
}

}  // namespace
}  // namespace mosgrid::test
