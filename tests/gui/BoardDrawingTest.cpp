// SPDX-License-Identifier: GPL-3.0-or-later
// The board's images: clues, their strokes, the miniature, the assists' marks; and at higher
// device pixel ratios: cells, grid lines, clue numbers that fit, and the hint marks.
#include <QScreen>

#include <set>

#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

constexpr COLORREF kThin = 0x808080;

using BoardDrawing = BoardFixture;

// Counts the pixels of one exact colour inside a rectangle of an image.
int Count(const QImage& image, const QRect& box, COLORREF colour) {
    int n = 0;
    for (int i = 0; i < box.width() * box.height(); ++i) n += PixelAt(image, box.left() + i % box.width(), box.top() + i / box.width()) == colour;
    return n;
}

TEST_F(BoardDrawing, MiniatureIsEnlargedByTheLargestWholeFactorThatFitsTheCornerOrShrunkToFit) {
    std::vector<std::string> large(50, std::string(50, '.'));
    for (int r : {0, 2, 4}) large[std::size_t(r)].replace(0, 5, "1.1.1");  // 3 clues, 10 pixels
    const std::vector<std::string> diagonal = {"1....", ".1...", "..1..", "...1.", "....1"};
    for (const std::vector<std::string>& rows : {diagonal, large}) {
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

// The assists' verdicts: a proved clue faded as a crossed one, a line in error framed in a colour
// of no clue; both go when the assists are switched off.
TEST_F(BoardDrawing, ProvedCluesFadeAndLinesInErrorAreFramedOnlyWhileTheAssistsAreOn) {
    MakeBoard(200, 200);
    Load({"1.1", "..."}, {kWhite, kRed});
    Tap(CellPoint(0, 0)), Tap(CellPoint(1, 0)), Tap(CellPoint(1, 0));  // row 0: the first run is proved
    Tap(CellPoint(1, 1));                                               // row 1 has no clue
    const QRect first = board->Images().ClueFill(0, 0);
    for (const bool on : {true, false}) {
        board->SetAssists(PlayAssists{false, false, on, on});
        const QImage shown = board->ComposedImage();
        EXPECT_EQ(PixelAt(board->Images().RowClues(), first.left() + 1, first.top() + 1), on ? 0x8080FFu : kRed);
        EXPECT_NE(board->Images().ErrorColour(), kRed);
        EXPECT_EQ(Count(shown, shown.rect(), board->Images().ErrorColour()) > 4 * s(), on) << on;
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
        board->RestorePlay(board->Model());  // as a restored game is drawn
    }
    DoubleTap(ColumnCluePoint(1, 0));  // crossed back in: drawn afresh, the stroke gone
    EXPECT_EQ(Count(clues, QRect(n + 1, 1, n - 1, n - 1), kRed), 0);
    EXPECT_EQ(PixelAt(clues, 2 * n - 1, 1), kYellow);
    EXPECT_GT(Count(clues, interior(1), kBlack), 3);
}

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
    images.Compose(frame, frame.rect(), QImage(), Panes{});
    return frame;
}

TEST_F(BoardScale, AtHigherRatiosEveryCellKeepsItsColourAndGridLinesStayOneDevicePixel) {
    MakeBoard(420, 420);
    Load({"1122.33", "1.2.3..", "..1122.", "3333..1", ".1.2.3.", "1111111"}, {kWhite, kRed, kNavy, kYellow});
    Change([](BoardModel& m) {
        for (int i = 0; i < 42; ++i)
            if (i % 3 != 0) m.Cell(i % 7, i / 7) = CellRecord{0, m.PictureColour(i % 7, i / 7)};
        m.ColumnClue(0, 0).done = m.RowClue(3, 1).done = 1;
    });
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

TEST_F(BoardScale, TheWidestClueFitsItsCellWithAMarginAtEveryCellSizeAndStaysCrispAtTheSmallest) {
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
                std::set<COLORREF> tones;
                for (int y = fill.top() + 1; y < fill.bottom(); ++y) {  // clear of the thick lines' sides
                    for (int x = fill.left(); x <= fill.right(); ++x) tones.insert(PixelAt(images.RowClues(), x, y));
                    for (int x = fill.left(); x <= fill.right(); ++x) ink += PixelAt(images.RowClues(), x, y) != kNavy;
                    edge += (PixelAt(images.RowClues(), fill.left(), y) != kNavy) + (PixelAt(images.RowClues(), fill.right(), y) != kNavy);
                }
                EXPECT_EQ(edge, 0) << s << " at " << ratio << ", row " << r;
                EXPECT_GT(ink, 2 * images.Dev(s) / 3) << s << " at " << ratio << ", row " << r;
                // "48" in a cell under 12 device pixels is not blurred: white on the fill, nothing between.
                if (r == 0 && images.Dev(s) < 12) {
                    EXPECT_EQ(tones, (std::set<COLORREF>{kNavy, kWhite})) << s;
                }
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
    // rows then columns: 'M' a band over the border, '-' the black border
    auto marksIn = [&](const QImage& shown) {
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
    auto marks = [&] { return marksIn(board->ComposedImage()); };
    for (int pass = 0; pass < 2; ++pass) {
        board->SetHints(true);
        EXPECT_EQ(marks(), "M----M") << pass;
        board->SetHints(false);
        EXPECT_EQ(marks(), "------") << pass;
    }
    board->SetHints(true);
    for (int cell : {3, 6, 6}) Tap(CellPoint(cell % 3, cell / 3));
    EXPECT_EQ(marks(), "M--M-M");  // column 0 complete as well, rows 1 and 2 still not
    // The solving move's marks are on the screen when the solved message opens (the offscreen
    // screen's grab is exact at ratio 1 only).
    if (images.Ratio() != 1.0) return;
    std::string onScreen;
    prompts.onTell = [&](const QString&) {
        const QImage screen = board->screen()->grabWindow(board->winId()).toImage();
        onScreen = marksIn(screen.copy(QRect(viewport()->mapTo(board.get(), QPoint()), viewport()->size())));
    };
    for (int cell : {4, 4, 7}) Tap(CellPoint(cell % 3, cell / 3));
    EXPECT_EQ(onScreen, "MMMMMM");
}

}  // namespace
}  // namespace mosgrid::test
