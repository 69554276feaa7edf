// SPDX-License-Identifier: GPL-3.0-or-later
// "Проверить кроссворд" and the solution variants through the main window's menu actions.
#include <QProgressBar>

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <new>
#include <random>
#include <thread>

#include "app/StringTime.h"
#include "app/TerminationSignals.h"
#include "board/ui/BoardImages.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/core/LastGameStore.h"
#include "solver/ui/CheckRun.h"
#include "solver/ui/Decision.h"
#include "tests/gui/AppTestSupport.h"

// Memory running out on the check's search thread: once armed, the next allocation made on a
// thread other than the one that armed it fails, as the search's would when memory is exhausted.
namespace {
std::atomic<bool> failArmed{false};
std::thread::id armingThread;
}  // namespace

void* operator new(std::size_t size) {
    if (failArmed.load() && std::this_thread::get_id() != armingThread && failArmed.exchange(false)) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace mosgrid {
namespace {

using Rows = std::vector<std::string>;

class CheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = std::make_unique<CMainFrame>(folder.path());
        frame->resize(480, 640);
        frame->show();
        QApplication::processEvents();
    }
    void Load(const Rows& rows, const std::vector<COLORREF>& palette) {
        test::LoadPuzzle(frame->Board(), folder.path(), rows, palette);
        frame->UpdateMenuState();
    }
    CheckRun* Start(bool yes = true) {  // through the menu, answering the question `yes`
        prompts.Answer(yes);
        frame->Action(ID_OTHER_CHECK)->trigger();
        return frame->RunningCheck();
    }
    void Check(bool yes = true) {
        Start(yes);
        ASSERT_TRUE(test::WaitUntil([&] { return !frame->RunningCheck(); }, 10000)) << "the check did not end";
    }
    // A 40 x 40 picture of random pixels whose search takes many seconds, with a game in play on it:
    // cells painted and crossed out, a clue crossed out, hints on, 0:05:07 on the clock.
    void LoadLongGame() {
        std::mt19937 random(3);
        Rows rows(40);
        for (std::string& row : rows)
            for (int i = 0; i < 40; ++i) row += random() % 2 ? '1' : '.';
        Load(rows, test::kBlackOnWhite);
        Change([](BoardModel& m) { m.ColumnClue(0, 0).done = 1, m.minutes = 5, m.seconds = 7; });
        for (int i = 0; i < 2; ++i) frame->Board().MarkCell(0, 0);
        frame->Board().MarkCell(1, 0);
        frame->Board().SetHints(true);
    }
    std::vector<std::uint8_t> Game() { return EncodeLastGame(model()).value_or(std::vector<std::uint8_t>{}); }
    const BoardModel& model() { return frame->Board().Model(); }
    void Change(const std::function<void(BoardModel&)>& edit) { test::ChangeGame(frame->Board(), edit); }
    bool Enabled(CommandId id) { return frame->Action(id)->isEnabled(); }
    Rows Cells() { return test::CellRows(model()); }
    void KeepGame() { before = Game(), cellsBefore = frame->Board().Images().Cells(); }
    // After a check that ended without a result: the game and its drawing as kept, the menus
    // back and every command on offer.
    void ExpectGameAsBefore() {
        EXPECT_EQ(frame->RunningCheck(), nullptr);
        EXPECT_EQ(Game(), before);
        EXPECT_EQ(frame->Board().Images().Cells(), cellsBefore);
        EXPECT_TRUE(frame->Menus()->isEnabled() && Enabled(ID_OTHER_CHECK) && Enabled(ID_OTHER_OPEN_FIELD));
    }
    // Whether the miniature shows the cells as a board drawn afresh shows them.
    bool MiniatureShowsCells() {
        BoardImages fresh;
        fresh.Rebuild(model(), frame->Board().CellSize(), frame->Board().Images().Ratio());
        return fresh.Miniature() == frame->Board().Images().Miniature();
    }
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
    std::vector<std::uint8_t> before;
    QImage cellsBefore;
};

TEST_F(CheckTest, TwoSolutionsGiveTwoVariantsBrowsedWithinTheirLimitsAndEndTheGameWithTheClockAtZero) {
    // A fill colour other than black; the player had marked a cell and the clock had run.
    Load({"1.", ".1"}, {kWhite, 0x800000});
    frame->Board().MarkCell(1, 1);
    Change([](BoardModel& m) { m.seconds = 37; });
    ASSERT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:37"));
    Check();
    EXPECT_EQ(prompts.asked, std::vector<QString>{QStringLiteral("Проверка кроссворда может занять некоторое время.\nВы хотите продолжить?")});
    EXPECT_EQ(prompts.told, std::vector<QString>{QStringLiteral(
                                "Кроссворд решен .\nЗатрачено времени:\n0час.0мин. 0сек.\nНайдено вариантов решения - 2.")});
    ASSERT_EQ(model().variants.size(), 2u);
    EXPECT_EQ(model().gameOver, 1);
    EXPECT_FALSE(Enabled(ID_OTHER_CHECK) || Enabled(ID_OTHER_OPEN_FIELD));
    // The clock fields hold the check's duration, the label 0:00:00, and the clock stands still.
    EXPECT_FALSE(frame->Board().ClockRunning());
    EXPECT_EQ(model().hours * 3600 + model().minutes * 60 + model().seconds, 0);
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:00"));
    // Each step: the variant shown, whether "Предыдущий" and "Следующий" are on offer. At either
    // end the same variant is shown again, putting back a board scribbled on.
    const struct { CommandId command; Rows shown; bool prev, next; } steps[] = {
        {ID_OTHER_CHECK, {"x#", "#x"}, false, true}, {ID_VARIANT_NEXT, {"#x", "x#"}, true, false},
        {ID_VARIANT_NEXT, {"#x", "x#"}, true, false}, {ID_VARIANT_PREV, {"x#", "#x"}, false, true},
        {ID_VARIANT_PREV, {"x#", "#x"}, false, true}};
    for (const auto& step : steps) {
        // The menu action while it is on offer, the handler itself at the ends.
        if (step.command != ID_OTHER_CHECK && Enabled(step.command)) frame->Action(step.command)->trigger();
        else if (step.command == ID_VARIANT_NEXT) frame->OnNextVariant();
        else if (step.command == ID_VARIANT_PREV) frame->OnPrevVariant();
        EXPECT_EQ(Cells(), step.shown);
        EXPECT_TRUE(MiniatureShowsCells());
        EXPECT_EQ(Enabled(ID_VARIANT_PREV), step.prev);
        EXPECT_EQ(Enabled(ID_VARIANT_NEXT), step.next);
        // Right after the check the label shows its duration; browsing shows the variant's number.
        if (step.command != ID_OTHER_CHECK) {
            EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("Вариант %1 из 2").arg(step.prev ? 2 : 1));
        }
        Change([](BoardModel& m) { m.Cell(0, 0) = CellRecord{1, kWhite}; });
    }
    EXPECT_EQ(prompts.told.size(), 1u) << "browsing shows no message";
}

TEST_F(CheckTest, RefusalsAndContradictoryClues) {
    // Three colours: refused before the question, board and game left alone.
    Load({"12", "1."}, {kWhite, kBlack, kRed});
    frame->Board().MarkCell(0, 0);
    Change([](BoardModel& m) { m.seconds = 5; });
    KeepGame();
    frame->Action(ID_OTHER_CHECK)->trigger();
    EXPECT_EQ(prompts.refused, std::vector<QString>{QStringLiteral("Проверка цветных кроссвордов не поддерживается!")});
    EXPECT_TRUE(prompts.asked.empty() && prompts.told.empty());
    ExpectGameAsBefore();
    EXPECT_EQ(Cells(), (Rows{"#.", ".."}));
    // Answering "Нет" changes nothing either.
    Load({"1.", ".1"}, test::kBlackOnWhite);
    frame->Board().MarkCell(1, 1);
    Check(false);
    EXPECT_TRUE(prompts.told.empty() && model().gameOver == 0 && Cells() == (Rows{"..", ".#"}));
    // Row 0 asks for two filled cells while the columns give one each: no solution, game over,
    // the check still on offer and "Открыть поле" grey.
    Change([](BoardModel& m) { m.RowClue(0, 0).length = 2; });
    Check();
    EXPECT_EQ(prompts.told, std::vector<QString>{QStringLiteral("Не найдено ни одного решения.")});
    EXPECT_TRUE(model().variants.empty());
    EXPECT_EQ(model().gameOver, 1);
    EXPECT_TRUE(Enabled(ID_OTHER_CHECK) && !Enabled(ID_OTHER_OPEN_FIELD) && !Enabled(ID_VARIANT_NEXT));
}

// Ended by its button and by closing the dialog (a refused close would hold up the quit).
TEST_F(CheckTest, ALongCheckShowsItsDialogAfterASecondAndCancellingPutsTheGameBackWithItsClockRunning) {
    for (bool byClose : {false, true}) {
        SCOPED_TRACE(byClose);
        LoadLongGame();
        KeepGame();
        QElapsedTimer sinceStart;
        sinceStart.start();
        CheckRun* check = Start();
        ASSERT_NE(check, nullptr);
        CDecision* dialog = check->Dialog();
        // The board shows the search: cells decided that the player never marked.
        EXPECT_TRUE(test::WaitUntil([&] {
            const auto& shown = frame->Board().Shown().cells;
            return std::count_if(shown.begin(), shown.end(), [](const CellRecord& c) { return c.state == 0; }) > 2 ||
                   !frame->RunningCheck();
        }));
        ASSERT_EQ(frame->RunningCheck(), check) << "the search ended before it could be cancelled";
        EXPECT_EQ(Game(), before) << "the search is shown over the game, never written into it";
        EXPECT_FALSE(frame->Menus()->isEnabled());
        // However slow the search's steps, the dialog shows once its second is over, not before.
        ASSERT_TRUE(test::WaitUntil([&] { return frame->RunningCheck() != check || dialog->isVisible(); }));
        ASSERT_EQ(frame->RunningCheck(), check) << "the search ended too soon";
        EXPECT_GE(sinceStart.elapsed(), 1000);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Решение"));
        EXPECT_EQ(dialog->CancelButton()->text(), QStringLiteral("Отмена"));
        // The bar moves, by at least a pixel of its width.
        const QProgressBar* bar = dialog->Bar();
        EXPECT_TRUE(test::WaitUntil([&] {
            return frame->RunningCheck() != check || double(bar->value()) / bar->maximum() * bar->width() >= 1;
        }));
        ASSERT_EQ(frame->RunningCheck(), check) << "the search ended too soon";

        if (byClose) {
            EXPECT_TRUE(dialog->close());
            EXPECT_EQ(frame->RunningCheck(), nullptr);
        } else {
            dialog->CancelButton()->click();
        }
        // At once, not when the search is over (minutes away); bench_check times it. The bound is
        // loose because a sanitizer build on a loaded machine steps slowly.
        EXPECT_TRUE(test::WaitUntil([&] { return !frame->RunningCheck(); }, 10000));
        ExpectGameAsBefore();
        EXPECT_TRUE(prompts.told.empty());
        EXPECT_TRUE(frame->Board().CanUndo()) << "the player's steps survive a cancelled check";
        // The clock runs on from 0:05:07.
        EXPECT_TRUE(test::WaitUntil([&] { return model().minutes * 60 + model().seconds != 5 * 60 + 7; }));
        EXPECT_EQ(model().minutes * 60 + model().seconds, 5 * 60 + 8);
    }
}

TEST_F(CheckTest, MemoryRunningOutDuringTheSearchIsToldAndTheGameIsLeftAsItWas) {
    LoadLongGame();
    KeepGame();
    armingThread = std::this_thread::get_id();
    failArmed = true;
    Start();
    const bool ended = test::WaitUntil([&] { return frame->RunningCheck() == nullptr; });
    failArmed = false;
    ASSERT_TRUE(ended) << "the check did not end";
    EXPECT_EQ(prompts.told, std::vector<QString>{QStringLiteral("Не хватает памяти !!!")});
    ExpectGameAsBefore();
    EXPECT_TRUE(model().gameOver == 0 && model().variants.empty());
}

TEST_F(CheckTest, ATerminationSignalDuringACheckEndsTheProgramAtOnceWithThePlayersGameSaved) {
    QuitOnTerminationSignals();
    // In the first second, and once the dialog shows (quitting closes every window first, the
    // main window's close saving the game).
    for (bool dialogShown : {false, true}) {
        SCOPED_TRACE(dialogShown);
        frame = std::make_unique<CMainFrame>(folder.path());
        frame->show();
        LoadLongGame();
        KeepGame();
        Start();
        // A loop the signal fails to end at once (within a loose 10 s, not when the search is
        // over) is ended by the guard, and the test fails.
        QTimer guard, trigger;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        QObject::connect(&trigger, &QTimer::timeout, [&] {
            const CheckRun* running = frame->RunningCheck();
            if (dialogShown && running && !running->Dialog()->isVisible()) return;
            trigger.stop();
            guard.start(10000);
            ::kill(::getpid(), SIGTERM);
        });
        trigger.start(dialogShown ? 10 : 300);
        guard.start(60000);
        // The program's own loop, which the signal ends; the game is saved as it ends.
        EXPECT_EQ(QApplication::exec(), 0);
        BoardModel saved;
        ASSERT_EQ(RestoreLastGame(folder.path(), saved), RestoreOutcome::Restored);
        EXPECT_EQ(EncodeLastGame(saved), before);
    }
}

}  // namespace
}  // namespace mosgrid
