// Whole runs rather than single rules: several boards cleared in a row with
// their records, the choice of boards over many picks, and the scans whose
// ties and boundaries single-behaviour tests do not reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "board_builder.h"
#include "game.h"
#include "geometry.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::putBall;

// A red 2 x 2 hole in the top-left corner, centre (32, 32).
Level redHoleBoard(int id, bool bonus) {
    Level level = buildLevel("h10 h11\nh12 h13");
    level.id = id;
    level.bonus = bonus;
    level.timeLimit = bonus ? 0 : 20;
    return level;
}

std::vector<Level> runLevels(int normal, int bonus) {
    std::vector<Level> levels;
    for (int i = 0; i < normal + bonus; ++i) levels.push_back(redHoleBoard(i, i >= normal));
    return levels;
}

// Plays slices until the predicate holds; fails after a simulated minute.
template <typename Until>
void playUntil(Game& game, Until until) {
    for (int slice = 0; slice < 3750 && !until(); ++slice) game.step(0.016);
    ASSERT_TRUE(until());
}

TEST(Run, SixBoardsClearedInARowKeepARecordEachAndEndTheDrag) {
    Game game(runLevels(6, 1));
    game.newGame(0, 99);
    std::uint64_t scoreBefore = 0;
    for (int board = 1; board <= 6; ++board) {
        SCOPED_TRACE("board " + std::to_string(board));
        ASSERT_EQ(game.phase, GamePhase::Playing);
        EXPECT_EQ(game.boardNumber, board);
        EXPECT_EQ(game.bonusBoard, board == 6) << "the sixth board of a run is a bonus board";
        // Let a second pass first so the record's time is not zero.
        putBall(game, 1, 300, 300, 0, 0);
        game.step(0.5);
        game.balls[0].x = 60;
        game.balls[0].y = 60;
        game.balls[0].vx = -40;
        game.balls[0].vy = -40;
        game.beginStroke(400, 400);  // a drag in progress when the board ends
        game.clockVisible = false;   // as if caught mid-blink
        playUntil(game, [&] { return game.phase == GamePhase::BoardComplete; });
        EXPECT_EQ(game.drawingStrokeId, 0u) << "completion ends the drag";
        game.extendStroke(450, 450);
        EXPECT_EQ(game.strokes.back().points.size(), 1u);
        EXPECT_TRUE(game.clockVisible);

        ASSERT_EQ(game.completedBoards.size(), static_cast<std::size_t>(board));
        const CompletedBoard& record = game.completedBoards.back();
        EXPECT_EQ(record.boardId, game.boardId);
        EXPECT_EQ(record.points, 200u) << "this board's points, not the run's";
        EXPECT_EQ(game.score, scoreBefore + 200);
        EXPECT_GT(record.time, 0.5);
        EXPECT_EQ(record.timeLimit, game.mechanics.timeLimit);
        EXPECT_EQ(game.runCounters.boardsCleared, static_cast<std::uint64_t>(board));
        EXPECT_EQ(game.runCounters.timedBoards, static_cast<std::uint64_t>(std::min(board, 5)))
            << "the bonus board has no clock";
        EXPECT_EQ(game.boardCounters.boardsCleared, 1u);

        const std::uint64_t atCompletion = game.score;
        const std::uint64_t started = game.boardsStarted;
        playUntil(game, [&] { return game.boardsStarted != started; });
        if (board < 6) {
            EXPECT_GT(game.score, atCompletion) << "the time bonus";
        } else {
            EXPECT_EQ(game.score, atCompletion) << "an unlimited board pays no time bonus";
        }
        scoreBefore = game.score;
    }
    EXPECT_EQ(game.boardsCleared, 6);
    EXPECT_EQ(game.boardNumber, 7);
}

TEST(Run, ABoardIsNotPickedAgainWithinTenPicks) {
    // Eleven candidates and a history of ten leave exactly one choice each time.
    Game game(runLevels(11, 0));
    game.newGame(0, 5);
    std::vector<std::size_t> picks;
    for (int i = 0; i < 45; ++i) picks.push_back(game.pickLevel(false));
    for (std::size_t i = 0; i + 11 <= picks.size(); ++i) {
        const std::set<std::size_t> window(picks.begin() + static_cast<std::ptrdiff_t>(i),
                                           picks.begin() + static_cast<std::ptrdiff_t>(i + 11));
        EXPECT_EQ(window.size(), 11u) << "picks " << i << " to " << i + 10;
    }
    EXPECT_EQ(game.recentNormal.size(), 10u);
}

TEST(Run, ABlockNeverReplacesALauncherWhateverItsParameters) {
    Game game = testing::gameWith(buildLevel("x1000 x1FFF x0FFF"));
    putBall(game, 0, 500, 500, 0, 0);
    game.awardPoints(3200);
    EXPECT_FALSE(game.placeBlock(10, 10));
    EXPECT_FALSE(game.placeBlock(40, 10));
    EXPECT_TRUE(game.placeBlock(70, 10)) << "the largest floor code";
}

TEST(Run, AHolesPullShrinksABallThatFullyRecoversOnTheFloor) {
    Game game = testing::gameWith(redHoleBoard(0, false));
    putBall(game, 0, 500, 500, 0, 0);  // keeps the board in play
    // Near-hole flag: 42 px from the centre (by truncated position) still counts, 43 does not.
    Ball& edge = putBall(game, 2, 74.9, 32, 0, 0);
    game.step(0.004);
    EXPECT_TRUE(game.balls[1].nearHole);
    edge.x = 75.0;
    game.step(0.004);
    EXPECT_FALSE(game.balls[1].nearHole);

    // Launched out of the pull: smaller while pulled, full size on the floor.
    edge.x = 50;
    edge.vx = 400;
    game.step(0.004);
    EXPECT_EQ(game.balls[1].pull, -1);
    EXPECT_EQ(game.balls[1].radius, 11.0);
    game.step(0.2);
    EXPECT_GT(game.balls[1].x, 80);
    EXPECT_EQ(game.balls[1].pull, 0);
    EXPECT_EQ(game.balls[1].radius, 12.0);
}

TEST(Outline, TheLeadingPointFacesTheVelocityInEveryDirection) {
    for (double radius : {12.0, 7.0, 1.0}) {
        const Outline outline = ballOutline(radius);
        for (int a = 0; a < outlinePoints; ++a) {
            // The exact direction of point a (the axis points are set exactly).
            const double angle = a * std::numbers::pi / 16 + std::numbers::pi;
            const int leading = leadingOutlineIndex(outline, std::cos(angle), std::sin(angle));
            const BoardPoint p = outline[static_cast<std::size_t>(leading)];
            const BoardPoint q = outline[static_cast<std::size_t>(a)];
            // Truncated points can tie or lose to a neighbour, so only "no point lies further ahead".
            EXPECT_GE(p.x * std::cos(angle) + p.y * std::sin(angle), q.x * std::cos(angle) + q.y * std::sin(angle));
        }
    }
}

}  // namespace
}  // namespace corvale
