// The program itself, started on a folder of its own: it restores the saved game, its clock runs
// on, and a signal that ends it (as the session's end does) still leaves the game saved; of
// starts on one folder only one runs.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>

#include <tuple>

#include "app/SingleInstance.h"
#include "catalogue/core/Text.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/core/LastGameStore.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

TEST(ProgramRun, TerminationSignalSavesTheRestoredGameWithItsClockRunOn) {
    test::TempFolder folder;
    std::filesystem::copy_file(std::filesystem::path(MOSGRID_GAME_DIR) / "mosgrid", folder / "mosgrid");

    // A game in progress: the top row painted, a clue crossed out, 0:07:10 on the clock.
    test::WritePuzzle(folder.path(), "bar", {"1111", "1..1", "1111"}, {kWhite, kRed});
    BoardModel game;
    ASSERT_TRUE(game.Setup(PicturePath(folder.path(), u"bar"), u"bar"));
    game.Reset();
    for (int c = 0; c < 4; ++c) game.Cell(c, 0) = {0, kRed};
    game.rowSolved[0] = game.ColumnClue(0, 0).done = 1;
    game.minutes = 7;
    game.seconds = 10;
    ASSERT_EQ(SaveLastGame(folder.path(), game).outcome, LastGameSaveResult::Outcome::Written);

    QProcess run;  // on the tests' own platform, offscreen unless another is asked for
    run.start(QString::fromStdString((folder / "mosgrid").string()), {});
    ASSERT_TRUE(run.waitForStarted(10000));
    // Long enough for the start and at least one tick of the clock.
    EXPECT_FALSE(run.waitForFinished(3000)) << "the program ended by itself";
    run.terminate();  // SIGTERM
    ASSERT_TRUE(run.waitForFinished(10000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);

    // Everything as it was, but the clock, which went on from 0:07:10.
    BoardModel after;
    ASSERT_EQ(RestoreLastGame(folder.path(), after), RestoreOutcome::Restored);
    const int elapsed = (after.hours * 60 + after.minutes) * 60 + after.seconds;
    EXPECT_GT(elapsed, 7 * 60 + 10);
    EXPECT_LT(elapsed, 7 * 60 + 10 + 60);
    std::tie(after.hours, after.minutes, after.seconds) = std::tuple(0, 7, 10);
    EXPECT_EQ(EncodeLastGame(after), EncodeLastGame(game));
}

// Starts of a copy of the program in a folder of its own, with a runtime folder of their own.
class Starts {
public:
    Starts() {
        std::filesystem::copy_file(std::filesystem::path(MOSGRID_GAME_DIR) / "mosgrid", folder_ / "mosgrid");
        std::filesystem::create_directory(runtime_);
        std::filesystem::permissions(runtime_, std::filesystem::perms::owner_all);
    }
    std::unique_ptr<QProcess> Start() const {
        auto run = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime_.string()));
        run->setProcessEnvironment(environment);
        run->start(QString::fromStdString((folder_ / "mosgrid").string()), {});
        EXPECT_TRUE(run->waitForStarted(10000));
        return run;
    }
    // The socket the running game listens on.
    std::filesystem::path Socket() const {
        return runtime_ / (SingleInstance::KeyFor(folder_.path()) + QStringLiteral(".socket")).toStdString();
    }

private:
    test::TempFolder folder_;
    std::filesystem::path runtime_ = folder_ / "run";
};

// The first of two processes to end within the time given, or none.
QProcess* FirstToEnd(QProcess& a, QProcess& b, int ms) {
    for (QDeadlineTimer deadline(ms); !deadline.hasExpired();) {
        for (QProcess* run : {&a, &b})
            if (run->state() == QProcess::NotRunning || run->waitForFinished(25)) return run;
    }
    return nullptr;
}

// Whether the process is still up after `ms` more.
bool StaysUp(QProcess& run, int ms) {
    run.waitForFinished(ms);
    return run.state() != QProcess::NotRunning;
}

void EndsNormally(QProcess& run) {
    if (run.state() != QProcess::NotRunning) {
        run.terminate();
        ASSERT_TRUE(run.waitForFinished(20000));
    }
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);
}

TEST(ProgramRun, OfTwoStartsAtOnceOneRunsAndALockLeftByAKilledGameIsTakenOver) {
    const Starts starts;
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        const std::unique_ptr<QProcess> a = starts.Start(), b = starts.Start();
        // The one that lost asks the other to come to the front and ends; the other goes on.
        QProcess* ended = FirstToEnd(*a, *b, 20000);
        ASSERT_NE(ended, nullptr) << "both run";
        QProcess* other = ended == a.get() ? b.get() : a.get();
        EndsNormally(*ended);
        EXPECT_TRUE(StaysUp(*other, 1500)) << "neither runs";
        EndsNormally(*other);
    }

    // Killed outright, the game leaves its lock and socket behind; the next start takes them over
    // and a start after that finds it running.
    const std::unique_ptr<QProcess> killed = starts.Start();
    for (QDeadlineTimer deadline(20000); !std::filesystem::exists(starts.Socket()) && !deadline.hasExpired();)
        killed->waitForFinished(50);
    killed->kill();
    ASSERT_TRUE(killed->waitForFinished(10000));
    const std::unique_ptr<QProcess> next = starts.Start();
    EXPECT_TRUE(StaysUp(*next, 2000)) << "the lock of the killed game kept it out";
    const std::unique_ptr<QProcess> later = starts.Start();
    EXPECT_EQ(FirstToEnd(*later, *next, 20000), later.get());
    EndsNormally(*later);
    EndsNormally(*next);
}

}  // namespace
}  // namespace mosgrid
