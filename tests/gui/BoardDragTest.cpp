// A quick drag whose mouse moves were merged by the window system still enters every cell the
// stroke passed over, once each, and never reaches into the clue areas on the way.
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

using BoardDrag = BoardFixture;

TEST_F(BoardDrag, MergedMovesStillEnterEveryCellBetween) {
    MakeBoard(300, 300);
    Load({"11111", "11111", "11111", "11111", "11111"}, {kWhite, kRed});
    Press(CellPoint(0, 1));
    MoveHeld(CellPoint(4, 1));  // one move across the row
    for (int c = 0; c < 5; ++c) EXPECT_EQ(model().Cell(c, 1).state, 0) << c;
    MoveHeld(CellPoint(0, 4));  // diagonal back: the cells on the way, each once
    Release(CellPoint(0, 4));
    int marked = 0;
    for (int r = 2; r < 5; ++r)
        for (int c = 0; c < 5; ++c) marked += model().Cell(c, r).state == 0;
    EXPECT_GE(marked, 3);
    EXPECT_LE(marked, 6);
    EXPECT_EQ(model().Cell(0, 4).state, 0);
    EXPECT_EQ(model().Cell(0, 4).colour, kRed);

    // A stroke from a cell into the row clues: only the real event there counts towards the hold
    // (the row is the one last acted on), however many slots the stroke jumped over.
    model().hints = 1;
    model().tapCounter = 0;
    Press(CellPoint(4, 0));
    MoveHeld(RowCluePoint(0, 0));
    Release(RowCluePoint(0, 0));
    EXPECT_EQ(model().tapCounter, 1);
    EXPECT_EQ(model().Cell(2, 0).colour, kRed);  // on the way to the clues: entered
    EXPECT_EQ(model().Cell(0, 3).state, 1);
}

}  // namespace
}  // namespace mosgrid::test
