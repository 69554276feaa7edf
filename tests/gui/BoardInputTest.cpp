// Stylus input on the board window: the marking cycle as drawn, drag-painting (also when the window
// system merged the moves), picking the colour from a clue, double taps, the hold on a clue line
// that offers a reveal.
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

// Five columns; row 0 red, row 1 blue, row 2 empty; a single red cell at (0, 3).
const std::vector<std::string> kStripes = {"11111", "22222", ".....", "1...."};

class BoardInput : public BoardFixture {
protected:
    void SetUp() override {
        MakeBoard(300, 300);
        Load(kStripes, {kWhite, kRed, kBlue});
    }
};

TEST_F(BoardInput, TapsDrawColourCrossBlankAndDragCrossesOnTheWayBack) {
    ASSERT_EQ(model().currentColour, kRed);
    const QRect in = board->Images().CellInterior(2, 2);
    struct Step { COLORREF corner, offCorner, miniature; };  // after each tap
    for (const Step& k : {Step{kRed, kRed, kRed}, Step{kBlack, kWhite, kWhite}, Step{kWhite, kWhite, kWhite}}) {
        Tap(CellPoint(2, 2));
        EXPECT_EQ(PixelAt(Cells(), in.left(), in.top()), k.corner);
        EXPECT_EQ(PixelAt(Cells(), in.left() + 3, in.top()), k.offCorner);
        EXPECT_EQ(PixelAt(board->Images().Miniature(), 2, 2), k.miniature);
    }
    EXPECT_EQ(model().Cell(2, 2).state, 1);
    // A stroke out along row 2 and back: each cell marked once going out, once more coming back.
    Press(CellPoint(0, 2));
    for (int c = 1; c < 5; ++c) {
        MoveHeld(CellPoint(c, 2) - QPoint(3, 0));
        MoveHeld(CellPoint(c, 2) + QPoint(3, 0));  // still in the same cell
    }
    for (int c = 3; c >= 0; --c) MoveHeld(CellPoint(c, 2));
    Release(CellPoint(0, 2));
    for (int c = 0; c < 4; ++c) EXPECT_TRUE(model().Cell(c, 2).state == 0 && model().Cell(c, 2).colour == kWhite) << c;
    EXPECT_EQ(model().Cell(4, 2).colour, kRed);  // where the stroke turned
    const QPoint turned = CellPoint(4, 2);
    EXPECT_EQ(PixelAt(board->ComposedImage(), turned.x(), turned.y()), kRed);  // on the screen too
}

TEST_F(BoardInput, ClueTapPicksItsColourDoubleTapTogglesItAndOnlyAPlainLeftPressMarks) {
    host.swatches.clear();
    Tap(RowCluePoint(1, 0));  // the blue row's clue
    Tap(RowCluePoint(1, 0));  // the same colour again: no second swatch
    ASSERT_EQ(host.swatches, std::vector<COLORREF>{kBlue});
    Tap(ColumnCluePoint(0, 0));  // column 0 from the grid up: red (row 3), blue, red
    EXPECT_EQ(model().currentColour, kRed);
    Tap(ColumnCluePoint(0, 1));
    EXPECT_EQ(model().currentColour, kBlue);
    // Empty slots, the corner, modifiers and other buttons do nothing.
    DoubleTap(ColumnCluePoint(1, 2));
    DoubleTap(RowCluePoint(2, 0));
    Tap(QPoint(2 - board->HorizontalOffset(), 2 - board->VerticalOffset()));
    Press(CellPoint(1, 2), Qt::ShiftModifier);
    Mouse(QEvent::MouseButtonPress, CellPoint(2, 2), Qt::MiddleButton, Qt::MiddleButton);
    Mouse(QEvent::MouseMove, CellPoint(3, 2), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(model().currentColour, kBlue);
    for (const CellRecord& cell : model().cells) EXPECT_EQ(cell.state, 1);
    // A double tap marks a cell once and toggles a clue.
    DoubleTap(CellPoint(3, 2));
    EXPECT_EQ(model().Cell(3, 2).colour, kBlue);  // the first tap alone
    DoubleTap(RowCluePoint(0, 0));  // the first tap picks the colour, the double crosses the clue
    EXPECT_EQ(model().currentColour, kRed);
    EXPECT_EQ(model().RowClue(0, 0).done, 1);
    DoubleTap(RowCluePoint(0, 0));
    EXPECT_EQ(model().RowClue(0, 0).done, 0);
    DoubleTap(ColumnCluePoint(2, 1));
    EXPECT_EQ(model().ColumnClue(2, 1).done, 1);
    EXPECT_EQ(model().ColumnClue(2, 0).done, 0);
}

TEST_F(BoardInput, HoldOnAClueLineAsksAfterFiveFurtherEventsWhileHintsAreOn) {
    Press(ColumnCluePoint(1, 0));
    for (int i = 0; i < 8; ++i) MoveHeld(ColumnCluePoint(1, 0));
    Release(ColumnCluePoint(1, 0));
    EXPECT_TRUE(prompts.asked.empty());  // hints off: never

    board->SetHints(true);
    Press(ColumnCluePoint(1, 0));
    for (int i = 0; i < 4; ++i) MoveHeld(ColumnCluePoint(1, i % 2));  // same column, any slot
    EXPECT_TRUE(prompts.asked.empty());
    prompts.Answer(false);
    MoveHeld(ColumnCluePoint(1, 2));  // the fifth further event, on an empty slot
    ASSERT_EQ(prompts.asked, std::vector<QString>{QStringLiteral("Вы хотите открыть 2 столбец ?")});
    EXPECT_EQ(model().Cell(1, 0).state, 1);
    prompts.Answer(false);
    MoveHeld(ColumnCluePoint(1, 0));  // the count goes on: the next event asks again
    EXPECT_EQ(prompts.asked.size(), 2u);
    // Another line starts the count again.
    for (int i = 0; i < 4; ++i) MoveHeld(ColumnCluePoint(4, 0));
    EXPECT_EQ(prompts.asked.size(), 2u);
    Release(ColumnCluePoint(4, 0));
    Hold(RowCluePoint(1, 0), 5, false);
    ASSERT_EQ(prompts.asked.size(), 3u);
    EXPECT_EQ(prompts.asked[2], QStringLiteral("Вы хотите открыть 2 ряд ?"));
}

// A quick drag whose mouse moves were merged by the window system still enters every cell the
// stroke passed over, once each, and never reaches into the clue areas on the way.
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
