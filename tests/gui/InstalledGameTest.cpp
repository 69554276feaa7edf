// SPDX-License-Identifier: GPL-3.0-or-later
// The game installed into a prefix of its own and played by someone who cannot write the install:
// the bundled puzzles come from the install's data folder, the game in progress lives in the
// player's data folder and survives a quit and a new start, and nothing is written into the
// install. Run as root, the game is started as the user nobody, for whom the install is not
// writable; run as anyone else, the install's folders lose their write bits.
#include <pwd.h>
#include <unistd.h>

#include <QRegularExpression>

#include <set>

#include "catalogue/core/GameFolders.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/core/LastGameStore.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;

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
        for (const fs::path& folder : {home, runtime, xdgData}) GivePlayer(folder);
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
        const std::unique_ptr<QProcess> run =
            ::geteuid() != 0 ? test::StartProgram(game, {}, environment)
                             : test::StartProgram(QStringLiteral("setpriv"), {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                                  QStringLiteral("--clear-groups"), QStringLiteral("--"), game}, environment);
        ASSERT_TRUE(test::HoldsLock(*run, xdgData / "Mosgrid", runtime)) << run->readAllStandardError().toStdString();
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

    // Those folders list the bundled puzzles and the player's own as one, the catalogue kept in
    // the player's folder.
    test::WritePuzzle(playerFolder / "puzzles", "Мой кот", {"1.", ".1"});
    const test::ScriptedPrompts prompts;
    std::set<std::u16string> listed, expected = bundled;
    for (const QString& name : test::ColumnTexts(CListFiles(folders).List())) listed.insert(name.toStdU16String());
    expected.insert(u"Мой кот");
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(fs::is_regular_file(playerFolder / "mg.bd"));
}

}  // namespace
}  // namespace mosgrid
