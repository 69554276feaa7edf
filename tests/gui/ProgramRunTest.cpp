// The program itself, started on a folder of its own: it restores the saved game, its clock runs
// on, and a signal that ends it (as the session's end does) still leaves the game saved.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <filesystem>
#include <fstream>
#include <vector>

#include "board/core/LineCheck.h"
#include "catalogue/core/Text.h"
#include "savegame/core/LastGameCodec.h"
#include "savegame/core/LastGameStore.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::int32_t I32At(const Bytes& b, std::size_t at) {
    return std::int32_t(std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
                        std::uint32_t(b[at + 3]) << 24);
}

TEST(ProgramRun, TerminationSignalSavesTheRestoredGameWithItsClockRunOn) {
    const fs::path built = fs::path(MOSGRID_GAME_DIR) / "mosgrid";
    ASSERT_TRUE(fs::exists(built)) << built;
    test::TempFolder folder;
    const fs::path program = folder / "mosgrid";
    fs::copy_file(built, program);
    fs::permissions(program, fs::perms::owner_all);

    // A game in progress: the top row painted, a clue crossed out, 0:07:10 on the clock.
    test::WritePuzzle(folder.path(), "bar", {"1111", "1..1", "1111"}, {kWhite, kRed});
    BoardModel game;
    ASSERT_TRUE(game.Setup(PicturePath(folder.path(), u"bar"), u"bar"));
    game.Reset();
    for (int c = 0; c < 4; ++c) game.Cell(c, 0) = {0, kRed};
    game.rowSolved[0] = RowComplete(game, 0) ? 1 : 0;
    game.ColumnClue(0, 0).done = 1;
    game.minutes = 7;
    game.seconds = 10;
    ASSERT_EQ(SaveLastGame(folder.path(), game).outcome, LastGameSaveResult::Outcome::Written);
    const Bytes saved = ReadAll(folder / "lastcrw.sav");
    ASSERT_EQ(saved.size(), LastGameSize(4, 3));

    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    run.setProcessEnvironment(environment);
    run.setProgram(QString::fromStdString(program.string()));
    run.start();
    ASSERT_TRUE(run.waitForStarted(10000));
    // Long enough for the start and at least one tick of the clock.
    EXPECT_FALSE(run.waitForFinished(3000)) << "the program ended by itself";
    run.terminate();  // SIGTERM
    ASSERT_TRUE(run.waitForFinished(10000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);

    // Everything as it was, but the clock, which went on from 0:07:10.
    const Bytes after = ReadAll(folder / "lastcrw.sav");
    ASSERT_EQ(after.size(), saved.size());
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 924, saved.begin()));
    EXPECT_TRUE(std::equal(after.begin() + 936, after.end(), saved.begin() + 936));
    const int elapsed = I32At(after, 932) * 3600 + I32At(after, 928) * 60 + I32At(after, 924);
    EXPECT_GT(elapsed, 7 * 60 + 10);
    EXPECT_LT(elapsed, 7 * 60 + 10 + 60);
}

}  // namespace
}  // namespace mosgrid
