// The header strip: numbers, clock and the sliding queue.
#include "render_fixture.h"

namespace corvale {
namespace {

using test::imageRgb;
using test::spriteAt;
using test::spriteColour;

class Header : public ::testing::Test {
   protected:
    void SetUp() override { test::paintDistinctSprites(*renderer); }
    // Sprite `index` shows at (x, y).
    bool shows(int index, int x, int y) { return spriteAt(*renderer, index, x, y); }
    std::unique_ptr<Renderer> renderer = test::makeRenderer();
    Game game = test::floorGame();
};

TEST_F(Header, ZeroScoresShowOneDigitEach) {
    game.score = 0;
    game.highScore = 0;
    renderer->render(game);
    EXPECT_TRUE(shows(133, 433, 13));
    EXPECT_TRUE(shows(123, 424, 13));
    EXPECT_TRUE(shows(122, 415, 13));
    EXPECT_TRUE(shows(121, 395, 13));  // 20 pixels left of the green box's left cap
    EXPECT_TRUE(shows(111, 386, 13));
    EXPECT_TRUE(shows(110, 377, 13));
    EXPECT_EQ(imageRgb(*renderer, 376, 13), spriteColour(107));
}

TEST_F(Header, BoxesGrowToTheLeftWithTheirDigits) {
    game.score = 1234;
    game.highScore = 56789;
    renderer->render(game);
    const int high[] = {9, 8, 7, 6, 5};
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(shows(123 + high[i], 424 - 9 * i, 13)) << i;
    EXPECT_TRUE(shows(122, 379, 13));
    EXPECT_TRUE(shows(121, 359, 13));
    const int score[] = {4, 3, 2, 1};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(shows(111 + score[i], 350 - 9 * i, 13)) << i;
    EXPECT_TRUE(shows(110, 314, 13));

    game.highScore = 18446744073709551615u;  // the widest number still draws digit by digit
    renderer->render(game);
    EXPECT_TRUE(shows(123 + 5, 424, 13));
    EXPECT_TRUE(shows(123 + 1, 424 - 9 * 19, 13));
}

TEST_F(Header, WallBlocksAreCappedAtAPlusAndNeverNegative) {
    const std::pair<int, std::vector<int>> cases[] = {{100, {}}, {-3, {0}}, {7, {7}}, {42, {2, 4}}, {99, {9, 9}}};
    for (const auto& [tokens, digits] : cases) {
        game.blockTokens = tokens;
        renderer->render(game);
        if (digits.empty()) {
            EXPECT_TRUE(shows(144, 459, 18)) << tokens;
        }
        for (std::size_t i = 0; i < digits.size(); ++i)
            EXPECT_TRUE(shows(134 + digits[i], 459 - 9 * static_cast<int>(i), 18)) << tokens;
        if (digits.size() < 2) {
            EXPECT_EQ(imageRgb(*renderer, 450, 18), spriteColour(108)) << tokens;
        }
    }
}

TEST_F(Header, ClockShowsWholeSecondsWithLeadingZeros) {
    struct Case {
        double time;
        bool unlimited;
        bool visible;
        int hundreds, tens, ones;  // sprites
    };
    const Case cases[] = {
        {7.9, false, true, 146, 146, 153},   {999.5, false, true, 155, 155, 155}, {1000.0, false, true, 156, 156, 156},
        {5.0, true, true, 156, 156, 156},    {42.0, false, false, 157, 157, 157}, {-3.0, false, true, 146, 146, 146},
        {123.0, false, true, 147, 148, 149},
    };
    for (const Case& c : cases) {
        game.timeRemaining = c.time;
        game.unlimitedTime = c.unlimited;
        game.clockVisible = c.visible;
        renderer->render(game);
        EXPECT_TRUE(shows(c.hundreds, 505, 13)) << c.time;
        EXPECT_TRUE(shows(c.tens, 514, 13)) << c.time;
        EXPECT_TRUE(shows(c.ones, 523, 13)) << c.time;
        EXPECT_TRUE(shows(145, 496, 13));
        EXPECT_TRUE(shows(158, 532, 13));
    }
}

TEST_F(Header, PanelsSitAtTheirPlaces) {
    renderer->render(game);
    EXPECT_EQ(imageRgb(*renderer, 0, 0), spriteColour(106));
    EXPECT_EQ(imageRgb(*renderer, 103, 41), spriteColour(106));
    EXPECT_EQ(imageRgb(*renderer, 104, 0), spriteColour(107));
    EXPECT_EQ(imageRgb(*renderer, 444, 41), spriteColour(107));
    EXPECT_EQ(imageRgb(*renderer, 445, 0), spriteColour(108));
    EXPECT_EQ(imageRgb(*renderer, 486, 0), spriteColour(109));  // covers the panel's last column
    EXPECT_EQ(imageRgb(*renderer, 543, 41), spriteColour(109));
}

class Queue : public Header {
   protected:
    void SetUp() override {
        Header::SetUp();
        game.queue = {1, 2, 3, 4, 0, 1, 2, 3, 4};
        ++game.boardsStarted;
    }
    void expectSlots(const std::vector<double>& xs) {
        for (std::size_t i = 0; i < xs.size(); ++i)
            EXPECT_NEAR(renderer->queueSlotX(static_cast<int>(i)), xs[i], 1e-9) << i;
    }
    // The trough shows no queue ball between x0 and x1.
    bool troughEmpty(int x0, int x1) {
        for (int y = 14; y < 32; ++y)
            for (int x = x0; x < x1; ++x)
                if (imageRgb(*renderer, x, y) != spriteColour(106)) return false;
        return true;
    }
};

TEST_F(Queue, ANewBoardStartsItsBallsRightOfTheTrough) {
    renderer->render(game);
    expectSlots({104, 122, 140, 158, 176, 194});
    EXPECT_TRUE(troughEmpty(5, 104));
}

TEST_F(Queue, FourSecondsSettleTheBallsInOneRender) {
    renderer->render(game);
    game.boardAge = 4.0;
    renderer->render(game);
    expectSlots({6, 24, 42, 60, 78, 96});
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(shows(12 + game.queue[static_cast<std::size_t>(i)], 6 + 18 * i, 14)) << i;
    // The sixth shows only up to the trough's edge.
    EXPECT_EQ(imageRgb(*renderer, 103, 20), spriteColour(12 + game.queue[5]));
    EXPECT_EQ(imageRgb(*renderer, 104, 20), spriteColour(107));
    EXPECT_TRUE(troughEmpty(5, 6));
}

TEST_F(Queue, TheAnimationFollowsSimulatedTimeOnly) {
    renderer->render(game);
    game.boardAge = 0.3;
    renderer->render(game);
    const double x0 = renderer->queueSlotX(0);
    EXPECT_LT(x0, 104.0);
    EXPECT_GT(x0, 6.0);
    renderer->render(game);  // a repaint without simulated time moves nothing
    EXPECT_EQ(renderer->queueSlotX(0), x0);
}

TEST_F(Queue, ALaunchShiftsTheBallsByOneSlot) {
    renderer->render(game);
    game.boardAge = 4.0;
    renderer->render(game);
    game.queue.erase(game.queue.begin());
    renderer->render(game);
    expectSlots({24, 42, 60, 78, 96, 114});
    game.boardAge = 8.0;
    renderer->render(game);
    expectSlots({6, 24, 42, 60, 78, 96});
}

TEST_F(Queue, BlinkHidesTheFrontBallAndAnEmptyQueueShowsNone) {
    renderer->render(game);
    game.boardAge = 4.0;
    game.nextBallBlink = true;
    renderer->render(game);
    EXPECT_TRUE(troughEmpty(5, 24));
    EXPECT_TRUE(shows(12 + game.queue[1], 24, 14));

    game.queue.clear();
    renderer->render(game);
    EXPECT_TRUE(troughEmpty(5, 104));
}

TEST_F(Queue, ColoursOutsideTheRangeAreClamped) {
    game.queue = {9, -2};
    renderer->render(game);
    game.boardAge = 4.0;
    renderer->render(game);
    EXPECT_TRUE(shows(16, 6, 14));
    EXPECT_TRUE(shows(12, 24, 14));
}

}  // namespace
}  // namespace corvale
