#include "board_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "level_builders.h"

namespace corvale {
namespace {

using test::addHole;
using test::cellAt;
using test::playableLevel;

std::string faultsOf(const Level& level) {
    std::string all;
    for (const std::string& fault : checkBoard(level)) all += fault + "\n";
    return all;
}

TEST(BoardRules, APlayableBoardPasses) {
    EXPECT_EQ(faultsOf(playableLevel()), "");
    Level bonus = playableLevel();
    bonus.bonus = true;
    bonus.timeLimit = 0;
    EXPECT_EQ(faultsOf(bonus), "");
}

TEST(BoardRules, EachBrokenRuleIsReported) {
    struct Case {
        const char* expected;
        std::function<void(Level&)> change;
    };
    const Case cases[] = {
        {"A bonus board has unlimited time, not 60 s.",
         [](Level& l) {
             l.bonus = true;
             l.timeLimit = 60;
         }},
        {"The time limit 33 s is outside 34..200 s.", [](Level& l) { l.timeLimit = 33; }},
        {"The time limit 201 s is outside 34..200 s.", [](Level& l) { l.timeLimit = 201; }},
        {"The time limit 0 s is outside 34..200 s.", [](Level& l) { l.timeLimit = 0; }},
        {"not an ascending range",
         [](Level& l) {
             l.minSpeed = 200;
             l.maxSpeed = 100;
         }},
        {"not an ascending range", [](Level& l) { l.maxSpeed = 301; }},
        {"The queue holds 19 balls; at most 18.", [](Level& l) { l.queue.assign(19, 1); }},
        {"The board has no ball.", [](Level& l) { l.queue.clear(); }},
        {"The board has 65 balls; at most 64.",
         [](Level& l) {
             l.queue.assign(18, 1);
             for (int i = 0; i < 47; ++i) l.cells[static_cast<std::size_t>(i)].code = 0x9FF1;
         }},
        {"The board has a queue but no launcher.", [](Level& l) { cellAt(l, 8, 2).code = 0; }},
        {"The tile code at column 3, row 0 is invalid.", [](Level& l) { cellAt(l, 3, 0).code = 0xB000; }},
        {"The revealed tile code at column 3, row 0 is invalid.",
         [](Level& l) {
             cellAt(l, 3, 0) = {0x4000, 0x2043};
         }},
        {"no breakable wall but has a revealed code",
         [](Level& l) {
             cellAt(l, 3, 0) = {0x3000, 0x0001};
         }},
        {"The hole quadrant at column 8, row 11 is not part", [](Level& l) { cellAt(l, 7, 11).code = 0; }},
        {"The hole quadrant at column 7, row 10 is not part", [](Level& l) { cellAt(l, 8, 11).code = 0x2012; }},
        {"The hole quadrant at column 7, row 10 is not part", [](Level& l) { cellAt(l, 8, 10).code = 0x2013; }},
        {"The hole quadrant at column 16, row 0 is not part", [](Level& l) { cellAt(l, 16, 0).code = 0x2010; }},
        {"The hole quadrant at column 0, row 16 is not part", [](Level& l) { cellAt(l, 0, 16).code = 0x2003; }},
        {"No hole accepts a Blue ball.", [](Level& l) { l.queue.push_back(2); }},
        {"No hole accepts a Gold ball.", [](Level& l) { cellAt(l, 1, 1).code = 0x9FF4; }},
        {"No hole accepts a Green ball.", [](Level& l) { cellAt(l, 1, 1).code = 0x3003; }},
        {"No hole accepts a Green ball.",
         [](Level& l) {
             cellAt(l, 1, 1) = {0x4000, 0x3003};
         }},
        {"No hole accepts a Gray ball.",
         [](Level& l) {
             l.queue = {0};
             addHole(l, 7, 10, 0);
             for (auto& c : l.cells)
                 if (tileKindOf(c.code) == 2) c.code = 0;
         }},
    };
    for (const Case& c : cases) {
        Level level = playableLevel();
        c.change(level);
        EXPECT_NE(faultsOf(level).find(c.expected), std::string::npos) << c.expected << "\ngot: " << faultsOf(level);
    }
}

TEST(BoardRules, HolesThatAcceptTheBalls) {
    Level gray = playableLevel();
    gray.queue = {0, 0};  // a gray ball may take any hole
    EXPECT_EQ(faultsOf(gray), "");
    Level grayHole = playableLevel();
    addHole(grayHole, 7, 10, 0);  // a gray hole takes every colour
    grayHole.queue = {1, 2, 3, 4};
    EXPECT_EQ(faultsOf(grayHole), "");
    Level painted = playableLevel();
    painted.queue = {2};  // blue balls, a red hole and red paint: the paint is the way home
    cellAt(painted, 1, 1).code = 0x3001;
    EXPECT_EQ(faultsOf(painted), "");
    Level revealed = playableLevel();
    revealed.queue = {2};
    for (int q = 0; q < 4; ++q) cellAt(revealed, 2 + q % 2, 2 + q / 2) = {0x4000, makeTileCode(2, 2, q)};
    EXPECT_EQ(faultsOf(revealed), "");
}

TEST(BoardRules, WallsMustNotCutTheBoardApart) {
    Level level = playableLevel();
    for (int c = 0; c < boardColumns; ++c) cellAt(level, c, 6).code = 0x3001;  // a recolouring wall is solid too
    EXPECT_NE(faultsOf(level).find("Walls cut a hole, a launcher or a waiting ball off"), std::string::npos);
    // Mechanisms that open or let some ball by keep the halves together.
    for (const int code : {0x4000, 0x5001, 0x6044, 0x7140, 0xA100}) {
        cellAt(level, 5, 6).code = static_cast<std::uint16_t>(code);
        EXPECT_EQ(faultsOf(level), "") << std::hex << code;
    }
    cellAt(level, 5, 6).code = 0x3000;
    cellAt(level, 8, 2).code = 0;
    cellAt(level, 8, 12).code = 0x1FFF;  // launcher moved next to the hole: one region again
    EXPECT_EQ(faultsOf(level), "");
}

TEST(BoardRules, TheSetKeepsItsGroupingAndUsualIntervalAndNoRepeatedLayout) {
    std::vector<Level> levels = test::levelSet(playableLevel());
    for (Level& level : levels) {
        level.timeLimit = level.bonus ? 0 : level.timeLimit;
        // One wall block in each of the three lowest rows tells the boards apart.
        for (int row = 13, rest = level.id; row <= 15; ++row, rest /= 15)
            cellAt(level, 1 + rest % 15, row).code = 0x3000;
    }
    EXPECT_TRUE(checkBoardSet(levels).empty());

    std::vector<Level> repeated = levels;
    repeated[300].cells = repeated[7].cells;
    EXPECT_EQ(checkBoardSet(repeated),
              std::vector<std::string>{"Board 300: its layout repeats board 7 cell for cell."});

    std::vector<Level> swapped = levels;
    std::swap(swapped[137], swapped[138]);
    const std::vector<std::string> faults = checkBoardSet(swapped);
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[0], "Board 137: its id, difficulty or kind does not match its place in the set.");

    for (std::size_t i = 0; i < levels.size() / 2 + 1; ++i) levels[i].launchInterval = 3;
    EXPECT_EQ(checkBoardSet(levels).back(), "The set: only 275 boards launch every 4 s; most should.");
    levels.pop_back();
    EXPECT_EQ(checkBoardSet(levels).front(), "The set: it holds 550 boards, not 551.");
}

TEST(BoardRules, RepeatedLayoutsIgnoreQueuesAndTimesButNotOneCell) {
    std::vector<Level> levels(4, playableLevel());
    for (int i = 0; i < 4; ++i) levels[static_cast<std::size_t>(i)].id = i;
    levels[1].queue.push_back(2);  // same board to a player, another queue and limit
    levels[1].timeLimit += 10;
    levels[2].cells[100].code = static_cast<std::uint16_t>(levels[0].cells[100].code ^ 0x1000);  // one cell differs
    levels[3].minSpeed += 5;
    const std::vector<std::pair<int, int>> repeats = repeatedLayouts(levels);
    ASSERT_EQ(repeats.size(), 2u);
    EXPECT_EQ(repeats[0], std::make_pair(0, 1));
    EXPECT_EQ(repeats[1], std::make_pair(0, 3));
    EXPECT_NE(layoutKey(levels[0]), layoutKey(levels[2]));
}

}  // namespace
}  // namespace corvale
