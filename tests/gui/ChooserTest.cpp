// SPDX-License-Identifier: GPL-3.0-or-later
// The puzzle chooser: its columns and texts, the catalogue file it writes and what it gives back.
#include <QHeaderView>
#include <QKeyEvent>

#include <fstream>
#include <map>

#include "import/core/ClueDecision.h"
#include "import/core/Difficulty.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

TEST(ChooserTest, ListsTheCatalogueWithSizeColoursAndBestTimeAndGivesTheChosenFile) {
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    test::WritePuzzle(folder.path(), "b", {"123", "..."}, {kWhite, kBlack, 0x0000FF, 0x00A000});
    test::WritePuzzle(folder.path(), "a", {"1", "1", ".", "1", "1"});
    test::WritePuzzle(folder.path(), "Shouty", {"1"});  // black only: no colour besides it
    std::filesystem::rename(folder / "Shouty.bmp", folder / "Shouty.BMP");
    test::WriteCatalog(folder / "mg.bd", {{u"b", 4, 12, 0, 0}, {u"gone", 9, 1, 1, 1}, {u"a", 1, 0, 5, 7}});

    CListFiles chooser(folder.path());
    QTreeWidget* list = chooser.List();
    ASSERT_EQ(list->columnCount(), 6);
    QStringList header, rows;
    for (int c = 0; c < 6; ++c) header << list->headerItem()->text(c);
    EXPECT_EQ(header, QStringList({"Наименование", "Размер", "Цвета", "Время", "Решён", "Сложность"}));
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Выбор кроссворда"));
    EXPECT_EQ(chooser.OkButton()->text(), QStringLiteral("ОК"));
    EXPECT_EQ(chooser.CancelButton()->text(), QStringLiteral("Отмена"));
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        for (int c = 0; c < 5; ++c) rows << list->topLevelItem(i)->text(c);
    EXPECT_EQ(rows, QStringList({"a", "1x5", "1", "0:05:07", "1", "b", "3x2", "3", "12:00:00", "4", "Shouty", "1x1",
                                 "0", "0:00:00", ""}));
    // Opening the list wrote the catalogue (what it keeps is tested on CCatalog, CatalogTest.cpp).
    EXPECT_EQ(test::ReadCatalog(folder / "mg.bd").size(), 3u);
    EXPECT_TRUE(test::NoBoxes(prompts));

    list->setCurrentItem(list->topLevelItem(2));
    chooser.OkButton()->click();
    EXPECT_EQ(chooser.ChosenName(), u"Shouty");
    EXPECT_EQ(chooser.ChosenPath(), folder / "Shouty.BMP");
}

TEST(ChooserTest, NamesInRussianOrderOnScreenAndADoubleClickOrEnterOpensTheRow) {
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    for (const char* name : {"Жук", "Ёлочка", "Арбуз", "Ёж", "Еда"}) test::WritePuzzle(folder.path(), name, {"1"});
    for (bool enter : {false, true}) {
        CListFiles chooser(folder.path());
        chooser.resize(500, 300);
        chooser.show();
        QTreeWidget* list = chooser.List();
        EXPECT_EQ(test::ColumnTexts(list), QStringList({"Арбуз", "Еда", "Ёж", "Ёлочка", "Жук"}));
        EXPECT_EQ(list->header()->length(), list->viewport()->width());  // the columns fill the width
        const QPointF at = list->visualItemRect(list->topLevelItem(3)).center();
        list->setCurrentItem(list->topLevelItem(enter ? 3 : 0));
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        if (enter) QApplication::sendEvent(list, &key);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            if (!enter) QApplication::sendEvent(list->viewport(), &event);
        }
        EXPECT_EQ(chooser.result(), QDialog::Accepted) << enter;
        EXPECT_EQ(chooser.ChosenName(), u"Ёлочка") << enter;
    }
    EXPECT_TRUE(test::NoBoxes(prompts));
}

// The level of each row's picture, by name.
std::map<QString, QString> Levels(const CListFiles& chooser) {
    std::map<QString, QString> levels;
    const QStringList names = test::ColumnTexts(chooser.List()), words = test::ColumnTexts(chooser.List(), 5);
    for (int i = 0; i < names.size(); ++i) levels[names[i]] = words[i];
    return levels;
}

TEST(ChooserTest, DifficultyIsFilledInFromTheBackgroundAndRememberedByContent) {
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::WritePuzzle(folder.path(), "twice", {"1.", ".1"});  // two solutions
    // A puzzle that needs guesses, from its clues.
    std::ifstream in(MOSGRID_SOURCE_DIR "/tests/import/trial.non");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    CluePuzzle clues;
    std::string error;
    ASSERT_TRUE(ReadClueFile(text, clues, error)) << error;
    const ClueVerdict verdict = DecideCluePuzzle(clues);
    ASSERT_EQ(verdict.kind, ClueVerdict::Kind::Unique);
    ASSERT_TRUE(WriteBmp4(folder / "trial.bmp", verdict.picture));
    {
        CListFiles chooser(folder.path());
        ASSERT_TRUE(test::WaitUntil([&] { return chooser.AllRated(); }, 60000));
        EXPECT_EQ(Levels(chooser), (std::map<QString, QString>{{"bar", "линии"}, {"trial", "перебор"}, {"twice", "неоднозначный"}}));
    }
    // The levels were kept by content: a level put in the file for bar's bytes is what shows.
    DifficultyCache cache;
    ASSERT_TRUE(cache.Load(folder / kDifficultyFileName));
    EXPECT_EQ(cache.Size(), 3u);
    const auto key = DifficultyCache::Key(test::ReadBytes(folder / "bar.bmp"));
    ASSERT_EQ(cache.Find(key), Difficulty::Lines);
    cache.Put(key, Difficulty::LookAhead);
    ASSERT_TRUE(cache.Save(folder / kDifficultyFileName));
    std::filesystem::rename(folder / "bar.bmp", folder / "renamed.bmp");
    CListFiles chooser(folder.path());
    ASSERT_TRUE(test::WaitUntil([&] { return chooser.AllRated(); }, 60000));
    EXPECT_EQ(Levels(chooser)[QStringLiteral("renamed")], QStringLiteral("просмотр"));
    EXPECT_TRUE(test::NoBoxes(prompts));
}

}  // namespace
}  // namespace mosgrid
