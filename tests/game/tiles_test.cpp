// Walls, one-way walls, filters, ramps, breakable, timed and keyhole walls.
#include <gtest/gtest.h>

#include <string>

#include "board_builder.h"
#include "game.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::gameWith;
using testing::putBall;
using testing::tileFromToken;

constexpr int target = 8 + 17 * 8;  // the cell under test, pixels 256..288 both ways

struct Approach {
    const char* name;
    double x, y, vx, vy;
};
constexpr Approach fromAbove{"from above", 272, 200, 0, 100};
constexpr Approach fromBelow{"from below", 272, 344, 0, -100};
constexpr Approach fromLeft{"from the left", 200, 272, 100, 0};
constexpr Approach fromRight{"from the right", 344, 272, -100, 0};

Game boardWith(const std::string& token) {
    Level level = buildLevel("");
    level.cells[target] = tileFromToken(token);
    return gameWith(level);
}

// Rolls one ball at the target cell for 1.2 s: far enough to cross it.
Ball roll(Game& game, int color, const Approach& a) {
    putBall(game, color, a.x, a.y, a.vx, a.vy);
    game.step(1.2);
    return game.balls[0];
}

bool passed(const Ball& ball, const Approach& a) {
    // Still moving the same way and beyond the far side of the cell.
    if (a.vy > 0) return ball.vy > 0 && ball.y > 300;
    if (a.vy < 0) return ball.vy < 0 && ball.y < 244;
    if (a.vx > 0) return ball.vx > 0 && ball.x > 300;
    return ball.vx < 0 && ball.x < 244;
}

bool stopped(const Ball& ball, const Approach& a) {
    if (a.vy > 0) return ball.vy < 0 && ball.y < 256;
    if (a.vy < 0) return ball.vy > 0 && ball.y > 288;
    if (a.vx > 0) return ball.vx < 0 && ball.x < 256;
    return ball.vx > 0 && ball.x > 288;
}

TEST(Walls, GrayWallsReflectAndCountHits) {
    Game game = boardWith("#");
    const Ball ball = roll(game, 1, fromAbove);
    EXPECT_TRUE(stopped(ball, fromAbove));
    EXPECT_EQ(ball.vy, -100.0) << "a perfect reflection";
    EXPECT_EQ(ball.color, 1);
    EXPECT_EQ(game.boardCounters.wallHits, 1u);
    EXPECT_EQ(game.lifetimeCounters.wallHits, 1u);
}

TEST(Walls, ColouredWallsRecolourTheBall) {
    Game game = boardWith("#2");
    const Ball ball = roll(game, 1, fromLeft);
    EXPECT_TRUE(stopped(ball, fromLeft));
    EXPECT_EQ(ball.color, 2);
}

TEST(Walls, BreakableWallsBreakForTheirColourOrForAnyWhenGray) {
    {
        Game game = boardWith("B1");
        const Ball ball = roll(game, 1, fromAbove);
        EXPECT_TRUE(stopped(ball, fromAbove)) << "it bounces as it breaks";
        EXPECT_EQ(game.cells[target].code, 0);
        EXPECT_EQ(game.score, 10u);
    }
    {
        Game game = boardWith("B1");
        const Ball ball = roll(game, 2, fromAbove);
        EXPECT_TRUE(stopped(ball, fromAbove));
        EXPECT_EQ(tileKindOf(game.cells[target].code), 4) << "a Blue ball does not break a Red wall";
        EXPECT_EQ(game.score, 0u);
    }
    {
        Game game = boardWith("B0");
        roll(game, 3, fromBelow);
        EXPECT_EQ(game.cells[target].code, 0);
    }
    {
        Game game = boardWith("B2=h21");
        roll(game, 2, fromRight);
        EXPECT_EQ(game.cells[target].code, makeTileCode(2, 2, 1)) << "the revealed tile takes its place";
        EXPECT_EQ(game.cells[target].revealedCode, 0);
    }
    {
        Game game = boardWith("B0=T4ff");
        roll(game, 1, fromRight);
        EXPECT_EQ(tileKindOf(game.cells[target].code), 6);
        EXPECT_EQ(game.cells[target].wallState, 2) << "a revealed timed wall starts as at setup";
    }
}

struct OneWayCase {
    const char* token;
    Approach permitted;
    Approach against;
};

class OneWay : public ::testing::TestWithParam<OneWayCase> {};

TEST_P(OneWay, PassesOneWayAndStopsTheOther) {
    const OneWayCase& c = GetParam();
    {
        Game game = boardWith(c.token);
        EXPECT_TRUE(passed(roll(game, 1, c.permitted), c.permitted)) << c.permitted.name;
        EXPECT_EQ(game.boardCounters.wallHits, 0u);
    }
    {
        Game game = boardWith(c.token);
        EXPECT_TRUE(stopped(roll(game, 1, c.against), c.against)) << c.against.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Directions, OneWay,
                         ::testing::Values(OneWayCase{"^", fromBelow, fromAbove}, OneWayCase{"v", fromAbove, fromBelow},
                                           OneWayCase{"<", fromRight, fromLeft}, OneWayCase{">", fromLeft, fromRight}));

TEST(OneWay, AColouredWallStopsOtherColoursBothWays) {
    for (const Approach& a : {fromAbove, fromBelow}) {
        Game red = boardWith("^2");
        EXPECT_TRUE(stopped(roll(red, 1, a), a)) << a.name;
    }
    Game blue = boardWith("^2");
    EXPECT_TRUE(passed(roll(blue, 2, fromBelow), fromBelow));
    Game unknownDirection = boardWith("x5041");
    EXPECT_TRUE(passed(roll(unknownDirection, 2, fromAbove), fromAbove)) << "directions 4..15 are never solid";
}

// Each gate is solid only for a ball moving against it (at any speed, however
// slow) whose truncated centre is within 6 px of the side it is entered from,
// and a coloured gate adds a band 12 px deep on its blocking side for other colours.
TEST(OneWay, GatesAreSolidExactlyAgainstTheirDirectionWhateverTheSpeed) {
    struct Edge {
        const char* token;
        double inside, outside;  // centre coordinates across the blocking edge, along the gate's axis
        bool vertical;           // the axis is y
        double against;          // a slow velocity against the gate
        double bandIn, bandOut;  // point coordinates just inside and outside the coloured band
    };
    const Edge edges[] = {
        {"^", 261.9, 262.0, true, 0.5, 267, 268},
        {"v", 283.0, 282.9, true, -0.5, 276, 275},
        {"<", 261.9, 262.0, false, 0.5, 267, 268},
        {">", 283.0, 282.9, false, -0.5, 276, 275},
    };
    for (const Edge& e : edges) {
        SCOPED_TRACE(e.token);
        Game game = boardWith(std::string(e.token));
        const BoardCell& cell = game.cells[target];
        const auto ballAt = [&](double along, double v) {
            Ball ball;
            ball.color = 1;
            ball.x = e.vertical ? 272 : along;
            ball.y = e.vertical ? along : 272;
            (e.vertical ? ball.vy : ball.vx) = v;
            return ball;
        };
        const BoardPoint middle{272, 272};
        EXPECT_TRUE(game.cellSolidFor(cell, target, ballAt(e.inside, e.against), middle));
        EXPECT_FALSE(game.cellSolidFor(cell, target, ballAt(e.outside, e.against), middle));
        EXPECT_FALSE(game.cellSolidFor(cell, target, ballAt(e.inside, -e.against), middle)) << "going its way";
        EXPECT_FALSE(game.cellSolidFor(cell, target, ballAt(e.inside, 0.0), middle)) << "standing still";

        Game coloured = boardWith(std::string(e.token) + "2");
        const BoardCell& gate = coloured.cells[target];
        const Ball going = ballAt(272, -e.against);  // its own way, far from the edge
        const auto point = [&](double across) {
            return e.vertical ? BoardPoint{272, across} : BoardPoint{across, 272};
        };
        EXPECT_TRUE(coloured.cellSolidFor(gate, target, going, point(e.bandIn)));
        EXPECT_FALSE(coloured.cellSolidFor(gate, target, going, point(e.bandOut)));
        Ball blue = going;
        blue.color = 2;
        EXPECT_FALSE(coloured.cellSolidFor(gate, target, blue, point(e.bandIn))) << "its own colour passes";
    }
}

// A ball touching two walls takes the colour of the one whose centre is
// nearer its truncated centre; on a tie the first corner (top left) wins.
TEST(Walls, BetweenTwoWallsTheNearerRecoloursAndATieGoesToTheFirstCorner) {
    // In the middle of the board and in its top-left corner (cell 0 must win
    // as any other does); side by side, then one above the other.
    for (const int first : {target, 0}) {
        const double origin = first == 0 ? 0.0 : 256.0;  // the first wall's left and top pixel
        for (const int second : {first + 1, first + boardColumns}) {
            const bool across = second == first + 1;
            Level level = buildLevel("");
            level.cells[static_cast<std::size_t>(first)] = tileFromToken("#1");
            level.cells[static_cast<std::size_t>(second)] = tileFromToken("#2");
            Game game = gameWith(level);
            for (const auto& [offset, color] : {std::pair{31.5, 1}, std::pair{32.5, 1}, std::pair{33.5, 2}}) {
                SCOPED_TRACE(std::string(across ? "across at " : "down at ") + std::to_string(origin + offset));
                Ball ball;
                // 2 px into the walls' common side, so it touches both.
                ball.x = across ? origin + offset : origin + 42;
                ball.y = across ? origin + 42 : origin + offset;
                (across ? ball.vy : ball.vx) = -100;
                ball.color = 3;
                game.collideTiles(ball);
                EXPECT_EQ(ball.color, color);
                EXPECT_GT(across ? ball.vy : ball.vx, 0);
            }
        }
    }
}

TEST(Filters, PassTheirOwnColourOnly) {
    {
        Game game = boardWith("F30");
        EXPECT_TRUE(passed(roll(game, 3, fromAbove), fromAbove)) << "green through green";
    }
    {
        Game game = boardWith("F40");
        const Ball ball = roll(game, 3, fromAbove);
        EXPECT_TRUE(stopped(ball, fromAbove)) << "green stopped by gold";
        EXPECT_EQ(ball.color, 3);
    }
    for (const char* token : {"F10", "F21", "F31", "F40"}) {
        Game game = boardWith(token);
        const Approach& a = token[2] == '0' ? fromBelow : fromLeft;
        EXPECT_TRUE(stopped(roll(game, 0, a), a)) << "gray stopped by " << token;
    }
    {
        // The bar is 12 px thick across the middle; a gray filter passes everything.
        Game game = boardWith("F01");
        EXPECT_TRUE(passed(roll(game, 2, fromLeft), fromLeft));
    }
}

TEST(Filters, TheBarIsHalfOpen) {
    Game game = boardWith("F10");
    Ball ball;
    ball.color = 2;
    const BoardCell& cell = game.cells[target];
    EXPECT_FALSE(game.cellSolidFor(cell, target, ball, {270, 265}));
    EXPECT_TRUE(game.cellSolidFor(cell, target, ball, {270, 266}));
    EXPECT_TRUE(game.cellSolidFor(cell, target, ball, {270, 277}));
    EXPECT_FALSE(game.cellSolidFor(cell, target, ball, {270, 278}));
}

TEST(Ramps, AccelerateAlongTheirAxisUpToTheLimit) {
    Game game = boardWith("R>");
    putBall(game, 1, 272, 272, 0, 7);
    game.step(0.016);
    EXPECT_EQ(game.balls[0].vx, 12.0);
    EXPECT_EQ(game.balls[0].vy, 7.0);

    game.balls[0] = {};
    game.balls[0].id = 1;
    game.balls[0].x = 272;
    game.balls[0].y = 272;
    game.balls[0].vx = 500;
    game.step(0.004);
    EXPECT_EQ(game.balls[0].vx, 400.0);

    Mechanics m = game.mechanics;
    m.chevronBoost = 0;
    m.chevronSpeedLimit = 350;
    std::string error;
    ASSERT_TRUE(game.applyMechanics(m, error)) << error;
    game.balls[0].x = 272;
    game.balls[0].vx = 300;
    game.step(0.004);
    EXPECT_EQ(game.balls[0].vx, 300.0) << "no boost";
    game.balls[0].x = 272;
    game.balls[0].vx = -390;
    game.step(0.004);
    EXPECT_EQ(game.balls[0].vx, -350.0) << "but still the limit";
}

struct WallTimeline {
    double shutRequested = -1, shut = -1, solid = -1, opened = -1, clear = -1, secondRequest = -1;
};

WallTimeline watchTimedWall(Game& game, double seconds) {
    WallTimeline t;
    Ball probe;
    const BoardCell& cell = game.cells[target];
    int lastState = cell.wallState;
    for (double now = 0.016; now < seconds; now += 0.016) {
        game.step(0.016);
        const bool solid = game.cellSolidFor(cell, target, probe, {270, 270});
        if (cell.wallState == 1 && lastState == 0) (t.shutRequested < 0 ? t.shutRequested : t.secondRequest) = now;
        if (cell.wallState == 2 && lastState != 2 && t.shut < 0) t.shut = now;
        if (solid && t.solid < 0) t.solid = now;
        if (cell.wallState == 0 && lastState == 2 && t.opened < 0) t.opened = now;
        if (!solid && t.opened > 0 && t.clear < 0) t.clear = now;
        lastState = cell.wallState;
    }
    return t;
}

TEST(TimedWalls, OpenForThreeSecondsAndShutForTwo) {
    Game game = boardWith("T053");
    putBall(game, 0, 50, 50, 0, 0);  // keeps the board in play
    const WallTimeline t = watchTimedWall(game, 9.0);
    EXPECT_NEAR(t.shutRequested, 3.0, 0.017);
    EXPECT_NEAR(t.shut, t.shutRequested + 0.016, 1e-9);
    EXPECT_NEAR(t.solid, t.shut + 0.064, 1e-6) << "the first frame step more than 0.05 s after shutting began";
    EXPECT_NEAR(t.opened, t.shut + 2.0, 0.017);
    EXPECT_GT(t.clear, t.opened) << "solid until the frame has run back to 0";
    EXPECT_NEAR(t.clear, t.opened + 4 * 0.064, 1e-6);
    EXPECT_NEAR(t.secondRequest, t.opened + 3.0, 0.017);
}

TEST(TimedWalls, NeverShutOnABall) {
    Game game = boardWith("T053");
    putBall(game, 0, 272, 272, 0, 0);  // sits in the wall's cell
    const WallTimeline t = watchTimedWall(game, 6.0);
    EXPECT_NEAR(t.shutRequested, 3.0, 0.017);
    EXPECT_LT(t.shut, 0) << "the request waits for a free cell";
    EXPECT_LT(t.solid, 0);
    EXPECT_EQ(game.cells[target].wallState, 0) << "gave up after the shut time";
    EXPECT_NEAR(game.cells[target].phaseTime, 6.0 - 3.0 - 2.0, 0.1);
}

TEST(TimedWalls, AShutWallWaitsForItsFirstFrameWhileABallRollsIn) {
    Game game = boardWith("T053");
    putBall(game, 0, 50, 50, 0, 0);
    while (game.cells[target].wallState != 2) game.step(0.016);
    Ball& intruder = putBall(game, 1, 272, 272, 0, 0);
    game.step(1.0);
    EXPECT_EQ(game.cells[target].wallFrame, 0);
    intruder.x = 400;
    game.step(0.016);
    EXPECT_EQ(game.cells[target].wallFrame, 1);
}

TEST(KeyholeWalls, ToggleWhenABallOfTheirKeyIsSunk) {
    Level level = buildLevel(
        "h20 h21\n"
        "h22 h23");
    level.cells[target] = tileFromToken("K24");      // blue key, shut
    level.cells[target + 2] = tileFromToken("K20");  // blue key, open
    level.cells[target + 4] = tileFromToken("K14");  // red key, shut
    Game game = gameWith(level);
    Ball& blue = putBall(game, 2, 400, 400, 0, 0);
    putBall(game, 0, 500, 50, 0, 0);  // keeps the board in play
    game.step(1.0);

    blue.x = 32;
    blue.y = 32;  // the hole's centre
    game.step(0.016);
    ASSERT_FALSE(game.balls[0].active);
    EXPECT_EQ(game.score, 400u);
    BoardCell& shut = game.cells[target];
    BoardCell& open = game.cells[target + 2];
    EXPECT_EQ(shut.wallState, 0);
    EXPECT_EQ(open.wallState, 1);
    EXPECT_EQ(game.cells[target + 4].wallState, 2) << "another key colour";

    // After a long rest the first frame step comes at once, then every fourth slice.
    game.step(0.016);
    EXPECT_EQ(shut.wallFrame, 3);
    EXPECT_EQ(open.wallState, 2);
    EXPECT_EQ(open.wallFrame, 0);
    game.step(3 * 0.016);
    EXPECT_EQ(shut.wallFrame, 3);
    game.step(0.016);
    EXPECT_EQ(shut.wallFrame, 2);
    EXPECT_EQ(open.wallFrame, 1);
    Ball probe;
    EXPECT_TRUE(game.cellSolidFor(shut, target, probe, {270, 270}));
    game.step(8 * 0.016);
    EXPECT_EQ(shut.wallFrame, 0);
    EXPECT_FALSE(game.cellSolidFor(shut, target, probe, {270, 270}));
    EXPECT_EQ(open.wallFrame, 3);
}

}  // namespace
}  // namespace corvale
