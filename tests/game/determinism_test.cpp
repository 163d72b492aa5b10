// Replays: the same boards, seeds and strokes must give bit-identical
// states, and the same states as when these hashes were recorded, so an
// unintended change to any rule shows up here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "board_builder.h"
#include "game.h"
#include "state_hash.h"

namespace corvale {
namespace {

using testing::buildLevel;

Level launcherBoard() {
    Level level = buildLevel(
        "L . . . . . . . . . . . . . . . L\n"
        ". . . # # # . . . . . # # # . . .\n"
        ". . . . . . . R> R> . . . . . . . .\n"
        ". . h00 h01 . . . . . . . . h20 h21 . . .\n"
        ". . h02 h03 . . ^ . v . . . h22 h23 . . .\n"
        ". . . . . . . . . . . . . . . . .\n"
        ". #1 . . . . . F20 . . . . . . . #2 .\n"
        ". . . . . . . . . . . . . . . . .\n"
        ". . . . . < . . Rv . . > . . . . .\n"
        ". . . . . . . . . . . . . . . . .\n"
        ". . h10 h11 . . . . . . . . . h00 h01 . .\n"
        ". . h12 h13 . . . . . . . . . h02 h03 . .");
    level.timeLimit = 0;
    level.launchInterval = 1;
    level.minSpeed = 90;
    level.maxSpeed = 210;
    level.queue = {1, 2, 0, 1, 2, 0, 0, 1, 2, 0, 3};
    level.randomizeQueue = true;
    return level;
}

Level wallsBoard() {
    Level level = buildLevel(
        "o0 . . . . . . . . . . . . . . . o1\n"
        ". T053 T411 . . . . B1 B2=h00 B0=#3 . . . K14 K20 . .\n"
        ". . . . . . . . . . . . . . . . .\n"
        ". . . h10 h11 . . F11 . F30 . . h00 h01 . . .\n"
        ". . . h12 h13 . . . . . . . h02 h03 . . .\n"
        ". o2 . . . . . . o3 . . . . . . o0 .\n"
        ". . . . # . . . . . . . # . . . .\n"
        "o1 . . . . . . R^ . . . . . . . . o2");
    level.timeLimit = 0;
    level.minSpeed = 120;
    level.maxSpeed = 180;
    return level;
}

Level crowdBoard() {
    std::string row = "o0 . o0 . o0 . o0 . o0 . o0 . o0 . o0 . o0";
    Level level =
        buildLevel(row + "\n.\n" + row + "\n.\n" + row + "\n.\n. . . . . . . . h00 h01\n. . . . . . . . h02 h03");
    level.timeLimit = 0;
    level.minSpeed = 150;
    level.maxSpeed = 300;
    return level;
}

// A fixed script: a stroke every 1.5 s, a short zig-zag; after a game over
// the board restarts, as the shell does once the player closes the message.
void playScript(Game& game, double seconds) {
    const int frames = static_cast<int>(seconds * 60);
    for (int frame = 0; frame < frames; ++frame) {
        if (game.phase == GamePhase::GameOver) game.restartBoard();
        if (frame % 90 == 30) {
            const double x = 60.0 + (frame * 37 % 420);
            const double y = 80.0 + (frame * 53 % 380);
            game.beginStroke(x, y);
            for (int i = 1; i <= 12; ++i) game.extendStroke(x + 4.0 * i, y + (i % 2 ? 6.0 : -6.0));
            game.endStroke();
        }
        game.step(1.0 / 60.0);
    }
}

std::uint64_t replay(const Level& level, std::uint32_t seed, double seconds) {
    Game game = testing::gameWith(level, seed);
    playScript(game, seconds);
    return hashGame(game);
}

struct Recorded {
    const char* board;
    Level (*make)();
    std::uint32_t seed;
    std::uint64_t hash;
};

const Recorded recorded[] = {
    {"launcher", launcherBoard, 1, 0x1a9b1c15aede010full}, {"launcher", launcherBoard, 90210, 0x915bf130831aa230ull},
    {"walls", wallsBoard, 7, 0x65019feeba73b19dull},       {"walls", wallsBoard, 4000000000u, 0x238cfcc0ce9d114dull},
    {"crowd", crowdBoard, 12345, 0xa5067e06104e4246ull},   {"crowd", crowdBoard, 31, 0xb6aa0432c5d1d11aull},
};

TEST(Determinism, ReplaysAreBitIdenticalAndMatchTheRecordedHashes) {
    for (const Recorded& r : recorded) {
        const Level level = r.make();
        const std::uint64_t first = replay(level, r.seed, 40.0);
        const std::uint64_t second = replay(level, r.seed, 40.0);
        EXPECT_EQ(first, second) << r.board << " seed " << r.seed;
        EXPECT_EQ(first, r.hash) << r.board << " seed " << r.seed << ": recorded hash differs, now 0x" << std::hex
                                 << first;
    }
}

// A crowd among long wandering strokes, enough of them to be indexed by
// cell, one with a point that is not a number: the shortcuts that pick which
// balls and which runs of ink a ball can touch must never change the play.
std::uint64_t crowdInInk(std::uint32_t seed, PlayCounters* counters = nullptr) {
    Game game = testing::gameWith(crowdBoard(), seed);
    game.setStrokeLimit(64);
    std::uint32_t walk = seed;
    const auto next = [&walk](int range) {
        walk = walk * 1664525u + 1013904223u;
        return static_cast<int>((walk >> 8) % static_cast<std::uint32_t>(range));
    };
    for (int frame = 0; frame < 20 * 60; ++frame) {
        if (game.phase == GamePhase::GameOver) game.restartBoard();
        if (frame % 30 == 0 && game.strokes.size() < 20) {
            InkStroke stroke{1000 + static_cast<std::uint64_t>(frame), {}};
            double x = 30.0 + next(480), y = 30.0 + next(480);
            for (int p = 0; p < 61; ++p) {
                stroke.points.push_back({x, y});
                x = std::clamp(x + next(15) - 7, 0.0, 543.0);
                y = std::clamp(y + next(15) - 7, 0.0, 543.0);
            }
            if (frame == 300) stroke.points[20].x = std::nan("");
            game.strokes.push_back(std::move(stroke));
        }
        game.step(1.0 / 60.0);
    }
    if (counters != nullptr) *counters = game.lifetimeCounters;
    return hashGame(game);
}

TEST(Determinism, ACrowdInLongInkPlaysAsRecorded) {
    PlayCounters c;
    EXPECT_EQ(crowdInInk(7, &c), 0xa8ea8747c742a400ull);
    EXPECT_EQ(crowdInInk(2024), 0xa145eb62a0116ddaull);
    EXPECT_GT(c.inkHits, 30u);
    EXPECT_GT(c.ballHits, 10u);
}

TEST(Determinism, TheScriptExercisesTheRules) {
    // Guards the recorded hashes against boards that do nothing.
    Game game = testing::gameWith(launcherBoard(), 1);
    playScript(game, 40.0);
    const PlayCounters& c = game.lifetimeCounters;
    EXPECT_GT(c.wallHits, 0u);
    EXPECT_GT(c.strokesDrawn, 10u);
    EXPECT_GT(c.ballsSunk + c.inkHits, 0u);

    Game crowd = testing::gameWith(crowdBoard(), 12345);
    playScript(crowd, 10.0);
    EXPECT_GT(crowd.lifetimeCounters.ballHits, 0u);
}

}  // namespace
}  // namespace corvale
