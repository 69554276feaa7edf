// Cell size, centring, scroll ranges, scroll codes, direction keys and full-screen switching of
// the board window.
#include <QScrollBar>

#include "board/core/Layout.h"
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

// A picture whose every row and column holds one run (a diagonal).
std::vector<std::string> Diagonal(int n) {
    std::vector<std::string> rows(std::size_t(n), std::string(std::size_t(n), '.'));
    for (int i = 0; i < n; ++i) rows[std::size_t(i)][std::size_t(i)] = '1';
    return rows;
}

// n x n with `runs` runs in each of the first rows and columns (every other cell of the
// top-left corner filled).
std::vector<std::string> Runs(int n, int runs) {
    std::vector<std::string> rows(std::size_t(n), std::string(std::size_t(n), '.'));
    for (int r = 0; r < runs; ++r) {
        for (int c = 0; c < runs; ++c) rows[std::size_t(2 * r)][std::size_t(2 * c)] = '1';
    }
    return rows;
}

using BoardLayout = BoardFixture;

TEST_F(BoardLayout, SmallBoardIsCentredByNegativeOffsetsWithoutBars) {
    MakeBoard(240, 268);
    Load(Diagonal(5), {kWhite, kRed});
    EXPECT_EQ(s(), 40);  // min(240 / 6, 268 / 6)
    EXPECT_EQ(board->HorizontalOffset(), 0);  // ox = -1, halved toward zero
    EXPECT_EQ(board->VerticalOffset(), -14);  // oy = -29
    EXPECT_EQ(board->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(board->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(viewport()->size(), QSize(240, 268));
    // The grid's top border is drawn 14 pixels down: K*s - vy = 54.
    QImage shown = board->ComposedImage();
    EXPECT_EQ(PixelAt(shown, 100, 54), kBlack);
    EXPECT_EQ(PixelAt(shown, 100, 55), 0xA4A4A4u);
}

TEST_F(BoardLayout, CellSizeNeverBelowTenAndALargeBoardScrolls) {
    MakeBoard(240, 268);
    Load(Runs(20, 5), {kWhite, kRed});
    ASSERT_EQ(model().K, 5);
    ASSERT_EQ(model().R, 5);
    EXPECT_EQ(s(), 10);  // 9 would fit across
    const QSize client = viewport()->size();
    View expected = LayoutOnResize(BoardGeometry{20, 20, 5, 5, 10}, client.width(), client.height());
    EXPECT_EQ(board->horizontalScrollBar()->maximum(), expected.hMax);
    EXPECT_EQ(board->verticalScrollBar()->maximum(), expected.vMax);
    EXPECT_GT(board->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(board->HorizontalOffset(), 0);
}

TEST_F(BoardLayout, ScrollCodesMoveByPixelsPagesAndToTheEnds) {
    MakeBoard(240, 268);
    Load(Runs(50, 10), {kWhite, kRed});
    QScrollBar* bar = board->horizontalScrollBar();
    const int limit = bar->maximum();
    // The range is the overflow of the board over the viewport: 600 - width - 1.
    EXPECT_EQ(limit, 60 * 10 - viewport()->width() - 1);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(board->HorizontalOffset(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(board->HorizontalOffset(), 11);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(board->HorizontalOffset(), 0);  // not below the minimum
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(board->HorizontalOffset(), 0);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(board->HorizontalOffset(), limit);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(board->HorizontalOffset(), limit);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(board->HorizontalOffset(), 0);
    // The thumb dragged to a position.
    bar->setSliderPosition(123);
    EXPECT_EQ(board->HorizontalOffset(), 123);
    EXPECT_EQ(bar->value(), 123);

    // The picture moves with the view: the grid's left border (x = R*s = 100) is at 100 - hx.
    QImage shown = board->ComposedImage();
    EXPECT_NE(PixelAt(shown, 100, 155), kBlack);
    bar->setSliderPosition(40);
    shown = board->ComposedImage();
    EXPECT_EQ(PixelAt(shown, 60, 155), kBlack);
    EXPECT_NE(PixelAt(shown, 100, 155), kBlack);

    QScrollBar* vbar = board->verticalScrollBar();
    vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(board->VerticalOffset(), 1);
    EXPECT_EQ(board->HorizontalOffset(), 40);
}

TEST_F(BoardLayout, DirectionKeysMoveOneCellAndStopAtTheEnds) {
    MakeBoard(240, 268);
    Load(Runs(50, 10), {kWhite, kRed});
    const int hLimit = board->horizontalScrollBar()->maximum();
    Key(Qt::Key_Right);
    EXPECT_EQ(board->HorizontalOffset(), 10);
    Key(Qt::Key_Right);
    EXPECT_EQ(board->HorizontalOffset(), 20);
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    EXPECT_EQ(board->HorizontalOffset(), 0);
    for (int i = 0; i < 60; ++i) Key(Qt::Key_Right);
    EXPECT_EQ(board->HorizontalOffset(), hLimit);
    EXPECT_EQ(board->horizontalScrollBar()->value(), hLimit);
    Key(Qt::Key_Down);
    EXPECT_EQ(board->VerticalOffset(), 10);
    Key(Qt::Key_Up);
    EXPECT_EQ(board->VerticalOffset(), 0);
    // Other keys are ignored.
    Key(Qt::Key_A);
    EXPECT_EQ(board->HorizontalOffset(), hLimit);
}

TEST_F(BoardLayout, DirectionKeysDoNothingOnABoardThatFits) {
    MakeBoard(240, 268);
    Load(Diagonal(5), {kWhite, kRed});
    for (int key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) Key(key);
    EXPECT_EQ(board->HorizontalOffset(), 0);
    EXPECT_EQ(board->VerticalOffset(), -14);
}

TEST_F(BoardLayout, EnterSwitchesFullScreenAndResetsTheView) {
    MakeBoard(240, 268);
    Load(Runs(50, 10), {kWhite, kRed});
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_TRUE(board->IsFullScreen());
    EXPECT_EQ(host.entered, 1);
    EXPECT_EQ(board->HorizontalOffset(), 0);
    EXPECT_EQ(board->VerticalOffset(), 0);
    EXPECT_EQ(board->horizontalScrollBar()->value(), 0);
    Key(Qt::Key_Enter);
    EXPECT_FALSE(board->IsFullScreen());
    EXPECT_EQ(host.left, 1);
    // Leaving when not in full-screen mode does nothing.
    board->LeaveFullScreen();
    EXPECT_EQ(host.left, 1);
}

TEST_F(BoardLayout, ResizeKeepsTheCellSizeAndCentresAgain) {
    MakeBoard(240, 268);
    Load(Diagonal(5), {kWhite, kRed});
    board->resize(400, 300);
    Settle();
    EXPECT_EQ(s(), 40);
    EXPECT_EQ(board->HorizontalOffset(), (240 - 400 - 1) / 2);
    EXPECT_EQ(board->VerticalOffset(), (240 - 300 - 1) / 2);
    board->resize(200, 200);
    Settle();
    EXPECT_EQ(s(), 40);
    EXPECT_EQ(board->HorizontalOffset(), 0);
    EXPECT_EQ(board->VerticalOffset(), 0);
    const QSize client = viewport()->size();
    EXPECT_EQ(board->horizontalScrollBar()->maximum(), 240 - client.width() - 1);
    EXPECT_EQ(board->verticalScrollBar()->maximum(), 240 - client.height() - 1);
}

TEST_F(BoardLayout, WithoutAPuzzleOnlyTheBackgroundShows) {
    MakeBoard(240, 268);
    EXPECT_EQ(s(), 10);
    EXPECT_EQ(board->horizontalScrollBar()->maximum(), 0);
    QImage empty = board->ComposedImage();
    Load(Diagonal(5), {kWhite, kRed});
    EXPECT_NE(board->ComposedImage(), empty);
    // A picture that cannot be read leaves the board without a puzzle.
    board->SetupPuzzle(folder / "missing.bmp", u"missing");
    EXPECT_FALSE(model().HasPuzzle());
    EXPECT_EQ(s(), 10);
    EXPECT_EQ(board->ComposedImage(), empty);
    Tap(QPoint(120, 120));  // nothing to hit
    Key(Qt::Key_Right);
    EXPECT_EQ(board->HorizontalOffset(), 0);
}

TEST_F(BoardLayout, PortraitBackgroundWhileNarrowerThanHigh) {
    MakeBoard(200, 300);
    QImage portrait = board->ComposedImage();
    board->resize(300, 200);
    Settle();
    QImage landscape = board->ComposedImage();
    // Same corner, different pictures (the placeholders differ by size, as the artwork does).
    EXPECT_NE(portrait.copy(0, 0, 200, 200), landscape.copy(0, 0, 200, 200));
}

}  // namespace
}  // namespace mosgrid::test
