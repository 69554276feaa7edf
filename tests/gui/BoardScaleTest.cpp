// The board on high-density screens: images drawn at the device pixel ratio, clue numbers that
// fit their cells at every size, and hint marks that stand apart from the border.
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

constexpr COLORREF kSide = 0xA4A4A4;
constexpr COLORREF kThin = 0x808080;
constexpr COLORREF kGreen = 0x00C000;

using BoardScale = BoardFixture;

// The device pixel in the middle of cell (c, r), cells counted from the board's corner.
QPoint Centre(const BoardImages& images, int c, int r) {
    const int s = images.Geometry().s;
    return {(images.Dev(c * s) + images.Dev((c + 1) * s)) / 2, (images.Dev(r * s) + images.Dev((r + 1) * s)) / 2};
}

QImage ComposeAll(const BoardImages& images) {
    const BoardGeometry& g = images.Geometry();
    QImage frame(images.Dev(g.Width() - 1) + 1, images.Dev(g.Height() - 1) + 1, QImage::Format_RGB32);
    images.Compose(frame, frame.rect(), QImage(), 0, 0);
    return frame;
}

TEST_F(BoardScale, AtHigherRatiosEveryCellAndClueKeepsItsColourAndGridLinesStayOneDevicePixel) {
    MakeBoard(420, 420);
    Load({"1122.33", "1.2.3..", "..1122.", "3333..1", ".1.2.3.", "1111111"}, {kWhite, kRed, kNavy, kYellow});
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c)
            if ((c + r) % 3 != 0) model().Cell(c, r) = CellRecord{0, model().PictureColour(c, r)};
    model().ColumnClue(0, 0).done = 1;
    model().RowClue(3, 1).done = 1;
    BoardImages one;
    one.Rebuild(model(), s(), 1.0);
    const QImage a = ComposeAll(one);
    const BoardGeometry& g = one.Geometry();
    for (double ratio : {1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        BoardImages more;
        more.Rebuild(model(), s(), ratio);
        const QImage b = ComposeAll(more);
        ASSERT_NEAR(b.width(), a.width() * ratio, 2);
        for (int r = -g.K; r < g.rows; ++r) {
            for (int c = -g.R; c < g.cols; ++c) {
                if (r < 0 && c < 0) continue;  // the miniature's corner
                const QPoint p = Centre(one, g.R + c, g.K + r), q = Centre(more, g.R + c, g.K + r);
                if (r >= 0 && c >= 0) {
                    EXPECT_EQ(PixelAt(a, p.x(), p.y()), PixelAt(b, q.x(), q.y())) << c << "," << r;
                } else {  // a clue cell: its fill, beside the number
                    const int x0 = one.Dev((g.R + c) * g.s) + 2, y0 = one.Dev((g.K + r) * g.s) + 2;
                    const int x1 = more.Dev((g.R + c) * g.s) + 2, y1 = more.Dev((g.K + r) * g.s) + 2;
                    EXPECT_EQ(PixelAt(a, x0, y0), PixelAt(b, x1, y1)) << c << "," << r;
                }
            }
        }
        if (ratio != 2.0) continue;
        // Across the middle of the grid's first row: every line one device pixel, the thick ones
        // a black one between two light grey ones, white gaps beside them.
        const int y = Centre(more, 0, g.K).y();
        for (int j = 0; j <= g.cols; ++j) {
            const int x = more.Dev((g.R + j) * g.s);
            const bool thick = j == 0 || j == 5 || j == g.cols;
            EXPECT_EQ(PixelAt(b, x, y), thick ? kBlack : kThin) << j;
            EXPECT_TRUE(j == g.cols || PixelAt(b, x + 1, y) == (thick ? kSide : kWhite)) << j;
            EXPECT_TRUE(j == 0 || PixelAt(b, x - 1, y) == (thick ? kSide : kWhite)) << j;
            EXPECT_TRUE(j == 0 || PixelAt(b, x - 2, y) == kWhite) << j;
            EXPECT_TRUE(j == g.cols || PixelAt(b, x + 2, y) == kWhite) << j;
        }
    }
}

TEST_F(BoardScale, TheWindowComposesAtItsOwnDevicePixelRatio) {
    MakeBoard(300, 300);
    Load({"11.", "1.1"}, {kWhite, kRed});
    const double ratio = board->PixelRatio();
    const QImage shown = board->ComposedImage();
    EXPECT_EQ(shown.devicePixelRatio(), ratio);
    EXPECT_EQ(shown.size(), viewport()->size() * ratio);
    EXPECT_EQ(board->Images().Ratio(), ratio);
    const BoardImages& images = board->Images();
    const int x = images.Dev(model().R * s()) - images.Dev(board->HorizontalOffset());
    const int y = images.Dev((model().K + 1) * s()) - images.Dev(board->VerticalOffset()) - images.Dev(s()) / 2;
    EXPECT_EQ(PixelAt(shown, x, y), kBlack);  // the grid's left border, one device pixel of black
    EXPECT_NE(PixelAt(shown, x + 1, y), kBlack);
    EXPECT_NE(PixelAt(shown, x - 1, y), kBlack);
}

TEST_F(BoardScale, TheWidestClueFitsItsCellWithAMarginAtEveryCellSize) {
    MakeBoard(200, 200);
    std::vector<std::string> rows = {std::string(48, '1') + "..", std::string(8, '1') + std::string(42, '.')};
    Load(rows, {kWhite, kNavy});
    BoardImages images;
    for (double ratio : {1.0, 1.5, 2.0}) {
        for (int s = 10; s <= 60; ++s) {
            images.Create(model(), s, ratio);
            images.DrawNewGame(model());
            for (int r : {0, 1}) {  // "48" and "8", both in slot 0 next to the grid
                const QRect fill = images.ClueFill(model().R - 1, r);
                int ink = 0;
                for (int y = fill.top() + 1; y < fill.bottom(); ++y) {  // clear of the thick lines' sides
                    for (int x = fill.left(); x <= fill.right(); ++x) ink += PixelAt(images.RowClues(), x, y) != kNavy;
                    EXPECT_EQ(PixelAt(images.RowClues(), fill.left(), y), kNavy) << s << " " << ratio << " row " << r;
                    EXPECT_EQ(PixelAt(images.RowClues(), fill.right(), y), kNavy) << s << " " << ratio << " row " << r;
                }
                EXPECT_GT(ink, 2 * images.Dev(s) / 3) << s << " " << ratio << " row " << r;  // the number is there
            }
        }
    }
}

TEST_F(BoardScale, HintMarksShowEveryCompleteLineAndNoOtherAndGoWithHintsOff) {
    MakeBoard(300, 300);
    Load({"11.", "1.1", ".11"}, {kWhite, kGreen});
    for (QPoint cell : {QPoint(0, 0), QPoint(1, 0), QPoint(2, 0), QPoint(2, 0), QPoint(2, 1), QPoint(2, 2)})
        Tap(CellPoint(cell.x(), cell.y()));  // row 0 and column 2 complete
    const BoardImages& images = board->Images();
    EXPECT_NE(images.HintColour(), kGreen);  // never a clue colour
    auto marks = [&] {
        const QImage shown = board->ComposedImage();
        const int left = images.Dev(model().R * s()) - images.Dev(board->HorizontalOffset());
        const int top = images.Dev(model().K * s()) - images.Dev(board->VerticalOffset());
        std::string seen;
        for (int r = 0; r < 3; ++r) {
            const int y = top + Centre(images, 0, r).y();
            const int band = PixelAt(shown, left - 1, y) == images.HintColour() && PixelAt(shown, left + 1, y) == images.HintColour();
            seen += PixelAt(shown, left, y) == images.HintColour() ? (band ? 'R' : '?') : (PixelAt(shown, left, y) == kBlack ? '-' : '?');
        }
        for (int c = 0; c < 3; ++c) {
            const int x = left + Centre(images, c, 0).x();
            seen += PixelAt(shown, x, top) == images.HintColour() ? 'C' : (PixelAt(shown, x, top) == kBlack ? '-' : '?');
        }
        return seen;
    };
    EXPECT_EQ(marks(), "------");
    for (int pass = 0; pass < 2; ++pass) {
        board->SetHints(true);
        EXPECT_EQ(marks(), "R----C") << pass;
        board->SetHints(false);
        EXPECT_EQ(marks(), "------") << pass;
    }
    board->SetHints(true);
    for (QPoint cell : {QPoint(0, 1), QPoint(0, 2), QPoint(0, 2)}) Tap(CellPoint(cell.x(), cell.y()));
    EXPECT_EQ(marks(), "R--C-C");  // column 0 complete as well, rows 1 and 2 still not
}

}  // namespace
}  // namespace mosgrid::test
