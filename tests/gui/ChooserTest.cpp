// SPDX-License-Identifier: GPL-3.0-or-later
// The puzzle chooser (its columns and texts, the catalogue file it writes and what it gives back)
// and «Игра → Добавить кроссворд...» with the dialog that makes a picture into a puzzle.
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>

#include <array>
#include <deque>
#include <fstream>
#include <map>

#include "import/core/ClueDecision.h"
#include "import/core/Difficulty.h"
#include "import/ui/AddPuzzle.h"
#include "import/ui/ConvertDialog.h"
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
    QStringList header, rows;
    for (int c = 0; c < list->columnCount(); ++c) header << list->headerItem()->text(c);
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

TEST(ChooserTest, DifficultyIsFilledInFromTheBackgroundAndReadFromTheFileKeptForIt) {
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::WritePuzzle(folder.path(), "twice", {"1.", ".1"});  // two solutions
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
    // The next opening shows the levels kept in the file (kept by content: ImportTest.cpp).
    DifficultyCache cache;
    ASSERT_TRUE(cache.Load(folder / kDifficultyFileName));
    cache.Put(DifficultyCache::Key(test::ReadBytes(folder / "bar.bmp")), Difficulty::LookAhead);
    ASSERT_TRUE(cache.Save(folder / kDifficultyFileName));
    CListFiles chooser(folder.path());
    ASSERT_TRUE(test::WaitUntil([&] { return chooser.AllRated(); }, 60000));
    EXPECT_EQ(Levels(chooser)[QStringLiteral("bar")], QStringLiteral("просмотр"));
    EXPECT_TRUE(test::NoBoxes(prompts));
}

// Scripted file, name and conversion answers; puts itself in place while it lives.
class ScriptedImportDialogs : public ImportDialogs {
public:
    ScriptedImportDialogs() { ImportDialogs::Install(this); }
    ~ScriptedImportDialogs() override { ImportDialogs::Install(nullptr); }

    QString ChooseFile(QWidget*) override { return file; }
    std::optional<QString> AskName(QWidget*, const QString& proposed) override {
        proposedNames.push_back(proposed);
        std::optional<QString> name;
        if (!names.empty()) name = names.front(), names.pop_front();
        return name;
    }
    std::optional<Picture4> ConvertImage(QWidget*, const RgbaImage& image) override {
        return convert ? convert(image) : std::nullopt;
    }
    std::optional<Picture4> DrawPicture(QWidget*) override { return std::nullopt; }

    QString file;
    std::deque<QString> names;
    std::vector<QString> proposedNames;
    std::function<std::optional<Picture4>(const RgbaImage&)> convert;
};

QStringList ChooserNames(const GameFolders& folders) { return test::ColumnTexts(CListFiles(folders).List()); }

// An L of five cells, one solution; two cells on a diagonal, two solutions.
const char* const kUniqueNon = "title \"Уголок\"\nwidth 3\nheight 3\nrows\n1\n1\n3\ncolumns\n3\n1\n1\n";
const char* const kTwoSolutionsNon = "width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n";

TEST(AddPuzzleTest, ClueFileThroughTheMenuIsListedARefusedOneSaysWhyAndANameInUseAsksFirst) {
    test::TempFolder folder;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::ScriptedPrompts prompts;
    ScriptedImportDialogs dialogs;
    CMainFrame frame{folder.path()};
    const auto chooseFile = [&](const std::string& name, const char* text) {
        std::ofstream(folder / name) << text;
        dialogs.file = QString::fromStdString((folder / name).string());
    };

    chooseFile("corner.non", kUniqueNon);
    dialogs.names = {QStringLiteral("Уголок")};
    frame.Action(ID_GAME_ADD)->trigger();
    ASSERT_EQ(dialogs.proposedNames, std::vector<QString>{QStringLiteral("Уголок")});  // the file's title
    EXPECT_TRUE(prompts.refused.empty());
    EXPECT_EQ(ChooserNames(folder.path()), QStringList({"Уголок", "bar"}));

    chooseFile("two.non", kTwoSolutionsNon);
    frame.Action(ID_GAME_ADD)->trigger();
    ASSERT_EQ(prompts.refused.size(), 1u);
    EXPECT_TRUE(prompts.refused[0].contains(QStringLiteral("несколько решений (найдено 2)"))) << prompts.refused[0].toStdString();
    EXPECT_EQ(dialogs.proposedNames.size(), 1u);  // no name asked for a refused file
    EXPECT_EQ(ChooserNames(folder.path()), QStringList({"Уголок", "bar"}));

    // "a/b" breaks the name rule; "bar" is in use: "Нет" keeps it and the name is asked again.
    chooseFile("corner.non", kUniqueNon);
    const auto before = test::ReadBytes(folder / "bar.bmp");
    dialogs.names = {QStringLiteral("a/b"), QStringLiteral("bar"), QStringLiteral("bar")};
    prompts.Answer(false);
    prompts.Answer(true);
    EXPECT_EQ(AddPuzzleCommand(nullptr, folder.path()), std::optional<std::u16string>(u"bar"));
    EXPECT_EQ(prompts.refused.size(), 2u);
    EXPECT_EQ(prompts.asked, std::vector<QString>(2, QStringLiteral("Кроссворд «bar» уже есть. Заменить его?")));
    const auto replaced = test::ReadBytes(folder / "bar.bmp");
    EXPECT_EQ(replaced, test::ReadBytes(folder / "Уголок.bmp"));
    // Cancelling the name writes nothing.
    dialogs.names.clear();
    EXPECT_FALSE(AddPuzzleCommand(nullptr, folder.path()).has_value());
    EXPECT_EQ(test::ReadBytes(folder / "bar.bmp"), replaced);
    EXPECT_NE(replaced, before);
}

// A picture drawn from rows of text: '.' transparent, 'o' off-white background, 'R' red, 'B' blue.
RgbaImage ImageFromText(const std::vector<std::string>& rows) {
    static const std::map<char, std::array<std::uint8_t, 4>> rgba{
        {'.', {0, 0, 0, 0}}, {'o', {252, 251, 250, 255}}, {'R', {200, 20, 20, 255}}, {'B', {20, 20, 200, 255}}};
    RgbaImage image{int(rows[0].size()), int(rows.size()), {}};
    for (const std::string& row : rows)
        for (char c : row) image.rgba.insert(image.rgba.end(), rgba.at(c).begin(), rgba.at(c).end());
    return image;
}

bool WaitForVerdict(const ConvertDialog& dialog) {
    return test::WaitUntil([&] { return !dialog.Repairing() && dialog.CurrentVerdict() != ConvertDialog::Verdict::Checking; });
}

TEST(ConvertDialogTest, TwoSolutionsAreShownTheRepairEndsUniqueAndThePreviewTakesClicksAndKeys) {
    test::ScriptedPrompts prompts;
    // Two cells on a diagonal inside a blue frame column: the diagonal can flip.
    ConvertDialog dialog(ImageFromText({"R.o", ".Ro", "BBB"}));
    ASSERT_TRUE(WaitForVerdict(dialog));
    EXPECT_EQ(dialog.Picture().width, 3);
    EXPECT_EQ(dialog.CurrentVerdict(), ConvertDialog::Verdict::Several);
    EXPECT_EQ(dialog.Solutions(), 2);
    EXPECT_EQ(dialog.DifferingCells(), 4);
    EXPECT_TRUE(dialog.VerdictLabel()->text().startsWith(QStringLiteral("Решений: 2.")));
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    const Picture4 before = dialog.Picture();

    dialog.RepairButton()->click();
    ASSERT_TRUE(WaitForVerdict(dialog));
    EXPECT_EQ(dialog.CurrentVerdict(), ConvertDialog::Verdict::Unique);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    int differ = 0;
    for (std::size_t i = 0; i < before.indices.size(); ++i) differ += before.indices[i] != dialog.Picture().indices[i];
    EXPECT_GE(dialog.ChangedCells(), 1);
    EXPECT_EQ(differ, dialog.ChangedCells());

    // A click paints a cell in the first colour; the keys go on from that cell: Shift+Down
    // carries it on, Left then X whiten a cell.
    test::Click(dialog.Preview(), dialog.Preview()->CellCentre(2, 0));
    ASSERT_TRUE(WaitForVerdict(dialog));
    EXPECT_EQ(dialog.Picture().indices[2], 1);
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Down, Qt::ShiftModifier}, {Qt::Key_Left, Qt::NoModifier}, {Qt::Key_X, Qt::NoModifier}}) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(dialog.Preview(), &press);
    }
    EXPECT_TRUE(dialog.Picture().indices[3 + 2] == 1 && dialog.Picture().indices[3 + 1] == 0);
    EXPECT_TRUE(test::NoBoxes(prompts));
}

// The file written is the picture the dialog made (that the game reads it: ImportTest.cpp).
TEST(AddPuzzleTest, APictureMadeIntoAPuzzleIsWrittenAsTheDialogMadeItAndListed) {
    test::TempFolder folder;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::ScriptedPrompts prompts;
    ScriptedImportDialogs dialogs;
    // The real conversion dialog, accepted once its verdict is in.
    Picture4 made;
    dialogs.convert = [&made](const RgbaImage& image) -> std::optional<Picture4> {
        ConvertDialog dialog(image);
        if (!WaitForVerdict(dialog) || !dialog.OkButton()->isEnabled()) return std::nullopt;
        return made = dialog.Picture();
    };
    const RgbaImage drawn = ImageFromText({"oRRRRo", "RBBBBR", "RBooBR", "RBooBR", "RBBBBR", "oRR..o"});
    dialogs.file = QString::fromStdString((folder / "ring.png").string());
    ASSERT_TRUE(QImage(drawn.rgba.data(), drawn.width, drawn.height, QImage::Format_RGBA8888).save(dialogs.file));
    dialogs.names = {QStringLiteral("Кольцо")};
    CMainFrame frame{folder.path()};
    frame.Action(ID_GAME_ADD)->trigger();
    ASSERT_EQ(dialogs.proposedNames, std::vector<QString>{QStringLiteral("ring")});
    ASSERT_EQ(prompts.told.size(), 1u);
    ASSERT_TRUE(ChooserNames(folder.path()).contains(QStringLiteral("Кольцо")));
    EXPECT_EQ(test::ReadBytes(folder / "Кольцо.bmp"), EncodeBmp4(made));
}

}  // namespace
}  // namespace mosgrid
