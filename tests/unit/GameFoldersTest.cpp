// SPDX-License-Identifier: GPL-3.0-or-later
// Where the game reads pictures and keeps the player's files: portable or installed; the player's
// pictures and the bundled ones as one list.
#include <gtest/gtest.h>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <map>

#include "catalogue/core/Catalog.h"
#include "catalogue/core/GameFolders.h"
#include "catalogue/core/PictureFiles.h"
#include "savegame/core/LastGameStore.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

Environment Env(std::map<std::string, std::string> values) {
    return [values](const char* name) { return values.contains(name) ? std::optional(values.at(name)) : std::nullopt; };
}

void WritePuzzle(const fs::path& file) {
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(WriteBmp4(file, test::PictureFromText({"1."}, {kWhite, kBlack})));
}

// Runs `check` in a process that cannot write `folder`: as root, a child process of the user
// nobody (root may write anywhere); as anyone else, with the folder's write bits taken away.
bool AsUserWhoCannotWrite(const fs::path& folder, const std::function<bool()>& check) {
    if (::geteuid() != 0) {
        fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        const bool result = check();
        fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
        return result;
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody) return false;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) ::_exit(3);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(GameFolders, APlayersFolderIsPortableAndAnInstallsDataOrAnUnwritableFolderMakesItInstalled) {
    const TempFolder temp;
    const fs::path program = temp / "prefix/bin";
    const fs::path data = temp / "prefix/share/mosgrid";
    fs::create_directories(program);
    fs::permissions(temp.path(), fs::perms::others_exec | fs::perms::group_exec, fs::perm_options::add);
    const Environment env = Env({{"XDG_DATA_HOME", (temp / "data").string()}, {"HOME", "/nonexistent"}});

    // A writable program folder alone (a build folder, an unpacked copy): everything in it.
    GameFolders folders = ChooseGameFolders(program, data, env);
    EXPECT_TRUE(folders.mode == RunMode::Portable && folders.pictures == std::vector<fs::path>{program} && folders.playerFiles == program);
    EXPECT_TRUE(CCatalog(folders).CatalogueFilePath() == program / "mg.bd" && LastGamePath(folders) == program / "lastcrw.sav");
    EXPECT_TRUE(MakePlayerFolders(folders) && !fs::exists(temp / "data"));

    // The same folder that the player cannot write.
    EXPECT_TRUE(AsUserWhoCannotWrite(program, [&] {
        const GameFolders seen = ChooseGameFolders(program, data, env);
        return !IsWritableFolder(program) && seen.mode == RunMode::Installed &&
               seen.playerFiles == temp / "data/Mosgrid" &&
               seen.pictures == std::vector<fs::path>{temp / "data/Mosgrid/puzzles", program};
    }));

    // The install's data folder beside it: installed, even for a player who could write bin/.
    fs::create_directories(data);
    folders = ChooseGameFolders(program, data, env);
    EXPECT_EQ(folders.mode, RunMode::Installed);
    EXPECT_EQ(folders.pictures, (std::vector<fs::path>{temp / "data/Mosgrid/puzzles", data}));
    EXPECT_TRUE(CCatalog(folders).CatalogueFilePath() == temp / "data/Mosgrid/mg.bd" && LastGamePath(folders) == temp / "data/Mosgrid/lastcrw.sav");
    EXPECT_TRUE(MakePlayerFolders(folders) && fs::is_directory(temp / "data/Mosgrid/puzzles"));

    // The rules page: beside the program first, then in the data folder; none: nothing to open.
    EXPECT_EQ(RulesPagePath(folders), fs::path());
    test::WriteBytes(data / "mosgrid.htm", {'<'});
    EXPECT_EQ(RulesPagePath(folders), data / "mosgrid.htm");
    test::WriteBytes(program / "mosgrid.htm", {'<'});
    EXPECT_EQ(RulesPagePath(folders), program / "mosgrid.htm");

    // The install's data folder as the build computes it from the program's folder.
    EXPECT_EQ(InstalledDataFolder(program), data);
}

TEST(GameFolders, ThePlayersFolderFollowsTheXdgDataHomeOrTheHome) {
    // A relative or empty XDG_DATA_HOME is not valid and is ignored.
    for (const auto& [xdg, folder] : {std::pair("/x/data", "/x/data/Mosgrid"), {"rel/data", "/home/p/.local/share/Mosgrid"},
                                      {"", "/home/p/.local/share/Mosgrid"}})
        EXPECT_EQ(PlayerFolder(Env({{"XDG_DATA_HOME", xdg}, {"HOME", "/home/p"}})), fs::path(folder)) << xdg;
    // Without HOME the password database names the home.
    const passwd* me = ::getpwuid(::getuid());
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(PlayerFolder(Env({})), fs::path(me->pw_dir) / ".local/share/Mosgrid");
}

TEST(GameFolders, ThePlayersPicturesAndTheBundledOnesAreOneListWithThePlayersFilesApart) {
    const TempFolder temp;
    GameFolders folders;
    folders.mode = RunMode::Installed;
    folders.playerFiles = temp / "player";
    folders.pictures = {temp / "player/puzzles", temp / "bundled"};
    // The player's own Кот beside the bundled one.
    for (const char* file : {"bundled/Кот.bmp", "bundled/Дом.bmp", "bundled/Ель.bmp", "player/puzzles/Кот.BMP", "player/puzzles/Свой.bmp"})
        WritePuzzle(temp / file);
    // A player's file that is not a puzzle still hides the bundled picture of its name.
    test::WriteBytes(temp / "player/puzzles/Ель.bmp", {'B', 'M'});

    CCatalog catalog(folders);
    catalog.Load();
    std::vector<std::u16string> names;
    for (const PuzzleRecord& record : catalog.Records()) names.emplace_back(record.Name());
    // Without a catalogue file: folder by folder, each in the order of its file names' bytes.
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Кот", u"Свой", u"Дом"}));
    EXPECT_EQ(catalog.PicturePathOf(u"Кот"), temp / "player/puzzles/Кот.BMP");
    EXPECT_EQ(FindPicturePath(folders, u"Кот"), temp / "player/puzzles/Кот.BMP");
    EXPECT_EQ(FindPicturePath(folders, u"Дом"), temp / "bundled/Дом.bmp");
    EXPECT_EQ(FindPicturePath(folders, u"Ель"), temp / "player/puzzles/Ель.bmp");

}

}  // namespace
}  // namespace mosgrid
