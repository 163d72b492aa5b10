// Holes, points, the clock, board completion, block tokens and high score.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "board_builder.h"
#include "game.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::gameWith;
using testing::putBall;

// A hole of the given colour in the top-left corner, centred at (32, 32).
Level holeBoard(int color) {
    const std::string c = std::to_string(color);
    return buildLevel("h" + c + "0 h" + c + "1\nh" + c + "2 h" + c + "3");
}

// Drops a ball at the hole's centre; another ball far away keeps the board in play.
Game sinkOne(int ballColor, int holeColor, bool keepBusy = true) {
    Game game = gameWith(holeBoard(holeColor));
    putBall(game, ballColor, 32, 32, 0, 0);
    if (keepBusy) putBall(game, 0, 500, 500, 0, 0);
    game.step(0.016);
    return game;
}

TEST(Holes, PayByTheBallsColourInColouredHoles) {
    struct Case {
        int ball, hole;
        std::uint64_t points;
    };
    for (const Case c : {Case{1, 1, 200}, Case{2, 2, 400}, Case{3, 3, 800}, Case{4, 4, 1600}, Case{1, 0, 0},
                         Case{4, 0, 0}, Case{0, 1, 0}, Case{0, 0, 0}}) {
        const Game game = sinkOne(c.ball, c.hole);
        EXPECT_FALSE(game.balls[0].active) << c.ball << " in " << c.hole;
        EXPECT_EQ(game.score, c.points) << c.ball << " in " << c.hole;
        EXPECT_EQ(game.boardCounters.ballsSunk, 1u);
        EXPECT_EQ(game.phase, GamePhase::Playing);
    }
}

TEST(Holes, AWrongHoleEndsTheGame) {
    Game game = sinkOne(1, 2);
    EXPECT_EQ(game.phase, GamePhase::GameOver);
    EXPECT_EQ(game.message, "You put a ball in a hole of a different color. Game over.");
    EXPECT_TRUE(game.balls[0].active) << "the ball stays where it is";
    EXPECT_EQ(game.boardCounters.ballsSunk, 0u);
    EXPECT_EQ(game.score, 0u);
    const double age = game.boardAge;
    game.step(1.0);
    EXPECT_EQ(game.boardAge, age) << "nothing moves after a game over";
    game.beginStroke(100, 100);
    EXPECT_TRUE(game.strokes.empty());
    game.restartBoard();
    EXPECT_EQ(game.phase, GamePhase::Playing);
    EXPECT_TRUE(game.message.empty());
}

TEST(Holes, PullAndShrinkABallNearTheCentre) {
    Game game = gameWith(holeBoard(1));
    putBall(game, 1, 52, 32, 0, 0);  // 20 px right of the centre
    putBall(game, 0, 500, 500, 0, 0);
    game.step(0.004);
    const Ball& ball = game.balls[0];
    EXPECT_TRUE(ball.nearHole);
    EXPECT_EQ(ball.pull, -1);
    EXPECT_EQ(ball.radius, 11.0);
    EXPECT_DOUBLE_EQ(ball.vx, -25.0 / 400.0 * 20.0);
    game.step(2.0);
    EXPECT_FALSE(ball.active) << "pulled in and sunk";
    EXPECT_EQ(game.score, 200u);
}

// A board of `timeLimit` seconds half a second into play, its clock running.
Game clockedBoard(int timeLimit) {
    Level level = holeBoard(1);
    level.timeLimit = timeLimit;
    Game game = gameWith(level);
    putBall(game, 0, 500, 500, 0, 0);
    game.step(0.5);
    return game;
}

TEST(Clock, RunsOutAndEndsTheGame) {
    Game game = clockedBoard(12);
    EXPECT_TRUE(game.clockVisible);
    bool blinked = false;
    while (game.phase == GamePhase::Playing) {
        game.step(0.016);
        blinked = blinked || !game.clockVisible;
    }
    EXPECT_TRUE(blinked) << "the last ten seconds blink";
    EXPECT_EQ(game.message, "Time has run out. Game over.");
    EXPECT_EQ(game.timeRemaining, 0.0);
    EXPECT_TRUE(game.clockVisible);
    EXPECT_NEAR(game.elapsed, 12.0, 0.02);
    EXPECT_EQ(game.boardCounters.playTime, game.elapsed);
}

TEST(Clock, BlinksBelowElevenSecondsDownToOneInclusive) {
    Game game = clockedBoard(30);
    ASSERT_TRUE(game.clockRunning);
    const double slice = 1.0 / 64;  // lands exactly on whole seconds
    for (const auto& [at, blinks] : {std::pair{11.0, false}, std::pair{11.0 - slice, true}, std::pair{1.0, true}}) {
        game.timeRemaining = at + slice;
        game.clockVisible = true;
        game.clockBlinkTimer = 0.33;  // a blinking clock turns over on this slice
        game.step(slice);
        ASSERT_EQ(game.timeRemaining, at);
        EXPECT_EQ(game.clockVisible, !blinks) << at << " s left";
    }
}

TEST(Completion, PaysTheTimeBonusThenMovesOn) {
    Level level = holeBoard(1);
    level.timeLimit = 30;
    Game game = gameWith(level);
    putBall(game, 1, 400, 400, 0, 0);
    game.step(1.0);
    game.balls[0].x = 32;
    game.balls[0].y = 32;
    game.timeRemaining = 7.3 + 0.016;  // the clock runs before the ball is sunk
    game.step(0.016);
    ASSERT_EQ(game.phase, GamePhase::BoardComplete);
    EXPECT_NEAR(game.timeRemaining, 7.3, 1e-9);
    ASSERT_EQ(game.completedBoards.size(), 1u);
    const CompletedBoard& record = game.completedBoards[0];
    EXPECT_EQ(record.points, 200u) << "before the bonus";
    EXPECT_EQ(record.timeLimit, 30);
    EXPECT_NEAR(record.time, 1.016, 1e-9);
    EXPECT_EQ(record.possiblePoints, 0u) << "the level itself holds no balls";
    EXPECT_EQ(game.boardCounters.boardsCleared, 1u);
    EXPECT_EQ(game.boardCounters.timedBoards, 1u);
    EXPECT_NEAR(game.boardCounters.timeLeftAtCompletion, 7.3, 1e-9);

    int bonusSlices = 0;
    while (game.timeRemaining > 0) {
        game.step(0.016);
        ++bonusSlices;
    }
    EXPECT_EQ(game.score, 208u) << "a started second counts whole";
    EXPECT_EQ(bonusSlices, 10) << "one second every 0.02 s";

    const std::uint64_t started = game.boardsStarted;
    int waitSlices = 0;
    while (game.boardsStarted == started) {
        game.step(0.016);
        ++waitSlices;
    }
    EXPECT_EQ(waitSlices, 94) << "1.5 s in slices of 0.016";
    EXPECT_EQ(game.boardNumber, 2);
    EXPECT_EQ(game.score, 208u) << "the score carries over";
    EXPECT_EQ(game.completedBoards.size(), 1u);
}

TEST(Completion, UnlimitedBoardsMoveOnAfterOneAndAHalfSeconds) {
    Level level = holeBoard(1);
    level.timeLimit = 0;
    Game game = gameWith(level);
    game.step(0.016);
    ASSERT_EQ(game.phase, GamePhase::BoardComplete) << "nothing to play: complete at the first step";
    EXPECT_EQ(game.boardCounters.timedBoards, 0u);
    EXPECT_EQ(game.boardCounters.boardsCleared, 1u);
    game.step(1.47);
    EXPECT_EQ(game.boardsStarted, 2u);
    game.step(0.04);
    EXPECT_EQ(game.boardsStarted, 3u);
}

TEST(BlockTokens, OnePer1600Points) {
    Game game = gameWith(buildLevel(""));
    game.awardPoints(1599);
    EXPECT_EQ(game.blockTokens, 0);
    game.awardPoints(1701);
    EXPECT_EQ(game.blockTokens, 2);
    EXPECT_EQ(game.blockThreshold, 3200u);
    game.awardPoints(1499);
    EXPECT_EQ(game.blockTokens, 2);
    game.awardPoints(1);
    EXPECT_EQ(game.blockTokens, 3);
    EXPECT_EQ(game.highScore, 5000u);
    game.awardPoints(1700);
    EXPECT_EQ(game.highScore, 6500u);
}

TEST(BlockTokens, PlaceBlocksOnFreeFloorOnly) {
    Game game = gameWith(buildLevel("L h10 # ."));
    putBall(game, 1, 16, 48, 0, 0);  // on the floor of cell (0, 1)
    EXPECT_FALSE(game.placeBlock(100, 10)) << "no token";
    game.awardPoints(3200);
    ASSERT_EQ(game.blockTokens, 2);
    EXPECT_FALSE(game.placeBlock(10, 10)) << "launcher";
    EXPECT_FALSE(game.placeBlock(40, 10)) << "hole";
    EXPECT_FALSE(game.placeBlock(70, 10)) << "wall";
    EXPECT_FALSE(game.placeBlock(16, 48)) << "under a ball";
    EXPECT_FALSE(game.placeBlock(544, 10));
    EXPECT_TRUE(game.placeBlock(100, 10));
    EXPECT_EQ(game.cells[3].code, 0x3000);
    EXPECT_EQ(game.blockTokens, 1);
    game.setPaused(true);
    EXPECT_FALSE(game.placeBlock(200, 200));
    game.setPaused(false);
    EXPECT_TRUE(game.placeBlock(200, 200)) << "the last token";
    EXPECT_EQ(game.blockTokens, 0);
    EXPECT_FALSE(game.placeBlock(300, 200));
}

TEST(HighScore, SetHighScoreTakesTheLargerOfValueAndScore) {
    Game game = gameWith(buildLevel(""));
    game.setHighScore(0);
    EXPECT_EQ(game.highScore, 0u) << "a stored 0 replaces the 5000 of construction";
    game.awardPoints(2500);
    game.setHighScore(1000);
    EXPECT_EQ(game.highScore, 2500u);
}

TEST(PossiblePoints, CountsReachableHolesRecoloursAndBreakableWalls) {
    EXPECT_EQ(possiblePoints(buildLevel("h10 B0")), 0u) << "no balls";
    EXPECT_EQ(possiblePoints(buildLevel("o2 B1 B0 B0")), 20u) << "gray walls break for any ball, red ones not for blue";

    Level level = buildLevel("o1 o1 h20 B0 B3");
    level.queue = {2, 0};
    // Red balls can only reach the blue hole through a recolour; none here.
    // Blue reaches Blue (400); gray reaches nothing coloured of its own.
    EXPECT_EQ(possiblePoints(level), 400u + 10u);

    // A blue recolouring wall behind a gray breakable wall opens Blue to every ball.
    Level hidden = buildLevel("o1 o1 h20 B0=#2 B2=B0");
    hidden.queue = {0};
    EXPECT_EQ(possiblePoints(hidden), 3 * 400u + 10u + 20u);

    // Gold wins over lower colours.
    Level gold = buildLevel("o4 h40 h10 #1");
    EXPECT_EQ(possiblePoints(gold), 1600u);

    // Colours outside 0..4 count as the clamped colour the ball is given on the board.
    Level odd = buildLevel("o7 h40 h20");
    odd.queue = {9, -1};
    Game game = gameWith(odd);
    EXPECT_EQ(game.balls[0].color, 4);
    EXPECT_EQ(possiblePoints(odd), 2 * 1600u);
}

}  // namespace
}  // namespace corvale
