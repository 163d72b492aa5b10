// The solver must win boards a person can win, and what it did must be
// nothing but its recorded input: a replay ends in the very same game.
#include "solver.h"

#include <gtest/gtest.h>

#include "board_builder.h"
#include "state_hash.h"

namespace corvale {
namespace {

using testing::buildLevel;

LevelList listOf(Level level) {
    level.id = 0;
    std::vector<Level> levels;
    levels.push_back(std::move(level));
    return LevelList(std::move(levels));
}

// What the board does when nobody touches it: the phase after the time limit.
GamePhase untouched(const LevelList& levels) {
    Player player(levels, 0, 1, HumanLimits{});
    for (int i = 0; i < 200 * ticksPerSecond && !player.finished(); ++i) player.advance();
    return player.game().phase;
}

void expectSolvedAndReplayed(const LevelList& levels, const char* board) {
    const SolveResult r = solveBoard(levels, 0, 1, SolveOptions{});
    EXPECT_TRUE(r.won) << board << ": " << r.reason;
    EXPECT_EQ(r.reason, reasonCleared) << board;
    EXPECT_GT(r.strokes + r.blocks, 0) << board << " needs input";
    const ReplayResult again = replayRecording(levels, r.recording);
    EXPECT_TRUE(again.matches) << board;
    EXPECT_TRUE(again.won) << board;
}

// A red ball runs to and fro along row 8 for ever; its hole is above.
TEST(Solver, DeflectsABallIntoItsHole) {
    Level level = buildLevel(
        ".\n.\n"
        ". . . . . . . . h10 h11\n"
        ". . . . . . . . h12 h13\n"
        ".\n.\n.\n.\n"
        ". . o1@8");
    level.timeLimit = 40;
    const LevelList levels = listOf(level);
    ASSERT_EQ(untouched(levels), GamePhase::GameOver) << "the clock runs out without ink";
    expectSolvedAndReplayed(levels, "one deflection");
}

// A red ball rolls straight into a blue hole unless ink turns it away.
TEST(Solver, KeepsABallFromAWrongHole) {
    Level level = buildLevel(
        ".\n.\n"
        ". . . . h10 h11\n"
        ". . . . h12 h13\n"
        ".\n.\n.\n.\n"
        ". . o1@8 . . . . . . . h20 h21\n"
        ". . . . . . . . . . h22 h23");
    level.timeLimit = 60;
    const LevelList levels = listOf(level);
    ASSERT_EQ(untouched(levels), GamePhase::GameOver);
    expectSolvedAndReplayed(levels, "wrong hole ahead");
}

// The blue hole sits inside red keyhole walls, which open once a red ball is sunk.
TEST(Solver, OpensAKeyholeBySinkingItsColourFirst) {
    Level level = buildLevel(
        ".\n"
        ". . . . . . . . . . K14 K14 K14 K14\n"
        ". o2 . . . . . . . . K14 h20 h21 K14\n"
        ". . . . . . . . . . K14 h22 h23 K14\n"
        ". . . . . . . . . . K14 K14 K14 K14\n"
        ".\n.\n.\n"
        ". . h10 h11\n"
        ". . h12 h13\n"
        ".\n.\n"
        ". . . . . . . . o1");
    level.timeLimit = 90;
    expectSolvedAndReplayed(listOf(level), "keyhole");
}

// The blue hole is walled in by breakable walls the ball must break first.
TEST(Solver, BreaksIntoAWalledHole) {
    Level level = buildLevel(
        ".\n.\n.\n.\n.\n"
        ". . . . . . B0 B0 B0 B0\n"
        ". . . . . . B0 h20 h21 B0\n"
        ". . . . . . B0 h22 h23 B0\n"
        ". . . . . . B0 B0 B0 B0\n"
        ".\n.\n.\n"
        ". . . o2");
    level.timeLimit = 90;
    expectSolvedAndReplayed(listOf(level), "breakable walls");
}

TEST(Solver, SameBoardSeedAndOptionsGiveTheSameGame) {
    Level level = buildLevel(
        "L . . . . . . . . . . . . . . . .\n.\n"
        ". . . . h10 h11 . . . . . . h20 h21\n"
        ". . . . h12 h13 . . . . . . h22 h23");
    level.queue = {1, 2, 1};
    level.minSpeed = 80;
    level.maxSpeed = 160;
    const LevelList levels = listOf(level);
    const SolveResult a = solveBoard(levels, 0, 7, SolveOptions{});
    const SolveResult b = solveBoard(levels, 0, 7, SolveOptions{});
    EXPECT_EQ(writeRecording(a.recording), writeRecording(b.recording));
    EXPECT_EQ(a.won, b.won);
}

}  // namespace
}  // namespace corvale
