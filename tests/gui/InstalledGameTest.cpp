// SPDX-License-Identifier: GPL-3.0-or-later
// The game installed into a prefix of its own and played by someone who cannot write the install:
// the bundled puzzles come from the install's data folder, the game in progress lives in the
// player's data folder and survives a quit and a new start, and nothing is written into the
// install. Run as root, the game is started as the user nobody, for whom the install is not
// writable; run as anyone else, the install's folders lose their write bits.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTreeWidget>

#include <set>

#include "app/SingleInstance.h"
#include "catalogue/core/GameFolders.h"
#include "catalogue/ui/ListFiles.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/core/LastGameStore.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;

std::set<std::u16string> ListedNames(const CListFiles& chooser) {
    std::set<std::u16string> names;
    for (int i = 0; i < chooser.List()->topLevelItemCount(); ++i)
        names.insert(chooser.List()->topLevelItem(i)->text(0).toStdU16String());
    return names;
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
        if (::geteuid() != 0) {
            for (const fs::path& folder : {bin, data})
                fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
        }
        for (const fs::path& folder : {home, runtime, xdgData}) fs::create_directories(folder);
        fs::permissions(runtime, fs::perms::owner_all);
        GivePlayer(home);
        GivePlayer(runtime);
        GivePlayer(xdgData);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const fs::path& folder : {bin, data}) fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add, ignored);
    }

    // As root, the player is nobody and owns the player's folders.
    void GivePlayer(const fs::path& path) const {
        if (::geteuid() != 0) return;
        const passwd* nobody = ::getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        ASSERT_EQ(QProcess::execute(QStringLiteral("chown"),
                                    {QStringLiteral("-R"), QStringLiteral("%1:%2").arg(nobody->pw_uid).arg(nobody->pw_gid),
                                     QString::fromStdString(path.string())}), 0);
    }

    std::unique_ptr<QProcess> StartGame() const {
        auto run = std::make_unique<QProcess>();
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
        run->setProcessEnvironment(environment);
        const QString game = QString::fromStdString((bin / "mosgrid").string());
        if (::geteuid() == 0) {
            run->start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                                   QStringLiteral("--clear-groups"), QStringLiteral("--"), game});
        } else {
            run->start(game, {});
        }
        EXPECT_TRUE(run->waitForStarted(10000));
        return run;
    }

    // Starts the installed game, waits until it has set up (it holds the player's single-instance
    // lock once its window exists), and ends it as a logout does.
    void PlayAndQuit() const {
        const std::unique_ptr<QProcess> run = StartGame();
        const QString key = SingleInstance::KeyFor(xdgData / "Mosgrid");
        QLockFile lock(QString::fromStdString(runtime.string()) + '/' + key + ".lock");
        bool held = false;
        for (QDeadlineTimer deadline(30000); !held && !deadline.hasExpired(); run->waitForFinished(50)) {
            qint64 pid = 0;
            held = lock.getLockInfo(&pid, nullptr, nullptr) && pid == run->processId();
            if (run->state() == QProcess::NotRunning) break;
        }
        ASSERT_TRUE(held) << run->readAllStandardError().toStdString();
        run->terminate();
        ASSERT_TRUE(run->waitForFinished(30000));
        EXPECT_EQ(run->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run->exitCode(), 0) << run->readAllStandardError().toStdString();
    }

    Environment PlayerEnvironment() const {
        return [this](const char* name) -> std::optional<std::string> {
            if (std::string(name) == "XDG_DATA_HOME") return xdgData.string();
            if (std::string(name) == "HOME") return home.string();
            return std::nullopt;
        };
    }

    test::TempFolder temp;
    fs::path prefix = temp / "prefix";
    fs::path bin = prefix / "bin";
    fs::path data = prefix / "share/mosgrid";
    fs::path home = temp / "home";
    fs::path xdgData = temp / "xdg-data";
    fs::path runtime = temp / "run";
};

TEST_F(InstalledGame, KeepsTheGameInProgressInThePlayersFolderAndListsTheBundledPuzzles) {
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
    // The folders the installed game chose, as the player's environment gives them.
    const GameFolders folders = ChooseGameFolders(bin, InstalledDataFolder(bin), PlayerEnvironment());
    ASSERT_EQ(folders.mode, RunMode::Installed);
    BoardModel restored;
    ASSERT_EQ(RestoreLastGame(folders, restored), RestoreOutcome::Restored);
    EXPECT_GE(restored.minutes, 12);

    // The player's own picture folder was made; nothing was written into the install.
    EXPECT_TRUE(fs::is_directory(playerFolder / "puzzles"));
    for (const auto& entry : fs::recursive_directory_iterator(prefix)) {
        const std::string file = entry.path().filename().string();
        EXPECT_TRUE(file != "mg.bd" && file != "lastcrw.sav" && file.find(".tmp") == std::string::npos) << entry.path();
    }

    // Those folders list the bundled puzzles and the player's own as one.
    test::WritePuzzle(playerFolder / "puzzles", "Мой кот", {"1.", ".1"});
    const test::ScriptedPrompts prompts;
    const CListFiles chooser(folders);
    std::set<std::u16string> expected = bundled;
    expected.insert(u"Мой кот");
    EXPECT_EQ(ListedNames(chooser), expected);
    EXPECT_TRUE(fs::is_regular_file(playerFolder / "mg.bd"));
}

// The player's folder that the command-line tools resolve is the one Qt gives the game, from
// XDG_DATA_HOME or from the home.
TEST(InstalledGameFolders, ThePlayersFolderIsQtsAppDataLocation) {
    const test::TempFolder temp;
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME"), oldHome = qgetenv("HOME");
    const QString oldName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QString::fromLatin1(kPlayerFolderName));
    const auto restore = [](const char* name, const QByteArray& value) {
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    };
    qputenv("HOME", QByteArray::fromStdString((temp / "home").string()));
    for (const bool withXdg : {true, false}) {
        SCOPED_TRACE(withXdg);
        if (withXdg) {
            qputenv("XDG_DATA_HOME", QByteArray::fromStdString((temp / "share").string()));
        } else {
            qunsetenv("XDG_DATA_HOME");
        }
        EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString(),
                  PlayerFolder().string());
    }
    EXPECT_EQ(PlayerFolder(), temp / "home/.local/share/Mosgrid");
    QCoreApplication::setApplicationName(oldName);
    restore("XDG_DATA_HOME", oldXdg);
    restore("HOME", oldHome);
}

}  // namespace
}  // namespace mosgrid
