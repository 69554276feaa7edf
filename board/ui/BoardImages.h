// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QImage>
#include <QRect>

#include <map>
#include <vector>

#include "board/core/BoardModel.h"
#include "board/core/Layout.h"

class QPainter;

namespace mosgrid {

// The clue font: "Arial" (Liberation Sans where Arial is missing; the two share their metrics),
// sized so that its text cell, ascent plus descent, is `cellSize` pixels high.
QFont ClueFont(int cellSize);

// The four off-screen images of the board and everything drawn into them. White is
// transparent when they are composed over the background.
//
// The geometry (the cell size s, the clue slots, every hit area) is in logical pixels; the
// images are drawn in device pixels at a device pixel ratio, so that a high-density screen
// shows them one image pixel to one screen pixel. Board point x (logical) lies at device pixel
// Dev(x); grid line j of a line of n lies at Dev(j*s) and is one device pixel wide (three for
// the thick ones); cells and clue fills take the device pixels between the lines. At ratio 1
// device and logical pixels are the same.
//   cells        Dev(cols*s) + 1 by Dev(rows*s) + 1: grid lines and the cells' marks
//   columnClues  Dev(cols*s) + 1 by Dev(K*s): the clues above the grid, slot 0 in the bottom row
//   rowClues     Dev(R*s) by Dev(rows*s) + 1: the clues left of the grid, slot 0 right-most
//   miniature    cols by rows: one pixel per cell, painted cells in their colour
class BoardImages {
public:
    // Makes the four images, white, for the model's puzzle at cell size s and device pixel ratio
    // `ratio`; no line carries a hint mark.
    void Create(const BoardModel& model, int s, double ratio = 1.0);
    // Makes the images anew at cell size s and ratio `ratio` and draws everything the model
    // holds: grid, clues (crossed ones crossed), cells, miniature, and the hint marks of the lines
    // whose solved flag is set while hints are on. A zoom or a move to a screen of another pixel
    // ratio calls this.
    void Rebuild(const BoardModel& model, int s, double ratio);
    void Release();
    bool Exists() const { return geometry_.cols > 0; }
    const BoardGeometry& Geometry() const { return geometry_; }
    double Ratio() const { return ratio_; }
    // Device pixel of logical board coordinate x.
    int Dev(int x) const;

    // A new game: every image cleared, the grid lines and every clue drawn afresh.
    void DrawNewGame(const BoardModel& model);
    // Cell (c, r) as the model has it: its rectangle in the cells image and its miniature pixel.
    void DrawCell(const BoardModel& model, int c, int r);
    // A clue whose done flag has just changed: crossed out (shaded and struck), or drawn afresh.
    void DrawToggledColumnClue(const BoardModel& model, int column, int slot);
    void DrawToggledRowClue(const BoardModel& model, int row, int slot);
    // The hint marks of row r and column c: a complete line gets a band over the grid's border
    // beside it (left of a row, above a column), an incomplete one none.
    void SetHintMarks(int c, int r, bool rowComplete, bool columnComplete);
    bool RowMarked(int r) const { return r >= 0 && r < int(rowMarks_.size()) && rowMarks_[std::size_t(r)]; }
    bool ColumnMarked(int c) const { return c >= 0 && c < int(columnMarks_.size()) && columnMarks_[std::size_t(c)]; }
    // The band's colour: one that stands apart from every clue colour of the puzzle.
    COLORREF HintColour() const { return hintColour_; }
    // What the play assists show of column `line` (column true) or row `line`: the clues of the
    // slots set in `proved` are drawn crossed as if the player had crossed them, and a line in
    // error gets a frame around its clues in the error colour. Only clues whose drawing changes
    // are drawn again.
    void SetVerdict(const BoardModel& model, bool column, int line, std::uint64_t proved, bool error);
    bool LineInError(bool column, int line) const;
    // The error frame's colour: apart from every clue colour and from the hint colour.
    COLORREF ErrorColour() const { return errorColour_; }
    // Every cell and every crossed-out clue from the model (after a game is restored).
    void RenderFromState(const BoardModel& model);

    // The rectangle of cell (c, r) inside the cells image that a mark changes (device pixels).
    QRect CellInterior(int c, int r) const;
    // The rectangle of the clue cell at image column c, row r of a clue image (device pixels)
    // that its colour fills.
    QRect ClueFill(int c, int r) const;
    // Composes the board into `target` (device pixels) within `clip`: the background from the
    // target's corner, then the miniature, the cells, the column clues, the row clues and the
    // hint marks, white transparent. `panes` (logical pixels) places the board's parts in the
    // target: the cells at the view offsets, the clue areas and the corner pinned at the edges
    // while scrolled past, the cells under them hidden; `background` is at least as large as
    // the target.
    void Compose(QImage& target, const QRect& clip, const QImage& background, const Panes& panes) const;
    // Where the miniature goes in the corner (device pixels from the board's corner) and how
    // large it is drawn: enlarged by the largest whole factor that fits, centred; shrunk only
    // when the corner is smaller than one pixel a cell.
    QRect MiniaturePlacement() const;

    const QImage& Cells() const { return cells_; }
    const QImage& ColumnClues() const { return columnClues_; }
    const QImage& RowClues() const { return rowClues_; }
    const QImage& Miniature() const { return miniature_; }
    // The fonts of one-digit and of longer clues (the latter smaller when needed to fit). A
    // number whose font would be under 8 device pixels is drawn in crisp pixel digits instead.
    const QFont& ClueFontFor(int length) const { return length >= 10 ? wideFont_ : font_; }

    // Where a number's ink lies when written from x = 0: its first column and its width.
    struct Ink {
        int left = 0;
        int width = 0;
    };

private:
    void DrawClue(QPainter& painter, QImage& image, int c, int r, COLORREF colour, int length, bool crossed);
    void DrawGridLine(QImage& image, bool horizontal, int j, int n, int from, int to);
    void DrawColumnClue(const BoardModel& model, int column, int slot, bool restored);
    void DrawRowClue(const BoardModel& model, int row, int slot, bool restored);
    // Pixels of the pens and gaps that scale with the ratio: 1 at ratio 1 and 1.5, 2 at 2.
    int Unit() const;

    BoardGeometry geometry_{0, 0, 0, 0, kMinCellSize};
    double ratio_ = 1.0;
    QFont font_;
    QFont wideFont_;
    std::map<int, Ink> inks_;  // of every clue length the puzzle can show, in its font
    COLORREF hintColour_ = 0x00B000;
    COLORREF errorColour_ = kRed;
    // The assists' verdicts per column and row: slots drawn crossed, and lines in error.
    std::vector<std::uint64_t> columnProved_;
    std::vector<std::uint64_t> rowProved_;
    std::vector<bool> columnErrors_;
    std::vector<bool> rowErrors_;
    std::vector<bool> rowMarks_;
    std::vector<bool> columnMarks_;
    QImage cells_;
    QImage columnClues_;
    QImage rowClues_;
    QImage miniature_;
};

}  // namespace mosgrid
