// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a process: one run per folder, the runtime folder's guard, and the installed game
// played by someone who cannot write the install (as root, nobody; else the folders lose write bits).
#include <unistd.h>

#include <QDeadlineTimer>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>

#include <set>

#include "app/SingleInstance.h"
#include "savegame/core/LastGameCodec.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<QProcess> StartProgram(const QString& program, const QStringList& arguments,
                                       const QProcessEnvironment& environment) {
    auto run = std::make_unique<QProcess>();
    run->setProcessEnvironment(environment);
    run->start(program, arguments);
    EXPECT_TRUE(run->waitForStarted(10000));
    return run;
}

// Whether the running game comes to hold the single-instance lock of the game folder `folder` in
// the runtime folder `runtime` (it takes it once its window exists), within 30 s.
bool HoldsLock(QProcess& run, const fs::path& folder, const fs::path& runtime) {
    QLockFile lock(QString::fromStdString(runtime.string()) + '/' + SingleInstance::KeyFor(folder) + ".lock");
    for (QDeadlineTimer deadline(30000); !deadline.hasExpired() && run.state() != QProcess::NotRunning;
         run.waitForFinished(50)) {
        qint64 pid = 0;
        if (lock.getLockInfo(&pid, nullptr, nullptr) && pid == run.processId()) return true;
    }
    return false;
}

// Starts of a copy of the program in a folder of its own, with a runtime folder of their own.
struct Starts {
    Starts() {
        fs::copy_file(fs::path(MOSGRID_GAME_DIR) / "mosgrid", folder / "mosgrid");
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
    }
    std::unique_ptr<QProcess> Start() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.string()));
        return StartProgram(QString::fromStdString((folder / "mosgrid").string()), {}, environment);
    }
    bool HeldBy(QProcess& run) const { return HoldsLock(run, folder.path(), runtime); }
    test::TempFolder folder;
    fs::path runtime = folder / "run";
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

// A runtime folder that is not the user's alone is not used: the guard moves to a private
// folder of the user's own, and when there is none the start is refused with a reason.
TEST(SingleInstanceFolder, APlantedOrOpenRuntimeFolderGivesWayToAPrivateOneOrARefusal) {
    test::TempFolder root;
    const auto in = [&root](const std::string& name) { return QString::fromStdString((root / name).string()); };
    const QString fallback = in("cache/mosgrid-run");
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
    const fs::path program = root / "program";
    for (const std::string& runtime : unusable) {
        SCOPED_TRACE(runtime);
        SingleInstance first(program, in(runtime), fallback);
        ASSERT_EQ(first.Claim(0), SingleInstance::Start::First);
        EXPECT_EQ(first.Folder(), fallback);
        EXPECT_EQ(fs::symlink_status(fallback.toStdString()).permissions(), fs::perms::owner_all);
        EXPECT_TRUE(first.LockPath().startsWith(fallback));
        // The guard works there: a second start does not run.
        SingleInstance second(program, in(runtime), fallback);
        EXPECT_NE(second.Claim(0), SingleInstance::Start::First);
    }
    // A private runtime folder is used as it is; with no private folder at all the start ends.
    SingleInstance own(program, in("private"), fallback);
    ASSERT_EQ(own.Claim(0), SingleInstance::Start::First);
    EXPECT_EQ(own.Folder(), in("private"));
    SingleInstance none(program, in("link"), in("file"));
    EXPECT_EQ(none.Claim(0), SingleInstance::Start::Refused);
    EXPECT_FALSE(none.Problem().isEmpty());
}

class InstalledGame : public ::testing::Test {
protected:
    void SetUp() override {
        fs::permissions(temp.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                         fs::perms::others_read | fs::perms::others_exec);
        QProcess install;
        install.start(QStringLiteral(MOSGRID_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(MOSGRID_BINARY_DIR), QStringLiteral("--prefix"),
                       QString::fromStdString(prefix.string())});
        ASSERT_TRUE(install.waitForFinished(120000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
        // Readable by all, as a package installs it; writable by nobody but root.
        ASSERT_EQ(QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a+rX,go-w"),
                                                              QString::fromStdString(prefix.string())}), 0);
        if (::geteuid() != 0)
            for (const fs::path& folder : {bin, data}) fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
        for (const fs::path& folder : {home, runtime, xdgData}) fs::create_directories(folder);
        fs::permissions(runtime, fs::perms::owner_all);
        for (const fs::path& folder : {home, runtime, xdgData}) GivePlayer(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const fs::path& folder : {bin, data}) fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add, ignored);
    }

    // As root, the player is nobody and owns the player's folders.
    void GivePlayer(const fs::path& path) const {
        if (::geteuid() != 0) return;
        ASSERT_EQ(QProcess::execute("chown", {"-R", "nobody:nogroup", QString::fromStdString(path.string())}), 0);
    }

    // Starts the installed game, waits until it has set up (it holds the player's single-instance
    // lock once its window exists), and ends it as a logout does.
    void PlayAndQuit() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const auto set = [&](const char* name, const fs::path& value) {
            environment.insert(QString::fromLatin1(name), QString::fromStdString(value.string()));
        };
        set("HOME", home);
        set("XDG_DATA_HOME", xdgData);
        set("XDG_CONFIG_HOME", home / ".config");
        set("XDG_CACHE_HOME", home / ".cache");
        set("XDG_RUNTIME_DIR", runtime);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // A leak checker's suppressions may lie where the player cannot read them: a copy goes
        // into the test's folder.
        QString leakOptions = environment.value(QStringLiteral("LSAN_OPTIONS"));
        const QRegularExpressionMatch file = QRegularExpression(QStringLiteral("suppressions=([^:]+)")).match(leakOptions);
        if (file.hasMatch()) {
            const fs::path copy = temp / "leak.supp";
            fs::copy_file(file.captured(1).toStdString(), copy, fs::copy_options::overwrite_existing);
            fs::permissions(copy, fs::perms::others_read, fs::perm_options::add);
            leakOptions.replace(file.capturedStart(1), file.capturedLength(1), QString::fromStdString(copy.string()));
            environment.insert(QStringLiteral("LSAN_OPTIONS"), leakOptions);
        }
        const QString game = QString::fromStdString((bin / "mosgrid").string());
        const QStringList asNobody{"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--", game};
        const auto run = ::geteuid() == 0 ? StartProgram("setpriv", asNobody, environment) : StartProgram(game, {}, environment);
        ASSERT_TRUE(HoldsLock(*run, xdgData / "Mosgrid", runtime)) << run->readAllStandardError().toStdString();
        run->terminate();
        ASSERT_TRUE(run->waitForFinished(30000));
        EXPECT_EQ(run->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run->exitCode(), 0) << run->readAllStandardError().toStdString();
    }

    test::TempFolder temp;
    fs::path prefix = temp / "prefix";
    fs::path bin = prefix / "bin";
    fs::path data = prefix / "share/mosgrid";
    fs::path home = temp / "home";
    fs::path xdgData = temp / "xdg-data";
    fs::path runtime = temp / "run";
};

TEST_F(InstalledGame, KeepsTheGameInProgressInThePlayersFolderAndWritesNothingIntoTheInstall) {
    // The bundled pack is installed whole.
    std::set<std::u16string> bundled;
    for (const auto& entry : fs::directory_iterator(fs::path(MOSGRID_SOURCE_DIR) / "puzzles/src"))
        bundled.insert(entry.path().stem().u16string());
    ASSERT_FALSE(bundled.empty());
    std::set<std::u16string> installed;
    for (const auto& entry : fs::directory_iterator(data))
        if (entry.path().extension() == ".bmp") installed.insert(entry.path().stem().u16string());
    EXPECT_EQ(installed, bundled);
    EXPECT_TRUE(fs::is_regular_file(data / "mosgrid.htm"));

    // A game in progress on a bundled puzzle, left by the previous run in the player's folder.
    const std::u16string name = *bundled.begin();
    const fs::path playerFolder = xdgData / "Mosgrid";
    const fs::path saved = playerFolder / "lastcrw.sav";
    BoardModel model;
    ASSERT_TRUE(model.Setup(data / (fs::path(name).string() + ".bmp"), name));
    model.Reset();
    model.Cell(0, 0) = CellRecord{0, model.PictureColour(0, 0)};
    model.Cell(1, 1) = CellRecord{0, model.PictureColour(1, 1)};
    model.minutes = 12;
    const std::optional<std::vector<std::uint8_t>> bytes = EncodeLastGame(model);
    ASSERT_TRUE(bytes);
    fs::create_directories(playerFolder);
    test::WriteBytes(saved, *bytes);
    // What a killed save left is cleared at the start (which names: SaveFilesTest); a look-alike stays.
    for (const char* file : {"lastcrw.sav.0aZ9bY", "notes.q1W2e3"}) test::WriteBytes(playerFolder / file, {1});
    GivePlayer(playerFolder);

    // Quit and start again, twice: each start restores the game from the bundled picture and
    // each quit writes it back (a game not restored would leave no file, one started afresh no
    // marks). Only the clock may move on.
    const auto withoutClock = [](std::vector<std::uint8_t> b) {
        if (b.size() > 936) std::fill(b.begin() + 924, b.begin() + 936, 0);
        return b;
    };
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start);
        PlayAndQuit();
        ASSERT_TRUE(fs::is_regular_file(saved));
        EXPECT_EQ(withoutClock(test::ReadBytes(saved)), withoutClock(*bytes));
    }
    EXPECT_TRUE(!fs::exists(playerFolder / "lastcrw.sav.0aZ9bY") && fs::exists(playerFolder / "notes.q1W2e3"));
    // The player's own picture folder was made; nothing was written into the install.
    EXPECT_TRUE(fs::is_directory(playerFolder / "puzzles"));
    for (const auto& entry : fs::recursive_directory_iterator(prefix)) {
        const std::string file = entry.path().filename().string();
        EXPECT_TRUE(file != "mg.bd" && file != "lastcrw.sav" && file.find(".tmp") == std::string::npos) << entry.path();
    }
}

}  // namespace
}  // namespace mosgrid
