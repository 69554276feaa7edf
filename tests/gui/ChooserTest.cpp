// The puzzle chooser: its rows and texts, the catalogue file it writes, and what "ОК" and
// "Отмена" do to the board.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

#include "app/ColourSwatch.h"
#include "app/MainFrame.h"
#include "catalogue/ui/ListFiles.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

using test::FileRecord;
using test::ScriptedPrompts;
using test::TempFolder;

constexpr COLORREF kRedColour = 0x0000FF;
constexpr COLORREF kGreen = 0x00A000;

QStringList Row(QTreeWidget* list, int i) {
    QStringList texts;
    for (int c = 0; c < 4; ++c) texts << list->topLevelItem(i)->text(c);
    return texts;
}

class ChooserTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompts prompts;
};

TEST_F(ChooserTest, ListsEveryPuzzleInCatalogueOrderWithSizeColoursAndBestTime) {
    // Three colours besides white in "b", one in the others.
    test::WritePuzzle(folder.path(), "b", {"123", "..."}, {kWhite, kBlack, kRedColour, kGreen});
    test::WritePuzzle(folder.path(), "a", {"1", "1", ".", "1", "1"}, {kWhite, kBlack});
    test::WritePuzzle(folder.path(), "C", {"1..1"}, {kWhite, kBlack});
    ASSERT_FALSE(std::filesystem::exists(folder / "mg.bd"));

    CListFiles chooser(folder.path());
    QTreeWidget* list = chooser.List();
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Dialog"));
    ASSERT_EQ(list->columnCount(), 4);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Наименование"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Размер"));
    EXPECT_EQ(list->headerItem()->text(2), QStringLiteral("Цвета"));
    EXPECT_EQ(list->headerItem()->text(3), QStringLiteral("Время"));
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(chooser.OkButton()->text(), QStringLiteral("ОК"));
    EXPECT_EQ(chooser.CancelButton()->text(), QStringLiteral("Отмена"));
    // Every column is wide enough for its measuring text.
    const QFontMetrics metrics = list->fontMetrics();
    EXPECT_GE(list->columnWidth(0), metrics.horizontalAdvance(QStringLiteral("Наименование    ")));
    EXPECT_GE(list->columnWidth(3), metrics.horizontalAdvance(QStringLiteral("0:00:00    ")));

    // Without a catalogue file the rows come in the order the folder was scanned (by name bytes)
    // and opening the list writes the file.
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(Row(list, 0), QStringList({"C", "4x1", "1", "0:00:00"}));
    EXPECT_EQ(Row(list, 1), QStringList({"a", "1x5", "1", "0:00:00"}));
    EXPECT_EQ(Row(list, 2), QStringList({"b", "3x2", "3", "0:00:00"}));
    std::vector<FileRecord> records = test::ReadCatalogueFile(folder / "mg.bd");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].name, u"C");
    EXPECT_TRUE(test::NoBoxes(prompts));
}

TEST_F(ChooserTest, BestTimesComeFromTheCatalogueFileAndRemovedPicturesDisappear) {
    test::WritePuzzle(folder.path(), "quick", {"1"});  // black only: no colour besides it
    test::WritePuzzle(folder.path(), "slow", {"1."});
    test::WriteCatalogueFile(folder / "mg.bd", {{u"slow", 4, 12, 0, 0}, {u"quick", 1, 0, 5, 7}, {u"gone", 9, 1, 1, 1}});

    CListFiles chooser(folder.path());
    ASSERT_EQ(chooser.List()->topLevelItemCount(), 2);
    EXPECT_EQ(Row(chooser.List(), 0), QStringList({"quick", "1x1", "0", "0:05:07"}));
    EXPECT_EQ(Row(chooser.List(), 1), QStringList({"slow", "2x1", "1", "12:00:00"}));
    std::vector<FileRecord> records = test::ReadCatalogueFile(folder / "mg.bd");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, u"quick");
    EXPECT_EQ(records[0].solvedCount, 1);
    EXPECT_EQ(records[1].name, u"slow");
    EXPECT_EQ(records[1].hours, 12);
}

TEST_F(ChooserTest, AnEmptyFolderOpensAnEmptyList) {
    CListFiles chooser(folder.path());
    EXPECT_EQ(chooser.List()->topLevelItemCount(), 0);
    chooser.OkButton()->click();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_TRUE(chooser.ChosenPath().empty());
    EXPECT_TRUE(chooser.ChosenName().empty());
}

TEST_F(ChooserTest, ACatalogueFileThatCannotBeWrittenIsToldByItsPath) {
    test::WritePuzzle(folder.path(), "one", {"1"});
    // A folder where the file should be: nothing can be written over it.
    std::filesystem::create_directory(folder / "mg.bd");
    CListFiles chooser(folder.path());
    EXPECT_EQ(chooser.List()->topLevelItemCount(), 1);
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(prompts.told[0], QString::fromStdString((folder / "mg.bd").string()));
}

TEST_F(ChooserTest, OkGivesTheSelectedPuzzleWithAnyCaseOfExtension) {
    test::WritePuzzle(folder.path(), "one", {"1"});
    std::filesystem::rename(folder / "one.bmp", folder / "Shouty.BMP");
    CListFiles chooser(folder.path());
    ASSERT_EQ(chooser.List()->topLevelItemCount(), 1);
    chooser.List()->setCurrentItem(chooser.List()->topLevelItem(0));
    chooser.OkButton()->click();
    EXPECT_EQ(chooser.ChosenName(), u"Shouty");
    EXPECT_EQ(chooser.ChosenPath(), folder / "Shouty.BMP");
}

TEST_F(ChooserTest, CancelLeavesTheColourAndOkWithoutARowAppliesThePuzzlesFirstColour) {
    test::WritePuzzle(folder.path(), "two", {"12"}, {kWhite, kGreen, kRedColour});
    CMainFrame frame(folder.path());
    frame.show();

    test::WhenDialogOpens<CListFiles>([](CListFiles& chooser) {
        chooser.List()->setCurrentItem(chooser.List()->topLevelItem(0));
        chooser.OkButton()->click();
    });
    frame.Action(ID_GAME_CHOOSE)->trigger();
    ASSERT_TRUE(frame.Board().Model().HasPuzzle());
    EXPECT_EQ(frame.Swatch()->Colour(), kGreen);

    // The player picks the other colour (as by tapping its clue).
    frame.Board().SetCurrentColour(kRedColour);
    EXPECT_EQ(frame.Swatch()->Colour(), kRedColour);

    test::WhenDialogOpens<CListFiles>([](CListFiles& chooser) {
        chooser.List()->setCurrentItem(chooser.List()->topLevelItem(0));
        chooser.CancelButton()->click();
    });
    frame.Action(ID_GAME_CHOOSE)->trigger();
    EXPECT_EQ(frame.Board().Model().currentColour, kRedColour);
    EXPECT_EQ(frame.Swatch()->Colour(), kRedColour);

    frame.Board().Model().minutes = 2;  // the game goes on: no new set-up
    test::WhenDialogOpens<CListFiles>([](CListFiles& chooser) { chooser.OkButton()->click(); });
    frame.Action(ID_GAME_CHOOSE)->trigger();
    EXPECT_EQ(frame.Board().Model().currentColour, kGreen);
    EXPECT_EQ(frame.Swatch()->Colour(), kGreen);
    EXPECT_EQ(frame.Board().Model().minutes, 2);
}

}  // namespace
}  // namespace mosgrid
