// Whole games through the real main window: choosing in the chooser, playing by clicks to the
// solved message, the catalogue file afterwards, restarting, the random pick, hints and opening
// the field, with the menu state after each step.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>
#include <set>

#include "app/ColourSwatch.h"
#include "app/MainFrame.h"
#include "app/StringTime.h"
#include "catalogue/ui/ListFiles.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

using test::FileRecord;
using test::ScriptedPrompts;
using test::TempFolder;

constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGreen = 0x00A000;

// A plus sign: five blue cells, four white ones that must be crossed.
const std::vector<std::string> kPlus = {".1.", "111", ".1."};

void Click(CGmGride& board, int column, int row) {
    const QPoint at = test::CellCentre(board, column, row);
    QWidget* target = board.viewport();
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

int RowOf(QTreeWidget* list, const QString& name) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == name) return i;
    return -1;
}

class PlayThroughTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WritePuzzle(folder.path(), "plus", kPlus, {kWhite, kBlue});
        test::WritePuzzle(folder.path(), "bar", {"11", ".."}, {kWhite, kGreen});
        test::WritePuzzle(folder.path(), "dot", {"1"}, {kWhite, kGreen});
    }
    std::unique_ptr<CMainFrame> Start() {
        auto frame = std::make_unique<CMainFrame>(folder.path());
        frame->show();
        QApplication::processEvents();
        return frame;
    }
    // Opens the chooser, selects the row of `name` (none when empty) and presses "ОК".
    void Choose(CMainFrame& frame, const QString& name) {
        bool seen = false;
        test::WhenDialogOpens<CListFiles>([&](CListFiles& chooser) {
            seen = true;
            if (!name.isEmpty()) {
                const int row = RowOf(chooser.List(), name);
                EXPECT_GE(row, 0) << name.toStdString();
                if (row >= 0) chooser.List()->setCurrentItem(chooser.List()->topLevelItem(row));
            }
            chooser.OkButton()->click();
        });
        frame.Action(ID_GAME_CHOOSE)->trigger();
        EXPECT_TRUE(seen);
    }
    // Clicks every cell of the plus into its solution: blue cells once, white cells twice
    // (painted, then crossed); the centre cell comes last.
    void SolvePlus(CMainFrame& frame) {
        CGmGride& board = frame.Board();
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                if (c == 1 && r == 1) continue;
                Click(board, c, r);
                if (kPlus[std::size_t(r)][std::size_t(c)] == '.') Click(board, c, r);
            }
        Click(board, 1, 1);
    }

    TempFolder folder;
    ScriptedPrompts prompts;
};

TEST_F(PlayThroughTest, ChooseSolveAndRecordTheBestTimeThenRestart) {
    auto frame = Start();
    CGmGride& board = frame->Board();

    Choose(*frame, QStringLiteral("plus"));
    ASSERT_TRUE(board.Model().HasPuzzle());
    EXPECT_EQ(board.Model().cols(), 3);
    EXPECT_EQ(board.Model().currentColour, kBlue);
    EXPECT_EQ(frame->Swatch()->Colour(), kBlue);
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:00"));
    MenuState inPlay = frame->CurrentMenuState();
    EXPECT_TRUE(frame->Action(ID_GAME_RESTART)->isEnabled());
    EXPECT_TRUE(frame->Action(ID_OTHER_OPEN_FIELD)->isEnabled());
    EXPECT_TRUE(frame->Action(ID_OTHER_CHECK)->isEnabled());
    EXPECT_FALSE(frame->Action(ID_VARIANT_NEXT)->isEnabled());
    EXPECT_TRUE(inPlay.openFieldEnabled);
    // Opening the chooser created the catalogue file, every puzzle unsolved.
    std::vector<FileRecord> records = test::ReadCatalogueFile(folder / "mg.bd");
    ASSERT_EQ(records.size(), 3u);
    for (const FileRecord& r : records) EXPECT_EQ(r.solvedCount, 0);

    // Three minutes and seven seconds into the game the last cell is clicked.
    board.Model().minutes = 3;
    board.Model().seconds = 7;
    SolvePlus(*frame);
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(prompts.told.back(),
              QStringLiteral("Кроссворд решен.\nЗатрачено времени - 0:03:07.\nЛучшее время - 0:03:07."));
    EXPECT_EQ(board.Model().gameOver, 1);

    records = test::ReadCatalogueFile(folder / "mg.bd");
    ASSERT_EQ(records.size(), 3u);
    for (const FileRecord& r : records) {
        if (r.name == u"plus") {
            EXPECT_EQ(r.solvedCount, 1);
            EXPECT_EQ(r.hours, 0);
            EXPECT_EQ(r.minutes, 3);
            EXPECT_EQ(r.seconds, 7);
        } else {
            EXPECT_EQ(r.solvedCount, 0);
        }
    }

    // Solving is no command: the menu keeps its state until the next one runs.
    EXPECT_TRUE(frame->Action(ID_OTHER_OPEN_FIELD)->isEnabled());
    // Clicks after the end change nothing.
    const CellRecord corner = board.Model().Cell(0, 0);
    Click(board, 0, 0);
    EXPECT_EQ(board.Model().Cell(0, 0).state, corner.state);
    EXPECT_EQ(board.Model().Cell(0, 0).colour, corner.colour);

    frame->Action(ID_GAME_RESTART)->trigger();
    EXPECT_EQ(board.Model().gameOver, 0);
    EXPECT_EQ(board.Model().Cell(1, 1).state, 1);
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:00"));
    EXPECT_EQ(frame->CurrentMenuState(), inPlay);
    EXPECT_TRUE(frame->Action(ID_OTHER_OPEN_FIELD)->isEnabled());

    // The chooser shows the new best time.
    test::WhenDialogOpens<CListFiles>([&](CListFiles& chooser) {
        const int row = RowOf(chooser.List(), QStringLiteral("plus"));
        EXPECT_GE(row, 0);
        if (row >= 0) {
            EXPECT_EQ(chooser.List()->topLevelItem(row)->text(3), QStringLiteral("0:03:07"));
        }
        chooser.CancelButton()->click();
    });
    frame->Action(ID_GAME_CHOOSE)->trigger();
    EXPECT_EQ(board.Model().name, u"plus");
}

TEST_F(PlayThroughTest, RandomPickTakesOnlyTheLeastSolvedPuzzles) {
    test::WriteCatalogueFile(folder / "mg.bd", {{u"bar", 2}, {u"dot", 0}, {u"plus", 0}});
    auto frame = Start();
    std::set<std::u16string> picked;
    for (int i = 0; i < 20; ++i) {
        frame->Action(ID_GAME_RANDOM)->trigger();
        ASSERT_TRUE(frame->Board().Model().HasPuzzle());
        picked.insert(frame->Board().Model().name);
    }
    EXPECT_EQ(picked.count(u"bar"), 0u);
    EXPECT_TRUE(frame->Action(ID_GAME_RESTART)->isEnabled());
    EXPECT_TRUE(frame->Action(ID_OTHER_OPEN_FIELD)->isEnabled());
    // The random pick only reads the catalogue file.
    EXPECT_EQ(test::ReadCatalogueFile(folder / "mg.bd")[0].solvedCount, 2);

    // With one least-solved puzzle it is the one picked, every time, with its colour.
    test::WriteCatalogueFile(folder / "mg.bd", {{u"bar", 1}, {u"dot", 1}, {u"plus", 0}});
    for (int i = 0; i < 3; ++i) {
        frame->Action(ID_GAME_RANDOM)->trigger();
        EXPECT_EQ(frame->Board().Model().name, u"plus");
        EXPECT_EQ(frame->Swatch()->Colour(), kBlue);
    }
}

TEST_F(PlayThroughTest, HintsOnAndOffRestoreTheBoardAndTheMarkAgreesWithTheFlag) {
    auto frame = Start();
    Choose(*frame, QStringLiteral("bar"));
    ASSERT_TRUE(frame->Board().Model().HasPuzzle());
    // The second row of "bar" is white: crossing both cells completes it.
    Click(frame->Board(), 0, 1);
    Click(frame->Board(), 0, 1);
    Click(frame->Board(), 1, 1);
    Click(frame->Board(), 1, 1);
    ASSERT_EQ(frame->Board().Model().rowSolved[1], 1);
    const QImage before = frame->Board().ComposedImage();

    QAction* hints = frame->Action(ID_OTHER_HINTS);
    hints->trigger();
    EXPECT_TRUE(hints->isChecked());
    EXPECT_EQ(frame->Board().Model().hints, 1);
    const QImage on = frame->Board().ComposedImage();
    EXPECT_NE(on, before);  // the complete row is marked

    hints->trigger();
    EXPECT_FALSE(hints->isChecked());
    EXPECT_EQ(frame->Board().Model().hints, 0);
    const QImage off = frame->Board().ComposedImage();
    EXPECT_NE(off, on);

    // Twice more: the board comes back to the same two pictures.
    hints->trigger();
    EXPECT_TRUE(hints->isChecked());
    EXPECT_EQ(frame->Board().ComposedImage(), on);
    hints->trigger();
    EXPECT_FALSE(hints->isChecked());
    EXPECT_EQ(frame->Board().ComposedImage(), off);
    EXPECT_TRUE(test::NoBoxes(prompts));
}

TEST_F(PlayThroughTest, OpenFieldAsksAndOnlyYesEndsTheGame) {
    auto frame = Start();
    Choose(*frame, QStringLiteral("plus"));
    ASSERT_TRUE(frame->Board().Model().HasPuzzle());
    const QString question = QStringLiteral("Вы действительно хотите открыть поле ?\n(Игра будет проиграна)  ");

    prompts.Answer(false);
    frame->Action(ID_OTHER_OPEN_FIELD)->trigger();
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], question);
    EXPECT_EQ(frame->Board().Model().gameOver, 0);
    EXPECT_EQ(frame->Board().Model().Cell(1, 1).state, 1);
    EXPECT_TRUE(frame->Action(ID_OTHER_OPEN_FIELD)->isEnabled());

    prompts.Answer(true);
    frame->Action(ID_OTHER_OPEN_FIELD)->trigger();
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1], question);
    EXPECT_EQ(frame->Board().Model().gameOver, 1);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(frame->Board().Model().Cell(c, r).state, 0);
            EXPECT_EQ(frame->Board().Model().Cell(c, r).colour, kPlus[std::size_t(r)][std::size_t(c)] == '1' ? kBlue : kWhite);
        }
    EXPECT_FALSE(frame->Action(ID_OTHER_OPEN_FIELD)->isEnabled());
    EXPECT_TRUE(frame->Action(ID_GAME_RESTART)->isEnabled());
    // No solved message and no solve recorded.
    EXPECT_TRUE(prompts.told.empty());
    for (const FileRecord& r : test::ReadCatalogueFile(folder / "mg.bd")) EXPECT_EQ(r.solvedCount, 0);
}

}  // namespace
}  // namespace mosgrid
