// A person's limits hold for every input the solver makes, and lifting
// them lets everything through.
#include "player.h"

#include <gtest/gtest.h>

#include "board_builder.h"

namespace corvale {
namespace {

LevelList launcherBoard() {
    Level level = testing::buildLevel("L\n.\n. . . . . . . . h10 h11\n. . . . . . . . h12 h13");
    level.queue = {1, 1};
    level.launchInterval = 2;
    std::vector<Level> levels{level};
    return LevelList(std::move(levels));
}

void advance(Player& p, double seconds) {
    const auto ticks = static_cast<int>(seconds * ticksPerSecond + 0.5);
    for (int i = 0; i < ticks; ++i) p.advance();
}

TEST(Player, KeepsAPersonsLimits) {
    Player p(launcherBoard(), 0, 1, HumanLimits{});
    EXPECT_FALSE(p.beginStroke({300, 300})) << "the first 0.5 s of a board";
    advance(p, 0.5);
    ASSERT_TRUE(p.beginStroke({300, 300}));
    EXPECT_FALSE(p.beginStroke({310, 300})) << "one stroke at a time";
    p.advance();
    EXPECT_FALSE(p.extendStroke({313, 300})) << "12.5 px per tick at 1500 px/s; 13 is too far";
    EXPECT_TRUE(p.extendStroke({312.5, 300}));
    EXPECT_TRUE(p.endStroke());
    advance(p, 0.29);
    EXPECT_FALSE(p.beginStroke({300, 350})) << "0.3 s between strokes";
    advance(p, 0.01);
    EXPECT_TRUE(p.beginStroke({300, 350}));
    EXPECT_TRUE(p.endStroke());

    // The first ball is launched 4 s after set-up: no input for 0.5 s after it.
    while (p.game().balls.size() == 0) p.advance();
    EXPECT_FALSE(p.beginStroke({100, 400}));
    advance(p, 0.49);
    EXPECT_FALSE(p.beginStroke({100, 400}));
    p.advance();
    EXPECT_TRUE(p.beginStroke({100, 400}));
    EXPECT_NE(p.refusal(), "");
}

TEST(Player, BlocksAreHalfASecondApartAndFreeModeLiftsEveryLimit) {
    Player p(launcherBoard(), 0, 1, HumanLimits{});
    advance(p, 0.5);
    EXPECT_TRUE(p.placeBlock({200, 200}));  // made, though the game refuses it: no token yet
    advance(p, 0.4);
    EXPECT_FALSE(p.placeBlock({200, 200}));

    HumanLimits none;
    none.enabled = false;
    Player free(launcherBoard(), 0, 1, none);
    EXPECT_TRUE(free.beginStroke({10, 10}));
    EXPECT_TRUE(free.extendStroke({500, 500}));
    EXPECT_TRUE(free.endStroke());
    EXPECT_TRUE(free.beginStroke({20, 10}));
    EXPECT_EQ(free.game().strokes.size(), 2u);
}

}  // namespace
}  // namespace corvale
