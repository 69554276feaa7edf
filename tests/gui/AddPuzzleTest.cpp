// SPDX-License-Identifier: GPL-3.0-or-later
// «Игра → Добавить кроссворд...»: a clue file becomes a puzzle of the chooser, a refused one says
// why, a name in use asks before replacing, and a picture made into a puzzle is played and solved.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include <QAction>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include <array>
#include <deque>
#include <functional>
#include <fstream>

#include "app/MainFrame.h"
#include "common/BmpFile.h"
#include "catalogue/ui/ListFiles.h"
#include "import/core/TimedSearch.h"
#include "import/ui/AddPuzzle.h"
#include "import/ui/ConvertDialog.h"
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
    std::optional<Picture4> ConvertImage(QWidget*, const RgbaImage& image) override {
        if (convert) return convert(image);
        return std::nullopt;
    }
    std::optional<Picture4> DrawPicture(QWidget*) override { return std::nullopt; }

    QString file;
    std::deque<QString> names;
    std::vector<QString> proposedNames;
    std::function<std::optional<Picture4>(const RgbaImage&)> convert;
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

// A picture drawn from rows of text: '.' transparent, 'o' off-white background, 'R' red, 'B' blue.
RgbaImage ImageFromText(const std::vector<std::string>& rows) {
    RgbaImage image;
    image.width = int(rows[0].size());
    image.height = int(rows.size());
    for (const std::string& row : rows) {
        for (char c : row) {
            const std::array<std::uint8_t, 4> pixel = c == 'R'   ? std::array<std::uint8_t, 4>{200, 20, 20, 255}
                                                      : c == 'B' ? std::array<std::uint8_t, 4>{20, 20, 200, 255}
                                                      : c == 'o' ? std::array<std::uint8_t, 4>{252, 251, 250, 255}
                                                                 : std::array<std::uint8_t, 4>{0, 0, 0, 0};
            image.rgba.insert(image.rgba.end(), pixel.begin(), pixel.end());
        }
    }
    return image;
}

void RightClick(QWidget* widget, QPoint at) {
    const QPoint global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

bool WaitForVerdict(const ConvertDialog& dialog) {
    return test::WaitUntil([&] { return !dialog.Repairing() && dialog.CurrentVerdict() != ConvertDialog::Verdict::Checking; });
}

TEST(ConvertDialogTest, TwoSolutionsAreShownWithTheirCellsAndTheRepairEndsUnique) {
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
    const TimedCount count = CountWithin(PuzzleFromPicture(dialog.Picture()), 5, std::chrono::seconds(20), 0);
    EXPECT_EQ(count.solutions, 1);

    // A settings change converts again and checks again; a click on a cell changes the puzzle.
    dialog.ColoursBox()->setValue(1);
    ASSERT_TRUE(WaitForVerdict(dialog));
    EXPECT_EQ(dialog.Picture().palette.size(), 2u);
    const auto verdictAgrees = [&dialog] {
        const long n = CountWithin(PuzzleFromPicture(dialog.Picture()), 5, std::chrono::seconds(20), 0).solutions;
        return dialog.CurrentVerdict() == (n == 1 ? ConvertDialog::Verdict::Unique : ConvertDialog::Verdict::Several);
    };
    EXPECT_TRUE(verdictAgrees());
    for (int column : {1, 2}) {
        test::LeftClick(dialog.Preview(), dialog.Preview()->CellCentre(column, 0));
        ASSERT_TRUE(WaitForVerdict(dialog));
        EXPECT_EQ(dialog.Picture().indices[std::size_t(column)], 1);
        EXPECT_TRUE(verdictAgrees()) << column;
    }
    // The keys, from the cell last clicked: Shift+Down carries it on, Left then X whiten a cell.
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Down, Qt::ShiftModifier}, {Qt::Key_Left, Qt::NoModifier}, {Qt::Key_X, Qt::NoModifier}}) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(dialog.Preview(), &press);
    }
    EXPECT_TRUE(dialog.Picture().indices[3 + 2] == 1 && dialog.Picture().indices[3 + 1] == 0);
    EXPECT_TRUE(test::NoBoxes(prompts));
}

TEST(AddPuzzleTest, APictureMadeIntoAPuzzleIsFoundPlayedAndSolved) {
    test::TempFolder folder;
    test::WritePuzzle(folder.path(), "bar", {"11", ".."});
    test::ScriptedPrompts prompts;
    ScriptedImportDialogs dialogs;
    // The real conversion dialog, accepted once its verdict is in.
    Picture4 made;
    dialogs.convert = [&made](const RgbaImage& image) -> std::optional<Picture4> {
        ConvertDialog dialog(image);
        if (!WaitForVerdict(dialog) || !dialog.OkButton()->isEnabled()) return std::nullopt;
        made = dialog.Picture();
        return made;
    };
    const RgbaImage drawn = ImageFromText({"oRRRRo", "RBBBBR", "RBooBR", "RBooBR", "RBBBBR", "oRR..o"});
    const QImage png(drawn.rgba.data(), drawn.width, drawn.height, QImage::Format_RGBA8888);
    ASSERT_TRUE(png.save(QString::fromStdString((folder / "ring.png").string())));
    dialogs.file = QString::fromStdString((folder / "ring.png").string());
    dialogs.names = {QStringLiteral("Кольцо")};
    CMainFrame frame{folder.path()};
    frame.show();
    frame.Action(ID_GAME_ADD)->trigger();
    ASSERT_EQ(dialogs.proposedNames, std::vector<QString>{QStringLiteral("ring")});
    ASSERT_EQ(prompts.told.size(), 1u);
    ASSERT_TRUE(ChooserNames(folder.path()).contains(QStringLiteral("Кольцо")));

    ASSERT_EQ(test::ReadBytes(folder / "Кольцо.bmp"), EncodeBmp4(made));
    const Picture4& written = made;
    frame.StartChosenPuzzle(folder / "Кольцо.bmp", u"Кольцо");
    CGmGride& board = frame.Board();
    ASSERT_TRUE(board.Model().HasPuzzle());
    int solved = 0;
    QObject::connect(&board, &CGmGride::puzzleSolved, [&solved] { ++solved; });
    for (int r = 0; r < written.height; ++r) {
        for (int c = 0; c < written.width; ++c) {
            const COLORREF colour = written.palette[written.indices[std::size_t(r * written.width + c)]];
            const QPoint at = test::CellCentre(board, c, r);
            if (colour == kWhite) {
                RightClick(board.viewport(), at);
            } else {
                board.SetCurrentColour(colour);
                test::LeftClick(board.viewport(), at);
            }
        }
    }
    EXPECT_EQ(solved, 1);
    EXPECT_EQ(board.Model().gameOver, 1);
}

}  // namespace
}  // namespace mosgrid
