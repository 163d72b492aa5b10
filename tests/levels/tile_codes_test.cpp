#include <gtest/gtest.h>

#include <stdexcept>

#include "level_builders.h"

namespace corvale {
namespace {

TEST(TileCodes, ValidityAtTheEdgesOfEveryKind) {
    struct Case { std::uint16_t code; bool valid; };
    const Case cases[] = {
        {0x0000, true},  {0x0FFF, true},  {0x1FFF, true},  {0x1000, true},
        {0x2033, true},  {0x2043, false}, {0x2005, false}, {0x2F34, true},
        {0x3004, true},  {0x3005, false}, {0x3FF4, true},  {0x4004, true},  {0x4005, false},
        {0x5034, true},  {0x5044, false}, {0x5035, false}, {0x6FF4, true},  {0x6005, false},
        {0x7045, false}, {0x7050, false}, {0x7F44, true},  {0x8040, false}, {0x8F3F, true},
        {0x91F4, true},  {0x9FF0, true},  {0x9200, false}, {0x9FE0, false}, {0x9005, false},
        {0xA021, false}, {0xAF14, true},  {0xA015, false}, {0xB000, false}, {0xFFFF, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isValidTileCode(c.code), c.valid) << std::hex << c.code;
        if (c.valid) {
            EXPECT_NO_THROW(validateTileCode(c.code));
        } else {
            try {
                validateTileCode(c.code);
                ADD_FAILURE() << std::hex << c.code << " was accepted";
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "The Corvale resource contains an invalid tile code.");
            }
        }
    }
    for (unsigned code = 0xB000; code <= 0xFFFF; ++code) {
        ASSERT_FALSE(isValidTileCode(static_cast<std::uint16_t>(code))) << std::hex << code;
    }
}

TEST(TileCodes, ParametersDecodeFromTheirBits) {
    EXPECT_EQ(tileKindOf(0x91F4), 9);
    EXPECT_EQ(tileP0(0x91F4), 4);
    EXPECT_EQ(tileHeading(0x91F4), 31);
    EXPECT_EQ(tileP1(0x6A54), 5);
    EXPECT_EQ(tileP2(0x6A54), 10);
    EXPECT_EQ(makeTileCode(9, 4, 0xF, 0x1), 0x91F4);
}

TEST(TileCodes, DisplayNames) {
    EXPECT_EQ(tileKindName(0), "Floor");
    EXPECT_EQ(tileKindName(3), "Solid / recoloring wall");
    EXPECT_EQ(tileKindName(5), "One-way wall / filter");
    EXPECT_EQ(tileKindName(10), "Two-way color filter");
    EXPECT_EQ(tileKindName(11), "Unknown tile");
    EXPECT_EQ(tileKindName(15), "Unknown tile");
    EXPECT_EQ(ballColorName(0), "Gray");
    EXPECT_EQ(ballColorName(4), "Gold");
    EXPECT_EQ(ballColorName(5), "Unknown");
    EXPECT_EQ(ballColorName(-1), "Unknown");
    EXPECT_EQ(quadrantName(0), "Upper left");
    EXPECT_EQ(quadrantName(3), "Lower right");
    EXPECT_EQ(quadrantName(4), "Unknown");
    EXPECT_EQ(directionName(0), "Up");
    EXPECT_EQ(directionName(3), "Right");
    EXPECT_EQ(directionName(4), "Unknown");
    EXPECT_EQ(orientationName(1), "Vertical");
    EXPECT_EQ(orientationName(2), "Unknown");
}

TEST(TileCodes, CountingSeesPrimaryCodesOnly) {
    Level level = test::plainLevel();
    test::cellAt(level, 0, 0) = {0x4000, 0x2000};  // the revealed hole quadrant is not counted
    test::cellAt(level, 1, 0).code = 0x1FFF;
    test::addHole(level, 4, 4, 2);
    const std::array<int, 11> counts = countTileKinds(level);
    EXPECT_EQ(counts[4], 1);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[2], 4);
    EXPECT_EQ(counts[0], boardCellCount - 6);
}

}  // namespace
}  // namespace corvale
