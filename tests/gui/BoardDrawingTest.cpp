// The board's off-screen images and their composition: grid lines, clues, strokes, cells, the
// miniature, hint marks and the background showing through white.
#include "board/ui/BoardImages.h"
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

constexpr COLORREF kSide = 0xA4A4A4;
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
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) n += PixelAt(image, x, y) == colour ? 1 : 0;
    }
    return n;
}

TEST_F(BoardDrawing, EveryFifthAndTheOuterGridLinesAreThreePixelsWide) {
    MakeBoard(400, 400);
    Load(Diagonal(7), {kWhite, kRed});
    const QImage& cells = board->Images().Cells();
    const int n = s();
    ASSERT_EQ(cells.width(), 7 * n + 1);
    ASSERT_EQ(cells.height(), 7 * n + 1);
    const int y = n + n / 2;  // across row 1, away from the horizontal lines
    for (int j = 0; j <= 7; ++j) {
        const int x = j * n;
        SCOPED_TRACE(j);
        if (j == 0 || j == 5 || j == 7) {
            EXPECT_EQ(PixelAt(cells, x, y), kBlack);
            if (x > 0) {
                EXPECT_EQ(PixelAt(cells, x - 1, y), kSide);
            }
            if (x < cells.width() - 1) {
                EXPECT_EQ(PixelAt(cells, x + 1, y), kSide);
            }
        } else {
            EXPECT_EQ(PixelAt(cells, x, y), kThin);
            EXPECT_EQ(PixelAt(cells, x - 1, y), kWhite);
            EXPECT_EQ(PixelAt(cells, x + 1, y), kWhite);
        }
        // The same rule across: horizontal line j at y = j*n.
        const int yy = j * n;
        const int xx = 3 * n + n / 2;
        EXPECT_EQ(PixelAt(cells, xx, yy), (j == 0 || j == 5 || j == 7) ? kBlack : kThin);
    }
    // Thick lines lie over thin ones where they cross; a line leaves out its end point, so the
    // bottom-right corner pixel stays white.
    EXPECT_EQ(PixelAt(cells, 5 * n, 3 * n), kBlack);
    EXPECT_EQ(PixelAt(cells, 5 * n + 1, 3 * n), kSide);
    EXPECT_EQ(PixelAt(cells, 7 * n, 7 * n), kWhite);
    EXPECT_EQ(PixelAt(cells, 7 * n, 7 * n - 1), kBlack);

    // The clue areas: the row-clue image has the grid's horizontal lines, the column-clue image
    // the vertical ones, and their own border lines black.
    const QImage& rowClues = board->Images().RowClues();
    EXPECT_EQ(PixelAt(rowClues, n / 2, 5 * n), kBlack);
    EXPECT_EQ(PixelAt(rowClues, n / 2, 5 * n + 1), kSide);
    EXPECT_EQ(PixelAt(rowClues, n / 2, 2 * n), kThin);
    EXPECT_EQ(PixelAt(rowClues, 0, 2 * n + 3), kBlack);
    const QImage& columnClues = board->Images().ColumnClues();
    EXPECT_EQ(PixelAt(columnClues, 5 * n, n / 2), kBlack);
    EXPECT_EQ(PixelAt(columnClues, 5 * n - 1, n / 2), kSide);
    EXPECT_EQ(PixelAt(columnClues, 3 * n + 3, 0), kBlack);
}

TEST_F(BoardDrawing, MiniatureIsOnePixelPerCellCentredInTheCorner) {
    // 10 x 10 with four clues in some rows and columns; 14 cells of 20 pixels fit 290.
    std::vector<std::string> rows(10, "..........");
    for (int r : {0, 2, 4, 6}) rows[std::size_t(r)] = "1.1.1.1...";
    MakeBoard(290, 290);
    Load(rows, {kWhite, kRed});
    ASSERT_EQ(s(), 20);
    ASSERT_EQ(model().K, 4);
    EXPECT_EQ(board->Images().MiniaturePlacement(), QRect(35, 35, 10, 10));
    Tap(CellPoint(0, 0));
    Tap(CellPoint(9, 9));
    const int hx = board->HorizontalOffset();
    const int vy = board->VerticalOffset();
    QImage shown = board->ComposedImage();
    EXPECT_EQ(PixelAt(shown, 35 - hx, 35 - vy), kRed);
    EXPECT_EQ(PixelAt(shown, 44 - hx, 44 - vy), kRed);
    EXPECT_NE(PixelAt(shown, 34 - hx, 35 - vy), kRed);
    EXPECT_NE(PixelAt(shown, 36 - hx, 35 - vy), kRed);
    EXPECT_EQ(PixelAt(board->Images().Miniature(), 0, 0), kRed);
    EXPECT_EQ(PixelAt(board->Images().Miniature(), 1, 0), kWhite);
}

TEST_F(BoardDrawing, MiniatureShrinksToACornerTooSmall) {
    std::vector<std::string> rows(50, std::string(50, '.'));
    for (int r : {0, 2, 4}) {
        for (int c : {0, 2, 4}) rows[std::size_t(r)][std::size_t(c)] = '1';
    }
    MakeBoard(240, 268);
    Load(rows, {kWhite, kRed});
    ASSERT_EQ(s(), 10);
    ASSERT_EQ(model().R, 3);
    EXPECT_EQ(board->Images().MiniaturePlacement(), QRect(0, 0, 30, 30));
    Tap(CellPoint(0, 0));
    QImage shown = board->ComposedImage();
    EXPECT_EQ(PixelAt(shown, 0, 0), kRed);
    EXPECT_NE(PixelAt(shown, 1, 0), kRed);
}

TEST_F(BoardDrawing, CluesStandInTheirColourWithBlackOrWhiteNumbers) {
    // Column clues of one slot each: red (dark: white number), yellow (light: black number),
    // black (black on white), navy (white number).
    MakeBoard(200, 200);
    Load({"1234", "...."}, {kWhite, kRed, kYellow, kBlack, kNavy});
    const int n = s();
    ASSERT_GE(n, 20);
    const QImage& clues = board->Images().ColumnClues();
    auto interior = [&](int c) { return QRect(c * n + 1, 1, n - 1, n - 1); };
    // (The first interior column of clue 0 lies under the thick border's light side.)
    EXPECT_EQ(PixelAt(clues, 0 * n + 1, n / 2), kSide);
    EXPECT_EQ(PixelAt(clues, 0 * n + 2, 1), kRed);
    EXPECT_GT(Count(clues, interior(0), kWhite), 3);
    EXPECT_EQ(Count(clues, interior(0), kBlack), 0);
    EXPECT_EQ(PixelAt(clues, 1 * n + 1, 1), kYellow);
    EXPECT_GT(Count(clues, interior(1), kBlack), 3);
    EXPECT_EQ(Count(clues, interior(1), kWhite), 0);
    EXPECT_EQ(PixelAt(clues, 2 * n + 1, 1), kWhite);
    EXPECT_EQ(PixelAt(clues, 1 * n + 1, 1), kYellow);
    EXPECT_GT(Count(clues, interior(2), kBlack), 3);
    EXPECT_EQ(PixelAt(clues, 3 * n + 1, 1), kNavy);
    EXPECT_GT(Count(clues, interior(3), kWhite), 3);
    // The number is the run's length.
    EXPECT_EQ(model().ColumnClue(0, 0).length, 1);
}

TEST_F(BoardDrawing, CrossedOutCluesCarryATwoPixelStroke) {
    MakeBoard(200, 200);
    Load({"12", ".."}, {kWhite, kRed, kYellow});
    const int n = s();
    const QImage& clues = board->Images().ColumnClues();
    // The stroke runs from ((c+1)*s - 1, r*s + 1) to (c*s + 1, (r+1)*s - 1), doubled to the left.
    auto stroke = [&](int c, int i) { return QPoint((c + 1) * n - 1 - i, 1 + i); };
    DoubleTap(ColumnCluePoint(0, 0));
    DoubleTap(ColumnCluePoint(1, 0));
    EXPECT_EQ(model().ColumnClue(0, 0).done, 1);
    for (int i = 0; i < n - 2; ++i) {
        SCOPED_TRACE(i);
        QPoint p = stroke(0, i);
        EXPECT_EQ(PixelAt(clues, p.x(), p.y()), kWhite);      // white on the red clue
        EXPECT_EQ(PixelAt(clues, p.x() - 1, p.y()), kWhite);
        QPoint q = stroke(1, i);
        EXPECT_EQ(PixelAt(clues, q.x(), q.y()), kRed);        // red on every other
        EXPECT_EQ(PixelAt(clues, q.x() - 1, q.y()), kRed);
    }
    // The end point itself is left out, and the grid lines around stay as they were.
    EXPECT_EQ(PixelAt(clues, 2 * n - 1 - (n - 2), n - 1), kYellow);
    EXPECT_EQ(PixelAt(clues, n, n / 2), kThin);
    EXPECT_EQ(PixelAt(clues, 0, n / 2), kBlack);
    // Crossed back in: drawn afresh, the stroke gone.
    DoubleTap(ColumnCluePoint(1, 0));
    EXPECT_EQ(model().ColumnClue(1, 0).done, 0);
    EXPECT_EQ(Count(clues, QRect(n + 1, 1, n - 1, n - 1), kRed), 0);
    // Drawn afresh the clue fills its whole interior, over the border's light side as well.
    EXPECT_EQ(PixelAt(clues, 2 * n - 1, 1), kYellow);
    EXPECT_EQ(PixelAt(clues, 2 * n, 1), kBlack);
}

TEST_F(BoardDrawing, RestoredGameStrikesItsCluesFromTheModel) {
    MakeBoard(200, 200);
    Load({"1.", ".1"}, {kWhite, kYellow});
    const int n = s();
    model().ColumnClue(1, 0).done = 1;
    model().RowClue(0, 0).done = 1;
    model().Cell(0, 0) = CellRecord{0, kYellow};
    model().Cell(1, 0) = CellRecord{0, kWhite};
    board->RenderBoardFromState();
    const QImage& columnClues = board->Images().ColumnClues();
    // Column 1, image row 0: from (2s - 2, 2) to (s + 2, s - 2).
    EXPECT_EQ(PixelAt(columnClues, 2 * n - 2, 2), kRed);
    EXPECT_EQ(PixelAt(columnClues, 2 * n - 3, 1), kYellow);
    EXPECT_EQ(PixelAt(columnClues, n + 3, n - 3), kRed);
    // Row 0, image column 0: from (1, s - 1) to (s - 1, 1).
    const QImage& rowClues = board->Images().RowClues();
    EXPECT_EQ(PixelAt(rowClues, 1, n - 1), kRed);
    EXPECT_EQ(PixelAt(rowClues, n - 2, 2), kRed);
    // Cells: painted and crossed.
    const QImage& cells = board->Images().Cells();
    EXPECT_EQ(PixelAt(cells, n / 2, n / 2 + 1), kYellow);
    EXPECT_EQ(PixelAt(cells, n + 2, 2), kBlack);
    EXPECT_EQ(PixelAt(cells, 2 * n - 2, 2), kBlack);
    EXPECT_EQ(PixelAt(board->Images().Miniature(), 1, 0), kWhite);
}

TEST_F(BoardDrawing, BackgroundShowsThroughEveryWhitePixel) {
    MakeBoard(240, 268);
    const QImage background = board->ComposedImage();  // no puzzle: the background alone
    Load(Diagonal(5), {kWhite, kRed});
    Tap(CellPoint(1, 1));                 // painted
    Tap(CellPoint(2, 2));
    Tap(CellPoint(2, 2));                 // crossed
    QImage shown = board->ComposedImage();
    const QRect blank(CellPoint(0, 1) - QPoint(s() / 2 - 2, s() / 2 - 2), QSize(s() - 3, s() - 3));
    EXPECT_EQ(shown.copy(blank), background.copy(blank));
    const QPoint painted = CellPoint(1, 1);
    EXPECT_EQ(PixelAt(shown, painted.x(), painted.y()), kRed);
    // A crossed cell: the cross black, the rest background.
    const int left = CellPoint(2, 2).x() - s() / 2;
    const int top = CellPoint(2, 2).y() - s() / 2;
    EXPECT_EQ(PixelAt(shown, left + 2, top + 2), kBlack);
    EXPECT_EQ(PixelAt(shown, left + 5, top + 2), PixelAt(background, left + 5, top + 2));
    // The corner beside the miniature and the empty clue slots are background too.
    EXPECT_EQ(PixelAt(shown, 3, 3), PixelAt(background, 3, 3));
}

TEST_F(BoardDrawing, HintMarksLieOnTheGridsBorder) {
    MakeBoard(240, 268);
    Load({"1.", "11"}, {kWhite, kRed});
    const int n = s();
    board->SetHints(true);
    Tap(CellPoint(0, 0));
    Tap(CellPoint(1, 0));
    Tap(CellPoint(1, 0));  // row 0 complete: red, painted then crossed
    const QImage& cells = board->Images().Cells();
    for (int y = 1; y < n; ++y) EXPECT_EQ(PixelAt(cells, 0, y), kRed) << y;
    EXPECT_EQ(PixelAt(cells, 0, n), kBlack);          // the line's end point is left out
    EXPECT_EQ(PixelAt(cells, 0, n + 1), kBlack);      // row 1 not complete
    EXPECT_EQ(PixelAt(cells, n / 2, 0), kBlack);      // column 0 not complete
    Tap(CellPoint(0, 1));
    for (int x = 1; x < n; ++x) EXPECT_EQ(PixelAt(cells, x, 0), kRed) << x;
    // Switching hints off turns every mark black.
    board->SetHints(false);
    EXPECT_EQ(Count(cells, QRect(0, 0, 1, cells.height()), kRed), 0);
    EXPECT_EQ(Count(cells, QRect(0, 0, cells.width(), 1), kRed), 0);
    board->SetHints(true);
    EXPECT_EQ(PixelAt(cells, 0, n / 2), kRed);
}

}  // namespace
}  // namespace mosgrid::test
