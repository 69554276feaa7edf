// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include <filesystem>
#include <map>
#include <string>

#include "app/CommandIds.h"
#include "app/MenuState.h"
#include "board/ui/BoardHost.h"
#include "catalogue/core/GameFolders.h"

class QAction;
class QMenu;
class QMenuBar;

namespace mosgrid {

class CGmGride;
class CheckRun;
class CStringTime;
class ColourSwatch;

// The main window: the menu bar with the colour button and the elapsed-time label to the right
// of the menus, the board filling the rest. It runs every menu command and keeps the menu state.
class CMainFrame : public QMainWindow, public BoardHost {
    Q_OBJECT
public:
    // folders: where the puzzles, the catalogue file and the last game lie.
    explicit CMainFrame(GameFolders folders, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CGmGride& Board() { return *board_; }
    // The play assists' menu items (crossing finished lines, the straight drag, proved clues
    // crossed, errors shown).
    QAction* AssistCross() const { return assistCross_; }
    QAction* AssistStraight() const { return assistStraight_; }
    QAction* AssistProved() const { return assistProved_; }
    QAction* AssistErrors() const { return assistErrors_; }
    const GameFolders& Folders() const { return folders_; }
    QAction* Action(CommandId id) const;
    QMenuBar* Menus() const { return menuBar_; }
    QWidget* MenuRow() const { return menuRow_; }
    CStringTime* TimeLabel() const { return timeLabel_; }
    ColourSwatch* Swatch() const { return swatch_; }

    // The menu state the board's state asks for, and putting it on the menu items.
    MenuState CurrentMenuState() const;
    void UpdateMenuState();

    // A second start of the program asked for this window.
    void BringToFront();

    // The check running now, or null. While it runs the menus are greyed.
    CheckRun* RunningCheck() const;
    // Cancels a running check: the game goes back to what it was before the check.
    void CancelCheck();

    // BoardHost
    void ShowCurrentColour(COLORREF colour) override;
    void ShowElapsedTime(int hours, int minutes, int seconds) override;
    void EnterFullScreen() override;
    void LeaveFullScreen() override;

    // The commands of the menu, each ending with the menu state it leaves.
    void OnRandomPuzzle();
    void OnRestart();
    void OnChoosePuzzle();
    void OnAddPuzzle();
    void OnNewDrawing();
    void OnExit();
    void OnOpenField();
    void OnHints();
    void OnCheckPuzzle();
    void OnNextVariant();
    void OnPrevVariant();
    void OnRules();
    void OnAbout();
    void OnUndo();
    void OnRedo();
    // Sets up a puzzle the chooser returned, once the player agrees to leave the game in play.
    void StartChosenPuzzle(const std::filesystem::path& picturePath, const std::u16string& name);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildMenus();
    QAction* AddCommand(QMenu* menu, const QString& text, CommandId id, void (CMainFrame::*handler)());
    void SaveGameOnce();
    void SaveGameForSession();
    // True when nothing would be lost, or the player agrees to end the game in play.
    bool MayLeaveGame();
    // Greys or enables "Отменить" and "Повторить" from the board's history.
    void UpdateHistoryItems();
    // The window title: the puzzle in play and the program.
    void UpdateTitle();
    // The play assists' items from the player's settings, and the items' state to the settings
    // and the board.
    void LoadAssists();
    void ApplyAssists();
    // While variants are browsed the time label says which one is on the board.
    void ShowVariantNumber();

    GameFolders folders_;
    QWidget* menuRow_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    ColourSwatch* swatch_ = nullptr;
    CStringTime* timeLabel_ = nullptr;
    CGmGride* board_ = nullptr;
    QAction* assistCross_ = nullptr;     // «Зачёркивать законченные линии»
    QAction* assistStraight_ = nullptr;  // «Протяжка по прямой»
    QAction* assistProved_ = nullptr;    // «Отмечать выполненные числа»
    QAction* assistErrors_ = nullptr;    // «Показывать ошибки»
    std::map<int, QAction*> actions_;
    QRect savedGeometry_;
    Qt::WindowStates savedState_;
    bool gameSaved_ = false;
    QPointer<CheckRun> check_;
};

}  // namespace mosgrid
