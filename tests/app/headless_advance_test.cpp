#include "headless_advance.h"

#include <gtest/gtest.h>

#include "../game/board_builder.h"

namespace corvale {
namespace {

// The remainder left by subtracting 1/120 after each step costs one more,
// tiny step; screenshots are reproduced with exactly this count.
TEST(HeadlessAdvance, StepCountIncludesTheRoundingRemainder) {
    Game game = testing::gameWith(testing::buildLevel("L"));
    EXPECT_EQ(advanceHeadless(game, 1.0), 121);
    EXPECT_EQ(advanceHeadless(game, 0.1), 13);
    EXPECT_EQ(advanceHeadless(game, 0.0), 0);
    EXPECT_EQ(advanceHeadless(game, 600.0), 72001);
}

TEST(HeadlessAdvance, SimulatesTheRequestedTime) {
    Game game = testing::gameWith(testing::buildLevel("L"));
    const double before = game.boardAge;
    advanceHeadless(game, 2.5);
    EXPECT_NEAR(game.boardAge - before, 2.5, 1e-9);
}

}  // namespace
}  // namespace corvale
