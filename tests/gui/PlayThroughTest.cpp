// A whole game through the real main window, from the chooser to the solved message and the
// catalogue file, then restarting, hints and opening the field, with the menu after each step.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTreeWidget>

#include "app/ColourSwatch.h"
#include "app/MainFrame.h"
#include "app/StringTime.h"
#include "catalogue/ui/ListFiles.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

constexpr COLORREF kBlue = 0xFF0000;

// A plus sign: five blue cells, four white ones that must be crossed.
const std::vector<std::string> kPlus = {".1.", "111", ".1."};

// Restart, open field, check, previous, next ('-' when grey), then the check mark of the hints.
std::string Items(const CMainFrame& f) {
    std::string s;
    for (auto [id, letter] : {std::pair{ID_GAME_RESTART, 'R'}, {ID_OTHER_OPEN_FIELD, 'O'}, {ID_OTHER_CHECK, 'C'},
                              {ID_VARIANT_PREV, 'P'}, {ID_VARIANT_NEXT, 'N'}})
        s += f.Action(id)->isEnabled() ? letter : '-';
    return s + (f.Action(ID_OTHER_HINTS)->isChecked() ? 'H' : '-');
}

using Lines = std::vector<std::string>;

class PlayThroughTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WritePuzzle(folder.path(), "plus", kPlus, {kWhite, kBlue});
        test::WritePuzzle(folder.path(), "bar", {"11", ".."});
        test::WritePuzzle(folder.path(), "dot", {"1"});
        frame.show();
        QApplication::processEvents();
    }
    void Click(int column, int row) { test::LeftClick(board.viewport(), test::CellCentre(board, column, row)); }
    // The catalogue file's records as "name count h:m:s".
    Lines Catalogue() const {
        Lines out;
        for (const auto& r : test::ReadCatalog(folder / "mg.bd"))
            out.push_back(QString::fromStdU16String(r.name).toStdString() + " " + std::to_string(r.solvedCount) +
                          " " + std::to_string(r.hours) + ":" + std::to_string(r.minutes) + ":" +
                          std::to_string(r.seconds));
        return out;
    }
    // Opens the chooser, selects the row of `name` and presses "ОК".
    void Choose(const QString& name) {
        test::WhenDialogOpens<CListFiles>([name](CListFiles& chooser) {
            chooser.List()->setCurrentItem(chooser.List()->findItems(name, Qt::MatchExactly).value(0));
            chooser.OkButton()->click();
        });
        frame.Action(ID_GAME_CHOOSE)->trigger();
        ASSERT_EQ(board.Model().name, name.toStdU16String());
    }

    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    CMainFrame frame{folder.path()};
    CGmGride& board = frame.Board();
};

TEST_F(PlayThroughTest, ChooseSolveAndRecordTheBestTimeThenRestartAndOpenTheField) {
    EXPECT_FALSE(board.Model().HasPuzzle());
    EXPECT_EQ(Items(frame), "------");

    Choose(QStringLiteral("plus"));
    EXPECT_EQ(frame.Swatch()->Colour(), kBlue);
    EXPECT_EQ(frame.TimeLabel()->text(), QStringLiteral("0:00:00"));
    EXPECT_EQ(Items(frame), "ROC---");
    EXPECT_EQ(Catalogue(), (Lines{"bar 0 0:0:0", "dot 0 0:0:0", "plus 0 0:0:0"}));  // written by the chooser

    // Three minutes and seven seconds into the game the last cell is clicked: blue cells once,
    // white cells (0, 2, 6, 8) twice, painted then crossed, the centre last.
    board.Model().minutes = 3;
    board.Model().seconds = 7;
    for (int cell : {0, 0, 1, 2, 2, 3, 5, 6, 6, 7, 8, 8, 4}) Click(cell % 3, cell / 3);
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(prompts.told[0],
              QStringLiteral("Кроссворд решен.\nЗатрачено времени - 0:03:07.\nЛучшее время - 0:03:07."));
    EXPECT_EQ(board.Model().gameOver, 1);
    EXPECT_EQ(Catalogue(), (Lines{"bar 0 0:0:0", "dot 0 0:0:0", "plus 1 0:3:7"}));
    EXPECT_EQ(Items(frame), "ROC---");  // solving is no command: the menu waits for the next one
    const CellRecord centre = board.Model().Cell(1, 1);
    Click(1, 1);  // clicks after the end change nothing
    EXPECT_TRUE(board.Model().Cell(1, 1).state == centre.state && board.Model().Cell(1, 1).colour == centre.colour);

    frame.Action(ID_GAME_RESTART)->trigger();
    EXPECT_EQ(board.Model().gameOver, 0);
    EXPECT_EQ(board.Model().Cell(1, 1).state, 1);
    EXPECT_EQ(frame.TimeLabel()->text(), QStringLiteral("0:00:00"));
    EXPECT_EQ(Items(frame), "ROC---");

    frame.Action(ID_OTHER_HINTS)->trigger();
    EXPECT_EQ(Items(frame), "ROC--H");
    EXPECT_EQ(board.Model().hints, 1);
    // Opening the field asks; only "Да" ends the game, with no solve recorded.
    const QString question = QStringLiteral("Вы действительно хотите открыть поле ?\n(Игра будет проиграна)  ");
    prompts.Answer(false);
    prompts.Answer(true);
    frame.Action(ID_OTHER_OPEN_FIELD)->trigger();
    EXPECT_EQ(board.Model().gameOver, 0);
    frame.Action(ID_OTHER_OPEN_FIELD)->trigger();
    EXPECT_EQ(prompts.asked, (std::vector<QString>{question, question}));
    EXPECT_EQ(board.Model().gameOver, 1);
    EXPECT_TRUE(board.Model().Cell(1, 1).state == 0 && board.Model().Cell(1, 1).colour == kBlue);  // the picture shown
    EXPECT_EQ(Items(frame), "R-C--H");
    EXPECT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(Catalogue(), (Lines{"bar 0 0:0:0", "dot 0 0:0:0", "plus 1 0:3:7"}));
}

}  // namespace
}  // namespace mosgrid
