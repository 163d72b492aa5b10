// The board layers of a frame: tile cache, border sweep, ink and balls.
#include <algorithm>
#include <array>

#include "render_fixture.h"

namespace corvale {
namespace {

using test::imageRgb;
using test::spriteAt;
using test::spriteColour;

class Frame : public ::testing::Test {
   protected:
    void SetUp() override { test::paintDistinctSprites(*renderer); }
    BoardCell& cell(int column, int row) { return game.cells[static_cast<std::size_t>(column + 17 * row)]; }
    static InkStroke stroke(std::vector<BoardPoint> points) {
        InkStroke s;
        s.points = std::move(points);
        return s;
    }
    static Ball ball(int color, double x, double y, double radius) {
        Ball b;
        b.color = color;
        b.x = x;
        b.y = y;
        b.radius = radius;
        return b;
    }
    std::unique_ptr<Renderer> renderer = test::makeRenderer();
    Game game = test::floorGame();
};

constexpr std::uint32_t black = 0;

TEST_F(Frame, DrawsEveryCellOnceAndThenOnlyCellsWhoseSpriteChanged) {
    cell(3, 2).code = 0x3004;  // gold wall
    cell(5, 7).code = 0x1000;  // launcher
    renderer->render(game);
    EXPECT_EQ(renderer->cellsDrawnByLastRender(), 289);
    EXPECT_TRUE(spriteAt(*renderer, 41, 96, 42 + 64));
    EXPECT_TRUE(spriteAt(*renderer, 1, 160, 42 + 224));
    EXPECT_TRUE(spriteAt(*renderer, 0, 512, 42 + 512));

    renderer->render(game);
    EXPECT_EQ(renderer->cellsDrawnByLastRender(), 0);

    cell(3, 2).code = 0x0000;  // the wall broke
    cell(8, 8).code = 0x6000;  // a timed wall rising
    cell(8, 8).wallFrame = 2;
    renderer->render(game);
    EXPECT_EQ(renderer->cellsDrawnByLastRender(), 2);
    EXPECT_TRUE(spriteAt(*renderer, 0, 96, 42 + 64));
    EXPECT_TRUE(spriteAt(*renderer, 87, 256, 42 + 256));

    // A new board with the same tiles redraws nothing: the cache is by sprite.
    ++game.boardsStarted;
    renderer->render(game);
    EXPECT_EQ(renderer->cellsDrawnByLastRender(), 0);
}

TEST_F(Frame, ACellWithoutArtworkIsCachedAndKeepsWhatWasThere) {
    renderer->render(game);
    cell(0, 0).code = 0xA000;  // gray filter: no artwork
    renderer->render(game);
    EXPECT_EQ(renderer->cellsDrawnByLastRender(), 1);
    EXPECT_TRUE(spriteAt(*renderer, 0, 0, 42));
    renderer->render(game);
    EXPECT_EQ(renderer->cellsDrawnByLastRender(), 0);
}

TEST_F(Frame, BorderSweepLengthFollowsTheBonusSeconds) {
    game.phase = GamePhase::BoardComplete;
    game.timeRemaining = 7.3;
    game.completeTime = 0.01;
    renderer->render(game);
    EXPECT_EQ(renderer->borderSweepSteps(), 8);
    EXPECT_TRUE(spriteAt(*renderer, 0, 0, 42));  // no step has passed yet

    // Later frames keep the length and stop on the last step: k = 7.
    game.timeRemaining = 0.0;
    game.completeTime = 0.5;
    renderer->render(game);
    EXPECT_EQ(renderer->borderSweepSteps(), 8);
    EXPECT_TRUE(spriteAt(*renderer, 41, 32 * 7, 42));
    EXPECT_TRUE(spriteAt(*renderer, 41, 512 - 32 * 7, 554));
    EXPECT_TRUE(spriteAt(*renderer, 0, 32 * 6, 42));  // only the current step shows
    EXPECT_TRUE(spriteAt(*renderer, 0, 32 * 8, 42));
    EXPECT_EQ(renderer->cellsDrawnByLastRender(), 0);  // and the cache stays plain

    game.phase = GamePhase::Playing;
    renderer->render(game);
    EXPECT_TRUE(spriteAt(*renderer, 0, 32 * 7, 42));
}

TEST_F(Frame, BorderSweepTurnsDownTheSidesAndGildsHoleQuarters) {
    cell(16, 2).code = 0x2011;  // hole colour 1, upper right quarter
    game.phase = GamePhase::BoardComplete;
    game.timeRemaining = 30.0;
    game.completeTime = 0.0;
    renderer->render(game);
    ASSERT_EQ(renderer->borderSweepSteps(), 30);
    game.completeTime = 0.4;  // n = 20, k = 19
    renderer->render(game);
    EXPECT_TRUE(spriteAt(*renderer, 34, 512, 42 + 64));  // gold hole quarter of the same position
    EXPECT_TRUE(spriteAt(*renderer, 41, 0, 42 + 32 * 14));
}

TEST_F(Frame, NoSweepAfterABoardWithUnlimitedTime) {
    game.unlimitedTime = true;
    game.phase = GamePhase::BoardComplete;
    game.timeRemaining = 50.0;
    renderer->render(game);
    EXPECT_EQ(renderer->borderSweepSteps(), 0);
    game.completeTime = 1.0;
    renderer->render(game);
    EXPECT_TRUE(spriteAt(*renderer, 0, 32 * 16, 42));
}

TEST_F(Frame, AOnePointStrokeIsARoundDot) {
    game.strokes.push_back(stroke({{100.4, 200.6}}));  // rounds to (100, 201)
    renderer->render(game);
    const int cx = 100;
    const int cy = 201 + 42;
    for (int d = -4; d <= 3; ++d) {
        EXPECT_EQ(imageRgb(*renderer, cx + d, cy), black) << d;
        EXPECT_EQ(imageRgb(*renderer, cx, cy + d), black) << d;
    }
    EXPECT_NE(imageRgb(*renderer, cx - 6, cy), black);
    EXPECT_NE(imageRgb(*renderer, cx + 6, cy), black);
    EXPECT_NE(imageRgb(*renderer, cx, cy - 6), black);
    EXPECT_NE(imageRgb(*renderer, cx + 4, cy + 4), black);  // round, not square
}

TEST_F(Frame, StrokesAreTenPixelPolylinesWithRoundCaps) {
    game.strokes.push_back(stroke({{50, 50}, {150, 50}, {150, 150}}));
    game.strokes.push_back(stroke({{300, 300}, {300, 300}}));
    game.strokes.push_back(stroke({}));
    renderer->render(game);
    EXPECT_EQ(imageRgb(*renderer, 100, 92), black);
    EXPECT_EQ(imageRgb(*renderer, 100, 89), black);
    EXPECT_EQ(imageRgb(*renderer, 100, 95), black);
    EXPECT_NE(imageRgb(*renderer, 100, 99), black);
    EXPECT_NE(imageRgb(*renderer, 100, 85), black);
    EXPECT_EQ(imageRgb(*renderer, 46, 92), black);  // the cap reaches past the end point
    EXPECT_NE(imageRgb(*renderer, 42, 92), black);
    EXPECT_EQ(imageRgb(*renderer, 150, 142), black);  // second segment
    EXPECT_EQ(imageRgb(*renderer, 300, 342), black);  // two identical points still leave a mark
}

TEST_F(Frame, StrokesAreExactlyAsWideAsTheOnePointDot) {
    // The line of a 10-pixel pen through c covers c - 5 .. c + 4, like the dot
    // in the box (c - 5, c - 5)-(c + 5, c + 5): not one pixel more.
    const auto inked = [&](int x, int y) { return imageRgb(*renderer, x, y) == black; };
    game.strokes.push_back(stroke({{50, 50}, {150, 50}}));
    renderer->render(game);
    EXPECT_TRUE(inked(100, 42 + 45));
    EXPECT_TRUE(inked(100, 42 + 54));
    EXPECT_FALSE(inked(100, 42 + 44));
    EXPECT_FALSE(inked(100, 42 + 55));
    EXPECT_TRUE(inked(45, 92));
    EXPECT_FALSE(inked(44, 92));
    EXPECT_TRUE(inked(154, 92));
    EXPECT_FALSE(inked(155, 92));

    // Its extent in each row and column, as (first, last) inked offset from
    // the centre along the middle row and the middle column.
    const auto extent = [&](int cx, int cy) {
        std::array<int, 4> e{99, -99, 99, -99};
        for (int d = -8; d <= 8; ++d) {
            if (inked(cx + d, cy)) {
                e[0] = std::min(e[0], d);
                e[1] = std::max(e[1], d);
            }
            if (inked(cx, cy + d)) {
                e[2] = std::min(e[2], d);
                e[3] = std::max(e[3], d);
            }
        }
        return e;
    };
    game.strokes = {stroke({{300, 300}})};
    renderer->render(game);
    const auto dot = extent(300, 342);
    game.strokes = {stroke({{300, 300}, {300, 300}})};
    renderer->render(game);
    EXPECT_EQ(extent(300, 342), dot);
    EXPECT_EQ(dot, (std::array<int, 4>{-5, 4, -5, 4}));
}

TEST_F(Frame, InkAtTheBoardEdgesStaysOnTheBoard) {
    // Pixels are written directly: a stroke past an edge must neither wrap
    // into the neighbouring row nor run past the image.
    game.strokes.push_back(stroke({{0, 0}, {0, 543}, {300, 543}}));
    renderer->render(game);
    EXPECT_EQ(imageRgb(*renderer, 0, 200), black);
    EXPECT_EQ(imageRgb(*renderer, 300, 585), black);
    EXPECT_NE(imageRgb(*renderer, 6, 300), black);                                      // beyond the pen's reach
    for (int y = 42; y < 586; ++y) ASSERT_NE(imageRgb(*renderer, 543, y), black) << y;  // no wrap from x < 0
    EXPECT_EQ(imageRgb(*renderer, 2, 41), spriteColour(106));
}

TEST_F(Frame, ABallCoversItsSquareAndBallsDrawnLaterCoverEarlierOnes) {
    game.balls.push_back(ball(3, 100, 100, 12));
    game.strokes.push_back(stroke({{60, 110}, {140, 110}}));  // under the ball
    renderer->render(game);
    EXPECT_TRUE(spriteAt(*renderer, 5, 88, 130));
    EXPECT_EQ(imageRgb(*renderer, 87, 140), spriteColour(0));
    EXPECT_EQ(imageRgb(*renderer, 112, 140), spriteColour(0));
    EXPECT_EQ(imageRgb(*renderer, 100, 129), spriteColour(0));
    EXPECT_EQ(imageRgb(*renderer, 100, 154), black);  // the ink shows again below the ball
    EXPECT_EQ(imageRgb(*renderer, 80, 152), black);   // the ink beside it

    game.balls.push_back(ball(1, 110, 100, 12));
    game.balls[1].nearHole = true;
    renderer->render(game);
    EXPECT_EQ(imageRgb(*renderer, 98, 140), spriteColour(8));
    EXPECT_EQ(imageRgb(*renderer, 97, 140), spriteColour(5));
}

TEST_F(Frame, ShrinkingAndSunkBalls) {
    game.balls.push_back(ball(2, 100, 100, 0.2));  // drawn 1 x 1 at (100, 142)
    game.balls.push_back(ball(4, 300, 300, 12));
    game.balls[1].active = false;
    renderer->render(game);
    EXPECT_EQ(imageRgb(*renderer, 100, 142), spriteColour(4));
    EXPECT_EQ(imageRgb(*renderer, 101, 142), spriteColour(0));
    EXPECT_EQ(imageRgb(*renderer, 100, 143), spriteColour(0));
    EXPECT_EQ(imageRgb(*renderer, 300, 342), spriteColour(0));
}

TEST_F(Frame, BoardLayersNeverTouchTheHeader) {
    game.balls.push_back(ball(0, 200, 3, 12));
    game.strokes.push_back(stroke({{250, 0}, {260, 0}}));
    renderer->render(game);
    EXPECT_EQ(imageRgb(*renderer, 200, 41), spriteColour(107));
    EXPECT_EQ(imageRgb(*renderer, 200, 42), spriteColour(2));
    EXPECT_EQ(imageRgb(*renderer, 255, 40), spriteColour(107));
    EXPECT_EQ(imageRgb(*renderer, 255, 43), black);
}

}  // namespace
}  // namespace corvale
