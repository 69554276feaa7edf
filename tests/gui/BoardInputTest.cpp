// Stylus input on the board window: the marking cycle, drag-painting, picking the colour from a
// clue, double taps, the hold on a clue line that offers a reveal.
#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

using BoardInput = BoardFixture;

// Five columns; row 0 red, row 1 blue, row 2 empty; a single red cell at (0, 3).
const std::vector<std::string> kStripes = {"11111", "22222", ".....", "1...."};

COLORREF CellColour(BoardModel& m, int c, int r) { return m.Cell(c, r).colour; }

TEST_F(BoardInput, TapsGoColourCrossBlankColour) {
    MakeBoard(300, 300);
    Load(kStripes, {kWhite, kRed, kBlue});
    ASSERT_EQ(model().currentColour, kRed);
    const QPoint at = CellPoint(2, 2);
    const QRect interior = board->Images().CellInterior(2, 2);
    const QImage& cells = board->Images().Cells();
    Tap(at);
    EXPECT_EQ(model().Cell(2, 2).state, 0);
    EXPECT_EQ(CellColour(model(), 2, 2), kRed);
    EXPECT_EQ(PixelAt(cells, interior.left(), interior.top()), kRed);
    EXPECT_EQ(PixelAt(board->Images().Miniature(), 2, 2), kRed);
    Tap(at);
    EXPECT_EQ(model().Cell(2, 2).state, 0);
    EXPECT_EQ(CellColour(model(), 2, 2), kWhite);
    EXPECT_EQ(PixelAt(cells, interior.left(), interior.top()), kBlack);  // the cross
    EXPECT_EQ(PixelAt(cells, interior.left() + 3, interior.top()), kWhite);
    EXPECT_EQ(PixelAt(board->Images().Miniature(), 2, 2), kWhite);
    Tap(at);
    EXPECT_EQ(model().Cell(2, 2).state, 1);
    EXPECT_EQ(PixelAt(cells, interior.left(), interior.top()), kWhite);
    Tap(at);
    EXPECT_EQ(CellColour(model(), 2, 2), kRed);
    // The marked cell is on the screen: the viewport was repainted from the images.
    EXPECT_EQ(PixelAt(board->ComposedImage(), at.x(), at.y()), kRed);
}

TEST_F(BoardInput, ClueTapPicksItsColourAndAnotherColourRepaints) {
    MakeBoard(300, 300);
    Load(kStripes, {kWhite, kRed, kBlue});
    host.swatches.clear();
    Tap(CellPoint(0, 2));
    Tap(RowCluePoint(1, 0));  // the blue row's clue
    EXPECT_EQ(model().currentColour, kBlue);
    ASSERT_EQ(host.swatches.size(), 1u);
    EXPECT_EQ(host.swatches.back(), kBlue);
    Tap(CellPoint(0, 2));  // red cell, blue current: repainted, not crossed
    EXPECT_EQ(model().Cell(0, 2).state, 0);
    EXPECT_EQ(CellColour(model(), 0, 2), kBlue);
    // Tapping a clue of the current colour again changes nothing on the swatch.
    Tap(RowCluePoint(1, 0));
    EXPECT_EQ(host.swatches.size(), 1u);
    Tap(ColumnCluePoint(0, 1));  // column 0 from the grid up: red (row 3), blue, red
    EXPECT_EQ(model().currentColour, kBlue);
    Tap(ColumnCluePoint(0, 0));
    EXPECT_EQ(model().currentColour, kRed);
    EXPECT_EQ(host.swatches.back(), kRed);
}

TEST_F(BoardInput, DragPaintsEachCellOnceAndCrossesOnTheWayBack) {
    MakeBoard(300, 300);
    Load(kStripes, {kWhite, kRed, kBlue});
    Press(CellPoint(0, 2));
    for (int c = 1; c < 5; ++c) {
        MoveHeld(CellPoint(c, 2) - QPoint(3, 0));
        MoveHeld(CellPoint(c, 2) + QPoint(3, 0));  // still in the same cell
    }
    for (int c = 3; c >= 0; --c) MoveHeld(CellPoint(c, 2));
    Release(CellPoint(0, 2));
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(model().Cell(c, 2).state, 0) << c;
        EXPECT_EQ(CellColour(model(), c, 2), kWhite) << c;
    }
    EXPECT_EQ(CellColour(model(), 4, 2), kRed);  // where the stroke turned
}

TEST_F(BoardInput, OnlyTheLeftButtonAloneMarks) {
    MakeBoard(300, 300);
    Load(kStripes, {kWhite, kRed, kBlue});
    Press(CellPoint(1, 2), Qt::ShiftModifier);
    Press(CellPoint(1, 2), Qt::ControlModifier);
    Mouse(QEvent::MouseButtonPress, CellPoint(1, 2), Qt::RightButton, Qt::RightButton);
    Mouse(QEvent::MouseMove, CellPoint(2, 2), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    Mouse(QEvent::MouseMove, CellPoint(3, 2), Qt::NoButton, Qt::NoButton);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(model().Cell(c, 2).state, 1) << c;
}

TEST_F(BoardInput, DoubleTapOnACellChangesItOnceAndOnAClueToggles) {
    MakeBoard(300, 300);
    Load(kStripes, {kWhite, kRed, kBlue});
    DoubleTap(CellPoint(3, 2));
    EXPECT_EQ(CellColour(model(), 3, 2), kRed);  // the first tap alone
    // On a clue: the first tap picks the colour, the double toggles the done flag.
    DoubleTap(RowCluePoint(1, 0));
    EXPECT_EQ(model().currentColour, kBlue);
    EXPECT_EQ(model().RowClue(1, 0).done, 1);
    DoubleTap(RowCluePoint(1, 0));
    EXPECT_EQ(model().RowClue(1, 0).done, 0);
    DoubleTap(ColumnCluePoint(2, 1));
    EXPECT_EQ(model().ColumnClue(2, 1).done, 1);
    EXPECT_EQ(model().ColumnClue(2, 0).done, 0);
}

TEST_F(BoardInput, EmptyClueSlotsAndTheCornerDoNothing) {
    MakeBoard(300, 300);
    Load(kStripes, {kWhite, kRed, kBlue});
    ASSERT_EQ(model().K, 3);
    ASSERT_EQ(model().ColumnClue(1, 2).length, 0);
    DoubleTap(ColumnCluePoint(1, 2));
    EXPECT_EQ(model().currentColour, kRed);
    DoubleTap(RowCluePoint(2, 0));  // the empty row has no clue at all
    EXPECT_EQ(model().currentColour, kRed);
    Tap(QPoint(2 - board->HorizontalOffset(), 2 - board->VerticalOffset()));  // the corner
    for (const CellRecord& cell : model().cells) EXPECT_EQ(cell.state, 1);
}

TEST_F(BoardInput, HoldOnAClueLineAsksAfterFiveFurtherEventsWhileHintsAreOn) {
    MakeBoard(300, 300);
    Load(kStripes, {kWhite, kRed, kBlue});
    // Hints off: no hold ever asks.
    Press(ColumnCluePoint(1, 0));
    for (int i = 0; i < 8; ++i) MoveHeld(ColumnCluePoint(1, 0));
    Release(ColumnCluePoint(1, 0));
    EXPECT_TRUE(prompts.asked.empty());

    board->SetHints(true);
    Press(ColumnCluePoint(1, 0));
    for (int i = 0; i < 4; ++i) MoveHeld(ColumnCluePoint(1, i % 2));  // same column, any slot
    EXPECT_TRUE(prompts.asked.empty());
    prompts.Answer(false);
    MoveHeld(ColumnCluePoint(1, 2));  // the fifth further event, on an empty slot
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], QStringLiteral("Вы хотите открыть 2 столбец ?"));
    EXPECT_EQ(model().Cell(1, 0).state, 1);
    // The count is not reset by the answer: the next event asks again.
    prompts.Answer(false);
    MoveHeld(ColumnCluePoint(1, 0));
    EXPECT_EQ(prompts.asked.size(), 2u);
    Release(ColumnCluePoint(1, 0));

    // Moving to another column starts the count again.
    Press(ColumnCluePoint(3, 0));
    for (int i = 0; i < 3; ++i) MoveHeld(ColumnCluePoint(3, 0));
    MoveHeld(ColumnCluePoint(4, 0));
    for (int i = 0; i < 4; ++i) MoveHeld(ColumnCluePoint(4, 0));
    EXPECT_EQ(prompts.asked.size(), 2u);
    prompts.Answer(false);
    MoveHeld(ColumnCluePoint(4, 0));
    ASSERT_EQ(prompts.asked.size(), 3u);
    EXPECT_EQ(prompts.asked[2], QStringLiteral("Вы хотите открыть 5 столбец ?"));
    Release(ColumnCluePoint(4, 0));

    // Rows the same way.
    Press(RowCluePoint(1, 0));
    for (int i = 0; i < 4; ++i) MoveHeld(RowCluePoint(1, 0));
    prompts.Answer(false);
    MoveHeld(RowCluePoint(1, 0));
    ASSERT_EQ(prompts.asked.size(), 4u);
    EXPECT_EQ(prompts.asked[3], QStringLiteral("Вы хотите открыть 2 ряд ?"));
}

TEST_F(BoardInput, FinishedGameIgnoresTheStylus) {
    MakeBoard(300, 300);
    Load(kStripes, {kWhite, kRed, kBlue});
    board->OpenField();
    Tap(CellPoint(1, 2));
    DoubleTap(RowCluePoint(1, 0));
    EXPECT_EQ(model().Cell(1, 2).colour, kWhite);
    EXPECT_EQ(model().RowClue(1, 0).done, 0);
    EXPECT_EQ(model().currentColour, kRed);
    // Keys still work.
    Key(Qt::Key_Return);
    EXPECT_TRUE(board->IsFullScreen());
}

}  // namespace
}  // namespace mosgrid::test
