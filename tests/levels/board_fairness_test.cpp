#include "board_fairness.h"

#include <gtest/gtest.h>

#include "board_text.h"
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

// A blue hole walled in at columns 2-3, rows 2-3, its doorway at column 4
// facing the launcher, which sends only red balls.
Level blueRoom(TileCell door) {
    Level level = playableLevel();
    addHole(level, 2, 2, 2);
    for (int i = -1; i <= 2; ++i) {
        cellAt(level, 2 + i, 1).code = 0x3000;
        cellAt(level, 2 + i, 4).code = 0x3000;
        cellAt(level, 1, 2 + i).code = 0x3000;
        cellAt(level, 4, 2 + i).code = 0x3000;
    }
    for (const int r : {2, 3}) cellAt(level, 4, r) = door;
    return level;
}

bool sweptOpenFault(const FairnessReport& report) {
    for (const std::string& fault : report.faults) {
        if (fault.find("With every brick broken and every timed or keyhole wall open, a ball launched at column 8, "
                       "row 2") == 0)
            return true;
    }
    return false;
}

// A door that any colour passes once open (a keyhole after its key is sunk,
// a brick broken by its own colour) leaves the hole behind it exposed to
// balls launched later; the door alone is no guard, a colour guard is.
TEST(BoardFairness, DoorsThatOpenForEveryColourAreSweptOpen) {
    const std::uint16_t blueFilter = makeTileCode(10, 2, 1);
    const TileCell keyhole{makeTileCode(7, 2, 4), 0};  // shut until a blue ball sinks
    const TileCell brick{makeTileCode(4, 2), 0};       // only a blue ball breaks it

    for (const TileCell& door : {keyhole, brick}) {
        const FairnessReport report = checkFairness(blueRoom(door), quick());
        EXPECT_TRUE(sweptOpenFault(report)) << "door " << door.code;
        for (const std::string& fault : report.faults)
            EXPECT_EQ(fault.find("A ball launched"), std::string::npos) << "shut, the door keeps red out: " << fault;
    }

    Level vestibule = blueRoom(keyhole);
    for (const int r : {2, 3}) cellAt(vestibule, 5, r).code = blueFilter;
    const FairnessReport guarded = checkFairness(vestibule, quick());
    EXPECT_FALSE(sweptOpenFault(guarded)) << guarded.faults.front();

    const FairnessReport hidden = checkFairness(blueRoom(TileCell{brick.code, blueFilter}), quick());
    EXPECT_FALSE(sweptOpenFault(hidden)) << hidden.faults.front();
}

// A ball slow enough for a hole's pull to hold is caught at some speeds and
// passes at its neighbours. On this Beginner board only a blue ball at 76-78
// px/s of the launcher's 70-85 ends in the red pocket within the margin.
TEST(BoardFairness, EveryBeginnerSpeedFindsAPocketBetweenTheSweptOnes) {
    Level level = readBoardText(R"(time unlimited
interval 4
speed 70 86
randomize no
queue blue red red blue
map
W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-
W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-
W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-
W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  Hb0 Hb1 W-  W-  W-
W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  Hb2 Hb3 W-  W-  W-
W-  W-  W-  W-  W-  W-  W-  ..  ..  ..  W-  W-  ..  ..  W-  W-  W-
W-  ..  ..  ..  ..  Wr  Wr  Wr  Wr  Wr  Wr  Wr  ..  ..  ..  ..  W-
W-  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  W-
W-  ..  ..  ..  ..  ..  ..  ..  L   ..  ..  ..  ..  ..  ..  ..  W-
W-  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  W-
W-  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  W-
W-  W-  W-  ..  ..  W-  W-  ..  ..  ..  W-  W-  W-  W-  W-  W-  W-
W-  W-  W-  Hr0 Hr1 W-  W-  ..  ..  ..  W-  W-  W-  W-  W-  W-  W-
W-  W-  W-  Hr2 Hr3 W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-
W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-
W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-
W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-  W-
)",
                                "rooms.board");
    level.difficulty = 0;
    FairnessOptions options = quick();
    options.seeds = 0;
    options.directionStride = 1;
    options.speedCount = 4;
    EXPECT_TRUE(checkFairness(level, options).faults.empty());
    options.everyBeginnerSpeed = true;
    EXPECT_FALSE(checkFairness(level, options).faults.empty());
}

}  // namespace
}  // namespace corvale
