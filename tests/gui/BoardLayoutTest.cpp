// SPDX-License-Identifier: GPL-3.0-or-later
// How the board window applies the layout: centring, scroll ranges, scroll-bar actions,
// direction keys, clue areas pinned while scrolled, and full-screen switching.
#include "board/core/Layout.h"
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

using BoardLayout = BoardFixture;

TEST_F(BoardLayout, SmallBoardIsCentredWithoutBarsAndStaysCentredOnResize) {
    MakeBoard(240, 268);
    const QImage empty = board->ComposedImage();
    Load({"1....", ".1...", "..1..", "...1.", "....1"}, {kWhite, kRed});
    ASSERT_EQ(s(), 40);
    for (int key : {Qt::Key_Right, Qt::Key_Down}) Key(key);  // nothing to scroll
    EXPECT_EQ(QPoint(board->HorizontalOffset(), board->VerticalOffset()), QPoint(0, -14));
    EXPECT_EQ(board->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(PixelAt(board->ComposedImage(), 100, 54), kBlack);  // the grid's top border: K*s - vy
    // A resize fits the board to the new area.
    board->resize(400, 300);
    Settle();
    EXPECT_EQ(s(), 50);
    EXPECT_EQ(QPoint(board->HorizontalOffset(), board->VerticalOffset()), QPoint(-50, 0));
    EXPECT_FALSE(board->horizontalScrollBar()->isVisible() || board->verticalScrollBar()->isVisible());
    // A picture that cannot be read leaves only the background, the clock stopped.
    board->resize(240, 268);
    ASSERT_TRUE(board->ClockRunning());
    board->SetupPuzzle(folder / "missing.bmp", u"missing");
    Settle();
    EXPECT_FALSE(board->ClockRunning());
    EXPECT_EQ(s(), 10);
    EXPECT_EQ(board->ComposedImage(), empty);
    // Boards wider than the window, one short and one whose height fits only without the bar under
    // it: a bar each way the board overflows what the other bar leaves, over that much.
    for (int rows : {2, 25}) {
        Load(std::vector<std::string>(std::size_t(rows), std::string(40, '1')), {kWhite, kRed});
        const BoardGeometry g{40, rows, 1, 1, s()};
        ASSERT_LE(VerticalOverflow(g, board->height()), 0);
        EXPECT_TRUE(board->horizontalScrollBar()->isVisible());
        EXPECT_EQ(board->verticalScrollBar()->isVisible(), rows == 25);
        EXPECT_EQ(board->horizontalScrollBar()->maximum(), HorizontalOverflow(g, viewport()->width()));
        EXPECT_EQ(board->verticalScrollBar()->maximum(), std::max(0, VerticalOverflow(g, viewport()->height())));
    }
}

TEST_F(BoardLayout, LargeBoardScrollsByPixelPageCellAndToTheEndsUnderPinnedClues) {
    MakeBoard(240, 268);
    std::vector<std::string> rows(50, std::string(50, '.'));
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) rows[std::size_t(2 * r)][std::size_t(2 * c)] = '1';
    Load(rows, {kWhite, kRed});
    ASSERT_EQ(s(), 10);
    // The bars' ranges as the layout gives them; steps of 1 pixel, a page of 10, a cell per key.
    const int end = LayoutAtSetup(BoardGeometry{50, 50, 10, 10, 10}, viewport()->width(), viewport()->height()).hMax;
    QScrollBar* bar = board->horizontalScrollBar();
    EXPECT_EQ(bar->maximum(), end);
    using A = QAbstractSlider;
    struct Step { int action, key, offset; };  // a scroll-bar action or a key
    for (const Step& k : {Step{A::SliderSingleStepAdd, 0, 1}, Step{A::SliderPageStepAdd, 0, 11}, Step{0, Qt::Key_Right, 21},
                          Step{0, Qt::Key_Left, 11}, Step{A::SliderPageStepSub, 0, 1}, Step{0, Qt::Key_Left, 0},
                          Step{A::SliderToMaximum, 0, end}, Step{0, Qt::Key_Right, end}, Step{0, Qt::Key_A, end}}) {
        if (k.key) Key(k.key);
        else bar->triggerAction(A::SliderAction(k.action));
        EXPECT_EQ(QPoint(board->HorizontalOffset(), bar->value()), QPoint(k.offset, k.offset)) << k.action << " " << k.key;
    }
    bar->setSliderPosition(40);
    Key(Qt::Key_Down);
    EXPECT_EQ(QPoint(board->HorizontalOffset(), board->VerticalOffset()), QPoint(40, 10));
    // The cells scroll under the clue areas, which stay at the edges (R*s = K*s = 100) with the
    // clues of the lines scrolled there: a tap hits what is drawn, never a hidden cell.
    DoubleTap(QPoint(95, 115));   // row 2's clue next to the grid, over cell (3, 2)
    DoubleTap(QPoint(145, 95));   // column 8's
    Tap(QPoint(100, 100));        // cell (4, 1) at the cells' edge
    EXPECT_EQ(std::tuple(model().RowClue(2, 0).done, model().ColumnClue(8, 0).done, model().Cell(3, 2).state,
                         model().Cell(4, 1).state), std::tuple(1, 1, 1, 0));
    const QImage shown = board->ComposedImage();
    EXPECT_EQ(PixelAt(shown, 91, 111), 0x8080FF);  // the crossed clue's faded fill
    for (QPoint p : {QPoint(100, 155), QPoint(155, 100)}) EXPECT_EQ(PixelAt(shown, p.x(), p.y()), kBlack);  // their border
    // Enter switches full-screen mode and shows the top-left corner again.
    Key(Qt::Key_Return);
    EXPECT_TRUE(board->IsFullScreen());
    EXPECT_EQ(host.entered, 1);
    EXPECT_EQ(QPoint(board->HorizontalOffset(), board->VerticalOffset()), QPoint(0, 0));
    EXPECT_EQ(bar->value(), 0);
    Key(Qt::Key_Enter);
    board->LeaveFullScreen();  // not in full-screen mode: nothing to do
    EXPECT_FALSE(board->IsFullScreen());
    EXPECT_EQ(host.left, 1);
}

}  // namespace
}  // namespace mosgrid::test
