// "Проверить кроссворд" and the solution variants, driven through the main window's menu
// actions with scripted message boxes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/StringTime.h"
#include "board/core/GameClock.h"
#include "board/ui/BoardImages.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/Text.h"
#include "solver/ui/CheckCommand.h"
#include "solver/core/ProgressTracker.h"
#include "solver/ui/Decision.h"
#include "solver/ui/SearchPainter.h"
#include "solver/core/SolvePuzzle.h"
#include "tests/gui/AppTestSupport.h"
#include "tests/gui/ScriptedPrompts.h"

namespace mosgrid {
namespace {

using test::ScriptedPrompts;

constexpr COLORREF kNavy = 0x800000;
const QString kQuestion = QStringLiteral("Проверка кроссворда может занять некоторое время.\nВы хотите продолжить?");
const QString kRefusal = QStringLiteral("Проверка цветных кроссвордов не поддерживается!");
const QString kNone = QStringLiteral("Не найдено ни одного решения.");

QString Result(int h, int m, int s, int count) {
    return QStringLiteral("Кроссворд решен .\nЗатрачено времени:\n%1час.%2мин. %3сек.\nНайдено вариантов решения - %4.")
        .arg(h).arg(m).arg(s).arg(count);
}

// Watches every progress dialog of the application: whether one was shown, how often it was
// painted and which values its bar took.
class DecisionWatcher : public QObject {
public:
    DecisionWatcher() { qApp->installEventFilter(this); }
    ~DecisionWatcher() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* object, QEvent* event) override {
        if (auto* dialog = qobject_cast<CDecision*>(object)) {
            if (event->type() == QEvent::Show) {
                ++shows;
                title = dialog->windowTitle();
                values.push_back(dialog->Bar()->value());
                QObject::connect(dialog->Bar(), &QProgressBar::valueChanged, this,
                                 [this](int v) { values.push_back(v); });
            }
        }
        if (event->type() == QEvent::Paint && object->inherits("QProgressBar") &&
            qobject_cast<CDecision*>(object->parent()))
            ++barPaints;
        return false;
    }

    int shows = 0;
    int barPaints = 0;
    QString title;
    std::vector<int> values;
};

class CheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = std::make_unique<CMainFrame>(folder.path());
        frame->resize(480, 640);
        frame->show();
        QApplication::processEvents();
    }
    // Writes the picture and sets it up on the board as the chooser does.
    void Load(const std::vector<std::string>& rows, const std::vector<COLORREF>& palette) {
        test::WritePuzzle(folder.path(), "p", rows, palette);
        board().SetupPuzzle(folder / "p.bmp", u"p");
        ASSERT_TRUE(model().HasPuzzle());
        board().ApplyFirstPuzzleColour();
        frame->UpdateMenuState();
    }
    CGmGride& board() { return frame->Board(); }
    BoardModel& model() { return frame->Board().Model(); }
    bool Enabled(CommandId id) { return frame->Action(id)->isEnabled(); }
    void Trigger(CommandId id) { frame->Action(id)->trigger(); }
    // Checks through the menu, answering the question "Да".
    void Check() {
        ASSERT_TRUE(Enabled(ID_OTHER_CHECK));
        prompts.Answer(true);
        Trigger(ID_OTHER_CHECK);
    }
    // The cells as text: '.' blank, 'x' decided white, '#' decided with the first non-white
    // colour of `colours`, '2' with the second.
    std::vector<std::string> Cells(const BoardModel::Cells& cells, const std::vector<COLORREF>& colours) {
        std::vector<std::string> out;
        for (int r = 0; r < model().rows(); ++r) {
            std::string line;
            for (int c = 0; c < model().cols(); ++c) {
                const CellRecord& cell = cells[std::size_t(r * model().cols() + c)];
                if (cell.state == 1) line += '.';
                else if (cell.colour == kWhite) line += 'x';
                else if (cell.colour == colours[0]) line += '#';
                else if (colours.size() > 1 && cell.colour == colours[1]) line += '2';
                else line += '?';
            }
            out.push_back(line);
        }
        return out;
    }
    // What the miniature image shows, in the same letters (white for blank and crossed alike).
    std::vector<std::string> Miniature(const std::vector<COLORREF>& colours) {
        const QImage& mini = board().Images().Miniature();
        std::vector<std::string> out;
        for (int r = 0; r < model().rows(); ++r) {
            std::string line;
            for (int c = 0; c < model().cols(); ++c) {
                const QRgb p = mini.pixel(c, r) & 0xFFFFFF;
                auto rgb = [](COLORREF x) { return QRgb((x & 0xFF) << 16 | (x & 0xFF00) | (x >> 16 & 0xFF)); };
                if (p == rgb(kWhite)) line += '.';
                else if (p == rgb(colours[0])) line += '#';
                else if (colours.size() > 1 && p == rgb(colours[1])) line += '2';
                else line += '?';
            }
            out.push_back(line);
        }
        return out;
    }
    test::TempFolder folder;
    ScriptedPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(CheckTest, LineSolvablePuzzleGivesOneVariantQuicklyAndEndsTheGameWithTheClockStill) {
    // A fill colour other than black, palette entry 0 white.
    Load({"111", "1.1", "111"}, {kWhite, kNavy});
    // The player had marked a cell and the clock had run.
    board().UpdateCell(1, 1, CellUpdate::Mark);
    model().seconds = 37;
    board().ShowTime();
    ASSERT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:37"));

    DecisionWatcher watcher;
    Check();
    EXPECT_EQ(prompts.asked, std::vector<QString>{kQuestion});
    EXPECT_EQ(prompts.told, std::vector<QString>{Result(0, 0, 0, 1)});
    EXPECT_TRUE(prompts.refused.empty());
    EXPECT_EQ(watcher.shows, 0) << "a check under a second never shows its dialog";

    ASSERT_EQ(model().variants.size(), 1u);
    EXPECT_EQ(model().currentVariant, 0);
    const std::vector<std::string> solved = {"###", "#x#", "###"};
    EXPECT_EQ(Cells(model().cells, {kNavy}), solved);
    EXPECT_EQ(Cells(model().variants[0], {kNavy}), solved);
    EXPECT_EQ(Miniature({kNavy}), (std::vector<std::string>{"###", "#.#", "###"}));
    EXPECT_EQ(model().gameOver, 1);
    // The clock fields hold the check's duration; the label shows the new game's 0:00:00.
    EXPECT_EQ((ClockTime{model().hours, model().minutes, model().seconds}), (ClockTime{0, 0, 0}));
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:00"));

    // Variants stored: the check is greyed, both variant commands too (one variant), the game is over.
    EXPECT_FALSE(Enabled(ID_OTHER_CHECK));
    EXPECT_FALSE(Enabled(ID_VARIANT_PREV));
    EXPECT_FALSE(Enabled(ID_VARIANT_NEXT));
    EXPECT_FALSE(Enabled(ID_OTHER_OPEN_FIELD));
    EXPECT_TRUE(Enabled(ID_GAME_RESTART));

    // The game clock stands still after the check.
    QEventLoop wait;
    QTimer::singleShot(1200, &wait, &QEventLoop::quit);
    wait.exec();
    EXPECT_EQ(model().seconds, 0);
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:00"));
}

TEST_F(CheckTest, TwoByTwoWithEveryClueOneGivesTwoVariantsInOrderAndBrowsesWithinLimits) {
    Load({"1.", ".1"}, {kWhite, kBlack});
    Check();
    EXPECT_EQ(prompts.asked, std::vector<QString>{kQuestion});
    EXPECT_EQ(prompts.told, std::vector<QString>{Result(0, 0, 0, 2)});
    ASSERT_EQ(model().variants.size(), 2u);
    EXPECT_EQ(Cells(model().variants[0], {kBlack}), (std::vector<std::string>{"x#", "#x"}));
    EXPECT_EQ(Cells(model().variants[1], {kBlack}), (std::vector<std::string>{"#x", "x#"}));
    EXPECT_EQ(Cells(model().cells, {kBlack}), (std::vector<std::string>{"x#", "#x"}));
    EXPECT_EQ(Miniature({kBlack}), (std::vector<std::string>{".#", "#."}));
    EXPECT_FALSE(Enabled(ID_OTHER_CHECK));
    EXPECT_FALSE(Enabled(ID_VARIANT_PREV));
    EXPECT_TRUE(Enabled(ID_VARIANT_NEXT));

    Trigger(ID_VARIANT_NEXT);
    EXPECT_EQ(model().currentVariant, 1);
    EXPECT_EQ(Cells(model().cells, {kBlack}), (std::vector<std::string>{"#x", "x#"}));
    EXPECT_EQ(Miniature({kBlack}), (std::vector<std::string>{"#.", ".#"}));
    EXPECT_TRUE(Enabled(ID_VARIANT_PREV));
    EXPECT_FALSE(Enabled(ID_VARIANT_NEXT));

    // At the last variant "Следующий" shows the same variant again: a board scribbled on is
    // put back.
    model().Cell(0, 0) = CellRecord{1, kWhite};
    board().PaintCell(0, 0);
    frame->OnNextVariant();
    EXPECT_EQ(model().currentVariant, 1);
    EXPECT_EQ(Cells(model().cells, {kBlack}), (std::vector<std::string>{"#x", "x#"}));
    EXPECT_EQ(Miniature({kBlack}), (std::vector<std::string>{"#.", ".#"}));

    Trigger(ID_VARIANT_PREV);
    EXPECT_EQ(model().currentVariant, 0);
    EXPECT_EQ(Miniature({kBlack}), (std::vector<std::string>{".#", "#."}));
    EXPECT_FALSE(Enabled(ID_VARIANT_PREV));
    EXPECT_TRUE(Enabled(ID_VARIANT_NEXT));
    model().Cell(1, 0) = CellRecord{1, kWhite};
    board().PaintCell(1, 0);
    frame->OnPrevVariant();
    EXPECT_EQ(model().currentVariant, 0);
    EXPECT_EQ(Cells(model().cells, {kBlack}), (std::vector<std::string>{"x#", "#x"}));
    EXPECT_EQ(prompts.told.size(), 1u) << "browsing shows no message";

    // A restart discards the variants: the check is offered again, the variant commands greyed.
    Trigger(ID_GAME_RESTART);
    EXPECT_TRUE(model().variants.empty());
    EXPECT_TRUE(Enabled(ID_OTHER_CHECK));
    EXPECT_FALSE(Enabled(ID_VARIANT_NEXT));
    EXPECT_FALSE(Enabled(ID_VARIANT_PREV));
    frame->OnNextVariant();  // nothing to show
    EXPECT_EQ(Cells(model().cells, {kBlack}), (std::vector<std::string>{"..", ".."}));
}

TEST_F(CheckTest, MoreThanAHundredSolutionsKeepTheFirstHundredInSearchOrder) {
    // A 5 x 5 permutation: every line one cell, 120 solutions.
    Load({"1....", ".1...", "..1..", "...1.", "....1"}, {kWhite, kBlack});
    Check();
    EXPECT_EQ(prompts.told, std::vector<QString>{Result(0, 0, 0, 100)});
    ASSERT_EQ(model().variants.size(), 100u);
    // Lexicographic order with empty before filled: the anti-diagonal first, then the one that
    // swaps its last two rows.
    EXPECT_EQ(Cells(model().variants[0], {kBlack}),
              (std::vector<std::string>{"xxxx#", "xxx#x", "xx#xx", "x#xxx", "#xxxx"}));
    EXPECT_EQ(Cells(model().variants[1], {kBlack}),
              (std::vector<std::string>{"xxxx#", "xxx#x", "xx#xx", "#xxxx", "x#xxx"}));
    for (int i = 0; i < 99; ++i) Trigger(ID_VARIANT_NEXT);
    EXPECT_EQ(model().currentVariant, 99);
    EXPECT_FALSE(Enabled(ID_VARIANT_NEXT));
    EXPECT_EQ(Cells(model().cells, {kBlack}), Cells(model().variants[99], {kBlack}));
}

TEST_F(CheckTest, ContradictoryCluesFindNoSolutionAndTheGameIsStillOver) {
    Load({"1.", ".1"}, {kWhite, kBlack});
    // Row 0 now asks for two filled cells while the columns give one each.
    model().RowClue(0, 0).length = 2;
    Check();
    EXPECT_EQ(prompts.asked, std::vector<QString>{kQuestion});
    EXPECT_EQ(prompts.told, std::vector<QString>{kNone});
    EXPECT_TRUE(model().variants.empty());
    EXPECT_EQ(model().gameOver, 1);
    // No variants: the check stays on offer; the game is over, so "Открыть поле" is grey.
    EXPECT_TRUE(Enabled(ID_OTHER_CHECK));
    EXPECT_FALSE(Enabled(ID_OTHER_OPEN_FIELD));
    EXPECT_FALSE(Enabled(ID_VARIANT_NEXT));
    EXPECT_FALSE(Enabled(ID_VARIANT_PREV));
}

TEST_F(CheckTest, ThreeColourPuzzleIsRefusedAndLeavesBoardAndGameAlone) {
    Load({"12", "1."}, {kWhite, kBlack, kRed});
    board().UpdateCell(0, 0, CellUpdate::Mark);
    model().seconds = 5;
    const std::vector<std::string> before = Cells(model().cells, {kBlack, kRed});
    ASSERT_EQ(before, (std::vector<std::string>{"#.", ".."}));
    const QImage cellsImage = board().Images().Cells();
    Trigger(ID_OTHER_CHECK);
    EXPECT_EQ(prompts.refused, std::vector<QString>{kRefusal});
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(prompts.told.empty());
    EXPECT_EQ(Cells(model().cells, {kBlack, kRed}), before);
    EXPECT_EQ(board().Images().Cells(), cellsImage);
    EXPECT_EQ(model().seconds, 5);
    EXPECT_EQ(model().gameOver, 0);
    EXPECT_TRUE(model().variants.empty());
    EXPECT_TRUE(Enabled(ID_OTHER_CHECK));
    EXPECT_TRUE(Enabled(ID_OTHER_OPEN_FIELD));
}

TEST_F(CheckTest, AnsweringNoOrHavingNoPuzzleChangesNothing) {
    frame->OnCheckPuzzle();  // no puzzle: no message at all
    EXPECT_TRUE(prompts.asked.empty() && prompts.told.empty() && prompts.refused.empty());
    EXPECT_FALSE(Enabled(ID_OTHER_CHECK));

    Load({"1.", ".1"}, {kWhite, kBlack});
    board().UpdateCell(1, 1, CellUpdate::Mark);
    const std::vector<std::string> before = Cells(model().cells, {kBlack});
    ASSERT_EQ(before, (std::vector<std::string>{"..", ".#"}));
    prompts.Answer(false);
    Trigger(ID_OTHER_CHECK);
    EXPECT_EQ(prompts.asked, std::vector<QString>{kQuestion});
    EXPECT_TRUE(prompts.told.empty());
    EXPECT_EQ(Cells(model().cells, {kBlack}), before);
    EXPECT_EQ(model().gameOver, 0);
    EXPECT_TRUE(Enabled(ID_OTHER_CHECK));
}

TEST_F(CheckTest, BlackAndRedWithoutWhiteAreCheckedExactly) {
    // Runs of different colours touch; there is no white at all, not even in the palette.
    Load({"..1", ".11", "111"}, {kBlack, kRed});
    ASSERT_EQ(model().picture.colourCount, 2);
    Check();
    EXPECT_EQ(prompts.told, std::vector<QString>{Result(0, 0, 0, 1)});
    ASSERT_EQ(model().variants.size(), 1u);
    EXPECT_EQ(Cells(model().cells, {kBlack, kRed}), (std::vector<std::string>{"##2", "#22", "222"}));
    EXPECT_EQ(Miniature({kBlack, kRed}), (std::vector<std::string>{"##2", "#22", "222"}));
}

TEST_F(CheckTest, LongCheckShowsTheDialogMovesItsBarAndStoresItsDuration) {
    // 15 x 15, lines alone: 225 steps of progress.
    std::vector<std::string> rows;
    for (int r = 0; r < 15; ++r) {
        std::string line;
        for (int c = 0; c < 15; ++c) line += (c <= r || c == 14) ? '1' : '.';
        rows.push_back(line);
    }
    Load(rows, {kWhite, kBlack});
    // A clock that stands at the start for the dialog's construction and its range, then
    // stands 1 hour 2 minutes 3 seconds later.
    int calls = 0;
    auto clock = [&calls]() -> std::uint32_t { return ++calls <= 2 ? 1000u : 1000u + 3'723'000u; };
    DecisionWatcher watcher;
    CheckPuzzle(board(), frame.get(), clock);
    EXPECT_EQ(watcher.shows, 1);
    EXPECT_EQ(watcher.title, QStringLiteral("Решение"));
    EXPECT_GT(watcher.barPaints, 0) << "the dialog paints itself when shown";
    // Lines alone decide the cells one step at a time: the bar takes exactly the values the
    // threshold lets through for positions 1 to 225, few of them.
    ProgressTracker expected(0);
    expected.SetRange(225, 0);
    std::vector<int> moves;
    for (std::uint32_t p = 1; p <= 225; ++p)
        if (expected.SetPos(p, 0).moveBar) moves.push_back(int(p));
    EXPECT_EQ(watcher.values, moves);
    EXPECT_LT(moves.size(), 40u);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(prompts.told, std::vector<QString>{Result(1, 2, 3, 1)});
    EXPECT_EQ((ClockTime{model().hours, model().minutes, model().seconds}), (ClockTime{1, 2, 3}));
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:00"));
    // The dialog is gone once the check is over.
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<CDecision*>(w), nullptr);
}

TEST_F(CheckTest, SearchPaintsTheBoardOnlyAsOftenAsTheIntervalAllows) {
    Load({"1....", ".1...", "..1..", "...1.", "....1"}, {kWhite, kBlack});
    model().Reset();
    // Counts the board's paints.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    board().viewport()->installEventFilter(&counter);
    // Every reading of the clock is 10 ms later: a repaint is due every fifth line pass.
    std::uint32_t now = 0;
    SearchPainter painter(board(), 50, [&now] { return now += 10; });
    CountingProgress progress;
    const SolveResult result = SolvePuzzle(model(), progress, &painter);
    ASSERT_EQ(result.count, 100);
    ASSERT_GT(result.linePasses, 50);
    EXPECT_EQ(painter.Repaints(), result.linePasses / 5);
    EXPECT_EQ(counter.paints, painter.Repaints());
    // At the end the board shows the cells as the search left them.
    painter.Finish();
    EXPECT_EQ(counter.paints, painter.Repaints());
    std::vector<std::string> shown = Cells(model().cells, {kBlack});
    for (std::string& line : shown)
        for (char& ch : line)
            if (ch == 'x') ch = '.';
    EXPECT_EQ(Miniature({kBlack}), shown);
    board().viewport()->removeEventFilter(&counter);
}

TEST(DecisionTest, MovesTheBarAtTheThresholdsOfItsStep) {
    CDecision dialog(nullptr, [] { return 0u; });
    dialog.SetRange(25);
    EXPECT_EQ(dialog.Bar()->maximum(), 25);
    std::vector<int> moves;
    QObject::connect(dialog.Bar(), &QProgressBar::valueChanged, [&](int v) { moves.push_back(v); });
    for (std::uint32_t p = 1; p <= 15; ++p) {
        dialog.SetPos(p);
        EXPECT_EQ(dialog.GetPos(), p);
    }
    EXPECT_EQ(moves, (std::vector<int>{1, 2, 5, 6, 9, 10, 13, 14}));
    EXPECT_EQ(dialog.Tracker().Threshold(), 16u);
    // StepIt goes on from the position and wraps past the range.
    dialog.SetPos(25);
    dialog.StepIt();
    EXPECT_EQ(dialog.GetPos(), 0u);
}

TEST(DecisionTest, StaysHiddenForASecondThenShowsAndPaintsAtOnce) {
    std::uint32_t now = 500;
    CDecision dialog(nullptr, [&now] { return now; });
    DecisionWatcher watcher;
    now = 2000;
    dialog.SetRange(10);
    now = 3000;
    dialog.StepIt();
    EXPECT_FALSE(dialog.isVisible());
    now = 3001;
    dialog.StepIt();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_GT(watcher.barPaints, 0);
    EXPECT_EQ(watcher.shows, 1);
    dialog.StepIt();
    EXPECT_EQ(watcher.shows, 1);
}

TEST(DecisionTest, EveryCloseRequestIsAnsweredAndTheDialogStays) {
    ScriptedPrompts prompts;
    CDecision dialog(nullptr, [] { return 0u; });
    dialog.show();
    QApplication::processEvents();
    EXPECT_FALSE(dialog.close());
    dialog.reject();
    dialog.accept();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompts.told, std::vector<QString>(4, QStringLiteral("Дождитесь окончания проверки.")));
    EXPECT_TRUE(prompts.asked.empty() && prompts.refused.empty());
    EXPECT_EQ(dialog.result(), 0);
}

}  // namespace
}  // namespace mosgrid
