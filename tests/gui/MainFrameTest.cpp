// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's frame: the menus as the player reads them and what they start, full-screen
// mode on Enter and on leaving the window, the rules page, and "Выход" closing it.
#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QDir>
#include <QSettings>
#include <QSet>
#include <QTreeWidget>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <fstream>

#include "app/MainFrame.h"
#include "app/UrlOpener.h"
#include "board/core/Layout.h"
#include "catalogue/ui/ListFiles.h"
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

void PressEnter(QWidget* widget, int key = Qt::Key_Return) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

TEST(MainFrameTest, MenusFullScreenRulesAndExit) {
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
              QStringLiteral("&Игра:&Случайный выбор|&Начать сначала|&Выбрать кроссворд|&Добавить кроссворд...|"
                             "Новый &рисунок...|-|Вы&ход"));
    EXPECT_EQ(menus[1]->title() + ":" + Items(menus[1]),
              QStringLiteral("&Прочее:&Отменить|&Повторить|-|О&ткрыть поле|По&дсказки|"
                             "Помо&щники[&Зачёркивать законченные линии|&Протяжка по прямой|"
                             "&Отмечать выполненные числа|По&казывать ошибки]|-|Проверить &кроссворд|"
                             "&Вариант решения[&Следующий|&Предыдущий]|По&мощь[&Правила игры|-|&О программе...]"));
    // Every item has its own Alt+letter within its menu.
    std::function<void(const QList<QAction*>&)> mnemonics = [&](const QList<QAction*>& items) {
        QSet<QString> letters;
        for (const QAction* a : items) {
            if (a->isSeparator()) continue;
            const QString key = QKeySequence::mnemonic(a->text()).toString();
            EXPECT_FALSE(key.isEmpty() || letters.contains(key)) << a->text().toStdString();
            letters.insert(key);
            if (a->menu()) mnemonics(a->menu()->actions());
        }
    };
    mnemonics(frame.findChildren<QMenuBar*>().value(0)->actions());

    // A puzzle chosen through the menu's chooser; hints switched on through the menu.
    test::WhenDialogOpens<CListFiles>([](CListFiles& chooser) {
        chooser.List()->setCurrentItem(chooser.List()->topLevelItem(0));
        chooser.OkButton()->click();
    });
    frame.Action(ID_GAME_CHOOSE)->trigger();
    ASSERT_EQ(frame.Board().Model().name, u"bar");
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("bar \u2014 Mosgrid"));
    frame.Board().SetupPuzzle(folder / "missing.bmp", u"missing");
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Mosgrid"));
    frame.StartChosenPuzzle(folder / "bar.bmp", u"bar");
    ASSERT_EQ(frame.windowTitle(), QStringLiteral("bar \u2014 Mosgrid"));
    frame.Action(ID_OTHER_HINTS)->trigger();
    EXPECT_TRUE(frame.Action(ID_OTHER_HINTS)->isChecked() && frame.Board().Model().hints == 1);
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

    // F11 switches full-screen mode, Esc leaves it; a maximised window comes back maximised.
    frame.showMaximized();
    QApplication::processEvents();
    PressEnter(&frame.Board(), Qt::Key_F11);
    ASSERT_TRUE(frame.isFullScreen());
    PressEnter(&frame.Board(), Qt::Key_Space);  // the keyboard's cursor takes the first Esc
    PressEnter(&frame.Board(), Qt::Key_Escape);
    EXPECT_TRUE(frame.isFullScreen() && !frame.Board().CursorPosition());
    PressEnter(&frame.Board(), Qt::Key_Escape);
    EXPECT_FALSE(frame.Board().IsFullScreen());
    EXPECT_TRUE(frame.isMaximized());
    PressEnter(&frame.Board(), Qt::Key_F11);
    PressEnter(&frame.Board(), Qt::Key_F11);
    EXPECT_TRUE(frame.isMaximized() && menuRow->isVisible());

    // The rules page opens only when it lies beside the program.
    std::vector<QUrl> opened;
    SetUrlOpener([&opened](const QUrl& url) { opened.push_back(url); });
    frame.Action(ID_HELP_RULES)->trigger();
    std::ofstream(folder / "mosgrid.htm") << "<html></html>";
    frame.Action(ID_HELP_RULES)->trigger();
    SetUrlOpener({});
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString((folder / "mosgrid.htm").string()))});

    frame.Action(ID_GAME_EXIT)->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_TRUE(test::NoBoxes(prompts));
}

// The play assists start off and are remembered for the player, in this run's own settings
// folder (the tests' main puts it aside).
TEST(MainFrameTest, PlayAssistsStartOffAndAreRemembered) {
    QSettings settings(QSettings::UserScope, QCoreApplication::applicationName());
    settings.remove(QStringLiteral("assists"));
    settings.sync();
    ASSERT_TRUE(settings.fileName().startsWith(QDir::tempPath()));
    test::TempFolder folder;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::ScriptedPrompts prompts;
    {
        CMainFrame frame{folder.path()};
        for (QAction* item : {frame.AssistCross(), frame.AssistStraight(), frame.AssistProved(), frame.AssistErrors()})
            EXPECT_FALSE(item->isChecked());
        EXPECT_FALSE(frame.Board().Assists().crossFinishedLines || frame.Board().Assists().straightDrag);
        EXPECT_FALSE(frame.Board().Assists().markProvedClues || frame.Board().Assists().showErrors);
        frame.AssistStraight()->trigger();
        frame.AssistErrors()->trigger();
        EXPECT_TRUE(frame.Board().Assists().straightDrag && frame.Board().Assists().showErrors);
        frame.AssistCross()->trigger();
        frame.AssistCross()->trigger();
        EXPECT_FALSE(frame.Board().Assists().crossFinishedLines);
    }
    CMainFrame frame{folder.path()};
    EXPECT_TRUE(frame.AssistStraight()->isChecked() && frame.Board().Assists().straightDrag);
    EXPECT_FALSE(frame.AssistCross()->isChecked() || frame.Board().Assists().crossFinishedLines);
    EXPECT_TRUE(frame.AssistErrors()->isChecked() && frame.Board().Assists().showErrors);
    EXPECT_FALSE(frame.AssistProved()->isChecked() || frame.Board().Assists().markProvedClues);
    EXPECT_TRUE(test::NoBoxes(prompts));
}

// "Прервать текущую игру?" comes before a command would throw away a game with decided cells.
TEST(MainFrameTest, CommandsThatEndAGameInPlayAskFirst) {
    test::TempFolder folder;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::ScriptedPrompts prompts;
    CMainFrame frame{folder.path()};
    CGmGride& board = frame.Board();
    for (int which = 0; which < 3; ++which) {
        const auto command = [&] {
            if (which == 0) frame.OnRestart();
            if (which == 1) frame.OnRandomPuzzle();
            if (which == 2) frame.StartChosenPuzzle(folder / "bar.bmp", u"bar");
        };
        prompts.asked.clear();
        frame.OnRandomPuzzle();  // no question while no cell is decided
        command();
        EXPECT_TRUE(prompts.asked.empty());
        board.MarkCell(1, 1);
        prompts.Answer(false);
        command();
        EXPECT_EQ(board.Model().Cell(1, 1).state, 0);  // "Нет": the game goes on
        prompts.Answer(true);
        command();
        EXPECT_EQ(board.Model().Cell(1, 1).state, 1);
        EXPECT_EQ(prompts.asked, std::vector<QString>(2, QStringLiteral("Прервать текущую игру?")));
    }
    // Opening the field asks its own question; only "Да" ends the game, and a finished game is
    // not asked about.
    board.MarkCell(0, 1);
    prompts.asked.clear();
    prompts.Answer(false);
    prompts.Answer(true);
    frame.OnOpenField();
    EXPECT_EQ(board.Model().gameOver, 0);
    frame.OnOpenField();
    EXPECT_EQ(board.Model().gameOver, 1);
    frame.OnRestart();
    EXPECT_EQ(prompts.asked, std::vector<QString>(2, QStringLiteral("Вы действительно хотите открыть поле ?\n(Игра будет проиграна)  ")));
}

// A bundled puzzle that fits the default window never shows a scroll bar, and a larger one
// scrolls exactly over what the bars leave out; also after a maximise.
TEST(MainFrameTest, ScrollBarsOnlyWhereTheBoardOverflows) {
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    CMainFrame frame{folder.path()};
    frame.show();
    CGmGride& board = frame.Board();
    int puzzles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MOSGRID_GAME_DIR)) {
        if (entry.path().extension() != ".bmp") continue;
        ++puzzles;
        for (QSize size : {QSize(480, 640), QSize(1024, 768)}) {
            frame.resize(size);
            board.SetupPuzzle(entry.path(), u"p");
            QApplication::processEvents();
            const BoardModel& m = board.Model();
            const BoardGeometry g{m.cols(), m.rows(), m.K, m.R, board.CellSize()};
            const QSize shown = board.viewport()->size();
            SCOPED_TRACE(entry.path().filename().string() + " at " + std::to_string(size.width()));
            const bool fits = HorizontalOverflow(g, board.width()) <= 0 && VerticalOverflow(g, board.height()) <= 0;
            EXPECT_EQ(fits, shown == board.size());
            EXPECT_EQ(board.horizontalScrollBar()->maximum(), std::max(0, HorizontalOverflow(g, shown.width())));
            EXPECT_EQ(board.verticalScrollBar()->maximum(), std::max(0, VerticalOverflow(g, shown.height())));
        }
    }
    EXPECT_GE(puzzles, 62);
}

}  // namespace
}  // namespace mosgrid
