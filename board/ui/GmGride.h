// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>

#include <filesystem>
#include <optional>
#include <string>

#include "board/core/BoardModel.h"
#include "board/core/Game.h"
#include "board/core/Layout.h"
#include "board/core/Moves.h"
#include "board/ui/BoardHost.h"
#include "catalogue/core/GameFolders.h"

namespace mosgrid {

class BoardImages;

// The board window: shows the game in play (a Game, which holds every play rule) from
// off-screen images, lays it out and scrolls it, and turns the mouse and the keys into game
// operations and what they changed into drawing, questions and messages. It supplies the
// clock's ticks and records a solve in the catalogue.
class CGmGride : public QAbstractScrollArea {
    Q_OBJECT
public:
    // folders: where the pictures, mg.bd and lastcrw.sav lie. host: the main window side
    // (colour button, time label, full-screen mode); may be null in tests.
    CGmGride(GameFolders folders, BoardHost* host, QWidget* parent = nullptr);
    ~CGmGride() override;

    // Replaces the puzzle by the picture's and starts a game on it; on a failed read the board
    // holds no puzzle.
    void SetupPuzzle(const std::filesystem::path& picturePath, const std::u16string& name);
    // "Начать сначала": a new game on the same puzzle (marks, clues, flags, clock cleared).
    void ResetBoard();
    // Takes over `saved` (a model of the same puzzle, see Game::Restore), draws it and starts the
    // clock again from its time. False when it does not fit the puzzle on the board.
    bool RestorePlay(const BoardModel& saved);
    // Takes back the last step of play (a press to its release, a whole drag included), or makes
    // the last step taken back again; cells and crossed clues only, never the clock. Nothing
    // happens while the game is over.
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // Fits the cell size to the window (never below 10 pixels), or changes it by `steps` pixels.
    void FitToWindow();
    void Zoom(int steps);
    // The reveal penalty in minutes: the cell size chosen when the puzzle was set up.
    int PenaltyMinutes() const;
    bool ClockRunning() const;
    // The marking cycle on one cell as one step of play, then what a solve has to say.
    void MarkCell(int column, int row);
    // Makes `colour` the current colour (ignored when white or unchanged) and shows it.
    void SetCurrentColour(COLORREF colour);
    // After a set-up: the picture's first non-white colour becomes current; the swatch is
    // refreshed even when the colour does not change.
    void ApplyFirstPuzzleColour();
    // "Подсказки": switches hints mode and redraws the hint marks.
    void SetHints(bool on);
    // The play assists in use (Game::SetAssists); the clues show their lines' verdicts at once.
    void SetAssists(const PlayAssists& assists);
    const PlayAssists& Assists() const { return game_.Assists(); }
    // "Открыть поле": shows the picture on the grid; the game is over.
    void OpenField();
    void EnterFullScreen();
    void LeaveFullScreen();
    bool IsFullScreen() const;
    // The clock's ticks, one a second while the game's clock runs: StartTimer gives a full second
    // to the next one and shows the time; StopTimer holds them back (screenshots and tests keep
    // the clock still this way) without stopping the game's clock.
    void StartTimer();
    void StopTimer();
    // Puts the game's time into the time label.
    void ShowTime();
    // Puts stored solution variant `index` on the board and repaints. An index outside the store
    // does nothing.
    void ShowVariant(int index);

    // ---- The check ----
    // The puzzle as the check searches it: a new game on the board's puzzle.
    BoardModel CheckPuzzle() const { return game_.CheckPuzzle(); }
    // Shows the search's cells over a new game on the puzzle, as a layer the game never sees;
    // while it shows, the board takes no play and the clock gets no ticks. The first call puts
    // the layer up.
    void ShowSearchCells(const BoardModel::Cells& cells);
    // Takes the layer down: the game shows again as it is, its clock ticking if it runs.
    void EndSearchView();
    bool SearchShown() const;
    // The check's end: the layer goes and the game takes the result (Game::TakeCheckResult).
    void TakeCheckResult(BoardModel::Cells lastCells, std::vector<BoardModel::Cells> solutions, const ClockTime& duration);

    // Composes the board and puts it on the screen before returning.
    void RepaintNow();
    // Draws the board's images anew at the present cell size and the window's device pixel
    // ratio, from what the board shows (after a change of either). Paints rebuild them by
    // themselves when the window has moved to a screen of another ratio.
    void RebuildImages();
    // The device pixel ratio the window is shown at.
    double PixelRatio() const;

    // The game in play, read-only; what the board shows (the game, or the search's layer).
    const BoardModel& Model() const;
    const BoardModel& Shown() const;
    const GameFolders& Folders() const { return folders_; }
    int CellSize() const;
    // The view offsets: the board point shown at the viewport's left and top edge (negative while
    // the board is centred).
    int HorizontalOffset() const;
    int VerticalOffset() const;
    // Where the board's parts lie in the viewport now: the cells at the view offsets, the clue
    // areas pinned at its edges while the board is scrolled past them.
    Panes ViewPanes() const;
    const BoardImages& Images() const;
    // Where the keyboard's cursor is, none while it is hidden: a cell's column and row, or in the
    // clue areas -1 - slot for the column (row clues) or the row (column clues), slot 0 nearest
    // the grid.
    std::optional<QPoint> CursorPosition() const;
    // The board as the window shows it now (background and the four images), in device pixels
    // with the window's device pixel ratio, for tests and screenshots.
    QImage ComposedImage();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

signals:
    // The game has ended by solving (the solved message has been shown).
    void puzzleSolved();
    // Steps were added to or taken from the undo history.
    void historyChanged();
    // Another puzzle or another game is on the board (or none is).
    void puzzleChanged();

private:
    struct Impl;
    BoardGeometry Geometry() const;
    // A stylus event at viewport point (x, y), hit-tested and handed to the game.
    void ProcessStylus(int flags, int x, int y, StylusKind kind);
    // Enters the cells that a drag from `from` to `to` passed over between two mouse moves.
    void FillDragGap(int flags, QPoint from, QPoint to);
    // Draws what a game operation changed, keeps the clock's ticks in step with the game, records
    // and announces a solve, and asks the reveal question; `atOnce` puts changed cells on the
    // screen one by one (as a stroke goes), otherwise the whole board is repainted.
    void Apply(const GameChange& change, bool atOnce = false);
    void DrawWholeBoard();
    // The assists' verdicts of every line, or of one, into the images (not over the check's layer).
    void ShowVerdicts();
    void ShowVerdict(const LineRef& line);
    void SolvedBy(const ClockTime& elapsed);
    int FittingCellSize() const;
    void SetCellSize(int s);
    // Lays the view out in the board's area: scroll bars only where the board overflows.
    void Relayout(bool atSetup);
    // Brings the scroll bars' visibility up to date with their ranges at once.
    void SettleScrollBars();
    void SetScrollRanges(int hMax, int vMax);
    void OnScrollAction(bool horizontal, int action);
    void ScrollByKey(bool horizontal, int direction);
    // The keyboard's cell cursor (GmGrideKeys.cpp). CursorKey plays a key on it and says whether
    // the key was one of its own; a key it leaves keeps its plain meaning.
    bool CursorKey(const QKeyEvent* event);
    void ShowCursor();
    void HideCursor();
    void MoveCursor(int dx, int dy, bool drag);
    // The cursor's box in viewport pixels: the cell or clue with the grid lines around it.
    QRect CursorRect(QPoint at) const;
    void ScrollToCursor();
    // Outlines the cursor's box on `image`, which holds the viewport in device pixels.
    void DrawCursor(QImage& image, double ratio) const;
    Game game_;
    GameFolders folders_;
    Impl* impl_ = nullptr;
};

}  // namespace mosgrid
