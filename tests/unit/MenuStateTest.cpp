#include <gtest/gtest.h>

#include "app/MenuState.h"

namespace mosgrid {
namespace {

MenuInputs Board(int cols, int gameOver = 0, int variantCount = 0, int currentVariant = 0, int hints = 0) {
    MenuInputs in;
    in.cols = cols;
    in.gameOver = gameOver;
    in.variantCount = variantCount;
    in.currentVariant = currentVariant;
    in.hints = hints;
    return in;
}

TEST(MenuStateTest, NoPuzzleGreysEveryPuzzleCommandWhateverTheOtherFieldsSay) {
    MenuState expected;  // everything grey, no check mark
    EXPECT_EQ(ComputeMenuState(Board(0)), expected);
    EXPECT_EQ(ComputeMenuState(Board(0, 1, 3, 1)), expected);
    expected.hintsChecked = true;
    EXPECT_EQ(ComputeMenuState(Board(0, 0, 0, 0, 1)), expected);
}

TEST(MenuStateTest, PuzzleInPlayEnablesRestartOpenFieldAndCheck) {
    MenuState s = ComputeMenuState(Board(10));
    EXPECT_TRUE(s.restartEnabled);
    EXPECT_TRUE(s.openFieldEnabled);
    EXPECT_TRUE(s.checkEnabled);
    EXPECT_FALSE(s.prevEnabled);
    EXPECT_FALSE(s.nextEnabled);
    EXPECT_FALSE(s.hintsChecked);
}

TEST(MenuStateTest, GameOverGreysOnlyOpenField) {
    MenuState s = ComputeMenuState(Board(10, 1));
    EXPECT_TRUE(s.restartEnabled);
    EXPECT_FALSE(s.openFieldEnabled);
    EXPECT_TRUE(s.checkEnabled);
    EXPECT_FALSE(s.prevEnabled);
    EXPECT_FALSE(s.nextEnabled);
}

TEST(MenuStateTest, VariantsGreyTheCheckAndBoundTheSteps) {
    // Three variants after a solver run (the run ends the game).
    MenuState first = ComputeMenuState(Board(10, 1, 3, 0));
    EXPECT_TRUE(first.restartEnabled);
    EXPECT_FALSE(first.openFieldEnabled);
    EXPECT_FALSE(first.checkEnabled);
    EXPECT_FALSE(first.prevEnabled);
    EXPECT_TRUE(first.nextEnabled);

    MenuState middle = ComputeMenuState(Board(10, 1, 3, 1));
    EXPECT_TRUE(middle.prevEnabled);
    EXPECT_TRUE(middle.nextEnabled);

    MenuState last = ComputeMenuState(Board(10, 1, 3, 2));
    EXPECT_TRUE(last.prevEnabled);
    EXPECT_FALSE(last.nextEnabled);
    EXPECT_FALSE(last.checkEnabled);

    // A single variant: nowhere to step.
    MenuState only = ComputeMenuState(Board(10, 1, 1, 0));
    EXPECT_FALSE(only.prevEnabled);
    EXPECT_FALSE(only.nextEnabled);
    EXPECT_FALSE(only.checkEnabled);
}

TEST(MenuStateTest, VariantsWhileInPlayKeepOpenFieldEnabled) {
    MenuState s = ComputeMenuState(Board(5, 0, 2, 0));
    EXPECT_TRUE(s.openFieldEnabled);
    EXPECT_FALSE(s.checkEnabled);
}

TEST(MenuStateTest, HintsMarkFollowsTheFlagInEveryState) {
    EXPECT_TRUE(ComputeMenuState(Board(10, 0, 0, 0, 1)).hintsChecked);
    EXPECT_TRUE(ComputeMenuState(Board(10, 1, 3, 2, 1)).hintsChecked);
    EXPECT_FALSE(ComputeMenuState(Board(10, 1, 3, 2, 0)).hintsChecked);
}

}  // namespace
}  // namespace mosgrid
