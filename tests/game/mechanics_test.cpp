// The mechanics checks in their order, and changes applied to a running board.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "board_builder.h"
#include "game.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::gameWith;
using testing::putBall;

constexpr const char* timeMessage = "Time limit must be from 0 to 999 seconds; 0 means unlimited.";
constexpr const char* launchMessage = "Launch interval must be from 0 to 60 seconds.";
constexpr const char* speedMessage =
    "Initial speeds must be from 1 to 1000 px/s, with minimum no greater than maximum.";
constexpr const char* multiplierMessage = "Ball speed multiplier must be from 0.1 to 4.";
constexpr const char* productMessage = "Maximum initial speed times the ball multiplier must not exceed 2000 px/s.";
constexpr const char* boostMessage = "Chevron boost must be from 0 to 20 times the original strength.";
constexpr const char* limitMessage = "Chevron speed limit must be from 1 to 2000 px/s per axis.";
constexpr const char* movingMessage =
    "This multiplier would raise a moving ball above 2000 px/s per axis. Use a smaller multiplier.";

Game runningBoard() {
    Level level = buildLevel("L");
    level.timeLimit = 90;
    level.launchInterval = 5;
    level.minSpeed = 60;
    level.maxSpeed = 140;
    level.queue = {1, 2, 3};
    return gameWith(level);
}

template <typename Change>
Mechanics with(const Game& game, Change change) {
    Mechanics m = game.mechanics;
    change(m);
    return m;
}

TEST(Mechanics, LevelValuesWithTheThreeFactors) {
    Game game = runningBoard();
    EXPECT_EQ(game.mechanics, (Mechanics{90, 5, 60, 140, 1.0, 1.0, 400.0}));
    std::string error;
    ASSERT_TRUE(game.applyMechanics(with(game,
                                         [](Mechanics& m) {
                                             m.minSpeed = 10;
                                             m.chevronBoost = 3;
                                         }),
                                    error));
    EXPECT_EQ(game.levelMechanics(), (Mechanics{90, 5, 60, 140, 1.0, 1.0, 400.0}));
}

TEST(Mechanics, ChecksInOrderWithTheirMessages) {
    const Game game = runningBoard();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        Mechanics m;
        const char* message;
    };
    const Case cases[] = {
        {{-1, 4, 50, 150, 1, 1, 400}, timeMessage},
        {{1000, -1, 0, 150, nan, 1, 400}, timeMessage},  // the first failing check wins
        {{0, 61, 50, 150, 1, 1, 400}, launchMessage},
        {{999, 60, 0, 150, 1, 1, 400}, speedMessage},
        {{0, 0, 50, 1001, 1, 1, 400}, speedMessage},
        {{0, 0, 200, 100, 1, 1, 400}, speedMessage},
        {{0, 0, 50, 150, nan, 50, 0}, multiplierMessage},
        {{0, 0, 50, 150, 0.09, 1, 400}, multiplierMessage},
        {{0, 0, 50, 150, 4.01, 1, 400}, multiplierMessage},
        {{0, 0, 50, 1000, 2.001, 1, 400}, productMessage},
        {{0, 0, 50, 150, 1, -0.1, 400}, boostMessage},
        {{0, 0, 50, 150, 1, 20.5, 400}, boostMessage},
        {{0, 0, 50, 150, 1, nan, 400}, boostMessage},
        {{0, 0, 50, 150, 1, 1, 0.5}, limitMessage},
        {{0, 0, 50, 150, 1, 1, 2000.5}, limitMessage},
        {{0, 0, 50, 150, 1, 1, std::numeric_limits<double>::infinity()}, limitMessage},
    };
    for (const Case& c : cases) EXPECT_EQ(game.validateMechanics(c.m), c.message) << c.message;

    for (const Mechanics& ok : {Mechanics{0, 0, 1, 1, 0.1, 0, 1}, Mechanics{999, 60, 1000, 1000, 2.0, 20, 2000},
                                Mechanics{120, 4, 50, 150, 4.0, 1, 400}})
        EXPECT_EQ(game.validateMechanics(ok), "");
}

TEST(Mechanics, AMultiplierMayNotPushAMovingBallPast2000) {
    Game game = runningBoard();
    putBall(game, 1, 272, 272, 1200, 0);
    const Mechanics doubled = with(game, [](Mechanics& m) { m.ballSpeedMultiplier = 2.0; });
    std::string error = "stale";
    EXPECT_FALSE(game.applyMechanics(doubled, error));
    EXPECT_EQ(error, movingMessage);
    EXPECT_EQ(game.balls[0].vx, 1200.0) << "a rejected change changes nothing";
    EXPECT_EQ(game.mechanics.ballSpeedMultiplier, 1.0);

    ASSERT_TRUE(game.applyMechanics(with(game, [](Mechanics& m) { m.ballSpeedMultiplier = 0.5; }), error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(game.balls[0].vx, 600.0);
    ASSERT_TRUE(game.applyMechanics(with(game, [](Mechanics& m) { m.ballSpeedMultiplier = 1.5; }), error));
    EXPECT_EQ(game.balls[0].vx, 1800.0) << "scaled by new / old";
}

TEST(Mechanics, TimeLimitChangesRestartTheClockOnlyWhenTheyChange) {
    Game game = runningBoard();
    game.step(4.1);  // first launch: the clock runs
    game.step(2.0);
    const double remaining = game.timeRemaining;
    ASSERT_LT(remaining, 90.0);
    std::string error;
    ASSERT_TRUE(game.applyMechanics(game.mechanics, error));
    EXPECT_EQ(game.timeRemaining, remaining) << "the same limit again";

    ASSERT_TRUE(game.applyMechanics(with(game, [](Mechanics& m) { m.chevronSpeedLimit = 100; }), error));
    EXPECT_EQ(game.timeRemaining, remaining);

    ASSERT_TRUE(game.applyMechanics(with(game, [](Mechanics& m) { m.timeLimit = 200; }), error));
    EXPECT_EQ(game.timeRemaining, 200.0);
    ASSERT_TRUE(game.applyMechanics(with(game, [](Mechanics& m) { m.timeLimit = 0; }), error));
    EXPECT_TRUE(game.unlimitedTime);
}

TEST(Mechanics, LaunchIntervalRestartsTheWaitOnceLaunchingHasBegun) {
    Game game = runningBoard();
    std::string error;
    game.step(1.0);
    ASSERT_TRUE(game.applyMechanics(with(game, [](Mechanics& m) { m.launchInterval = 9; }), error));
    EXPECT_NEAR(game.launchCountdown, 3.0, 1e-9) << "the opening 4 s countdown stands";

    game.step(3.1);  // first launch
    ASSERT_EQ(game.queue.size(), 2u);
    game.step(1.0);
    ASSERT_TRUE(game.applyMechanics(with(game, [](Mechanics& m) { m.launchInterval = 2; }), error));
    EXPECT_EQ(game.launchCountdown, 2.0);
    EXPECT_FALSE(game.nextBallBlink);
}

TEST(Mechanics, OutsidePlayANewLimitWaitsForTheNextBoard) {
    Level level = buildLevel("");
    level.timeLimit = 50;
    Game game = gameWith(level);
    game.step(0.016);
    ASSERT_EQ(game.phase, GamePhase::BoardComplete);
    const double remaining = game.timeRemaining;
    std::string error;
    ASSERT_TRUE(game.applyMechanics(with(game, [](Mechanics& m) { m.timeLimit = 300; }), error));
    EXPECT_EQ(game.timeRemaining, remaining) << "no second time bonus";
    EXPECT_EQ(game.mechanics.timeLimit, 300);
    game.restartBoard();
    EXPECT_EQ(game.timeRemaining, 300.0);
}

TEST(Mechanics, NeverTouchTheGameOverMessage) {
    Game game = gameWith(buildLevel("h10 h11\nh12 h13"));
    putBall(game, 2, 32, 32, 0, 0);
    game.step(0.016);
    ASSERT_EQ(game.phase, GamePhase::GameOver);
    std::string error;
    EXPECT_FALSE(game.applyMechanics(with(game, [](Mechanics& m) { m.timeLimit = -5; }), error));
    EXPECT_EQ(error, timeMessage);
    EXPECT_EQ(game.message, "You put a ball in a hole of a different color. Game over.");
}

TEST(Mechanics, SpeedsActAtTheNextLaunch) {
    Game game = runningBoard();
    std::string error;
    ASSERT_TRUE(game.applyMechanics(with(game,
                                         [](Mechanics& m) {
                                             m.minSpeed = 300;
                                             m.maxSpeed = 300;
                                             m.ballSpeedMultiplier = 2;
                                         }),
                                    error));
    game.step(4.1);
    ASSERT_EQ(game.balls.size(), 1u);
    EXPECT_NEAR(std::hypot(game.balls[0].vx, game.balls[0].vy), 600.0, 1e-9);
}

}  // namespace
}  // namespace corvale
