// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QSessionManager>

#include <algorithm>
#include <functional>
#include <optional>

#include "app/AboutBox.h"
#include "app/ColourSwatch.h"
#include "common/Prompts.h"
#include "app/ProgramIcon.h"
#include "app/StringTime.h"
#include "common/ClockTime.h"
#include "app/UrlOpener.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/core/Text.h"
#include "catalogue/ui/ListFiles.h"
#include "import/ui/AddPuzzle.h"
#include "savegame/ui/BoardLastGame.h"
#include "solver/ui/CheckCommand.h"
#include "solver/ui/CheckRun.h"

namespace mosgrid {
namespace {

constexpr const char* kLeaveGameQuestion = "Прервать текущую игру?";

constexpr const char* kOpenFieldQuestion = "Вы действительно хотите открыть поле ?\n(Игра будет проиграна)  ";

QScreen* ScreenOf(const QWidget* widget) {
    QScreen* screen = widget->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

CMainFrame::CMainFrame(GameFolders folders, QWidget* parent)
    : QMainWindow(parent), folders_(std::move(folders)) {
    setWindowTitle(QStringLiteral("Mosgrid"));
    setWindowIcon(ProgramIcon());

    QScreen* screen = ScreenOf(this);
    const int screenWidth = screen ? screen->geometry().width() : 480;

    // The menu bar's row: the two menus, then the colour button, then the time label taking
    // the rest of the row.
    menuRow_ = new QWidget(this);
    auto* row = new QHBoxLayout(menuRow_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    menuBar_ = new QMenuBar(menuRow_);
    menuBar_->setNativeMenuBar(false);
    menuBar_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    swatch_ = new ColourSwatch(ColourSwatch::SideForScreenWidth(screenWidth), menuRow_);
    timeLabel_ = new CStringTime(menuRow_);
    row->addWidget(menuBar_, 0, Qt::AlignVCenter);
    row->addWidget(swatch_);
    row->addWidget(timeLabel_, 1);
    setMenuWidget(menuRow_);
    BuildMenus();

    board_ = new CGmGride(folders_, this, this);
    setCentralWidget(board_);
    setFocusProxy(board_);
    timeLabel_->SetBoard(board_);
    connect(board_, &CGmGride::historyChanged, this, &CMainFrame::UpdateHistoryItems);
    connect(board_, &CGmGride::puzzleChanged, this, &CMainFrame::UpdateTitle);
    LoadAssists();
    // Full-screen mode and the cell size answer their keys wherever the focus is in the window.
    const auto addKeys = [this](const QList<QKeySequence>& keys, const std::function<void()>& run) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, run);
        addAction(action);
    };
    addKeys({QKeySequence(Qt::Key_F11)}, [this] {
        if (board_->IsFullScreen()) {
            board_->LeaveFullScreen();
        } else {
            board_->EnterFullScreen();
        }
    });
    addKeys({QKeySequence(Qt::Key_Escape)}, [this] { board_->LeaveFullScreen(); });
    addKeys({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [this] { board_->Zoom(+1); });
    addKeys({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { board_->Zoom(-1); });
    addKeys({QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { board_->FitToWindow(); });
    connect(board_, &CGmGride::puzzleSolved, this, &CMainFrame::UpdateHistoryItems);

    if (screen) {
        const QRect available = screen->availableGeometry();
        resize(std::min(480, available.width()), std::min(640, available.height()));
    } else {
        resize(480, 640);
    }
    // The board fills the window before the last game is set up on it: set-up chooses the
    // cell size from the board's size.
    layout()->activate();
    RestoreLastGame(*board_);
    // Whatever ends the program saves the game once: closing the window, the application
    // quitting without a close, or this window's destruction.
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &CMainFrame::SaveGameOnce);
#ifndef QT_NO_SESSIONMANAGER
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { SaveGameForSession(); });
#endif
    board_->setFocus(Qt::OtherFocusReason);
    UpdateMenuState();
}

// The play assists are the player's choice, kept in the player's settings rather than in the
// game's files (a file named after the program, for the program sets no organisation); all off
// until the player turns one on.
namespace {
// The settings' key of each assist's item.
const char* const kAssistKeys[] = {"assists/crossFinishedLines", "assists/straightDrag", "assists/markProvedClues",
                                   "assists/showErrors"};
}  // namespace

void CMainFrame::LoadAssists() {
    const QSettings settings(QSettings::UserScope, QCoreApplication::applicationName());
    QAction* const items[] = {assistCross_, assistStraight_, assistProved_, assistErrors_};
    for (std::size_t i = 0; i < std::size(items); ++i) {
        QAction* item = items[i];
        const QSignalBlocker block(item);
        item->setChecked(settings.value(QString::fromLatin1(kAssistKeys[i]), false).toBool());
    }
    board_->SetAssists(PlayAssists{assistCross_->isChecked(), assistStraight_->isChecked(), assistProved_->isChecked(),
                                   assistErrors_->isChecked()});
}

void CMainFrame::ApplyAssists() {
    QSettings settings(QSettings::UserScope, QCoreApplication::applicationName());
    QAction* const items[] = {assistCross_, assistStraight_, assistProved_, assistErrors_};
    for (std::size_t i = 0; i < std::size(items); ++i) settings.setValue(QString::fromLatin1(kAssistKeys[i]), items[i]->isChecked());
    board_->SetAssists(PlayAssists{assistCross_->isChecked(), assistStraight_->isChecked(), assistProved_->isChecked(),
                                   assistErrors_->isChecked()});
}

// The title names the puzzle in play, so that a random pick tells which one it was.
void CMainFrame::UpdateTitle() {
    const BoardModel& model = board_->Model();
    if (!model.HasPuzzle() || model.name.empty()) {
        setWindowTitle(QStringLiteral("Mosgrid"));
    } else {
        setWindowTitle(QString::fromStdU16String(model.name) + QStringLiteral(" \u2014 Mosgrid"));
    }
}

CMainFrame::~CMainFrame() {
    // Closing saved the game already; this covers an end of the program without a close. The
    // board is still there: children go only after this body.
    SaveGameOnce();
}

QAction* CMainFrame::AddCommand(QMenu* menu, const QString& text, CommandId id,
                                void (CMainFrame::*handler)()) {
    QAction* action = menu->addAction(text);
    action->setData(int(id));
    // Nothing else may start while a check runs: the disabled menu bar greys the menus, and the
    // window's own copies of the shortcuts are refused here.
    connect(action, &QAction::triggered, this, [this, handler] {
        if (!RunningCheck()) (this->*handler)();
    });
    // The window holds every command as well, so that the shortcuts work while full-screen
    // mode hides the menus.
    addAction(action);
    actions_[id] = action;
    return action;
}

// Every menu and item has its Alt+letter (underlined in the menu), no letter twice in one menu.
void CMainFrame::BuildMenus() {
    QMenu* game = menuBar_->addMenu(QStringLiteral("&Игра"));
    AddCommand(game, QStringLiteral("&Случайный выбор"), ID_GAME_RANDOM, &CMainFrame::OnRandomPuzzle)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    AddCommand(game, QStringLiteral("&Начать сначала"), ID_GAME_RESTART, &CMainFrame::OnRestart)->setShortcut(Qt::Key_F2);
    AddCommand(game, QStringLiteral("&Выбрать кроссворд"), ID_GAME_CHOOSE, &CMainFrame::OnChoosePuzzle)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    AddCommand(game, QStringLiteral("&Добавить кроссворд..."), ID_GAME_ADD, &CMainFrame::OnAddPuzzle);
    AddCommand(game, QStringLiteral("Новый &рисунок..."), ID_GAME_DRAW, &CMainFrame::OnNewDrawing);
    game->addSeparator();
    AddCommand(game, QStringLiteral("Вы&ход"), ID_GAME_EXIT, &CMainFrame::OnExit)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* other = menuBar_->addMenu(QStringLiteral("&Прочее"));
    AddCommand(other, QStringLiteral("&Отменить"), ID_OTHER_UNDO, &CMainFrame::OnUndo)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    AddCommand(other, QStringLiteral("&Повторить"), ID_OTHER_REDO, &CMainFrame::OnRedo)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    other->addSeparator();
    AddCommand(other, QStringLiteral("О&ткрыть поле"), ID_OTHER_OPEN_FIELD, &CMainFrame::OnOpenField);
    QAction* hints = AddCommand(other, QStringLiteral("По&дсказки"), ID_OTHER_HINTS, &CMainFrame::OnHints);
    hints->setCheckable(true);
    hints->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    QMenu* assists = other->addMenu(QStringLiteral("Помо&щники"));
    assistCross_ = assists->addAction(QStringLiteral("&Зачёркивать законченные линии"));
    assistStraight_ = assists->addAction(QStringLiteral("&Протяжка по прямой"));
    assistProved_ = assists->addAction(QStringLiteral("&Отмечать выполненные числа"));
    assistErrors_ = assists->addAction(QStringLiteral("По&казывать ошибки"));
    for (QAction* assist : {assistCross_, assistStraight_, assistProved_, assistErrors_}) {
        assist->setCheckable(true);
        connect(assist, &QAction::toggled, this, &CMainFrame::ApplyAssists);
    }
    other->addSeparator();
    AddCommand(other, QStringLiteral("Проверить &кроссворд"), ID_OTHER_CHECK, &CMainFrame::OnCheckPuzzle)->setShortcut(Qt::Key_F5);
    QMenu* variant = other->addMenu(QStringLiteral("&Вариант решения"));
    AddCommand(variant, QStringLiteral("&Следующий"), ID_VARIANT_NEXT, &CMainFrame::OnNextVariant)->setShortcut(Qt::Key_PageDown);
    AddCommand(variant, QStringLiteral("&Предыдущий"), ID_VARIANT_PREV, &CMainFrame::OnPrevVariant)->setShortcut(Qt::Key_PageUp);
    QMenu* help = other->addMenu(QStringLiteral("По&мощь"));
    AddCommand(help, QStringLiteral("&Правила игры"), ID_HELP_RULES, &CMainFrame::OnRules);
    help->addSeparator();
    AddCommand(help, QStringLiteral("&О программе..."), ID_APP_ABOUT, &CMainFrame::OnAbout);
}

QAction* CMainFrame::Action(CommandId id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

MenuState CMainFrame::CurrentMenuState() const {
    const BoardModel& model = board_->Model();
    MenuInputs in;
    in.cols = model.cols();
    // While a check shows its search the game is out of reach, as when it is over.
    in.gameOver = board_->SearchShown() ? 1 : model.gameOver;
    in.variantCount = int(model.variants.size());
    in.currentVariant = model.currentVariant;
    in.hints = model.hints;
    in.canUndo = board_->CanUndo();
    in.canRedo = board_->CanRedo();
    return ComputeMenuState(in);
}

void CMainFrame::UpdateMenuState() {
    const MenuState state = CurrentMenuState();
    Action(ID_GAME_RESTART)->setEnabled(state.restartEnabled);
    Action(ID_OTHER_OPEN_FIELD)->setEnabled(state.openFieldEnabled);
    Action(ID_OTHER_CHECK)->setEnabled(state.checkEnabled);
    Action(ID_VARIANT_PREV)->setEnabled(state.prevEnabled);
    Action(ID_VARIANT_NEXT)->setEnabled(state.nextEnabled);
    Action(ID_OTHER_HINTS)->setChecked(state.hintsChecked);
    Action(ID_OTHER_UNDO)->setEnabled(state.undoEnabled);
    Action(ID_OTHER_REDO)->setEnabled(state.redoEnabled);
    // Nothing else may start while a check runs (a disabled menu bar also keeps its actions'
    // shortcuts from firing).
    menuBar_->setEnabled(RunningCheck() == nullptr);
}

void CMainFrame::UpdateHistoryItems() {
    Action(ID_OTHER_UNDO)->setEnabled(board_->CanUndo());
    Action(ID_OTHER_REDO)->setEnabled(board_->CanRedo());
}

CheckRun* CMainFrame::RunningCheck() const { return check_ && check_->Running() ? check_.data() : nullptr; }

void CMainFrame::CancelCheck() {
    if (CheckRun* check = RunningCheck()) check->Cancel();
}

void CMainFrame::BringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    board_->setFocus(Qt::ActiveWindowFocusReason);
}

// --- BoardHost ---

void CMainFrame::ShowCurrentColour(COLORREF colour) { swatch_->ShowColour(colour); }

void CMainFrame::ShowElapsedTime(int hours, int minutes, int seconds) {
    timeLabel_->setText(QString::fromStdString(TimeText({hours, minutes, seconds})));
}

// The window goes back to the state it had (a maximised window stays maximised) and, when it was
// a normal window, to its place.
void CMainFrame::EnterFullScreen() {
    savedState_ = windowState() & ~(Qt::WindowFullScreen | Qt::WindowActive);
    savedGeometry_ = geometry();
    menuRow_->hide();
    showFullScreen();
}

void CMainFrame::LeaveFullScreen() {
    if (savedState_ & Qt::WindowMaximized) {
        showMaximized();
    } else {
        showNormal();
        if (savedGeometry_.isValid()) setGeometry(savedGeometry_);
    }
    menuRow_->show();
    raise();
    activateWindow();
    board_->setFocus(Qt::OtherFocusReason);
}

// --- Window events ---

void CMainFrame::SaveGameOnce() {
    if (gameSaved_) return;
    // The game saved is the one the player had before a check still running.
    CancelCheck();
    gameSaved_ = true;
    SaveLastGame(*board_);
}

void CMainFrame::SaveGameForSession() {
    // The session may end the program without closing the window: the game goes into the file
    // now. Should the program go on (the logout was cancelled), the save at its end still runs
    // and writes the game as it stands then. A check still running is cancelled first, so the
    // game saved is the player's.
    CancelCheck();
    if (!gameSaved_) SaveLastGame(*board_);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Closing during a check cancels it; the game saved is the player's.
    SaveGameOnce();
    QMainWindow::closeEvent(event);
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && board_->IsFullScreen())
        board_->LeaveFullScreen();
}

// --- Commands ---

bool CMainFrame::MayLeaveGame() {
    const BoardModel& model = board_->Model();
    if (!model.HasPuzzle() || model.gameOver != 0 || !model.AnyDecided()) return true;
    return Prompts::Current().Ask(this, kLeaveGameQuestion);
}

void CMainFrame::OnRandomPuzzle() {
    if (!MayLeaveGame()) return;
    CCatalog catalog(folders_);
    catalog.Load();
    // An empty catalogue (no playable picture in the folder) gives nothing to pick.
    if (const std::optional<std::u16string> name = catalog.PickRandom()) {
        board_->SetupPuzzle(catalog.PicturePathOf(*name), *name);
        if (board_->Model().HasPuzzle()) board_->ApplyFirstPuzzleColour();
    }
    UpdateMenuState();
}

void CMainFrame::OnRestart() {
    if (!MayLeaveGame()) return;
    if (board_->Model().HasPuzzle()) board_->ResetBoard();
    UpdateMenuState();
}

void CMainFrame::OnChoosePuzzle() {
    CListFiles chooser(folders_, this);
    if (chooser.exec() != QDialog::Accepted) {
        UpdateMenuState();
        return;
    }
    if (!chooser.ChosenPath().empty()) {
        StartChosenPuzzle(chooser.ChosenPath(), chooser.ChosenName());
        return;
    }
    // OK without a choice: the colour of the puzzle on the board is applied again.
    if (board_->Model().HasPuzzle()) board_->ApplyFirstPuzzleColour();
    UpdateMenuState();
}

void CMainFrame::OnAddPuzzle() {
    // The chooser reads the folder each time it opens, so the new puzzle is listed from now on.
    if (const std::optional<std::u16string> name = AddPuzzleCommand(this, folders_))
        Prompts::Current().Tell(this, "Кроссворд «" + Utf16ToUtf8(*name) + "» добавлен в список.");
    UpdateMenuState();
}

void CMainFrame::OnNewDrawing() {
    if (const std::optional<std::u16string> name = NewDrawingCommand(this, folders_))
        Prompts::Current().Tell(this, "Кроссворд «" + Utf16ToUtf8(*name) + "» добавлен в список.");
    UpdateMenuState();
}

void CMainFrame::StartChosenPuzzle(const std::filesystem::path& picturePath, const std::u16string& name) {
    if (!MayLeaveGame()) return;
    board_->SetupPuzzle(picturePath, name);
    if (board_->Model().HasPuzzle()) board_->ApplyFirstPuzzleColour();
    UpdateMenuState();
}

void CMainFrame::OnExit() { close(); }

void CMainFrame::OnOpenField() {
    if (board_->Model().HasPuzzle() && Prompts::Current().Ask(this, kOpenFieldQuestion))
        board_->OpenField();
    UpdateMenuState();
}

void CMainFrame::OnHints() {
    // The check mark always agrees with the board's flag, so the flag says what to switch to.
    board_->SetHints(board_->Model().hints == 0);
    UpdateMenuState();
}

void CMainFrame::OnCheckPuzzle() {
    if (CheckRun* check = CheckCommand(*board_, this)) {
        check_ = check;
        connect(check, &CheckRun::ended, this, [this, check] {
            check->deleteLater();
            UpdateMenuState();
        });
    }
    UpdateMenuState();
}

void CMainFrame::OnNextVariant() {
    const BoardModel& model = board_->Model();
    // At the last variant the same variant is shown again.
    if (!model.variants.empty())
        board_->ShowVariant(std::min(model.currentVariant + 1, int(model.variants.size()) - 1));
    ShowVariantNumber();
    UpdateMenuState();
}

void CMainFrame::OnPrevVariant() {
    const BoardModel& model = board_->Model();
    // At the first variant the same variant is shown again.
    if (!model.variants.empty()) board_->ShowVariant(std::max(model.currentVariant - 1, 0));
    ShowVariantNumber();
    UpdateMenuState();
}

void CMainFrame::ShowVariantNumber() {
    const BoardModel& model = board_->Model();
    if (model.variants.empty()) return;
    timeLabel_->setText(QStringLiteral("Вариант %1 из %2").arg(model.currentVariant + 1).arg(model.variants.size()));
}

void CMainFrame::OnUndo() {
    board_->Undo();
    UpdateMenuState();
}

void CMainFrame::OnRedo() {
    board_->Redo();
    UpdateMenuState();
}

void CMainFrame::OnRules() { OpenRulesPage(folders_); }

void CMainFrame::OnAbout() {
    CAboutBox about(this);
    about.exec();
}

}  // namespace mosgrid
