#include "board_fairness.h"

#include <gtest/gtest.h>

#include "level_builders.h"

namespace corvale {
namespace {

using test::addHole;
using test::cellAt;
using test::playableLevel;

FairnessOptions quick() {
    FairnessOptions options = quickFairness();
    options.seeds = 4;
    options.runSeconds = 20;
    return options;
}

// A red ball from the launcher at (8, 2), with a blue hole across the room.
Level twoColours() {
    Level level = playableLevel();  // red hole at (7..8, 10..11)
    addHole(level, 2, 2, 2);
    level.queue = {1, 2};
    return level;
}

TEST(BoardFairness, AWrongHoleInReachOfALaunchIsUnfair) {
    const FairnessReport report = checkFairness(twoColours(), quick());
    ASSERT_FALSE(report.faults.empty());
    EXPECT_NE(report.faults.front().find("launched at column 8, row 2"), std::string::npos) << report.faults.front();
}

TEST(BoardFairness, GuardedHolesAndWildcardsAreFair) {
    Level level = twoColours();
    // Each hole walled in, with a doorway on top that only its own colour passes.
    for (const auto& [c, r, color] : {std::tuple{7, 10, 1}, std::tuple{2, 2, 2}}) {
        for (int i = -1; i <= 2; ++i) {
            cellAt(level, c + i, r - 1).code = i == 0 || i == 1 ? makeTileCode(10, color, 0) : 0x3000;
            cellAt(level, c + i, r + 2).code = 0x3000;
            cellAt(level, c - 1, r + i).code = 0x3000;
            cellAt(level, c + 2, r + i).code = 0x3000;
        }
    }
    const FairnessReport guarded = checkFairness(level, quick());
    EXPECT_TRUE(guarded.faults.empty()) << guarded.faults.front();

    Level gray = twoColours();
    gray.queue = {0, 0};  // gray balls may take any hole
    const FairnessReport wild = checkFairness(gray, quick());
    EXPECT_GT(wild.runs, 0);
    for (const std::string& fault : wild.faults) EXPECT_EQ(fault.find("wrong hole"), std::string::npos) << fault;
}

TEST(BoardFairness, APreplacedBallAimedAtAWrongHoleIsUnfair) {
    Level level = playableLevel();
    level.queue.clear();
    cellAt(level, 8, 2).code = 0;
    cellAt(level, 8, 5).code = makeTileCode(9, 2, 0, 1);  // blue, heading 16: straight down onto the red hole
    addHole(level, 1, 1, 2);
    const FairnessReport report = checkFairness(level, quick());
    ASSERT_FALSE(report.faults.empty());
    EXPECT_NE(report.faults.front().find("preplaced ball at column 8, row 5"), std::string::npos)
        << report.faults.front();
}

TEST(BoardFairness, ABoardThatClearsItselfIsReported) {
    Level level = playableLevel();
    level.queue.clear();
    cellAt(level, 8, 2).code = 0;
    cellAt(level, 8, 5).code = makeTileCode(9, 1, 0, 1);  // red, straight down into the red hole
    const FairnessReport report = checkFairness(level, quick());
    // The first run past the allowed share ends the count.
    EXPECT_EQ(report.selfCleared, 1);
    EXPECT_EQ(report.runs, 1);
    ASSERT_FALSE(report.faults.empty());
    EXPECT_NE(report.faults.back().find("clears itself in 1 of 1 runs"), std::string::npos) << report.faults.back();
    level.bonus = true;  // a bonus board may
    level.timeLimit = 0;
    EXPECT_TRUE(checkFairness(level, quick()).faults.empty());
}

}  // namespace
}  // namespace corvale
