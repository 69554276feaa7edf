// Line passes, the sweep and the search on real board models.
#include <gtest/gtest.h>

#include "solver/core/PuzzleSolver.h"
#include "solver/core/SolvePuzzle.h"
#include "tests/unit/SolverTestBoards.h"

namespace mosgrid {
namespace {

constexpr COLORREF kBlue = 0xFF0000;
// Palette entry 0 is black and unused: the fill colour is the picture's red.
const std::vector<COLORREF> kRedOnWhite{kBlack, kWhite, kRed};
// Red on white with white at entry 0, for pictures drawn with dots.
const std::vector<COLORREF> kRedOnDots{kWhite, kBlack, kRed};

using test::BoardFromText;

std::string RowText(const BoardModel& m, int r) {
    std::string s;
    for (int c = 0; c < m.cols(); ++c) {
        const CellRecord& cell = m.Cell(c, r);
        s += cell.state == 1 ? '?' : cell.colour == kWhite ? 'x' : cell.colour == kRed ? 'R' : cell.colour == kBlue ? 'B' : '#';
    }
    return s;
}

struct RowPass {
    std::unique_ptr<BoardModel> model;
    test::RecordingProgress progress;
    test::RecordingListener listener;
    std::unique_ptr<PuzzleSolver> solver;

    explicit RowPass(const std::string& row) {
        model = BoardFromText({row}, kRedOnWhite);
        solver = std::make_unique<PuzzleSolver>(*model, &listener);
    }
    void Pass() { solver->SolveLine(LineKind::Row, 0, progress); }
};

TEST(LinePass, RowWithoutCluesBecomesEmpty) {
    auto model = BoardFromText({"1111", "2112"}, kRedOnWhite);
    test::RecordingProgress progress;
    PuzzleSolver solver(*model);
    solver.pendingRows[0] = 1;
    solver.SolveLine(LineKind::Row, 0, progress);
    EXPECT_EQ(RowText(*model, 0), "xxxx");
    EXPECT_EQ(RowText(*model, 1), "????");
    EXPECT_EQ(progress.steps, 4);
    EXPECT_EQ(solver.pendingRows[0], 0);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(solver.pendingColumns[std::size_t(c)], 1);
    EXPECT_EQ(solver.contradiction, 0);
}

TEST(LinePass, DecidesWhatEveryPlacementAgreesOnInThePicturesOwnColour) {
    RowPass full("22222");
    full.Pass();
    EXPECT_EQ(RowText(*full.model, 0), "RRRRR");

    RowPass middle("12221");
    middle.Pass();
    EXPECT_EQ(RowText(*middle.model, 0), "??R??");
    EXPECT_EQ(middle.progress.steps, 1);
    EXPECT_EQ(middle.solver->pendingColumns, (std::array<std::uint8_t, kMaxSide>{0, 0, 1}));
    // Every cell that was blank is written back, changed or not.
    EXPECT_EQ(middle.listener.writes.size(), 5u);

    RowPass ones("212");
    ones.Pass();
    EXPECT_EQ(RowText(*ones.model, 0), "RxR");
    EXPECT_EQ(ones.progress.steps, 3);
}

TEST(LinePass, DecidedCellsConstrainAndAreLeftAlone) {
    RowPass pass("11211");
    pass.model->Cell(2, 0) = CellRecord{0, kRed};
    pass.Pass();
    EXPECT_EQ(RowText(*pass.model, 0), "xxRxx");
    EXPECT_EQ(pass.progress.steps, 4);
    EXPECT_EQ(pass.listener.writes.size(), 4u);  // the decided cell is not written
    for (const test::CellWrite& w : pass.listener.writes) EXPECT_NE(w.column, 2);
    EXPECT_EQ(pass.solver->pendingColumns[2], 0);
}

TEST(LinePass, NoPlacementSetsTheContradictionAndChangesNothing) {
    RowPass pass("222");
    pass.model->Cell(1, 0) = CellRecord{0, kWhite};
    pass.solver->pendingRows[0] = 1;
    pass.Pass();
    EXPECT_EQ(pass.solver->contradiction, 1);
    EXPECT_EQ(RowText(*pass.model, 0), "?x?");
    EXPECT_EQ(pass.progress.steps, 0);
    EXPECT_TRUE(pass.listener.writes.empty());
    EXPECT_EQ(pass.solver->pendingRows[0], 0);
    EXPECT_EQ(pass.solver->pendingColumns, (std::array<std::uint8_t, kMaxSide>{}));
}

TEST(Sweep, RunsUntilNothingIsPendingAndTellsTheListenerAfterEveryPass) {
    auto model = BoardFromText({"22.", ".22", "2.2"}, {kWhite, kBlack, kRed});
    test::RecordingListener listener;
    test::RecordingProgress progress;
    PuzzleSolver solver(*model, &listener);
    solver.MarkAllLinesPending();
    solver.PropagateLines(progress);
    EXPECT_EQ(solver.pendingRows, (std::array<std::uint8_t, kMaxSide>{}));
    EXPECT_EQ(solver.pendingColumns, (std::array<std::uint8_t, kMaxSide>{}));
    EXPECT_EQ(listener.passes, solver.LinePasses());
    EXPECT_GE(listener.passes, 6);
    EXPECT_EQ(progress.steps, 9);
    EXPECT_EQ(RowText(*model, 0), "RRx");
    EXPECT_EQ(RowText(*model, 2), "RxR");
}

TEST(Search, LinesAloneGiveOneVariantWithoutAGuess) {
    auto model = BoardFromText({"22.", ".22", "2.2"}, {kWhite, kBlack, kRed});
    test::RecordingProgress progress;
    SolveResult result = SolvePuzzle(*model, progress);
    EXPECT_EQ(result.count, 1);
    EXPECT_TRUE(result.linesAlone);
    EXPECT_EQ(result.guesses, 0);
    ASSERT_EQ(model->variants.size(), 1u);
    EXPECT_EQ(model->variants[0][0].colour, kRed);
    // The range is the number of cells and every cell is one step.
    EXPECT_EQ(progress.events.front().kind, 'R');
    EXPECT_EQ(progress.events.front().value, 9u);
    EXPECT_EQ(progress.steps, 9);
}

TEST(Search, TwoByTwoOnesFindsEmptyFirstVariantFirst) {
    auto model = BoardFromText({"3.", ".3"}, {kWhite, kBlack, kRed, kBlue});
    test::RecordingProgress progress;
    SolveResult result = SolvePuzzle(*model, progress);
    ASSERT_EQ(result.count, 2);
    EXPECT_FALSE(result.linesAlone);
    EXPECT_FALSE(result.storeFull);
    auto at = [&](int v, int c, int r) { return model->variants[std::size_t(v)][std::size_t(r * 2 + c)]; };
    EXPECT_EQ(at(0, 0, 0).colour, kWhite);
    EXPECT_EQ(at(0, 1, 0).colour, kBlue);
    EXPECT_EQ(at(0, 0, 1).colour, kBlue);
    EXPECT_EQ(at(0, 1, 1).colour, kWhite);
    EXPECT_EQ(at(1, 0, 0).colour, kBlue);
    EXPECT_EQ(at(1, 1, 1).colour, kBlue);
    for (const auto& variant : model->variants) {
        for (const CellRecord& cell : variant) EXPECT_EQ(cell.state, 0);
    }
}

TEST(Search, ContradictoryCluesGiveNothing) {
    auto model = BoardFromText({"2.", ".."}, kRedOnDots);
    model->RowClue(1, 0) = model->RowClue(0, 0);  // rows ask for two cells, columns for one
    test::RecordingProgress progress;
    PuzzleSolver solver(*model);
    solver.MarkAllLinesPending();
    EXPECT_FALSE(solver.SearchSolutions(progress, 0, 0));
    EXPECT_EQ(solver.contradiction, 1);
    EXPECT_TRUE(model->variants.empty());
    EXPECT_EQ(SolvePuzzle(*model, progress).count, 0);
}

TEST(Search, OneRowIsStoredWithoutAGuess) {
    auto model = BoardFromText({"2.22.2"}, kRedOnDots);
    test::RecordingProgress progress;
    SolveResult result = SolvePuzzle(*model, progress);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(result.guesses, 0);
    EXPECT_TRUE(result.linesAlone);
}

TEST(Search, ProgressIsPutBackAfterEveryEmptyBranch) {
    // Four by four permutation matrices: 24 solutions, 23 guesses with two branches each.
    auto model = BoardFromText({"2...", ".2..", "..2.", "...2"}, kRedOnDots);
    test::RecordingProgress progress;
    SolveResult result = SolvePuzzle(*model, progress);
    ASSERT_EQ(result.count, 24);
    std::vector<std::uint32_t> saved;
    int restores = 0;
    for (const auto& e : progress.events) {
        if (e.kind == 'G') saved.push_back(e.value);
        if (e.kind == 'S') {
            ASSERT_FALSE(saved.empty());
            EXPECT_EQ(e.value, saved.back());
            saved.pop_back();
            ++restores;
        }
    }
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(restores, result.guesses);
    EXPECT_EQ(result.guesses, 23);
}

TEST(Search, ListenerSeesEveryChangeOfTheCells) {
    auto model = BoardFromText({"2.2.", ".2.2", "2..2", ".22."}, kRedOnDots);
    test::RecordingListener listener;
    test::RecordingProgress progress;
    BoardModel::Cells painted = model->cells;
    SolveResult result = SolvePuzzle(*model, progress, &listener);
    ASSERT_GT(result.guesses, 0);
    for (const test::CellWrite& w : listener.writes) painted[std::size_t(w.row * model->cols() + w.column)] = w.cell;
    for (std::size_t i = 0; i < painted.size(); ++i) {
        EXPECT_EQ(painted[i].state, model->cells[i].state) << i;
        EXPECT_EQ(painted[i].colour, model->cells[i].colour) << i;
    }
    EXPECT_EQ(listener.passes, result.linePasses);
}

TEST(Search, StopsOnceTheStoreIsFull) {
    // 5 x 5 permutation matrices: 120 solutions. The search ends at the hundredth, so the board
    // is left holding it.
    auto model = BoardFromText({"2....", ".2...", "..2..", "...2.", "....2"}, kRedOnDots);
    test::RecordingProgress progress;
    SolveResult result = SolvePuzzle(*model, progress);
    EXPECT_EQ(result.count, 100);
    EXPECT_TRUE(result.storeFull);
    ASSERT_EQ(model->variants.size(), 100u);
    for (std::size_t i = 0; i < model->cells.size(); ++i) {
        EXPECT_EQ(model->cells[i].colour, model->variants[99][i].colour) << i;
    }
}

TEST(Search, TwoColoursNeitherWhite) {
    auto model = BoardFromText({"0110", "1001", "0000"}, {kRed, kBlack});
    ASSERT_EQ(model->picture.colourCount, 2);
    test::RecordingProgress progress;
    SolveResult result = SolvePuzzle(*model, progress);
    ASSERT_EQ(result.count, 1);
    EXPECT_TRUE(result.linesAlone);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_EQ(model->variants[0][std::size_t(r * 4 + c)].colour, model->PictureColour(c, r));
    }
}

TEST(Search, RunsOfOneColourInTwoPaletteEntriesMayTouch) {
    // Entries 1 and 2 are both black: the row's two clues touch, as in the picture.
    auto model = BoardFromText({"1122", "...."}, {kWhite, kBlack, kBlack});
    ASSERT_EQ(model->picture.colourCount, 2);
    test::RecordingProgress progress;
    SolveResult result = SolvePuzzle(*model, progress);
    ASSERT_EQ(result.count, 1);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(model->variants[0][std::size_t(c)].colour, kBlack);
        EXPECT_EQ(model->variants[0][std::size_t(4 + c)].colour, kWhite);
    }
}

TEST(Search, TooManyColoursAreRefused) {
    auto model = BoardFromText({"2"}, kRedOnWhite);
    model->picture.colourCount = 40;
    for (int i = 0; i < 40; ++i) model->picture.colours[std::size_t(i)] = COLORREF(i);
    test::RecordingProgress progress;
    SolveResult result = SolvePuzzle(*model, progress);
    EXPECT_TRUE(result.unsupported);
    EXPECT_EQ(result.count, 0);
    EXPECT_TRUE(progress.events.empty());
}

}  // namespace
}  // namespace mosgrid
