// The puzzle chooser: its columns and texts, the catalogue file it writes and what it gives back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

#include "catalogue/ui/ListFiles.h"
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
    ASSERT_EQ(list->columnCount(), 5);
    QStringList header, rows;
    for (int c = 0; c < 5; ++c) header << list->headerItem()->text(c);
    EXPECT_EQ(header, QStringList({"Наименование", "Размер", "Цвета", "Время", "Решён"}));
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Выбор кроссворда"));
    EXPECT_EQ(chooser.OkButton()->text(), QStringLiteral("ОК"));
    EXPECT_EQ(chooser.CancelButton()->text(), QStringLiteral("Отмена"));
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        for (int c = 0; c < 5; ++c) rows << list->topLevelItem(i)->text(c);
    EXPECT_EQ(rows, QStringList({"a", "1x5", "1", "0:05:07", "1", "b", "3x2", "3", "12:00:00", "4", "Shouty", "1x1",
                                 "0", "0:00:00", ""}));
    // Opening the list wrote the file: sorted, the removed picture gone.
    const std::vector<test::CatalogEntry> records = test::ReadCatalog(folder / "mg.bd");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].name, u"b");
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
    auto names = [](const CListFiles& chooser) {
        QStringList shown;
        for (int i = 0; i < chooser.List()->topLevelItemCount(); ++i) shown << chooser.List()->topLevelItem(i)->text(0);
        return shown;
    };
    for (bool enter : {false, true}) {
        CListFiles chooser(folder.path());
        chooser.resize(500, 300);
        chooser.show();
        EXPECT_EQ(names(chooser), QStringList({"Арбуз", "Еда", "Ёж", "Ёлочка", "Жук"}));
        QTreeWidget* list = chooser.List();
        const QRect row = list->visualItemRect(list->topLevelItem(3));
        if (enter) {
            list->setCurrentItem(list->topLevelItem(3));
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(list, &key);
        } else {  // what a double click delivers: press, release, double click, release
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                      QEvent::MouseButtonRelease}) {
                const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
                QMouseEvent event(type, QPointF(row.center()), QPointF(list->viewport()->mapToGlobal(row.center())),
                                  Qt::LeftButton, held, Qt::NoModifier);
                QApplication::sendEvent(list->viewport(), &event);
            }
        }
        EXPECT_EQ(chooser.result(), QDialog::Accepted) << enter;
        EXPECT_EQ(chooser.ChosenName(), u"Ёлочка") << enter;
        // The columns fill the list's width.
        int width = 0;
        for (int c = 0; c < 5; ++c) width += list->columnWidth(c);
        EXPECT_EQ(width, list->viewport()->width());
    }
    std::vector<std::u16string> stored;  // the catalogue file keeps its own order
    for (const test::CatalogEntry& e : test::ReadCatalog(folder / "mg.bd")) stored.push_back(e.name);
    EXPECT_EQ(stored, (std::vector<std::u16string>{u"Ёж", u"Ёлочка", u"Арбуз", u"Еда", u"Жук"}));
    EXPECT_TRUE(test::NoBoxes(prompts));
}

TEST(ChooserTest, ACatalogueFileThatCannotBeWrittenIsToldByItsPath) {
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    test::WritePuzzle(folder.path(), "one", {"1"});
    std::filesystem::create_directory(folder / "mg.bd");  // nothing can be written over it
    CListFiles chooser(folder.path());
    EXPECT_EQ(chooser.List()->topLevelItemCount(), 1);
    EXPECT_EQ(prompts.told, (std::vector<QString>{QString::fromStdString((folder / "mg.bd").string())}));
}

}  // namespace
}  // namespace mosgrid
