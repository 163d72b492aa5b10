// A short soak: every board of the set played with random ink and a few with
// the solver's, checked after every sub-step. The full one is tools/soak
// (120 s a board, several seeds).
#include "soak.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

#include "board_builder.h"

namespace corvale {
namespace {

std::vector<Level> boardSet() {
    std::ifstream in(CORVALE_LEVELS_BIN, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseLevelResource(bytes);
}

TEST(Soak, TheCheckSeesABallInAWallOffTheBoardOrNotFinite) {
    Game game = testing::gameWith(testing::buildLevel("#  .  T000"));
    const Game before = game;
    testing::putBall(game, 1, 100, 16, 10, 0);
    EXPECT_EQ(soakViolation(game, before), "");
    game.balls[0].x = 10;
    EXPECT_NE(soakViolation(game, before).find("inside solid cell (0, 0)"), std::string::npos);
    game.balls[0].x = 70;
    EXPECT_EQ(soakViolation(game, before), "") << "a timed wall still open";
    game.cells[2].wallFrame = 4;
    EXPECT_NE(soakViolation(game, before).find("inside solid cell (2, 0)"), std::string::npos);
    game.balls[0].x = 544;
    EXPECT_NE(soakViolation(game, before).find("off the board"), std::string::npos);
    game.balls[0].x = 100;
    game.balls[0].vy = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NE(soakViolation(game, before).find("not finite"), std::string::npos);
    game.balls[0].vy = 0;
    game.lifetimeCounters.timedBoards = 1;
    EXPECT_EQ(soakViolation(before, game), "a lifetime counter decreased");
    EXPECT_EQ(soakViolation(game, before), "timedBoards exceeds boardsCleared");
}

TEST(Soak, EveryBoardPlaysWithRandomInkWithinTheRules) {
    Game game(boardSet());
    SoakResult result;
    for (std::int64_t board = 0; board < levelCount; ++board) soakBoard(game, board, 1, 3.0, result);
    for (std::int64_t board : {0, 200, 300, 420, 550}) soakBoard(game, board, 2, 60.0, result);
    for (const std::string& failure : result.failures) ADD_FAILURE() << failure;
    EXPECT_GT(result.subSteps, 480000u);
}

// The solver's ink goes where the balls go, as random ink seldom does: a
// board of each difficulty and a bonus board, watched after every sub-step
// of the solver's own game (its state at the finish proves it is that game).
TEST(Soak, TheSolversInkKeepsTheRulesInEverySubStepOfItsOwnGame) {
    Game game(boardSet());
    SoakResult result;
    for (int board : {3, 250, 330, 380, 400, 540}) soakBoardWithSolver(game, board, 1, 60.0, result);
    for (const std::string& failure : result.failures) ADD_FAILURE() << failure;
    EXPECT_GE(result.solverReplays, 5u);
    EXPECT_EQ(result.solverReplaysMatching, result.solverReplays);
    EXPECT_GE(result.solverWins, 4u);
    // Two whole sub-steps and a part in every tick of the solver's play.
    EXPECT_GE(static_cast<double>(result.subSteps), 3 * result.solverSeconds * ticksPerSecond);
}

}  // namespace
}  // namespace corvale
