// The program itself, started on a folder of its own: of starts on one folder only one runs, and
// a signal ends it as the session's end does.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QLockFile>
#include <QProcess>

#include "app/SingleInstance.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

// Starts of a copy of the program in a folder of its own, with a runtime folder of their own.
struct Starts {
    Starts() {
        std::filesystem::copy_file(std::filesystem::path(MOSGRID_GAME_DIR) / "mosgrid", folder / "mosgrid");
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    }
    std::unique_ptr<QProcess> Start() const {
        auto run = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.string()));
        run->setProcessEnvironment(environment);
        run->start(QString::fromStdString((folder / "mosgrid").string()), {});
        EXPECT_TRUE(run->waitForStarted(10000));
        return run;
    }
    // Whether the process comes to hold the folder's lock (within 20 s).
    bool HeldBy(QProcess& run) const {
        const QString key = SingleInstance::KeyFor(folder.path());
        QLockFile lock(QString::fromStdString(runtime.string()) + '/' + key + ".lock");
        for (QDeadlineTimer deadline(20000); !deadline.hasExpired(); run.waitForFinished(50)) {
            qint64 pid = 0;
            if (lock.getLockInfo(&pid, nullptr, nullptr) && pid == run.processId()) return true;
        }
        return false;
    }
    test::TempFolder folder;
    std::filesystem::path runtime = folder / "run";
};

// The first of two processes to end within 20 s, or none.
QProcess* FirstToEnd(QProcess& a, QProcess& b) {
    for (QDeadlineTimer deadline(20000); !deadline.hasExpired();)
        for (QProcess* run : {&a, &b})
            if (run->state() == QProcess::NotRunning || run->waitForFinished(25)) return run;
    return nullptr;
}

// Whether the process is still up after `ms` more; then it is ended as the session ends it.
bool StaysUpThenEnds(QProcess& run, int ms) {
    run.waitForFinished(ms);
    const bool up = run.state() != QProcess::NotRunning;
    run.terminate();
    run.waitForFinished(20000);
    EXPECT_EQ(run.exitCode(), 0);
    return up;
}

TEST(ProgramRun, OfTwoStartsAtOnceOneRunsAndALockLeftByAKilledGameIsTakenOver) {
    const Starts starts;
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        const std::unique_ptr<QProcess> a = starts.Start(), b = starts.Start();
        // The one that lost asks the other to come to the front and ends; the other goes on.
        QProcess* ended = FirstToEnd(*a, *b);
        ASSERT_NE(ended, nullptr) << "both run";
        EXPECT_EQ(ended->exitCode(), 0);
        EXPECT_TRUE(StaysUpThenEnds(ended == a.get() ? *b : *a, 1500)) << "neither runs";
    }

    // Killed outright, the game leaves its lock behind; the next start takes it over, and a start
    // after that finds that one running.
    const std::unique_ptr<QProcess> killed = starts.Start();
    ASSERT_TRUE(starts.HeldBy(*killed));
    killed->kill();
    ASSERT_TRUE(killed->waitForFinished(10000));
    const std::unique_ptr<QProcess> next = starts.Start();
    EXPECT_TRUE(starts.HeldBy(*next)) << "the lock of the killed game kept it out";
    const std::unique_ptr<QProcess> later = starts.Start();
    EXPECT_EQ(FirstToEnd(*later, *next), later.get());
    EXPECT_EQ(later->exitCode(), 0);
    EXPECT_TRUE(StaysUpThenEnds(*next, 0));
}

}  // namespace
}  // namespace mosgrid
