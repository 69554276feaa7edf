// SPDX-License-Identifier: GPL-3.0-or-later
// The program itself, started on a folder of its own: of starts on one folder only one runs, and
// a signal ends it as the session's end does.
#include <sys/stat.h>
#include <unistd.h>

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
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.string()));
        return test::StartProgram(QString::fromStdString((folder / "mosgrid").string()), {}, environment);
    }
    bool HeldBy(QProcess& run) const { return test::HoldsLock(run, folder.path(), runtime); }
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

// Ends a process as the session ends it; whether it was running then and ended well.
bool RanThenEnds(QProcess& run) {
    const bool up = run.state() != QProcess::NotRunning;
    run.terminate();
    return run.waitForFinished(20000) && up && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
}

TEST(ProgramRun, OfTwoStartsAtOnceOneRunsAndALockLeftByAKilledGameIsTakenOver) {
    const Starts starts;
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        const std::unique_ptr<QProcess> a = starts.Start(), b = starts.Start();
        // The one that lost asks the other to come to the front and ends; the other holds the
        // folder's lock and goes on.
        QProcess* ended = FirstToEnd(*a, *b);
        ASSERT_NE(ended, nullptr) << "both run";
        EXPECT_EQ(ended->exitCode(), 0);
        QProcess& other = ended == a.get() ? *b : *a;
        EXPECT_TRUE(starts.HeldBy(other)) << "neither runs";
        EXPECT_TRUE(RanThenEnds(other));
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
    EXPECT_TRUE(RanThenEnds(*next));
}

TEST(ProgramRun, TheStartRemovesLeftoversOfKilledSavesAndNoOtherFile) {
    const Starts starts;
    const std::vector<std::string> leftovers{"mg.bd.q1W2e3", "lastcrw.sav.0aZ9bY"};
    const std::vector<std::string> others{"mg.bd", "mg.bd.backup1", "lastcrw.sav.bad", "notes.q1W2e3", "mg.bd.q1W2e"};
    for (const auto* names : {&leftovers, &others})
        for (const std::string& name : *names) test::WriteBytes(starts.folder / name, {1});
    const std::unique_ptr<QProcess> run = starts.Start();
    ASSERT_TRUE(starts.HeldBy(*run));
    auto anyLeft = [&] {
        for (const std::string& name : leftovers)
            if (std::filesystem::exists(starts.folder / name)) return true;
        return false;
    };
    for (QDeadlineTimer deadline(20000); anyLeft() && !deadline.hasExpired();) run->waitForFinished(20);
    EXPECT_FALSE(anyLeft());
    for (const std::string& name : others) EXPECT_TRUE(std::filesystem::exists(starts.folder / name)) << name;
    run->kill();
    EXPECT_TRUE(run->waitForFinished(20000));
}

// A runtime folder that is not the user's alone is not used: the guard moves to a private
// folder of the user's own, and when there is none the start is refused with a reason.
TEST(SingleInstanceFolder, APlantedOrOpenRuntimeFolderGivesWayToAPrivateOneOrARefusal) {
    test::TempFolder root;
    namespace fs = std::filesystem;
    const QString fallback = QString::fromStdString((root / "cache/mosgrid-run").string());
    fs::create_directory(root / "private");
    fs::permissions(root / "private", fs::perms::owner_all);
    fs::create_directory_symlink(root / "private", root / "link");
    test::WriteBytes(root / "file", {1});
    std::vector<std::string> unusable{"link", "file"};
    if (::geteuid() == 0) {  // a folder someone else made, open to all (only root can make one here)
        fs::create_directory(root / "planted");
        ASSERT_EQ(::chown((root / "planted").c_str(), 65534, 65534), 0);
        fs::permissions(root / "planted", fs::perms::all);
        unusable.push_back("planted");
    }
    const std::filesystem::path program = root / "program";
    for (const std::string& runtime : unusable) {
        SCOPED_TRACE(runtime);
        const QString runtimeFolder = QString::fromStdString((root / runtime).string());
        SingleInstance first(program, runtimeFolder, fallback);
        ASSERT_EQ(first.Claim(0), SingleInstance::Start::First);
        EXPECT_EQ(first.Folder(), fallback);
        struct stat info {};
        ASSERT_EQ(::lstat(fallback.toLocal8Bit().constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_TRUE(first.LockPath().startsWith(fallback));
        // The guard works there: a second start does not run.
        SingleInstance second(program, runtimeFolder, fallback);
        EXPECT_NE(second.Claim(0), SingleInstance::Start::First);
    }
    // A private runtime folder is used as it is; with no private folder at all the start ends.
    SingleInstance own(program, QString::fromStdString((root / "private").string()), fallback);
    ASSERT_EQ(own.Claim(0), SingleInstance::Start::First);
    EXPECT_EQ(own.Folder().toStdString(), (root / "private").string());
    SingleInstance none(program, QString::fromStdString((root / "link").string()),
                        QString::fromStdString((root / "file").string()));
    EXPECT_EQ(none.Claim(0), SingleInstance::Start::Refused);
    EXPECT_FALSE(none.Problem().isEmpty());
}

}  // namespace
}  // namespace mosgrid
