#include "board/ui/BoardImages.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>

#include "board/ui/Raster.h"

namespace mosgrid {
namespace {

using raster::ToRgb;

constexpr QRgb kThinPen = ToRgb(0x808080);
constexpr QRgb kSidePen = ToRgb(0xA4A4A4);
constexpr QRgb kBorderPen = ToRgb(kBlack);
constexpr QRgb kWhitePen = ToRgb(kWhite);
constexpr QRgb kRedPen = ToRgb(kRed);

int Brightness(COLORREF c) { return (int(RedOf(c)) + int(GreenOf(c)) + int(BlueOf(c))) / 3; }

// The stroke of a crossed-out clue: white on a red clue, red on every other.
QRgb StrikeColour(COLORREF clueColour) { return clueColour == kRed ? kWhitePen : kRedPen; }

bool IsThick(int j, int n) { return j == 0 || j == n || j % 5 == 0; }

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

void BoardImages::Create(const BoardModel& model, int s) {
    geometry_ = BoardGeometry{model.cols(), model.rows(), model.K, model.R, s};
    const int cols = model.cols();
    const int rows = model.rows();
    miniature_ = raster::NewImage(cols, rows);
    cells_ = raster::NewImage(s * cols + 1, s * rows + 1);
    columnClues_ = raster::NewImage(s * cols + 1, s * model.K);
    rowClues_ = raster::NewImage(s * model.R, s * rows + 1);
    font_ = ClueFont(s);
}

void BoardImages::Release() {
    geometry_ = BoardGeometry{0, 0, 0, 0, geometry_.s};
    cells_ = QImage();
    columnClues_ = QImage();
    rowClues_ = QImage();
    miniature_ = QImage();
}

// Line j of n: every fifth line and both outer ones are three pixels wide, light grey sides
// around a black centre; the others one grey pixel.
void BoardImages::DrawGridLine(QImage& image, bool horizontal, int j, int n, int from, int to) {
    const int at = j * geometry_.s;
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

void BoardImages::DrawClue(QPainter& painter, QImage& image, int c, int r, COLORREF colour, int length) {
    const int s = geometry_.s;
    // A black clue stands black on white; any other fills its cell and is written in black or
    // white, whichever stands out from the colour.
    COLORREF text = kBlack;
    if (colour != kBlack) {
        raster::FillRect(image, c * s + 1, r * s + 1, s - 1, s - 1, ToRgb(colour));
        text = Brightness(colour) > 128 ? kBlack : kWhite;
    } else {
        raster::FillRect(image, c * s + 1, r * s + 1, s - 1, s - 1, ToRgb(kWhite));
    }
    const QRect box(c * s, r * s + 1, s, s - 1);
    painter.setClipRect(box);
    painter.setPen(QColor::fromRgb(ToRgb(text)));
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, QString::number(length));
}

void BoardImages::DrawNewGame(const BoardModel& model) {
    if (!Exists()) return;
    const int s = geometry_.s;
    const int cols = geometry_.cols;
    const int rows = geometry_.rows;
    const int K = geometry_.K;
    const int R = geometry_.R;

    miniature_.fill(raster::kWhiteRgb);

    cells_.fill(raster::kWhiteRgb);
    for (int j = 0; j <= rows; ++j) DrawGridLine(cells_, true, j, rows, 0, cols * s);
    for (int j = 0; j <= cols; ++j) DrawGridLine(cells_, false, j, cols, 0, rows * s);
    // The thick lines once more, so that they lie over the thin ones where they cross.
    for (int j = 0; j <= rows; ++j) {
        if (IsThick(j, rows)) DrawGridLine(cells_, true, j, rows, 0, cols * s);
    }
    for (int j = 0; j <= cols; ++j) {
        if (IsThick(j, cols)) DrawGridLine(cells_, false, j, cols, 0, rows * s);
    }

    if (!columnClues_.isNull()) {
        columnClues_.fill(raster::kWhiteRgb);
        {
            QPainter painter(&columnClues_);
            painter.setFont(font_);
            for (int c = 0; c < cols; ++c) {
                for (int r = 0; r < K; ++r) {
                    const ClueEntry& e = model.ColumnClue(c, K - 1 - r);
                    if (e.length != 0) DrawClue(painter, columnClues_, c, r, model.ClueColour(e), e.length);
                }
            }
        }
        for (int k = 0; k <= K; ++k) {
            raster::DrawLine(columnClues_, 0, k * s, cols * s, k * s, (k == 0 || k == K) ? kBorderPen : kThinPen);
        }
        for (int j = 0; j <= cols; ++j) DrawGridLine(columnClues_, false, j, cols, 0, K * s);
    }

    if (!rowClues_.isNull()) {
        rowClues_.fill(raster::kWhiteRgb);
        {
            QPainter painter(&rowClues_);
            painter.setFont(font_);
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < R; ++c) {
                    const ClueEntry& e = model.RowClue(r, R - 1 - c);
                    if (e.length != 0) DrawClue(painter, rowClues_, c, r, model.ClueColour(e), e.length);
                }
            }
        }
        for (int i = 0; i <= R; ++i) {
            raster::DrawLine(rowClues_, i * s, 0, i * s, rows * s, (i == 0 || i == R) ? kBorderPen : kThinPen);
        }
        for (int k = 0; k <= rows; ++k) DrawGridLine(rowClues_, true, k, rows, 0, R * s);
    }
}

QRect BoardImages::CellInterior(int c, int r) const {
    const int s = geometry_.s;
    return QRect(c * s + 2, r * s + 2, s - 3, s - 3);
}

void BoardImages::DrawCell(const BoardModel& model, int c, int r) {
    if (!Exists()) return;
    const int s = geometry_.s;
    const CellRecord& cell = model.Cell(c, r);
    const QRect box = CellInterior(c, r);
    const bool painted = cell.state == 0 && cell.colour != kWhite;
    raster::FillRect(cells_, box.left(), box.top(), box.width(), box.height(), ToRgb(painted ? cell.colour : kWhite));
    if (cell.state == 0 && cell.colour == kWhite) {
        raster::DrawLine(cells_, c * s + 2, r * s + 2, (c + 1) * s - 1, (r + 1) * s - 1, kBorderPen);
        raster::DrawLine(cells_, (c + 1) * s - 2, r * s + 2, c * s + 1, (r + 1) * s - 1, kBorderPen);
    }
    raster::SetPixel(miniature_, c, r, ToRgb(painted ? cell.colour : kWhite));
}

void BoardImages::DrawToggledColumnClue(const BoardModel& model, int column, int slot) {
    if (columnClues_.isNull()) return;
    const ClueEntry& e = model.ColumnClue(column, slot);
    if (e.length == 0) return;
    const int s = geometry_.s;
    const int c = column;
    const int r = geometry_.K - 1 - slot;
    const COLORREF colour = model.ClueColour(e);
    if (e.done == 1) {
        raster::DrawLine2(columnClues_, (c + 1) * s - 1, r * s + 1, c * s + 1, (r + 1) * s - 1, StrikeColour(colour));
    } else {
        QPainter painter(&columnClues_);
        painter.setFont(font_);
        DrawClue(painter, columnClues_, c, r, colour, e.length);
    }
}

void BoardImages::DrawToggledRowClue(const BoardModel& model, int row, int slot) {
    if (rowClues_.isNull()) return;
    const ClueEntry& e = model.RowClue(row, slot);
    if (e.length == 0) return;
    const int s = geometry_.s;
    const int c = geometry_.R - 1 - slot;
    const int r = row;
    const COLORREF colour = model.ClueColour(e);
    if (e.done == 1) {
        raster::DrawLine2(rowClues_, (c + 1) * s - 1, r * s + 1, c * s + 1, (r + 1) * s - 1, StrikeColour(colour));
    } else {
        QPainter painter(&rowClues_);
        painter.setFont(font_);
        DrawClue(painter, rowClues_, c, r, colour, e.length);
    }
}

void BoardImages::DrawHintMarks(int c, int r, COLORREF rowColour, COLORREF columnColour) {
    if (!Exists()) return;
    const int s = geometry_.s;
    raster::DrawLine(cells_, 0, r * s + 1, 0, (r + 1) * s, ToRgb(rowColour));
    raster::DrawLine(cells_, c * s + 1, 0, (c + 1) * s, 0, ToRgb(columnColour));
}

void BoardImages::RenderFromState(const BoardModel& model) {
    if (!Exists()) return;
    const int s = geometry_.s;
    for (int r = 0; r < geometry_.rows; ++r) {
        for (int c = 0; c < geometry_.cols; ++c) DrawCell(model, c, r);
    }
    // A restored game strikes its clues a little inside the cell.
    for (int c = 0; c < geometry_.cols; ++c) {
        for (int i = 0; i < geometry_.K; ++i) {
            const ClueEntry& e = model.ColumnClue(c, geometry_.K - 1 - i);
            if (e.length == 0 || e.done != 1) continue;
            raster::DrawLine2(columnClues_, (c + 1) * s - 2, i * s + 2, c * s + 2, (i + 1) * s - 2,
                              StrikeColour(model.ClueColour(e)));
        }
    }
    for (int r = 0; r < geometry_.rows; ++r) {
        for (int i = 0; i < geometry_.R; ++i) {
            const ClueEntry& e = model.RowClue(r, geometry_.R - 1 - i);
            if (e.length == 0 || e.done != 1) continue;
            raster::DrawLine2(rowClues_, i * s + 1, (r + 1) * s - 1, (i + 1) * s - 1, r * s + 1,
                              StrikeColour(model.ClueColour(e)));
        }
    }
}

QRect BoardImages::MiniaturePlacement() const {
    const BoardGeometry& g = geometry_;
    const double cornerWidth = double(g.R) * g.s;
    const double cornerHeight = double(g.K) * g.s;
    // Never enlarged: one pixel a cell unless the corner is too small for that.
    const double fy = g.rows > g.K * g.s ? cornerHeight / g.rows : 1.0;
    const double fx = g.cols > g.R * g.s ? cornerWidth / g.cols : 1.0;
    const double f = std::min(fx, fy);
    const int dw = int(g.cols * f);
    const int dh = int(g.rows * f);
    const int left = int(cornerWidth - g.cols * f) / 2;
    const int top = std::max(0, int(cornerHeight - g.rows * f) / 2);
    return QRect(left, top, dw, dh);
}

void BoardImages::Compose(QImage& target, const QRect& clip, const QImage& background, int hx, int vy) const {
    raster::Tile(target, background, clip);
    if (!Exists()) return;
    const BoardGeometry& g = geometry_;
    const QRect mini = MiniaturePlacement();
    raster::CopyNonWhiteScaled(target, miniature_, mini.left() - hx, mini.top() - vy, mini.width(), mini.height(), clip);
    raster::CopyNonWhite(target, cells_, g.R * g.s - hx, g.K * g.s - vy, clip);
    raster::CopyNonWhite(target, columnClues_, g.R * g.s - hx, -vy, clip);
    raster::CopyNonWhite(target, rowClues_, -hx, g.K * g.s - vy, clip);
}

}  // namespace mosgrid
