#include "board_description.h"

#include <gtest/gtest.h>

#include "level_builders.h"

namespace corvale {
namespace {

using test::cellAt;
using test::plainLevel;

TEST(TileDescription, EveryKindHasItsDetailLine) {
    struct Case {
        std::uint16_t code;
        const char* text;
    };
    const Case cases[] = {
        {0x3000, "Solid / recoloring wall\r\nRaw code: 0x3000; kind 3, p0 0, p1 0, p2 0\r\nColor: Gray\r\n"},
        {0x6F14,
         "Timed wall\r\nRaw code: 0x6F14; kind 6, p0 4, p1 1, p2 15\r\n"
         "Initial raised frame: 4 / 4\r\nOpen: 1 s; closed: 8 s\r\n"},
        {0x9FF1,
         "Preplaced ball\r\nRaw code: 0x9FF1; kind 9, p0 1, p1 15, p2 15\r\n"
         "Ball color: Red; heading: Random (255)\r\n"},
        {0x9082,
         "Preplaced ball\r\nRaw code: 0x9082; kind 9, p0 2, p1 8, p2 0\r\n"
         "Ball color: Blue; heading: 8 (90 degrees clockwise from up)\r\n"},
        {0x91F4,
         "Preplaced ball\r\nRaw code: 0x91F4; kind 9, p0 4, p1 15, p2 1\r\n"
         "Ball color: Gold; heading: 31 (348.75 degrees clockwise from up)\r\n"},
        {0x2045,
         "Hole quadrant\r\nRaw code: 0x2045; kind 2, p0 5, p1 4, p2 0\r\nColor: Unknown; quadrant: Unknown\r\n"},
        {0x5031,
         "One-way wall / filter\r\nRaw code: 0x5031; kind 5, p0 1, p1 3, p2 0\r\n"
         "Color: Red; permitted direction: Right\r\n"},
        {0x7023,
         "Keyhole wall\r\nRaw code: 0x7023; kind 7, p0 3, p1 2, p2 0\r\n"
         "Key color: Green; initial raised frame: 2 / 4\r\n"},
        {0x8010, "Ramp\r\nRaw code: 0x8010; kind 8, p0 0, p1 1, p2 0\r\nRamp direction: Down\r\n"},
        {0xA020,
         "Two-way color filter\r\nRaw code: 0xA020; kind 10, p0 0, p1 2, p2 0\r\n"
         "Passes color: Gray; orientation: Unknown\r\n"},
        {0x0000, "Floor\r\nRaw code: 0x0000; kind 0, p0 0, p1 0, p2 0\r\n"},
        {0x1FFF, "Launcher\r\nRaw code: 0x1FFF; kind 1, p0 15, p1 15, p2 15\r\n"},
        {0xB000, "Unknown tile\r\nRaw code: 0xB000; kind 11, p0 0, p1 0, p2 0\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(describeTile(c.code), c.text) << std::hex << c.code;
    for (int kind = 11; kind <= 15; ++kind) {
        EXPECT_TRUE(describeTile(makeTileCode(kind, 1, 2, 3)).starts_with("Unknown tile\r\n")) << kind;
    }
}

TEST(TileDescription, SelectedTileSectionAndBreakableWalls) {
    Level level = plainLevel();
    cellAt(level, 0, 0).code = 0x3000;
    cellAt(level, 16, 2).code = 0x4002;
    cellAt(level, 16, 2).revealedCode = 0x9082;
    EXPECT_EQ(describeSelectedTile(level, 0, 0),
              "SELECTED TILE: column 1, row 1 (zero-based 0, 0)\r\nSolid / recoloring wall\r\n"
              "Raw code: 0x3000; kind 3, p0 0, p1 0, p2 0\r\nColor: Gray\r\n\r\n");
    EXPECT_EQ(describeSelectedTile(level, 16, 2),
              "SELECTED TILE: column 17, row 3 (zero-based 16, 2)\r\nBreakable wall\r\n"
              "Raw code: 0x4002; kind 4, p0 2, p1 0, p2 0\r\nColor: Blue\r\nRevealed when broken:\r\n"
              "Preplaced ball\r\nRaw code: 0x9082; kind 9, p0 2, p1 8, p2 0\r\n"
              "Ball color: Blue; heading: 8 (90 degrees clockwise from up)\r\n\r\n");
    // A revealed code on anything but a breakable wall is not shown.
    cellAt(level, 1, 0).revealedCode = 0x3001;
    EXPECT_EQ(describeSelectedTile(level, 1, 0).find("Revealed"), std::string::npos);
    for (const auto& [column, row] : {std::pair{-1, -1}, {-1, 0}, {0, -1}, {17, 0}, {0, 17}}) {
        EXPECT_EQ(describeSelectedTile(level, column, row), "") << column << "," << row;
    }
}

TEST(BoardDescription, ListsEveryPieceOfTheRecord) {
    Level level = plainLevel();
    level.id = 430;
    level.difficulty = 3;
    level.timeLimit = 95;
    level.launchInterval = 3;
    level.minSpeed = 60;
    level.maxSpeed = 140;
    level.queue = {1, 0, 4, 1, 7};
    level.recordOffset = 254321;
    level.recordLength = 595;
    level.trailingBytes = {0x1F, 0xFF, 0x30, 0x01};
    test::addHole(level, 7, 10, 1);
    cellAt(level, 0, 0).code = 0x1FFF;
    cellAt(level, 2, 2).code = 0x4001;
    cellAt(level, 2, 2).revealedCode = 0x9001;  // revealed codes are not counted
    cellAt(level, 3, 3).code = 0x9FF2;
    EXPECT_EQ(describeBoard(level),
              "BOARD 430  |  Advanced  |  Normal\r\n"
              "Resource board ID: 430 (zero-based)\r\n"
              "Time allowed: 95 s\r\n"
              "Launch interval: 3 s (first queued launch: 4 s)\r\n"
              "Initial speed bounds: 60 to 140 px/s\r\n"
              "Queued balls: 5; preplaced balls: 1\r\n"
              "Randomize queue: No\r\n"
              "Stored queue: Red, Gray, Gold, Red, Unknown\r\n"
              "Queue colors: Gray 1; Red 2; Blue 0; Green 0; Gold 1\r\n"
              "\r\n"
              "TILE COUNTS (17 x 17 cells)\r\n"
              "Floor: 282\r\nLauncher: 1\r\nHole quadrant: 4\r\nSolid / recoloring wall: 0\r\n"
              "Breakable wall: 1\r\nOne-way wall / filter: 0\r\nTimed wall: 0\r\nKeyhole wall: 0\r\nRamp: 0\r\n"
              "Preplaced ball: 1\r\nTwo-way color filter: 0\r\n"
              "Hole counts above are quadrants; a complete hole occupies four cells.\r\n"
              "Breakable-wall replacements are shown by clicking their tiles.\r\n"
              "\r\n"
              "RESOURCE PARAMETERS\r\n"
              "Record offset: 254321 (0x0003E171)\r\n"
              "Record payload: 595 bytes\r\n"
              "Unused trailing bytes: 4 0x1F 0xFF 0x30 0x01\r\n"
              "\r\n"
              "The preview is static. It does not advance the current game.\r\n");
}

TEST(BoardDescription, ShuffledEmptyQueueAndUnlimitedBonus) {
    Level level = plainLevel();
    level.bonus = true;
    level.timeLimit = 0;
    level.randomizeQueue = true;
    level.queue.clear();
    const std::string text = describeBoard(level);
    EXPECT_NE(text.find("  |  Beginner  |  Bonus\r\n"), std::string::npos);
    EXPECT_NE(text.find("Time allowed: Unlimited\r\n"), std::string::npos);
    EXPECT_NE(text.find("Randomize queue: Yes\r\nStored queue: None (shuffled when played)\r\n"
                        "Queue colors: Gray 0; Red 0; Blue 0; Green 0; Gold 0\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Record offset: 0 (0x00000000)\r\n"), std::string::npos);
    EXPECT_NE(text.find("Unused trailing bytes: 0\r\n\r\nThe preview"), std::string::npos);

    level.queue = {2, 2};
    EXPECT_NE(describeBoard(level).find("Stored queue: Blue, Blue (shuffled when played)\r\n"), std::string::npos);
}

TEST(BoardDescription, NumbersUseSixSignificantDigitsAndFixedHexWidths) {
    EXPECT_EQ(formatDecimal(0.5), "0.5");
    EXPECT_EQ(formatDecimal(1.0), "1");
    EXPECT_EQ(formatDecimal(348.75), "348.75");
    EXPECT_EQ(formatDecimal(1.0 / 3.0), "0.333333");
    EXPECT_EQ(formatHex(0, 8), "0x00000000");
    EXPECT_EQ(formatHex(0xABCDEF12u, 4), "0xABCDEF12");  // the width is a minimum
    EXPECT_EQ(formatHex(0x0F, 2), "0x0F");
}

}  // namespace
}  // namespace corvale
