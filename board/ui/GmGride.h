#pragma once
#include <QAbstractScrollArea>
#include <QImage>

#include <filesystem>
#include <string>

#include "board/core/BoardModel.h"
#include "board/ui/BoardHost.h"

namespace mosgrid {

// How UpdateCell changes a cell.
enum class CellUpdate { Mark, Reveal, Refresh };

// The board window: holds the model of the puzzle in play, draws it from off-screen images,
// takes the mouse and the keys, runs the game clock and the solved check.
class CGmGride : public QAbstractScrollArea {
    Q_OBJECT
public:
    // programFolder: where the pictures, mg.bd and lastcrw.sav lie. host: the main window side
    // (colour button, time label, full-screen mode); may be null in tests.
    CGmGride(std::filesystem::path programFolder, BoardHost* host, QWidget* parent = nullptr);
    ~CGmGride() override;

    // Replaces the puzzle by the picture's; on a failed read the board holds no puzzle.
    void SetupPuzzle(const std::filesystem::path& picturePath, const std::u16string& name);
    // "Начать сначала": a new game on the same puzzle (marks, clues, flags, clock cleared).
    void ResetBoard();
    // Redraws cells, miniature and crossed-out clues from the model (after a restore).
    void RenderBoardFromState();
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

    BoardModel& Model() { return model_; }
    const BoardModel& Model() const { return model_; }
    const std::filesystem::path& ProgramFolder() const { return folder_; }
    int CellSize() const;
    // The board as the window shows it now (background and the four images), for tests and
    // screenshots.
    QImage ComposedImage();

signals:
    // The game has ended by solving (the solved message has been shown).
    void puzzleSolved();

private:
    struct Impl;
    BoardModel model_;
    std::filesystem::path folder_;
    Impl* impl_ = nullptr;
};

}  // namespace mosgrid
