// Construction, the generator, level choice and board setup.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

#include "board_builder.h"
#include "game.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::gameWith;

// Five normal and two bonus levels at Beginner, three normal at Novice.
std::vector<Level> mixedLevels() {
    std::vector<Level> levels;
    for (int i = 0; i < 10; ++i) {
        Level level = buildLevel("o1@8");  // keeps each board busy
        level.id = i;
        level.difficulty = i < 7 ? 0 : 1;
        level.bonus = i == 5 || i == 6;
        levels.push_back(level);
    }
    return levels;
}

TEST(Random, FollowsTheLinearCongruentialSequence) {
    Game game = gameWith(buildLevel(""));
    game.rngState = 1;
    EXPECT_EQ(game.nextRandom(), 41);
    EXPECT_EQ(game.nextRandom(), 18467);
    EXPECT_EQ(game.nextRandom(), 6334);
    EXPECT_EQ(game.nextRandom(), 26500);
    EXPECT_EQ(game.nextRandom(), 19169);

    const std::uint32_t state = game.rngState;
    EXPECT_EQ(game.randomBelow(0), 0);
    EXPECT_EQ(game.randomBelow(-3), 0);
    EXPECT_EQ(game.rngState, state) << "randomBelow(n <= 0) must not draw";
    game.rngState = 1;
    EXPECT_EQ(game.randomBelow(10), 1);  // 41 mod 10
}

TEST(Construction, RejectsAnEmptyListAndOtherwiseStartsABoard) {
    std::vector<Level> none;
    try {
        Game game(std::move(none));
        FAIL() << "expected std::invalid_argument";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Corvale requires at least one level.");
    }

    std::vector<Level> levels = mixedLevels();
    Game game(std::move(levels));
    EXPECT_TRUE(levels.empty()) << "the Game takes the caller's list";
    EXPECT_EQ(game.levels.size(), 10u);
    EXPECT_EQ(game.phase, GamePhase::Playing);
    EXPECT_EQ(game.difficulty, 0);
    EXPECT_FALSE(game.bonusBoard);
    EXPECT_LT(game.levelIndex, 5u);
    EXPECT_EQ(game.score, 0u);
    EXPECT_EQ(game.highScore, 5000u);
    EXPECT_EQ(game.strokeLimit, 20);
    EXPECT_EQ(game.nextStrokeId, 1u);
    EXPECT_EQ(game.boardsStarted, 1u);
    EXPECT_EQ(game.balls.capacity(), 64u);
    EXPECT_FALSE(game.lastBoardValid);
    EXPECT_FALSE(game.boardCommitted);
}

// Planners copy Games by the thousand: copies share the one level list,
// and a moved-from Game still holds it.
TEST(Construction, CopiesShareTheLevelList) {
    Game game(mixedLevels());
    Game copy = game;
    EXPECT_EQ(&copy.levels[0], &game.levels[0]);
    Game moved = std::move(copy);
    EXPECT_EQ(&moved.levels[0], &game.levels[0]);
    EXPECT_EQ(copy.levels.size(), 10u);  // NOLINT(bugprone-use-after-move): the list stays valid
    const std::vector<Level>& plain = game.levels;
    EXPECT_EQ(plain.size(), 10u);
}

TEST(LevelIndex, OutOfRangeThrowsAndLeavesTheBoard) {
    Game game(mixedLevels());
    game.newGame(0, 99);
    const std::uint64_t index = game.levelIndex;
    const std::uint64_t started = game.boardsStarted;
    for (std::int64_t bad : {std::int64_t{10}, std::int64_t{-1}}) {
        try {
            game.startLevel(bad, true);
            FAIL() << "expected std::out_of_range for " << bad;
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "Corvale level index is out of range.");
        }
        EXPECT_THROW(game.setupBoard(bad, false), std::out_of_range);
    }
    EXPECT_EQ(game.levelIndex, index);
    EXPECT_EQ(game.boardsStarted, started);
}

TEST(PickLevel, NeverRepeatsRecentLevelsAndFallsBack) {
    Game game(mixedLevels());
    game.newGame(0, 7);
    // Five normal Beginner levels: each choice avoids the previous four.
    std::vector<std::size_t> picks;
    for (int i = 0; i < 40; ++i) picks.push_back(game.pickLevel(false));
    for (std::size_t i = 0; i < picks.size(); ++i) {
        EXPECT_LT(picks[i], 5u);
        for (std::size_t back = 1; back <= 4 && back <= i; ++back) EXPECT_NE(picks[i], picks[i - back]);
    }
    EXPECT_LE(game.recentNormal.size(), 10u);

    // Bonus at Beginner: two candidates alternate.
    const std::size_t first = game.pickLevel(true);
    const std::size_t second = game.pickLevel(true);
    EXPECT_TRUE(first == 5 || first == 6);
    EXPECT_NE(first, second);

    // Novice has no bonus level: the choice falls back to a normal one.
    game.newGame(1, 0);
    EXPECT_TRUE(game.recentBonus.empty()) << "a new difficulty clears the histories";
    EXPECT_GE(game.pickLevel(true), 7u);

    // A single candidate is returned at once, one draw all the same.
    Game single = gameWith(buildLevel(""));
    const std::uint32_t before = single.rngState;
    EXPECT_EQ(single.pickLevel(false), 0u);
    EXPECT_EQ(single.pickLevel(false), 0u);
    single.rngState = before;
    single.nextRandom();
    single.nextRandom();
    const std::uint32_t afterTwo = single.rngState;
    single.rngState = before;
    single.pickLevel(false);
    single.pickLevel(false);
    EXPECT_EQ(single.rngState, afterTwo);
}

TEST(NewGame, SeedZeroContinuesTheGeneratorOnTheSameDifficulty) {
    Game game(mixedLevels());
    game.newGame(0, 5);
    const std::uint32_t state = game.rngState;
    const std::size_t history = game.recentNormal.size();
    game.newGame(0, 0);
    EXPECT_NE(game.rngState, state) << "the pick draws on from the current state";
    EXPECT_EQ(game.recentNormal.size(), history + 1);

    game.newGame(-3, 0);
    EXPECT_EQ(game.difficulty, 0) << "clamped";
    game.newGame(9, 0);
    EXPECT_EQ(game.levelIndex, 0u) << "clamped to Expert, which has no levels here: index 0";

    Game a(mixedLevels());
    Game b(mixedLevels());
    a.newGame(0, 31337);
    b.newGame(0, 31337);
    EXPECT_EQ(a.levelIndex, b.levelIndex);
    EXPECT_EQ(a.balls[0].vx, b.balls[0].vx);
}

TEST(Setup, PlacesPreplacedBallsWithTheirHeadingsAndSpeeds) {
    Level level = buildLevel(
        "o1@0 o2@8 o3@16 o4@24 o0\n"
        "T400 T011 K14 K20 L . L");
    level.minSpeed = 80;
    level.maxSpeed = 180;
    Game game = gameWith(level, 4242);

    ASSERT_EQ(game.balls.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const Ball& ball = game.balls[static_cast<std::size_t>(i)];
        EXPECT_EQ(ball.id, i + 1);
        EXPECT_EQ(ball.x, 32.0 * i + 16);
        EXPECT_EQ(ball.y, 16.0);
        EXPECT_EQ(ball.radius, 12.0);
        const double speed = std::hypot(ball.vx, ball.vy);
        EXPECT_GE(speed, 80.0 - 1e-9);
        EXPECT_LT(speed, 180.0);
        EXPECT_EQ(game.cells[static_cast<std::size_t>(i)].code, 0) << "the cell becomes floor";
    }
    EXPECT_LT(game.balls[0].vy, 0);  // up
    EXPECT_NEAR(game.balls[0].vx, 0, 1e-9);
    EXPECT_GT(game.balls[1].vx, 0);  // right
    EXPECT_NEAR(game.balls[1].vy, 0, 1e-9);
    EXPECT_GT(game.balls[2].vy, 0);  // down
    EXPECT_LT(game.balls[3].vx, 0);  // left
    EXPECT_EQ(game.balls[4].color, 0);

    // Walls take their initial frames; launchers are listed in cell order.
    EXPECT_EQ(game.cells[17].wallFrame, 4);
    EXPECT_EQ(game.cells[17].wallState, 2);
    EXPECT_EQ(game.cells[18].wallState, 0);
    EXPECT_EQ(game.cells[19].wallFrame, 4);
    EXPECT_EQ(game.cells[19].wallState, 2);
    EXPECT_EQ(game.cells[20].wallState, 0);
    EXPECT_EQ(game.launchers, (std::vector<std::int32_t>{21, 23}));
    EXPECT_TRUE(game.clockRunning) << "an empty queue starts the clock at once";
    EXPECT_EQ(game.launchCountdown, 4.0);
}

TEST(Setup, ShufflesTheQueueWithTheGenerator) {
    Level level = buildLevel("L");
    level.queue = {1, 2, 3, 4, 0, 1, 2, 3};
    level.randomizeQueue = true;
    Game game = gameWith(level, 1);

    // Replay the draws: newGame(seed 1) makes one pick, then the shuffle.
    Game replay = gameWith(level, 1);
    replay.rngState = 1;
    replay.nextRandom();  // pickLevel
    std::vector<std::int32_t> expected = level.queue;
    for (int i = 0; i < 8; ++i)
        std::swap(expected[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(replay.randomBelow(8))]);
    EXPECT_EQ(game.queue, expected);
    EXPECT_NE(game.queue, level.queue);
    EXPECT_FALSE(game.clockRunning);
}

TEST(Progression, EverySixthBoardIsABonusBoardAndMechanicsReset) {
    std::vector<Level> levels = mixedLevels();
    for (Level& level : levels) level.cells[0] = {};  // empty boards clear at once
    Game game(std::move(levels));
    game.newGame(0, 3);
    std::vector<bool> bonus;
    for (int board = 0; board < 7; ++board) {
        bonus.push_back(game.bonusBoard);
        EXPECT_EQ(game.boardNumber, board + 1);
        const std::uint64_t started = game.boardsStarted;
        while (game.boardsStarted == started) game.step(0.1);
    }
    EXPECT_EQ(bonus, (std::vector<bool>{false, false, false, false, false, true, false}));

    Mechanics changed = game.mechanics;
    changed.chevronBoost = 2.0;
    std::string error;
    ASSERT_TRUE(game.applyMechanics(changed, error));
    game.restartBoard();
    EXPECT_EQ(game.mechanics.chevronBoost, 2.0) << "restart keeps the mechanics";
    EXPECT_EQ(game.boardNumber, 1);
    game.startLevel(2, true);
    EXPECT_EQ(game.mechanics.chevronBoost, 1.0) << "a new level resets them";
}

TEST(Setup, ClearsPause) {
    Game game = gameWith(buildLevel("o1"));
    game.setPaused(true);
    game.restartBoard();
    EXPECT_FALSE(game.paused);
}

}  // namespace
}  // namespace corvale
