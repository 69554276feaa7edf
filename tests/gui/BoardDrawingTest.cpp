// The board's off-screen images and their composition: clues, strokes, the miniature and the
// background showing through white.
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

constexpr COLORREF kThin = 0x808080;

using BoardDrawing = BoardFixture;

std::vector<std::string> Diagonal(int n) {
    std::vector<std::string> rows(std::size_t(n), std::string(std::size_t(n), '.'));
    for (int i = 0; i < n; ++i) rows[std::size_t(i)][std::size_t(i)] = '1';
    return rows;
}

// Counts the pixels of one exact colour inside a rectangle of an image.
int Count(const QImage& image, const QRect& box, COLORREF colour) {
    int n = 0;
    for (int i = 0; i < box.width() * box.height(); ++i) n += PixelAt(image, box.left() + i % box.width(), box.top() + i / box.width()) == colour;
    return n;
}

TEST_F(BoardDrawing, MiniatureIsEnlargedByTheLargestWholeFactorThatFitsTheCornerOrShrunkToFit) {
    std::vector<std::string> large(50, std::string(50, '.'));
    for (int r : {0, 2, 4}) large[std::size_t(r)].replace(0, 5, "1.1.1");  // 3 clues, 10 pixels
    for (const std::vector<std::string>& rows : {Diagonal(5), large}) {
        const int n = int(rows.size());
        MakeBoard(n == 5 ? 290 : 240, n == 5 ? 290 : 268);
        Load(rows, {kWhite, kRed});
        const QRect place = board->Images().MiniaturePlacement();
        const int corner = std::min(model().R, model().K) * s(), f = std::max(place.width() / n, 1);
        SCOPED_TRACE(n);
        // 50 x 50 in a corner of 30: shrunk to fill it; else the largest whole factor, centred.
        const bool enlarged = place.width() == f * n && (f + 1) * n > corner - 4 &&
                              place.center() == QRect(0, 0, corner, corner).center();
        EXPECT_TRUE(n == 50 ? place == QRect(0, 0, 30, 30) : enlarged && f > 1);
        Tap(CellPoint(0, 0));
        const QImage shown = board->ComposedImage();
        const QPoint at = place.topLeft() - QPoint(board->HorizontalOffset(), board->VerticalOffset());
        EXPECT_EQ(PixelAt(shown, at.x() + f - 1, at.y() + f - 1), kRed);  // the cell's whole square
        EXPECT_NE(PixelAt(shown, at.x() + f, at.y()), kRed);
        EXPECT_NE(PixelAt(shown, std::max(at.x() - 1, 0), at.y() + 1), kRed);
    }
}

TEST_F(BoardDrawing, CluesInTheirColourWithLegibleNumbersAndStrokesWhiteOnRed) {
    MakeBoard(200, 200);
    Load({"1234", "...."}, {kWhite, kRed, kYellow, kBlack, kNavy});
    const int n = s();
    ASSERT_GE(n, 20);
    const QImage& clues = board->Images().ColumnClues();
    auto interior = [&](int c) { return QRect(c * n + 2, 1, n - 2, n - 1); };
    struct Case { COLORREF fill, number, never; };  // black clues stand black on white
    const Case cases[] = {{kRed, kWhite, kBlack}, {kYellow, kBlack, kWhite}, {kWhite, kBlack, kRed}, {kNavy, kWhite, kBlack}};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(PixelAt(clues, c * n + 2, 1), cases[c].fill) << c;
        EXPECT_GT(Count(clues, interior(c), cases[c].number), 3) << c;
        EXPECT_EQ(Count(clues, interior(c), cases[c].never), 0) << c;
    }
    // A crossed-out clue is faded (its fill halfway to white, its number grey) and carries a
    // two-pixel stroke from top right to bottom left, white on the red clue and red on every
    // other; a restored game draws it a pixel further inside.
    DoubleTap(ColumnCluePoint(0, 0));
    DoubleTap(ColumnCluePoint(1, 0));
    constexpr COLORREF kPaleRed = 0x8080FF, kPaleYellow = 0x80FFFF, kGrey = 0x707070;
    for (int in : {1, 2}) {
        for (int i = 0; i < n - 2 * in; ++i) {
            const int x = n - in - i, y = in + i;
            EXPECT_EQ(PixelAt(clues, x, y), kWhite) << i;
            EXPECT_EQ(PixelAt(clues, x - 1, y), kWhite) << i;
            EXPECT_EQ(PixelAt(clues, n + x, y), kRed) << i;
            EXPECT_EQ(PixelAt(clues, n + x - 1, y), kRed) << i;
        }
        EXPECT_EQ(PixelAt(clues, 2, 2), kPaleRed);
        EXPECT_EQ(PixelAt(clues, n + 1, n - 1), kPaleYellow);  // the end point is left out
        EXPECT_EQ(PixelAt(clues, n, n / 2), kThin);             // the lines around stay
        for (int c : {0, 1}) EXPECT_GT(Count(clues, interior(c), kGrey), 3) << c;
        EXPECT_EQ(Count(clues, interior(1), kBlack), 0);
        EXPECT_GT(Count(clues, interior(2), kBlack), 3);  // the others as they were
        model().Cell(0, 1) = CellRecord{0, kNavy};  // a restored game: cells from the model too
        model().Cell(1, 1) = CellRecord{0, kWhite};
        board->RenderBoardFromState();
    }
    const QRect painted = board->Images().CellInterior(0, 1), crossed = board->Images().CellInterior(1, 1);
    EXPECT_EQ(PixelAt(Cells(), painted.left() + 3, painted.top()), kNavy);
    EXPECT_EQ(PixelAt(Cells(), crossed.left(), crossed.top()), kBlack);
    EXPECT_EQ(PixelAt(board->Images().Miniature(), 0, 1), kNavy);
    DoubleTap(ColumnCluePoint(1, 0));  // crossed back in: drawn afresh, the stroke gone
    EXPECT_EQ(Count(clues, QRect(n + 1, 1, n - 1, n - 1), kRed), 0);
    EXPECT_EQ(PixelAt(clues, 2 * n - 1, 1), kYellow);
    EXPECT_GT(Count(clues, interior(1), kBlack), 3);
}

TEST_F(BoardDrawing, BackgroundShowsThroughEveryWhitePixel) {
    MakeBoard(240, 268);
    const QImage background = board->ComposedImage();  // no puzzle: the background alone
    Load(Diagonal(5), {kWhite, kRed});
    Tap(CellPoint(1, 1));  // painted
    Tap(CellPoint(2, 2));
    Tap(CellPoint(2, 2));  // crossed
    const QImage shown = board->ComposedImage();
    const QPoint blank = CellPoint(0, 1), painted = CellPoint(1, 1), crossed = CellPoint(2, 2) - QPoint(s() / 2, s() / 2);
    EXPECT_EQ(shown.copy(QRect(blank, QSize(s() / 2 - 1, s() / 2 - 1))), background.copy(QRect(blank, QSize(s() / 2 - 1, s() / 2 - 1))));
    EXPECT_EQ(PixelAt(shown, painted.x(), painted.y()), kRed);
    EXPECT_EQ(PixelAt(shown, crossed.x() + 2, crossed.y() + 2), kBlack);
    for (QPoint p : {crossed + QPoint(5, 2), QPoint(3, 3)})  // beside the cross, the miniature's corner
        EXPECT_EQ(PixelAt(shown, p.x(), p.y()), PixelAt(background, p.x(), p.y()));
}

}  // namespace
}  // namespace mosgrid::test
