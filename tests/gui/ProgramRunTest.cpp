// The program itself, started on a folder of its own: it restores the saved game, its clock runs
// on, and a signal that ends it (as the session's end does) still leaves the game saved.
#include <gtest/gtest.h>

#include <QProcess>

#include <tuple>

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

}  // namespace
}  // namespace mosgrid
