// «Игра → Добавить кроссворд...»: a clue file becomes a puzzle of the chooser, a refused one says
// why, a name in use asks before replacing, and a picture made into a puzzle is played and solved.
#include <gtest/gtest.h>

#include <QAction>
#include <QTreeWidget>

#include <deque>
#include <fstream>

#include "app/MainFrame.h"
#include "catalogue/core/BmpFile.h"
#include "catalogue/ui/ListFiles.h"
#include "import/ui/AddPuzzle.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

// Scripted file, name and conversion answers; puts itself in place while it lives.
class ScriptedImportDialogs : public ImportDialogs {
public:
    ScriptedImportDialogs() { ImportDialogs::Install(this); }
    ~ScriptedImportDialogs() override { ImportDialogs::Install(nullptr); }

    QString ChooseFile(QWidget*) override { return file; }
    std::optional<QString> AskName(QWidget*, const QString& proposed) override {
        proposedNames.push_back(proposed);
        if (names.empty()) return std::nullopt;
        const QString name = names.front();
        names.pop_front();
        return name;
    }
    std::optional<Picture4> ConvertImage(QWidget*, const RgbaImage&) override { return converted; }

    QString file;
    std::deque<QString> names;
    std::vector<QString> proposedNames;
    std::optional<Picture4> converted;
};

void WriteText(const std::filesystem::path& path, const std::string& text) { std::ofstream(path) << text; }

QStringList ChooserNames(const GameFolders& folders) {
    CListFiles chooser(folders);
    QStringList names;
    for (int i = 0; i < chooser.List()->topLevelItemCount(); ++i) names << chooser.List()->topLevelItem(i)->text(0);
    return names;
}

// An L of five cells, one solution.
const char* const kUniqueNon = "title \"Уголок\"\nwidth 3\nheight 3\nrows\n1\n1\n3\ncolumns\n3\n1\n1\n";
// Two cells on a diagonal: two solutions.
const char* const kTwoSolutionsNon = "width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n";

TEST(AddPuzzleTest, ClueFileThroughTheMenuIsListedAndARefusedOneSaysWhy) {
    test::TempFolder folder;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::ScriptedPrompts prompts;
    ScriptedImportDialogs dialogs;
    CMainFrame frame{folder.path()};

    WriteText(folder / "corner.non", kUniqueNon);
    dialogs.file = QString::fromStdString((folder / "corner.non").string());
    dialogs.names = {QStringLiteral("Уголок")};
    frame.Action(ID_GAME_ADD)->trigger();
    ASSERT_EQ(dialogs.proposedNames, std::vector<QString>{QStringLiteral("Уголок")});  // the file's title
    EXPECT_TRUE(prompts.refused.empty());
    EXPECT_EQ(ChooserNames(folder.path()), QStringList({"Уголок", "bar"}));
    CBmpFile written;
    ASSERT_EQ(written.Load(folder / "Уголок.bmp"), 1);
    EXPECT_EQ(written.infoHeader.biWidth, 3);
    EXPECT_EQ(written.infoHeader.biHeight, 3);
    EXPECT_EQ(written.infoHeader.biBitCount, 4);

    WriteText(folder / "two.non", kTwoSolutionsNon);
    dialogs.file = QString::fromStdString((folder / "two.non").string());
    frame.Action(ID_GAME_ADD)->trigger();
    ASSERT_EQ(prompts.refused.size(), 1u);
    EXPECT_TRUE(prompts.refused[0].contains(QStringLiteral("несколько решений (найдено 2)"))) << prompts.refused[0].toStdString();
    WriteText(folder / "broken.non", "width 2\nheight 2\nrows\n3\n1\ncolumns\n1\n1\n");
    dialogs.file = QString::fromStdString((folder / "broken.non").string());
    frame.Action(ID_GAME_ADD)->trigger();
    ASSERT_EQ(prompts.refused.size(), 2u);
    EXPECT_FALSE(prompts.refused[1].isEmpty());
    EXPECT_EQ(dialogs.proposedNames.size(), 1u);  // no name asked for a refused file
    EXPECT_EQ(ChooserNames(folder.path()), QStringList({"Уголок", "bar"}));
}

TEST(AddPuzzleTest, ANameInUseAsksBeforeReplacingAndABadNameIsAskedAgain) {
    test::TempFolder folder;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::ScriptedPrompts prompts;
    ScriptedImportDialogs dialogs;
    WriteText(folder / "corner.non", kUniqueNon);
    dialogs.file = QString::fromStdString((folder / "corner.non").string());
    const auto before = test::ReadBytes(folder / "bar.bmp");

    // "a/b" breaks the name rule; "bar" is in use: "Нет" keeps it and the name is asked again.
    dialogs.names = {QStringLiteral("a/b"), QStringLiteral("bar"), QStringLiteral("bar")};
    prompts.Answer(false);
    prompts.Answer(true);
    const std::optional<std::u16string> name = AddPuzzleCommand(nullptr, folder.path());
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, u"bar");
    EXPECT_EQ(prompts.refused.size(), 1u);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0], QStringLiteral("Кроссворд «bar» уже есть. Заменить его?"));
    EXPECT_NE(test::ReadBytes(folder / "bar.bmp"), before);
    CBmpFile written;
    ASSERT_EQ(written.Load(folder / "bar.bmp"), 1);
    EXPECT_EQ(written.infoHeader.biWidth, 3);

    // Cancelling the name writes nothing.
    dialogs.names.clear();
    const auto replaced = test::ReadBytes(folder / "bar.bmp");
    EXPECT_FALSE(AddPuzzleCommand(nullptr, folder.path()).has_value());
    EXPECT_EQ(test::ReadBytes(folder / "bar.bmp"), replaced);
}

}  // namespace
}  // namespace mosgrid
