// The main window's frame: the menus as the player reads them, full-screen mode on Enter and on
// leaving the window, and "Выход" closing it.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>

#include "app/MainFrame.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

// Every item of a menu, submenus in brackets, separators as "-".
QString Items(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? a->text() + "[" + Items(a->menu()) + "]" : a->text());
    return out.join('|');
}

void PressEnter(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

TEST(MainFrameTest, MenusFullScreenAndExit) {
    test::TempFolder folder;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::ScriptedPrompts prompts;
    CMainFrame frame{folder.path()};
    frame.show();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Mosgrid"));

    QList<QMenu*> menus;
    for (const QAction* a : frame.findChildren<QMenuBar*>().value(0)->actions()) menus << a->menu();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->title() + ":" + Items(menus[0]),
              QStringLiteral("Игра:Случайный выбор|Начать сначала|Выбрать кроссворд|-|Выход"));
    EXPECT_EQ(menus[1]->title() + ":" + Items(menus[1]),
              QStringLiteral("Прочее:Открыть поле|Подсказки|-|Проверить кроссворд|"
                             "Вариант решения[Следующий|Предыдущий]|Помощь[Правила игры|-|О программе...]"));

    frame.Action(ID_GAME_RANDOM)->trigger();
    ASSERT_TRUE(frame.Board().Model().HasPuzzle());
    const QRect placement = frame.geometry();
    QWidget* menuRow = frame.menuWidget();
    PressEnter(&frame.Board());
    EXPECT_TRUE(frame.Board().IsFullScreen());
    EXPECT_TRUE(frame.isFullScreen());
    EXPECT_FALSE(menuRow->isVisible());
    PressEnter(&frame.Board());
    EXPECT_FALSE(frame.Board().IsFullScreen());
    EXPECT_TRUE(menuRow->isVisible());
    EXPECT_EQ(frame.geometry(), placement);

    // Another window taking the focus ends full-screen mode.
    PressEnter(&frame.Board());
    ASSERT_TRUE(frame.Board().IsFullScreen());
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    EXPECT_FALSE(frame.Board().IsFullScreen());
    EXPECT_TRUE(menuRow->isVisible());

    frame.Action(ID_GAME_EXIT)->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_TRUE(test::NoBoxes(prompts));
}

}  // namespace
}  // namespace mosgrid
