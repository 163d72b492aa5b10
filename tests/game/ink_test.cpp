// Ink strokes: drawing, the stored-stroke limit, bouncing and erasure.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "board_builder.h"
#include "game.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::gameWith;
using testing::putBall;

Game busyBoard() {
    Game game = gameWith(buildLevel(""));
    putBall(game, 0, 500, 500, 0, 0);  // keeps the board in play
    return game;
}

TEST(Strokes, BeginAndExtendWithSpacingAndClamping) {
    Game game = busyBoard();
    game.beginStroke(543.7, 10);
    ASSERT_EQ(game.strokes.size(), 1u);
    EXPECT_EQ(game.strokes[0].points[0], (BoardPoint{543, 10}));
    EXPECT_EQ(game.strokes[0].id, 1u);
    EXPECT_EQ(game.drawingStrokeId, 1u);
    EXPECT_EQ(game.boardCounters.strokesDrawn, 1u);

    game.extendStroke(543, 10.4);  // 0.4 px: too close
    EXPECT_EQ(game.strokes[0].points.size(), 1u);
    EXPECT_EQ(game.boardCounters.inkDrawn, 0.0);
    game.extendStroke(543, 10.5);
    EXPECT_EQ(game.strokes[0].points.size(), 2u);
    EXPECT_DOUBLE_EQ(game.boardCounters.inkDrawn, 0.5);
    game.extendStroke(600, 10.5);  // outside: onto the edge
    EXPECT_EQ(game.strokes[0].points.size(), 2u) << "clamped to the last point, too close";
    game.extendStroke(600, 20.5);
    EXPECT_EQ(game.strokes[0].points.back(), (BoardPoint{543, 20.5}));
    game.extendStroke(std::numeric_limits<double>::quiet_NaN(), 30);
    EXPECT_EQ(game.strokes[0].points.size(), 3u);

    game.beginStroke(544, 10);
    EXPECT_EQ(game.strokes.size(), 1u) << "off the board";
    EXPECT_EQ(game.drawingStrokeId, 0u) << "but the drag has ended";
    game.extendStroke(500, 100);
    EXPECT_EQ(game.strokes[0].points.size(), 3u);
    game.beginStroke(10, -0.1);
    EXPECT_EQ(game.strokes.size(), 1u);
}

TEST(Strokes, APressAtANonFiniteOrOffBoardPointDrawsNothing) {
    Game game = busyBoard();
    game.awardPoints(1600);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const BoardPoint p : {BoardPoint{nan, 10}, BoardPoint{10, nan}, BoardPoint{inf, 10}, BoardPoint{10, -inf},
                               BoardPoint{-0.5, 10}, BoardPoint{10, 544}}) {
        game.beginStroke(p.x, p.y);
        EXPECT_FALSE(game.placeBlock(p.x, p.y)) << p.x << ", " << p.y;
    }
    EXPECT_TRUE(game.strokes.empty());
    EXPECT_EQ(game.blockTokens, 1);
}

TEST(Strokes, RefusedWhilePausedOrAfterTheBoard) {
    Game game = busyBoard();
    game.setPaused(true);
    game.beginStroke(100, 100);
    EXPECT_TRUE(game.strokes.empty());
    game.setPaused(false);
    game.beginStroke(100, 100);
    game.setPaused(true);
    EXPECT_EQ(game.drawingStrokeId, 0u) << "pausing ends the drag";
    game.clearInk();
    EXPECT_TRUE(game.strokes.empty()) << "clearInk works while paused";
}

TEST(Strokes, TheLimitEvictsTheOldest) {
    Game game = busyBoard();
    for (int i = 0; i < 12; ++i) game.beginStroke(10.0 + i, 10);
    EXPECT_EQ(game.strokes.size(), 12u);
    EXPECT_FALSE(game.setStrokeLimit(0));
    EXPECT_FALSE(game.setStrokeLimit(4097));
    EXPECT_EQ(game.strokeLimit, 20);
    EXPECT_TRUE(game.setStrokeLimit(4096));
    EXPECT_TRUE(game.setStrokeLimit(5));
    ASSERT_EQ(game.strokes.size(), 5u);
    EXPECT_EQ(game.strokes.front().id, 8u);
    EXPECT_EQ(game.strokes.back().id, 12u);

    game.beginStroke(100, 100);
    EXPECT_EQ(game.strokes.size(), 5u);
    EXPECT_EQ(game.strokes.front().id, 9u);

    ASSERT_TRUE(game.setStrokeLimit(1));
    game.beginStroke(200, 200);
    const std::uint64_t drawing = game.drawingStrokeId;
    game.beginStroke(300, 300);
    ASSERT_EQ(game.strokes.size(), 1u);
    EXPECT_EQ(game.strokes[0].id, drawing + 1);

    // A stroke evicted while being drawn stops growing.
    game.endStroke();
    game.beginStroke(10, 10);
    game.strokes.clear();  // as if evicted
    game.extendStroke(20, 20);
    EXPECT_TRUE(game.strokes.empty());
}

TEST(Strokes, HoldAtMost32768Points) {
    Game game = busyBoard();
    game.beginStroke(0, 0);
    for (int i = 1; i < 40000; ++i) game.extendStroke((i % 2) * 10.0, (i / 2) % 500 + 0.5 * (i % 3));
    EXPECT_EQ(game.strokes[0].points.size(), 32768u);
}

TEST(StrokeNear, MeasuresSegmentsAndDotsInclusively) {
    Game game = busyBoard();
    game.beginStroke(100, 100);
    const InkStroke dot = game.strokes[0];
    EXPECT_TRUE(game.strokeNear(dot, {103, 104}, 5));
    EXPECT_FALSE(game.strokeNear(dot, {103, 104.01}, 5));
    game.extendStroke(200, 100);
    const InkStroke line = game.strokes[0];
    EXPECT_TRUE(game.strokeNear(line, {150, 106}, 6));
    EXPECT_FALSE(game.strokeNear(line, {150, 106.5}, 6));
    EXPECT_TRUE(game.strokeNear(line, {206, 100}, 6)) << "beyond the end: distance to the end point";
    EXPECT_FALSE(game.strokeNear(line, {207, 100}, 6));
    EXPECT_FALSE(game.strokeNear(InkStroke{}, {100, 100}, 50));

    // Built by hand, without the box the drawing operations keep.
    InkStroke byHand;
    byHand.points = {{300, 300}, {400, 300}};
    EXPECT_TRUE(game.strokeNear(byHand, {350, 306}, 6));
    EXPECT_FALSE(game.strokeNear(byHand, {350, 306.5}, 6));
    InkStroke edited = line;
    edited.points.push_back({200, 400});
    EXPECT_TRUE(game.strokeNear(edited, {204, 350}, 5)) << "a point added behind the box's back";
}

TEST(InkCollision, ABallBouncesOffAStrokeAndUsesItUp) {
    Game game = busyBoard();
    game.beginStroke(300, 200);
    game.extendStroke(300, 340);
    game.endStroke();
    game.beginStroke(20, 20);  // far away: survives
    putBall(game, 1, 250, 272, 100, 0);
    game.step(0.5);
    const Ball& ball = game.balls[1];
    EXPECT_EQ(ball.vx, -100.0);
    EXPECT_EQ(ball.vy, 0.0);
    EXPECT_LT(ball.x, 283);
    EXPECT_EQ(game.boardCounters.inkHits, 1u);
    ASSERT_EQ(game.strokes.size(), 1u);
    EXPECT_EQ(game.strokes[0].points[0], (BoardPoint{20, 20}));
    EXPECT_EQ(game.drawingStrokeId, game.strokes[0].id) << "the drag of another stroke goes on";
}

TEST(InkCollision, ErasingTheStrokeBeingDrawnEndsTheDrag) {
    Game game = busyBoard();
    game.beginStroke(300, 200);
    game.extendStroke(300, 340);
    putBall(game, 1, 250, 272, 100, 0);
    game.step(0.5);
    EXPECT_TRUE(game.strokes.empty());
    EXPECT_EQ(game.drawingStrokeId, 0u);
    game.extendStroke(300, 400);
    EXPECT_TRUE(game.strokes.empty()) << "the rest of that drag draws nothing";
}

TEST(InkCollision, StrokesPutIntoTheListDirectlyDeflectAndAreErased) {
    // Enough strokes for the per-cell index, none made by beginStroke.
    for (int extra : {0, 12}) {
        Game game = busyBoard();
        for (int s = 0; s < extra; ++s) {
            InkStroke far;
            far.id = 100 + static_cast<std::uint64_t>(s);
            far.points = {{20.0 + 30 * s, 20}, {20.0 + 30 * s, 60}};
            game.strokes.push_back(far);
        }
        InkStroke wall;
        wall.id = 99;
        wall.points = {{300, 200}, {300, 340}};
        game.strokes.push_back(wall);
        putBall(game, 1, 250, 272, 100, 0);
        game.step(0.5);
        EXPECT_EQ(game.balls[1].vx, -100.0) << extra << " other strokes";
        EXPECT_EQ(game.boardCounters.inkHits, 1u);
        EXPECT_EQ(game.strokes.size(), static_cast<std::size_t>(extra));
    }
}

TEST(InkCollision, PointsMovedInPlaceBetweenStepsAreWhereTheBallMeetsThem) {
    // Same point count, new place: a box remembered from the earlier step
    // would still say "far away" and the ball would roll through. With the
    // per-cell index, the moved stroke is the first or the last in the list.
    for (int extra : {0, 12}) {
        for (bool movedFirst : {false, true}) {
            Game game = busyBoard();
            // Long strokes along the bottom fill much of the index, so the
            // slots the moved stroke takes next held other strokes before.
            for (int s = 0; s < extra; ++s)
                game.strokes.push_back(
                    {100 + static_cast<std::uint64_t>(s), {{0, 490.0 + 4 * s}, {540, 490.0 + 4 * s}}});
            game.beginStroke(20, 20);
            game.extendStroke(20, 50);
            if (movedFirst) std::rotate(game.strokes.rbegin(), game.strokes.rbegin() + 1, game.strokes.rend());
            putBall(game, 1, 250, 272, 100, 0);
            game.step(0.1);
            InkStroke& moved = movedFirst ? game.strokes.front() : game.strokes.back();
            const InkStroke before = moved;
            moved.points = {{300, 200}, {300, 340}};
            EXPECT_NE(moved, before) << "equality is about the points, nothing cached beside them";
            game.step(0.5);
            EXPECT_EQ(game.balls[1].vx, -100.0) << extra << " other strokes, moved first " << movedFirst;
            EXPECT_EQ(game.boardCounters.inkHits, 1u);
            EXPECT_EQ(game.strokes.size(), static_cast<std::size_t>(extra));
        }
    }
}

TEST(InkCollision, ADotDeflectsLikeASmallObstacle) {
    Game game = busyBoard();
    game.beginStroke(300, 272);
    game.endStroke();
    putBall(game, 1, 250, 272, 100, 0);
    game.step(0.5);
    EXPECT_LT(game.balls[1].vx, 0);
    EXPECT_TRUE(game.strokes.empty());
}

TEST(InkCollision, ADiagonalStrokeTurnsTheBall) {
    Game game = busyBoard();
    game.beginStroke(260, 340);
    game.extendStroke(340, 260);  // a 45-degree line across the path
    putBall(game, 1, 200, 300, 100, 0);
    game.step(1.0);
    const Ball& ball = game.balls[1];
    EXPECT_NEAR(ball.vx, 0, 1e-9);
    EXPECT_NEAR(ball.vy, -100, 1e-9);
}

// Contact on the ball's flank, a quarter turn from where it is heading: the
// edge of the points scanned.
TEST(InkCollision, AStrokeGrazedByTheBallsFlankTurnsIt) {
    Game game = busyBoard();
    game.strokes.push_back({7, {{300, 100}, {300, 440}}});
    putBall(game, 1, 312.5, 150, -5, 100);  // the stroke on its left, scanned last
    game.step(0.3);
    const Ball& ball = game.balls[1];
    EXPECT_EQ(game.boardCounters.inkHits, 1u);
    EXPECT_GT(ball.vx, 0) << "turned away from the stroke";
    EXPECT_GT(ball.vy, 0) << "still rolling down";
    EXPECT_TRUE(game.strokes.empty());
}

// A ball zig-zagging through narrow lanes of full-height ink meets strokes
// on both sides and behind it, bounce after bounce. The per-cell index must
// not change a thing: the same play with a few far dots added (enough
// strokes to index) runs exactly as the plain scan does.
TEST(InkCollision, AnIndexedHatchPlaysExactlyAsTheScan) {
    const auto play = [](int dots) {
        Game game = busyBoard();
        for (int s = 0; s < 8; ++s) {
            const double x = 100.0 + 28 * s;
            game.strokes.push_back({10 + static_cast<std::uint64_t>(s), {{x, 0}, {x, 543}}});
        }
        for (int s = 0; s < dots; ++s)
            game.strokes.push_back({50 + static_cast<std::uint64_t>(s), {{20.0 + 8 * s, 4}}});
        putBall(game, 1, 114, 272, 150, 90);
        std::vector<Ball> track;
        for (int i = 0; i < 60; ++i) {
            game.step(0.1);
            track.push_back(game.balls[1]);
            track.back().radius = static_cast<double>(game.strokes.size()) - dots;  // lines left, in the record
        }
        return std::pair{track, game.boardCounters.inkHits};
    };
    const auto [scanned, scannedHits] = play(0);
    const auto [indexed, indexedHits] = play(6);
    EXPECT_GE(scannedHits, 4u) << "the hatch is crossed by wearing lines down";
    EXPECT_EQ(indexedHits, scannedHits);
    for (std::size_t i = 0; i < scanned.size(); ++i) {
        SCOPED_TRACE("at " + std::to_string(0.1 * static_cast<double>(i + 1)) + " s");
        EXPECT_EQ(indexed[i].x, scanned[i].x);
        EXPECT_EQ(indexed[i].y, scanned[i].y);
        EXPECT_EQ(indexed[i].vx, scanned[i].vx);
        EXPECT_EQ(indexed[i].radius, scanned[i].radius) << "lines left";
    }
}

}  // namespace
}  // namespace corvale
