// The main window as the player meets it: menus, greying, the menu bar's row, full-screen mode,
// the time label and closing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>

#include <memory>

#include "app/ColourSwatch.h"
#include "app/MainFrame.h"
#include "app/StringTime.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

using test::ScriptedPrompts;
using test::TempFolder;

// The items of a menu as text: separators as "-", submenus as "name[...]".
QString Describe(const QMenu* menu) {
    QStringList items;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) items << QStringLiteral("-");
        else if (a->menu()) items << a->text() + QStringLiteral("[") + Describe(a->menu()) + QStringLiteral("]");
        else items << a->text();
    }
    return items.join(QStringLiteral("|"));
}

void Press(QWidget* widget, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

class MainFrameTest : public ::testing::Test {
protected:
    std::unique_ptr<CMainFrame> Start() {
        auto frame = std::make_unique<CMainFrame>(folder.path());
        frame->show();
        QApplication::processEvents();
        return frame;
    }
    bool Enabled(CMainFrame& f, CommandId id) { return f.Action(id)->isEnabled(); }

    TempFolder folder;
    ScriptedPrompts prompts;
};

TEST_F(MainFrameTest, MenusHoldExactlyTheItemsOfTheGame) {
    auto frame = Start();
    QList<QAction*> menus = frame->Menus()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("Игра"));
    EXPECT_EQ(Describe(menus[0]->menu()),
              QStringLiteral("Случайный выбор|Начать сначала|Выбрать кроссворд|-|Выход"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Прочее"));
    EXPECT_EQ(Describe(menus[1]->menu()),
              QStringLiteral("Открыть поле|Подсказки|-|Проверить кроссворд|"
                             "Вариант решения[Следующий|Предыдущий]|"
                             "Помощь[Правила игры|-|О программе...]"));
    // Every item is reachable by its command id, and only "Подсказки" carries a check mark.
    for (CommandId id : {ID_GAME_RANDOM, ID_GAME_RESTART, ID_GAME_CHOOSE, ID_GAME_EXIT, ID_OTHER_OPEN_FIELD,
                         ID_OTHER_HINTS, ID_OTHER_CHECK, ID_VARIANT_NEXT, ID_VARIANT_PREV, ID_HELP_RULES,
                         ID_APP_ABOUT}) {
        ASSERT_NE(frame->Action(id), nullptr) << id;
        EXPECT_EQ(frame->Action(id)->isCheckable(), id == ID_OTHER_HINTS) << id;
    }
}

TEST_F(MainFrameTest, StartWithoutSavedGameShowsAnEmptyBoardAndGreysThePuzzleCommands) {
    auto frame = Start();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Mosgrid"));
    EXPECT_FALSE(frame->Board().Model().HasPuzzle());
    EXPECT_EQ(frame->centralWidget(), &frame->Board());
    EXPECT_EQ(frame->Board().ProgramFolder(), folder.path());
    for (CommandId id : {ID_GAME_RESTART, ID_OTHER_OPEN_FIELD, ID_OTHER_CHECK, ID_VARIANT_NEXT, ID_VARIANT_PREV})
        EXPECT_FALSE(Enabled(*frame, id)) << id;
    for (CommandId id : {ID_GAME_RANDOM, ID_GAME_CHOOSE, ID_GAME_EXIT, ID_OTHER_HINTS, ID_HELP_RULES, ID_APP_ABOUT})
        EXPECT_TRUE(Enabled(*frame, id)) << id;
    EXPECT_FALSE(frame->Action(ID_OTHER_HINTS)->isChecked());
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:00"));
    EXPECT_FALSE(frame->Swatch()->isEnabled());
    EXPECT_EQ(frame->Swatch()->Colour(), kBlack);

    // The default size is the VGA device's screen, within the available screen.
    const QRect available = frame->screen()->availableGeometry();
    EXPECT_EQ(frame->width(), std::min(480, available.width()));
    EXPECT_EQ(frame->height(), std::min(640, available.height()));
}

TEST_F(MainFrameTest, HintsSwitchOnAndOffWithoutAPuzzleAndTheMarkFollowsTheFlag) {
    auto frame = Start();
    QAction* hints = frame->Action(ID_OTHER_HINTS);
    hints->trigger();
    EXPECT_TRUE(hints->isChecked());
    EXPECT_EQ(frame->Board().Model().hints, 1);
    // Still nothing to restart or open.
    EXPECT_FALSE(Enabled(*frame, ID_GAME_RESTART));
    hints->trigger();
    EXPECT_FALSE(hints->isChecked());
    EXPECT_EQ(frame->Board().Model().hints, 0);
}

TEST_F(MainFrameTest, CommandsThatNeedAPuzzleDoNothingWithoutOne) {
    auto frame = Start();
    // Called directly (their items are grey): no question, no puzzle, the menu state unchanged.
    const MenuState before = frame->CurrentMenuState();
    frame->OnOpenField();
    frame->OnRestart();
    frame->OnCheckPuzzle();
    frame->OnNextVariant();
    frame->OnPrevVariant();
    EXPECT_TRUE(test::NoBoxes(prompts));
    EXPECT_FALSE(frame->Board().Model().HasPuzzle());
    EXPECT_EQ(frame->CurrentMenuState(), before);
}

TEST_F(MainFrameTest, RandomPickInAnEmptyFolderLeavesTheBoardEmpty) {
    auto frame = Start();
    frame->Action(ID_GAME_RANDOM)->trigger();
    EXPECT_FALSE(frame->Board().Model().HasPuzzle());
    EXPECT_FALSE(Enabled(*frame, ID_GAME_RESTART));
    EXPECT_TRUE(test::NoBoxes(prompts));
}

TEST_F(MainFrameTest, TheRowKeepsMenusSwatchAndLabelInOrderAndTheBoardFillsTheRestOnResize) {
    auto frame = Start();
    for (QSize size : {QSize(480, 640), QSize(640, 480), QSize(240, 320)}) {
        frame->resize(size);
        QApplication::processEvents();
        QWidget* row = frame->MenuRow();
        EXPECT_EQ(row->geometry().top(), 0);
        EXPECT_EQ(row->width(), frame->width());
        EXPECT_LT(frame->Menus()->geometry().right(), frame->Swatch()->geometry().left());
        EXPECT_LT(frame->Swatch()->geometry().right(), frame->TimeLabel()->geometry().left());
        // The label is as high as the row and reaches its right end.
        EXPECT_EQ(frame->TimeLabel()->geometry().right(), row->width() - 1);
        const QRect board = frame->Board().geometry();
        EXPECT_EQ(board.top(), row->height());
        EXPECT_EQ(board.left(), 0);
        EXPECT_EQ(board.width(), frame->width());
        EXPECT_EQ(board.bottom(), frame->height() - 1);
    }
}

TEST_F(MainFrameTest, TimeLabelShowsTheBoardsTimeAndGivesTheFocusToTheBoard) {
    auto frame = Start();
    frame->ShowElapsedTime(100, 0, 0);
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("100:00:00"));
    frame->ShowElapsedTime(1, 2, 3);
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("1:02:03"));

    frame->activateWindow();
    QApplication::setActiveWindow(frame.get());
    frame->Board().clearFocus();
    ASSERT_FALSE(frame->Board().hasFocus());
    Press(frame->TimeLabel(), QPoint(3, 3));
    EXPECT_TRUE(frame->Board().hasFocus());
}

TEST_F(MainFrameTest, SwatchIsSmallOnlyOnScreensUpTo320PixelsWide) {
    EXPECT_EQ(ColourSwatch::SideForScreenWidth(240), 15);
    EXPECT_EQ(ColourSwatch::SideForScreenWidth(320), 15);
    EXPECT_EQ(ColourSwatch::SideForScreenWidth(321), 31);
    EXPECT_EQ(ColourSwatch::SideForScreenWidth(480), 31);
    auto frame = Start();
    frame->ShowCurrentColour(0x0000FF);
    const QImage shown = frame->Swatch()->icon().pixmap(frame->Swatch()->iconSize(), QIcon::Disabled).toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(255, 0, 0));
    EXPECT_FALSE(frame->Swatch()->isEnabled());
}

TEST_F(MainFrameTest, FullScreenHidesTheRowAndComesBackToTheSavedPlace) {
    auto frame = Start();
    frame->setGeometry(QRect(40, 30, 400, 500));
    QApplication::processEvents();
    const QRect before = frame->geometry();

    frame->Board().EnterFullScreen();
    QApplication::processEvents();
    EXPECT_TRUE(frame->isFullScreen());
    EXPECT_FALSE(frame->MenuRow()->isVisible());
    EXPECT_TRUE(frame->Board().IsFullScreen());

    frame->Board().LeaveFullScreen();
    QApplication::processEvents();
    EXPECT_FALSE(frame->isFullScreen());
    EXPECT_TRUE(frame->MenuRow()->isVisible());
    EXPECT_FALSE(frame->Board().IsFullScreen());
    EXPECT_EQ(frame->geometry(), before);
}

TEST_F(MainFrameTest, DeactivationLeavesFullScreen) {
    auto frame = Start();
    QApplication::setActiveWindow(frame.get());
    frame->Board().EnterFullScreen();
    QApplication::processEvents();
    ASSERT_TRUE(frame->Board().IsFullScreen());

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    EXPECT_FALSE(frame->Board().IsFullScreen());
    EXPECT_FALSE(frame->isFullScreen());
    EXPECT_TRUE(frame->MenuRow()->isVisible());
}

TEST_F(MainFrameTest, ExitClosesTheWindow) {
    auto frame = Start();
    ASSERT_TRUE(frame->isVisible());
    frame->Action(ID_GAME_EXIT)->trigger();
    EXPECT_FALSE(frame->isVisible());
}

}  // namespace
}  // namespace mosgrid
