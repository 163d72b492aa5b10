// The colour-vision model against published figures, and the painted atlas
// against it: every colour must stay apart from every other one for players
// with any of the three dichromacies and in grayscale.
#include "colour_vision.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "paint_balls.h"
#include "painted_atlas.h"
#include "sprite_table.h"

namespace corvale::art {
namespace {

// The smallest CIEDE2000 difference allowed between two colours of one kind
// of artwork (the five balls, the five hole rims, ...). CIEDE2000 is scaled
// so that 1 is about the smallest difference an observer notices side by
// side (Luo, Cui and Rigg 2001), and the common rule of thumb calls 2 to 10
// "perceptible at a glance". Colour codes on small moving marks must be told
// apart at a glance without a second look, so with normal vision and under
// each full dichromacy we ask for the top of that range, 10. Luminance alone
// cannot spread five shaded colours that far (their lights and shadows
// overlap), so grayscale asks for 5, mid-range; there the glyphs do the
// rest. The palette this replaced fell to 1.2 in grayscale and to 11 under
// deuteranopia (red against green) on its flat colours alone.
constexpr double minimumDeltaE = 10.0;
constexpr double minimumGrayscaleDeltaE = 5.0;

Lab labOf(Rgb c, Vision v = Vision::Normal) {
    return toLab(simulate(toLinear(c), v));
}

TEST(ColourDifference, MatchesPublishedCiede2000Pairs) {
    // Pairs 1, 7, 17 and 25 of Sharma, Wu and Dalal's test data (2005).
    struct Pair {
        Lab x, y;
        double expected;
    };
    const Pair pairs[] = {
        {{50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}, 2.0425},
        {{50.0, 0.0, 0.0}, {50.0, -1.0, 2.0}, 2.3669},
        {{50.0, 2.5, 0.0}, {73.0, 25.0, -18.0}, 27.1492},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    };
    for (const Pair& p : pairs) {
        EXPECT_NEAR(deltaE2000(p.x, p.y), p.expected, 5e-4);
        EXPECT_NEAR(deltaE2000(p.y, p.x), p.expected, 5e-4);
    }
    EXPECT_EQ(deltaE2000(labOf({10, 200, 30}), labOf({10, 200, 30})), 0.0);
}

TEST(ColourVision, KeepsNeutralsAndMergesTheConfusedPairs) {
    // Every simulation maps white to white and black to black.
    for (Vision v : allVisions) {
        EXPECT_EQ(simulate(white, v), white) << visionName(v);
        EXPECT_EQ(simulate(black, v), black) << visionName(v);
    }
    const Lab white = labOf(corvale::art::white);
    EXPECT_NEAR(white.l, 100.0, 0.01);
    EXPECT_NEAR(white.a, 0.0, 0.01);
    // A red and a green of equal lightness look alike to a deuteranope but
    // not to anyone else; the old palette's red and green balls were 18 apart
    // (CIE76) under deuteranopia, as the review that prompted the new one found.
    auto cie76 = [](Rgb x, Rgb y, Vision v) {
        const Lab p = labOf(x, v), q = labOf(y, v);
        return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b));
    };
    EXPECT_NEAR(cie76({222, 66, 30}, {70, 196, 74}, Vision::Deuteranopia), 18.0, 0.5);
    EXPECT_GT(cie76({222, 66, 30}, {70, 196, 74}, Vision::Normal), 100.0);
    // Tritanopes confuse blue with green, not red with green.
    EXPECT_LT(deltaE2000(labOf({0, 120, 200}, Vision::Tritanopia), labOf({0, 150, 110}, Vision::Tritanopia)),
              deltaE2000(labOf({0, 120, 200}), labOf({0, 150, 110})) / 2);
}

// One kind of artwork in every colour: sprites painted alike but for their
// colour, and which of their pixels to compare (a ball's disc, a hole's rim).
struct Family {
    const char* name;
    int firstColour;                       // filters have no gray
    std::vector<std::vector<Rgb>> pixels;  // by colour, the same places in each
};

template <class Take>
std::vector<Rgb> pixelsOf(int sprite, Take take) {
    std::vector<Rgb> out;
    const SpriteRect& r = spriteTable[sprite];
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            if (take(x, y)) out.push_back(test::px(sprite, x, y));
    return out;
}

std::vector<Rgb> ballPixels(int sprite) {
    const int size = spriteTable[sprite].width();
    return pixelsOf(sprite, [size](int x, int y) { return insideBall(x, y, size); });
}

// The rim ring of a hole, from its four quarters.
std::vector<Rgb> rimPixels(int color) {
    std::vector<Rgb> out;
    for (int q = 0; q < 4; ++q) {
        const std::vector<Rgb> part = pixelsOf(holeSprite(color, q), [q](int x, int y) {
            const double dx = 32 * (q % 2) + x + 0.5 - 32, dy = 32 * (q / 2) + y + 0.5 - 32;
            const double d = std::sqrt(dx * dx + dy * dy);
            return d > 23.5 && d < 28.5;
        });
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::vector<Rgb> wholeSprite(int sprite) {
    return pixelsOf(sprite, [](int, int) { return true; });
}

std::vector<Family> families() {
    Family balls{"balls", 0, {}}, nearHole{"balls near a hole", 0, {}}, queue{"queue balls", 0, {}};
    Family rims{"hole rims", 0, {}}, walls{"recolouring walls", 0, {}}, breakable{"breakable walls", 0, {}};
    Family filters{"filters", 1, {}};
    for (int c = 0; c < 5; ++c) {
        balls.pixels.push_back(ballPixels(ballSprite(c)));
        nearHole.pixels.push_back(ballPixels(nearHoleBallSprite(c)));
        queue.pixels.push_back(ballPixels(queueBallSprite(c)));
        rims.pixels.push_back(rimPixels(c));
        walls.pixels.push_back(wholeSprite(wallSprite(c)));
        breakable.pixels.push_back(wholeSprite(breakableSprite(c)));
        if (c > 0)
            filters.pixels.push_back(pixelsOf(filterSprite(c, 0), [](int, int y) { return y >= 10 && y <= 21; }));
    }
    return {balls, nearHole, queue, rims, walls, breakable, filters};
}

// How different two colours of a family look in view v: the median, over
// the places they share, of the difference between their pixels there. The
// same shading falls on both, so this compares colour with colour at every
// shade, and the few places where both show the same thing (a glyph's
// fill) do not count.
double difference(const std::vector<Rgb>& x, const std::vector<Rgb>& y, Vision v) {
    std::vector<double> d;
    for (std::size_t i = 0; i < x.size(); ++i) d.push_back(deltaE2000(labOf(x[i], v), labOf(y[i], v)));
    std::nth_element(d.begin(), d.begin() + d.size() / 2, d.end());
    return d[d.size() / 2];
}

const char* colourName(int c) {
    static const char* names[] = {"gray", "red", "blue", "green", "gold"};
    return names[c];
}

TEST(AtlasColours, EveryPairStaysApartInEveryView) {
    for (const Family& f : families())
        for (Vision v : allVisions) {
            for (std::size_t a = 0; a < f.pixels.size(); ++a)
                for (std::size_t b = a + 1; b < f.pixels.size(); ++b) {
                    const double d = difference(f.pixels[a], f.pixels[b], v);
                    EXPECT_GE(d, v == Vision::Grayscale ? minimumGrayscaleDeltaE : minimumDeltaE)
                        << f.name << " under " << visionName(v) << ": "
                        << colourName(f.firstColour + static_cast<int>(a)) << " and "
                        << colourName(f.firstColour + static_cast<int>(b));
                }
        }
}

}  // namespace
}  // namespace corvale::art
