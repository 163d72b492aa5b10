// Checks the painted atlas against what the renderer relies on: the file
// format LoadImage reads, transparency only where sprites are blended, round
// balls, one round hole from four quarters, and colours that keep their names.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "bmp_writer.h"
#include "painted_atlas.h"
#include "sprite_table.h"

namespace corvale::art {
namespace {

using test::atlas;
using test::px;

bool isBall(int sprite) { return sprite >= 2 && sprite <= 11; }

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

double meanLuminance(int sprite) {
    const SpriteRect& r = spriteTable[sprite];
    long sum = 0, n = 0;
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            if (px(sprite, x, y) != magenta) {
                sum += luminance(px(sprite, x, y));
                ++n;
            }
    return static_cast<double>(sum) / static_cast<double>(n);
}

TEST(AtlasFile, IsA381By400TwentyFourBitBottomUpBitmap) {
    const std::vector<std::uint8_t> bmp = encodeBmp24(atlas());
    const std::uint32_t stride = 1144;  // 381 x 3 = 1143, padded to four bytes
    ASSERT_EQ(bmp.size(), 54u + stride * 400);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(u32(bmp, 2), bmp.size());
    EXPECT_EQ(u32(bmp, 10), 54u);
    EXPECT_EQ(u32(bmp, 14), 40u);
    EXPECT_EQ(u32(bmp, 18), 381u);
    EXPECT_EQ(u32(bmp, 22), 400u);  // positive height: the first stored row is the bottom one
    EXPECT_EQ(bmp[26] | bmp[27] << 8, 1);
    EXPECT_EQ(bmp[28] | bmp[29] << 8, 24);
    EXPECT_EQ(u32(bmp, 30), 0u);
    // The atlas's bottom-left pixel comes first, blue first; the pad byte is zero.
    const Rgb bottomLeft = atlas().at(0, 399), top = atlas().at(5, 0);
    EXPECT_EQ(bmp[54], bottomLeft.b);
    EXPECT_EQ(bmp[56], bottomLeft.r);
    EXPECT_EQ(bmp[54 + 1143], 0);
    const std::size_t topRow = 54 + stride * 399 + 5 * 3;
    EXPECT_EQ(bmp[topRow], top.b);
    EXPECT_EQ(bmp[topRow + 1], top.g);
    EXPECT_EQ(bmp[topRow + 2], top.r);
}

TEST(AtlasPixels, MagentaOnlyOutsideSpritesAndRoundBalls) {
    std::vector<int> owner(atlasWidth * atlasHeight, -1);
    for (int i = 0; i < spriteCount; ++i) {
        const SpriteRect& r = spriteTable[i];
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) owner[y * atlasWidth + x] = i;
    }
    for (int y = 0; y < atlasHeight; ++y) {
        for (int x = 0; x < atlasWidth; ++x) {
            int i = owner[y * atlasWidth + x];
            bool magentaHere = atlas().at(x, y) == magenta;
            if (i < 0) {
                EXPECT_TRUE(magentaHere) << "unused pixel " << x << "," << y;
            } else if (!isBall(i)) {
                // Opaque sprites are copied as they are: magenta would show.
                EXPECT_FALSE(magentaHere) << "sprite " << i << " at " << x << "," << y;
            } else {
                const SpriteRect& r = spriteTable[i];
                double dx = x - r.left + 0.5 - 12, dy = y - r.top + 0.5 - 12;
                EXPECT_EQ(magentaHere, dx * dx + dy * dy > 144) << "ball sprite " << i << " at " << x << "," << y;
            }
        }
    }
}

TEST(AtlasPixels, QueueBallsAreRoundOnBlack) {
    for (int c = 0; c < 5; ++c)
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 18; ++x) {
                double dx = x + 0.5 - 9, dy = y + 0.5 - 9;
                bool outside = dx * dx + dy * dy > 81;
                EXPECT_EQ(px(12 + c, x, y) == black, outside) << "queue ball " << c << " at " << x << "," << y;
            }
}

Rgb meanColour(int sprite) {
    const SpriteRect& r = spriteTable[sprite];
    long red = 0, green = 0, blue = 0, n = 0;
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            if (Rgb p = px(sprite, x, y); p != magenta) red += p.r, green += p.g, blue += p.b, ++n;
    return {static_cast<std::uint8_t>(red / n), static_cast<std::uint8_t>(green / n),
            static_cast<std::uint8_t>(blue / n)};
}

TEST(AtlasPixels, BallColoursKeepTheirNames) {
    // Told apart for colour-blind players (colour_vision_test.cpp), but still
    // red, blue, green and gold to everyone else.
    Rgb gray = meanColour(2), red = meanColour(3), blue = meanColour(4), green = meanColour(5), gold = meanColour(6);
    EXPECT_LT(std::abs(gray.r - gray.b), 24);
    EXPECT_GT(red.r, red.g + 60);
    EXPECT_GT(blue.b, blue.r + 60);
    EXPECT_GT(green.g, green.r + 50);
    EXPECT_GT(gold.g, gold.b + 80);
    EXPECT_GT(gold.r, gold.b + 80);
}

TEST(AtlasPixels, NearHoleBallsAreTheSameColourALittleDarker) {
    for (int c = 0; c < 5; ++c) {
        const double ratio = meanLuminance(7 + c) / meanLuminance(2 + c);
        EXPECT_GE(ratio, 0.75) << "colour " << c;
        EXPECT_LT(ratio, 0.95) << "colour " << c;
        // Same hue: the channels keep their proportions.
        const Rgb normal = meanColour(2 + c), near = meanColour(7 + c);
        const double sumNormal = normal.r + normal.g + normal.b, sumNear = near.r + near.g + near.b;
        EXPECT_NEAR(normal.r / sumNormal, near.r / sumNear, 0.03) << "colour " << c;
        EXPECT_NEAR(normal.g / sumNormal, near.g / sumNear, 0.03) << "colour " << c;
    }
}

TEST(AtlasPixels, FourQuartersMakeOneRoundHoleOnTheFloor) {
    for (int c = 0; c < 5; ++c) {
        Image hole(64, 64, magenta);
        for (int q = 0; q < 4; ++q)
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) hole.at(32 * (q % 2) + x, 32 * (q / 2) + y) = px(17 + 4 * c + q, x, y);
        long rimR = 0, rimG = 0, rimB = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                double dx = x + 0.5 - 32, dy = y + 0.5 - 32, d = std::sqrt(dx * dx + dy * dy);
                bool isFloor = hole.at(x, y) == px(0, x % 32, y % 32);
                // The same shape in every quarter: the hole is round, not four pieces.
                bool mirrored = hole.at(63 - x, y) == px(0, (63 - x) % 32, y % 32);
                bool flipped = hole.at(x, 63 - y) == px(0, x % 32, (63 - y) % 32);
                if (d > 31.5) {
                    EXPECT_TRUE(isFloor) << "colour " << c << " at " << x << "," << y;
                }
                if (d < 28) {
                    EXPECT_FALSE(isFloor) << "colour " << c << " at " << x << "," << y;
                }
                if (d > 31.0 || d < 27.0) {
                    EXPECT_EQ(isFloor, mirrored) << "colour " << c << " at " << x << "," << y;
                    EXPECT_EQ(isFloor, flipped) << "colour " << c << " at " << x << "," << y;
                }
                if (d < 20) {
                    EXPECT_LT(luminance(hole.at(x, y)), 50) << "colour " << c << " at " << x << "," << y;
                }
                if (d > 24 && d < 28) rimR += hole.at(x, y).r, rimG += hole.at(x, y).g, rimB += hole.at(x, y).b;
            }
        }
        // The rim carries the colour of the balls it takes; the wildcard's is gray.
        long top = std::max({rimR, rimG, rimB}), low = std::min({rimR, rimG, rimB});
        switch (c) {
            case 0: EXPECT_LT(top - low, top / 6); break;
            case 1: EXPECT_EQ(top, rimR); break;
            case 2: EXPECT_EQ(top, rimB); break;
            case 3: EXPECT_EQ(top, rimG); break;
            case 4: EXPECT_GE(rimR, rimG); EXPECT_GT(2 * rimG, 3 * rimB); break;
        }
    }
}

// Pixels of the arrow: strongly coloured, unlike the neutral gate plate.
bool arrowPixel(Rgb p, int c) {
    switch (c) {
        case 1: return p.r > p.g + 50 && p.r > p.b + 50;
        case 2: return p.b > p.r + 50 && p.b > p.g + 30;
        case 3: return p.g > p.r + 40 && p.g > p.b + 40;
        default: return p.r > p.b + 70 && p.g > p.b + 60;
    }
}

TEST(AtlasPixels, OneWayArrowsPointTheWayOfPassage) {
    // An arrow's head is its wide end, so most of its pixels lie on that side.
    for (int c = 1; c < 5; ++c) {
        for (int dir = 0; dir < 4; ++dir) {
            int sprite = 47 + 5 * dir + c;
            long up = 0, down = 0, left = 0, right = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    if (arrowPixel(px(sprite, x, y), c)) {
                        (y < 16 ? up : down) += 1;
                        (x < 16 ? left : right) += 1;
                    }
            long toward[4] = {up - down, down - up, left - right, right - left};
            EXPECT_GT(toward[dir], 20) << "colour " << c << ", direction " << dir;
            EXPECT_GT(up + down, 120) << "colour " << c << ", direction " << dir;
        }
    }
}

TEST(AtlasPixels, RaisedWallsRiseFrameByFrame) {
    // The taller the wall, the wider its bevel: the lit top edge and the dark
    // bottom edge draw further apart from the flat frame.
    for (int c = 0; c < 5; ++c) {
        int previous = -1;
        for (int f = 0; f < 5; ++f) {
            int sprite = 77 + 5 * f + c, contrast = 0;
            for (int x = 8; x < 24; ++x)
                for (int k = 0; k < 5; ++k) contrast += luminance(px(sprite, x, k)) - luminance(px(sprite, x, 31 - k));
            EXPECT_GT(contrast, previous) << "key colour " << c << ", frame " << f;
            previous = contrast;
        }
        EXPECT_NE(px(77 + c, 5, 27), px(97 + c, 5, 27));  // the plate, beside the mark
    }
}

bool isGlyphWhite(Rgb p) { return p.r > 240 && p.g > 200 && p.b > 200; }

TEST(AtlasPixels, ClockRowReadsAsBlankWhereItsCellsOverlap) {
    const int top = 216;
    // The minus sign's glyph stays left of the blank cell.
    for (int y = top; y < top + 19; ++y) {
        for (int x = 363; x < 381; ++x)
            if (isGlyphWhite(atlas().at(x, y))) {
                EXPECT_LE(x, 369) << x << "," << y;
            }
    }
    int minusPixels = 0;
    for (int y = top; y < top + 19; ++y)
        for (int x = 363; x <= 369; ++x) minusPixels += isGlyphWhite(atlas().at(x, y));
    EXPECT_GE(minusPixels, 3);
    // Columns 370-378 are all the same plain column, which is also the face
    // column of a digit cell; 379 and 380 are the cap's rim.
    for (int x = 370; x <= 378; ++x)
        for (int y = top; y < top + 19; ++y) EXPECT_EQ(atlas().at(x, y), atlas().at(273, y)) << x << "," << y;
    bool rim = false;
    for (int y = top; y < top + 19; ++y) rim = rim || atlas().at(380, y) != atlas().at(378, y);
    EXPECT_TRUE(rim);
}

TEST(AtlasPixels, EveryGlyphOfAFontIsDistinct) {
    auto same = [](int a, int b) {
        const SpriteRect& r = spriteTable[a];
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x)
                if (px(a, x, y) != px(b, x, y)) return false;
        return true;
    };
    for (int first : {110, 122, 134, 145}) {
        int count = first == 134 ? 11 : 12;
        for (int a = 0; a < count; ++a)
            for (int b = a + 1; b < count; ++b)
                EXPECT_FALSE(same(first + a, first + b)) << "sprites " << first + a << " and " << first + b;
    }
}

}  // namespace
}  // namespace corvale::art
