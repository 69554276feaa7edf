#pragma once
#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>

#include <filesystem>
#include <string>

#include "board/core/BoardModel.h"
#include "board/core/Layout.h"
#include "board/core/Moves.h"
#include "board/ui/BoardHost.h"
#include "catalogue/core/GameFolders.h"

namespace mosgrid {

// How UpdateCell changes a cell.
enum class CellUpdate { Mark, Reveal, Refresh };

// What a stylus event is: a press or a move (tap), or a double tap.
enum class StylusKind { Tap, Double };

// The button and modifier flags of a stylus event, as the board tests them: only the left
// button alone (value 1) acts.
enum StylusFlags { kStylusLeft = 0x1, kStylusRight = 0x2, kStylusShift = 0x4, kStylusControl = 0x8, kStylusMiddle = 0x10 };

class BoardImages;
class Move;

// The board window: holds the model of the puzzle in play, draws it from off-screen images,
// takes the mouse and the keys, runs the game clock and the solved check.
class CGmGride : public QAbstractScrollArea {
    Q_OBJECT
public:
    // folders: where the pictures, mg.bd and lastcrw.sav lie. host: the main window side
    // (colour button, time label, full-screen mode); may be null in tests.
    CGmGride(GameFolders folders, BoardHost* host, QWidget* parent = nullptr);
    ~CGmGride() override;

    // Replaces the puzzle by the picture's; on a failed read the board holds no puzzle.
    void SetupPuzzle(const std::filesystem::path& picturePath, const std::u16string& name);
    // "Начать сначала": a new game on the same puzzle (marks, clues, flags, clock cleared).
    void ResetBoard();
    // Redraws cells, miniature and crossed-out clues from the model (after a restore).
    void RenderBoardFromState();
    // Takes over the play of `saved` (a model set up from the same picture), redraws the board and
    // starts the clock again from its time. False when it does not fit the puzzle on the board.
    bool RestorePlay(const BoardModel& saved);
    // Takes back the last step of play (a press to its release, a whole drag included), or makes
    // the last step taken back again; cells and crossed clues only, never the clock. Nothing
    // happens while the game is over.
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // Forgets every step: a new puzzle, a restart, opening the field and the check start afresh.
    void ClearHistory();
    // Takes the history out (leaving it empty) and puts one back: a check keeps the player's
    // steps aside while it runs and gives them back when it is cancelled.
    MoveHistory TakeHistory();
    void PutHistory(MoveHistory history);
    // Fits the cell size to the window (never below 10 pixels), or changes it by `steps` pixels.
    void FitToWindow();
    void Zoom(int steps);
    // The reveal penalty in minutes: the cell size chosen when the puzzle was set up.
    int PenaltyMinutes() const;
    bool ClockRunning() const;
    // Changes one cell as one step of play, then shows what a solve has to say.
    void UpdateCell(int column, int row, CellUpdate mode);
    // Makes `colour` the current colour (ignored when white or unchanged) and shows it.
    void SetCurrentColour(COLORREF colour);
    // After a set-up: the picture's first non-white colour becomes current; the swatch is
    // refreshed even when the colour does not change.
    void ApplyFirstPuzzleColour();
    // "Подсказки": switches hints mode and redraws the hint marks.
    void SetHints(bool on);
    // "Открыть поле": shows the picture on the grid; the game is over.
    void OpenField();
    // The row and column reveal questions (hold on a clue while hints are on).
    void AskRevealRow(int row);
    void AskRevealColumn(int column);
    void EnterFullScreen();
    void LeaveFullScreen();
    bool IsFullScreen() const;
    void StartTimer();
    void StopTimer();
    // Puts the model's time into the time label.
    void ShowTime();
    // A stylus event at viewport point (x, y): marks cells, picks the colour from a clue,
    // crosses clues out, counts the hold on a clue line. Mouse events arrive here.
    void ProcessStylus(int flags, int x, int y, StylusKind kind);

    // Draws the model's cell (c, r) into the cells image and the miniature without the line
    // check (the solver writes cells through the model and paints them with this).
    void PaintCell(int column, int row);
    // Composes the board and puts it on the screen before returning.
    void RepaintNow();
    // Draws the board's images anew at the present cell size and the window's device pixel
    // ratio, from the model (after a change of either). Paints rebuild them by themselves when
    // the window has moved to a screen of another ratio.
    void RebuildImages();
    // The device pixel ratio the window is shown at.
    double PixelRatio() const;
    // Puts stored solution variant `index` on the board (every cell drawn, no line check),
    // makes it the current variant and repaints. An index outside the store does nothing.
    void ShowVariant(int index);

    BoardModel& Model() { return model_; }
    const BoardModel& Model() const { return model_; }
    const GameFolders& Folders() const { return folders_; }
    int CellSize() const;
    // The view offsets: the board point shown at the viewport's left and top edge (negative while
    // the board is centred).
    int HorizontalOffset() const;
    int VerticalOffset() const;
    const BoardImages& Images() const;
    // The board as the window shows it now (background and the four images), in device pixels
    // with the window's device pixel ratio, for tests and screenshots.
    QImage ComposedImage();

protected:
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

private:
    struct Impl;
    BoardGeometry Geometry() const;
    // Enters the cells that a drag from `from` to `to` passed over between two mouse moves.
    void FillDragGap(int flags, QPoint from, QPoint to);
    void ClueEvent(bool column, int line, int slot, StylusKind kind, COLORREF& apply);
    // A right-button event at (x, y): crosses or clears the cell as the drag's first cell set.
    void RightStylus(int x, int y);
    void ApplyUpdate(int column, int row, CellUpdate mode);
    // Closes the current step of play and keeps it for undo.
    void EndStep();
    // Shows the messages a completed step left (the solved announcement).
    void ShowPendingMessages();
    void RedrawMove(Move move);
    int FittingCellSize() const;
    void SetCellSize(int s);
    // Lays the view out in the board's area: scroll bars only where the board overflows.
    void Relayout(bool atSetup);
    // Brings the scroll bars' visibility up to date with their ranges at once.
    void SettleScrollBars();
    void SetScrollRanges(int hMax, int vMax);
    void OnScrollAction(bool horizontal, int action);
    void ScrollByKey(bool horizontal, int direction);
    void CheckLines(int column, int row, CellUpdate mode);
    void Solved();
    void RevealLine(bool column, int index);
    BoardModel model_;
    GameFolders folders_;
    Impl* impl_ = nullptr;
};

}  // namespace mosgrid
