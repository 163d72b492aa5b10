// The step, ball motion, board edges, ball against ball and the launcher.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "board_builder.h"
#include "game.h"
#include "geometry.h"
#include "state_hash.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::cellCentre;
using testing::gameWith;
using testing::putBall;

TEST(Step, IgnoresBadArgumentsAndPause) {
    Game game = gameWith(buildLevel("o1@8"));
    const std::uint64_t before = hashGame(game);
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        game.step(bad);
    EXPECT_EQ(hashGame(game), before);
    game.setPaused(true);
    game.step(0.5);
    EXPECT_EQ(game.boardAge, 0.0);
    game.setPaused(false);
    game.step(0.5);
    EXPECT_NEAR(game.boardAge, 0.5, 1e-9);
}

TEST(Step, CutsTimeIntoSlicesAndSubSteps) {
    // A ramp changes the speed once per sub-step: 0.05 s must be
    // 0.016 + 0.016 + 0.016 + 0.002, that is 4 + 4 + 4 + 1 sub-steps.
    Level level = buildLevel(". R^");
    Game game = gameWith(level);
    putBall(game, 1, cellCentre(1), cellCentre(0), 0, 0);
    putBall(game, 1, cellCentre(10), cellCentre(10), 0, 0);  // keeps the board busy
    Game sliced = game;
    game.step(0.05);
    EXPECT_EQ(game.balls[0].vy, -39.0);
    EXPECT_NEAR(game.boardAge, 0.05, 1e-12);

    sliced.step(0.016);
    sliced.step(0.016);
    sliced.step(0.016);
    sliced.step(0.002);
    EXPECT_EQ(hashGame(sliced), hashGame(game));
}

TEST(Step, TreatsHugeArgumentsAsTenMinutes) {
    Level level = buildLevel("");
    level.timeLimit = 0;
    Game game = gameWith(level);
    putBall(game, 1, 100, 100, 0, 0);
    game.step(1e300);
    EXPECT_NEAR(game.boardAge, 600.0, 1e-6);
}

TEST(Outline, TruncatesTowardZeroWithExactAxisPoints) {
    const Outline outline = ballOutline(12.0);
    const BoardPoint firstQuarter[] = {{-12, 0}, {-11, -2}, {-11, -4}, {-9, -6}, {-8, -8},
                                       {-6, -9}, {-4, -11}, {-2, -11}, {0, -12}};
    for (int a = 0; a <= 8; ++a) {
        EXPECT_EQ(outline[static_cast<std::size_t>(a)], firstQuarter[a]) << "offset " << a;
    }
    EXPECT_EQ(outline[12], (BoardPoint{8, -8}));
    EXPECT_EQ(outline[16], (BoardPoint{12, 0}));
    EXPECT_EQ(outline[20], (BoardPoint{8, 8}));
    EXPECT_EQ(outline[24], (BoardPoint{0, 12}));
    EXPECT_EQ(outline[28], (BoardPoint{-8, 8}));
    EXPECT_EQ(ballOutline(1.0)[4], (BoardPoint{0, 0}));
}

TEST(BoardEdges, ClampAndReverse) {
    Game game = gameWith(buildLevel(""));
    Ball left;
    left.x = 5;
    left.y = 100;
    left.vx = -50;
    EXPECT_TRUE(game.clampToBoard(left));
    EXPECT_EQ(left.x, 12.0);
    EXPECT_EQ(left.vx, 50.0);

    Ball right;
    right.x = 540;
    right.y = 538;
    right.vx = 50;
    right.vy = 20;
    EXPECT_TRUE(game.clampToBoard(right));
    EXPECT_EQ(right.x, 531.0);
    EXPECT_EQ(right.y, 531.0);
    EXPECT_EQ(right.vy, -20.0);

    Ball inside;
    inside.x = 200;
    inside.y = 200;
    EXPECT_FALSE(game.clampToBoard(inside));
}

TEST(BallCollision, HeadOnBallsExchangeVelocities) {
    Game game = gameWith(buildLevel(""));
    putBall(game, 1, 200, 272, 100, 0);
    putBall(game, 2, 240, 272, -100, 0);
    game.step(0.15);
    EXPECT_EQ(game.balls[0].vx, -100.0);
    EXPECT_EQ(game.balls[1].vx, 100.0);
    EXPECT_EQ(game.balls[0].vy, 0.0);
    EXPECT_EQ(game.boardCounters.ballHits, 1u);
    EXPECT_EQ(game.runCounters.ballHits, 1u);
    EXPECT_EQ(game.lifetimeCounters.ballHits, 1u);
}

TEST(BallCollision, SeparatingOrConcentricBallsAreLeftAlone) {
    Game game = gameWith(buildLevel(""));
    putBall(game, 1, 200, 272, -100, 0);
    putBall(game, 2, 210, 272, 100, 0);  // overlapping but moving apart
    putBall(game, 3, 400, 400, 30, 0);
    putBall(game, 4, 400, 400, 30, 0);  // same centre: no normal
    game.step(0.1);
    EXPECT_EQ(game.balls[0].vx, -100.0);
    EXPECT_EQ(game.balls[1].vx, 100.0);
    EXPECT_EQ(game.balls[2].vx, 30.0);
    EXPECT_EQ(game.boardCounters.ballHits, 0u);
}

TEST(BallCollision, OnlyAfterCrossingAWholePixel) {
    // Overlapping and closing, but neither ball crosses a pixel boundary in
    // one sub-step: the gate skips the test.
    Game game = gameWith(buildLevel(""));
    putBall(game, 1, 200.1, 272.5, 1, 0);
    putBall(game, 2, 220.1, 272.5, -1, 0);
    game.step(0.004);
    EXPECT_EQ(game.boardCounters.ballHits, 0u);
    EXPECT_EQ(game.balls[0].vx, 1.0);
}

TEST(Launcher, LaunchesAfterFourSecondsUnlessCovered) {
    Level level = buildLevel(". L");
    level.queue = {3, 1};
    level.launchInterval = 2;
    Game game = gameWith(level);
    EXPECT_FALSE(game.clockRunning);
    Ball& blocker = putBall(game, 0, cellCentre(1), cellCentre(0), 0, 0);
    game.step(4.2);
    EXPECT_EQ(game.queue.size(), 2u) << "the launcher cell is covered";
    EXPECT_EQ(game.launchCountdown, 0.0);
    EXPECT_FALSE(game.clockRunning);
    EXPECT_EQ(game.elapsed, 0.0) << "no play time before the first launch";

    blocker.x = 300;
    game.step(0.016);
    ASSERT_EQ(game.balls.size(), 2u);
    EXPECT_EQ(game.balls[1].color, 3);
    EXPECT_NEAR(game.balls[1].x, cellCentre(1), 2.0) << "launched at the launcher's centre, then moved";
    EXPECT_EQ(game.queue.size(), 1u);
    EXPECT_EQ(game.launchCountdown, 2.0);
    EXPECT_TRUE(game.clockRunning);
}

TEST(Launcher, NoLauncherMeansNoLaunchAndNoClock) {
    Level level = buildLevel("");
    level.queue = {1};
    Game game = gameWith(level);
    putBall(game, 0, 100, 100, 0, 0);
    game.step(10);
    EXPECT_EQ(game.queue.size(), 1u);
    EXPECT_FALSE(game.clockRunning);
    EXPECT_EQ(game.timeRemaining, 120.0);
}

TEST(Launcher, BlinksTheNextBallInTheLastPartOfTheWait) {
    Level level = buildLevel("L");
    level.queue = {1};
    Game game = gameWith(level);
    game.step(3.0);
    EXPECT_FALSE(game.nextBallBlink);
    bool blinked = false;
    for (int i = 0; i < 40 && !game.queue.empty(); ++i) {
        game.step(0.016);
        blinked = blinked || game.nextBallBlink;
    }
    EXPECT_TRUE(blinked);
    EXPECT_FALSE(game.nextBallBlink) << "cleared by the launch";
}

TEST(AddBall, RespectsTheLimitOfSixtyFour) {
    Game game = gameWith(buildLevel(""));
    for (int i = 0; i < 70; ++i) game.addBall(1, 100, 100, 90);
    EXPECT_EQ(game.balls.size(), 64u);
    EXPECT_EQ(game.nextBallId, 65);
    EXPECT_NEAR(game.balls[0].vx, 100, 1e-9);
    EXPECT_NEAR(game.balls[0].vy, 0, 1e-9);
}

TEST(CellOccupied, UsesStrictOverlap) {
    Game game = gameWith(buildLevel(""));
    putBall(game, 1, 44, 16, 0, 0);  // spans x 32..56: only touches cell 0
    EXPECT_FALSE(game.cellOccupied(0, 0));
    EXPECT_TRUE(game.cellOccupied(1, 0));
    EXPECT_FALSE(game.cellOccupied(2, 0));
    EXPECT_FALSE(game.cellOccupied(1, 1));
    game.balls[0].x = 43.5;
    EXPECT_TRUE(game.cellOccupied(0, 0));
    EXPECT_FALSE(game.cellOccupied(-1, 0));
    EXPECT_FALSE(game.cellOccupied(17, 0));
    // Touching a cell's side, whichever, is not occupying it.
    game.balls[0].x = 52;  // spans 40..64 both ways
    game.balls[0].y = 52;
    EXPECT_TRUE(game.cellOccupied(1, 1));
    EXPECT_FALSE(game.cellOccupied(2, 1));
    EXPECT_FALSE(game.cellOccupied(1, 2));
    game.balls[0].x = 44;  // spans 32..56 both ways
    game.balls[0].y = 44;
    EXPECT_FALSE(game.cellOccupied(0, 1));
    EXPECT_FALSE(game.cellOccupied(1, 0));
    game.balls[0].active = false;
    EXPECT_FALSE(game.cellOccupied(1, 1)) << "sunk balls occupy nothing";
}

TEST(Copy, ACopyPlaysOnIndependentlyAndIdentically) {
    Level level = buildLevel("L . . . h10 h11\n. . . . h12 h13");
    level.queue = {1, 1, 1};
    level.launchInterval = 1;
    Game game = gameWith(level, 77);
    game.step(5);
    Game copy = game;
    EXPECT_EQ(copy.balls.capacity(), 64u);
    game.step(3);
    copy.step(3);
    EXPECT_EQ(hashGame(copy), hashGame(game));
    copy.step(1);
    EXPECT_NE(copy.boardAge, game.boardAge);
}

}  // namespace
}  // namespace corvale
