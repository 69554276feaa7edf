#include "app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>

#include <algorithm>
#include <optional>

#include "app/AboutBox.h"
#include "app/ColourSwatch.h"
#include "app/Prompts.h"
#include "app/ProgramIcon.h"
#include "app/StringTime.h"
#include "app/TimeText.h"
#include "app/UrlOpener.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/ui/ListFiles.h"
#include "savegame/ui/BoardLastGame.h"
#include "solver/ui/CheckCommand.h"
#include "solver/ui/CheckRun.h"

namespace mosgrid {
namespace {

const QString kOpenFieldQuestion =
    QStringLiteral("Вы действительно хотите открыть поле ?\n(Игра будет проиграна)  ");

QScreen* ScreenOf(const QWidget* widget) {
    QScreen* screen = widget->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

CMainFrame::CMainFrame(std::filesystem::path programFolder, QWidget* parent)
    : QMainWindow(parent), folder_(std::move(programFolder)) {
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

    board_ = new CGmGride(folder_, this, this);
    setCentralWidget(board_);
    setFocusProxy(board_);
    timeLabel_->SetBoard(board_);

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

CMainFrame::~CMainFrame() {
    // Closing saved the game already; this covers an end of the program without a close. The
    // board is still there: children go only after this body.
    SaveGameOnce();
}

QAction* CMainFrame::AddCommand(QMenu* menu, const QString& text, CommandId id,
                                void (CMainFrame::*handler)()) {
    QAction* action = menu->addAction(text);
    action->setData(int(id));
    connect(action, &QAction::triggered, this, handler);
    actions_[id] = action;
    return action;
}

void CMainFrame::BuildMenus() {
    QMenu* game = menuBar_->addMenu(QStringLiteral("Игра"));
    AddCommand(game, QStringLiteral("Случайный выбор"), ID_GAME_RANDOM, &CMainFrame::OnRandomPuzzle);
    AddCommand(game, QStringLiteral("Начать сначала"), ID_GAME_RESTART, &CMainFrame::OnRestart);
    AddCommand(game, QStringLiteral("Выбрать кроссворд"), ID_GAME_CHOOSE, &CMainFrame::OnChoosePuzzle);
    game->addSeparator();
    AddCommand(game, QStringLiteral("Выход"), ID_GAME_EXIT, &CMainFrame::OnExit);

    QMenu* other = menuBar_->addMenu(QStringLiteral("Прочее"));
    AddCommand(other, QStringLiteral("Открыть поле"), ID_OTHER_OPEN_FIELD, &CMainFrame::OnOpenField);
    AddCommand(other, QStringLiteral("Подсказки"), ID_OTHER_HINTS, &CMainFrame::OnHints)->setCheckable(true);
    other->addSeparator();
    AddCommand(other, QStringLiteral("Проверить кроссворд"), ID_OTHER_CHECK, &CMainFrame::OnCheckPuzzle);
    QMenu* variant = other->addMenu(QStringLiteral("Вариант решения"));
    AddCommand(variant, QStringLiteral("Следующий"), ID_VARIANT_NEXT, &CMainFrame::OnNextVariant);
    AddCommand(variant, QStringLiteral("Предыдущий"), ID_VARIANT_PREV, &CMainFrame::OnPrevVariant);
    QMenu* help = other->addMenu(QStringLiteral("Помощь"));
    AddCommand(help, QStringLiteral("Правила игры"), ID_HELP_RULES, &CMainFrame::OnRules);
    help->addSeparator();
    AddCommand(help, QStringLiteral("О программе..."), ID_APP_ABOUT, &CMainFrame::OnAbout);
}

QAction* CMainFrame::Action(CommandId id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

MenuState CMainFrame::CurrentMenuState() const {
    const BoardModel& model = board_->Model();
    MenuInputs in;
    in.cols = model.cols();
    in.gameOver = model.gameOver;
    in.variantCount = int(model.variants.size());
    in.currentVariant = model.currentVariant;
    in.hints = model.hints;
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
    // Nothing else may start while a check runs (a disabled menu bar also keeps its actions'
    // shortcuts from firing).
    menuBar_->setEnabled(RunningCheck() == nullptr);
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
    timeLabel_->setText(TimeText(hours, minutes, seconds));
}

void CMainFrame::EnterFullScreen() {
    savedGeometry_ = geometry();
    menuRow_->hide();
    showFullScreen();
}

void CMainFrame::LeaveFullScreen() {
    showNormal();
    if (savedGeometry_.isValid()) setGeometry(savedGeometry_);
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

void CMainFrame::OnRandomPuzzle() {
    CCatalog catalog(folder_);
    catalog.Load();
    // An empty catalogue (no playable picture in the folder) gives nothing to pick.
    if (const std::optional<std::u16string> name = catalog.PickRandom()) {
        board_->SetupPuzzle(catalog.PicturePathOf(*name), *name);
        if (board_->Model().HasPuzzle()) board_->ApplyFirstPuzzleColour();
    }
    UpdateMenuState();
}

void CMainFrame::OnRestart() {
    if (board_->Model().HasPuzzle()) board_->ResetBoard();
    UpdateMenuState();
}

void CMainFrame::OnChoosePuzzle() {
    CListFiles chooser(folder_, this);
    if (chooser.exec() == QDialog::Accepted) {
        if (!chooser.ChosenPath().empty()) board_->SetupPuzzle(chooser.ChosenPath(), chooser.ChosenName());
        // Also after OK without a choice: the colour of the puzzle on the board is applied again.
        if (board_->Model().HasPuzzle()) board_->ApplyFirstPuzzleColour();
    }
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
    UpdateMenuState();
}

void CMainFrame::OnPrevVariant() {
    const BoardModel& model = board_->Model();
    // At the first variant the same variant is shown again.
    if (!model.variants.empty()) board_->ShowVariant(std::max(model.currentVariant - 1, 0));
    UpdateMenuState();
}

void CMainFrame::OnRules() { OpenRulesPage(folder_); }

void CMainFrame::OnAbout() {
    CAboutBox about(this);
    about.exec();
}

}  // namespace mosgrid
