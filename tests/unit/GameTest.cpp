// SPDX-License-Identifier: GPL-3.0-or-later
// The play rules of Game without any window: marking and both drags, picking the colour and
// crossing clues, the hold on a clue line that asks for a reveal and the reveal's penalty, undo
// and redo of whole steps, the solve, opening the field, the clock and a check's result.
#include <gtest/gtest.h>

#include "board/core/Game.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kBlue = 0xFF0000;

ClockTime Clock(const BoardModel& m) { return ClockTime{m.hours, m.minutes, m.seconds}; }
Hit CellAt(int c, int r) { return Hit{HitArea::Cells, c, r}; }
Hit ColumnClueAt(int column, int slot) { return Hit{HitArea::ColumnClues, column, slot}; }
Hit RowClueAt(int row, int slot) { return Hit{HitArea::RowClues, slot, row}; }

// A game driven as the board drives it: strokes of stylus events; every change is kept.
class Player {
public:
    Player(const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
        game = Game(*test::BoardFromText(rows, std::move(palette)));
        Keep(game.PickFirstColour());
    }
    void Keep(GameChange change) { changes.push_back(std::move(change)); }
    void Press(Hit at, int flags = kStylusLeft) {
        Keep(game.BeginStroke());
        Keep(game.Stylus(flags, at, StylusKind::Tap));
    }
    void Move(Hit at, int flags = kStylusLeft) { Keep(game.Stylus(flags, at, StylusKind::Tap)); }
    void Release() { Keep(game.EndStroke()); }
    void Tap(Hit at, int flags = kStylusLeft) { Press(at, flags), Release(); }
    void DoubleTap(Hit at) {
        Tap(at);
        Keep(game.BeginStroke());
        Keep(game.Stylus(kStylusLeft, at, StylusKind::Double));
        Release();
    }
    void RightDrag(const std::vector<Hit>& path) {
        Press(path.front(), kStylusRight);
        for (const Hit& h : path) Move(h, kStylusRight);
        Release();
    }
    void Drag(const std::vector<Hit>& path) {
        Press(path.front());
        for (const Hit& h : path) Move(h);
        Release();
    }
    void Ticks(int seconds) {
        for (int i = 0; i < seconds; ++i) Keep(game.Tick());
    }
    // Cells of row r as text: '.' blank, 'x' crossed, '#' painted.
    std::string Row(int r) const {
        std::string text;
        for (int c = 0; c < game.Model().cols(); ++c) {
            const CellRecord& cell = game.Model().Cell(c, r);
            text += cell.state == 1 ? '.' : (cell.colour == kWhite ? 'x' : '#');
        }
        return text;
    }
    const BoardModel& model() const { return game.Model(); }
    int Solves() const {
        int n = 0;
        for (const GameChange& c : changes) n += c.solved.has_value();
        return n;
    }
    std::vector<std::string> Questions() const {
        std::vector<std::string> texts;
        for (const GameChange& c : changes)
            if (c.question) texts.push_back(c.question->text);
        return texts;
    }

    Game game;
    std::vector<GameChange> changes;
};

TEST(GameStrokes, MarkingCycleAndADragOutAndBackCrossesTheCellsPassedTwice) {
    // Five columns; row 0 red, row 1 blue, row 2 empty; a single red cell at (0, 3).
    Player p({"11111", "22222", ".....", "1...."}, {kWhite, kRed, kBlue});
    ASSERT_EQ(p.model().currentColour, kRed);
    for (const char* after : {"..#..", "..x..", "....."}) {
        p.Tap(CellAt(2, 2));
        EXPECT_EQ(p.Row(2), after);
        EXPECT_EQ(p.changes.back().cells.size(), 0u);  // the release draws nothing more
    }
    // Out along row 2 and back: each cell marked once going out (twice in one cell changes it
    // once), once more coming back; where the stroke turned stays painted.
    p.Press(CellAt(0, 2));
    for (int c = 1; c < 5; ++c) p.Move(CellAt(c, 2)), p.Move(CellAt(c, 2));
    for (int c = 3; c >= 0; --c) p.Move(CellAt(c, 2));
    p.Release();
    EXPECT_EQ(p.Row(2), "xxxx#");
    EXPECT_EQ(p.model().Cell(4, 2).colour, kRed);
    // Another colour repaints a painted cell; the current colour crosses it.
    p.Keep(p.game.SetColour(kBlue));
    p.Tap(CellAt(4, 2));
    EXPECT_EQ(p.model().Cell(4, 2).colour, kBlue);
}

TEST(GameStrokes, ClueTapPicksItsColourDoubleTapTogglesItAndOnlyAPlainLeftPressMarks) {
    Player p({"11111", "22222", ".....", "1...."}, {kWhite, kRed, kBlue});
    p.Tap(RowClueAt(1, 0));  // the blue row's clue
    EXPECT_TRUE(p.changes[p.changes.size() - 2].colour);
    p.Tap(RowClueAt(1, 0));  // the same colour again: nothing to show
    EXPECT_FALSE(p.changes[p.changes.size() - 2].colour);
    EXPECT_EQ(p.model().currentColour, kBlue);
    p.Tap(ColumnClueAt(0, 0));  // column 0 from the grid up: red (row 3), blue, red
    EXPECT_EQ(p.model().currentColour, kRed);
    p.Tap(ColumnClueAt(0, 1));
    EXPECT_EQ(p.model().currentColour, kBlue);
    // Empty slots, nothing hit, modifiers and other buttons do nothing.
    p.DoubleTap(ColumnClueAt(1, 2));
    p.DoubleTap(RowClueAt(2, 0));
    p.Tap(Hit{});
    p.Tap(CellAt(1, 2), kStylusLeft | kStylusShift);
    p.Tap(CellAt(2, 2), kStylusMiddle);
    p.Tap(CellAt(3, 2), kStylusLeft | kStylusRight);
    EXPECT_EQ(p.model().currentColour, kBlue);
    for (const CellRecord& cell : p.model().cells) EXPECT_EQ(cell.state, 1);
    EXPECT_FALSE(p.game.CanUndo());
    // A double tap marks a cell once and toggles a clue.
    p.DoubleTap(CellAt(3, 2));
    EXPECT_EQ(p.model().Cell(3, 2).colour, kBlue);  // the first tap alone
    p.DoubleTap(RowClueAt(0, 0));  // the first tap picks the colour, the double crosses the clue
    EXPECT_EQ(p.model().currentColour, kRed);
    EXPECT_EQ(p.model().RowClue(0, 0).done, 1);
    ASSERT_EQ(p.changes[p.changes.size() - 2].clues.size(), 1u);
    p.DoubleTap(RowClueAt(0, 0));
    EXPECT_EQ(p.model().RowClue(0, 0).done, 0);
    p.DoubleTap(ColumnClueAt(2, 1));
    EXPECT_EQ(p.model().ColumnClue(2, 1).done, 1);
    EXPECT_EQ(p.model().ColumnClue(2, 0).done, 0);
}

TEST(GameStrokes, RightButtonCrossesOrClearsAndItsDragKeepsToTheFirstCellsState) {
    Player p({"111", "1.1", "111"}, {kWhite, kRed});
    // Rows of mixed cells: each drag changes only the cells in its first cell's state.
    p.Tap(CellAt(1, 1));
    p.RightDrag({CellAt(0, 1), CellAt(1, 1), CellAt(2, 1)});
    EXPECT_EQ(p.Row(1), "x#x");
    p.Tap(CellAt(0, 2)), p.Tap(CellAt(2, 2)), p.Tap(CellAt(2, 2));
    ASSERT_EQ(p.Row(2), "#.x");
    p.RightDrag({CellAt(0, 2), CellAt(1, 2), CellAt(2, 2)});
    EXPECT_EQ(p.Row(2), "x.x");
    p.RightDrag({CellAt(2, 2), CellAt(1, 2), CellAt(0, 2)});
    EXPECT_EQ(p.Row(2), "...");
    // The clue areas ignore the right button.
    p.RightDrag({ColumnClueAt(0, 0)});
    EXPECT_EQ(p.model().ColumnClue(0, 0).done, 0);
    // A whole right drag is one step.
    p.Keep(p.game.Undo());
    EXPECT_EQ(p.Row(2), "x.x");
}

// Crossing finished lines: a line whose painted runs equal its clues, colours and order
// included, gets its blank cells crossed in the same step; off, the blanks stay.
TEST(GameAssists, FinishedLinesAreCrossedInTheSameStepOnlyWhileTheAssistIsOn) {
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        // Row 0: red 2, blue 1; column 0: red 1, red 1.
        Player p({"11.2", "....", "1..."}, {kWhite, kRed, kBlue});
        p.game.SetAssists(PlayAssists{on, false});
        p.Tap(CellAt(0, 0)), p.Tap(CellAt(1, 0));
        EXPECT_EQ(p.Row(1), on ? ".x.." : "....");  // column 1 is done, row 0 not yet
        p.Tap(CellAt(3, 0));                         // red where the clue is blue: not finished
        EXPECT_EQ(p.Row(0), "##.#");
        p.Keep(p.game.SetColour(kBlue));
        p.Tap(CellAt(3, 0));
        EXPECT_EQ(p.Row(0), on ? "##x#" : "##.#");
        EXPECT_EQ(p.Row(2), on ? ".x.x" : "....");
        // One undo takes back the tap and what it crossed.
        p.Keep(p.game.Undo());
        EXPECT_EQ(p.Row(0), "##.#");
        EXPECT_EQ(p.Row(2), on ? ".x.." : "....");
        EXPECT_EQ(p.model().Cell(3, 0).colour, kRed);
        p.Keep(p.game.Redo());
        EXPECT_EQ(p.Row(0), on ? "##x#" : "##.#");
        if (!on) continue;
        // A cross cleared by hand stays cleared; the last cell solves the picture.
        p.Tap(CellAt(2, 0));
        ASSERT_EQ(p.Row(0), "##.#");
        // Painted and crossed again: the crossed cell finishes the empty column 2 as well.
        p.Tap(CellAt(2, 0)), p.Tap(CellAt(2, 0));
        EXPECT_EQ(p.Row(0), "##x#");
        p.Keep(p.game.SetColour(kRed));
        p.Tap(CellAt(0, 2));
        EXPECT_EQ(p.Row(1), "xxxx");
        EXPECT_EQ(p.Solves(), 1);
    }
}

// The straight drag keeps to the line it first moves along and changes only the cells that were
// as its first cell was; off, the drag marks every cell it enters, a diagonal one a staircase.
TEST(GameAssists, AStraightDragKeepsToItsLineAndToItsFirstCellsStateOnlyWhileOn) {
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        Player p({"11111", "11111", ".....", ".....", "....."}, {kWhite, kRed});
        p.game.SetAssists(PlayAssists{false, on});
        p.Tap(CellAt(3, 0)), p.Tap(CellAt(3, 0));
        ASSERT_EQ(p.Row(0), "...x.");
        // Off diagonally, out past the end and back: row 0 throughout.
        p.Drag({CellAt(0, 0), CellAt(1, 1), CellAt(2, 1), CellAt(4, 2), CellAt(2, 0)});
        EXPECT_EQ(p.Row(0), on ? "###x#" : "#.#x.");
        EXPECT_EQ(p.Row(1), on ? "....." : ".##..");
        EXPECT_EQ(p.Row(2), on ? "....." : "....#");
        p.Keep(p.game.Undo());
        EXPECT_EQ(p.Row(0) + p.Row(1) + p.Row(2), "...x...........");
        if (!on) continue;
        p.Keep(p.game.Redo());
        // From a painted cell the drag crosses the painted cells only; a column drag.
        p.Drag({CellAt(1, 0), CellAt(0, 0), CellAt(4, 1)});
        EXPECT_EQ(p.Row(0), "xxxxx");
        p.Drag({CellAt(0, 2), CellAt(0, 3), CellAt(1, 4)});
        EXPECT_EQ(p.Row(2) + p.Row(3) + p.Row(4), "#....#....#....");
        EXPECT_EQ(p.Row(1), ".....");
    }
}

// The keyboard's cell keys: each key a step; a Shift run carries the first cell's change on to
// the cells that were as it was, all in that step.
TEST(GameKeys, CellKeysAndTheirDragsAreStepsOfTheirOwn) {
    Player p({"11111", "22222", ".....", "1...."}, {kWhite, kRed, kBlue});
    struct Press { CellKey key; const char* after; };
    for (const Press& k : {Press{CellKey::Mark, "#...."}, Press{CellKey::Mark, "x...."}, Press{CellKey::Clear, "....."},
                           Press{CellKey::Cross, "x...."}, Press{CellKey::Cross, "x...."}, Press{CellKey::Mark, "....."}}) {
        p.Keep(p.game.KeyCell(0, 2, k.key));
        EXPECT_EQ(p.Row(2), k.after);
    }
    p.Tap(CellAt(2, 2)), p.Tap(CellAt(3, 2)), p.Tap(CellAt(3, 2));
    p.Keep(p.game.KeyCell(0, 2, CellKey::Mark));
    EXPECT_TRUE(p.game.CanUndo() && !p.game.CanRedo());  // the open step already counts
    for (int c = 0; c < 4; ++c) p.Keep(p.game.KeyDrag(c, 2, c + 1, 2));
    EXPECT_EQ(p.Row(2), "###x#");  // the painted and the crossed cell stay
    p.Keep(p.game.Undo());
    EXPECT_EQ(p.Row(2), "..#x.");
    // From a cell the last key did not act on, the drag starts a step of its own there.
    p.Keep(p.game.KeyCell(0, 0, CellKey::Cross));
    p.Keep(p.game.KeyDrag(0, 0, 1, 0));
    p.Keep(p.game.KeyDrag(3, 0, 4, 0));
    EXPECT_EQ(p.Row(0), "xx.xx");
    p.Keep(p.game.Undo());
    EXPECT_EQ(p.Row(0), "xx...");
}

// Tab's colours are those of the clues (an unused palette entry is skipped); clues are crossed
// from the keys, and a reveal is asked for only while hints are on.
TEST(GameKeys, ColoursStepRoundTheClueColoursAndCluesAnswerTheirKeys) {
    Player p({"11111", "33333", ".....", "1...."}, {kWhite, kRed, 0x00FF00, kBlue});
    for (const auto& [direction, after] : std::vector<std::pair<int, COLORREF>>{{+1, kBlue}, {+1, kRed}, {-1, kBlue}}) {
        p.Keep(p.game.NextColour(direction));
        EXPECT_EQ(p.model().currentColour, after);
    }
    p.Keep(p.game.SetColour(0x00FF00));
    p.Keep(p.game.NextColour(-1));
    EXPECT_EQ(p.model().currentColour, kBlue);
    p.Keep(p.game.CrossClue(false, 1, 0));
    p.Keep(p.game.CrossClue(true, 1, 2));  // an empty slot
    EXPECT_EQ(p.model().RowClue(1, 0).done, 1);
    EXPECT_TRUE(p.changes.back().Empty());
    p.Keep(p.game.Undo());
    EXPECT_EQ(p.model().RowClue(1, 0).done, 0);
    p.Keep(p.game.AskReveal(true, 1));
    EXPECT_TRUE(p.Questions().empty());
    p.Keep(p.game.SetHints(true));
    p.Keep(p.game.AskReveal(true, 1));
    EXPECT_EQ(p.Questions(), std::vector<std::string>{"Вы хотите открыть 2 столбец ?"});
}

// Proved clues and errors come from the clues and the marks alone: a wrong marking that fits the
// clues is proved, not flagged. They live in the game beside the model, so the same moves leave
// the same model and draw the same cells with them on or off; one undo takes back both.
TEST(GameAssists, ProvedCluesAndErrorsFollowTheMarksAloneAndLeaveTheModelAsItIs) {
    // Row 0: clues 1 1 (painted wrongly at 2 and 4); column 4 has no clue.
    const std::vector<std::string> picture = {"1.1..", "11.1."};
    Player off(picture, {kWhite, kRed}), on(picture, {kWhite, kRed});
    const auto row0 = [&](Player& p) { return p.game.Verdict(false, 0); };
    for (Player* p : {&off, &on}) {
        p->Keep(p->game.SetAssists(PlayAssists{false, false, p == &on, p == &on}));
        p->Tap(CellAt(2, 0)), p->Tap(CellAt(4, 0));
        EXPECT_EQ(p->game.Verdict(true, 4).error, p == &on);  // painted where no clue is
        p->Tap(CellAt(1, 0), kStylusRight);
        EXPECT_EQ(row0(*p), LineVerdict{});  // cell 4 has a blank beside it: nothing proved yet
        p->Tap(CellAt(3, 0), kStylusRight);
        EXPECT_EQ(row0(*p), (LineVerdict{false, p == &on ? 3u : 0u}));
        EXPECT_EQ(p->changes[p->changes.size() - 2].verdicts.size(), p == &on ? 1u : 0u);
        p->Keep(p->game.Undo());
        EXPECT_EQ(row0(*p), LineVerdict{});
        EXPECT_EQ(p->changes.back().verdicts.size(), p == &on ? 1u : 0u);
        p->Keep(p->game.Redo());
        p->Keep(p->game.KeyCell(0, 0, CellKey::Mark));  // a third run in a row of two, from the keys
        EXPECT_EQ(row0(*p), (LineVerdict{p == &on, 0}));
        p->Keep(p->game.Undo());
        EXPECT_EQ(row0(*p).error, false);
    }
    for (std::size_t i = 0; i < on.changes.size(); ++i) EXPECT_EQ(on.changes[i].cells, off.changes[i].cells) << i;
    const auto bytes = [](const BoardModel& m) {
        std::string b(reinterpret_cast<const char*>(m.cells.data()), m.cells.size() * sizeof(CellRecord));
        b.append(reinterpret_cast<const char*>(m.rowClues.data()), m.rowClues.size() * sizeof(ClueEntry));
        return b.append(reinterpret_cast<const char*>(m.columnClues.data()), m.columnClues.size() * sizeof(ClueEntry));
    };
    EXPECT_EQ(bytes(on.model()), bytes(off.model()));
    // Switched off, the lines that showed something are drawn again.
    EXPECT_EQ(on.game.SetAssists(PlayAssists{}).verdicts.size(), 2u);  // row 0 and column 4
    EXPECT_EQ(row0(on), LineVerdict{});
}

TEST(GameHold, OnAClueLineAsksAfterFiveFurtherEventsWhileHintsAreOnAndTheRevealCostsThePenalty) {
    Player p({"11111", "22222", ".....", "1...."}, {kWhite, kRed, kBlue});
    p.Press(ColumnClueAt(1, 0));
    for (int i = 0; i < 8; ++i) p.Move(ColumnClueAt(1, 0));
    p.Release();
    EXPECT_TRUE(p.Questions().empty());  // hints off: never

    p.Keep(p.game.SetHints(true));
    p.Press(ColumnClueAt(1, 0));
    for (int i = 0; i < 4; ++i) p.Move(ColumnClueAt(1, i % 2));  // same column, any slot
    EXPECT_TRUE(p.Questions().empty());
    p.Move(ColumnClueAt(1, 2));  // the fifth further event, on an empty slot
    ASSERT_EQ(p.Questions(), std::vector<std::string>{"Вы хотите открыть 2 столбец ?"});
    EXPECT_TRUE(p.changes.back().question->column && p.changes.back().question->line == 1);
    EXPECT_EQ(p.model().Cell(1, 0).state, 1);  // not answered: nothing revealed
    p.Move(ColumnClueAt(1, 0));  // the count goes on: the next event asks again
    EXPECT_EQ(p.Questions().size(), 2u);
    // Another line starts the count again.
    for (int i = 0; i < 4; ++i) p.Move(ColumnClueAt(4, 0));
    EXPECT_EQ(p.Questions().size(), 2u);
    p.Release();
    p.Press(RowClueAt(1, 0));
    for (int i = 0; i < 5; ++i) p.Move(RowClueAt(1, 0));
    p.Release();
    ASSERT_EQ(p.Questions().size(), 3u);
    EXPECT_EQ(p.Questions()[2], "Вы хотите открыть 2 ряд ?");

    // "Да": the line as the picture has it, a step of its own, for the penalty in minutes.
    p.Tap(CellAt(0, 2));
    p.game.SetRevealPenalty(23);
    p.Keep(p.game.RevealLine(true, 0));
    EXPECT_EQ(p.model().minutes, 23);
    EXPECT_EQ(p.Row(0) + p.Row(1) + p.Row(2) + p.Row(3), "#....#....x....#....");
    p.Keep(p.game.Undo());
    EXPECT_EQ(p.Row(2), "#....");
    EXPECT_EQ(p.model().minutes, 23);
    // Penalties carry whole hours out of the minutes.
    p.Keep(p.game.RevealLine(false, 2));
    p.Keep(p.game.RevealLine(false, 2));
    EXPECT_EQ(Clock(p.model()), (ClockTime{1, 9, 0}));
}

TEST(GameHistory, UndoAndRedoTakeWholeStepsCellsAndCluesButNeverTheClock) {
    Player p({"1.1", "...", "1.."}, {kWhite, kRed});
    EXPECT_FALSE(p.game.CanUndo());
    // Out along the row and back: the cells passed twice end crossed, all in one step.
    p.Press(CellAt(0, 0));
    for (int c : {1, 2, 1, 0}) p.Move(CellAt(c, 0));
    p.Release();
    ASSERT_EQ(p.Row(0), "xx#");
    EXPECT_TRUE(p.changes.back().history);
    p.DoubleTap(ColumnClueAt(0, 0));
    ASSERT_EQ(p.model().ColumnClue(0, 0).done, 1);
    p.Ticks(7 * 60);
    p.Keep(p.game.Undo());
    EXPECT_EQ(p.model().ColumnClue(0, 0).done, 0);
    EXPECT_EQ(p.changes.back().clues.size(), 1u);
    p.Keep(p.game.Undo());
    EXPECT_EQ(p.Row(0), "...");
    EXPECT_EQ(p.changes.back().cells.size(), 3u);  // each cell once, to be drawn again
    EXPECT_FALSE(p.game.CanUndo());
    EXPECT_EQ(p.model().minutes, 7);
    p.Keep(p.game.Redo());
    EXPECT_EQ(p.Row(0), "xx#");
    p.Keep(p.game.Redo());
    EXPECT_EQ(p.model().ColumnClue(0, 0).done, 1);
    EXPECT_FALSE(p.game.CanRedo());
    // A new step drops what was taken back; a restart forgets everything.
    p.Keep(p.game.Undo());
    p.Tap(CellAt(1, 1));
    EXPECT_FALSE(p.game.CanRedo());
    p.Keep(p.game.Restart());
    EXPECT_FALSE(p.game.CanUndo());
    EXPECT_EQ(p.model().minutes, 0);
    // The step that completes the picture solves it; after that nothing is taken back.
    p.Tap(CellAt(0, 0)), p.Tap(CellAt(2, 0)), p.Tap(CellAt(0, 2));
    for (Hit h : {CellAt(1, 0), CellAt(0, 1), CellAt(1, 1), CellAt(2, 1), CellAt(1, 2), CellAt(2, 2)}) p.RightDrag({h});
    ASSERT_EQ(p.model().gameOver, 1);
    ASSERT_EQ(p.Solves(), 1);
    p.Keep(p.game.Undo());
    EXPECT_EQ(p.Row(2), "#xx");
    EXPECT_FALSE(p.game.CanUndo());
}

// A cross of red on white with four white corner cells.
TEST(GameSolve, SolvedOnlyOnceEveryWhiteCellIsCrossedThenOverWithTheClockStopped) {
    Player p({".1.", "111", ".1."}, {kWhite, kRed});
    EXPECT_TRUE(p.game.ClockRunning());
    for (Hit h : {CellAt(1, 0), CellAt(0, 1), CellAt(1, 1), CellAt(2, 1), CellAt(1, 2)}) p.Tap(h);
    EXPECT_EQ(p.Solves(), 0);  // the picture matches, but white cells are still blank
    EXPECT_EQ(p.model().gameOver, 0);
    p.Ticks(125);
    for (Hit h : {CellAt(0, 0), CellAt(2, 0), CellAt(0, 2), CellAt(2, 2)}) p.Tap(h), p.Tap(h);  // crossed
    ASSERT_EQ(p.Solves(), 1);
    const GameChange* solved = nullptr;
    for (const GameChange& c : p.changes)
        if (c.solved) solved = &c;
    EXPECT_EQ(*solved->solved, (ClockTime{0, 2, 5}));
    EXPECT_TRUE(solved->gameOver);
    EXPECT_EQ(p.model().gameOver, 1);
    EXPECT_FALSE(p.game.ClockRunning());
    p.Ticks(3);
    EXPECT_EQ(p.model().seconds, 5);
    // The game is over: taps change nothing and no second solve comes.
    p.Tap(CellAt(2, 2));
    EXPECT_EQ(p.model().Cell(2, 2).state, 0);
    EXPECT_EQ(p.Solves(), 1);
}

TEST(GameSolve, OpeningTheFieldShowsThePictureAndStopsTheClockWithoutASolve) {
    Player p({".1.", "111", ".1."}, {kWhite, kRed});
    p.Tap(CellAt(0, 0));
    p.Ticks(59 * 60);
    const GameChange opened = p.game.OpenField();
    EXPECT_TRUE(opened.gameOver && !opened.solved && opened.history);
    EXPECT_EQ(opened.cells.size(), 9u);
    EXPECT_EQ(p.Row(0) + p.Row(1) + p.Row(2), "x#x###x#x");
    EXPECT_EQ(p.model().gameOver, 1);
    EXPECT_FALSE(p.game.ClockRunning() || p.game.CanUndo());
    p.Ticks(2);
    EXPECT_EQ(Clock(p.model()), (ClockTime{0, 59, 0}));
}

TEST(GameHints, HintMarksFollowTheLinesAndSwitchingOffClearsThem) {
    Player p({"1.", ".."}, {kWhite, kRed});
    p.Tap(CellAt(0, 0));
    EXPECT_TRUE(p.changes[p.changes.size() - 2].marks.empty());  // hints off: no marks
    const GameChange on = p.game.SetHints(true);
    ASSERT_EQ(on.marks.size(), 4u);  // every cell's row and column
    p.Tap(CellAt(1, 0)), p.Tap(CellAt(1, 0));  // row 0 complete once (1, 0) is crossed
    const GameChange& crossed = p.changes[p.changes.size() - 2];
    ASSERT_EQ(crossed.marks.size(), 1u);
    EXPECT_TRUE(crossed.marks[0].rowComplete && !crossed.marks[0].columnComplete);
    EXPECT_EQ(p.model().rowSolved[0], 1);
    const GameChange off = p.game.SetHints(false);
    for (const LineMarks& m : off.marks) EXPECT_FALSE(m.rowComplete || m.columnComplete);
    EXPECT_EQ(p.model().hints, 0);
    // The solving move marks the lines it completes, as any other move.
    p.Keep(p.game.SetHints(true));
    p.Tap(CellAt(0, 1), kStylusRight), p.Tap(CellAt(1, 1), kStylusRight);
    const GameChange& solving = p.changes[p.changes.size() - 2];
    ASSERT_TRUE(solving.solved && !solving.marks.empty());
    EXPECT_TRUE(solving.marks.back().rowComplete && solving.marks.back().columnComplete);
}

TEST(GameRestore, TakesAFittingGameWholeAndRefusesAnotherPuzzle) {
    Player p({"1.", ".."}, {kWhite, kRed});
    p.Tap(CellAt(0, 0));
    BoardModel saved = p.model();
    saved.minutes = 12;
    saved.Cell(1, 1) = CellRecord{0, kWhite};
    const std::optional<GameChange> restored = p.game.Restore(saved);
    ASSERT_TRUE(restored);
    EXPECT_TRUE(restored->board && restored->clockStarted && restored->history);
    EXPECT_EQ(p.Row(1), ".x");
    EXPECT_EQ(p.model().minutes, 12);
    EXPECT_FALSE(p.game.CanUndo());
    EXPECT_TRUE(p.game.ClockRunning());
    EXPECT_FALSE(p.game.Restore(*test::BoardFromText({"1..", "..."}, {kWhite, kRed})));
    EXPECT_EQ(p.model().minutes, 12);
}

TEST(GameCheck, ACheckSearchesANewGameAndItsResultEndsTheGame) {
    Player p({"1.", ".1"}, {kWhite, kRed});
    p.Tap(CellAt(0, 0));
    p.Ticks(30);
    const BoardModel puzzle = p.game.CheckPuzzle();
    EXPECT_EQ(test::BoardFromText({"1.", ".1"}, {kWhite, kRed})->cells.size(), puzzle.cells.size());
    for (const CellRecord& cell : puzzle.cells) EXPECT_EQ(cell.state, 1);
    EXPECT_EQ(p.model().Cell(0, 0).state, 0);  // the game itself is untouched
    const BoardModel::Cells first = {{0, kWhite}, {0, kRed}, {0, kRed}, {0, kWhite}};
    const BoardModel::Cells second = {{0, kRed}, {0, kWhite}, {0, kWhite}, {0, kRed}};
    const BoardModel::Cells tooShort = {{0, kRed}};
    p.Keep(p.game.TakeCheckResult(second, {first, tooShort, second}, ClockTime{0, 1, 2}));
    EXPECT_EQ(p.model().gameOver, 1);
    EXPECT_FALSE(p.game.ClockRunning() || p.game.CanUndo());
    ASSERT_EQ(p.model().variants.size(), 2u);
    EXPECT_EQ(p.Row(0) + p.Row(1), "#xx#");
    EXPECT_EQ(Clock(p.model()), (ClockTime{0, 1, 2}));
    p.Keep(p.game.ShowVariant(0));
    EXPECT_EQ(p.Row(0) + p.Row(1), "x##x");
    EXPECT_TRUE(p.game.ShowVariant(2).Empty());
    p.Keep(p.game.ShowVariant(1));
    EXPECT_EQ(p.model().currentVariant, 1);
}

}  // namespace
}  // namespace mosgrid
