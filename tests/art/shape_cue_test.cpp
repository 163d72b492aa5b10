// The shape cues in the painted atlas: every coloured piece of artwork shows
// its colour's glyph, whole and upright, gray ones none; one-way gates read as
// floor with a rail; an open keyhole shows its key at full strength.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphs.h"
#include "paint_tiles.h"
#include "painted_atlas.h"
#include "palette.h"
#include "sprite_table.h"

namespace corvale::art {
namespace {

using test::px;

// The cells of a width x height grid for which `on` holds, as rows of '#'
// and '.' cut to their bounding box; empty when there are none.
template <class On>
std::vector<std::string> pattern(int width, int height, On on) {
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (on(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    std::vector<std::string> rows;
    for (int y = top; y <= bottom; ++y) {
        std::string row;
        for (int x = left; x <= right; ++x) row += on(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> fillPattern(int sprite, Rgb fill) {
    const SpriteRect& r = spriteTable[sprite];
    return pattern(r.width(), r.height(), [&](int x, int y) { return px(sprite, x, y) == fill; });
}

std::vector<std::string> glyphPattern(int color, int size) {
    return pattern(size, size, [&](int x, int y) { return glyphPart(color, size, x, y) == GlyphPart::Fill; });
}

TEST(Glyphs, EveryColourHasItsOwnShapeAndGrayNone) {
    for (int size : {5, 7}) {
        for (int a = 1; a <= 4; ++a) {
            EXPECT_FALSE(glyphPattern(a, size).empty());
            for (int b = a + 1; b <= 4; ++b) EXPECT_NE(glyphPattern(a, size), glyphPattern(b, size)) << a << ", " << b;
        }
        EXPECT_TRUE(glyphPattern(0, size).empty());
    }
}

TEST(Glyphs, EveryColouredSpriteShowsItsColoursGlyphWhole) {
    struct Use {
        const char* what;
        int (*sprite)(int color, int variant);
        int variants, size, brightness;
    };
    const Use uses[] = {
        {"ball", [](int c, int) { return ballSprite(c); }, 1, 7, 100},
        {"ball near a hole", [](int c, int) { return nearHoleBallSprite(c); }, 1, 7, nearHoleBrightness},
        {"queue ball", [](int c, int) { return queueBallSprite(c); }, 1, 5, 100},
        {"hole quarter", [](int c, int q) { return holeSprite(c, q); }, 4, 7, 100},
        {"recolouring wall", [](int c, int) { return wallSprite(c); }, 1, 7, 100},
        {"breakable wall", [](int c, int) { return breakableSprite(c); }, 1, 7, 100},
        {"one-way gate", [](int c, int d) { return oneWaySprite(c, d); }, 4, 7, 100},
        {"filter", [](int c, int o) { return filterSprite(c, o); }, 2, 7, 100},
        {"keyhole wall", [](int c, int f) { return raisedWallSprite(c, f); }, 5, 5, 100},
    };
    for (const Use& use : uses)
        for (int c = 0; c < 5; ++c)
            for (int k = 0; k < use.variants; ++k) {
                const int sprite = use.sprite(c, k);
                if (spriteTable[sprite].empty()) continue;  // gray filters have no artwork
                const auto want = c == 0 ? std::vector<std::string>{} : glyphPattern(c, use.size);
                EXPECT_EQ(fillPattern(sprite, glyphFill(use.brightness)), want)
                    << use.what << " of colour " << c << ", variant " << k;
            }
}

// (x, y) of a gate pointing `direction`, for (u, w) of one pointing up.
void fromUp(int u, int w, int direction, int& x, int& y) {
    switch (direction) {
        case 1:
            x = u, y = 31 - w;
            break;
        case 2:
            x = w, y = u;
            break;
        case 3:
            x = 31 - w, y = u;
            break;
        default:
            x = u, y = w;
            break;
    }
}

TEST(OneWayGates, AreFloorWithARailWhereTheyStopBalls) {
    for (int c = 0; c < 5; ++c)
        for (int d = 0; d < 4; ++d) {
            const int sprite = oneWaySprite(c, d);
            int floorPixels = 0;
            for (int w = 0; w < 32; ++w)
                for (int u = 0; u < 32; ++u) {
                    int x, y;
                    fromUp(u, w, d, x, y);
                    const bool isFloor = px(sprite, x, y) == floorPixel(x, y);
                    // The 12-pixel band at the arrowhead edge is what stops a ball.
                    if (w < 12) {
                        EXPECT_FALSE(isFloor) << "colour " << c << ", direction " << d << " at " << x << "," << y;
                    } else {
                        floorPixels += isFloor;
                    }
                    if (w == 31) {
                        EXPECT_TRUE(isFloor) << "colour " << c << ", direction " << d << " at " << x << "," << y;
                    }
                }
            EXPECT_GT(floorPixels, 20 * 32 * 6 / 10) << "colour " << c << ", direction " << d;
        }
}

TEST(KeyholeWalls, ShowTheirKeyAtFullStrengthOpenOrShut) {
    for (int c = 1; c < 5; ++c)
        for (int y = 6; y <= 27; ++y)
            for (int x = 9; x <= 21; ++x) {
                // Inside the keyhole's head and slot the open wall (frame 0)
                // matches the raised one (frame 4) pixel for pixel.
                const double dx = x + 0.5 - 15.5, dy = y + 0.5 - 13.0;
                const bool head = dx * dx + dy * dy <= 5.5 * 5.5;
                const bool slot = y >= 20 && y <= 26 && x == 15;
                if (head || slot) {
                    EXPECT_EQ(px(raisedWallSprite(c, 0), x, y), px(raisedWallSprite(c, 4), x, y))
                        << c << ": " << x << "," << y;
                }
            }
}

}  // namespace
}  // namespace corvale::art
