#pragma once
#include <QFont>
#include <QImage>
#include <QRect>

#include "board/core/BoardModel.h"
#include "board/core/Layout.h"

class QPainter;

namespace mosgrid {

// The clue font: "Arial" (Liberation Sans where Arial is missing; the two share their metrics),
// sized so that its text cell, ascent plus descent, is `cellSize` pixels high.
QFont ClueFont(int cellSize);

// The four off-screen images of the board and everything drawn into them. White is
// transparent when they are composed over the background.
//   cells        cols*s + 1 by rows*s + 1: grid lines, the cells' marks, the hint marks
//   columnClues  cols*s + 1 by K*s: the clues above the grid, slot 0 in the bottom image row
//   rowClues     R*s by rows*s + 1: the clues left of the grid, slot 0 in the right-most column
//   miniature    cols by rows: one pixel per cell, painted cells in their colour
class BoardImages {
public:
    // Makes the four images, white, for the model's puzzle at cell size s.
    void Create(const BoardModel& model, int s);
    void Release();
    bool Exists() const { return geometry_.cols > 0; }
    const BoardGeometry& Geometry() const { return geometry_; }

    // A new game: every image cleared, the grid lines and every clue drawn afresh.
    void DrawNewGame(const BoardModel& model);
    // Cell (c, r) as the model has it: its rectangle in the cells image and its miniature pixel.
    void DrawCell(const BoardModel& model, int c, int r);
    // A clue whose done flag has just changed: crossed out by one stroke, or drawn afresh.
    void DrawToggledColumnClue(const BoardModel& model, int column, int slot);
    void DrawToggledRowClue(const BoardModel& model, int row, int slot);
    // The hint marks on the grid's left border beside row r and its top border above column c.
    void DrawHintMarks(int c, int r, COLORREF rowColour, COLORREF columnColour);
    // Every cell and every crossed-out clue from the model (after a game is restored).
    void RenderFromState(const BoardModel& model);

    // The rectangle of cell (c, r) inside the cells image that a mark changes.
    QRect CellInterior(int c, int r) const;
    // Composes the board into `target` within `clip`: the background tiled from the target's
    // corner, then the miniature, the cells, the column clues and the row clues, white
    // transparent. (hx, vy) is the board point at the target's top-left corner.
    void Compose(QImage& target, const QRect& clip, const QImage& background, int hx, int vy) const;
    // Where the miniature goes on the board (board coordinates) and how large it is drawn.
    QRect MiniaturePlacement() const;

    const QImage& Cells() const { return cells_; }
    const QImage& ColumnClues() const { return columnClues_; }
    const QImage& RowClues() const { return rowClues_; }
    const QImage& Miniature() const { return miniature_; }

private:
    void DrawClue(QPainter& painter, QImage& image, int c, int r, COLORREF colour, int length);
    void DrawGridLine(QImage& image, bool horizontal, int j, int n, int from, int to);

    BoardGeometry geometry_{0, 0, 0, 0, kMinCellSize};
    QFont font_;
    QImage cells_;
    QImage columnClues_;
    QImage rowClues_;
    QImage miniature_;
};

}  // namespace mosgrid
