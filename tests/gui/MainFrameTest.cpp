// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its menus and what they start, full-screen mode, the questions before a game
// in play is thrown away, the game carried from one run to the next, the time label's colours.
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPalette>
#include <QSettings>
#include <QUrl>

#include <fstream>

#include "app/ColourSwatch.h"
#include "app/StringTime.h"
#include "app/UrlOpener.h"
#include "savegame/core/LastGameCodec.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

// Every item of a menu or the menu bar, submenus in brackets, separators as "-".
QString Items(const QWidget* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? a->text() + "[" + Items(a->menu()) + "]" : a->text());
    return out.join('|');
}

void PressKey(QWidget* widget, int key = Qt::Key_Return) {
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

    EXPECT_EQ(Items(frame.findChildren<QMenuBar*>().value(0)),
              QStringLiteral("&Игра[&Случайный выбор|&Начать сначала|&Выбрать кроссворд|&Добавить кроссворд...|"
                             "Новый &рисунок...|-|Вы&ход]|&Прочее[&Отменить|&Повторить|-|О&ткрыть поле|По&дсказки|"
                             "Помо&щники[&Зачёркивать законченные линии|&Протяжка по прямой|"
                             "&Отмечать выполненные числа|По&казывать ошибки]|-|Проверить &кроссворд|"
                             "&Вариант решения[&Следующий|&Предыдущий]|По&мощь[&Правила игры|-|&О программе...]]"));

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
    frame.Action(ID_OTHER_HINTS)->trigger();
    EXPECT_TRUE(frame.Action(ID_OTHER_HINTS)->isChecked() && frame.Board().Model().hints == 1);
    // Enter switches full-screen mode (the menus hidden) and back to the same placement.
    const QRect placement = frame.geometry();
    QWidget* menuRow = frame.menuWidget();
    PressKey(&frame.Board());
    EXPECT_TRUE(frame.Board().IsFullScreen() && frame.isFullScreen() && !menuRow->isVisible());
    PressKey(&frame.Board());
    EXPECT_TRUE(!frame.Board().IsFullScreen() && menuRow->isVisible());
    EXPECT_EQ(frame.geometry(), placement);
    // Another window taking the focus ends full-screen mode.
    PressKey(&frame.Board());
    ASSERT_TRUE(frame.Board().IsFullScreen());
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    EXPECT_TRUE(!frame.Board().IsFullScreen() && menuRow->isVisible());
    // F11 switches full-screen mode, Esc leaves it; a maximised window comes back maximised.
    frame.showMaximized();
    QApplication::processEvents();
    PressKey(&frame.Board(), Qt::Key_F11);
    ASSERT_TRUE(frame.isFullScreen());
    PressKey(&frame.Board(), Qt::Key_Space);  // the keyboard's cursor takes the first Esc
    PressKey(&frame.Board(), Qt::Key_Escape);
    EXPECT_TRUE(frame.isFullScreen() && !frame.Board().CursorPosition());
    PressKey(&frame.Board(), Qt::Key_Escape);
    EXPECT_TRUE(!frame.Board().IsFullScreen() && frame.isMaximized());
    PressKey(&frame.Board(), Qt::Key_F11);
    PressKey(&frame.Board(), Qt::Key_F11);
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
    EXPECT_TRUE(!frame.isVisible() && test::NoBoxes(prompts));
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
    // Each assist as its menu item and the board have it: '1' on, '0' off, '?' where they differ.
    const auto assists = [](CMainFrame& f) {
        const PlayAssists on = f.Board().Assists();
        std::string seen;
        for (const auto& [item, board] : {std::pair{f.AssistCross(), on.crossFinishedLines}, {f.AssistStraight(), on.straightDrag},
                                          {f.AssistProved(), on.markProvedClues}, {f.AssistErrors(), on.showErrors}})
            seen += item->isChecked() != board ? '?' : board ? '1' : '0';
        return seen;
    };
    {
        CMainFrame frame{folder.path()};
        EXPECT_EQ(assists(frame), "0000");
        for (QAction* item : {frame.AssistStraight(), frame.AssistErrors(), frame.AssistCross(), frame.AssistCross()}) item->trigger();
        EXPECT_EQ(assists(frame), "0101");
    }
    CMainFrame frame{folder.path()};
    EXPECT_EQ(assists(frame), "0101");
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

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr COLORREF kBlue = 0xFF0000;
const std::vector<std::string> kTen = {"..11111...", ".1222221..", "1222..2221", "12.2..2.21", "1222222221",
                                       ".12....21.", "..122221..", "...1111...", "....11....", "....11....",
                                       "...1..1...", "..1....1..", ".1......1.", "1111111111", "2.2.2.2.2."};

TEST(LastGameTest, QuitAndStartAgainShowsTheSameBoardAndAFailedSaveShowsThePath) {
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    const fs::path file = folder / "lastcrw.sav";
    // The folder's only puzzle, 10 x 15 in red and blue, its extension in capitals.
    ASSERT_TRUE(WriteBmp4(folder / "Ten.BMP", test::PictureFromText(kTen, {kWhite, kRed, kBlue})));
    auto frame = std::make_unique<CMainFrame>(folder.path());
    frame->show();
    frame->Action(ID_GAME_RANDOM)->trigger();
    QApplication::processEvents();  // the scroll bars settle as the event loop goes on
    // Row 13 painted red, blue picked from a clue, a wrong blue cell and a crossed white one.
    auto click = [&frame](int column, int row) {
        test::Click(frame->Board().viewport(), test::CellCentre(frame->Board(), column, row));
    };
    for (int c = 0; c < 10; ++c) click(c, 13);
    for (QPoint p : {QPoint(-1, 14), QPoint(5, 7), QPoint(1, 14), QPoint(1, 14)}) click(p.x(), p.y());
    ASSERT_EQ(frame->Board().Model().rowSolved[13], 1);
    ASSERT_EQ(frame->Board().Model().Cell(1, 14).state, 0);
    test::ChangeGame(frame->Board(), [](BoardModel& m) { m.minutes = 12, m.seconds = 58; });
    const Bytes saved = EncodeLastGame(frame->Board().Model()).value();
    const QImage shown = frame->Board().ComposedImage();
    frame->Action(ID_GAME_EXIT)->trigger();
    EXPECT_EQ(test::ReadBytes(file), saved);
    // Closing and then destroying the window saves once: what changes in between is not saved.
    test::ChangeGame(frame->Board(), [](BoardModel& m) { m.minutes = 30; });
    frame.reset();
    EXPECT_EQ(test::ReadBytes(file), saved);

    // The second run, its clock held so that no tick falls between restoring and comparing.
    frame = std::make_unique<CMainFrame>(folder.path());
    frame->Board().StopTimer();
    frame->show();
    QApplication::processEvents();
    EXPECT_EQ(EncodeLastGame(frame->Board().Model()).value(), saved);
    EXPECT_EQ(frame->Board().ComposedImage(), shown);
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:12:58"));
    // The first non-white colour is current again, on the swatch too.
    EXPECT_TRUE(frame->Board().Model().currentColour == kRed && frame->Swatch()->Colour() == kRed);
    EXPECT_TRUE(test::NoBoxes(prompts));

    // The file cannot be replaced by a folder with something in it: its path is told once, the folder stays.
    fs::remove(file);
    fs::create_directories(file / "keep");
    frame->close();
    frame.reset();
    EXPECT_EQ(prompts.told, std::vector<QString>{QString::fromStdString(file.string())});
    EXPECT_TRUE(fs::is_directory(file / "keep"));
}

// The time label draws in the palette's colours, so it stays readable on a dark desktop.
TEST(TimeLabel, TextAndBackgroundFollowTheLightAndTheDarkPalette) {
    CStringTime label;
    label.resize(120, 30);
    label.setText(QStringLiteral("0:08:08"));
    // The button face drawn exactly, the text near its colour.
    for (const auto& [face, text] : {std::pair{QColor(0xE0, 0xE0, 0xE0), QColor(Qt::black)},
                                     std::pair{QColor(0x35, 0x35, 0x35), QColor(0xF0, 0xF0, 0xF0)}}) {
        QPalette palette;
        palette.setColor(QPalette::Button, face);
        palette.setColor(QPalette::ButtonText, text);
        palette.setColor(QPalette::WindowText, text);
        label.setPalette(palette);
        const QImage image = label.grab().toImage();
        int lightest = 0, darkest = 255;
        for (int i = 0; i < image.width() * image.height(); ++i) {
            const int grey = qGray(image.pixel(i % image.width(), i / image.width()));
            lightest = std::max(lightest, grey), darkest = std::min(darkest, grey);
        }
        const bool dark = face.lightness() < 128;
        EXPECT_EQ(dark ? darkest : lightest, qGray(face.rgb())) << dark;
        EXPECT_LT(std::abs((dark ? lightest : darkest) - qGray(text.rgb())), 0x30) << dark;
    }
}

}  // namespace
}  // namespace mosgrid
