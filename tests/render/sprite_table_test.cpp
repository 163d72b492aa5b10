#include <gtest/gtest.h>

#include "sprites.h"

namespace corvale {
namespace {

SpriteRect rectAt(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}
const SpriteRect& entry(int i) {
    return spriteTable[static_cast<std::size_t>(i)];
}

TEST(SpriteTable, EveryEntryLiesInsideTheAtlasAndOnlyTheGrayFiltersAreEmpty) {
    for (int i = 0; i < spriteCount; ++i) {
        const SpriteRect& r = entry(i);
        if (i == 67 || i == 72) {
            EXPECT_EQ(r, SpriteRect{}) << i;
            continue;
        }
        EXPECT_GT(r.width(), 0) << i;
        EXPECT_GT(r.height(), 0) << i;
        EXPECT_GE(r.left, 0) << i;
        EXPECT_GE(r.top, 0) << i;
        EXPECT_LE(r.right, atlasWidth) << i;
        EXPECT_LE(r.bottom, atlasHeight) << i;
    }
}

TEST(SpriteTable, ColouredSeriesFollowTheLayout) {
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(entry(2 + c), rectAt(1, 157 + 24 * c, 24, 24)) << c;
        EXPECT_EQ(entry(7 + c), rectAt(1 + 24 * c, 375, 24, 24)) << c;
        EXPECT_EQ(entry(12 + c), rectAt(1, 67 + 18 * c, 18, 18)) << c;
        for (int q = 0; q < 4; ++q)
            EXPECT_EQ(entry(17 + 4 * c + q), rectAt(34 + 32 * (q % 2), 1 + 65 * c + 32 * (q / 2), 32, 32)) << c << q;
        EXPECT_EQ(entry(37 + c), rectAt(99, 1 + 33 * c, 32, 32)) << c;
        EXPECT_EQ(entry(42 + c), rectAt(99, 166 + 33 * c, 32, 32)) << c;
        EXPECT_EQ(entry(47 + c), rectAt(132, 166 + 33 * c, 32, 32)) << c;
        EXPECT_EQ(entry(52 + c), rectAt(165, 1 + 33 * c, 32, 32)) << c;
        EXPECT_EQ(entry(57 + c), rectAt(165, 166 + 33 * c, 32, 32)) << c;
        EXPECT_EQ(entry(62 + c), rectAt(132, 1 + 33 * c, 32, 32)) << c;
        if (c > 0) {
            EXPECT_EQ(entry(67 + c), rectAt(231, 199 + 33 * (c - 1), 32, 32)) << c;
            EXPECT_EQ(entry(72 + c), rectAt(198, 199 + 33 * (c - 1), 32, 32)) << c;
        }
        for (int f = 0; f < 5; ++f)
            EXPECT_EQ(entry(77 + 5 * f + c), rectAt(198 + 33 * f, 1 + 33 * c, 32, 32)) << c << f;
    }
}

TEST(SpriteTable, TilesRampsAndHeaderPieces) {
    EXPECT_EQ(entry(0), rectAt(1, 1, 32, 32));
    EXPECT_EQ(entry(1), rectAt(1, 34, 32, 32));
    EXPECT_EQ(entry(102), rectAt(198, 166, 32, 32));
    EXPECT_EQ(entry(103), rectAt(231, 166, 32, 32));
    EXPECT_EQ(entry(104), rectAt(348, 355, 32, 32));
    EXPECT_EQ(entry(105), rectAt(348, 322, 32, 32));
    EXPECT_EQ(entry(106), rectAt(264, 236, 104, 42));
    EXPECT_EQ(entry(107), rectAt(1, 332, 341, 42));
    EXPECT_EQ(entry(108), rectAt(264, 279, 42, 42));
    EXPECT_EQ(entry(109), rectAt(306, 279, 58, 42));
}

TEST(SpriteTable, NumberBoxesAndSmallDigits) {
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(entry(110 + i), rectAt(264 + 9 * i, 176, 9, 19)) << i;
        EXPECT_EQ(entry(122 + i), rectAt(264 + 9 * i, 196, 9, 19)) << i;
        EXPECT_EQ(entry(145 + i), rectAt(264 + 9 * i, 216, 9, 19)) << i;
    }
    for (int i = 0; i < 11; ++i) EXPECT_EQ(entry(134 + i), rectAt(273 + 9 * i, 166, 9, 9)) << i;
    EXPECT_EQ(entry(157), rectAt(370, 216, 9, 19));
    EXPECT_EQ(entry(158), rectAt(372, 216, 9, 19));
}

TEST(TileSprite, EachKindPicksItsArtwork) {
    struct Case {
        std::uint16_t code;
        int frame;
        int sprite;
    };
    const Case cases[] = {
        {0x0000, 0, 0},  {0x1000, 0, 1},   {0x2032, 0, 28},  // hole colour 2, lower right quarter
        {0x3004, 0, 41}, {0x4001, 0, 43},  {0x5023, 0, 60},  // one-way, passage left, colour 3
        {0x6000, 4, 97}, {0x6000, 0, 77},  {0x7002, 1, 84},  // keyhole key colour 2, frame 1
        {0x7000, 2, 87}, {0x8030, 0, 105}, {0x9003, 0, 0},   // keyhole of colour 0 = timed art; preplaced ball
        {0xA014, 0, 76}, {0xA000, 0, 67},  {0xA010, 0, 72},  // filters; gray ones have no art
        {0xB000, 0, 0},  {0xFFFF, 3, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(tileSprite(c.code, c.frame), c.sprite) << std::hex << c.code;
}

TEST(TileSprite, BallsAndGoldCounterparts) {
    EXPECT_EQ(ballSprite(0, false), 2);
    EXPECT_EQ(ballSprite(4, false), 6);
    EXPECT_EQ(ballSprite(1, true), 8);
    // Hole quarters keep their position; walls and everything else turn gold.
    const std::pair<int, int> gold[] = {{0, 41},  {1, 41},  {16, 41}, {17, 33}, {20, 36}, {22, 34}, {36, 36},
                                        {37, 41}, {41, 41}, {42, 46}, {46, 46}, {47, 41}, {105, 41}};
    for (auto [tile, expected] : gold) EXPECT_EQ(goldSprite(tile), expected) << tile;
}

}  // namespace
}  // namespace corvale
