// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/ui/BoardImages.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>

#include "board/ui/Raster.h"

namespace mosgrid {
namespace {

using raster::ToRgb;

constexpr QRgb kThinPen = ToRgb(0x808080);
constexpr QRgb kSidePen = ToRgb(0xA4A4A4);
constexpr QRgb kBorderPen = ToRgb(kBlack);
constexpr QRgb kWhitePen = ToRgb(kWhite);
constexpr QRgb kRedPen = ToRgb(kRed);
// The numbers of a crossed-out clue.
constexpr COLORREF kCrossedText = 0x707070;

int Brightness(COLORREF c) { return (int(RedOf(c)) + int(GreenOf(c)) + int(BlueOf(c))) / 3; }

// Halfway from the colour to white: the fill of a crossed-out clue.
COLORREF Faded(COLORREF c) {
    auto half = [](std::uint8_t v) { return std::uint8_t((int(v) + 255 + 1) / 2); };
    return MakeColour(half(RedOf(c)), half(GreenOf(c)), half(BlueOf(c)));
}

// The stroke of a crossed-out clue: white on a red clue, red on every other.
QRgb StrikeColour(COLORREF clueColour) { return clueColour == kRed ? kWhitePen : kRedPen; }

bool IsThick(int j, int n) { return j == 0 || j == n || j % 5 == 0; }

// Below this many pixels an outline font's numbers blur into their fill; a clue's number is
// then drawn in the pixel digits below.
constexpr int kSmallestOutlineFont = 8;

// Digits of 3 x 7 pixels, a row a string ('#' lit), one column of fill between two of them:
// a two-digit number is 7 pixels wide and so leaves a pixel of its fill free on either side at
// the smallest cell.
constexpr int kDigitWidth = 3;
constexpr int kDigitHeight = 7;
constexpr const char* kDigits[10][kDigitHeight] = {
    {"###", "#.#", "#.#", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"},
    {"###", "..#", "..#", "###", "#..", "#..", "###"}, {"###", "..#", "..#", "###", "..#", "..#", "###"},
    {"#.#", "#.#", "#.#", "###", "..#", "..#", "..#"}, {"###", "#..", "#..", "###", "..#", "..#", "###"},
    {"###", "#..", "#..", "###", "#.#", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#", "..#", "..#"},
    {"###", "#.#", "#.#", "###", "#.#", "#.#", "###"}, {"###", "#.#", "#.#", "###", "..#", "..#", "###"},
};

// Writes `number` in the pixel digits, each pixel a square of the largest whole size that
// leaves a pixel of `fill` free around it, centred in `fill`.
void DrawPixelNumber(QImage& image, const QRect& fill, int number, QRgb colour) {
    const QString text = QString::number(number);
    const int columns = int(text.size()) * (kDigitWidth + 1) - 1;
    const int k = std::max(1, std::min((fill.width() - 2) / columns, (fill.height() - 2) / kDigitHeight));
    const int left = fill.left() + (fill.width() - columns * k) / 2;
    const int top = fill.top() + (fill.height() - kDigitHeight * k) / 2;
    for (int i = 0; i < text.size(); ++i) {
        const char* const* digit = kDigits[text[i].digitValue()];
        for (int y = 0; y < kDigitHeight; ++y) {
            for (int x = 0; x < kDigitWidth; ++x) {
                const QRect dot = QRect(left + (i * (kDigitWidth + 1) + x) * k, top + y * k, k, k).intersected(fill);
                if (digit[y][x] == '#' && !dot.isEmpty()) raster::FillRect(image, dot.left(), dot.top(), dot.width(), dot.height(), colour);
            }
        }
    }
}

// The first of `candidates` that is far, in some channel, from each clue colour of the puzzle
// and from `avoid`; the farthest when none is.
template <std::size_t N>
COLORREF ChooseApart(const BoardModel& model, const COLORREF (&candidates)[N], std::optional<COLORREF> avoid = {}) {
    std::vector<COLORREF> used;
    for (const std::vector<ClueEntry>* clues : {&model.columnClues, &model.rowClues}) {
        for (const ClueEntry& e : *clues) {
            if (e.length == 0) continue;
            const COLORREF c = model.ClueColour(e);
            if (std::find(used.begin(), used.end(), c) == used.end()) used.push_back(c);
        }
    }
    if (avoid) used.push_back(*avoid);
    auto distance = [](COLORREF a, COLORREF b) {
        return std::max({std::abs(int(RedOf(a)) - int(RedOf(b))), std::abs(int(GreenOf(a)) - int(GreenOf(b))),
                         std::abs(int(BlueOf(a)) - int(BlueOf(b)))});
    };
    COLORREF best = candidates[0];
    int bestDistance = -1;
    for (COLORREF candidate : candidates) {
        int nearest = 256;
        for (COLORREF c : used) nearest = std::min(nearest, distance(candidate, c));
        if (nearest >= 96) return candidate;
        if (nearest > bestDistance) {
            bestDistance = nearest;
            best = candidate;
        }
    }
    return best;
}

// The hint band: green, magenta, cyan, orange, violet. The error frame: red, orange, magenta,
// violet, cyan.
constexpr COLORREF kHintCandidates[] = {0x00C000, 0xFF00FF, 0xFFFF00, 0x0080FF, 0xFF4080};
constexpr COLORREF kErrorCandidates[] = {kRed, 0x0080FF, 0xFF00FF, 0xFF4080, 0xFFFF00};

// Where the ink of `text` lies when it is written from x = 0: its first column and its width,
// measured by writing it.
BoardImages::Ink MeasureInk(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    constexpr int pad = 4;
    QImage scratch(metrics.horizontalAdvance(text) + 2 * pad + 2, metrics.height() + 2 * pad, QImage::Format_RGB32);
    scratch.fill(raster::kWhiteRgb);
    {
        QPainter painter(&scratch);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(pad, pad + metrics.ascent()), text);
    }
    int first = scratch.width();
    int last = -1;
    for (int y = 0; y < scratch.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if ((line[x] | 0xFF000000u) == raster::kWhiteRgb) continue;
            first = std::min(first, x);
            last = std::max(last, x);
        }
    }
    if (last < 0) return BoardImages::Ink{0, 0};
    return BoardImages::Ink{first - pad, last - first + 1};
}

// The largest font no larger than `font` in which the ink of every text of `texts` is at most
// `width` pixels wide.
QFont FitWidth(QFont font, const QStringList& texts, int width) {
    for (int px = font.pixelSize(); px > 1; --px) {
        font.setPixelSize(px);
        bool fits = true;
        for (const QString& t : texts) fits = fits && MeasureInk(font, t).width <= width;
        if (fits) break;
    }
    return font;
}

}  // namespace

QFont ClueFont(int cellSize) {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    // The largest pixel size whose text cell fits the cell height.
    for (int px = std::max(cellSize, 1); px >= 1; --px) {
        font.setPixelSize(px);
        QFontMetrics metrics(font);
        if (metrics.ascent() + metrics.descent() <= cellSize) break;
    }
    return font;
}

int BoardImages::Dev(int x) const {
    if (ratio_ == 1.0) return x;
    return int(std::floor(x * ratio_ + 0.5));
}

int BoardImages::Unit() const { return std::max(1, int(ratio_ + 1e-9)); }

void BoardImages::Create(const BoardModel& model, int s, double ratio) {
    ratio_ = ratio > 0 ? ratio : 1.0;
    geometry_ = BoardGeometry{model.cols(), model.rows(), model.K, model.R, s};
    const int cols = model.cols();
    const int rows = model.rows();
    miniature_ = raster::NewImage(cols, rows);
    cells_ = raster::NewImage(Dev(s * cols) + 1, Dev(s * rows) + 1);
    columnClues_ = raster::NewImage(Dev(s * cols) + 1, Dev(s * model.K));
    rowClues_ = raster::NewImage(Dev(s * model.R), Dev(s * rows) + 1);
    rowMarks_.assign(std::size_t(std::max(rows, 0)), false);
    columnMarks_.assign(std::size_t(std::max(cols, 0)), false);
    hintColour_ = ChooseApart(model, kHintCandidates);
    errorColour_ = ChooseApart(model, kErrorCandidates, hintColour_);
    columnProved_.assign(std::size_t(std::max(cols, 0)), 0);
    rowProved_.assign(std::size_t(std::max(rows, 0)), 0);
    columnErrors_.assign(std::size_t(std::max(cols, 0)), false);
    rowErrors_.assign(std::size_t(std::max(rows, 0)), false);

    // The narrowest cell between two lines, in device pixels: its text cell is the font's
    // height, and the longest clue must leave one device pixel of the fill free on either side.
    const int cell = int(std::floor(s * ratio_));
    font_ = ClueFont(cell);
    QStringList wide;
    for (const std::vector<ClueEntry>* clues : {&model.columnClues, &model.rowClues}) {
        for (const ClueEntry& e : *clues) {
            if (e.length >= 10 && !wide.contains(QString::number(e.length))) wide << QString::number(e.length);
        }
    }
    QStringList narrow;
    for (int d = 0; d <= 9; ++d) narrow << QString::number(d);
    font_ = FitWidth(font_, narrow, cell - 3);
    wideFont_ = FitWidth(font_, wide, cell - 3);
    inks_.clear();
    for (int length = 1; length <= kMaxSlots; ++length) {
        if (length < 10 || wide.contains(QString::number(length)))
            inks_[length] = MeasureInk(ClueFontFor(length), QString::number(length));
    }
}

void BoardImages::Rebuild(const BoardModel& model, int s, double ratio) {
    Create(model, s, ratio);
    DrawNewGame(model);
    RenderFromState(model);
    if (model.hints == 1) {
        for (int r = 0; r < geometry_.rows; ++r) rowMarks_[std::size_t(r)] = model.rowSolved[std::size_t(r)] != 0;
        for (int c = 0; c < geometry_.cols; ++c) columnMarks_[std::size_t(c)] = model.columnSolved[std::size_t(c)] != 0;
    }
}

void BoardImages::Release() {
    geometry_ = BoardGeometry{0, 0, 0, 0, geometry_.s};
    cells_ = QImage();
    columnClues_ = QImage();
    rowClues_ = QImage();
    miniature_ = QImage();
    rowMarks_.clear();
    columnMarks_.clear();
}

// Line j of n: every fifth line and both outer ones are three pixels wide, light grey sides
// around a black centre; the others one grey pixel.
void BoardImages::DrawGridLine(QImage& image, bool horizontal, int j, int n, int from, int to) {
    const int at = Dev(j * geometry_.s);
    auto line = [&](int pos, QRgb colour) {
        if (horizontal) {
            raster::DrawLine(image, from, pos, to, pos, colour);
        } else {
            raster::DrawLine(image, pos, from, pos, to, colour);
        }
    };
    if (IsThick(j, n)) {
        line(at - 1, kSidePen);
        line(at + 1, kSidePen);
        line(at, kBorderPen);
    } else {
        line(at, kThinPen);
    }
}

QRect BoardImages::ClueFill(int c, int r) const {
    const int s = geometry_.s;
    const int left = Dev(c * s) + 1;
    const int top = Dev(r * s) + 1;
    return QRect(left, top, Dev((c + 1) * s) - left, Dev((r + 1) * s) - top);
}

void BoardImages::DrawClue(QPainter& painter, QImage& image, int c, int r, COLORREF colour, int length,
                           bool crossed) {
    // A black clue stands black on white; any other fills its cell and is written in black or
    // white, whichever stands out from the colour. A crossed-out one is faded: its fill halfway
    // to white, its number grey.
    const QRect fill = ClueFill(c, r);
    const COLORREF background = colour == kBlack ? kWhite : (crossed ? Faded(colour) : colour);
    raster::FillRect(image, fill.left(), fill.top(), fill.width(), fill.height(), ToRgb(background));
    COLORREF text = kBlack;
    if (crossed) {
        text = kCrossedText;
    } else if (colour != kBlack) {
        text = Brightness(colour) > 128 ? kBlack : kWhite;
    }
    // The number's ink centred across the fill, so that one device pixel of the fill stays free
    // on either side; its text cell at the top of the cell (the smaller font in the middle).
    const QFont& font = ClueFontFor(length);
    if (font.pixelSize() < kSmallestOutlineFont) {
        DrawPixelNumber(image, fill, length, ToRgb(text));
        return;
    }
    const QFontMetrics metrics(font);
    const auto found = inks_.find(length);
    const Ink ink = found != inks_.end() ? found->second : Ink{0, metrics.horizontalAdvance(QString::number(length))};
    const int x = fill.left() + (fill.width() - ink.width) / 2 - ink.left;
    int y = fill.top() + metrics.ascent();
    if (font.pixelSize() < font_.pixelSize()) y = fill.top() + (fill.height() - metrics.height()) / 2 + metrics.ascent();
    painter.setFont(font);
    painter.setClipRect(fill);
    painter.setPen(QColor::fromRgb(ToRgb(text)));
    painter.drawText(QPoint(x, y), QString::number(length));
}

void BoardImages::DrawNewGame(const BoardModel& model) {
    if (!Exists()) return;
    const int s = geometry_.s;
    const int cols = geometry_.cols;
    const int rows = geometry_.rows;
    const int K = geometry_.K;
    const int R = geometry_.R;
    const int width = Dev(cols * s);
    const int height = Dev(rows * s);

    miniature_.fill(raster::kWhiteRgb);
    std::fill(rowMarks_.begin(), rowMarks_.end(), false);
    std::fill(columnMarks_.begin(), columnMarks_.end(), false);
    std::fill(columnProved_.begin(), columnProved_.end(), 0);
    std::fill(rowProved_.begin(), rowProved_.end(), 0);
    std::fill(columnErrors_.begin(), columnErrors_.end(), false);
    std::fill(rowErrors_.begin(), rowErrors_.end(), false);

    cells_.fill(raster::kWhiteRgb);
    for (int j = 0; j <= rows; ++j) DrawGridLine(cells_, true, j, rows, 0, width);
    for (int j = 0; j <= cols; ++j) DrawGridLine(cells_, false, j, cols, 0, height);
    // The thick lines once more, so that they lie over the thin ones where they cross.
    for (int j = 0; j <= rows; ++j) {
        if (IsThick(j, rows)) DrawGridLine(cells_, true, j, rows, 0, width);
    }
    for (int j = 0; j <= cols; ++j) {
        if (IsThick(j, cols)) DrawGridLine(cells_, false, j, cols, 0, height);
    }

    if (!columnClues_.isNull()) {
        columnClues_.fill(raster::kWhiteRgb);
        {
            QPainter painter(&columnClues_);
            for (int c = 0; c < cols; ++c) {
                for (int r = 0; r < K; ++r) {
                    const ClueEntry& e = model.ColumnClue(c, K - 1 - r);
                    if (e.length != 0) DrawClue(painter, columnClues_, c, r, model.ClueColour(e), e.length, false);
                }
            }
        }
        for (int k = 0; k <= K; ++k) {
            raster::DrawLine(columnClues_, 0, Dev(k * s), width, Dev(k * s), (k == 0 || k == K) ? kBorderPen : kThinPen);
        }
        for (int j = 0; j <= cols; ++j) DrawGridLine(columnClues_, false, j, cols, 0, Dev(K * s));
    }

    if (!rowClues_.isNull()) {
        rowClues_.fill(raster::kWhiteRgb);
        {
            QPainter painter(&rowClues_);
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < R; ++c) {
                    const ClueEntry& e = model.RowClue(r, R - 1 - c);
                    if (e.length != 0) DrawClue(painter, rowClues_, c, r, model.ClueColour(e), e.length, false);
                }
            }
        }
        for (int i = 0; i <= R; ++i) {
            raster::DrawLine(rowClues_, Dev(i * s), 0, Dev(i * s), height, (i == 0 || i == R) ? kBorderPen : kThinPen);
        }
        for (int k = 0; k <= rows; ++k) DrawGridLine(rowClues_, true, k, rows, 0, Dev(R * s));
    }
}

QRect BoardImages::CellInterior(int c, int r) const {
    // One gap of the pen's width between the interior and the lines around it.
    const int s = geometry_.s;
    const int gap = Unit();
    const int left = Dev(c * s) + 1 + gap;
    const int top = Dev(r * s) + 1 + gap;
    return QRect(left, top, Dev((c + 1) * s) - gap - left, Dev((r + 1) * s) - gap - top);
}

void BoardImages::DrawCell(const BoardModel& model, int c, int r) {
    if (!Exists()) return;
    const CellRecord& cell = model.Cell(c, r);
    const QRect box = CellInterior(c, r);
    const bool painted = cell.state == 0 && cell.colour != kWhite;
    raster::FillRect(cells_, box.left(), box.top(), box.width(), box.height(), ToRgb(painted ? cell.colour : kWhite));
    if (cell.state == 0 && cell.colour == kWhite) {
        // Two diagonals corner to corner of the interior, as wide as the pens.
        const int w = Unit();
        raster::DrawWideLine(cells_, box.left(), box.top(), box.right() + 1, box.bottom() + 1, w, kBorderPen, box);
        raster::DrawWideLine(cells_, box.right(), box.top(), box.left() - 1, box.bottom() + 1, w, kBorderPen, box);
    }
    raster::SetPixel(miniature_, c, r, ToRgb(painted ? cell.colour : kWhite));
}

// The clue at column `column`, slot `slot` as its done flag says: a crossed-out clue faded and
// struck from its top-right to its bottom-left corner (a little further inside when a restored
// game is drawn).
void BoardImages::DrawColumnClue(const BoardModel& model, int column, int slot, bool restored) {
    if (columnClues_.isNull()) return;
    const ClueEntry& e = model.ColumnClue(column, slot);
    if (e.length == 0) return;
    const int s = geometry_.s;
    const int c = column;
    const int r = geometry_.K - 1 - slot;
    const COLORREF colour = model.ClueColour(e);
    const bool crossed = e.done == 1 || (columnProved_[std::size_t(column)] >> slot & 1) != 0;
    {
        QPainter painter(&columnClues_);
        DrawClue(painter, columnClues_, c, r, colour, e.length, crossed);
    }
    if (!crossed) return;
    const int in = restored ? 2 : 1;
    raster::DrawWideLine(columnClues_, Dev((c + 1) * s) - in, Dev(r * s) + in, Dev(c * s) + in, Dev((r + 1) * s) - in,
                         2 * Unit(), StrikeColour(colour), columnClues_.rect());
}

void BoardImages::DrawRowClue(const BoardModel& model, int row, int slot, bool restored) {
    if (rowClues_.isNull()) return;
    const ClueEntry& e = model.RowClue(row, slot);
    if (e.length == 0) return;
    const int s = geometry_.s;
    const int c = geometry_.R - 1 - slot;
    const int r = row;
    const COLORREF colour = model.ClueColour(e);
    const bool crossed = e.done == 1 || (rowProved_[std::size_t(row)] >> slot & 1) != 0;
    {
        QPainter painter(&rowClues_);
        DrawClue(painter, rowClues_, c, r, colour, e.length, crossed);
    }
    if (!crossed) return;
    if (restored) {
        raster::DrawWideLine(rowClues_, Dev(c * s) + 1, Dev((r + 1) * s) - 1, Dev((c + 1) * s) - 1, Dev(r * s) + 1,
                             2 * Unit(), StrikeColour(colour), rowClues_.rect());
    } else {
        raster::DrawWideLine(rowClues_, Dev((c + 1) * s) - 1, Dev(r * s) + 1, Dev(c * s) + 1, Dev((r + 1) * s) - 1,
                             2 * Unit(), StrikeColour(colour), rowClues_.rect());
    }
}

void BoardImages::DrawToggledColumnClue(const BoardModel& model, int column, int slot) {
    DrawColumnClue(model, column, slot, false);
}

void BoardImages::DrawToggledRowClue(const BoardModel& model, int row, int slot) {
    DrawRowClue(model, row, slot, false);
}

void BoardImages::SetHintMarks(int c, int r, bool rowComplete, bool columnComplete) {
    if (!Exists()) return;
    if (r >= 0 && r < int(rowMarks_.size())) rowMarks_[std::size_t(r)] = rowComplete;
    if (c >= 0 && c < int(columnMarks_.size())) columnMarks_[std::size_t(c)] = columnComplete;
}

void BoardImages::SetVerdict(const BoardModel& model, bool column, int line, std::uint64_t proved, bool error) {
    if (!Exists() || line < 0 || line >= (column ? geometry_.cols : geometry_.rows)) return;
    (column ? columnErrors_ : rowErrors_)[std::size_t(line)] = error;
    std::uint64_t& kept = (column ? columnProved_ : rowProved_)[std::size_t(line)];
    const std::uint64_t changed = kept ^ proved;
    kept = proved;
    // A clue the player crossed looks the same either way.
    for (int slot = 0; slot < (column ? geometry_.K : geometry_.R); ++slot) {
        if ((changed >> slot & 1) == 0) continue;
        const ClueEntry& e = column ? model.ColumnClue(line, slot) : model.RowClue(line, slot);
        if (e.done == 1) continue;
        if (column) {
            DrawColumnClue(model, line, slot, false);
        } else {
            DrawRowClue(model, line, slot, false);
        }
    }
}

bool BoardImages::LineInError(bool column, int line) const {
    const std::vector<bool>& errors = column ? columnErrors_ : rowErrors_;
    return line >= 0 && line < int(errors.size()) && errors[std::size_t(line)];
}

void BoardImages::RenderFromState(const BoardModel& model) {
    if (!Exists()) return;
    for (int r = 0; r < geometry_.rows; ++r) {
        for (int c = 0; c < geometry_.cols; ++c) DrawCell(model, c, r);
    }
    for (int c = 0; c < geometry_.cols; ++c) {
        for (int slot = 0; slot < geometry_.K; ++slot) {
            if (model.ColumnClue(c, slot).done == 1) DrawColumnClue(model, c, slot, true);
        }
    }
    for (int r = 0; r < geometry_.rows; ++r) {
        for (int slot = 0; slot < geometry_.R; ++slot) {
            if (model.RowClue(r, slot).done == 1) DrawRowClue(model, r, slot, true);
        }
    }
}

QRect BoardImages::MiniaturePlacement() const {
    const BoardGeometry& g = geometry_;
    if (g.cols <= 0 || g.rows <= 0) return QRect();
    const int cornerWidth = Dev(g.R * g.s);
    const int cornerHeight = Dev(g.K * g.s);
    // The largest whole enlargement that leaves a small margin inside the corner.
    const int margin = 2 * Unit();
    const int factor = std::min((cornerWidth - 2 * margin) / g.cols, (cornerHeight - 2 * margin) / g.rows);
    if (factor >= 1) {
        const int dw = g.cols * factor;
        const int dh = g.rows * factor;
        return QRect((cornerWidth - dw) / 2, (cornerHeight - dh) / 2, dw, dh);
    }
    // A corner smaller than one pixel a cell: the picture shrinks to fit it.
    const double fy = g.rows > cornerHeight ? double(cornerHeight) / g.rows : 1.0;
    const double fx = g.cols > cornerWidth ? double(cornerWidth) / g.cols : 1.0;
    const double f = std::min(fx, fy);
    const int dw = int(g.cols * f);
    const int dh = int(g.rows * f);
    const int left = int(cornerWidth - g.cols * f) / 2;
    const int top = std::max(0, int(cornerHeight - g.rows * f) / 2);
    return QRect(left, top, dw, dh);
}

void BoardImages::Compose(QImage& target, const QRect& clip, const QImage& background, const Panes& panes) const {
    raster::Tile(target, background, clip);
    if (!Exists()) return;
    const BoardGeometry& g = geometry_;
    const int ox = Dev(panes.hx);
    const int oy = Dev(panes.vy);
    const int px = Dev(panes.pinnedX);
    const int py = Dev(panes.pinnedY);
    const int left = Dev(g.R * g.s) - ox;  // the grid's corner in the target
    const int top = Dev(g.K * g.s) - oy;
    const int edgeX = Dev(g.R * g.s) - px;  // the grid side of the row clues, pinned or not
    const int edgeY = Dev(g.K * g.s) - py;  // and of the column clues
    // The cells show only right of the row clues and below the column clues, the column clues
    // right of the corner, the row clues below it.
    auto from = [&](int x, int y) { return QRect(QPoint(x, y), clip.bottomRight()).intersected(clip); };
    const QRect cellsPane = from(edgeX, edgeY);
    const QRect columnsPane = from(edgeX, clip.top());
    const QRect rowsPane = from(clip.left(), edgeY);
    const QRect mini = MiniaturePlacement();
    raster::CopyNonWhiteScaled(target, miniature_, mini.left() - px, mini.top() - py, mini.width(), mini.height(), clip);
    raster::CopyNonWhite(target, cells_, left, top, cellsPane);
    raster::CopyNonWhite(target, columnClues_, left, -py, columnsPane);
    raster::CopyNonWhite(target, rowClues_, -px, top, rowsPane);

    // Where the cells go under a pinned clue area, a border as the grid's own (black, light grey
    // on the cells' side) parts them.
    const int right = left + Dev(g.cols * g.s) + 1;
    const int bottom = top + Dev(g.rows * g.s) + 1;
    auto line = [&](QRect r, QRgb colour) {
        r = r.intersected(clip);
        if (!r.isEmpty()) raster::FillRect(target, r.left(), r.top(), r.width(), r.height(), colour);
    };
    const bool acrossPinned = ox > px;
    const bool downPinned = oy > py;
    if (acrossPinned) line(QRect(edgeX + 1, -py, 1, bottom + py), kSidePen);
    if (downPinned) line(QRect(-px, edgeY + 1, right + px, 1), kSidePen);
    if (acrossPinned) line(QRect(edgeX, -py, 1, bottom + py), kBorderPen);
    if (downPinned) line(QRect(-px, edgeY, right + px, 1), kBorderPen);

    // Hint marks: a band over the border beside each complete line (at the clue area's grid side
    // while pinned), between the grid lines across it, so it reads as a mark and not as part of
    // the border.
    const int half = Unit();
    const QRgb band = ToRgb(hintColour_);
    auto fill = [&](QRect r, const QRect& pane) {
        r = r.intersected(pane);
        if (!r.isEmpty()) raster::FillRect(target, r.left(), r.top(), r.width(), r.height(), band);
    };
    for (int r = 0; r < g.rows; ++r) {
        if (!rowMarks_[std::size_t(r)]) continue;
        const int y0 = top + Dev(r * g.s) + 2;
        const int y1 = top + Dev((r + 1) * g.s) - 2;
        fill(QRect(edgeX - half, y0, 2 * half + 1, y1 - y0 + 1), rowsPane);
    }
    for (int c = 0; c < g.cols; ++c) {
        if (!columnMarks_[std::size_t(c)]) continue;
        const int x0 = left + Dev(c * g.s) + 2;
        const int x1 = left + Dev((c + 1) * g.s) - 2;
        fill(QRect(x0, edgeY - half, x1 - x0 + 1, 2 * half + 1), columnsPane);
    }

    // Lines in error: a frame as wide as the band, on the lines around the line's clues; where
    // the clues are pinned, none over the other clue area or the corner.
    const QRgb frame = ToRgb(errorColour_);
    auto outline = [&](QRect box, const QRect& pane) {
        for (const QRect& side : {QRect(box.left() - half, box.top() - half, box.width() + 2 * half, 2 * half + 1),
                                  QRect(box.left() - half, box.bottom() - half, box.width() + 2 * half, 2 * half + 1),
                                  QRect(box.left() - half, box.top() - half, 2 * half + 1, box.height() + 2 * half),
                                  QRect(box.right() - half, box.top() - half, 2 * half + 1, box.height() + 2 * half)}) {
            const QRect r = side.intersected(pane);
            if (!r.isEmpty()) raster::FillRect(target, r.left(), r.top(), r.width(), r.height(), frame);
        }
    };
    const QRect rowFrames = from(clip.left(), downPinned ? edgeY : clip.top());
    const QRect columnFrames = from(acrossPinned ? edgeX : clip.left(), clip.top());
    for (int r = 0; r < g.rows; ++r) {
        if (rowErrors_[std::size_t(r)])
            outline(QRect(QPoint(-px, top + Dev(r * g.s)), QPoint(edgeX, top + Dev((r + 1) * g.s))), rowFrames);
    }
    for (int c = 0; c < g.cols; ++c) {
        if (columnErrors_[std::size_t(c)])
            outline(QRect(QPoint(left + Dev(c * g.s), -py), QPoint(left + Dev((c + 1) * g.s), edgeY)), columnFrames);
    }
}

}  // namespace mosgrid
