// The board on high-density screens: images drawn at the device pixel ratio, clue numbers that
// fit their cells at every size, and hint marks that stand apart from the border.
#include <set>

#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

constexpr COLORREF kGreen = 0x00C000;

using BoardScale = BoardFixture;

// A device pixel inside board cell (c, r) (clue slots included): the middle of a grid cell, a
// clue cell's fill beside its number.
QPoint Inside(const BoardImages& images, int c, int r) {
    const BoardGeometry& g = images.Geometry();
    const int s = g.s;
    if (c < g.R || r < g.K) return {images.Dev(c * s) + 2, images.Dev(r * s) + 2};
    return {(images.Dev(c * s) + images.Dev((c + 1) * s)) / 2, (images.Dev(r * s) + images.Dev((r + 1) * s)) / 2};
}

QImage ComposeAll(const BoardImages& images) {
    QImage frame(images.Dev(images.Geometry().Width() - 1) + 1, images.Dev(images.Geometry().Height() - 1) + 1,
                 QImage::Format_RGB32);
    images.Compose(frame, frame.rect(), QImage(), 0, 0);
    return frame;
}

TEST_F(BoardScale, AtHigherRatiosEveryCellKeepsItsColourAndGridLinesStayOneDevicePixel) {
    MakeBoard(420, 420);
    Load({"1122.33", "1.2.3..", "..1122.", "3333..1", ".1.2.3.", "1111111"}, {kWhite, kRed, kNavy, kYellow});
    for (int i = 0; i < 42; ++i)
        if (i % 3 != 0) model().Cell(i % 7, i / 7) = CellRecord{0, model().PictureColour(i % 7, i / 7)};
    model().ColumnClue(0, 0).done = model().RowClue(3, 1).done = 1;
    BoardImages one, more;
    one.Rebuild(model(), s(), 1.0);
    const QImage a = ComposeAll(one);
    const BoardGeometry& g = one.Geometry();
    for (double ratio : {1.5, 2.0}) {
        more.Rebuild(model(), s(), ratio);
        const QImage b = ComposeAll(more);
        for (int r = 0; r < g.K + g.rows; ++r) {
            for (int c = r < g.K ? g.R : 0; c < g.R + g.cols; ++c) {
                const QPoint p = Inside(one, c, r), q = Inside(more, c, r);
                EXPECT_EQ(PixelAt(a, p.x(), p.y()), PixelAt(b, q.x(), q.y())) << ratio << ": " << c << "," << r;
            }
        }
    }
    // Across the grid's first row at ratios 1 and 2: each line one device pixel, every fifth black
    // between light grey, thin ones grey between white.
    for (const BoardImages* images : {&one, &more}) {
        const QImage b = ComposeAll(*images);
        for (int j = 1, y = Inside(*images, g.R, g.K).y(); j < g.cols; ++j) {
            const int x = images->Dev((g.R + j) * g.s);
            const COLORREF side = j == 5 ? 0xA4A4A4 : kWhite, centre = j == 5 ? kBlack : 0x808080;
            std::vector<COLORREF> seen;
            for (int dx = -1; dx <= 1; ++dx) seen.push_back(PixelAt(b, x + dx, y));
            EXPECT_EQ(seen, (std::vector<COLORREF>{side, centre, side})) << images->Ratio() << ": " << j;
        }
    }
    // The window composes at its own ratio (2 where the screen is so scaled).
    EXPECT_EQ(board->Images().Ratio(), board->PixelRatio());
    EXPECT_EQ(board->ComposedImage().size(), viewport()->size() * board->PixelRatio());
}

TEST_F(BoardScale, TheWidestClueFitsItsCellWithAMarginAtEveryCellSize) {
    MakeBoard(200, 200);
    Load({std::string(48, '1') + "..", std::string(8, '1') + std::string(42, '.')}, {kWhite, kNavy});
    BoardImages images;
    for (double ratio : {1.0, 1.5, 2.0}) {
        for (int s = 10; s <= 60; ++s) {
            images.Create(model(), s, ratio);
            images.DrawNewGame(model());
            for (int r : {0, 1}) {  // "48" and "8" next to the grid
                const QRect fill = images.ClueFill(model().R - 1, r);
                int ink = 0, edge = 0;
                for (int y = fill.top() + 1; y < fill.bottom(); ++y) {  // clear of the thick lines' sides
                    for (int x = fill.left(); x <= fill.right(); ++x) ink += PixelAt(images.RowClues(), x, y) != kNavy;
                    edge += (PixelAt(images.RowClues(), fill.left(), y) != kNavy) + (PixelAt(images.RowClues(), fill.right(), y) != kNavy);
                }
                EXPECT_EQ(edge, 0) << s << " at " << ratio << ", row " << r;
                EXPECT_GT(ink, 2 * images.Dev(s) / 3) << s << " at " << ratio << ", row " << r;
            }
        }
    }
}

TEST_F(BoardScale, HintMarksShowEveryCompleteLineAndNoOtherAndGoWithHintsOff) {
    MakeBoard(300, 300);
    Load({"11.", "1.1", ".11"}, {kWhite, kGreen});
    for (int cell : {0, 1, 2, 2, 5, 8}) Tap(CellPoint(cell % 3, cell / 3));  // row 0 and column 2 complete
    const BoardImages& images = board->Images();
    EXPECT_NE(images.HintColour(), kGreen);  // never a clue colour
    auto marks = [&] {  // rows then columns: 'M' a band over the border, '-' the black border
        const QImage shown = board->ComposedImage();
        const QPoint corner(images.Dev(model().R * s()) - images.Dev(board->HorizontalOffset()),
                            images.Dev(model().K * s()) - images.Dev(board->VerticalOffset()));
        std::string seen;
        for (int i = 0; i < 6; ++i) {  // the border's middle pixel and the two beside it
            const QPoint at = corner + (i < 3 ? QPoint(0, Inside(images, 0, i).y()) : QPoint(Inside(images, i - 3, 0).x(), 0));
            const QPoint across = i < 3 ? QPoint(1, 0) : QPoint(0, 1);
            std::set<COLORREF> band;
            for (QPoint p : {at - across, at, at + across}) band.insert(PixelAt(shown, p.x(), p.y()));
            seen += band == std::set<COLORREF>{images.HintColour()} ? 'M' : PixelAt(shown, at.x(), at.y()) == kBlack ? '-' : '?';
        }
        return seen;
    };
    for (int pass = 0; pass < 2; ++pass) {
        board->SetHints(true);
        EXPECT_EQ(marks(), "M----M") << pass;
        board->SetHints(false);
        EXPECT_EQ(marks(), "------") << pass;
    }
    board->SetHints(true);
    for (int cell : {3, 6, 6}) Tap(CellPoint(cell % 3, cell / 3));
    EXPECT_EQ(marks(), "M--M-M");  // column 0 complete as well, rows 1 and 2 still not
}

}  // namespace
}  // namespace mosgrid::test
