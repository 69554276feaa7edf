// SPDX-License-Identifier: GPL-3.0-or-later
// The saves of mg.bd and lastcrw.sav: modes kept, leftovers of a killed save removed at start
// and nothing else, and a save killed at any moment leaves a whole file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "catalogue/core/AtomicFile.h"
#include "catalogue/core/Catalog.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/core/LastGameStore.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicFile, AReplacedFileKeepsItsModeAndANewOneIsReadableByAll) {
    test::TempFolder folder;
    const fs::path file = folder / "mg.bd";
    ASSERT_TRUE(WriteFileAtomically(file, {1, 2, 3}));
    EXPECT_EQ(ModeOf(file), 0644u);
    for (mode_t mode : {0600u, 0640u, 0664u}) {
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        ASSERT_TRUE(WriteFileAtomically(file, {4, 5}));
        EXPECT_EQ(ModeOf(file), mode);
        EXPECT_EQ(test::ReadBytes(file), (Bytes{4, 5}));
    }
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"mg.bd"});
}

TEST(AtomicFile, LeftoversOfOurSavesAreRemovedAndNoOtherFile) {
    test::TempFolder folder;
    const std::vector<std::string> ours{"mg.bd.a1B2c3", "mg.bd.XXXXXX", "lastcrw.sav.000000", "lastcrw.sav.zZ9yY8"};
    const std::vector<std::string> others{
        "mg.bd", "lastcrw.sav", "lastcrw.sav.bad", "mg.bd.a1B2c", "mg.bd.a1B2c3d", "mg.bd.a1B2c!", "mg.bd.a1-2c3",
        "mg.bd.\xC3\xA9\x61\x62\x63", "Mg.bd.a1B2c3", "xmg.bd.a1B2c3", "mg.bdXa1B2c3", "other.a1B2c3", "p.bmp.a1B2c3"};
    for (const auto* names : {&ours, &others})
        for (const std::string& name : *names) test::WriteBytes(folder / name, {1});
    // Neither a folder nor a link named like a leftover, nor the file a link points at.
    fs::create_directory(folder / "mg.bd.Dir123");
    test::TempFolder outside;
    test::WriteBytes(outside / "kept", {1});
    fs::create_symlink(outside / "kept", folder / "lastcrw.sav.Lnk123");

    EXPECT_EQ(RemoveLeftoverTemporaries(folder.path(), {CCatalog::kFileName, kLastGameFileName}), int(ours.size()));
    std::vector<std::string> expected = others;
    expected.insert(expected.end(), {"mg.bd.Dir123", "lastcrw.sav.Lnk123"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(folder.path()), expected);
    EXPECT_TRUE(fs::exists(outside / "kept"));
}

// A child process saves the last game and the catalogue in a loop, alternating between two
// versions of each, and is killed at a random moment; a few hundred times. Every time both
// files are one version or the other, whole; the start's clean-up then leaves no temporary file.
TEST(SaveCrash, SavesKilledAtRandomMomentsLeaveWholeFilesAndTheStartRemovesTheirLeftovers) {
    test::TempFolder folder;
    const Picture4 picture = test::PictureFromText({"1111", "1..1", "1111"}, {kWhite, kRed});
    ASSERT_TRUE(WriteBmp4(folder / "p.bmp", picture));
    std::vector<std::unique_ptr<BoardModel>> games;
    std::vector<Bytes> gameBytes;
    for (int version = 0; version < 2; ++version) {
        games.push_back(test::BoardFromPicture(picture, u"p"));
        games.back()->seconds = 10 + version;
        games.back()->Cell(1, 1) = {0, version ? kWhite : kRed};
        gameBytes.push_back(EncodeLastGame(*games.back()).value());
    }
    std::vector<CCatalog> catalogues;
    std::vector<Bytes> catalogueBytes;
    for (int version = 0; version < 2; ++version) {
        catalogues.emplace_back(folder.path());
        for (int i = 0; i < 20 + 30 * version; ++i)
            catalogues.back().AddOrUpdate(u"n" + std::u16string(1, char16_t(u'a' + i)), i + version, 0, 1, 2, 1);
    }
    for (const CCatalog& catalogue : catalogues) {
        ASSERT_TRUE(catalogue.Save());
        catalogueBytes.push_back(test::ReadBytes(folder / "mg.bd"));
    }

    ASSERT_EQ(SaveLastGame(folder.path(), *games[0]).outcome, LastGameSaveResult::Outcome::Written);
    std::mt19937 random(5);
    constexpr int kKills = 300;
    for (int kill = 0; kill < kKills; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            (void)!::write(ready[1], "r", 1);
            for (unsigned i = 0;; ++i) {
                SaveLastGame(folder.path(), *games[i % 2]);
                catalogues[(i / 2) % 2].Save();
            }
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the child never started";
        ::close(ready[0]);
        ::usleep(useconds_t(random() % 10000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const Bytes game = test::ReadBytes(folder / "lastcrw.sav");
        EXPECT_TRUE(game == gameBytes[0] || game == gameBytes[1]) << "kill " << kill;
        BoardModel restored;
        EXPECT_EQ(RestoreLastGame(folder.path(), restored), RestoreOutcome::Restored) << "kill " << kill;
        const Bytes catalogue = test::ReadBytes(folder / "mg.bd");
        EXPECT_TRUE(catalogue == catalogueBytes[0] || catalogue == catalogueBytes[1]) << "kill " << kill;
        EXPECT_FALSE(fs::exists(folder / "lastcrw.sav.bad")) << "a whole file was taken for a damaged one";
        if (HasFailure()) return;
    }
    const int leftovers = int(Names(folder.path()).size()) - 3;
    const int removed = RemoveLeftoverTemporaries(folder.path(), {CCatalog::kFileName, kLastGameFileName});
    EXPECT_EQ(removed, leftovers);
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"lastcrw.sav", "mg.bd", "p.bmp"}));
    std::printf("%d kills left %d temporary files, %d after the clean-up\n", kKills, leftovers,
                int(Names(folder.path()).size()) - 3);
}

}  // namespace
}  // namespace mosgrid
