// The sprite table is what the renderer cuts the atlas with; a wrong entry
// shows the wrong artwork, so each one is checked against the layout rules.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "sprite_table.h"

namespace corvale::art {
namespace {

SpriteRect rect(int left, int top, int w, int h) { return {left, top, left + w, top + h}; }

// The layout, written as rules rather than as a list.
SpriteRect expected(int i) {
    if (i == 0) return rect(1, 1, 32, 32);
    if (i == 1) return rect(1, 34, 32, 32);
    if (i < 7) return rect(1, 157 + 24 * (i - 2), 24, 24);
    if (i < 12) return rect(1 + 24 * (i - 7), 375, 24, 24);
    if (i < 17) return rect(1, 67 + 18 * (i - 12), 18, 18);
    if (i < 37) {
        int c = (i - 17) / 4, q = (i - 17) % 4;
        return rect(34 + 32 * (q % 2), 1 + 65 * c + 32 * (q / 2), 32, 32);
    }
    if (i < 42) return rect(99, 1 + 33 * (i - 37), 32, 32);
    if (i < 47) return rect(99, 166 + 33 * (i - 42), 32, 32);
    if (i < 52) return rect(132, 166 + 33 * (i - 47), 32, 32);
    if (i < 57) return rect(165, 1 + 33 * (i - 52), 32, 32);
    if (i < 62) return rect(165, 166 + 33 * (i - 57), 32, 32);
    if (i < 67) return rect(132, 1 + 33 * (i - 62), 32, 32);
    if (i == 67 || i == 72) return {};
    if (i < 72) return rect(231, 199 + 33 * (i - 68), 32, 32);
    if (i < 77) return rect(198, 199 + 33 * (i - 73), 32, 32);
    if (i < 102) {
        int f = (i - 77) / 5, c = (i - 77) % 5;
        return rect(198 + 33 * f, 1 + 33 * c, 32, 32);
    }
    switch (i) {
        case 102: return rect(198, 166, 32, 32);
        case 103: return rect(231, 166, 32, 32);
        case 104: return rect(348, 355, 32, 32);
        case 105: return rect(348, 322, 32, 32);
        case 106: return rect(264, 236, 104, 42);
        case 107: return rect(1, 332, 341, 42);
        case 108: return rect(264, 279, 42, 42);
        case 109: return rect(306, 279, 58, 42);
        case 157: return rect(370, 216, 9, 19);
        case 158: return rect(372, 216, 9, 19);
        default: break;
    }
    if (i < 122) return rect(264 + 9 * (i - 110), 176, 9, 19);
    if (i < 134) return rect(264 + 9 * (i - 122), 196, 9, 19);
    if (i < 145) return rect(273 + 9 * (i - 134), 166, 9, 9);
    return rect(264 + 9 * (i - 145), 216, 9, 19);
}

bool overlap(const SpriteRect& a, const SpriteRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(SpriteTable, EveryEntryFollowsTheLayout) {
    for (int i = 0; i < spriteCount; ++i) {
        const SpriteRect& r = spriteTable[i];
        const SpriteRect e = expected(i);
        EXPECT_EQ(r.left, e.left) << "sprite " << i;
        EXPECT_EQ(r.top, e.top) << "sprite " << i;
        EXPECT_EQ(r.right, e.right) << "sprite " << i;
        EXPECT_EQ(r.bottom, e.bottom) << "sprite " << i;
    }
}

TEST(SpriteTable, OnlyTheGrayFiltersAreEmptyAndEverythingFitsTheAtlas) {
    for (int i = 0; i < spriteCount; ++i) {
        const SpriteRect& r = spriteTable[i];
        if (i == 67 || i == 72) {
            EXPECT_TRUE(r.empty()) << "sprite " << i;
            continue;
        }
        ASSERT_FALSE(r.empty()) << "sprite " << i;
        EXPECT_GE(r.left, 0) << "sprite " << i;
        EXPECT_GE(r.top, 0) << "sprite " << i;
        EXPECT_LE(r.right, atlasWidth) << "sprite " << i;
        EXPECT_LE(r.bottom, atlasHeight) << "sprite " << i;
    }
}

TEST(SpriteTable, SpritesOverlapOnlyInTheClockRow) {
    const std::set<std::pair<int, int>> allowed{{156, 157}, {156, 158}, {157, 158}};
    for (int a = 0; a < spriteCount; ++a)
        for (int b = a + 1; b < spriteCount; ++b)
            if (!spriteTable[a].empty() && !spriteTable[b].empty() && overlap(spriteTable[a], spriteTable[b])) {
                EXPECT_TRUE(allowed.count({a, b})) << "sprites " << a << " and " << b << " overlap";
            }
}

}  // namespace
}  // namespace corvale::art
