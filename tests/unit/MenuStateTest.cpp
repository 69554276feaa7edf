#include <gtest/gtest.h>

#include "app/MenuState.h"

namespace mosgrid {
namespace {

// {cols, gameOver, variants, current, hints} -> {restart, open field, check, prev, next, hints mark}
TEST(MenuStateTest, GreyingTable) {
    struct Row { MenuInputs in; MenuState out; };
    const Row rows[] = {
        {{0, 1, 3, 1, 0}, {false, false, false, false, false, false}},  // no puzzle: all grey
        {{0, 0, 0, 0, 1}, {false, false, false, false, false, true}},
        {{10, 0, 0, 0, 0}, {true, true, true, false, false, false}},    // in play
        {{10, 1, 0, 0, 1}, {true, false, true, false, false, true}},    // game over: open field grey
        {{10, 1, 3, 0, 0}, {true, false, false, false, true, false}},   // first of three variants
        {{10, 1, 3, 1, 0}, {true, false, false, true, true, false}},
        {{10, 1, 3, 2, 1}, {true, false, false, true, false, true}},    // last
        {{10, 1, 1, 0, 0}, {true, false, false, false, false, false}},  // a single variant
        {{5, 0, 2, 0, 0}, {true, true, false, false, true, false}},     // variants while in play
    };
    for (const Row& r : rows)
        EXPECT_EQ(ComputeMenuState(r.in), r.out) << r.in.cols << r.in.gameOver << r.in.variantCount
                                                 << r.in.currentVariant << r.in.hints;
}

}  // namespace
}  // namespace mosgrid
