#include "frame_cut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board_builder.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::gameWith;
using testing::putBall;

constexpr double tick = 1.0 / 120.0;

struct Seen {
    double age;
    GamePhase phase;
    std::uint64_t board;
};

// Offers the game after every tick, as a replay does, until the cut ends
// or `seconds` have been played; returns the frames made.
std::vector<Seen> cutPlay(Game& game, const FramePlan& plan, double seconds) {
    FrameCut cut{plan};
    std::vector<Seen> frames;
    const auto keep = [&](const Game& g, int number) {
        EXPECT_EQ(number, static_cast<int>(frames.size()));
        frames.push_back({g.boardAge, g.phase, g.boardsStarted});
    };
    for (int t = 0; t < static_cast<int>(seconds * 120); ++t) {
        game.step(tick);
        if (!offerTick(cut, game, keep)) break;
    }
    return frames;
}

// A blue ball rolls right along row 8 into a red hole at columns 10-11.
Game wrongHoleBoard() {
    Game game = gameWith(buildLevel(R"(
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . h10 h11 . . . . .
. . . . . . . . . . h12 h13 . . . . .
)"));
    putBall(game, 2, 112, 288, 100, 0);
    return game;
}

TEST(FrameCut, TakesTheFirstTickAtOrAfterEachFrameTimeUpToTheLimit) {
    Game game = wrongHoleBoard();
    FramePlan plan;
    plan.fps = 7.0;  // not a whole number of ticks per frame
    plan.maxSeconds = 2.0;
    const std::vector<Seen> frames = cutPlay(game, plan, 10.0);
    ASSERT_EQ(frames.size(), 15u);  // 0, 1/7, ... 14/7 s
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const double due = static_cast<double>(k) / 7.0;
        EXPECT_GE(frames[k].age, due - 1e-6) << k;
        EXPECT_LE(frames[k].age, due + tick + 1e-9) << k;
    }
}

TEST(FrameCut, KeepsTheTailOfALostBoardThenStops) {
    Game game = wrongHoleBoard();
    FramePlan plan;
    plan.fps = 10.0;
    plan.tailSeconds = 0.5;
    // A lost game stops stepping: its age is moved on by hand, as the tool does.
    FrameCut cut{plan};
    int frames = 0;
    int overFrames = 0;
    const auto keep = [&](const Game& g, int) {
        ++frames;
        overFrames += g.phase == GamePhase::GameOver;
    };
    for (int t = 0; t < 20 * 120; ++t) {
        const double before = game.boardAge;
        game.step(tick);
        if (game.boardAge == before) game.boardAge += tick;
        if (!offerTick(cut, game, keep)) break;
    }
    EXPECT_TRUE(cut.finished);
    EXPECT_EQ(overFrames, 6);  // the frame it ended on and 0.5 s after
    EXPECT_FALSE(offerTick(cut, game, keep));
    EXPECT_GT(frames, 20) << "the ball needs over 2 s to reach the hole";
}

TEST(FrameCut, NeverShowsTheNextBoard) {
    // One gray ball rolls into a gray hole and clears the board; after a
    // pause the game sets up another board, which is not this play's.
    Level level = buildLevel(R"(
. . . . . . . . . . . . . . . . .
. h00 h01 . . . . . . . . . . . . . .
. h02 h03 . . . . . . . . . . . . . .
)");
    level.timeLimit = 0;
    Game game = gameWith(level);
    putBall(game, 0, 64, 140, 0, -60);
    FramePlan plan;
    plan.tailSeconds = 10.0;
    const std::uint64_t board = game.boardsStarted;
    const std::vector<Seen> frames = cutPlay(game, plan, 30.0);
    ASSERT_FALSE(frames.empty());
    EXPECT_NE(game.boardsStarted, board) << "the game went on to another board";
    for (const Seen& seen : frames) EXPECT_EQ(seen.board, board);
    EXPECT_EQ(frames.back().phase, GamePhase::BoardComplete);
}

}  // namespace
}  // namespace corvale
